// SWindow: the mouse and keyboard part of the base message map, hit
// testing, capture, cursor, the window's side of the keyboard focus and the
// caret.
#include "dui/core/SWindow.h"

#include "dui/core/base/SMsgPoint.h"
#include "dui/res.mgr/SResProviderMgr.h"

namespace DUI {

BOOL SWindow::DispatchInputMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    const UINT flags = static_cast<UINT>(wp);
    switch (msg) {
    case WM_LBUTTONDOWN:
        OnLButtonDown(flags, PointFromLParam(lp));
        return TRUE;
    case WM_LBUTTONUP:
        OnLButtonUp(flags, PointFromLParam(lp));
        return TRUE;
    case WM_RBUTTONUP:
        OnRButtonUp(flags, PointFromLParam(lp));
        return TRUE;
    case WM_MOUSEMOVE:
    case WM_RBUTTONDOWN:
        return TRUE;
    case WM_MOUSEWHEEL:
        result = OnMouseWheel(wp, lp);
        return TRUE;
    case WM_MOUSEHOVER:
        OnMouseHover(flags, PointFromLParam(lp));
        return TRUE;
    case WM_MOUSELEAVE:
        OnMouseLeave();
        return TRUE;
    case WM_SETFOCUS:
        OnSetFocus(static_cast<SWND>(wp));
        return TRUE;
    case WM_KILLFOCUS:
        OnKillFocus(static_cast<SWND>(wp));
        return TRUE;
    default:
        return FALSE;
    }
}

void SWindow::OnLButtonDown(UINT, POINT pt)
{
    if (IsFocusable())
        SetFocus();
    // A focus handler may have destroyed the window: nothing to press then.
    if (IsDestroyed())
        return;
    SetCapture();
    ModifyState(WndState_PushDown, 0, TRUE);
    EventLButtonDown e(this);
    e.pt = pt;
    FireEvent(e);
}

void SWindow::OnLButtonUp(UINT, POINT pt)
{
    ReleaseCapture();
    if (!(m_state & WndState_PushDown))
        return;
    ModifyState(0, WndState_PushDown, TRUE);
    if (!::PtInRect(&m_rcWindow, pt))
        return;
    EventLButtonUp e(this);
    e.pt = pt;
    FireEvent(e);
    // A window closed by the button-up handler issues no command.
    if (!IsDestroyed())
        FireCommand();
}

void SWindow::OnRButtonUp(UINT, POINT pt)
{
    FireCtxMenu(pt);
}

LRESULT SWindow::OnMouseWheel(WPARAM wp, LPARAM lp)
{
    return m_parent ? m_parent->DeliverSwndMessage(WM_MOUSEWHEEL, wp, lp) : 0;
}

void SWindow::OnMouseHover(UINT, POINT)
{
    if (GetCapture() == m_swnd)
        ModifyState(WndState_PushDown, 0, FALSE);
    ModifyState(WndState_Hover, 0, TRUE);
    RedrawNonClient();
    EventSwndMouseHover e(this);
    FireEvent(e);
}

void SWindow::OnMouseLeave()
{
    if (GetCapture() == m_swnd)
        ModifyState(0, WndState_PushDown, FALSE);
    ModifyState(0, WndState_Hover, TRUE);
    RedrawNonClient();
    EventSwndMouseLeave e(this);
    FireEvent(e);
}

void SWindow::OnSetFocus(SWND)
{
    EventSetFocus e(this);
    FireEvent(e);
    InvalidateRect(nullptr);
}

void SWindow::OnKillFocus(SWND)
{
    EventKillFocus e(this);
    FireEvent(e);
    InvalidateRect(nullptr);
}

// A point on the margin belongs to the window itself; children are asked
// topmost first.
SWND SWindow::HitTestSwnd(POINT pt)
{
    if (!ContainsPoint(pt, FALSE))
        return 0;
    if (!ContainsPoint(pt, TRUE))
        return m_swnd;
    for (SWindow* child = m_lastChild; child; child = child->m_prevSibling) {
        if (!child->IsVisible(TRUE) || child->IsMsgTransparent())
            continue;
        if (const SWND hit = child->HitTestSwnd(pt))
            return hit;
    }
    return m_swnd;
}

// A shaped window is wherever its region is, even outside its rectangle.
BOOL SWindow::ContainsPoint(POINT pt, BOOL clientOnly) const
{
    if (m_shapeRegion)
        return m_shapeRegion->PtInRegion(POINT{pt.x - m_rcWindow.left, pt.y - m_rcWindow.top});
    const RECT rc = clientOnly ? GetClientRect() : m_rcWindow;
    return ::PtInRect(&rc, pt);
}

BOOL SWindow::IsPointOutsideClient(POINT pt) const
{
    const RECT client = GetClientRect();
    return !::PtInRect(&client, pt);
}

void SWindow::SetCapture()
{
    if (m_container)
        m_container->SetCapture(m_swnd);
}

void SWindow::ReleaseCapture()
{
    if (m_container)
        m_container->ReleaseCapture();
}

SWND SWindow::GetCapture() const
{
    return m_container ? m_container->GetCapture() : 0;
}

BOOL SWindow::OnSetCursor(POINT)
{
    SResProviderMgr* res = SResProviderMgr::GetInstance();
    if (HCURSOR cursor = res ? res->LoadCursor(m_style.m_strCursor, FALSE) : nullptr)
        ::SetCursor(cursor);
    return TRUE;
}

// A disabled focusable window keeps the focus where it is; an unfocusable
// one is passed on, and the focus manager then leaves nothing focused.
void SWindow::SetFocus()
{
    if (!m_container || !IsVisible(TRUE))
        return;
    if (IsDisabled(TRUE) && IsFocusable())
        return;
    m_container->SetFocus(m_swnd);
}

void SWindow::KillFocus()
{
    if (IsFocused())
        m_container->SetFocus(0);
}

BOOL SWindow::IsFocused() const
{
    return m_container && m_container->GetFocus() == m_swnd;
}

BOOL SWindow::CreateCaret(HBITMAP bitmap, int width, int height)
{
    return m_container ? m_container->CreateCaret(m_swnd, bitmap, width, height) : FALSE;
}

BOOL SWindow::ShowCaret(BOOL show)
{
    return m_container ? m_container->ShowCaret(show) : FALSE;
}

BOOL SWindow::SetCaretPos(int x, int y)
{
    return m_container ? m_container->SetCaretPos(x, y) : FALSE;
}

} // namespace DUI
