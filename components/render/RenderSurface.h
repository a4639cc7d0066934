#pragma once
// A drawing surface of the render component: a 32-bit premultiplied DIB
// section drawn by our own anti-aliased fills and blending, with GDI text
// drawn as a grey mask and blended in, so alpha stays right.
#include <optional>
#include <vector>
#include "components/render/RenderBitmap.h"
#include "dui/core/base/SHandle.h"
#include "dui/core/base/SSelectObject.h"

namespace vrender {

class RenderSurface : public DUI::TObjRefImpl<DUI::IPaintSurface>
{
public:
    explicit RenderSurface(DUI::IPaintFactory* factory);
    ~RenderSurface() override;

    // False when the memory DC could not be made: the surface is unusable.
    bool IsValid() const { return static_cast<bool>(m_dc); }

    HRESULT Resize(SIZE size) override;
    SIZE GetSize() const override;
    void SetViewportOffset(POINT offset) override;
    POINT GetViewportOffset() const override { return m_offset; }
    void SetViewOrigin(int x, int y, POINT* previous) override;
    void OffsetViewOrigin(int dx, int dy, POINT* previous) override;
    HDC GetDC(UINT flags) override;
    void ReleaseDC(HDC dc) override;

    HRESULT BlitFromSurface(const RECT* dst, DUI::IPaintSurface* src, int xSrc, int ySrc) override;
    HRESULT AlphaBlendFromSurface(const RECT* dst, DUI::IPaintSurface* src, const RECT* srcRect, BYTE alpha) override;
    DUI::IPaintObject* GetSelectedObject(int type) override;
    // `old` (when given) receives the object selected before, with the
    // surface's reference: select it back later and release it.
    HRESULT SelectObject(DUI::IPaintObject* obj, DUI::IPaintObject** old) override;
    HRESULT CreatePen(int style, COLORREF color, int width, DUI::IPen** out) override;
    HRESULT CreateSolidBrush(COLORREF color, DUI::IBrush** out) override;
    HRESULT CreateRegion(DUI::IPaintRegion** out) override;

    HRESULT PushClipRect(const RECT* rect, int mode) override;
    HRESULT PushClipRegion(DUI::IPaintRegion* region, int mode) override;
    HRESULT PopClip() override;
    HRESULT SaveClip(int* cookie) override;
    HRESULT RestoreClip(int cookie) override;
    HRESULT GetClipBox(RECT* rect) override;

    HRESULT FillRectColor(const RECT* rect, COLORREF color) override;
    HRESULT FillRoundRectColor(const RECT* rect, POINT corner, COLORREF color) override;
    HRESULT FillGradientRect(const RECT* rect, BOOL vertical, COLORREF from, COLORREF to, BYTE alpha) override;
    HRESULT FillShapeGradient(const RECT* rect, int type, COLORREF start, COLORREF centre, COLORREF end,
                              float angle, float centreX, float centreY, int radius, BYTE alpha) override;
    HRESULT FillEllipse(const RECT* rect, COLORREF color) override;

    HRESULT DrawRectangle(const RECT* rect) override;
    HRESULT DrawRoundRect(const RECT* rect, POINT corner) override;
    HRESULT DrawEllipse(const RECT* rect) override;
    HRESULT DrawArc(const RECT* rect, float startAngle, float sweepAngle, BOOL withCentre) override;

    HRESULT DrawLines(const POINT* points, int count) override;

    HRESULT DrawTextBox(LPCWSTR text, int len, RECT* rect, UINT format, BYTE alpha = 255) override;
    HRESULT MeasureText(LPCWSTR text, int len, SIZE* size) override;
    COLORREF SetTextColor(COLORREF color) override;
    COLORREF GetTextColor() const override { return m_textColor; }

    HRESULT DrawBitmapScaled(const RECT* dst, DUI::IPaintBitmap* bmp, const RECT* src, UINT mode, BYTE alpha) override;
    HRESULT DrawBitmapNinePatch(const RECT* dst, DUI::IPaintBitmap* bmp, const RECT* src, const RECT* margins,
                                UINT mode, BYTE alpha) override;
    HRESULT DrawIcon(int x, int y, HICON icon, int cx, int cy, UINT flags) override;
    HRESULT ClearRect(const RECT* rect, COLORREF color) override;

    ConstPixelView Pixels() const { return m_bitmap->ConstView(); }

private:
    RECT ToDevice(const RECT& r) const;
    using Region = DUI::SGdiObject<HRGN>;
    Region CurrentClipCopy() const;
    HRGN CurrentClip() const { return m_clipStack.empty() ? nullptr : m_clipStack.back().Get(); }
    HRESULT PushClip(Region with, int mode);
    void ApplyClip();
    // Calls f(area) for every clip rectangle's part of `device`.
    template <class F> void ForEachClip(const RECT& device, F f) const;
    template <class Cov> void FillShape(const RECT& device, uint32_t pixel, Cov cov) const;
    template <class Cov> HRESULT Stroke(const RECT& device, Cov cov, bool perimeterDashes);
    void BlendImage(const RECT& device, const ConstPixelView& img, POINT origin, BYTE alpha) const;
    void DrawPart(const RECT& dst, const RenderBitmap& bmp, const RECT& src, UINT mode, BYTE alpha);
    bool EnsureMask();
    void CompositeMask(const RECT& area, uint32_t pixel) const;

    DUI::SRefPtr<DUI::IPaintFactory> m_factory;
    DUI::SRefPtr<RenderBitmap> m_bitmap;
    DUI::SRefPtr<RenderBitmap> m_mask;
    DUI::SRefPtr<RenderPen> m_pen;
    DUI::SRefPtr<RenderBrush> m_brush;
    DUI::SRefPtr<RenderFont> m_font;
    // Each selection is undone before its DC goes: members end in reverse order.
    DUI::SMemDC m_dc;
    std::optional<DUI::SSelectObject> m_dcFont;     // restores the DC's own font
    std::optional<DUI::SSelectObject> m_dcBitmap;
    DUI::SMemDC m_maskDc;
    std::optional<DUI::SSelectObject> m_maskBitmap;
    std::optional<DUI::SSelectObject> m_maskFont;
    POINT m_offset = {0, 0};
    std::vector<Region> m_clipStack;   // device coordinates; empty: the whole surface
    std::vector<RECT> m_clipRects;
    COLORREF m_textColor = 0xFF000000;
};

template <class F>
void RenderSurface::ForEachClip(const RECT& device, F f) const
{
    RECT area;
    for (const RECT& clip : m_clipRects)
        if (IntersectRects(area, clip, device)) f(area);
}

template <class Cov>
void RenderSurface::FillShape(const RECT& device, uint32_t pixel, Cov cov) const
{
    const PixelView view = m_bitmap->View();
    ForEachClip(device, [&](const RECT& area) { FillCoverage(view, area, pixel, cov); });
}

} // namespace vrender
