#pragma once
// What the window benchmarks share: button faces made in memory, the median
// of the runs, and the frame saved as a PNG to look at.
#include <winsock2.h>
#include <windows.h>
#include <gdiplus.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "dui/core/base/IRender.h"
#include "dui/core/base/SRefPtr.h"

namespace benchenv {

using DUI::IPaintBitmap;
using DUI::IPaintFactory;
using DUI::IPaintSurface;
using DUI::OT_BITMAP;
using DUI::SRefPtr;

// Four 24 x 24 button faces side by side: normal, hover, pushed, disabled.
inline SRefPtr<IPaintBitmap> ButtonFaces(IPaintFactory* f)
{
    const uint32_t faces[4] = {0xFF3C7DD9u, 0xFF5A95E6u, 0xFF2A62B0u, 0xFFB0B8C4u};
    std::vector<uint32_t> px(96 * 24);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 96; ++x) {
            const int cx = x % 24;
            const bool edge = cx < 2 || y < 2 || cx >= 22 || y >= 22;
            px[y * 96 + x] = edge ? 0xFF1E4C8Cu : faces[x / 24];
        }
    SRefPtr<IPaintBitmap> bmp;
    f->CreateBitmap(bmp.Put());
    bmp->InitPixels(96, 24, px.data());
    return bmp;
}

inline bool SavePng(IPaintSurface* image, const wchar_t* path)
{
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok)
        return false;
    bool saved = false;
    {
        auto* bmp = static_cast<IPaintBitmap*>(image->GetSelectedObject(OT_BITMAP));
        void* bits = bmp->LockPixels();
        Gdiplus::Bitmap out(bmp->Width(), bmp->Height(), bmp->Width() * 4, PixelFormat32bppPARGB,
                            static_cast<BYTE*>(bits));
        static const CLSID kPng = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
        saved = out.Save(path, &kPng, nullptr) == Gdiplus::Ok;
        bmp->UnlockPixels(bits);
    }
    Gdiplus::GdiplusShutdown(token);
    return saved;
}

// The benchmarks name their picture on their narrow command line.
inline bool SavePng(IPaintSurface* image, const char* path)
{
    const int n = ::MultiByteToWideChar(CP_ACP, 0, path, -1, nullptr, 0);
    std::wstring wide(n > 0 ? n - 1 : 0, L'\0');
    if (n > 1)
        ::MultiByteToWideChar(CP_ACP, 0, path, -1, wide.data(), n);
    return SavePng(image, wide.c_str());
}

inline double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace benchenv
