#include "dui/control/SMCListView.h"

#include <algorithm>
#include <vector>

#include "dui/control/HeaderEvents.h"
#include "dui/control/SHeaderCtrl.h"
#include "dui/core/SLayoutParamAttr.h"
#include "dui/core/base/DuiLog.h"
#include "dui/core/base/SAttrTable.h"
#include "dui/core/base/SlotFunctor.h"
#include "dui/res.mgr/SResProviderMgr.h"

namespace DUI {

namespace {

constexpr char kSource[] = "SMCListView.cpp";
// Rows are measured against a bound this tall.
constexpr int kRowBound = 100000;

} // namespace

struct SMCListView::AttrRows
{
    using Row = SAttrRow<SMCListView>;

    static HRESULT HeaderHeight(SMCListView& v, const SStringW& value, BOOL)
    {
        v.m_headerHeight = ResolveLayoutDim(value.c_str());
        return S_OK;
    }
    static HRESULT HotTrack(SMCListView& v, const SStringW& value, BOOL)
    {
        v.m_hotTrack = ReadInt(value, "DUI::SMCListView::SetAttribute");
        return S_OK;
    }

    static constexpr Row kRows[] = {
        {L"headerHeight", &HeaderHeight, AttrEffect::RedrawLater},
        {L"hotTrack", &HotTrack, AttrEffect::None},
    };
    static constexpr SAttrTable kTable{kRows};
};

SMCListView::SMCListView()
{
    m_dataInvalidated = TRUE;
    SWindow::SetAttribute(L"clipClient", L"1", TRUE);
}

SMCListView::~SMCListView() = default;

HRESULT SMCListView::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    HRESULT result = S_FALSE;
    if (!AttrRows::kTable.Apply(*this, name, value, loading, result))
        return SAdapterListBase::SetAttribute(name, value, loading);
    return AfterSetAttribute(name, value, loading, result);
}

int SMCListView::GetHeaderHeight() const
{
    return std::max(m_headerHeight.ToPixel(GetScale()), 0);
}

BOOL SMCListView::CreateChildren(xmldom::xml_node element)
{
    xmldom::xml_node tpl = element.child(L"template");
    if (!tpl.empty())
        tpl.set_skip_mark(1);
    const BOOL created = SAdapterListBase::CreateChildren(element);
    if (!tpl.empty())
        tpl.set_skip_mark(0);
    if (!created)
        return FALSE;
    ReadTemplate(element);
    for (SWindow* child = GetRelatedWindow(GSW_FIRSTCHILD); child; child = child->GetRelatedWindow(GSW_NEXTSIBLING)) {
        if (child->IsKindOf(SHeaderCtrl::GetClassTagStatic())) {
            m_header = static_cast<SHeaderCtrl*>(child);
            break;
        }
    }
    if (!m_header) {
        WriteLog(kSource, __LINE__, __func__, L"mclistview [%s] has no header: it shows no rows", GetName());
        return FALSE;
    }
    wchar_t pos[64];
    swprintf(pos, 64, L"0,0,-0,%d", GetHeaderHeight());
    m_header->SetAttribute(L"pos", pos, TRUE);
    auto relayout = StdFunctionSlot([this](EventArgs*) { return OnColumnsChanged(); });
    m_header->SubscribeEvent(EventHeaderItemChanging::EventID, relayout);
    m_header->SubscribeEvent(EventHeaderItemSwap::EventID, relayout);
    m_header->SubscribeEvent(EventHeaderClick::EventID, StdFunctionSlot([this](EventArgs* e) {
                                 return OnHeaderClick(static_cast<EventHeaderClick*>(e)->iItem);
                             }));
    return TRUE;
}

BOOL SMCListView::SetAdapter(IMcAdapter* adapter)
{
    if ((!m_header && adapter) || !GetItemLocator())
        return FALSE;
    // Set first: attaching refreshes the rows, columns included.
    m_mcAdapter = adapter;
    return SAdapterListBase::SetAdapter(adapter);
}

// Column visibility is the adapter's; the header tells no one of it here.
void SMCListView::OnDataSetChanged()
{
    if (m_mcAdapter && m_header && IsVisible(TRUE)) {
        SEventSet* events = m_header->GetEventSet();
        const BOOL muted = events->IsMuted();
        events->SetMutedState(TRUE);
        for (int i = 0; i < m_header->GetItemCount(); ++i)
            m_header->SetItemVisible(i, m_mcAdapter->IsColumnVisible(i));
        events->SetMutedState(muted);
    }
    SAdapterListBase::OnDataSetChanged();
}

RECT SMCListView::RowsRect() const
{
    RECT rc = GetClientRect();
    rc.top = std::min<LONG>(rc.top + GetHeaderHeight(), rc.bottom);
    return rc;
}

int SMCListView::RowsLeft() const
{
    return GetClientRect().left - m_siHoz.nPos;
}

int SMCListView::RowsWidth() const
{
    return m_header ? m_header->GetTotalWidth() : 0;
}

RECT SMCListView::PanelFrame() const
{
    return RECT{0, 0, RowsWidth(), kRowBound};
}

void SMCListView::OnRowLaidOut(SItemPanel* panel)
{
    PlaceCells(panel, TRUE);
}

void SMCListView::PlaceCells(SItemPanel* panel, BOOL hideHidden)
{
    if (!m_header || !m_mcAdapter)
        return;
    const RECT row = panel->GetWindowRect();
    long long x = 0;
    for (int i = 0; i < m_header->GetItemCount(); ++i) {
        SHDITEM item;
        item.mask = HDI_ORDER;
        m_header->GetItem(i, &item);
        const SStringW name = m_mcAdapter->GetColumnName(item.iOrder);
        SWindow* cell = name.IsEmpty() ? nullptr : panel->FindChildByName(name.c_str());
        const int width = m_header->GetItemWidth(i);
        if (!m_header->IsItemVisible(i)) {
            if (cell && hideHidden)
                cell->SetVisible(FALSE, FALSE);
            continue;
        }
        if (cell) {
            cell->SetVisible(TRUE, FALSE);
            const RECT at = {static_cast<LONG>(x), 0, static_cast<LONG>(std::min<long long>(x + width, INT_MAX)),
                             row.bottom - row.top};
            cell->Move(&at);
        }
        x += width;
    }
}

void SMCListView::UpdateHeaderPosition()
{
    if (!m_header)
        return;
    const RECT client = GetClientRect();
    const RECT rc = {client.left - m_siHoz.nPos, client.top, client.right, client.top + GetHeaderHeight()};
    m_header->Move(&rc);
}

void SMCListView::ArrangeChildren()
{
    SAdapterListBase::ArrangeChildren();
    UpdateHeaderPosition();
}

// A: the columns' width, B: the rows' height, over the area below the
// header with the bars' room included.
void SMCListView::UpdateScrollBar()
{
    const RECT client = SWindow::GetClientRect();
    const int w = client.right - client.left;
    const int h = std::max<int>(client.bottom - client.top - GetHeaderHeight(), 0);
    const int a = RowsWidth();
    const int b = m_locator ? m_locator->GetTotalHeight() : 0;
    const int s = GetScrollBarWidth();
    auto none = [](SCROLLINFO& si, int length) {
        si.nMin = 0;
        si.nMax = std::max(length - 1, 0);
        si.nPage = static_cast<UINT>(std::max(length, 0));
        si.nPos = 0;
    };
    auto bar = [](SCROLLINFO& si, int size, int page) {
        si.nMin = 0;
        si.nMax = size - 1;
        si.nPage = static_cast<UINT>(std::max(page, 0));
        si.nPos = std::max(std::min(si.nPos, size - static_cast<int>(si.nPage)), 0);
    };
    m_barShown = 0;
    if (b <= h && (static_cast<long long>(b) + s <= h || a <= w || !m_hScrollShow)) {
        none(m_siVer, h);
        if (m_hScrollShow && a > w) {
            m_barShown |= Bar_Horz;
            bar(m_siHoz, a, w);
        } else {
            none(m_siHoz, w);
        }
    } else {
        // Switched off, the bar hides but the range stays: keys and the
        // wheel still scroll the rows.
        if (m_vScrollShow)
            m_barShown |= Bar_Vert;
        if (m_hScrollShow && w - s < a) {
            m_barShown |= Bar_Horz;
            bar(m_siVer, b, h - s);
            bar(m_siHoz, a, w - s);
        } else {
            bar(m_siVer, b, h);
            none(m_siHoz, w);
        }
    }
    SetScrollPos(TRUE, m_siVer.nPos, TRUE);
    SetScrollPos(FALSE, m_siHoz.nPos, TRUE);
    DeliverSwndMessage(WM_NCCALCSIZE);
    UpdateHeaderPosition();
    InvalidateClient();
}

BOOL SMCListView::OnScroll(BOOL vertical, UINT code, int pos)
{
    if (!SAdapterListBase::OnScroll(vertical, code, pos))
        return FALSE;
    if (!vertical) {
        UpdateHeaderPosition();
        InvalidateClient();
    }
    return TRUE;
}

BOOL SMCListView::OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    const BOOL handled = SAdapterListBase::OnSwndMessage(msg, wp, lp, result);
    if (msg == WM_SIZE)
        UpdateHeaderPosition();
    return handled;
}

void SMCListView::OnPressBesideRows()
{
    SetSel(-1, TRUE);
}

// Resized or moved columns: the rows keep their panels and only their
// cells move.
bool SMCListView::OnColumnsChanged()
{
    UpdateScrollBar();
    const int width = RowsWidth();
    ForEachVisible([&](SItemPanel* panel) {
        RECT rc = panel->GetWindowRect();
        rc.right = rc.left + width;
        panel->Move(&rc);
        PlaceCells(panel, FALSE);
    });
    const RECT rows = RowsRect();
    InvalidateRect(&rows);
    return true;
}

bool SMCListView::OnHeaderClick(int clicked)
{
    if (!m_mcAdapter || !m_header || clicked < 0 || clicked >= m_header->GetItemCount())
        return false;
    const int count = m_header->GetItemCount();
    std::vector<UINT> flags(static_cast<size_t>(count), 0);
    std::vector<int> where(static_cast<size_t>(count), -1);
    int column = -1;
    for (int i = 0; i < count; ++i) {
        SHDITEM item;
        m_header->GetItem(i, &item);
        // An order outside 0..count-1 has no place in the arrays.
        if (item.iOrder < 0 || item.iOrder >= count)
            continue;
        flags[static_cast<size_t>(item.iOrder)] = item.sortFlag;
        where[static_cast<size_t>(item.iOrder)] = i;
        if (i == clicked)
            column = item.iOrder;
    }
    if (column < 0)
        return false;
    const SRefPtr<ILvAdapter> keep = SRefPtr<ILvAdapter>::Share(GetAdapter());
    if (!m_mcAdapter->OnSort(column, flags.data(), count) || IsDestroyed() || !m_header)
        return true;
    for (int id = 0; id < count; ++id) {
        if (where[static_cast<size_t>(id)] >= 0)
            m_header->SetItemSort(where[static_cast<size_t>(id)], flags[static_cast<size_t>(id)]);
    }
    OnDataSetChanged();
    return true;
}

} // namespace DUI
