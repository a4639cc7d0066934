#pragma once
// Pixel arithmetic of the render component on 32-bit premultiplied pixels
// (0xAARRGGBB in a uint32_t, bytes B, G, R, A in memory). Pure functions on
// plain buffers, so drawing can be tested without a window.
#include <winsock2.h>
#include <windows.h>
#include <cstdint>
#include <vector>

namespace vrender {

// c * a / 255 on all four channels at once, rounded.
inline uint32_t MulAlpha(uint32_t c, uint32_t a)
{
    uint32_t rb = (c & 0x00FF00FFu) * a + 0x00800080u;
    rb = ((rb + ((rb >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
    uint32_t ag = ((c >> 8) & 0x00FF00FFu) * a + 0x00800080u;
    ag = (ag + ((ag >> 8) & 0x00FF00FFu)) & 0xFF00FF00u;
    return rb | ag;
}

// Source over destination, both premultiplied.
inline uint32_t Over(uint32_t src, uint32_t dst)
{
    const uint32_t sa = src >> 24;
    if (sa == 255) return src;
    if (sa == 0) return dst;
    return src + MulAlpha(dst, 255 - sa);
}

// A colour value (red in the low byte, alpha in the top byte) as a pixel.
uint32_t PixelFromColor(COLORREF color);
// A colour value with its alpha scaled by alpha / 255.
COLORREF ColorWithAlpha(COLORREF color, BYTE alpha);

// A pixel buffer view: `stride` in pixels.
struct PixelView
{
    uint32_t* bits = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
    uint32_t* Row(int y) const { return bits + static_cast<ptrdiff_t>(y) * stride; }
};

struct ConstPixelView
{
    const uint32_t* bits = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
    const uint32_t* Row(int y) const { return bits + static_cast<ptrdiff_t>(y) * stride; }
};

bool IntersectRects(RECT& out, const RECT& a, const RECT& b);

// Blends `pixel` over every pixel of `area` (already clipped to the view).
void FillArea(const PixelView& view, const RECT& area, uint32_t pixel);
// Copies `src` (positioned with its top-left at `origin`) into `area`.
void CopyArea(const PixelView& dst, const RECT& area, const ConstPixelView& src, POINT origin);
// Blends `src` (top-left at `origin`) over `area`, scaled by alpha / 255.
void BlendArea(const PixelView& dst, const RECT& area, const ConstPixelView& src, POINT origin, BYTE alpha);

// Coverage (0..1) of a pixel centred at (px, py) by an axis-aligned ellipse.
float EllipseCoverage(float cx, float cy, float rx, float ry, float px, float py);
// Coverage by a rectangle [l, r) x [t, b) with elliptic corners of radii rx, ry.
float RoundRectCoverage(float l, float t, float r, float b, float rx, float ry, float px, float py);

// Blends `pixel` with the coverage `cov(px, py)` over `area`.
template <class Cov>
void FillCoverage(const PixelView& view, const RECT& area, uint32_t pixel, Cov cov)
{
    for (int y = area.top; y < area.bottom; ++y) {
        uint32_t* row = view.Row(y);
        for (int x = area.left; x < area.right; ++x) {
            const float c = cov(x + 0.5f, y + 0.5f);
            if (c <= 0.0f) continue;
            const uint32_t a = c >= 1.0f ? 255u : static_cast<uint32_t>(c * 255.0f + 0.5f);
            row[x] = Over(a == 255 ? pixel : MulAlpha(pixel, a), row[x]);
        }
    }
}

// Scales the `src` rectangle of `view` to cx * cy pixels. Filter 0 takes the
// nearest pixel, 1 and above interpolate bilinearly, 2 and above average
// whole boxes when shrinking by more than half. Samples never leave `src`,
// so neighbouring parts of an image do not bleed into each other.
std::vector<uint32_t> ScalePixels(const ConstPixelView& view, const RECT& src, int cx, int cy, UINT filter);

// Linear interpolation of two straight colour values at t (0..1).
COLORREF LerpColor(COLORREF a, COLORREF b, float t);

} // namespace vrender
