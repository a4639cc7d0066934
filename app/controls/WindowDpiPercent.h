#pragma once
// The DPI a window shows at, in percent of 96 DPI. Which system call can
// tell depends on the Windows version, read from ntdll.dll's file version:
// none before Windows 7, the screen's DPI up to Windows 8, the monitor's
// effective DPI up to Windows 10 build 14955, the window's own from then on.
#include <winsock2.h>
#include <windows.h>

#include "dui/core/base/SOsVersion.h"

namespace DUI {

enum class DpiSource
{
    None,          // 100 percent
    ScreenDc,      // GetDeviceCaps(LOGPIXELSX) of the window's DC
    MonitorDpi,    // Shcore GetDpiForMonitor, effective DPI
    WindowDpi,     // User32 GetDpiForWindow
};

DpiSource DpiSourceFor(const NtVersion& version);
int WindowDpiPercent(HWND hwnd);

} // namespace DUI
