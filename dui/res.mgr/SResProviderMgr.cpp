#include "dui/res.mgr/SResProviderMgr.h"

#include <cstdlib>
#include <vector>
#include "dui/res.mgr/SImageLoader.h"
#include "dui/res.mgr/SResProviderFiles.h"
#include "dui/res.mgr/SResProviderPE.h"
#include "dui/res.mgr/SUiDefInfo.h"

namespace DUI {

BOOL CreateResProvider(int kind, IResProvider** out)
{
    if (!out) return FALSE;
    *out = nullptr;
    if (kind == RES_PE)
        *out = new SResProviderPE();
    else if (kind == RES_FILE)
        *out = new SResProviderFiles();
    return *out != nullptr;
}

namespace {

struct BuiltinCursor
{
    const wchar_t* name;
    LPCWSTR id;
};

const BuiltinCursor kCursors[] = {
    {L"arrow", IDC_ARROW}, {L"ibeam", IDC_IBEAM}, {L"wait", IDC_WAIT}, {L"cross", IDC_CROSS},
    {L"uparrow", IDC_UPARROW}, {L"size", IDC_SIZE}, {L"hand", IDC_HAND}, {L"sizenwse", IDC_SIZENWSE},
    {L"sizenesw", IDC_SIZENESW}, {L"sizewe", IDC_SIZEWE}, {L"sizens", IDC_SIZENS}, {L"sizeall", IDC_SIZEALL},
    {L"no", IDC_NO}, {L"help", IDC_HELP},
};

LPCWSTR BuiltinCursorId(LPCWSTR name)
{
    for (const auto& c : kCursors)
        if (_wcsicmp(name, c.name) == 0) return c.id;
    return nullptr;
}

} // namespace

SResProviderMgr::SResProviderMgr() = default;

SResProviderMgr::~SResProviderMgr()
{
    RemoveAllResProviders();
}

bool SResProviderMgr::IsFileType(LPCWSTR type)
{
    return type && !IS_INTRESOURCE(type) && _wcsicmp(type, L"file") == 0;
}

COLORREF SResProviderMgr::GetColor(LPCWSTR text) const
{
    const SUiDef* uidef = SUiDef::GetInstance();
    IUiDefInfo* current = uidef ? uidef->GetUiDef() : nullptr;
    return current ? current->GetNamedColor().Get(text) : m_noColors.Get(text);
}

SLayoutSize SResProviderMgr::GetLayoutDim(LPCWSTR text) const
{
    const SUiDef* uidef = SUiDef::GetInstance();
    IUiDefInfo* current = uidef ? uidef->GetUiDef() : nullptr;
    return current ? current->GetNamedDimension().Get(text) : m_noDims.Get(text);
}

SLayoutSize ResolveLayoutDim(LPCWSTR text)
{
    const SResProviderMgr* res = SResProviderMgr::GetInstance();
    return res ? res->GetLayoutDim(text) : SNamedDimension().Get(text);
}

SStringW ResolveNamedString(const SStringW& text)
{
    const SResProviderMgr* res = SResProviderMgr::GetInstance();
    return res ? res->GetString(text.c_str()) : SNamedString().Get(text.c_str());
}

COLORREF ResolveNamedColor(const SStringW& text)
{
    const SResProviderMgr* res = SResProviderMgr::GetInstance();
    return res ? res->GetColor(text.c_str()) : SNamedColor().Get(text.c_str());
}

SStringW SResProviderMgr::GetString(LPCWSTR text) const
{
    const SUiDef* uidef = SUiDef::GetInstance();
    IUiDefInfo* current = uidef ? uidef->GetUiDef() : nullptr;
    return current ? current->GetNamedString().Get(text) : m_noStrings.Get(text);
}

void SResProviderMgr::AddResProvider(IResProvider* provider, LPCWSTR uidefId)
{
    if (!provider) return;
    SAutoLock lock(m_lock);
    provider->AddRef();
    m_providers.AddTail(provider);
    SUiDef* uidef = SUiDef::GetInstance();
    if (!uidefId || !uidef) return;
    IUiDefInfo* def = uidef->LoadUiDef(provider, uidefId);
    uidef->SetUiDef(def);
    def->Release();
}

void SResProviderMgr::RemoveResProvider(IResProvider* provider)
{
    SAutoLock lock(m_lock);
    for (auto pos = m_providers.GetTailPosition(); pos; pos = pos->m_pPrev) {
        if (m_providers.GetAt(pos) != provider) continue;
        m_providers.RemoveAt(pos);
        provider->Release();
        return;
    }
}

void SResProviderMgr::DestroyCursors()
{
    for (auto pos = m_cursors.GetStartPosition(); pos; pos = m_cursors.GetNext(pos)) DestroyCursor(pos->m_value);
    m_cursors.RemoveAll();
}

void SResProviderMgr::RemoveAllResProviders()
{
    SAutoLock lock(m_lock);
    for (auto pos = m_providers.GetHeadPosition(); pos;) m_providers.GetNext(pos)->Release();
    m_providers.RemoveAll();
    DestroyCursors();
}

IResProvider* SResProviderMgr::FindResProvider(LPCWSTR type, LPCWSTR name)
{
    if (!type) return nullptr;
    SAutoLock lock(m_lock);
    for (auto pos = m_providers.GetTailPosition(); pos; pos = pos->m_pPrev) {
        IResProvider* p = m_providers.GetAt(pos);
        if (p->HasResource(type, name)) return p;
    }
    return nullptr;
}

size_t SResProviderMgr::GetRawBufferSize(LPCWSTR type, LPCWSTR name)
{
    SAutoLock lock(m_lock);
    if (IsFileType(type)) return SResProviderFiles::FileSize(name);
    IResProvider* p = FindResProvider(type, name);
    return p ? p->GetRawBufferSize(type, name) : 0;
}

BOOL SResProviderMgr::GetRawBuffer(LPCWSTR type, LPCWSTR name, LPVOID buffer, size_t size)
{
    SAutoLock lock(m_lock);
    if (IsFileType(type)) return SResProviderFiles::ReadWholeFile(name, buffer, size);
    IResProvider* p = FindResProvider(type, name);
    return p ? p->GetRawBuffer(type, name, buffer, size) : FALSE;
}

IPaintBitmap* SResProviderMgr::LoadImage(LPCWSTR type, LPCWSTR name)
{
    if (!type) return nullptr;
    SAutoLock lock(m_lock);
    if (IsFileType(type)) return LoadBitmapFromFile(name);
    IResProvider* p = FindResProvider(type, name);
    return p ? p->LoadImage(type, name) : nullptr;
}

IPaintBitmap* SResProviderMgr::LoadImageFromText(LPCWSTR text)
{
    if (!text) return nullptr;
    SStringWList parts;
    if (ParseResId(SStringW(text), parts) != 2) return nullptr;
    return LoadImage(parts[0].c_str(), parts[1].c_str());
}

BOOL SResProviderMgr::LoadXmlResource(LPCWSTR name, LPCWSTR type, xmldom::xml_document& doc, IResProvider* provider)
{
    if (!provider && IsFileType(type))
        return name && doc.load_file(name, xmldom::parse_default, xmldom::encoding_utf8) ? TRUE : FALSE;
    SAutoLock lock(m_lock);
    if (!provider)
        provider = FindResProvider(type, name);
    if (!provider)
        return FALSE;
    const size_t size = provider->GetRawBufferSize(type, name);
    if (size == 0)
        return FALSE;
    std::vector<char> bytes(size + 1, 0);
    if (!provider->GetRawBuffer(type, name, bytes.data(), size))
        return FALSE;
    return doc.load_buffer(bytes.data(), size, xmldom::parse_default, xmldom::encoding_utf8) ? TRUE : FALSE;
}

HICON SResProviderMgr::LoadIcon(LPCWSTR name, int cx, int cy, BOOL fromFile)
{
    SAutoLock lock(m_lock);
    if (fromFile) return static_cast<HICON>(::LoadImageW(nullptr, name, IMAGE_ICON, cx, cy, LR_LOADFROMFILE));
    IResProvider* p = FindResProvider(L"ICON", name);
    return p ? p->LoadIcon(name, cx, cy) : nullptr;
}

HICON SResProviderMgr::LoadIconFromText(LPCWSTR text)
{
    if (!text) return nullptr;
    SStringWList parts;
    if (ParseResId(SStringW(text), parts) == 2) {
        const int size = _wtoi(parts[1].c_str());
        return LoadIcon(parts[0].c_str(), size, size, FALSE);
    }
    return LoadIcon(text, 0, 0, FALSE);
}

HCURSOR SResProviderMgr::LoadCursor(LPCWSTR name, BOOL fromFile)
{
    if (!name) return nullptr;
    if (IS_INTRESOURCE(name)) return ::LoadCursorW(nullptr, name);
    SAutoLock lock(m_lock);
    if (LPCWSTR id = BuiltinCursorId(name)) return ::LoadCursorW(nullptr, id);
    const SStringW key(name);
    HCURSOR cursor = nullptr;
    if (m_cursors.Lookup(key, cursor)) return cursor;
    if (fromFile) {
        cursor = static_cast<HCURSOR>(::LoadImageW(nullptr, name, IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE));
    } else {
        IResProvider* p = FindResProvider(L"CURSOR", name);
        cursor = p ? p->LoadCursor(name) : nullptr;
    }
    if (cursor) m_cursors.SetAt(key, cursor);
    return cursor;
}

} // namespace DUI
