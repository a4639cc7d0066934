#include "dui/res.mgr/SResProviderFiles.h"

#include <cstdio>
#include <cwctype>
#include <memory>
#include "dui/core/base/SFileSize.h"
#include "dui/res.mgr/SImageLoader.h"
#include "xml/SFile.h"
#include "xml/xmldom.h"

namespace DUI {

namespace {

bool CopyLower(wchar_t* field, size_t fieldLen, LPCWSTR text)
{
    if (!text) return true;
    if (IS_INTRESOURCE(text)) return false;   // a number, not a text: no folder entry has it
    const size_t n = wcslen(text);
    if (n > fieldLen - 2) return false;   // the fields keep room for two terminators
    for (size_t i = 0; i < n; ++i) field[i] = static_cast<wchar_t>(towlower(text[i]));
    return true;
}

} // namespace

bool SResKey::Set(LPCWSTR t, LPCWSTR n)
{
    return CopyLower(type, 31, t) && CopyLower(name, 101, n);
}

uint32_t SResKey::GetHash() const
{
    uint32_t h = 0;
    for (const wchar_t* p = type; *p; ++p) h = h * 33 + *p;
    for (const wchar_t* p = name; *p; ++p) h = h * 33 + *p;
    return h;
}

bool SResKey::operator==(const SResKey& other) const
{
    return GetHash() == other.GetHash() && wcscmp(type, other.type) == 0 && wcscmp(name, other.name) == 0;
}

BOOL SResProviderFiles::Init(WPARAM param)
{
    const auto* folder = reinterpret_cast<LPCWSTR>(param);
    if (!folder) return FALSE;
    const SStringW idx = SStringW(folder) + L"\\uires.idx";
    xmldom::xml_document doc;
    if (!doc.load_file(idx.c_str(), xmldom::parse_default)) return FALSE;
    const xmldom::xml_node resource = doc.child(L"resource");
    if (!resource) return FALSE;
    for (xmldom::xml_node type = resource.first_child(); type; type = type.next_sibling()) {
        if (type.type() != xmldom::node_element) continue;
        for (xmldom::xml_node file = type.child(L"file"); file; file = file.next_sibling(L"file")) {
            SResKey key;
            if (key.Set(type.name(), file.attribute(L"name").value()))
                m_index.SetAt(key, SStringW(file.attribute(L"path").value()));
        }
    }
    wchar_t full[1024] = {};
    GetFullPathNameW(folder, 1024, full, nullptr);
    m_folder = full;
    return TRUE;
}

SStringW SResProviderFiles::PathOf(LPCWSTR type, LPCWSTR name) const
{
    SResKey key;
    SStringW path;
    if (!key.Set(type, name) || !m_index.Lookup(key, path)) return SStringW();
    return m_folder + L"\\" + path;
}

BOOL SResProviderFiles::HasResource(LPCWSTR type, LPCWSTR name)
{
    SResKey key;
    return key.Set(type, name) && m_index.HasKey(key);
}

HICON SResProviderFiles::LoadIcon(LPCWSTR name, int cx, int cy)
{
    const SStringW path = PathOf(L"ICON", name);
    if (path.IsEmpty()) return nullptr;
    return static_cast<HICON>(::LoadImageW(nullptr, path.c_str(), IMAGE_ICON, cx, cy, LR_LOADFROMFILE));
}

HBITMAP SResProviderFiles::LoadBitmap(LPCWSTR name)
{
    const SStringW path = PathOf(L"BITMAP", name);
    if (path.IsEmpty()) return nullptr;
    return static_cast<HBITMAP>(::LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_LOADFROMFILE));
}

HCURSOR SResProviderFiles::LoadCursor(LPCWSTR name)
{
    const SStringW path = PathOf(L"CURSOR", name);
    if (path.IsEmpty()) return nullptr;
    return static_cast<HCURSOR>(::LoadImageW(nullptr, path.c_str(), IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE));
}

IPaintBitmap* SResProviderFiles::LoadImage(LPCWSTR type, LPCWSTR name)
{
    const SStringW path = PathOf(type, name);
    return path.IsEmpty() ? nullptr : LoadBitmapFromFile(path.c_str());
}

IPictureFrames* SResProviderFiles::LoadImgX(LPCWSTR type, LPCWSTR name)
{
    const SStringW path = PathOf(type, name);
    return path.IsEmpty() ? nullptr : LoadPictureFromFile(path.c_str());
}

size_t SResProviderFiles::GetRawBufferSize(LPCWSTR type, LPCWSTR name)
{
    const SStringW path = PathOf(type, name);
    return path.IsEmpty() ? 0 : FileSize(path.c_str());
}

BOOL SResProviderFiles::GetRawBuffer(LPCWSTR type, LPCWSTR name, LPVOID buffer, size_t size)
{
    const SStringW path = PathOf(type, name);
    return path.IsEmpty() ? FALSE : ReadWholeFile(path.c_str(), buffer, size);
}

size_t SResProviderFiles::FileSize(LPCWSTR path)
{
    return static_cast<size_t>(FindFileSize(path));
}

BOOL SResProviderFiles::ReadWholeFile(LPCWSTR path, LPVOID buffer, size_t size)
{
    // An empty file fits any buffer, even none.
    static char none;
    const SFileRead read = DUI::ReadWholeFile(path, [&](unsigned long long length) -> void* {
        return length == 0 ? &none : length <= size ? buffer : nullptr;
    });
    if (read.result == SFileRead::NoPlace)
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return read.result == SFileRead::Ok;
}

} // namespace DUI
