#pragma once
// What the adapter-driven list views share: the adapter and its observer,
// the item locator, item panels only for the visible rows (reused by view
// type through recycle bins), selection, keys, the mouse on rows, and the
// painting of rows. The views say where their rows lie and what else a row
// needs once it is laid out.
#include <memory>
#include <vector>

#include "dui/control/IListViewItemLocator.h"
#include "dui/control/SItemPanel.h"
#include "dui/control/SPanel.h"
#include "dui/core/base/SLinkedList.h"
#include "xml/xmldom.h"

namespace DUI {

class SAdapterListBase : public SPanel, public IItemContainer
{
public:
    SAdapterListBase();
    ~SAdapterListBase() override;

    // FALSE without a locator.
    BOOL SetAdapter(ILvAdapter* adapter);
    ILvAdapter* GetAdapter() const { return m_adapter.Get(); }
    void SetItemLocator(IListViewItemLocator* locator);
    IListViewItemLocator* GetItemLocator() const { return m_locator.Get(); }
    // A row past the count changes nothing; a negative one clears.
    void SetSel(int row, BOOL notify = FALSE);
    int GetSel() const { return m_sel; }
    void EnsureVisible(int row);
    // The visible panel of the row, or NULL.
    SItemPanel* GetItemPanel(int row) const;
    int GetFirstVisible() const { return m_firstVisible; }
    size_t GetVisibleCount() const { return static_cast<size_t>(m_visible.GetCount()); }
    // Panels made since the adapter was set, visible or recycled.
    size_t GetPanelsCreated() const { return m_panelsCreated; }

    virtual void OnDataSetChanged();
    void OnDataSetInvalidated();
    void OnItemDataChanged(int row);

    // IItemContainer.
    void OnItemSetCapture(SItemPanel* item, BOOL capture) override;
    BOOL OnItemGetRect(const SItemPanel* item, RECT& rc) const override;
    BOOL IsRedrawDeferred() const override { return TRUE; }
    void OnItemLayoutDirty(SItemPanel*) override {}

    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    BOOL OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    int GetScrollLineSize(BOOL vertical) override;
    BOOL OnScroll(BOOL vertical, UINT code, int pos) override;
    UINT OnGetDlgCode() const override { return m_wantTab ? 0xFFFF : 0x80000001; }
    BOOL OnSetCursor(POINT pt) override;
    BOOL OnUpdateToolTip(const SwndToolTipKey& current, SwndToolTipInfo& info) override;
    void OnScaleChanged(int scale) override;
    BOOL OnLanguageChanged() override;
    void SetColorize(COLORREF color) override;

protected:
    struct ItemInfo
    {
        SItemPanel* panel;
        int type;
    };

    // Creates the locator from the "template" child and keeps a copy of it;
    // FALSE when there is none.
    BOOL ReadTemplate(xmldom::xml_node element);
    xmldom::xml_node TemplateNode() const;

    // The rows' area in host coordinates.
    virtual RECT RowsRect() const;
    virtual int RowsLeft() const;
    virtual int RowsWidth() const;
    // A row's panel before its height is known: its width and a height
    // bound.
    virtual RECT PanelFrame() const;
    // A row's panel has been laid out.
    virtual void OnRowLaidOut(SItemPanel*) {}
    virtual void UpdateScrollBar();
    // A press that hit no row.
    virtual void OnPressBesideRows() {}
    // Whether a row is drawn checked; the current row unless the selection
    // lives elsewhere.
    virtual BOOL IsRowChecked(int row) { return row == m_sel; }
    // The current row is about to become `row`; a cancelled change then
    // puts `old` back.
    virtual void OnSelMoving(int /*row*/) {}
    virtual void OnSelCancelled(int /*old*/) {}
    // Drawn over the rows, under the window's own after-paint step.
    virtual void PaintOverRows(IPaintSurface*) {}
    virtual BOOL OnMouseMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    LRESULT ToPanel(SItemPanel* panel, UINT msg, WPARAM wp, LPARAM lp, BOOL* handled = nullptr);
    // The point made relative to the panel's row.
    LPARAM ToPanelPoint(SItemPanel* panel, LPARAM lp) const;
    void ChangeHoverPanel(SItemPanel* panel, WPARAM wp, LPARAM lp);
    SItemPanel* GetHoverPanel() const { return m_hoverPanel; }
    SItemPanel* GetCapturePanel() const { return m_capturePanel; }
    int LastVisibleRow() const;
    void SetItemStateMuted(SItemPanel* panel, DWORD add, DWORD remove);
    void UpdateVisibleItems();
    int ScrollPosV() const { return m_siVer.nPos; }
    RECT RowRect(int row) const;
    SItemPanel* PanelAt(POINT pt) const;
    void PaintRows(IPaintSurface* rt);
    template <class Fn>
    void ForEachVisible(Fn fn) const
    {
        for (auto pos = m_visible.GetHeadPosition(); pos; pos = pos->m_pNext)
            fn(pos->m_value.panel);
    }

    SRefPtr<ILvAdapter> m_adapter;
    SRefPtr<IListViewItemLocator> m_locator;
    SRefPtr<ISkinObj> m_dividerSkin;
    SLayoutSize m_dividerSize;
    int m_wantTab = 0;
    BOOL m_dataInvalidated = FALSE;

private:
    struct AttrRows;
    class Observer;

    void OnPaint(IPaintSurface* rt) override;
    void DestroyPanels();
    void RecycleLeftovers(std::vector<ItemInfo>& left);
    BOOL FillRow(int row, int hoverRow, std::vector<ItemInfo>& old, int oldFirst, int& y);
    SItemPanel* TakePanel(int type);
    int CheckedViewType(int row, DWORD state);
    void ApplyPendingRefresh();
    void SubscribeItemClick(SItemPanel* panel);
    // The mouse and the keys.
    void OnMouseInsideChanged(BOOL inside);
    BOOL OnKeyDown(WPARAM wp, LPARAM lp);
    BOOL ToSelectedPanel(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

    SRefPtr<ILvDataSetObserver> m_observer;
    BOOL m_pendingRefresh = FALSE;
    int m_pendingRow = -2;
    int m_firstVisible = -1;
    SLinkedList<ItemInfo> m_visible;
    SItemPanel* m_capturePanel = nullptr;
    SItemPanel* m_hoverPanel = nullptr;
    int m_sel = -1;
    std::vector<std::unique_ptr<SLinkedList<SItemPanel*>>> m_bins;
    xmldom::xml_document m_template;
    int m_mouseInShowScroll = 0;
    BOOL m_mouseInside = FALSE;
    // Guards against an adapter that changes its rows or is replaced from
    // inside GetView or a handler while the visible rows are rebuilt.
    BOOL m_updating = FALSE;
    BOOL m_changedWhileUpdating = FALSE;
    unsigned m_generation = 0;
    size_t m_panelsCreated = 0;

protected:
    // "mouseInShowScroll" is only the single-column view's.
    void SetMouseInShowScroll(int value) { m_mouseInShowScroll = value; }
    int GetMouseInShowScroll() const { return m_mouseInShowScroll; }
};

} // namespace DUI
