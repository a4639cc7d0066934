// SHostWnd: the native message map. Input is recorded here and handed to
// the container, which finds the window that gets it; the host adds what
// only a native window can do: leave tracking, focus and activation, the
// non-client area, host timers, the tooltip and the inspection protocol.
#include "dui/core/SHostWnd.h"

#include <commctrl.h>
#include <algorithm>
#include <cstring>

#include "dui/core/base/DuiLog.h"
#include "dui/core/HostGeometry.h"
#include "dui/core/base/SMsgPoint.h"

namespace DUI {

namespace {

constexpr UINT kImeFirst = 0x010D, kImeLast = 0x010F;

POINT ClientPoint(HWND hwnd, LPARAM screen)
{
    POINT pt = PointFromLParam(screen);
    ::ScreenToClient(hwnd, &pt);
    return pt;
}

bool IsButtonDown(UINT msg)
{
    switch (msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK:
        return true;
    default:
        return false;
    }
}

// The button-up that ends what a button-down began; 0 for anything else.
UINT MatchingButtonUp(UINT down)
{
    switch (down) {
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: return WM_LBUTTONUP;
    case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK: return WM_RBUTTONUP;
    case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK: return WM_MBUTTONUP;
    default: return 0;
    }
}

} // namespace

BOOL SHostWnd::ProcessWindowMessage(HWND, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result, DWORD mapId)
{
    if (mapId != 0)
        return FALSE;
    const int saved = m_hostHandled;
    const BOOL taken = RunMessageMap(msg, wp, lp, result);
    m_hostHandled = saved;
    return taken;
}

// Each handler may clear the flag to let the message go on.
BOOL SHostWnd::RunMessageMap(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    SetHostHandled(TRUE);
    result = 0;
    switch (msg) {
    case WM_SIZE: OnNativeSize(static_cast<UINT>(wp), LOWORD(lp), HIWORD(lp)); return IsHostHandled();
    case WM_PRINT: OnPrint(reinterpret_cast<HDC>(wp), lp); return IsHostHandled();
    case WM_PAINT: OnNativePaint(); return IsHostHandled();
    case WM_CREATE: result = OnNativeCreate(reinterpret_cast<CREATESTRUCTW*>(lp)); return IsHostHandled();
    case WM_DESTROY: OnNativeDestroy(); return IsHostHandled();
    case WM_ERASEBKGND: result = TRUE; return TRUE;
    case WM_NCACTIVATE: result = TRUE; return TRUE;
    case WM_WINDOWPOSCHANGING: OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lp)); return TRUE;
    case WM_GETOBJECT: return FALSE;
    case WM_ACTIVATE: OnActivate(LOWORD(wp)); return IsHostHandled();
    case WM_NCCALCSIZE: result = OnNcCalcSize(static_cast<BOOL>(wp), lp); return IsHostHandled();
    case WM_SETCURSOR:
        result = OnNativeSetCursor(reinterpret_cast<HWND>(wp), LOWORD(lp), HIWORD(lp));
        return IsHostHandled();
    case WM_TIMER: OnTimer(wp); return IsHostHandled();
    case WM_NCHITTEST: result = OnNcHitTest(PointFromLParam(lp)); return IsHostHandled();
    case WM_GETMINMAXINFO: OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lp)); return IsHostHandled();
    case WM_CAPTURECHANGED: OnCaptureChanged(reinterpret_cast<HWND>(lp)); return IsHostHandled();
    default: break;
    }
    if (RunInputMessages(msg, wp, lp, result))
        return IsHostHandled();
    if (RunFrameworkMessages(msg, wp, lp, result))
        return IsHostHandled();
    if (msg == WM_NOTIFY && lp && reinterpret_cast<const NMHDR*>(lp)->code == static_cast<UINT>(NM_CUSTOMDRAW)) {
        BOOL reflected = FALSE;
        result = ReflectNotifications(msg, wp, lp, reflected);
        return reflected;
    }
    return FALSE;
}

// TRUE when the message is an input message this map knows.
BOOL SHostWnd::RunInputMessages(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (msg == WM_MOUSEWHEEL) {
        result = OnNativeMouseWheel(wp, lp);
    } else if (msg == WM_MOUSELEAVE) {
        m_trackingLeave = FALSE;
        result = OnMouseEvent(WM_MOUSELEAVE, 0, 0);
    } else if (msg == WM_MOUSEMOVE) {
        if (!m_trackingLeave) {
            TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, GetHwnd(), 0};
            m_trackingLeave = ::TrackMouseEvent(&tme);
        }
        result = OnMouseEvent(msg, wp, lp);
    } else if (msg == WM_SETFOCUS || msg == WM_KILLFOCUS) {
        result = RouteHostMessage(msg, 0, 0);
    } else if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSEHWHEEL) {
        result = OnMouseEvent(msg, wp, lp);
    } else if ((msg >= WM_KEYFIRST && msg <= WM_UNICHAR) || (msg >= kImeFirst && msg <= kImeLast) ||
               msg == WM_IME_CHAR) {
        result = OnKeyEvent(msg, wp, lp);
    } else if (msg == WM_ACTIVATEAPP) {
        result = RouteHostMessage(msg, wp, lp);
    } else {
        return FALSE;
    }
    return TRUE;
}

BOOL SHostWnd::RunFrameworkMessages(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case UM_UPDATESWND: result = OnUpdateSwnd(static_cast<SWND>(wp)); return TRUE;
    case UM_HOST_RESERVED: return TRUE;
    case UM_HOST_EVENT: result = HandleEvent(reinterpret_cast<EventArgs*>(lp)); return TRUE;
    case UM_SPY_SETWND: result = OnInspectSetWindow(reinterpret_cast<HWND>(lp)); return TRUE;
    case UM_SPY_RELATED: result = OnInspectRelated(static_cast<SWND>(wp), static_cast<UINT>(lp)); return TRUE;
    case UM_SPY_INFO: result = OnInspectInfo(static_cast<SWND>(wp)); return TRUE;
    case UM_SPY_HITTEST: result = OnInspectHitTest(lp); return TRUE;
    default: return FALSE;
    }
}

void SHostWnd::OnWindowPosChanging(WINDOWPOS* pos)
{
    // The memory surface is as large as the window: a size far beyond the
    // screen would cost gigabytes and seconds per frame, so no host grows
    // past the largest size the system lets a window be dragged to.
    if (!pos || (pos->flags & SWP_NOSIZE))
        return;
    pos->cx = std::min(pos->cx, ::GetSystemMetrics(SM_CXMAXTRACK));
    pos->cy = std::min(pos->cy, ::GetSystemMetrics(SM_CYMAXTRACK));
}

void SHostWnd::OnNativeSize(UINT, int width, int height)
{
    if (::IsIconic(GetHwnd()) || width == 0 || height == 0)
        return;
    m_resizing = TRUE;
    if (m_memSurface && FAILED(m_memSurface->Resize(SIZE{width, height})))
        DUI_LOG_WARNING("dui", "SHostWnd::OnSize", L"the memory surface cannot be %d x %d", width, height);
    OnRectChanged(RECT{0, 0, width, height});
    InvalidateAll();
    if (m_presenter)
        m_presenter->OnHostResize(SIZE{width, height});
    m_resizing = FALSE;
}

LRESULT SHostWnd::OnMouseEvent(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_MOUSEMOVE) {
        m_lastMouseMsg = 0;
        m_lastMouseWp = wp;
        m_lastMouseLp = lp;
    } else if (IsButtonDown(msg)) {
        m_lastMouseMsg = msg;
        m_lastMouseWp = wp;
        m_lastMouseLp = lp;
        if (::GetWindowLongW(GetHwnd(), GWL_STYLE) & WS_CHILD)
            ::SetFocus(GetHwnd());
    } else if (msg == WM_LBUTTONUP || msg == WM_RBUTTONUP || msg == WM_MBUTTONUP) {
        m_lastMouseMsg = 0;
    } else if (msg == WM_MOUSELEAVE) {
        m_lastMouseMsg = WM_MOUSELEAVE;
        m_lastMouseWp = 0;
        m_lastMouseLp = 0;
    }
    RouteHostMessage(msg, wp, lp);
    UpdateTooltip();
    return 0;
}

LRESULT SHostWnd::OnNativeMouseWheel(WPARAM wp, LPARAM lp)
{
    const POINT pt = ClientPoint(GetHwnd(), lp);
    return RouteHostMessage(WM_MOUSEWHEEL, wp, MAKELPARAM(pt.x, pt.y)) ? 1 : 0;
}

LRESULT SHostWnd::OnKeyEvent(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_SYSKEYDOWN || msg == WM_SYSKEYUP) {
        SWindowMgr* mgr = SWindowMgr::GetInstance();
        SWindow* focus = mgr ? mgr->GetWindow(GetFocus()) : nullptr;
        // Alt combinations belong to the system unless the focused window
        // asked for every key.
        if (!focus || !(focus->OnGetDlgCode() & 0x80000000u)) {
            SetHostHandled(FALSE);
            return 0;
        }
    }
    const LRESULT result = RouteHostMessage(msg, wp, lp);
    SetHostHandled(IsMsgHandled());
    return result;
}

void SHostWnd::OnActivate(UINT state)
{
    if (state == WA_ACTIVE || state == WA_CLICKACTIVE) {
        ::SetFocus(GetHwnd());
    } else if (state == WA_INACTIVE) {
        ::SetFocus(nullptr);
        ReleasePendingButton();
    }
}

void SHostWnd::ReleasePendingButton()
{
    if (const UINT up = MatchingButtonUp(m_lastMouseMsg))
        ::SendMessageW(GetHwnd(), up, m_lastMouseWp, m_lastMouseLp);
}

void SHostWnd::OnCaptureChanged(HWND capture)
{
    if (capture == GetHwnd())
        return;
    wchar_t cls[31] = {};
    if (capture && ::GetClassNameW(capture, cls, 31) && std::wcscmp(cls, L"CLIPBRDWNDCLASS") == 0)
        return;
    ReleasePendingButton();
}

LRESULT SHostWnd::OnNativeSetCursor(HWND hwnd, UINT hitTest, UINT mouseMsg)
{
    if (hwnd != GetHwnd())
        return FALSE;
    if (hitTest == HTCLIENT) {
        POINT pt;
        ::GetCursorPos(&pt);
        ::ScreenToClient(GetHwnd(), &pt);
        return RouteHostMessage(WM_SETCURSOR, 0, MAKELPARAM(pt.x, pt.y)) ? TRUE : FALSE;
    }
    return DefWindowProc(WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(hitTest, mouseMsg)) ? TRUE : FALSE;
}

void SHostWnd::OnTimer(UINT_PTR id)
{
    if (!IsWindowTimer(id)) {
        SetHostHandled(FALSE);
        return;
    }
    SWindowMgr* mgr = SWindowMgr::GetInstance();
    SWindow* target = mgr ? mgr->GetWindow(WindowTimerSwnd(id)) : nullptr;
    if (!target)
        ::KillTimer(GetHwnd(), id);
    else if (target == static_cast<SWindow*>(this))
        OnHostTimer(WindowTimerId(id));
    else
        target->DeliverSwndMessage(WM_TIMER, WindowTimerId(id), 0);
}

void SHostWnd::OnHostTimer(UINT id)
{
    if (id == kCaretTimer && m_caret) {
        DrawCaret(m_caretPos);
        m_caretDrawn = !m_caretDrawn;
    } else if (id == kTimelineTimer && !::IsIconic(GetHwnd())) {
        OnTimelineTick();
    }
}

BOOL SHostWnd::RegisterTimelineHandler(ITimelineHandler* handler)
{
    const BOOL added = SwndContainerImpl::RegisterTimelineHandler(handler);
    if (added && GetTimelineHandlerCount() == 1)
        SWindow::SetTimer(kTimelineTimer, 10);
    return added;
}

BOOL SHostWnd::UnregisterTimelineHandler(ITimelineHandler* handler)
{
    const BOOL removed = SwndContainerImpl::UnregisterTimelineHandler(handler);
    if (removed && GetTimelineHandlerCount() == 0)
        SWindow::KillTimer(kTimelineTimer);
    return removed;
}

BOOL SHostWnd::ReleaseCapture()
{
    SwndContainerImpl::ReleaseCapture();
    if (GetHwnd() && ::GetCapture() == GetHwnd()) {
        ::ReleaseCapture();
        POINT pt;
        ::GetCursorPos(&pt);
        ::ScreenToClient(GetHwnd(), &pt);
        ::PostMessageW(GetHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
    }
    return TRUE;
}

SWND SHostWnd::SetCapture(SWND swnd)
{
    if (GetHwnd())
        ::SetCapture(GetHwnd());
    return SwndContainerImpl::SetCapture(swnd);
}

LRESULT SHostWnd::OnNcCalcSize(BOOL calc, LPARAM lp)
{
    if (!calc) {
        *reinterpret_cast<RECT*>(lp) = CSimpleWnd::GetWindowRect();
        return 0;
    }
    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(lp);
    const WINDOWPOS* pos = params->lppos;
    if (!pos || (pos->flags & SWP_NOSIZE))
        return 0;
    RECT rc = CSimpleWnd::GetWindowRect();
    if (::GetWindowLongW(GetHwnd(), GWL_STYLE) & WS_CHILD) {
        POINT topLeft = {rc.left, rc.top};
        ::ScreenToClient(::GetParent(GetHwnd()), &topLeft);
        ::OffsetRect(&rc, topLeft.x - rc.left, topLeft.y - rc.top);
    }
    if (!(pos->flags & SWP_NOMOVE))
        ::OffsetRect(&rc, pos->x - rc.left, pos->y - rc.top);
    rc.right = rc.left + pos->cx;
    rc.bottom = rc.top + pos->cy;
    params->rgrc[0] = rc;
    return 0;
}

LRESULT SHostWnd::OnNcHitTest(POINT screen)
{
    if (!m_attr.IsResizable() || ::IsZoomed(GetHwnd()))
        return HTCLIENT;
    POINT pt = screen;
    ::ScreenToClient(GetHwnd(), &pt);
    return HostHitTest(pt, SWindow::GetWindowRect(), m_attr.GetMargin(m_scale));
}

void SHostWnd::OnGetMinMaxInfo(MINMAXINFO* info)
{
    HMONITOR monitor = ::MonitorFromWindow(GetHwnd(), MONITOR_DEFAULTTONULL);
    MONITORINFO mi = {sizeof(mi)};
    if (!monitor || !::GetMonitorInfoW(monitor, &mi))
        return;
    MaximizedPlacement(mi.rcWork, mi.rcMonitor, m_attr.GetMaxInset(m_scale), info);
    const SIZE minSize = m_attr.GetMinSize(m_scale);
    info->ptMinTrackSize = POINT{minSize.cx, minSize.cy};
}

void SHostWnd::UpdateTooltip()
{
    if (!m_tooltip)
        return;
    SWindowMgr* mgr = SWindowMgr::GetInstance();
    SWindow* hover = mgr ? mgr->GetWindow(GetHover()) : nullptr;
    if (m_lastMouseMsg != 0 || !hover) {
        m_tooltip->ClearTip();
        return;
    }
    SwndToolTipInfo info;
    if (hover->OnUpdateToolTip(SwndToolTipKey{GetHover(), 0}, info))
        m_tooltip->UpdateTip(SwndToolTipKey{info.swnd, info.cookie}, info.rcTarget, info.strTip.c_str(), m_scale);
    else
        m_tooltip->ClearTip();
}

} // namespace DUI
