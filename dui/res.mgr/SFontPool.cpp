#include "dui/res.mgr/SFontPool.h"

#include <cwchar>
#include <cwctype>
#include "dui/core/base/StringSplit.h"
#include "dui/res.mgr/SResProviderMgr.h"
#include "dui/res.mgr/SUiDefInfo.h"
#include "xml/xmldom.h"

namespace DUI {

namespace {

uint32_t TextHash(const SStringW& s)
{
    uint32_t h = 0;
    for (int i = 0; i < s.GetLength(); ++i) h = h * 33 + s[i];
    return h;
}

// The current UI definition's default font; without one, 12 pixels SimSun.
FontInfo DefaultFont()
{
    const SUiDef* uidef = SUiDef::GetInstance();
    if (IUiDefInfo* def = uidef ? uidef->GetUiDef() : nullptr) return def->GetDefFontInfo();
    FontInfo info;
    info.name = L"default";
    info.style = 0x00C00001;
    info.face = L"\u5b8b\u4f53";
    return info;
}

void SetBit(uint32_t& style, int bit, const SStringW& value)
{
    if (value.Compare(L"0") == 0)
        style &= ~(1u << bit);
    else
        style |= 1u << bit;
}

} // namespace

uint32_t SFontKey::GetHash() const
{
    return style + TextHash(name) * 1024 + TextHash(face) * 32768 + TextHash(properties) * 32 + 1;
}

bool SFontKey::operator==(const SFontKey& other) const
{
    return GetHash() == other.GetHash() && face.Compare(other.face.c_str()) == 0 &&
           properties.Compare(other.properties.c_str()) == 0 && style == other.style;
}

SFontPool::SFontPool(IPaintFactory* factory)
    : m_factory(SRefPtr<IPaintFactory>::Share(factory)), m_fonts(&SFontPool::ReleaseFont)
{
}

SFontPool::~SFontPool()
{
    m_fonts.RemoveAll();
}

IPaintSurface* SFontPool::GetMeasureSurface()
{
    if (!m_measureSurface && m_factory) {
        IPaintSurface* made = nullptr;
        if (SUCCEEDED(m_factory->CreateSurface(1, 1, &made)))
            m_measureSurface = SRefPtr<IPaintSurface>::Adopt(made);
    }
    return m_measureSurface.Get();
}

void SFontPool::ReleaseFont(IFont** font)
{
    if (*font) (*font)->Release();
}

namespace {

// What the pieces of one description set, before the key is put together.
struct FontWork
{
    SFontKey key;
    uint32_t style = 0;
    int size = 0;
    int adding = 0;
    xmldom::xml_node extra;
};

void ApplyPiece(FontWork& w, const SStringW& k, const SStringW& v, int scale)
{
    if (k.Compare(L"face") == 0) w.key.face = v;
    else if (k.Compare(L"size") == 0) w.size = ResolveLayoutDim(v.c_str()).ToPixel(scale);
    else if (k.Compare(L"adding") == 0) w.adding = ResolveLayoutDim(v.c_str()).ToPixel(scale);
    else if (k.Compare(L"italic") == 0) SetBit(w.style, 16, v);
    else if (k.Compare(L"underline") == 0) SetBit(w.style, 17, v);
    else if (k.Compare(L"bold") == 0) SetBit(w.style, 18, v);
    else if (k.Compare(L"strike") == 0) SetBit(w.style, 19, v);
    else if (k.Compare(L"charset") == 0) w.style = (w.style & ~0xFFu) | (_wtoi(v.c_str()) & 0xFF);
    else if (k.Compare(L"weight") == 0) w.style = (w.style & ~0xFF00u) | ((((_wtoi(v.c_str()) + 2) / 4) & 0xFF) << 8);
    else if (k.Compare(L"name") == 0) w.key.name = v;
    else {
        // Unknown keys travel to the font as attributes of one element.
        xmldom::xml_attribute a = w.extra.attribute(k.c_str());
        if (!a) a = w.extra.append_attribute(k.c_str());
        a.set_value(v.c_str());
    }
}

} // namespace

SFontKey SFontPool::Resolve(const SStringW& description, int scale)
{
    const FontInfo def = DefaultFont();
    xmldom::xml_document extra;
    FontWork w;
    w.style = def.style & 0x000FFFFF;
    w.extra = extra.append_child(L"font");
    SStringW lower(description);
    lower.MakeLower();
    SStringWList pieces;
    SplitString(lower, L',', pieces);
    // Last to first, so that of a key given twice the first one wins.
    for (size_t i = pieces.GetCount(); i-- > 0;) {
        SStringWList kv;
        if (ParseResId(pieces[i], kv) == 2) ApplyPiece(w, kv[0], kv[1], scale);
    }
    const int height = w.size != 0 ? w.size : ScaleIntDiv(def.Height(), scale) + w.adding;
    SFontKey key = w.key;
    key.style = (static_cast<uint32_t>(height) << 20) | (w.style & 0x000FFFFF);
    if (w.extra.first_attribute()) {
        xmldom::xml_writer_buff writer;
        w.extra.print(writer, L"\t", xmldom::format_indent, xmldom::encoding_wchar);
        key.properties = SStringW(writer.buffer(), writer.size());
    }
    if (key.face.IsEmpty()) key.face = def.face;
    if (key.name.IsEmpty()) key.name = def.name;
    return key;
}

IFont* SFontPool::GetFont(const SStringW& description, int scale)
{
    const SFontKey key = Resolve(description, scale);
    IFont* font = nullptr;
    if (m_fonts.Lookup(key, font)) return font;
    font = CreateFont(key);
    if (font) m_fonts.SetAt(key, font);
    return font;
}

IFont* SFontPool::CreateFont(const SFontKey& key) const
{
    LOGFONTW lf = {};
    lf.lfHeight = -key.Height();
    const int weight = key.WeightField();
    lf.lfWeight = weight ? weight * 4 : ((key.style & (1u << 18)) ? FW_BOLD : FW_NORMAL);
    lf.lfItalic = (key.style >> 16) & 1;
    lf.lfUnderline = (key.style >> 17) & 1;
    lf.lfStrikeOut = (key.style >> 19) & 1;
    lf.lfCharSet = static_cast<BYTE>(key.Charset());
    lf.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(lf.lfFaceName, key.face.c_str(), LF_FACESIZE);
    if (m_translator) m_translator->TranslateFont(key.name.c_str(), &lf);
    IFont* font = nullptr;
    if (!m_factory || FAILED(m_factory->CreateFont(&lf, &font))) return nullptr;
    return font;
}

void SScaledFont::SetDescription(const SStringW& description, int scale)
{
    m_description = description;
    SFontPool* pool = SFontPool::GetInstance();
    m_font.Reset(pool ? pool->GetFont(description, scale) : nullptr);
}

void SScaledFont::UpdateFont(int scale)
{
    if (m_description.IsEmpty()) return;
    SFontPool* pool = SFontPool::GetInstance();
    m_font.Reset(pool ? pool->GetFont(m_description, scale) : nullptr);
}

} // namespace DUI
