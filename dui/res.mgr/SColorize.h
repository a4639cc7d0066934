#pragma once
// Tinting towards a colourise colour while keeping lightness: the colour
// arithmetic behind colourised skins. HSL components are 0-255 each; hue 0
// is red, 85 green, 170 blue.
#include <winsock2.h>
#include <windows.h>
#include <cstdint>
#include "dui/core/base/IRender.h"

namespace DUI {

struct SHsl
{
    int h = 0;
    int s = 0;
    int l = 0;
};

SHsl RgbToHsl(int r, int g, int b);
void HslToRgb(const SHsl& hsl, int& r, int& g, int& b);

// What a colourise colour gives: its hue and saturation, and the weight of
// the tint in 1/256 (204 for alpha 0, else alpha * 256 / 255).
struct STintParams
{
    int h = 0;
    int s = 0;
    int weight = 0;
};

STintParams MakeTintParams(COLORREF colourise);
// A premultiplied pixel 0xAARRGGBB tinted; alpha never changes.
uint32_t TintPixel(uint32_t pixel, const STintParams& tint);

void ColorizeColor(COLORREF& color, COLORREF colourise);
BOOL ColorizeBitmap(IPaintBitmap* bitmap, COLORREF colourise);

} // namespace DUI
