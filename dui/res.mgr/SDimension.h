#pragma once
// Dimension texts of skins and fonts in pixels: "4" and "4px" are pixels,
// "4dp", "4dip" and "4sp" grow with the scale in percent. A bare number is
// in pixels, the framework's default unit at start.
#include "dui/core/TStringT.h"

namespace DUI {

int DimensionToPixels(const SStringW& text, int scale);

} // namespace DUI
