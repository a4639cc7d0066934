#include "components/render/PixelOps.h"

#include <algorithm>
#include <cmath>

namespace vrender {

uint32_t PixelFromColor(COLORREF color)
{
    const uint32_t a = color >> 24;
    const uint32_t straight = (a << 24) | ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
    return (MulAlpha(straight, a) & 0x00FFFFFFu) | (a << 24);
}

COLORREF ColorWithAlpha(COLORREF color, BYTE alpha)
{
    const uint32_t a = ((color >> 24) * alpha + 127) / 255;
    return (color & 0x00FFFFFFu) | (a << 24);
}

bool IntersectRects(RECT& out, const RECT& a, const RECT& b)
{
    out.left = std::max(a.left, b.left);
    out.top = std::max(a.top, b.top);
    out.right = std::min(a.right, b.right);
    out.bottom = std::min(a.bottom, b.bottom);
    return out.left < out.right && out.top < out.bottom;
}

void FillArea(const PixelView& view, const RECT& area, uint32_t pixel)
{
    const uint32_t a = pixel >> 24;
    if (a == 0) return;
    for (int y = area.top; y < area.bottom; ++y) {
        uint32_t* row = view.Row(y);
        if (a == 255) {
            std::fill(row + area.left, row + area.right, pixel);
            continue;
        }
        // A background mostly lands on cleared pixels, which need no blending.
        for (int x = area.left; x < area.right; ++x) {
            const uint32_t below = row[x];
            row[x] = below ? pixel + MulAlpha(below, 255 - a) : pixel;
        }
    }
}

void CopyArea(const PixelView& dst, const RECT& area, const ConstPixelView& src, POINT origin)
{
    for (int y = area.top; y < area.bottom; ++y) {
        const uint32_t* s = src.Row(y - origin.y) + (area.left - origin.x);
        std::copy(s, s + (area.right - area.left), dst.Row(y) + area.left);
    }
}

void BlendArea(const PixelView& dst, const RECT& area, const ConstPixelView& src, POINT origin, BYTE alpha)
{
    for (int y = area.top; y < area.bottom; ++y) {
        const uint32_t* s = src.Row(y - origin.y) + (area.left - origin.x);
        uint32_t* d = dst.Row(y);
        for (int x = area.left; x < area.right; ++x, ++s) {
            const uint32_t p = alpha == 255 ? *s : MulAlpha(*s, alpha);
            d[x] = Over(p, d[x]);
        }
    }
}

float EllipseCoverage(float cx, float cy, float rx, float ry, float px, float py)
{
    if (rx <= 0.0f || ry <= 0.0f) return 0.0f;
    const float nx = (px - cx) / rx, ny = (py - cy) / ry;
    const float f = nx * nx + ny * ny - 1.0f;
    const float gx = nx / rx, gy = ny / ry;
    const float g = 2.0f * std::sqrt(gx * gx + gy * gy);
    if (g < 1e-6f) return f < 0.0f ? 1.0f : 0.0f;
    // f / |grad f| approximates the signed distance to the outline in pixels.
    return std::clamp(0.5f - f / g, 0.0f, 1.0f);
}

float RoundRectCoverage(float l, float t, float r, float b, float rx, float ry, float px, float py)
{
    const float edge = std::min(std::min(px - l, r - px), std::min(py - t, b - py));
    float cov = std::clamp(edge + 0.5f, 0.0f, 1.0f);
    if (cov <= 0.0f || rx <= 0.0f || ry <= 0.0f) return cov;
    rx = std::min(rx, (r - l) / 2);
    ry = std::min(ry, (b - t) / 2);
    const float cx = px < l + rx ? l + rx : (px > r - rx ? r - rx : px);
    const float cy = py < t + ry ? t + ry : (py > b - ry ? b - ry : py);
    if (cx == px || cy == py) return cov;   // not in a corner box
    return std::min(cov, EllipseCoverage(cx, cy, rx, ry, px, py));
}

COLORREF LerpColor(COLORREF a, COLORREF b, float t)
{
    COLORREF out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const float ca = static_cast<float>((a >> shift) & 0xFF);
        const float cb = static_cast<float>((b >> shift) & 0xFF);
        const auto c = static_cast<uint32_t>(std::lround(ca + (cb - ca) * t));
        out |= std::min<uint32_t>(c, 255) << shift;
    }
    return out;
}

} // namespace vrender
