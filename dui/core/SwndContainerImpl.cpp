#include "dui/core/SwndContainerImpl.h"

#include <vector>

#include "dui/core/base/SMsgPoint.h"
#include "dui/res.mgr/SResProviderMgr.h"

namespace DUI {

namespace {

constexpr UINT kToNonClient = WM_LBUTTONDOWN - WM_NCLBUTTONDOWN;   // 0x160
// WM_KEYDOWN to WM_UNICHAR; the SDK's WM_KEYLAST depends on the target version.
constexpr UINT kKeyLast = 0x109;

bool IsHovered(const SWindow* window)
{
    return (window->GetState() & WndState_Hover) != 0;
}

// Character messages: the ones an Alt combination is offered to the
// accelerators with. Key-up and key-down messages are not, so one press
// triggers an accelerator once.
bool IsCharMessage(UINT msg)
{
    switch (msg) {
    case WM_CHAR:
    case WM_DEADCHAR:
    case WM_SYSCHAR:
    case WM_SYSDEADCHAR:
    case WM_UNICHAR:
    case WM_IME_CHAR:
        return true;
    default:
        return false;
    }
}

template <class T>
std::vector<T> CopyOf(const SLinkedList<T>& list)
{
    std::vector<T> copy;
    copy.reserve(static_cast<size_t>(list.GetCount()));
    for (auto pos = list.GetHeadPosition(); pos; pos = pos->m_pNext)
        copy.push_back(pos->m_value);
    return copy;
}

} // namespace

SwndContainerImpl::SwndContainerImpl() : m_focusMgr(this), m_dropTarget(this)
{
    SWindow::SetContainer(this);
}

// The host part of this object is gone already, so the remaining windows are
// taken out of the container before they are destroyed: nothing they do on
// the way may reach the host's operations.
SwndContainerImpl::~SwndContainerImpl()
{
    m_timelineHandlers.RemoveAll();
    m_trackWindows.RemoveAll();
    SWindow::SetContainer(nullptr);
    while (SWindow* child = GetRelatedWindow(GSW_FIRSTCHILD))
        DestroyChild(child);
}

void SwndContainerImpl::OnTimelineTick()
{
    if (!IsVisible(TRUE))
        return;
    // A handler may unregister itself or another one during the tick; one
    // that is no longer registered is not called.
    for (ITimelineHandler* handler : CopyOf(m_timelineHandlers)) {
        if (m_timelineHandlers.Find(handler))
            handler->OnTimelineTick();
    }
}

BOOL SwndContainerImpl::RegisterDragDrop(SWND swnd, IDropTarget* target)
{
    return m_dropTarget.RegisterDragDrop(swnd, target);
}

BOOL SwndContainerImpl::RevokeDragDrop(SWND swnd)
{
    return m_dropTarget.RevokeDragDrop(swnd);
}

BOOL SwndContainerImpl::ReleaseCapture()
{
    m_capture = 0;
    return TRUE;
}

SWND SwndContainerImpl::SetCapture(SWND swnd)
{
    if (!InputWindow(swnd))
        return 0;
    return std::exchange(m_capture, swnd);
}

void SwndContainerImpl::SetFocus(SWND swnd)
{
    if (swnd) {
        HWND host = GetHostHwnd();
        if (host && ::GetFocus() != host && !(::GetWindowLongW(host, GWL_EXSTYLE) & WS_EX_TOOLWINDOW))
            ::SetFocus(host);
    }
    m_focusMgr.SetFocusedSwnd(swnd);
}

BOOL SwndContainerImpl::RegisterTimelineHandler(ITimelineHandler* handler)
{
    if (!handler || m_timelineHandlers.Find(handler))
        return FALSE;
    return m_timelineHandlers.AddTail(handler) != nullptr;
}

BOOL SwndContainerImpl::UnregisterTimelineHandler(ITimelineHandler* handler)
{
    auto pos = m_timelineHandlers.Find(handler);
    if (!pos)
        return FALSE;
    m_timelineHandlers.RemoveAt(pos);
    return TRUE;
}

BOOL SwndContainerImpl::RegisterTrackMouseEvent(SWND swnd)
{
    if (m_trackWindows.Find(swnd))
        return FALSE;
    return m_trackWindows.AddTail(swnd) != nullptr;
}

BOOL SwndContainerImpl::UnregisterTrackMouseEvent(SWND swnd)
{
    auto pos = m_trackWindows.Find(swnd);
    if (!pos)
        return FALSE;
    m_trackWindows.RemoveAt(pos);
    return TRUE;
}

// Paint order is tree order: a window before its children, children from the
// first to the last, so later windows lie above earlier ones.
void SwndContainerImpl::UpdateZorder()
{
    if (!m_zorderDirty)
        return;
    int next = 0;
    SWindow* window = this;
    while (window) {
        window->SetZorder(next++);
        if (SWindow* child = window->GetRelatedWindow(GSW_FIRSTCHILD)) {
            window = child;
            continue;
        }
        while (window != this && !window->GetRelatedWindow(GSW_NEXTSIBLING))
            window = window->GetParent();
        window = window == this ? nullptr : window->GetRelatedWindow(GSW_NEXTSIBLING);
    }
    m_zorderDirty = FALSE;
}

LRESULT SwndContainerImpl::RouteHostMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    const SRefPtr<SWindow> keep = SRefPtr<SWindow>::Share(this);
    SetMsgHandled(TRUE);
    switch (msg) {
    case WM_ACTIVATE:
        if (LOWORD(wp) == WA_INACTIVE)
            m_focusMgr.StoreFocus();
        else if (LOWORD(wp) == WA_ACTIVE)
            m_focusMgr.RestoreFocus();
        return 0;
    case WM_SETFOCUS:
        m_focusMgr.RestoreFocus();
        return 0;
    case WM_KILLFOCUS:
        m_focusMgr.StoreFocus();
        return 0;
    case WM_ACTIVATEAPP:
        BroadcastMessage(msg, wp, lp);
        return 0;
    case WM_SETCURSOR:
        return RouteSetCursor(lp);
    case WM_KEYDOWN:
        return RouteKeyDown(wp, lp);
    case WM_MOUSEMOVE:
        RouteMouseMove(wp, lp);
        return 0;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
        RouteWheel(msg, wp, lp);
        return 0;
    case WM_MOUSEHOVER:
        RouteMouse(msg, wp, lp);
        return 0;
    case WM_MOUSELEAVE:
        RouteLeave();
        return 0;
    default:
        break;
    }
    if ((msg >= WM_KEYFIRST && msg <= kKeyLast) || (msg >= WM_IME_STARTCOMPOSITION && msg <= WM_IME_COMPOSITION) ||
        msg == WM_IME_CHAR)
        return RouteKeyMessage(msg, wp, lp);
    if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSEHWHEEL) {
        RouteMouse(msg, wp, lp);
        return 0;
    }
    SetMsgHandled(FALSE);
    return 0;
}

LRESULT SwndContainerImpl::RouteSetCursor(LPARAM lp)
{
    SWindow* target = CaptureWindow();
    if (!target)
        target = InputWindow(m_hover);
    const LRESULT result = target ? SRefPtr<SWindow>::Share(target)->OnSetCursor(PointFromLParam(lp)) : 0;
    if (!result) {
        SResProviderMgr* res = SResProviderMgr::GetInstance();
        HCURSOR arrow = res ? res->LoadCursor(IDC_ARROW, FALSE) : ::LoadCursorW(nullptr, IDC_ARROW);
        ::SetCursor(arrow);
    }
    return result;
}

// Accelerators and focus navigation come before the focused window.
LRESULT SwndContainerImpl::RouteKeyDown(WPARAM wp, LPARAM lp)
{
    if (m_focusMgr.OnKeyDown(static_cast<UINT>(wp)))
        return TRUE;
    SendRouted(GetFocus(), WM_KEYDOWN, wp, lp);
    return 0;
}

LRESULT SwndContainerImpl::RouteKeyMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    if (IsCharMessage(msg) && (::GetKeyState(VK_MENU) & 0x80)) {
        if (wp >= 'a' && wp <= 'z')
            wp -= 'a' - 'A';
        if (m_focusMgr.OnKeyDown(static_cast<UINT>(wp)))
            return TRUE;
    }
    SendRouted(GetFocus(), msg, wp, lp);
    return IsMsgHandled();
}

void SwndContainerImpl::RouteMouse(UINT msg, WPARAM wp, LPARAM lp)
{
    SWND target = m_capture;
    if (!CaptureWindow()) {
        ChangeHover(HitTestSwnd(PointFromLParam(lp)), wp, lp);
        target = m_hover;
    }
    if (!InputWindow(target)) {
        SetMsgHandled(FALSE);
        return;
    }
    if (m_hoverNonClient)
        msg = msg == WM_MOUSEHOVER ? WM_NCMOUSEHOVER : msg - kToNonClient;
    SendRouted(target, msg, wp, lp);
}

void SwndContainerImpl::RouteMouseMove(WPARAM wp, LPARAM lp)
{
    if (CaptureWindow())
        MoveWithCapture(wp, lp);
    else
        MoveWithoutCapture(wp, lp);
    TrackMouse(PointFromLParam(lp));
}

// The capture window gets every move; it is the hover window only while the
// mouse is over it.
void SwndContainerImpl::MoveWithCapture(WPARAM wp, LPARAM lp)
{
    const SWND capture = m_capture;
    const SWND over = WindowOf(capture)->ContainsPoint(PointFromLParam(lp), FALSE) ? capture : 0;
    if (over != m_hover) {
        SendLeave(std::exchange(m_hover, over), m_hoverNonClient);
        SWindow* window = WindowOf(over);
        if (window && !IsHovered(window)) {
            if (m_hoverNonClient)
                Send(over, WM_NCMOUSEHOVER, wp, lp);
            Send(over, WM_MOUSEHOVER, wp, lp);
        }
    }
    SendRouted(capture, m_hoverNonClient ? WM_NCMOUSEMOVE : WM_MOUSEMOVE, wp, lp);
}

void SwndContainerImpl::MoveWithoutCapture(WPARAM wp, LPARAM lp)
{
    const POINT pt = PointFromLParam(lp);
    const SWND hit = HitTestSwnd(pt);
    if (hit != m_hover) {
        ChangeHover(hit, wp, lp);
    } else if (SWindow* window = InputWindow(hit)) {
        const BOOL outside = window->IsPointOutsideClient(pt);
        if (outside != m_hoverNonClient) {
            m_hoverNonClient = outside;
            if (outside)
                Send(hit, WM_NCMOUSEHOVER, wp, lp);
            else
                Send(hit, WM_NCMOUSELEAVE);
        }
    }
    if (InputWindow(hit))
        SendRouted(hit, m_hoverNonClient ? WM_NCMOUSEMOVE : WM_MOUSEMOVE, wp, lp);
    else
        SetMsgHandled(FALSE);
}

// A window that tracks the mouse itself and still has it inside is left to
// the tracking list: it is covered, not left.
void SwndContainerImpl::ChangeHover(SWND hit, WPARAM wp, LPARAM lp)
{
    if (hit == m_hover)
        return;
    const POINT pt = PointFromLParam(lp);
    const SWND old = std::exchange(m_hover, hit);
    const BOOL oldNonClient = std::exchange(m_hoverNonClient, FALSE);
    if (SWindow* window = WindowOf(old)) {
        const BOOL tracking = window->GetStyle().HasFlag(SwndStyle::Flag_TrackMouse);
        if (!tracking || !window->ContainsPoint(pt, FALSE))
            SendLeave(old, oldNonClient);
    }
    SWindow* window = InputWindow(hit);
    if (!window || m_hover != hit)
        return;   // a leave handler moved the hover on
    m_hoverNonClient = window->IsPointOutsideClient(pt);
    if (IsHovered(window))
        return;
    if (m_hoverNonClient)
        Send(hit, WM_NCMOUSEHOVER, wp, lp);
    Send(hit, WM_MOUSEHOVER, wp, lp);
}

// Windows in the tracking list learn from the position alone whether the
// mouse is over them, even when another window covers them.
void SwndContainerImpl::TrackMouse(POINT pt)
{
    for (SWND swnd : CopyOf(m_trackWindows)) {
        SWindow* window = WindowOf(swnd);
        if (!window) {
            UnregisterTrackMouseEvent(swnd);
            continue;
        }
        if (!window->IsVisible(TRUE))
            continue;
        const BOOL inside = window->ContainsPoint(pt, FALSE);
        if (inside && !IsHovered(window))
            Send(swnd, WM_MOUSEHOVER);
        else if (!inside && IsHovered(window))
            Send(swnd, WM_MOUSELEAVE);
    }
}

void SwndContainerImpl::RouteWheel(UINT msg, WPARAM wp, LPARAM lp)
{
    SWND target = m_capture;
    if (!CaptureWindow()) {
        if (IsSendWheelToHover()) {
            ChangeHover(HitTestSwnd(PointFromLParam(lp)), wp, lp);
            target = m_hover;
        } else {
            target = GetFocus();
        }
    }
    if (InputWindow(target))
        SendRouted(target, msg, wp, lp);
    else
        SetMsgHandled(FALSE);
}

// The mouse left the host.
void SwndContainerImpl::RouteLeave()
{
    if (CaptureWindow())
        Send(m_capture, WM_MOUSELEAVE);
    else if (InputWindow(m_hover)) {
        Send(m_hover, WM_MOUSELEAVE);
        if (m_hoverNonClient)
            Send(m_hover, WM_NCMOUSELEAVE);
    }
    LeaveTrackedWindows();
    m_hover = 0;
    m_hoverNonClient = FALSE;
}

void SwndContainerImpl::LeaveTrackedWindows()
{
    for (SWND swnd : CopyOf(m_trackWindows)) {
        SWindow* window = WindowOf(swnd);
        if (!window)
            UnregisterTrackMouseEvent(swnd);
        else if (window->IsVisible(TRUE) && IsHovered(window))
            Send(swnd, WM_MOUSELEAVE);
    }
}

SWindow* SwndContainerImpl::CaptureWindow()
{
    if (!m_capture)
        return nullptr;
    if (SWindow* window = WindowOf(m_capture))
        return window;
    ReleaseCapture();
    return nullptr;
}

SWindow* SwndContainerImpl::WindowOf(SWND swnd)
{
    SWindowMgr* windows = SWindowMgr::GetInstance();
    return swnd && windows ? windows->GetWindow(swnd) : nullptr;
}

SWindow* SwndContainerImpl::InputWindow(SWND swnd)
{
    SWindow* window = WindowOf(swnd);
    return window && !window->IsDisabled(TRUE) ? window : nullptr;
}

LRESULT SwndContainerImpl::Send(SWND swnd, UINT msg, WPARAM wp, LPARAM lp, BOOL* handled)
{
    SWindow* window = WindowOf(swnd);
    if (!window) {
        if (handled)
            *handled = FALSE;
        return 0;
    }
    return window->DeliverSwndMessage(msg, wp, lp, handled);
}

LRESULT SwndContainerImpl::SendRouted(SWND swnd, UINT msg, WPARAM wp, LPARAM lp)
{
    BOOL handled = FALSE;
    const LRESULT result = Send(swnd, msg, wp, lp, &handled);
    SetMsgHandled(handled);
    return result;
}

// A disabled window gets no mouse messages, and it lost its hover state
// when it was disabled.
void SwndContainerImpl::SendLeave(SWND swnd, BOOL nonClientFirst)
{
    if (!InputWindow(swnd))
        return;
    if (nonClientFirst)
        Send(swnd, WM_NCMOUSELEAVE);
    Send(swnd, WM_MOUSELEAVE);
}

} // namespace DUI
