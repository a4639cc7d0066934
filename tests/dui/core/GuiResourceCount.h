#pragma once
// Counts the GDI objects and the windows of this process, for leak tests.
// Wine answers GetGuiResources with 0, but finds a GDI object by the low
// word of its handle alone, so there the table is counted by probing.
#include <winsock2.h>
#include <windows.h>

namespace guicount {

inline DWORD GdiObjects()
{
    if (const DWORD n = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS))
        return n;
    DWORD n = 0;
    for (UINT_PTR low = 4; low <= 0xFFFC; low += 4) {
        if (::GetObjectType(reinterpret_cast<HGDIOBJ>(low)))
            ++n;
    }
    return n;
}

inline DWORD ThreadWindows()
{
    DWORD n = 0;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND, LPARAM count) -> BOOL {
            ++*reinterpret_cast<DWORD*>(count);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&n));
    return n;
}

} // namespace guicount
