#include "dui/core/base/Himetric.h"

#include "dui/core/base/SHandle.h"

namespace DUI {

namespace {

constexpr int kHimetricPerInch = 2540;

} // namespace

SIZE LogPixelsOf(HWND hwnd)
{
    SWindowDC dc(hwnd);
    return SIZE{::GetDeviceCaps(dc, LOGPIXELSX), ::GetDeviceCaps(dc, LOGPIXELSY)};
}

SIZE HimetricToPixel(SIZE himetric)
{
    const SIZE dpi = LogPixelsOf(nullptr);
    return SIZE{::MulDiv(dpi.cx, himetric.cx, kHimetricPerInch), ::MulDiv(dpi.cy, himetric.cy, kHimetricPerInch)};
}

SIZE PixelToHimetric(SIZE pixels)
{
    return PixelToHimetric(pixels, LogPixelsOf(nullptr));
}

SIZE PixelToHimetric(SIZE pixels, SIZE ppi)
{
    return SIZE{::MulDiv(pixels.cx, kHimetricPerInch, ppi.cx), ::MulDiv(pixels.cy, kHimetricPerInch, ppi.cy)};
}

RECT PixelToHimetric(const RECT& pixels, SIZE ppi)
{
    return RECT{::MulDiv(pixels.left, kHimetricPerInch, ppi.cx), ::MulDiv(pixels.top, kHimetricPerInch, ppi.cy),
                ::MulDiv(pixels.right, kHimetricPerInch, ppi.cx), ::MulDiv(pixels.bottom, kHimetricPerInch, ppi.cy)};
}

} // namespace DUI
