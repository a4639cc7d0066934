#include "dui/control/SCaption.h"

#include "dui/core/base/SMsgPoint.h"
#include "dui/core/base/SOsVersion.h"

namespace DUI {

namespace {

// The move and size commands carry the hit code of the caption (2) in their
// low bits, as the system's own caption sends them.
constexpr WPARAM kMoveByCaption = SC_MOVE | HTCAPTION;        // 0xF012
constexpr WPARAM kMaximizeByCaption = SC_MAXIMIZE | HTCAPTION; // 0xF032
constexpr WPARAM kRestoreByCaption = SC_RESTORE | HTCAPTION;   // 0xF122

} // namespace

BOOL SCaption::OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    const UINT flags = static_cast<UINT>(wp);
    const POINT pt = PointFromLParam(lp);
    switch (msg) {
    case WM_LBUTTONDOWN:
        SetMsgHandled(TRUE);
        OnLButtonDown(flags, pt);
        break;
    case WM_LBUTTONDBLCLK:
        SetMsgHandled(TRUE);
        OnLButtonDblClk(flags, pt);
        break;
    case WM_MOUSEMOVE:
        SetMsgHandled(TRUE);
        OnMouseMove(flags, pt);
        break;
    case WM_LBUTTONUP:
        SetMsgHandled(TRUE);
        OnLButtonUp(flags, pt);
        break;
    default:
        return SWindow::OnSwndMessage(msg, wp, lp, result);
    }
    result = 0;
    return IsMsgHandled();
}

void SCaption::OnLButtonDown(UINT flags, POINT pt)
{
    if (IsFocusable())
        SetFocus();
    HWND host = HostHwnd();
    if (!host)
        return;
    if (StyleOf(host) & WS_MAXIMIZE) {
        m_dragPending = 1;
        return;
    }
    // The move loop runs inside this call until the button is released and
    // eats that release, so the host is told of it afterwards.
    ::SendMessageW(host, WM_SYSCOMMAND, kMoveByCaption, 0);
    ::SendMessageW(host, WM_LBUTTONUP, flags, MAKELPARAM(pt.x, pt.y));
}

void SCaption::OnLButtonDblClk(UINT, POINT)
{
    HWND host = HostHwnd();
    const DWORD style = StyleOf(host);
    if (!host || !(style & WS_THICKFRAME) || !(style & WS_MAXIMIZEBOX))
        return;
    ::SendMessageW(host, WM_SYSCOMMAND, (style & WS_MAXIMIZE) ? kRestoreByCaption : kMaximizeByCaption, 0);
}

void SCaption::OnMouseMove(UINT, POINT)
{
    HWND host = HostHwnd();
    if (!host || !(StyleOf(host) & WS_MAXIMIZE) || !m_dragPending || !IsMaximizedMoveSystem())
        return;
    m_dragPending = 0;
    ::SendMessageW(host, WM_SYSCOMMAND, kMoveByCaption, 0);
}

void SCaption::OnLButtonUp(UINT, POINT)
{
    m_dragPending = 0;
}

BOOL SCaption::IsMaximizedMoveSystem()
{
    // The program's manifest declares every version up to Windows 10, so the
    // system's own report is what GetVersionExW would say.
    OSVERSIONINFOEXW info;
    if (!ReadRtlVersion(info))
        return FALSE;
    return info.wProductType == VER_NT_WORKSTATION && info.dwMajorVersion == 6;
}

HWND SCaption::HostHwnd() const
{
    ISwndContainer* container = GetContainer();
    return container ? container->GetHostHwnd() : nullptr;
}

DWORD SCaption::StyleOf(HWND host)
{
    return host ? static_cast<DWORD>(::GetWindowLongW(host, GWL_STYLE)) : 0;
}

} // namespace DUI
