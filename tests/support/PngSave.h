#pragma once
// Saves what a test drew as a PNG, so that a person can look at it, when the
// environment variable VESK_SAVE_PNG names a folder; does nothing otherwise.
#include <winsock2.h>
#include <windows.h>
#include <gdiplus.h>

#include <string>

namespace testsupport {

// `bits`: cy rows of cx 32-bit pixels in `format` (GDI+ may write to them
// while it saves, so they are not const).
inline void MaybeSavePngBits(void* bits, int cx, int cy, Gdiplus::PixelFormat format, const wchar_t* name)
{
    wchar_t folder[MAX_PATH] = {};
    if (!::GetEnvironmentVariableW(L"VESK_SAVE_PNG", folder, MAX_PATH))
        return;
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok)
        return;
    {
        Gdiplus::Bitmap out(cx, cy, cx * 4, format, static_cast<BYTE*>(bits));
        static const CLSID kPng = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
        out.Save((std::wstring(folder) + L"\\" + name).c_str(), &kPng, nullptr);
    }
    Gdiplus::GdiplusShutdown(token);
}

} // namespace testsupport
