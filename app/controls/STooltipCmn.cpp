#include "app/controls/STooltipCmn.h"

namespace DUI {

STooltipCmn::STooltipCmn(LPCWSTR layout) : STooltipWnd(layout, kShowDelay) {}

BOOL STooltipCmn::ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result, DWORD mapId)
{
    const BOOL handled = STooltipWnd::ProcessWindowMessage(hwnd, msg, wp, lp, result, mapId);
    // After the host's creation, which titles the window from its layout.
    if (msg == WM_CREATE && mapId == 0 && result == 0)
        ::SetWindowTextW(hwnd, L"template_stooltipcmn");
    return handled;
}

void STooltipCmn::OnFinalMessage(HWND hwnd)
{
    STooltipWnd::OnFinalMessage(hwnd);
    // A window that failed while being made leaves the object to its maker.
    if (IsMade())
        Release();
}

RECT STooltipCmn::KeptInside(const RECT& window, const RECT& monitor)
{
    RECT rc = window;
    if (rc.right > monitor.right)
        ::OffsetRect(&rc, monitor.right - rc.right, 0);
    if (rc.bottom > monitor.bottom)
        ::OffsetRect(&rc, 0, monitor.bottom - rc.bottom);
    return rc;
}

POINT STooltipCmn::WaitingPlace(const MSG& move)
{
    return POINT{move.pt.x, move.pt.y + kCursorGap};
}

RECT STooltipCmn::ShowingPlace(SIZE size)
{
    const RECT now = GetNativeWindowRect();
    const RECT rc = {now.left, now.top, now.left + size.cx, now.top + size.cy};
    MONITORINFO mi = {sizeof(mi)};
    if (!::GetMonitorInfoW(::MonitorFromRect(&rc, MONITOR_DEFAULTTONEAREST), &mi))
        return rc;
    return KeptInside(rc, mi.rcMonitor);
}

} // namespace DUI
