#pragma once
// "header": the row of column items above a multi-column list. Items are
// clicked (for sorting), resized by their right edge and dragged to another
// place; every change is reported by an event, and the lists lay out their
// columns from the items.
#include <vector>

#include "dui/core/SWindow.h"
#include "dui/core/base/SHandle.h"

namespace DUI {

// Which fields of an item a get operation copies.
enum HeaderItemMask : UINT
{
    HDI_WIDTH = 0x1,
    HDI_TEXT = 0x2,
    HDI_SORTFLAG = 0x4,
    HDI_LPARAM = 0x8,
    HDI_ORDER = 0x10,
    HDI_ALL = 0x1F,
};

struct SHDITEM
{
    UINT mask = HDI_ALL;
    SLayoutSize cx{50, SLayoutSize::px};
    SStringW text;          // raw; GetItem gives it translated
    UINT sortFlag = 0;      // 0 no mark, 1 the mark's first state, else its second
    ULONGLONG lParam = 0;
    DWORD state = 0;        // 0 normal, 1 hot, 2 pressed
    int iOrder = 0;         // the column id; it travels with the item
    bool bVisible = true;
};

class SHeaderCtrl : public SWindow
{
    DUI_CLASS_NAME(SHeaderCtrl, SWindow, L"header", Window_Kind)
public:
    // A hit-test result: two item indices, or kNoHit.
    static constexpr DWORD kNoHit = 0xFFFFFFFF;
    static constexpr WORD kAfterLast = 0xFFFF;
    static DWORD MakeHit(int low, int high) { return MAKELONG(static_cast<WORD>(low), static_cast<WORD>(high)); }
    static bool IsInside(DWORD hit) { return hit != kNoHit && LOWORD(hit) == HIWORD(hit); }
    static bool IsDivider(DWORD hit) { return hit != kNoHit && LOWORD(hit) != HIWORD(hit); }

    SHeaderCtrl();
    ~SHeaderCtrl() override;

    // -1 appends; returns the index.
    int InsertItem(int index, LPCWSTR text, float width, SLayoutSize::Unit unit, UINT sortFlag, ULONGLONG data);
    int InsertItemPx(int index, LPCWSTR text, int width, UINT sortFlag, ULONGLONG data);
    BOOL GetItem(int index, SHDITEM* item) const;
    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    RECT GetItemRect(int index) const;
    // -1 out of range, 0 when hidden.
    int GetItemWidth(int index) const;
    int GetTotalWidth() const;
    BOOL IsItemVisible(int index) const;
    void SetItemVisible(int index, BOOL visible);
    void SetItemSort(int index, UINT flag);
    void DeleteAllItems();
    DWORD HitTestItem(POINT pt) const;
    bool IsDragging() const { return m_dragging; }
    int GetDragTarget() const { return m_dragTarget; }

    virtual void DrawItem(IPaintSurface* rt, const RECT& rc, const SHDITEM& item);

    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    BOOL CreateChildren(xmldom::xml_node element) override;
    BOOL OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    BOOL OnSetCursor(POINT pt) override;
    BOOL OnRectChanged(const RECT& rc) override;
    void SetColorize(COLORREF color) override;
    void OnScaleChanged(int scale) override;

protected:
    // An item element's caption: trimmed of blanks, tabs and line breaks,
    // then resolved as a named string.
    static SStringW ItemCaption(xmldom::xml_node item);
    // Decimal, hexadecimal with 0x or octal with a leading 0.
    static ULONGLONG ItemNumber(xmldom::xml_attribute a, ULONGLONG def);
    void OnPaint(IPaintSurface* rt) override;
    // The item's width set so that it gives `pixels` at the current scale.
    void SetItemPixelWidth(int index, int pixels);
    void FireRelayout();
    std::vector<SHDITEM> m_items;
    int m_sortHeader = 1;
    int m_fixWidth = 0;
    int m_itemSwap = 1;

private:
    struct AttrRows;

    void ReadItems(xmldom::xml_node items);
    // The indices in the order they are drawn: while an item is dragged, as
    // they would stand after the drop.
    std::vector<int> DrawOrder() const;
    void RedrawItem(int index);
    void SetItemState(int index, DWORD state, BOOL redraw);
    void OnPress(POINT pt);
    void OnRelease(POINT pt);
    void OnMouseMove(UINT flags, POINT pt);
    void HotTrack(POINT pt);
    void StartDrag();
    void DragTo(POINT pt);
    void ResizeTo(POINT pt);
    void EndDrag();
    void Drop(POINT pt);
    void CancelDrag();
    SGdiObject<HBITMAP> MakeDragBitmap(int index);

    SRefPtr<ISkinObj> m_itemSkin;
    SRefPtr<ISkinObj> m_sortSkin;
    bool m_dragging = false;
    SGdiObject<HBITMAP> m_dragBitmap;
    POINT m_ptClick = {};
    DWORD m_hit = kNoHit;
    int m_dragTarget = -1;
    int m_widthBefore = 0;
};

} // namespace DUI
