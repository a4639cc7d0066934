#pragma once
// HIMETRIC (hundredths of a millimetre) to screen pixels and back, at the
// screen's logical resolution.
#include <winsock2.h>
#include <windows.h>

namespace DUI {

SIZE HimetricToPixel(SIZE himetric);
SIZE PixelToHimetric(SIZE pixels);

} // namespace DUI
