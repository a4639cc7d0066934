#include "app/controls/WindowDpiPercent.h"

#include <vector>

#include "dui/core/base/SHandle.h"

namespace DUI {

namespace {

constexpr int kBaseDpi = 96;

int PercentOf(UINT dpi)
{
    return static_cast<int>(dpi) * 100 / kBaseDpi;
}

// Each library is loaded for the one call and freed again.
template <class Fn>
Fn FindExport(const SModuleHandle& module, const char* name)
{
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}

int ScreenDcPercent(HWND hwnd)
{
    SWindowDC dc(hwnd);
    return ::GetDeviceCaps(dc.Get(), LOGPIXELSX) * 100 / kBaseDpi;
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
    return PercentOf(x);
}

int WindowDpiOwnPercent(HWND hwnd)
{
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    const SModuleHandle user32(::LoadLibraryW(L"User32.dll"));
    auto fn = FindExport<GetDpiForWindowFn>(user32, "GetDpiForWindow");
    return fn ? PercentOf(fn(hwnd)) : 100;
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

NtVersion ReadNtdllVersion()
{
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(L"ntdll.dll", &ignored);
    if (size == 0)
        return {};
    std::vector<BYTE> block(size);
    if (!::GetFileVersionInfoW(L"ntdll.dll", 0, size, block.data()))
        return {};
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &length) || !info ||
        length < sizeof(VS_FIXEDFILEINFO))
        return {};
    return NtVersion{HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS), HIWORD(info->dwFileVersionLS)};
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
