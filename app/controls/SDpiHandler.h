#pragma once
// What a window does when it is to show at another DPI: `scale` is the new
// scale in percent, `rc` where the window goes (screen coordinates; its
// size is the system's suggestion).
#include <winsock2.h>
#include <windows.h>

namespace DUI {

template <class T>
struct SDpiHandler
{
    virtual void OnDpiChanged(int scale, const RECT& rc) = 0;

protected:
    ~SDpiHandler() = default;
};

} // namespace DUI
