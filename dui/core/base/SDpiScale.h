#pragma once
// The one home of scaling by DPI. A scale is a percentage (100 = 96 DPI).
// Three rounding rules are in use and kept apart by name: layout sizes round
// to nearest in float, skin bitmaps and margins follow MulDiv, the default
// font height divides in integers.
#include <winsock2.h>
#include <windows.h>

namespace DUI {

// The supported scale levels, 100 to 300 in steps of 25.
int GetScaleCount();
const int* GetScaleLevels();
// The largest level not above `scale`; 100 for anything below 125.
int NormalizeScale(int scale);

// The scale of a DPI: dpi × 100 / 96 in integers, toward zero (144 -> 150).
int DpiToPercent(int dpi);

// Pixels from a float, toward zero, kept within ±kMaxPixels (NaN gives 0):
// a size text such as "1e30" must not make an undefined conversion.
constexpr int kMaxPixels = 1 << 24;
int ToPixels(float value);

// floor(value × scale / 100 + 0.5), computed in float.
int ScaleRoundNearest(float value, int scale);
// MulDiv(value, scale, 100): exact product, halves rounded away from zero.
int ScaleMulDiv(int value, int scale);
// value × scale / 100 in integers, toward zero.
int ScaleIntDiv(int value, int scale);

} // namespace DUI
