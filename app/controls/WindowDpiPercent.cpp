#include "app/controls/WindowDpiPercent.h"

#include "dui/core/base/SDpiScale.h"
#include "dui/core/base/SHandle.h"

namespace DUI {

namespace {

// Each library is loaded for the one call and freed again.
template <class Fn>
Fn FindExport(const SModuleHandle& module, const char* name)
{
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}

int ScreenDcPercent(HWND hwnd)
{
    SWindowDC dc(hwnd);
    return DpiToPercent(::GetDeviceCaps(dc.Get(), LOGPIXELSX));
}

int MonitorDpiPercent(HWND hwnd)
{
    using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    const SModuleHandle shcore(::LoadLibraryW(L"Shcore.dll"));
    auto fn = FindExport<GetDpiForMonitorFn>(shcore, "GetDpiForMonitor");
    if (!fn)
        return 100;
    RECT rc = {};
    ::GetWindowRect(hwnd, &rc);
    UINT x = 0, y = 0;
    if (FAILED(fn(::MonitorFromRect(&rc, MONITOR_DEFAULTTONEAREST), 0 /* effective DPI */, &x, &y)))
        return 100;
    return DpiToPercent(static_cast<int>(x));
}

int WindowDpiOwnPercent(HWND hwnd)
{
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    const SModuleHandle user32(::LoadLibraryW(L"User32.dll"));
    auto fn = FindExport<GetDpiForWindowFn>(user32, "GetDpiForWindow");
    return fn ? DpiToPercent(static_cast<int>(fn(hwnd))) : 100;
}

} // namespace

DpiSource DpiSourceFor(const NtVersion& v)
{
    if (v.major < 6 || (v.major == 6 && v.minor == 0) || (v.major == 6 && v.minor == 1 && v.build < 7600))
        return DpiSource::None;
    if (v.major == 6 && v.minor <= 2)
        return DpiSource::ScreenDc;
    if (v.major < 10 || (v.major == 10 && v.minor == 0 && v.build < 14955))
        return DpiSource::MonitorDpi;
    return DpiSource::WindowDpi;
}

int WindowDpiPercent(HWND hwnd)
{
    switch (DpiSourceFor(ReadNtdllVersion())) {
    case DpiSource::ScreenDc: return ScreenDcPercent(hwnd);
    case DpiSource::MonitorDpi: return MonitorDpiPercent(hwnd);
    case DpiSource::WindowDpi: return WindowDpiOwnPercent(hwnd);
    case DpiSource::None: break;
    }
    return 100;
}

} // namespace DUI
