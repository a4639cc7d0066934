// SMCListViewEx: the mouse. Ctrl and Shift presses change the adapter's
// selection and stop there; a plain press on a selected row arms a row
// drag, any other plain press starts a selection band; the release drops
// the dragged rows and ends the band.
#include "app/controls/SMCListViewEx.h"

#include "dui/core/base/SMsgPoint.h"

namespace DUI {

namespace {

constexpr ULONGLONG kDragDelayMs = 100;

bool IsPress(UINT msg)
{
    return msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN;
}

} // namespace

BOOL SMCListViewEx::OnMouseMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (!m_exAdapter)
        return SPanel::OnSwndMessage(msg, wp, lp, result);
    const SRefPtr<SWindow> keep = SRefPtr<SWindow>::Share(this);
    const SRefPtr<ILvAdapter> keepAdapter = SRefPtr<ILvAdapter>::Share(GetAdapter());
    if (msg == WM_MOUSELEAVE) {
        ChangeHoverPanel(nullptr, 0, 0);
        return SPanel::OnSwndMessage(msg, wp, lp, result);
    }
    const POINT pt = PointFromLParam(lp);
    SItemPanel* hit = PanelAt(pt);
    if (msg == WM_MOUSEMOVE && (wp & MK_LBUTTON)) {
        if (m_lastPressTime && ::GetTickCount64() - m_lastPressTime > kDragDelayMs && m_canSwapItem)
            m_rowDragging = TRUE;
        if (m_bandSelecting)
            OnBandMove(pt, hit);
        else if (m_rowDragging)
            OnDragMove(pt, hit);
        if (IsDestroyed() || !m_exAdapter)
            return TRUE;
        hit = PanelAt(pt);
    }
    if (msg == WM_LBUTTONDOWN && OnLButtonDown(wp, pt, hit)) {
        result = 0;
        return TRUE;
    }
    if (IsDestroyed() || !m_exAdapter)
        return TRUE;
    hit = PanelAt(pt);
    ChangeHoverPanel(hit, wp, lp);
    // A row window that holds the capture (a pressed button) hears the
    // pointer wherever it goes.
    SItemPanel* target = GetCapturePanel() ? GetCapturePanel() : GetHoverPanel();
    if (target && !m_rowDragging)
        ToPanel(target, msg, wp, ToPanelPoint(target, lp));
    else if (!GetHoverPanel() && IsPress(msg))
        SetSel(-1, TRUE);
    if (IsDestroyed())
        return TRUE;
    SPanel::OnSwndMessage(msg, wp, lp, result);
    if (msg == WM_LBUTTONUP && !IsDestroyed() && m_exAdapter)
        OnLButtonUp(wp, pt);
    result = 0;
    return TRUE;
}

// TRUE when the press ends here (Shift and Ctrl presses).
BOOL SMCListViewEx::OnLButtonDown(WPARAM wp, POINT pt, SItemPanel* hit)
{
    if (IsFocusable())
        SetFocus();
    if (IsDestroyed() || !m_exAdapter)
        return TRUE;
    hit = PanelAt(pt);
    const int row = hit ? RowOf(hit) : -1;
    if (wp == (MK_SHIFT | MK_LBUTTON) || wp == MK_SHIFT) {
        if (hit) {
            m_lastPressTime = ::GetTickCount64();
            m_exAdapter->SelectRangeToLast(row);
            m_exAdapter->OnSelectionChanged();
        }
        return TRUE;
    }
    if (wp == (MK_CONTROL | MK_LBUTTON) || wp == MK_CONTROL) {
        if (hit) {
            m_lastPressTime = ::GetTickCount64();
            const SRefPtr<SWindow> keepPanel = SRefPtr<SWindow>::Share(hit);
            m_exAdapter->ToggleSelect(row);
            const BOOL selected = m_exAdapter->IsSelected(row);
            SetItemStateMuted(hit, selected ? WndState_Check : 0, selected ? 0 : WndState_Check);
            hit->InvalidateClient();
            m_exAdapter->OnSelectionChanged();
        }
        return TRUE;
    }
    if (wp != MK_LBUTTON)
        return FALSE;
    if (hit && m_canSwapItem && m_exAdapter->IsSelected(row)) {
        m_rowDragging = FALSE;
        m_rowDragMoved = FALSE;
        m_lastPressTime = ::GetTickCount64();
        return FALSE;
    }
    if (hit)
        SetSel(-1, TRUE);
    if (!IsDestroyed() && m_exAdapter)
        StartBand(pt, row);
    return FALSE;
}

void SMCListViewEx::StartBand(POINT pt, int row)
{
    m_bandStart = m_bandEnd = pt;
    m_bandSelecting = TRUE;
    m_exAdapter->SetAnchor(row);
}

void SMCListViewEx::OnBandMove(POINT pt, SItemPanel* hit)
{
    m_scrollMarks = 0;
    InvalidateBand();
    m_bandEnd = pt;
    InvalidateBand();
    const RECT area = BandArea();
    if (hit) {
        m_exAdapter->ExtendSelection(RowOf(hit));
    } else {
        if (SItemPanel* beside = PanelAt(POINT{m_bandStart.x, pt.y}))
            m_exAdapter->ExtendSelection(RowOf(beside));
        if (pt.x < area.left)
            m_scrollMarks |= Mark_Left;
        else if (pt.x > area.right)
            m_scrollMarks |= Mark_Right;
        if (pt.y < area.top)
            m_scrollMarks |= Mark_Up;
        else if (pt.y > area.bottom)
            m_scrollMarks |= Mark_Down;
    }
    if (!m_autoScrolling && SetTimerEx(kAutoScrollTimer, kAutoScrollMs))
        m_autoScrolling = TRUE;
}

void SMCListViewEx::OnDragMove(POINT pt, SItemPanel* hit)
{
    m_rowDragMoved = TRUE;
    if (!hit)
        return;
    RECT row;
    OnItemGetRect(hit, row);
    m_dropAbove = pt.y < row.top + (row.bottom - row.top) / 2;
    InvalidateRect(&row);
    const RECT client = GetClientRect();
    if (row.bottom >= client.bottom)
        OnScroll(TRUE, SB_LINEDOWN, 0);
    else if (row.top <= client.top + GetHeaderHeight())
        OnScroll(TRUE, SB_LINEUP, 0);
}

void SMCListViewEx::OnLButtonUp(WPARAM wp, POINT pt)
{
    if (!(wp & (MK_SHIFT | MK_CONTROL)))
        m_lastPressTime = 0;
    if (m_rowDragging) {
        SItemPanel* hit = PanelAt(pt);
        if (!m_rowDragMoved && hit) {
            const LPARAM at = ToPanelPoint(hit, MAKELPARAM(pt.x, pt.y));
            ToPanel(hit, WM_LBUTTONDOWN, MK_LBUTTON, at);
            ToPanel(hit, WM_LBUTTONUP, 0, at);
            if (IsDestroyed() || !m_exAdapter)
                return;
            hit = PanelAt(pt);
        }
        const int target = hit ? RowOf(hit) + (m_dropAbove ? 0 : 1) : -1;
        m_rowDragging = FALSE;
        InvalidateClient();
        m_exAdapter->DropSelectionAt(target);
        if (IsDestroyed() || !m_exAdapter)
            return;
    }
    if (m_bandSelecting)
        EndBand();
    if (IsDestroyed())
        return;
    if (SItemPanel* hover = GetHoverPanel())
        hover->InvalidateClient();
    OnItemSetCapture(nullptr, FALSE);
}

void SMCListViewEx::EndBand()
{
    m_bandSelecting = FALSE;
    StopAutoScroll();
    InvalidateBand();
    m_exAdapter->OnSelectionChanged();
}

} // namespace DUI
