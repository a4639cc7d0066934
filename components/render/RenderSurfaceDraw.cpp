// Fills, outlines and gradients of RenderSurface.
#include "components/render/RenderSurface.h"

#include <algorithm>
#include <cmath>

namespace vrender {

namespace {

constexpr float kPi = 3.14159265f;

// Dash patterns in units of the pen width: on, off, on, off...
bool DashOn(int style, int width, float pos)
{
    static const int kDash[] = {3, 1};
    static const int kDot[] = {1, 1};
    static const int kDashDot[] = {3, 1, 1, 1};
    static const int kDashDotDot[] = {3, 1, 1, 1, 1, 1};
    const int* pattern = nullptr;
    int count = 0;
    switch (style) {
    case PS_DASH: pattern = kDash; count = 2; break;
    case PS_DOT: pattern = kDot; count = 2; break;
    case PS_DASHDOT: pattern = kDashDot; count = 4; break;
    case PS_DASHDOTDOT: pattern = kDashDotDot; count = 6; break;
    default: return true;
    }
    int period = 0;
    for (int i = 0; i < count; ++i) period += pattern[i] * width * 2;
    int at = static_cast<int>(pos) % period;
    for (int i = 0; i < count; ++i) {
        at -= pattern[i] * width * 2;
        if (at < 0) return i % 2 == 0;
    }
    return true;
}

// Angle of (dx, dy) in degrees, clockwise from the x axis (y points down), 0..360.
float AngleOf(float dx, float dy)
{
    float a = std::atan2(dy, dx) * 180.0f / kPi;
    return a < 0 ? a + 360.0f : a;
}

struct RectF
{
    float l, t, r, b;
    float Cx() const { return (l + r) / 2; }
    float Cy() const { return (t + b) / 2; }
};

RectF ToF(const RECT& r) { return {float(r.left), float(r.top), float(r.right), float(r.bottom)}; }
RectF Deflate(const RectF& r, float d) { return {r.l + d, r.t + d, r.r - d, r.b - d}; }

// Picks the gradient position 0..1 of a pixel in a shape gradient.
struct GradientPos
{
    int type;
    RectF box;
    float cx, cy, radius, dirX, dirY, minProj, span;

    float At(float px, float py) const
    {
        if (type == DUI::GT_RADIAL) return std::hypot(px - cx, py - cy) / radius;
        if (type == DUI::GT_SWEEP) return AngleOf(px - cx, py - cy) / 360.0f;
        return ((px * dirX + py * dirY) - minProj) / span;
    }
};

GradientPos MakeGradientPos(int type, const RectF& box, float angle, float centreX, float centreY, int radius)
{
    GradientPos g = {type, box, box.l + (box.r - box.l) * centreX, box.t + (box.b - box.t) * centreY, 1, 1, 0, 0, 1};
    g.radius = radius > 0 ? float(radius) : std::max(1.0f, std::min(box.r - box.l, box.b - box.t) / 2);
    g.dirX = std::cos(angle * kPi / 180.0f);
    g.dirY = std::sin(angle * kPi / 180.0f);
    const float proj[4] = {box.l * g.dirX + box.t * g.dirY, box.r * g.dirX + box.t * g.dirY,
                           box.l * g.dirX + box.b * g.dirY, box.r * g.dirX + box.b * g.dirY};
    g.minProj = *std::min_element(proj, proj + 4);
    g.span = std::max(1e-3f, *std::max_element(proj, proj + 4) - g.minProj);
    return g;
}

} // namespace

HRESULT RenderSurface::FillRectColor(const RECT* rect, COLORREF color)
{
    if (!rect) return E_INVALIDARG;
    const uint32_t pixel = PixelFromColor(color);
    const PixelView view = m_bitmap->View();
    ForEachClip(ToDevice(*rect), [&](const RECT& area) { FillArea(view, area, pixel); });
    return S_OK;
}

HRESULT RenderSurface::ClearRect(const RECT* rect, COLORREF color)
{
    if (!rect) return E_INVALIDARG;
    const uint32_t pixel = PixelFromColor(color);
    const PixelView view = m_bitmap->View();
    ForEachClip(ToDevice(*rect), [&](const RECT& area) {
        for (int y = area.top; y < area.bottom; ++y)
            std::fill(view.Row(y) + area.left, view.Row(y) + area.right, pixel);
    });
    return S_OK;
}

HRESULT RenderSurface::FillRoundRectColor(const RECT* rect, POINT corner, COLORREF color)
{
    if (!rect) return E_INVALIDARG;
    const RECT d = ToDevice(*rect);
    const LONG rx = std::min<LONG>(corner.x, (d.right - d.left) / 2);
    const LONG ry = std::min<LONG>(corner.y, (d.bottom - d.top) / 2);
    if (rx <= 0 || ry <= 0) return FillRectColor(rect, color);
    const uint32_t pixel = PixelFromColor(color);
    // The band between the corners is a plain fill; only the top and bottom
    // bands need coverage per pixel.
    const RECT middle = {d.left, d.top + ry, d.right, d.bottom - ry};
    const PixelView view = m_bitmap->View();
    ForEachClip(middle, [&](const RECT& area) { FillArea(view, area, pixel); });
    const RectF f = ToF(d);
    auto cov = [&](float px, float py) { return RoundRectCoverage(f.l, f.t, f.r, f.b, float(rx), float(ry), px, py); };
    FillShape({d.left, d.top, d.right, d.top + ry}, pixel, cov);
    FillShape({d.left, d.bottom - ry, d.right, d.bottom}, pixel, cov);
    return S_OK;
}

HRESULT RenderSurface::FillEllipse(const RECT* rect, COLORREF color)
{
    if (!rect) return E_INVALIDARG;
    const RectF f = ToF(ToDevice(*rect));
    FillShape(ToDevice(*rect), PixelFromColor(color), [&](float px, float py) {
        return EllipseCoverage(f.Cx(), f.Cy(), (f.r - f.l) / 2, (f.b - f.t) / 2, px, py);
    });
    return S_OK;
}

HRESULT RenderSurface::FillGradientRect(const RECT* rect, BOOL vertical, COLORREF from, COLORREF to, BYTE alpha)
{
    if (!rect) return E_INVALIDARG;
    const RECT d = ToDevice(*rect);
    const int n = vertical ? d.bottom - d.top : d.right - d.left;
    if (n <= 0 || d.right <= d.left || d.bottom <= d.top) return S_OK;
    std::vector<uint32_t> ramp(n);
    for (int i = 0; i < n; ++i)
        ramp[i] = PixelFromColor(ColorWithAlpha(LerpColor(from, to, n > 1 ? float(i) / (n - 1) : 0.0f), alpha));
    const PixelView view = m_bitmap->View();
    ForEachClip(d, [&](const RECT& area) {
        for (int y = area.top; y < area.bottom; ++y) {
            uint32_t* row = view.Row(y);
            for (int x = area.left; x < area.right; ++x)
                row[x] = Over(ramp[vertical ? y - d.top : x - d.left], row[x]);
        }
    });
    return S_OK;
}

HRESULT RenderSurface::FillShapeGradient(const RECT* rect, int type, COLORREF start, COLORREF centre, COLORREF end,
                                         float angle, float centreX, float centreY, int radius, BYTE alpha)
{
    if (!rect || type < DUI::GT_LINEAR || type > DUI::GT_SWEEP) return E_INVALIDARG;
    uint32_t lut[256];
    for (int i = 0; i < 256; ++i) {
        const float t = i / 255.0f;
        const COLORREF c = t < 0.5f ? LerpColor(start, centre, t * 2) : LerpColor(centre, end, (t - 0.5f) * 2);
        lut[i] = PixelFromColor(ColorWithAlpha(c, alpha));
    }
    const RECT d = ToDevice(*rect);
    const GradientPos pos = MakeGradientPos(type, ToF(d), angle, centreX, centreY, radius);
    const PixelView view = m_bitmap->View();
    ForEachClip(d, [&](const RECT& area) {
        for (int y = area.top; y < area.bottom; ++y) {
            uint32_t* row = view.Row(y);
            for (int x = area.left; x < area.right; ++x) {
                const float t = std::clamp(pos.At(x + 0.5f, y + 0.5f), 0.0f, 1.0f);
                row[x] = Over(lut[static_cast<int>(t * 255.0f + 0.5f)], row[x]);
            }
        }
    });
    return S_OK;
}

// Outlines lie inside the shape's rectangle, the pen's width wide, so a
// 1-pixel border stays crisp. `cov` is the outline's coverage at a pixel.
template <class Cov>
HRESULT RenderSurface::Stroke(const RECT& device, Cov cov, bool perimeterDashes)
{
    const int style = m_pen->GetStyle();
    const int w = m_pen->GetWidth();
    if (style == PS_NULL) return S_OK;
    const RectF f = ToF(device);
    const float cw = f.r - f.l, ch = f.b - f.t;
    // Position along the outline: the perimeter for rectangles, else the angle.
    auto along = [&](float px, float py) {
        if (!perimeterDashes) return AngleOf(px - f.Cx(), py - f.Cy()) / 360.0f * (cw + ch) * 2;
        if (py < f.t + w) return px - f.l;
        if (px >= f.r - w) return cw + (py - f.t);
        if (py >= f.b - w) return cw + ch + (f.r - px);
        return 2 * cw + ch + (f.b - py);
    };
    FillShape(device, PixelFromColor(m_pen->GetColor()), [&](float px, float py) {
        const float c = cov(px, py);
        return c > 0 && DashOn(style, w, along(px, py)) ? c : 0.0f;
    });
    return S_OK;
}

HRESULT RenderSurface::DrawRectangle(const RECT* rect)
{
    if (!rect) return E_INVALIDARG;
    const RectF o = ToF(ToDevice(*rect));
    const RectF i = Deflate(o, float(m_pen->GetWidth()));
    return Stroke(ToDevice(*rect), [&](float px, float py) {
        const bool inner = px > i.l && px < i.r && py > i.t && py < i.b;
        return inner ? 0.0f : 1.0f;
    }, true);
}

HRESULT RenderSurface::DrawRoundRect(const RECT* rect, POINT corner)
{
    if (!rect) return E_INVALIDARG;
    const float w = float(m_pen->GetWidth());
    const RectF o = ToF(ToDevice(*rect));
    const RectF i = Deflate(o, w);
    const float rx = float(corner.x), ry = float(corner.y);
    return Stroke(ToDevice(*rect), [&](float px, float py) {
        const float outer = RoundRectCoverage(o.l, o.t, o.r, o.b, rx, ry, px, py);
        const float inner = i.r > i.l && i.b > i.t
            ? RoundRectCoverage(i.l, i.t, i.r, i.b, std::max(rx - w, 0.0f), std::max(ry - w, 0.0f), px, py) : 0.0f;
        return std::max(outer - inner, 0.0f);
    }, rx <= 0 || ry <= 0);
}

HRESULT RenderSurface::DrawEllipse(const RECT* rect)
{
    if (!rect) return E_INVALIDARG;
    return DrawArc(rect, 0.0f, 360.0f, FALSE);
}

HRESULT RenderSurface::DrawArc(const RECT* rect, float startAngle, float sweepAngle, BOOL)
{
    if (!rect) return E_INVALIDARG;
    const float w = float(m_pen->GetWidth());
    const RectF o = ToF(ToDevice(*rect));
    const float rx = (o.r - o.l) / 2, ry = (o.b - o.t) / 2;
    if (sweepAngle < 0) {
        startAngle += sweepAngle;
        sweepAngle = -sweepAngle;
    }
    const float start = std::fmod(std::fmod(startAngle, 360.0f) + 360.0f, 360.0f);
    return Stroke(ToDevice(*rect), [&](float px, float py) {
        if (sweepAngle < 360.0f) {
            const float rel = std::fmod(AngleOf(px - o.Cx(), py - o.Cy()) - start + 360.0f, 360.0f);
            if (rel > sweepAngle) return 0.0f;
        }
        const float outer = EllipseCoverage(o.Cx(), o.Cy(), rx, ry, px, py);
        const float inner = EllipseCoverage(o.Cx(), o.Cy(), rx - w, ry - w, px, py);
        return std::max(outer - inner, 0.0f);
    }, false);
}

// Each segment runs through the pixel centres of its end points; a pixel is
// covered by its distance to the segment against half the pen width.
HRESULT RenderSurface::DrawLines(const POINT* points, int count)
{
    if (!points || count < 2) return E_INVALIDARG;
    if (m_pen->GetStyle() == PS_NULL) return S_OK;
    const float half = m_pen->GetWidth() / 2.0f;
    const uint32_t pixel = PixelFromColor(m_pen->GetColor());
    for (int i = 0; i + 1 < count; ++i) {
        const float ax = points[i].x + m_offset.x + 0.5f, ay = points[i].y + m_offset.y + 0.5f;
        const float bx = points[i + 1].x + m_offset.x + 0.5f, by = points[i + 1].y + m_offset.y + 0.5f;
        const float dx = bx - ax, dy = by - ay, len2 = dx * dx + dy * dy;
        const LONG pad = static_cast<LONG>(half) + 2;
        const RECT bounds = {static_cast<LONG>(std::min(ax, bx)) - pad, static_cast<LONG>(std::min(ay, by)) - pad,
                             static_cast<LONG>(std::max(ax, bx)) + pad, static_cast<LONG>(std::max(ay, by)) + pad};
        FillShape(bounds, pixel, [&](float px, float py) {
            const float t = len2 > 0 ? std::clamp(((px - ax) * dx + (py - ay) * dy) / len2, 0.0f, 1.0f) : 0.0f;
            const float dist = std::hypot(px - (ax + t * dx), py - (ay + t * dy));
            return std::clamp(half + 0.5f - dist, 0.0f, 1.0f);
        });
    }
    return S_OK;
}

} // namespace vrender
