// SAdapterListBase: the visible rows, their panels and their painting,
// selection and scrolling.
#include "dui/control/SAdapterListBase.h"

#include <algorithm>

#include "dui/control/ListViewEvents.h"

namespace DUI {

namespace {

// A flexible locator that keeps changing its total after every pass would
// otherwise rebuild forever.
constexpr int kMaxPasses = 32;

} // namespace

void SAdapterListBase::UpdateVisibleItems()
{
    if (!m_adapter || !m_locator)
        return;
    if (m_updating) {
        m_changedWhileUpdating = TRUE;
        return;
    }
    const SRefPtr<SWindow> keepView = SRefPtr<SWindow>::Share(this);
    const SRefPtr<ILvAdapter> adapter = m_adapter;
    const unsigned generation = m_generation;
    m_updating = TRUE;
    for (int pass = 0; pass < kMaxPasses && generation == m_generation; ++pass) {
        const int oldFirst = m_firstVisible;
        const int oldTotal = m_locator->GetTotalHeight();
        const RECT rows = RowsRect();
        const int bottom = ScrollPosV() + (rows.bottom - rows.top);
        const int first = m_locator->Position2Item(ScrollPosV());
        int y = first == -1 ? 0 : m_locator->Item2Position(first);
        const int hoverRow = m_hoverPanel ? static_cast<int>(m_hoverPanel->GetItemIndex()) : -1;
        m_hoverPanel = nullptr;
        std::vector<ItemInfo> old;
        ForEachVisible([&](SItemPanel* p) { old.push_back(ItemInfo{p, 0}); });
        size_t k = 0;
        for (auto pos = m_visible.GetHeadPosition(); pos; pos = pos->m_pNext)
            old[k++].type = pos->m_value.type;
        m_visible.RemoveAll();
        m_firstVisible = -1;
        if (first != -1) {
            for (int i = first; y < bottom && i < adapter->GetCount(); ++i) {
                if (!FillRow(i, hoverRow, old, oldFirst, y) || generation != m_generation)
                    break;
                if (m_firstVisible == -1)
                    m_firstVisible = first;
            }
        }
        RecycleLeftovers(old);
        if (generation != m_generation || m_locator->IsFixHeight() || m_locator->GetTotalHeight() == oldTotal)
            break;
        UpdateScrollBar();
    }
    m_updating = FALSE;
    InvalidateClient();
    if (m_changedWhileUpdating) {
        m_changedWhileUpdating = FALSE;
        OnDataSetChanged();
    }
}

// FALSE when the rows were replaced from inside the adapter.
BOOL SAdapterListBase::FillRow(int row, int hoverRow, std::vector<ItemInfo>& old, int oldFirst, int& y)
{
    const unsigned generation = m_generation;
    const DWORD state = (row == hoverRow ? DWORD{WndState_Hover} : 0u) | (IsRowChecked(row) ? DWORD{WndState_Check} : 0u);
    const int type = CheckedViewType(row, state);
    if (generation != m_generation)
        return FALSE;
    SItemPanel* panel = nullptr;
    const long long place = static_cast<long long>(row) - oldFirst;
    if (oldFirst != -1 && place >= 0 && place < static_cast<long long>(old.size()) && old[place].panel &&
        old[place].type == type) {
        panel = std::exchange(old[place].panel, nullptr);
    } else {
        panel = TakePanel(type);
    }
    SRefPtr<SItemPanel> hold = SRefPtr<SItemPanel>::Adopt(panel);
    panel->SetItemIndex(row);
    panel->SetVisible(TRUE, FALSE);
    RECT rc = PanelFrame();
    const BOOL fixed = m_locator->IsFixHeight();
    if (fixed) {
        rc.bottom = rc.top + m_locator->GetItemHeight(row);
        panel->Move(&rc);
    }
    SetItemStateMuted(panel, state, (WndState_Hover | WndState_Check) & ~state);
    if (row == hoverRow)
        m_hoverPanel = panel;
    m_adapter->GetView(row, panel, TemplateNode());
    if (generation != m_generation || !m_adapter) {
        m_hoverPanel = nullptr;
        return FALSE;
    }
    if (GetColorizeColor() != 0)
        panel->BroadcastColorize(GetColorizeColor());
    if (!fixed) {
        const SIZE size = m_adapter->GetViewDesiredSize(row, panel, rc);
        rc.bottom = rc.top + std::max<LONG>(size.cy, 0);
        panel->Move(&rc);
        m_locator->SetItemHeight(row, rc.bottom - rc.top);
    }
    panel->UpdateLayout();
    OnRowLaidOut(panel);
    m_visible.AddTail(ItemInfo{hold.Detach(), type});
    y += (rc.bottom - rc.top) + m_locator->GetDividerSize();
    return TRUE;
}

void SAdapterListBase::RecycleLeftovers(std::vector<ItemInfo>& left)
{
    for (ItemInfo& info : left) {
        SItemPanel* panel = std::exchange(info.panel, nullptr);
        if (!panel)
            continue;
        if (panel->GetState() & WndState_Hover)
            panel->OnMouseEvent(WM_MOUSELEAVE, 0, 0);
        SetItemStateMuted(panel, 0, WndState_Check);
        panel->GetFocusManager().ClearFocus();
        panel->SetVisible(FALSE, FALSE);
        if (info.type < static_cast<int>(m_bins.size()) && m_bins[static_cast<size_t>(info.type)]->AddTail(panel))
            continue;
        panel->Release();
    }
}

SItemPanel* SAdapterListBase::GetItemPanel(int row) const
{
    if (m_firstVisible == -1 || row < m_firstVisible)
        return nullptr;
    int i = m_firstVisible;
    for (auto pos = m_visible.GetHeadPosition(); pos; pos = pos->m_pNext, ++i) {
        if (i == row)
            return pos->m_value.panel;
    }
    return nullptr;
}

int SAdapterListBase::LastVisibleRow() const
{
    return m_firstVisible == -1 ? -1 : m_firstVisible + static_cast<int>(GetVisibleCount()) - 1;
}

RECT SAdapterListBase::RowRect(int row) const
{
    const RECT rows = RowsRect();
    RECT rc;
    rc.left = RowsLeft();
    rc.right = rc.left + RowsWidth();
    rc.top = rows.top + m_locator->Item2Position(row) - ScrollPosV();
    rc.bottom = rc.top + m_locator->GetItemHeight(row);
    return rc;
}

BOOL SAdapterListBase::OnItemGetRect(const SItemPanel* item, RECT& rc) const
{
    if (!m_locator) {
        ::SetRectEmpty(&rc);
        return FALSE;
    }
    rc = RowRect(static_cast<int>(item->GetItemIndex()));
    return TRUE;
}

SItemPanel* SAdapterListBase::PanelAt(POINT pt) const
{
    const RECT rows = RowsRect();
    if (!::PtInRect(&rows, pt))
        return nullptr;
    SItemPanel* hit = nullptr;
    ForEachVisible([&](SItemPanel* p) {
        const RECT rc = RowRect(static_cast<int>(p->GetItemIndex()));
        if (!hit && ::PtInRect(&rc, pt))
            hit = p;
    });
    return hit;
}

void SAdapterListBase::OnPaint(IPaintSurface* rt)
{
    if (m_dataInvalidated) {
        UpdateVisibleItems();
        m_dataInvalidated = FALSE;
    }
    SPaintState state;
    BeforePaint(rt, state);
    if (m_firstVisible != -1)
        PaintRows(rt);
    PaintOverRows(rt);
    AfterPaint(rt, state);
}

void SAdapterListBase::PaintRows(IPaintSurface* rt)
{
    const RECT rows = RowsRect();
    rt->PushClipRect(&rows, RGN_OP_AND);
    RECT clip = {};
    rt->GetClipBox(&clip);
    const int divider = m_locator->GetDividerSize();
    ForEachVisible([&](SItemPanel* p) {
        const RECT rc = RowRect(static_cast<int>(p->GetItemIndex()));
        RECT common;
        if (::IntersectRect(&common, &rc, &clip))
            p->Draw(rt, rc);
        if (m_dividerSkin && divider > 0) {
            const RECT line = {rc.left, rc.bottom, rc.right, rc.bottom + divider};
            m_dividerSkin->DrawByState(rt, &line, 0);
        }
    });
    rt->PopClip();
}

void SAdapterListBase::SetSel(int row, BOOL notify)
{
    if (!m_adapter || row >= m_adapter->GetCount())
        return;
    row = std::max(row, -1);
    const int old = m_sel;
    const SRefPtr<SWindow> keep = SRefPtr<SWindow>::Share(this);
    OnSelMoving(row);
    if (notify) {
        EventLVSelChanging e(this);
        e.iOldSel = old;
        e.iNewSel = row;
        FireEvent(e);
        if (IsDestroyed() || !m_adapter)
            return;
        if (e.bCancel || row >= m_adapter->GetCount()) {
            OnSelCancelled(old);
            return;
        }
    }
    if (row == m_sel)
        return;
    m_sel = row;
    if (SItemPanel* before = GetItemPanel(old)) {
        before->GetFocusManager().ClearFocus();
        SetItemStateMuted(before, 0, WndState_Check);
        before->InvalidateClient();
    }
    if (SItemPanel* after = GetItemPanel(row)) {
        SetItemStateMuted(after, WndState_Check, 0);
        after->InvalidateClient();
    }
    if (notify) {
        EventLVSelChanged e(this);
        e.iOldSel = old;
        e.iNewSel = row;
        FireEvent(e);
    }
}

void SAdapterListBase::EnsureVisible(int row)
{
    if (!m_adapter || !m_locator || row < 0 || row >= m_adapter->GetCount())
        return;
    const int last = LastVisibleRow();
    if (row <= m_firstVisible || m_firstVisible == -1) {
        OnScroll(TRUE, SB_THUMBPOSITION, m_locator->Item2Position(row));
    } else if (row >= last) {
        if (row == m_adapter->GetCount() - 1) {
            OnScroll(TRUE, SB_BOTTOM, 0);
        } else {
            const RECT rows = RowsRect();
            OnScroll(TRUE, SB_THUMBPOSITION, m_locator->Item2Position(row + 1) - (rows.bottom - rows.top));
        }
    }
}

int SAdapterListBase::GetScrollLineSize(BOOL vertical)
{
    return m_locator && vertical ? m_locator->GetScrollLineSize() : SPanel::GetScrollLineSize(vertical);
}

BOOL SAdapterListBase::OnScroll(BOOL vertical, UINT code, int pos)
{
    if (!SPanel::OnScroll(vertical, code, pos))
        return FALSE;
    if (vertical)
        UpdateVisibleItems();
    if (code == SB_THUMBTRACK)
        UpdateThrottled();
    return TRUE;
}

} // namespace DUI
