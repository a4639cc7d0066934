#pragma once
// HIMETRIC (hundredths of a millimetre) to screen pixels and back, at the
// screen's or a window's logical resolution: the one home of that unit.
#include <winsock2.h>
#include <windows.h>

namespace DUI {

// Pixels per logical inch of a window's DC (the screen's for null).
SIZE LogPixelsOf(HWND hwnd);

SIZE HimetricToPixel(SIZE himetric);
SIZE PixelToHimetric(SIZE pixels);
// At a given number of pixels per logical inch (MulDiv rounding).
SIZE PixelToHimetric(SIZE pixels, SIZE ppi);
RECT PixelToHimetric(const RECT& pixels, SIZE ppi);

} // namespace DUI
