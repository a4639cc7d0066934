#include "dui/res.mgr/SResProviderPE.h"

#include <cstring>
#include "dui/res.mgr/SImageLoader.h"

namespace DUI {

namespace {

bool IsIntResource(LPCWSTR p)
{
    return (reinterpret_cast<ULONG_PTR>(p) >> 16) == 0;
}

// The standard types the framework names in text; others are looked up by text.
LPCWSTR MapType(LPCWSTR type)
{
    if (IsIntResource(type)) return type;
    if (_wcsicmp(type, L"BITMAP") == 0) return RT_BITMAP;
    if (_wcsicmp(type, L"ICON") == 0) return RT_GROUP_ICON;
    if (_wcsicmp(type, L"CURSOR") == 0) return RT_GROUP_CURSOR;
    if (_wcsicmp(type, L"HTML") == 0) return RT_HTML;
    return type;
}

} // namespace

BOOL SResProviderPE::Init(WPARAM module)
{
    m_module = reinterpret_cast<HMODULE>(module);
    return TRUE;
}

HRSRC SResProviderPE::Find(LPCWSTR type, LPCWSTR name) const
{
    if (!type || !name) return nullptr;
    const LPCWSTR mapped = MapType(type);
    HRSRC res = FindResourceW(m_module, name, mapped);
    if (!res && mapped == RT_GROUP_CURSOR) res = FindResourceW(m_module, name, RT_ANICURSOR);
    return res;
}

const void* SResProviderPE::Bytes(LPCWSTR type, LPCWSTR name, DWORD& size) const
{
    size = 0;
    HRSRC res = Find(type, name);
    if (!res) return nullptr;
    size = SizeofResource(m_module, res);
    HGLOBAL data = size ? LoadResource(m_module, res) : nullptr;
    return data ? LockResource(data) : nullptr;
}

BOOL SResProviderPE::HasResource(LPCWSTR type, LPCWSTR name)
{
    return Find(type, name) != nullptr;
}

HICON SResProviderPE::LoadIcon(LPCWSTR name, int cx, int cy)
{
    return static_cast<HICON>(::LoadImageW(m_module, name, IMAGE_ICON, cx, cy, LR_DEFAULTCOLOR));
}

HBITMAP SResProviderPE::LoadBitmap(LPCWSTR name)
{
    return ::LoadBitmapW(m_module, name);
}

HCURSOR SResProviderPE::LoadCursor(LPCWSTR name)
{
    HRSRC ani = name ? FindResourceW(m_module, name, RT_ANICURSOR) : nullptr;
    if (ani) {
        const DWORD size = SizeofResource(m_module, ani);
        HGLOBAL data = LoadResource(m_module, ani);
        auto* bytes = static_cast<BYTE*>(data ? LockResource(data) : nullptr);
        if (bytes && size) return reinterpret_cast<HCURSOR>(CreateIconFromResource(bytes, size, FALSE, 0x30000));
    }
    return ::LoadCursorW(m_module, name);
}

IPaintBitmap* SResProviderPE::LoadImage(LPCWSTR type, LPCWSTR name)
{
    DWORD size = 0;
    const void* bytes = Bytes(type, name, size);
    return bytes ? LoadBitmapFromMemory(bytes, size) : nullptr;
}

IPictureFrames* SResProviderPE::LoadImgX(LPCWSTR type, LPCWSTR name)
{
    DWORD size = 0;
    const void* bytes = Bytes(type, name, size);
    return bytes ? LoadPictureFromMemory(bytes, size) : nullptr;
}

size_t SResProviderPE::GetRawBufferSize(LPCWSTR type, LPCWSTR name)
{
    HRSRC res = Find(type, name);
    return res ? SizeofResource(m_module, res) : 0;
}

BOOL SResProviderPE::GetRawBuffer(LPCWSTR type, LPCWSTR name, LPVOID buffer, size_t size)
{
    DWORD have = 0;
    const void* bytes = Bytes(type, name, have);
    if (!bytes || have == 0) return FALSE;
    if (size < have) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    memcpy(buffer, bytes, have);
    return TRUE;
}

} // namespace DUI
