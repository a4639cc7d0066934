#include "app/controls/STooltipWnd.h"

#include "dui/core/base/SMsgPoint.h"

namespace DUI {

STooltipWnd::STooltipWnd(LPCWSTR layout, int showDelay) : SDlgBaseWnd(layout), m_timer(showDelay)
{
    SetUseTooltipManager(false);
}

BOOL STooltipWnd::CreateHidden()
{
    if (!CreateEx(nullptr, kStyle, kExStyle, 0, 0, 0, 0))
        return FALSE;
    m_made = true;
    ::SendMessageW(GetHwnd(), WM_INITDIALOG, 0, 0);
    ::ShowWindow(GetHwnd(), SW_HIDE);
    return TRUE;
}

BOOL STooltipWnd::PreTranslateMessage(MSG* msg)
{
    if (msg && GetHwnd() && ::IsWindow(GetHwnd()))
        RelayEvent(msg);
    return FALSE;
}

void STooltipWnd::UpdateTip(const SwndToolTipKey& id, const RECT& rc, LPCWSTR text, int)
{
    m_tipKey = id.swnd;
    m_toolRect = rc;
    m_text = TextToShow(text);
    OnToolChanged(id.swnd);
    if (GetHwnd() && ::IsWindowVisible(GetHwnd()))
        Show();
}

void STooltipWnd::ClearTip()
{
    m_tipKey = 0;
    Hide();
}

bool STooltipWnd::HasToolRect() const
{
    const RECT& r = m_toolRect;
    const bool allZero = r.left == 0 && r.top == 0 && r.right == 0 && r.bottom == 0;
    return !allZero && r.bottom != r.top;
}

void STooltipWnd::RelayEvent(const MSG* msg)
{
    if (!msg || msg->message < WM_MOUSEMOVE || msg->message > WM_MBUTTONDBLCLK || !GetHwnd())
        return;
    switch (msg->message) {
    case WM_MOUSEMOVE: {
        const POINT pt = PointFromLParam(msg->lParam);
        if (HasToolRect() && !::PtInRect(&m_toolRect, pt)) {
            Hide();
            return;
        }
        if (::IsWindowVisible(GetHwnd()) || m_text.IsEmpty())
            return;
        m_timer.RestartShow(GetHwnd());
        const POINT place = WaitingPlace(*msg);
        ::SetWindowPos(GetHwnd(), nullptr, place.x, place.y, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
        return;
    default:
        Hide();
        return;
    }
}

void STooltipWnd::Show()
{
    if (m_text.IsEmpty() || !GetHwnd())
        return;
    if (m_textWnd)
        m_textWnd->SetWindowText(m_text);
    // The layout wraps its content: laid out now, the root has the text's size.
    UpdateLayout();
    const RECT root = SWindow::GetWindowRect();
    const RECT rc = ShowingPlace(SIZE{root.right - root.left, root.bottom - root.top});
    ::SetWindowPos(GetHwnd(), HWND_TOPMOST, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                   SWP_NOOWNERZORDER | SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

void STooltipWnd::Hide()
{
    if (GetHwnd())
        ::ShowWindow(GetHwnd(), SW_HIDE);
    m_toolRect = RECT{};
    m_text.Empty();
    if (GetHwnd())
        m_timer.StopHide(GetHwnd());
}

void STooltipWnd::OnTipTimer(UINT_PTR id)
{
    switch (m_timer.OnTimer(GetHwnd(), id)) {
    case STipTimer::Step::Show: Show(); break;
    case STipTimer::Step::Hide: Hide(); break;
    case STipTimer::Step::None: break;
    }
}

BOOL STooltipWnd::ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result, DWORD mapId)
{
    if (mapId != 0)
        return FALSE;
    // Only the tip's own timers: the host's timers go on to the host.
    if (msg == WM_TIMER && STipTimer::IsTipTimer(wp)) {
        OnTipTimer(wp);
        result = 0;
        return TRUE;
    }
    if (msg == WM_INITDIALOG)
        m_textWnd = FindChildByName(L"txt_tip", -1);
    else if (msg == WM_DESTROY)
        m_textWnd = nullptr;   // the tree goes with the window
    return SDlgBaseWnd::ProcessWindowMessage(hwnd, msg, wp, lp, result, mapId);
}

} // namespace DUI
