#pragma once
// The point a mouse message carries in its LPARAM: two signed 16-bit
// coordinates, negative left of or above the origin (a second monitor, a
// captured drag). The one way the framework and the program read it.
#include <winsock2.h>
#include <windows.h>

namespace DUI {

inline POINT PointFromLParam(LPARAM lp)
{
    return POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
}

} // namespace DUI
