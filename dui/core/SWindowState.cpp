// SWindow: state bits, showing and enabling, redraw requests, the base
// message handling the tree relies on (create, destroy, show, enable, size,
// paint), and the looks that end in a redraw: colourise, scale, language.
#include "dui/core/SWindow.h"

#include <vector>

#include "dui/core/SPaintObjects.h"
#include "dui/res.mgr/SSkinPoolMgr.h"

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
        InvalidateRectEx(nullptr, TRUE);
    return old;
}

void SWindow::SetCheck(BOOL checked)
{
    const DWORD bit = WndState_Check;
    ModifyState(checked ? bit : 0, checked ? 0 : bit, TRUE);
}

int SWindow::GetDrawState() const
{
    if (m_state & WndState_Disable)
        return 3;
    if (m_state & (WndState_PushDown | WndState_Check))
        return 2;
    return (m_state & WndState_Hover) ? 1 : 0;
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
    InvalidateRectEx(rc, TRUE);
}

void SWindow::InvalidateRectEx(const RECT* rc, BOOL markCacheDirty)
{
    if (markCacheDirty)
        m_flags |= Flag_CacheDirty;
    if (!IsVisible(TRUE) || IsUpdateLocked())
        return;
    RECT area = rc ? *rc : m_rcWindow;
    if (!IntersectWith(area, m_rcWindow))
        return;
    if (!m_style.HasFlag(SwndStyle::Flag_BkgndBlend)) {
        AddDirtyRect(area);
        return;
    }
    if (m_parent)
        m_parent->InvalidateRectEx(&area, FALSE);
    else if (m_container)
        m_container->OnRedraw(area);
}

// An opaque window needs nothing from below, so it is drawn on its own and
// the host only learns which window to ask.
void SWindow::AddDirtyRect(const RECT& rc)
{
    if (!m_dirtyRegion)
        m_dirtyRegion = NewPaintRegion();
    if (!m_dirtyRegion)
        return;
    m_dirtyRegion->CombineRect(&rc, RGN_OP_OR);
    if (HWND host = m_container ? m_container->GetHostHwnd() : nullptr)
        ::SendMessageW(host, UM_UPDATESWND, static_cast<WPARAM>(m_swnd), 0);
}

void SWindow::UpdateWindow()
{
    if (m_container)
        m_container->UpdateWindow();
}

void SWindow::InvalidateClient()
{
    const RECT client = GetClientRect();
    InvalidateRect(&client);
}

LRESULT SWindow::DeliverSwndMessage(UINT msg, WPARAM wp, LPARAM lp, BOOL* handled)
{
    // Declared first, released last: the handler may destroy this window.
    const SRefPtr<SWindow> keep = SRefPtr<SWindow>::Share(this);
    const SwndMsg* outerMsg = m_curMsg;
    const BOOL outerHandled = IsMsgHandled();
    LRESULT result = 0;
    const SwndMsg current{msg, wp, lp, &result};
    m_curMsg = &current;
    SetMsgHandled(FALSE);
    const BOOL took = OnSwndMessage(msg, wp, lp, result);
    if (!took)
        result = OnUnhandledMessage(msg, wp, lp);
    if (handled)
        *handled = took;
    m_curMsg = outerMsg;
    SetMsgHandled(outerHandled);
    return result;
}

LRESULT SWindow::BroadcastMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    const SRefPtr<SWindow> keep = SRefPtr<SWindow>::Share(this);
    LRESULT result = DeliverSwndMessage(msg, wp, lp);
    for (const SRefPtr<SWindow>& child : KeptChildren()) {
        if (child->m_parent == this)
            result = child->BroadcastMessage(msg, wp, lp);
    }
    return result;
}

// A handler clears the flag to let the message go on as not handled.
BOOL SWindow::OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    SetMsgHandled(TRUE);
    const BOOL listed =
        DispatchStateMessage(msg, wp, lp, result) || DispatchInputMessage(msg, wp, lp, result);
    return listed && IsMsgHandled();
}

BOOL SWindow::DispatchStateMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_CREATE:
        result = OnCreate();
        return TRUE;
    case WM_DESTROY:
        m_flags |= Flag_Destroyed;
        GiveUpInput(TRUE);
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
    case WM_ERASEBKGND:
        result = OnEraseBkgnd(reinterpret_cast<IPaintSurface*>(wp));
        return TRUE;
    case WM_PAINT:
        OnPaint(reinterpret_cast<IPaintSurface*>(wp));
        return TRUE;
    case WM_NCPAINT:
        OnNcPaint(reinterpret_cast<IPaintSurface*>(wp));
        return TRUE;
    case UM_SETSCALE:
        OnScaleChanged(static_cast<int>(wp));
        return TRUE;
    case UM_SETLANGUAGE:
        if (OnLanguageChanged())
            InvalidateClient();
        else
            MarkLayoutDirty(m_swnd, TRUE);
        return TRUE;
    case UM_SETCOLORIZE:
        SetColorize(static_cast<COLORREF>(wp));
        return TRUE;
    default:
        return FALSE;
    }
}

int SWindow::OnCreate()
{
    if (m_container) {
        if (m_style.HasFlag(SwndStyle::Flag_TrackMouse))
            m_container->RegisterTrackMouseEvent(m_swnd);
        else
            m_container->UnregisterTrackMouseEvent(m_swnd);
    }
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
    for (const SRefPtr<SWindow>& child : KeptChildren()) {
        if (child->m_parent == this)
            child->DeliverSwndMessage(WM_SHOWWINDOW, show, 1);
    }
    if (!show)
        GiveUpInput(TRUE);
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
    for (const SRefPtr<SWindow>& child : KeptChildren()) {
        if (child->m_parent == this)
            child->DeliverSwndMessage(WM_ENABLE, enable, 1);
    }
    if (!enable)
        GiveUpInput(FALSE);
}

// A hidden or disabled window must not keep the keyboard; a hidden one not
// the mouse either.
void SWindow::GiveUpInput(BOOL capture)
{
    if (!m_container)
        return;
    if (m_container->GetFocus() == m_swnd)
        m_container->SetFocus(0);
    if (capture && m_container->GetCapture() == m_swnd)
        m_container->ReleaseCapture();
}

void SWindow::OnSize(UINT, SIZE size)
{
    if (IsCached())
        FitSurface(SwndRenderCache::Kind::Cache);
    if (IsLayered())
        FitSurface(SwndRenderCache::Kind::Layer);
    EventSwndSize e(this);
    e.szWnd = size;
    FireEvent(e);
}

BOOL SWindow::IsCached() const
{
    return (m_flags & Flag_Cache) || (!IsLayered() && GetAlpha() != 255);
}

// The surface takes the window's size (made when missing) and draws in the
// coordinates of the host, so the window paints into it as into any other.
void SWindow::FitSurface(SwndRenderCache::Kind kind)
{
    if (m_surfaces.Fit(kind, m_rcWindow))
        m_flags |= Flag_CacheDirty;
}

void SWindow::UpdateCacheMode()
{
    if (m_surfaces.Follow(SwndRenderCache::Kind::Cache, IsCached(), m_rcWindow))
        m_flags |= Flag_CacheDirty;
}

void SWindow::UpdateLayeredMode()
{
    if (m_surfaces.Follow(SwndRenderCache::Kind::Layer, IsLayered(), m_rcWindow))
        m_flags |= Flag_CacheDirty;
}

void SWindow::SetColorize(COLORREF color)
{
    if (color == m_colorize)
        return;
    m_colorize = color;
    if (m_ncSkin)
        m_ncSkin->OnColorize(color);
    if (m_skin)
        m_skin->OnColorize(color);
    InvalidateRect(nullptr);
}

void SWindow::BroadcastColorize(COLORREF color)
{
    const SRefPtr<SWindow> keep = SRefPtr<SWindow>::Share(this);
    DeliverSwndMessage(UM_SETCOLORIZE, color);
    for (const SRefPtr<SWindow>& child : KeptChildren()) {
        if (child->m_parent == this)
            child->BroadcastColorize(color);
    }
}

// Handlers run while the children are walked may destroy any of them: each
// is held until the walk ends, and one that left the tree is passed over.
std::vector<SRefPtr<SWindow>> SWindow::KeptChildren() const
{
    std::vector<SRefPtr<SWindow>> kept;
    kept.reserve(m_childCount);
    for (SWindow* child = m_firstChild; child; child = child->m_nextSibling)
        kept.push_back(SRefPtr<SWindow>::Share(child));
    return kept;
}

void SWindow::OnScaleChanged(int scale)
{
    m_style.SetScale(scale);
    RescaleSkin(m_ncSkin, scale);
    RescaleSkin(m_skin, scale);
    m_layoutDirty = 1;
}

void SWindow::RescaleSkin(SRefPtr<ISkinObj>& skin, int scale)
{
    auto* named = dynamic_cast<IObject*>(skin.Get());
    SSkinPoolMgr* pools = SSkinPoolMgr::GetInstance();
    if (!named || !pools || !named->GetName() || !*named->GetName())
        return;
    if (ISkinObj* found = pools->GetSkin(SStringW(named->GetName()), scale))
        skin.Reset(found);
}

BOOL SWindow::OnLanguageChanged()
{
    m_text.Translate();
    m_toolTip.Translate();
    return !WrapsContent();
}

} // namespace DUI
