// Painting the view's picture into the framework's render target: one
// AlphaBlend when the scales match, a scaled GDI+ copy when they differ.
#include "app/online/SWkeWebkit.h"
#include "app/online/WkeBinding.h"
#include "dui/core/SApplication.h"
#include "dui/core/base/SHandle.h"
#include "dui/core/base/SSelectObject.h"

#include <gdiplus.h>

#include <cmath>

namespace DUI {

namespace {

void EnsureGdiplus()
{
    static ULONG_PTR token = [] {
        ULONG_PTR t = 0;
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&t, &input, nullptr);
        return t;
    }();
    (void)token;
}

} // namespace

// The part of the view's picture that belongs in `area`, scaled into it
// through GDI+. A repaint of part of the control draws that part, not the
// whole picture squeezed in, at the exact (fractional) place, so it matches
// a repaint of the whole. The part, with a pixel of its neighbours for the
// filter, is copied by GDI into a top-down DIB of our own first, so the
// engine's row order does not matter.
void SWkeWebkit::PaintScaled(HDC dst, HDC srcDc, const RECT& area)
{
    BITMAP bm{};
    HGDIOBJ bmp = GetCurrentObject(srcDc, OBJ_BITMAP);
    if (!bmp || !GetObjectW(bmp, sizeof(bm), &bm)) return;
    const RECT client = GetClientRect();
    const double r = Ratio();
    const double sx = (area.left - client.left) * r, sy = (area.top - client.top) * r;
    const double sw = (area.right - area.left) * r, sh = (area.bottom - area.top) * r;
    const RECT wanted{int(std::floor(sx)) - 1, int(std::floor(sy)) - 1, int(std::ceil(sx + sw)) + 1,
        int(std::ceil(sy + sh)) + 1};
    RECT part{};
    const RECT whole{0, 0, bm.bmWidth, bm.bmHeight};
    if (sw <= 0 || sh <= 0 || !::IntersectRect(&part, &wanted, &whole)) return;
    const int w = part.right - part.left, h = part.bottom - part.top;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    SGdiObject<HBITMAP> copyBmp(CreateDIBSection(srcDc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    SMemDC copyDc(CreateCompatibleDC(srcDc));
    if (!copyBmp || !copyDc || !bits) return;
    {
        SSelectObject keep(copyDc, copyBmp);
        ::BitBlt(copyDc, 0, 0, w, h, srcDc, part.left, part.top, SRCCOPY);
    }
    ::GdiFlush();
    EnsureGdiplus();
    Gdiplus::Bitmap copy(w, h, w * 4, PixelFormat32bppPARGB, static_cast<BYTE*>(bits));
    Gdiplus::Graphics g(dst);
    g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBilinear);
    g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    g.SetPageUnit(Gdiplus::UnitPixel);
    // Edge pixels are sampled from the picture itself, not from a transparent
    // border, so the seams of partial repaints do not show.
    Gdiplus::ImageAttributes edges;
    edges.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
    const Gdiplus::RectF to(Gdiplus::REAL(area.left), Gdiplus::REAL(area.top), Gdiplus::REAL(area.right - area.left),
        Gdiplus::REAL(area.bottom - area.top));
    g.DrawImage(&copy, to, Gdiplus::REAL(sx - part.left), Gdiplus::REAL(sy - part.top), Gdiplus::REAL(sw),
        Gdiplus::REAL(sh), Gdiplus::UnitPixel, &edges);
}

void SWkeWebkit::OnPaint(IPaintSurface* rt)
{
    if (!m_view || !rt) return;
    const RECT client = GetClientRect();
    SApplication* app = SApplication::GetInstance();
    IPaintFactory* factory = app ? app->GetPaintFactory() : nullptr;
    SRefPtr<IPaintRegion> region;
    if (!factory || FAILED(factory->CreateRegion(region.Put())) || !region) return;
    region->CombineRect(&client, 5);
    if (m_corner > 0) region->CombineRoundRect(&client, POINT{m_corner, m_corner}, 1);
    rt->PushClipRegion(region.Get(), 1);
    RECT area{};
    rt->GetClipBox(&area);
    ::IntersectRect(&area, &area, &client);
    const double r = Ratio();
    const int w = area.right - area.left, h = area.bottom - area.top;
    HDC src = WkeCall(g_wke.wkeGetViewDC, HDC(nullptr), m_view);
    if (src && w > 0 && h > 0) {
        HDC dst = rt->GetDC(0);
        const BYTE alpha = GetStyle().m_byAlpha;
        if (alpha != 255 || int(r * 100) == 100) {
            // The source origin is scaled too, for a part of a translucent
            // control whose scale differs.
            BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
            ::AlphaBlend(dst, area.left, area.top, w, h, src, int((area.left - client.left) * r),
                int((area.top - client.top) * r), int(w * r), int(h * r), blend);
        } else {
            PaintScaled(dst, src, area);
        }
        rt->ReleaseDC(dst);
    }
    rt->PopClip();
}

} // namespace DUI
