#pragma once
// Dimension texts of skins and fonts in pixels: "4px" is pixels; "4dp",
// "4dip" and "4sp" grow with the scale in percent; a bare number is in the
// default unit, px at start, which a UI definition's "unit" element changes.
#include <winsock2.h>
#include <windows.h>
#include "dui/core/TStringT.h"

namespace DUI {

int DimensionToPixels(const SStringW& text, int scale);
// Takes "px", "dp", "dip" or "sp"; FALSE (and no change) for other texts.
BOOL SetDefaultDimensionUnit(const SStringW& unit);
SStringW GetDefaultDimensionUnit();
// Whether `text` is a number with an optional known unit.
bool IsDimensionText(const SStringW& text);

} // namespace DUI
