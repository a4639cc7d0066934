// SWindow: state bits, showing and enabling, redraw requests, and the base
// message handling the tree relies on (create, destroy, show, enable, size).
#include "dui/core/SWindow.h"

namespace DUI {

namespace {

BOOL IntersectWith(RECT& rc, const RECT& bounds)
{
    return ::IntersectRect(&rc, &rc, &bounds);
}

} // namespace

DWORD SWindow::ModifyState(DWORD add, DWORD remove, BOOL redraw)
{
    const DWORD old = m_state;
    const DWORD now = add | (old & ~remove);
    OnStateChanging(old, now);
    m_state = now;
    OnStateChanged(old, now);
    if (redraw && NeedRedrawOnStateChange())
        InvalidateRect(nullptr);
    return old;
}

BOOL SWindow::NeedRedrawOnStateChange() const
{
    if (m_skin && !m_skin->IgnoreState())
        return TRUE;
    return m_style.GetStateCount() > 1;
}

void SWindow::OnStateChanging(DWORD, DWORD) {}

void SWindow::OnStateChanged(DWORD oldState, DWORD newState)
{
    EventSwndStateChanged e(this);
    e.dwOldState = oldState;
    e.dwNewState = newState;
    FireEvent(e);
}

BOOL SWindow::IsVisible(BOOL checkParent) const
{
    return checkParent ? (m_state & WndState_Invisible) == 0 : (m_flags & Flag_Visible) != 0;
}

BOOL SWindow::IsDisabled(BOOL checkParent) const
{
    return checkParent ? (m_state & WndState_Disable) != 0 : (m_flags & Flag_Disabled) != 0;
}

void SWindow::SetVisible(BOOL show, BOOL update)
{
    if (update)
        InvalidateRect(nullptr);
    DeliverSwndMessage(WM_SHOWWINDOW, show, 0);
    if (update)
        InvalidateRect(nullptr);
}

void SWindow::EnableWindow(BOOL enable, BOOL update)
{
    DeliverSwndMessage(WM_ENABLE, enable, 0);
    if (update)
        InvalidateRect(nullptr);
}

void SWindow::InvalidateRect(const RECT* rc)
{
    m_flags |= Flag_CacheDirty;
    if (!IsVisible(TRUE) || IsUpdateLocked())
        return;
    RECT area = rc ? *rc : m_rcWindow;
    if (!IntersectWith(area, m_rcWindow))
        return;
    // Windows that do not blend with their background keep a dirty region of
    // their own and are painted by the host alone; until painting is there,
    // every request goes the blending way, which repaints at least as much.
    if (m_parent)
        m_parent->InvalidateRect(&area);
    else if (m_container)
        m_container->OnRedraw(area);
}

void SWindow::InvalidateClient()
{
    const RECT client = GetClientRect();
    InvalidateRect(&client);
}

LRESULT SWindow::DeliverSwndMessage(UINT msg, WPARAM wp, LPARAM lp, BOOL* handled)
{
    LRESULT result = 0;
    const BOOL took = OnSwndMessage(msg, wp, lp, result);
    if (!took)
        result = OnUnhandledMessage(msg, wp, lp);
    if (handled)
        *handled = took;
    return result;
}

BOOL SWindow::OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_CREATE:
        result = OnCreate();
        return TRUE;
    case WM_DESTROY:
        OnDestroy();
        return TRUE;
    case WM_SHOWWINDOW:
        OnShowWindow(static_cast<BOOL>(wp), static_cast<UINT>(lp));
        return TRUE;
    case WM_ENABLE:
        OnEnable(static_cast<BOOL>(wp), static_cast<UINT>(lp));
        return TRUE;
    case WM_SIZE:
        OnSize(static_cast<UINT>(wp), SIZE{LOWORD(lp), HIWORD(lp)});
        return TRUE;
    case WM_NCCALCSIZE:
        return TRUE;
    default:
        return FALSE;
    }
}

int SWindow::OnCreate()
{
    m_style.SetScale(GetScale());
    EventSwndCreate e(this);
    FireEvent(e);
    return 0;
}

void SWindow::OnDestroy()
{
    EventSwndDestroy e(this);
    FireEvent(e);
    // The tree's references go first child first; each child empties its
    // own subtree the same way before it is released.
    while (SWindow* child = m_firstChild) {
        m_firstChild = child->m_nextSibling;
        child->m_parent = child->m_prevSibling = child->m_nextSibling = nullptr;
        child->DeliverSwndMessage(WM_DESTROY);
        child->Release();
    }
    m_lastChild = nullptr;
    m_childCount = 0;
}

void SWindow::OnShowWindow(BOOL show, UINT status)
{
    InvalidateMeasure();
    if (status != 1)
        SetFlag(Flag_Visible, show);
    else if (show && !(m_flags & Flag_Visible))
        show = FALSE;
    if (show && m_parent)
        show = m_parent->IsVisible(TRUE);
    if (show) {
        UpdateLayout();
        ModifyState(0, WndState_Invisible, FALSE);
    } else {
        ModifyState(WndState_Invisible, 0, FALSE);
    }
    for (SWindow* child = m_firstChild; child;) {
        const SRefPtr<SWindow> keep = SRefPtr<SWindow>::Share(child);
        child->DeliverSwndMessage(WM_SHOWWINDOW, show, 1);
        child = child->m_nextSibling;
    }
    if (!(m_flags & Flag_Display))
        MarkLayoutDirty(m_swnd, TRUE);
    EventSwndVisibleChanged e(this);
    FireEvent(e);
}

void SWindow::OnEnable(BOOL enable, UINT status)
{
    if (status != 1)
        SetFlag(Flag_Disabled, !enable);
    else if (enable && (m_flags & Flag_Disabled))
        enable = FALSE;
    if (enable && m_parent)
        enable = !m_parent->IsDisabled(TRUE);
    if (enable)
        ModifyState(0, WndState_Disable, FALSE);
    else
        ModifyState(WndState_Disable, WndState_Hover, FALSE);
    for (SWindow* child = m_firstChild; child; child = child->m_nextSibling)
        child->DeliverSwndMessage(WM_ENABLE, enable, 1);
}

void SWindow::OnSize(UINT, SIZE size)
{
    EventSwndSize e(this);
    e.szWnd = size;
    FireEvent(e);
}

} // namespace DUI
