#include "dui/res.mgr/SColorize.h"

#include <algorithm>
#include "dui/core/base/SCmnMap.h"

namespace DUI {

namespace {

float HueToRgb(float p, float q, float t)
{
    if (t > 360.0f) t -= 360.0f;
    if (t < 0.0f) t += 360.0f;
    if (t < 60.0f) return p + (q - p) * t / 60.0f;
    if (t < 180.0f) return q;
    if (t < 240.0f) return p + (q - p) * (240.0f - t) / 60.0f;
    return p;
}

int Hx(int max, int x, int d)
{
    return ((max - x) * 42 + d / 2) / d;
}

} // namespace

SHsl RgbToHsl(int r, int g, int b)
{
    const int mx = std::max({r, g, b}), mn = std::min({r, g, b});
    SHsl out;
    out.l = ((mx + mn + 1) * 255) / 510;
    if (mx == mn) {
        out.h = 170;
        return out;
    }
    const int d = mx - mn, s = mx + mn;
    out.s = out.l <= 127 ? (d * 255 + s / 2) / s : (d * 255 + (510 - s) / 2) / (510 - s);
    int h;
    if (r == mx)
        h = Hx(mx, b, d) - Hx(mx, g, d);
    else if (g == mx)
        h = Hx(mx, r, d) - Hx(mx, b, d) + 85;
    else
        h = Hx(mx, g, d) - Hx(mx, r, d) - 86;
    out.h = h & 0xFF;
    return out;
}

void HslToRgb(const SHsl& hsl, int& r, int& g, int& b)
{
    const float l = hsl.l / 255.0f, s = hsl.s / 255.0f, h = hsl.h * 360.0f / 255.0f;
    if (hsl.s == 0) {
        r = g = b = static_cast<int>(l * 255.0f);
        return;
    }
    const float q = l <= 0.5f ? (s + 1.0f) * l : l + s - l * s;
    const float p = 2.0f * l - q;
    r = static_cast<int>(HueToRgb(p, q, h + 120.0f) * 255.0f);
    g = static_cast<int>(HueToRgb(p, q, h) * 255.0f);
    b = static_cast<int>(HueToRgb(p, q, h - 120.0f) * 255.0f);
}

STintParams MakeTintParams(COLORREF colourise)
{
    const SHsl hsl = RgbToHsl(colourise & 0xFF, (colourise >> 8) & 0xFF, (colourise >> 16) & 0xFF);
    const uint32_t alpha = colourise >> 24;
    const float strength = alpha == 0 ? 0.8f : alpha / 255.0f;
    return {hsl.h, hsl.s, static_cast<int>(strength * 256.0f)};
}

uint32_t TintPixel(uint32_t pixel, const STintParams& tint)
{
    const uint32_t a = pixel >> 24;
    if (a == 0) return pixel;
    int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
    if (a < 255) {
        r = r * 255 / a;
        g = g * 255 / a;
        b = b * 255 / a;
    }
    if (tint.weight >= 256) {
        const SHsl own = RgbToHsl(r, g, b);
        HslToRgb({tint.h, tint.s, own.l}, r, g, b);
    } else {
        const int luma = (b * 117 + g * 601 + r * 306) >> 10;
        int tr, tg, tb;
        HslToRgb({tint.h, tint.s, luma}, tr, tg, tb);
        const int w = tint.weight;
        r = (r * (256 - w) + tr * w) >> 8;
        g = (g * (256 - w) + tg * w) >> 8;
        b = (b * (256 - w) + tb * w) >> 8;
    }
    if (a < 255) {
        r = r * static_cast<int>(a) / 255;
        g = g * static_cast<int>(a) / 255;
        b = b * static_cast<int>(a) / 255;
    }
    // Straight colours above 255 can only come from components above alpha.
    r = std::min(r, 255);
    g = std::min(g, 255);
    b = std::min(b, 255);
    return (a << 24) | (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) | static_cast<uint32_t>(b);
}

void ColorizeColor(COLORREF& color, COLORREF colourise)
{
    const STintParams tint = MakeTintParams(colourise);
    // The colour value's bytes read as a pixel: red, green, blue, alpha in memory.
    const uint32_t asPixel = (color & 0xFF000000u) | ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
    const uint32_t out = TintPixel(asPixel, tint);
    color = (out & 0xFF000000u) | ((out >> 16) & 0xFF) | (out & 0xFF00) | ((out & 0xFF) << 16);
}

BOOL ColorizeBitmap(IPaintBitmap* bitmap, COLORREF colourise)
{
    if (!bitmap) return FALSE;
    const STintParams tint = MakeTintParams(colourise);
    auto* pixels = static_cast<uint32_t*>(bitmap->LockPixels());
    if (!pixels) {
        bitmap->UnlockPixels(pixels);
        return FALSE;
    }
    // Interface images have few distinct values: tint each value once.
    SCmnMap<uint32_t, uint32_t> cache;
    const size_t count = static_cast<size_t>(bitmap->Width()) * bitmap->Height();
    for (size_t i = 0; i < count; ++i) {
        uint32_t tinted;
        if (!cache.Lookup(pixels[i], tinted)) {
            tinted = TintPixel(pixels[i], tint);
            cache.SetAt(pixels[i], tinted);
        }
        pixels[i] = tinted;
    }
    bitmap->UnlockPixels(pixels);
    return TRUE;
}

} // namespace DUI
