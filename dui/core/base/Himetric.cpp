#include "dui/core/base/Himetric.h"

#include "dui/core/base/SHandle.h"

namespace DUI {

namespace {

constexpr int kHimetricPerInch = 2540;

SIZE ScreenDpi()
{
    SWindowDC screen(nullptr);
    return SIZE{::GetDeviceCaps(screen, LOGPIXELSX), ::GetDeviceCaps(screen, LOGPIXELSY)};
}

} // namespace

SIZE HimetricToPixel(SIZE himetric)
{
    const SIZE dpi = ScreenDpi();
    return SIZE{::MulDiv(dpi.cx, himetric.cx, kHimetricPerInch), ::MulDiv(dpi.cy, himetric.cy, kHimetricPerInch)};
}

SIZE PixelToHimetric(SIZE pixels)
{
    const SIZE dpi = ScreenDpi();
    return SIZE{::MulDiv(kHimetricPerInch, pixels.cx, dpi.cx), ::MulDiv(kHimetricPerInch, pixels.cy, dpi.cy)};
}

} // namespace DUI
