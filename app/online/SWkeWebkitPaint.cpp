// Painting the view's picture into the framework's render target: one
// AlphaBlend when the scales match, a scaled GDI+ copy when they differ.
#include "app/online/SWkeWebkit.h"
#include "app/online/WkeBinding.h"
#include "dui/core/SApplication.h"

#include <gdiplus.h>

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

void SWkeWebkit::PaintScaled(HDC dst, HDC src, const RECT& area, int srcW, int srcH)
{
    DIBSECTION dib{};
    HGDIOBJ bmp = GetCurrentObject(src, OBJ_BITMAP);
    if (!bmp || GetObjectW(bmp, sizeof(dib), &dib) != sizeof(dib) || !dib.dsBm.bmBits || srcW <= 0 || srcH <= 0) return;
    EnsureGdiplus();
    const int w = dib.dsBm.bmWidth, h = std::abs(dib.dsBm.bmHeight);
    Gdiplus::Bitmap copy(w, h, PixelFormat32bppPARGB);
    Gdiplus::Rect all(0, 0, w, h);
    Gdiplus::BitmapData data{};
    if (copy.LockBits(&all, Gdiplus::ImageLockModeWrite, PixelFormat32bppPARGB, &data) != Gdiplus::Ok) return;
    for (int y = 0; y < h; ++y)
        memcpy(static_cast<BYTE*>(data.Scan0) + y * data.Stride,
            static_cast<const BYTE*>(dib.dsBm.bmBits) + size_t(y) * dib.dsBm.bmWidthBytes, size_t(w) * 4);
    copy.UnlockBits(&data);
    Gdiplus::Graphics g(dst);
    g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBilinear);
    g.SetPageUnit(Gdiplus::UnitPixel);
    g.DrawImage(&copy, Gdiplus::Rect(area.left, area.top, area.right - area.left, area.bottom - area.top), 0, 0, w, h,
        Gdiplus::UnitPixel);
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
            BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
            ::AlphaBlend(dst, area.left, area.top, w, h, src, area.left - client.left, area.top - client.top, int(w * r),
                int(h * r), blend);
        } else {
            PaintScaled(dst, src, area, int(w * r), int(h * r));
        }
        rt->ReleaseDC(dst);
    }
    rt->PopClip();
}

} // namespace DUI
