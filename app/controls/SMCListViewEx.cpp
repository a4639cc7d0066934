// SMCListViewEx: attributes, the adapter, the selection drawn from the
// adapter, focus, the auto-scroll timer, scrolling during a band, and the
// band and drop line painted over the rows.
#include "app/controls/SMCListViewEx.h"

#include <algorithm>

#include "dui/core/SLayoutParamAttr.h"
#include "dui/core/STimer2.h"
#include "dui/core/base/SAttrTable.h"
#include "dui/res.mgr/SResProviderMgr.h"

namespace DUI {

namespace {

// "0" and "false" in any case switch a bar off.
int ReadBarSwitch(const SStringW& value)
{
    return (value == L"0" || _wcsicmp(value.c_str(), L"false") == 0) ? 0 : 1;
}

} // namespace

struct SMCListViewEx::AttrRows
{
    using Row = SAttrRow<SMCListViewEx>;

    template <auto field>
    static HRESULT Int(SMCListViewEx& v, const SStringW& value, BOOL)
    {
        v.*field = ReadInt(value, "DUI::SMCListViewEx::SetAttribute");
        return S_OK;
    }
    template <auto field>
    static HRESULT Color(SMCListViewEx& v, const SStringW& value, BOOL)
    {
        v.*field = ResolveNamedColor(value);
        return S_OK;
    }
    template <auto field>
    static HRESULT BarSwitch(SMCListViewEx& v, const SStringW& value, BOOL)
    {
        v.*field = ReadBarSwitch(value);
        return S_OK;
    }
    // Only the low byte counts.
    static HRESULT DropBkAlpha(SMCListViewEx& v, const SStringW& value, BOOL)
    {
        v.m_dropBkAlpha = static_cast<BYTE>(ReadInt(value, "DUI::SMCListViewEx::SetAttribute") & 0xFF);
        return S_OK;
    }

    static constexpr Row kRows[] = {
        {L"canSwapItem", &Int<&SMCListViewEx::m_canSwapItem>, AttrEffect::None},
        {L"colorDropBk", &Color<&SMCListViewEx::m_colorDropBk>, AttrEffect::None},
        {L"colorSwapLine", &Color<&SMCListViewEx::m_colorSwapLine>, AttrEffect::None},
        {L"dropBkAlpha", &DropBkAlpha, AttrEffect::None},
        {L"droplineheight", &Int<&SMCListViewEx::m_dropLineHeight>, AttrEffect::Redraw},
        {L"hscrollshow", &BarSwitch<&SMCListViewEx::m_hScrollShow>, AttrEffect::None},
        {L"vscrollshow", &BarSwitch<&SMCListViewEx::m_vScrollShow>, AttrEffect::None},
    };
    static constexpr SAttrTable kTable{kRows};
};

SMCListViewEx::SMCListViewEx()
{
    SMCListView::SetAttribute(L"headerHeight", L"0", TRUE);
}

SMCListViewEx::~SMCListViewEx() = default;

HRESULT SMCListViewEx::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    HRESULT result = S_FALSE;
    if (!AttrRows::kTable.Apply(*this, name, value, loading, result))
        return SMCListView::SetAttribute(name, value, loading);
    return AfterSetAttribute(name, value, loading, result);
}

BOOL SMCListViewEx::SetAdapter(IMcAdapterEx* adapter)
{
    if (!GetItemLocator() || (adapter && !GetHeader()))
        return FALSE;
    // The gestures of the old adapter's rows end with it.
    m_bandSelecting = FALSE;
    m_rowDragging = FALSE;
    m_lastPressTime = 0;
    StopAutoScroll();
    m_exAdapter = adapter;
    return SMCListView::SetAdapter(adapter);
}

// The extended view never reads the adapter's column visibility.
void SMCListViewEx::OnDataSetChanged()
{
    SAdapterListBase::OnDataSetChanged();
}

BOOL SMCListViewEx::IsRowChecked(int row)
{
    return m_exAdapter && m_exAdapter->IsSelected(row);
}

void SMCListViewEx::OnSelMoving(int row)
{
    m_exAdapter->SelectOnly(row);
}

void SMCListViewEx::OnSelCancelled(int old)
{
    m_exAdapter->SelectOnly(old);
}

BOOL SMCListViewEx::OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (msg == UM_SWND_TIMER) {
        if (wp != kAutoScrollTimer)
            return SMCListView::OnSwndMessage(msg, wp, lp, result);
        OnAutoScrollTick();
        result = 0;
        return TRUE;
    }
    const SRefPtr<SWindow> keep = SRefPtr<SWindow>::Share(this);
    const BOOL handled = SMCListView::OnSwndMessage(msg, wp, lp, result);
    if (msg == WM_KILLFOCUS && !IsDestroyed())
        OnFocusLost();
    if (msg == WM_DESTROY)
        StopAutoScroll();
    return handled;
}

// No drop: the gesture was broken off, not finished.
void SMCListViewEx::OnFocusLost()
{
    m_rowDragging = FALSE;
    if (m_bandSelecting)
        EndBand();
    StopAutoScroll();
    OnItemSetCapture(nullptr, FALSE);
}

void SMCListViewEx::StopAutoScroll()
{
    KillTimerEx(kAutoScrollTimer);
    m_autoScrolling = FALSE;
}

void SMCListViewEx::OnAutoScrollTick()
{
    if (m_scrollMarks & Mark_Down)
        OnScroll(TRUE, SB_LINEDOWN, 0);
    if (m_scrollMarks & Mark_Up)
        OnScroll(TRUE, SB_LINEUP, 0);
}

BOOL SMCListViewEx::OnScroll(BOOL vertical, UINT code, int pos)
{
    const SRefPtr<SWindow> keep = SRefPtr<SWindow>::Share(this);
    const int before = vertical ? m_siVer.nPos : m_siHoz.nPos;
    SMCListView::OnScroll(vertical, code, pos);
    const int after = vertical ? m_siVer.nPos : m_siHoz.nPos;
    const BOOL moved = after != before;
    if (vertical && m_bandSelecting && m_exAdapter && !IsDestroyed()) {
        ExtendAfterScroll(moved);
        // The band's fixed corner stays on the row it started on.
        m_bandStart.y += before - after;
    }
    return moved;
}

// The pointer is where the band's moving corner is: the view holds the
// capture while a band is drawn, so every move reaches it.
void SMCListViewEx::ExtendAfterScroll(BOOL moved)
{
    const BOOL above = m_bandEnd.y < BandArea().top;
    SItemPanel* panel = PanelAt(POINT{m_bandStart.x, m_bandEnd.y});
    if (!panel && above) {
        panel = FirstVisiblePanel();
    } else if (!panel) {
        // A band begun below the rows counts from the last row already.
        const SLinkedList<int>& sel = m_exAdapter->GetSelection();
        const BOOL marker = !sel.IsEmpty() && sel.GetAt(sel.GetHeadPosition()) == -1;
        panel = (moved || !marker) ? LastVisiblePanel() : nullptr;
    }
    if (panel)
        m_exAdapter->ExtendSelection(RowOf(panel));
}

SItemPanel* SMCListViewEx::FirstVisiblePanel() const
{
    return GetItemPanel(GetFirstVisible());
}

SItemPanel* SMCListViewEx::LastVisiblePanel() const
{
    return GetItemPanel(LastVisibleRow());
}

RECT SMCListViewEx::BandArea() const
{
    RECT area = GetWindowRect();
    area.top = std::min<LONG>(area.top + GetHeaderHeight(), area.bottom);
    return area;
}

RECT SMCListViewEx::BandRect() const
{
    return RECT{std::min(m_bandStart.x, m_bandEnd.x), std::min(m_bandStart.y, m_bandEnd.y),
                std::max(m_bandStart.x, m_bandEnd.x), std::max(m_bandStart.y, m_bandEnd.y)};
}

void SMCListViewEx::InvalidateBand()
{
    RECT rc = BandRect();
    ::InflateRect(&rc, 1, 1);
    InvalidateRect(&rc);
}

void SMCListViewEx::PaintOverRows(IPaintSurface* rt)
{
    if (m_bandSelecting)
        PaintBand(rt);
    else if (m_rowDragging && GetHoverPanel())
        PaintDropLine(rt);
}

void SMCListViewEx::PaintBand(IPaintSurface* rt)
{
    const RECT area = RowsRect();
    const RECT band = BandRect();
    RECT rc;
    if (!::IntersectRect(&rc, &band, &area))
        return;
    const unsigned alpha = m_colorDropBk >> 24;
    const unsigned fillAlpha = m_dropBkAlpha == 255 ? alpha : alpha * m_dropBkAlpha / 256;
    rt->FillRectColor(&rc, (m_colorDropBk & 0x00FFFFFF) | (fillAlpha << 24));
    // Edges the area cut off are not the band's: they stay open.
    const RECT edges[] = {
        {rc.left, rc.top, rc.right, rc.top + 1},
        {rc.left + 1, rc.bottom - 1, rc.right - 1, rc.bottom},
        {rc.left, rc.top, rc.left + 1, rc.bottom},
        {rc.right - 1, rc.top + 1, rc.right, rc.bottom - 1},
    };
    const bool inside[] = {band.top >= area.top, band.bottom <= area.bottom, band.left >= area.left,
                           band.right <= area.right};
    for (size_t i = 0; i < 4; ++i) {
        if (inside[i] && !::IsRectEmpty(&edges[i]))
            rt->FillRectColor(&edges[i], m_colorDropBk);
    }
}

void SMCListViewEx::PaintDropLine(IPaintSurface* rt)
{
    RECT row;
    OnItemGetRect(GetHoverPanel(), row);
    const int height = std::max(m_dropLineHeight, 0);
    if (m_dropAbove)
        row.bottom = static_cast<LONG>(std::min<long long>(static_cast<long long>(row.top) + height, row.bottom));
    else
        row.top = static_cast<LONG>(std::max<long long>(static_cast<long long>(row.bottom) - height, row.top));
    const RECT client = GetClientRect();
    RECT line;
    if (::IntersectRect(&line, &row, &client))
        rt->FillRectColor(&line, m_colorSwapLine);
}

} // namespace DUI
