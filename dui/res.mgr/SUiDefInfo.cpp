#include "dui/res.mgr/SUiDefInfo.h"

#include <vector>
#include "dui/core/base/DuiLog.h"
#include "dui/core/base/SHandle.h"
#include "dui/res.mgr/SSkinPoolMgr.h"
#include "dui/res.mgr/SStylePoolMgr.h"

namespace DUI {

namespace {

const char kInit[] = "DUI::SUiDefInfo::Init";
const wchar_t kDefaultFace[] = L"\u5b8b\u4f53";   // SimSun

int CALLBACK OnFont(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool IsFontInstalled(const SStringW& face)
{
    if (face.IsEmpty()) return false;
    bool found = false;
    const SWindowDC dc(nullptr);
    EnumFontsW(dc, face.c_str(), OnFont, reinterpret_cast<LPARAM>(&found));
    return found;
}

bool ReadResource(IResProvider* provider, const SStringW& type, const SStringW& name, std::vector<char>& out)
{
    const size_t size = provider->GetRawBufferSize(type.c_str(), name.c_str());
    if (size == 0) return false;
    out.resize(size);
    return provider->GetRawBuffer(type.c_str(), name.c_str(), out.data(), size) != FALSE;
}

// A section with "src" ("type:name") is replaced by the same-named child of
// that resource's root level, when the resource exists and parses.
xmldom::xml_node Redirect(IResProvider* provider, xmldom::xml_node section, xmldom::xml_document& holder)
{
    SStringWList parts;
    if (!section || ParseResId(SStringW(section.attribute(L"src").value()), parts) != 2) return section;
    std::vector<char> bytes;
    if (!ReadResource(provider, parts[0], parts[1], bytes) || !holder.load_buffer(bytes.data(), bytes.size()))
        return section;
    const xmldom::xml_node replaced = holder.child(section.name());
    return replaced ? replaced : section;
}

} // namespace

BOOL SUiDefInfo::Init(IResProvider* provider, LPCWSTR id)
{
    SStringWList parts;
    if (!id || ParseResId(SStringW(id), parts) != 2) {
        DUI_LOG_WARNING("dui", kInit, L"warning!!!! Add ResProvider Error.");
        parts.RemoveAll();
        parts.Add(SStringW(id ? id : L""));
        parts.Add(SStringW());
    }
    std::vector<char> bytes;
    if (!provider || !ReadResource(provider, parts[0], parts[1], bytes)) {
        DUI_LOG_WARNING("dui", kInit, L"warning!!!! uidef was not found in the specified resprovider");
        return FALSE;
    }
    xmldom::xml_document doc;
    if (!doc.load_buffer(bytes.data(), bytes.size())) {
        DUI_LOG_WARNING("dui", kInit, L"warning!!! load uidef as xml document failed");
        return FALSE;
    }
    const xmldom::xml_node uidef = doc.child(L"uidef");
    if (!uidef) {
        DUI_LOG_WARNING("dui", kInit, L"warning!!! \"uidef\" element is not the root element of uidef xml");
        return FALSE;
    }
    ReadFont(uidef.child(L"font"));
    if (const xmldom::xml_node unit = uidef.child(L"unit"))
        SLayoutSize::SetDefaultUnit(unit.attribute(L"defUnit").as_string(L"dp"));
    ReadSections(provider, uidef);
    return TRUE;
}

void SUiDefInfo::ReadFont(xmldom::xml_node font)
{
    m_defFont = FontInfo();
    m_defFont.name = L"default";
    if (!font) {
        m_defFont.style = 0x00C00001;
        m_defFont.face = kDefaultFace;
        return;
    }
    const int size = font.attribute(L"size").as_int(12);
    const int charset = font.attribute(L"charset").as_int(1);
    const int weight = static_cast<int>(font.attribute(L"weight").as_uint(0));
    m_defFont.style = FontInfo::MakeStyle(size, charset, weight, font.attribute(L"italic").as_bool(),
                                          font.attribute(L"underline").as_bool(), font.attribute(L"bold").as_bool(),
                                          font.attribute(L"strike").as_bool());
    m_defFont.name = font.attribute(L"name").as_string(L"default");
    m_defFont.face = font.attribute(L"face").value();
    if (!IsFontInstalled(m_defFont.face)) m_defFont.face = kDefaultFace;
}

void SUiDefInfo::ReadSections(IResProvider* provider, xmldom::xml_node uidef)
{
    auto section = [&](const wchar_t* name, xmldom::xml_document& holder) {
        return Redirect(provider, uidef.child(name), holder);
    };
    xmldom::xml_document strings, colors, dims, skins, styles, templates, objattr;
    if (auto s = section(L"string", strings)) m_strings.Init(s);
    if (auto s = section(L"color", colors)) m_colors.Init(s);
    if (auto s = section(L"dim", dims)) m_dims.Init(s);
    if (auto s = section(L"skin", skins)) {
        m_skinPool = SRefPtr<SSkinPool>::Adopt(new SSkinPool());
        m_skinPool->LoadSkins(s);
    }
    if (auto s = section(L"style", styles)) {
        m_stylePool = SRefPtr<SStylePool>::Adopt(new SStylePool());
        m_stylePool->Init(s);
    }
    if (auto s = section(L"template", templates)) {
        m_templatePool = SRefPtr<STemplatePool>::Adopt(new STemplatePool());
        m_templatePool->Init(s);
    }
    if (auto s = section(L"objattr", objattr); s && m_registry) {
        m_objDefAttr = SRefPtr<SObjDefAttr>::Adopt(new SObjDefAttr(*m_registry));
        m_objDefAttr->Init(s);
    }
}

IUiDefInfo* SUiDef::CreateUiDefInfo(IResProvider* provider, LPCWSTR id)
{
    auto* def = new SUiDefInfo(m_registry);
    // Keep the current definition alive while the new one stands in for it.
    SRefPtr<IUiDefInfo> before = m_current;
    SetUiDef(def);
    def->Init(provider, id);
    SetUiDef(before.Get());
    return def;
}

IUiDefInfo* SUiDef::LoadUiDef(IResProvider* provider, LPCWSTR id)
{
    IUiDefInfo* def = CreateUiDefInfo(provider, id);
    if (SSkinPoolMgr* skins = SSkinPoolMgr::GetInstance(); skins && def->GetSkinPool())
        skins->PushSkinPool(def->GetSkinPool());
    if (SStylePoolMgr* styles = SStylePoolMgr::GetInstance(); styles && def->GetStylePool())
        styles->PushPool(def->GetStylePool());
    if (STemplatePoolMgr* templates = STemplatePoolMgr::GetInstance(); templates && def->GetTemplatePool())
        templates->PushPool(def->GetTemplatePool());
    return def;
}

} // namespace DUI
