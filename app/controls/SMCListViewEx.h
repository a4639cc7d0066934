#pragma once
// "mclistviewex": the file lists' multi-column view. The adapter owns the
// multi-row selection; the view keeps only a current row and turns Ctrl and
// Shift presses, a selection band (scrolling by itself while the pointer is
// above or below the rows) and drags of selected rows into the adapter's
// selection operations and its move of the items.
#include "app/controls/IMcAdapterEx.h"
#include "dui/control/SMCListView.h"

namespace DUI {

class SMCListViewEx : public SMCListView
{
    // Not a kind of "mclistview": layouts and finders tell the two apart.
    DUI_CLASS_NAME(SMCListViewEx, SPanel, L"mclistviewex", Window_Kind)
public:
    SMCListViewEx();
    ~SMCListViewEx() override;

    // FALSE before creation (no locator) or without a header.
    BOOL SetAdapter(IMcAdapterEx* adapter);
    IMcAdapterEx* GetAdapterEx() const { return m_exAdapter; }
    BOOL IsBandSelecting() const { return m_bandSelecting; }
    BOOL IsRowDragging() const { return m_rowDragging; }

    void OnDataSetChanged() override;
    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    BOOL OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    BOOL OnScroll(BOOL vertical, UINT code, int pos) override;

protected:
    BOOL IsRowChecked(int row) override;
    void OnSelMoving(int row) override;
    void OnSelCancelled(int old) override;
    void PaintOverRows(IPaintSurface* rt) override;
    BOOL OnMouseMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    struct AttrRows;
    // The band's auto-scroll: a window timer of this id, every 10 ms.
    static constexpr UINT_PTR kAutoScrollTimer = 110;
    static constexpr UINT kAutoScrollMs = 10;
    enum ScrollMark : unsigned
    {
        Mark_Left = 1,
        Mark_Right = 2,
        Mark_Up = 4,
        Mark_Down = 8,
    };

    // Pointer gestures, one function a step of the press-move-release cycle.
    BOOL OnLButtonDown(WPARAM wp, POINT pt, SItemPanel* hit);
    void OnDragMove(POINT pt, SItemPanel* hit);
    void OnBandMove(POINT pt, SItemPanel* hit);
    void OnLButtonUp(WPARAM wp, POINT pt);
    void StartBand(POINT pt, int row);
    void EndBand();
    void StopAutoScroll();
    void OnAutoScrollTick();
    void OnFocusLost();
    // The band grown by a pixel, where it shows.
    void InvalidateBand();
    RECT BandRect() const;
    // The rows' area: the window below the header.
    RECT BandArea() const;
    // The row the band reaches at the pointer's height after a scroll.
    void ExtendAfterScroll(BOOL moved);
    SItemPanel* FirstVisiblePanel() const;
    SItemPanel* LastVisiblePanel() const;
    void PaintBand(IPaintSurface* rt);
    void PaintDropLine(IPaintSurface* rt);
    static int RowOf(const SItemPanel* panel) { return static_cast<int>(panel->GetItemIndex()); }

    IMcAdapterEx* m_exAdapter = nullptr;   // the base's adapter, as selection owner
    POINT m_bandStart = {};
    POINT m_bandEnd = {};
    BOOL m_bandSelecting = FALSE;
    BOOL m_rowDragging = FALSE;
    BOOL m_rowDragMoved = FALSE;
    BOOL m_dropAbove = FALSE;
    unsigned m_scrollMarks = 0;
    ULONGLONG m_lastPressTime = 0;
    BOOL m_autoScrolling = FALSE;
    COLORREF m_colorSwapLine = 0xFF000000;
    COLORREF m_colorDropBk = 0x00FF0000;
    int m_canSwapItem = 1;
    BYTE m_dropBkAlpha = 88;
    int m_dropLineHeight = 1;
};

} // namespace DUI
