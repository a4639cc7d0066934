// SAdapterListBase: the mouse, the keys and the focus, and the messages
// passed on to the row panels.
#include "dui/control/SAdapterListBase.h"

#include "dui/core/base/SMsgPoint.h"

namespace DUI {

namespace {

bool IsButtonDown(UINT msg)
{
    return msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN || msg == WM_LBUTTONDBLCLK ||
           msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
}

bool IsKeyMessage(UINT msg)
{
    return (msg >= WM_KEYUP && msg <= 0x109) || (msg >= WM_IME_STARTCOMPOSITION && msg <= WM_IME_COMPOSITION) ||
           msg == WM_IME_CHAR || msg == WM_IME_REQUEST;
}

LPARAM Moved(LPARAM lp, const RECT& item)
{
    const POINT pt = PointFromLParam(lp);
    return MAKELPARAM(static_cast<WORD>(pt.x - item.left), static_cast<WORD>(pt.y - item.top));
}

} // namespace

LRESULT SAdapterListBase::ToPanel(SItemPanel* panel, UINT msg, WPARAM wp, LPARAM lp, BOOL* handled)
{
    const SRefPtr<SWindow> keep = SRefPtr<SWindow>::Share(panel);
    const LRESULT result = panel->OnMouseEvent(msg, wp, lp);
    if (handled)
        *handled = panel->IsMsgHandled();
    return result;
}

LPARAM SAdapterListBase::ToPanelPoint(SItemPanel* panel, LPARAM lp) const
{
    RECT item;
    OnItemGetRect(panel, item);
    return Moved(lp, item);
}

BOOL SAdapterListBase::OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    const SRefPtr<SWindow> keep = SRefPtr<SWindow>::Share(this);
    if ((msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST && msg != WM_MOUSEWHEEL) || msg == WM_MOUSELEAVE)
        return OnMouseMessage(msg, wp, lp, result);
    switch (msg) {
    case WM_MOUSEWHEEL:
        if (ToSelectedPanel(msg, wp, lp, result))
            return TRUE;
        return SPanel::OnSwndMessage(msg, wp, lp, result);
    case WM_KEYDOWN:
        if (!m_adapter)
            return FALSE;
        result = 0;
        return OnKeyDown(wp, lp);
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        const BOOL handled = SPanel::OnSwndMessage(msg, wp, lp, result);
        if (SItemPanel* panel = GetItemPanel(m_sel)) {
            if (msg == WM_SETFOCUS)
                panel->GetFocusManager().RestoreFocus();
            else
                panel->GetFocusManager().StoreFocus();
        }
        return handled;
    }
    case WM_SIZE: {
        const BOOL handled = SPanel::OnSwndMessage(msg, wp, lp, result);
        UpdateScrollBar();
        const RECT frame = PanelFrame();
        ForEachVisible([&](SItemPanel* p) {
            RECT rc = p->GetWindowRect();
            rc.right = rc.left + (frame.right - frame.left);
            p->Move(&rc);
        });
        UpdateVisibleItems();
        return handled;
    }
    case WM_SHOWWINDOW: {
        const BOOL handled = SPanel::OnSwndMessage(msg, wp, lp, result);
        ApplyPendingRefresh();
        return handled;
    }
    case WM_DESTROY:
        if (m_adapter)
            m_adapter->UnregisterObserver(m_observer.Get());
        DestroyPanels();
        return SPanel::OnSwndMessage(msg, wp, lp, result);
    default:
        break;
    }
    if (IsKeyMessage(msg)) {
        result = 0;
        return ToSelectedPanel(msg, wp, lp, result);
    }
    return SPanel::OnSwndMessage(msg, wp, lp, result);
}

BOOL SAdapterListBase::ToSelectedPanel(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    SItemPanel* panel = GetItemPanel(m_sel);
    if (!panel)
        return FALSE;
    BOOL handled = FALSE;
    if (msg == WM_MOUSEWHEEL) {
        RECT item;
        OnItemGetRect(panel, item);
        lp = Moved(lp, item);
    }
    result = ToPanel(panel, msg, wp, lp, &handled);
    return handled;
}

BOOL SAdapterListBase::OnMouseMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    result = 0;
    if (m_capturePanel) {
        RECT item;
        OnItemGetRect(m_capturePanel, item);
        ToPanel(m_capturePanel, msg, wp, Moved(lp, item));
        return TRUE;
    }
    const POINT pt = PointFromLParam(lp);
    if (msg == WM_MOUSELEAVE) {
        OnMouseInsideChanged(FALSE);
        if (SItemPanel* hover = std::exchange(m_hoverPanel, nullptr)) {
            ToPanel(hover, WM_MOUSELEAVE, 0, 0);
            hover->InvalidateClient();
        }
        return SPanel::OnSwndMessage(msg, wp, lp, result);
    }
    if (msg == WM_MOUSEMOVE)
        OnMouseInsideChanged(TRUE);
    if (IsButtonDown(msg) && IsFocusable())
        SetFocus();
    SItemPanel* under = PanelAt(pt);
    if (IsButtonDown(msg) && !under)
        OnPressBesideRows();
    if (IsDestroyed())
        return TRUE;
    under = PanelAt(pt);
    ChangeHoverPanel(under, wp, lp);
    if (m_hoverPanel) {
        RECT item;
        OnItemGetRect(m_hoverPanel, item);
        ToPanel(m_hoverPanel, msg, wp, Moved(lp, item));
    }
    return TRUE;
}

void SAdapterListBase::ChangeHoverPanel(SItemPanel* panel, WPARAM wp, LPARAM lp)
{
    if (panel == m_hoverPanel)
        return;
    if (SItemPanel* old = std::exchange(m_hoverPanel, panel)) {
        ToPanel(old, WM_MOUSELEAVE, 0, 0);
        old->InvalidateClient();
    }
    if (panel && m_hoverPanel == panel) {
        RECT item;
        OnItemGetRect(panel, item);
        ToPanel(panel, WM_MOUSEHOVER, wp, Moved(lp, item));
        panel->InvalidateClient();
    }
}

void SAdapterListBase::OnMouseInsideChanged(BOOL inside)
{
    if (inside == m_mouseInside)
        return;
    m_mouseInside = inside;
    if (m_mouseInShowScroll != 1 || !m_locator)
        return;
    const RECT client = SWindow::GetClientRect();
    const BOOL taller = m_locator->GetTotalHeight() > client.bottom - client.top;
    if (taller && (inside != HasScrollBar(TRUE))) {
        UpdateScrollBar();
        UpdateVisibleItems();
    }
}

void SAdapterListBase::OnItemSetCapture(SItemPanel* item, BOOL capture)
{
    ISwndContainer* host = GetContainer();
    if (capture) {
        if (host)
            host->SetCapture(GetSwnd());
        m_capturePanel = item;
    } else {
        if (host && host->GetCapture() == GetSwnd())
            host->ReleaseCapture();
        m_capturePanel = nullptr;
    }
}

BOOL SAdapterListBase::OnKeyDown(WPARAM wp, LPARAM lp)
{
    LRESULT ignored = 0;
    if (m_wantTab && ToSelectedPanel(WM_KEYDOWN, wp, lp, ignored))
        return TRUE;
    if (wp == VK_ESCAPE || wp == VK_RETURN) {
        if (SWindow* owner = GetOwner()) {
            owner->DeliverSwndMessage(WM_KEYDOWN, wp, lp);
            return TRUE;
        }
        return FALSE;
    }
    const int count = m_adapter->GetCount();
    int row = -1;
    switch (wp) {
    case VK_DOWN: row = m_sel + 1 < count ? m_sel + 1 : -1; break;
    case VK_UP: row = m_sel > 0 ? m_sel - 1 : -1; break;
    case VK_PRIOR: OnScroll(TRUE, SB_PAGEUP, 0); row = m_firstVisible; break;
    case VK_HOME: OnScroll(TRUE, SB_TOP, 0); row = m_firstVisible; break;
    case VK_NEXT: OnScroll(TRUE, SB_PAGEDOWN, 0); row = LastVisibleRow(); break;
    case VK_END: OnScroll(TRUE, SB_BOTTOM, 0); row = LastVisibleRow(); break;
    default: return FALSE;
    }
    if (row < 0 || row == m_sel || row >= count)
        return TRUE;
    EnsureVisible(row);
    SetSel(row, TRUE);
    return TRUE;
}

BOOL SAdapterListBase::OnSetCursor(POINT pt)
{
    SItemPanel* panel = m_capturePanel ? m_capturePanel : m_hoverPanel;
    if (panel) {
        RECT item;
        OnItemGetRect(panel, item);
        if (ToPanel(panel, WM_SETCURSOR, 0, MAKELPARAM(pt.x - item.left, pt.y - item.top)))
            return TRUE;
    }
    return SPanel::OnSetCursor(pt);
}

BOOL SAdapterListBase::OnUpdateToolTip(const SwndToolTipKey& current, SwndToolTipInfo& info)
{
    if (m_hoverPanel)
        return m_hoverPanel->OnUpdateToolTip(current, info);
    return SPanel::OnUpdateToolTip(current, info);
}

void SAdapterListBase::OnScaleChanged(int scale)
{
    SPanel::OnScaleChanged(scale);
    RescaleSkin(m_dividerSkin, scale);
    auto each = [&](SItemPanel* p) { p->BroadcastMessage(UM_SETSCALE, static_cast<WPARAM>(scale)); };
    ForEachVisible(each);
    for (const auto& bin : m_bins)
        for (auto pos = bin->GetHeadPosition(); pos; pos = pos->m_pNext)
            each(pos->m_value);
    if (m_locator) {
        m_locator->SetScale(scale);
        OnDataSetChanged();
    }
}

BOOL SAdapterListBase::OnLanguageChanged()
{
    const BOOL result = SPanel::OnLanguageChanged();
    auto each = [](SItemPanel* p) { p->BroadcastMessage(UM_SETLANGUAGE); };
    ForEachVisible(each);
    for (const auto& bin : m_bins)
        for (auto pos = bin->GetHeadPosition(); pos; pos = pos->m_pNext)
            each(pos->m_value);
    return result;
}

void SAdapterListBase::SetColorize(COLORREF color)
{
    SPanel::SetColorize(color);
    auto each = [color](SItemPanel* p) { p->BroadcastColorize(color); };
    ForEachVisible(each);
    for (const auto& bin : m_bins)
        for (auto pos = bin->GetHeadPosition(); pos; pos = pos->m_pNext)
            each(pos->m_value);
}

} // namespace DUI
