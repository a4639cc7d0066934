#pragma once
// "mclistview": the list view with columns. A header child stands at the
// top of the client area; rows scroll vertically below it and horizontally
// together with it, and each row holds one window per column, placed under
// its header item through the column id the item carries.
#include "dui/control/SAdapterListBase.h"

namespace DUI {

class SHeaderCtrl;

class SMCListView : public SAdapterListBase
{
    DUI_CLASS_NAME(SMCListView, SPanel, L"mclistview", Window_Kind)
public:
    SMCListView();
    ~SMCListView() override;

    // FALSE without a locator or without a header.
    BOOL SetAdapter(IMcAdapter* adapter);
    SHeaderCtrl* GetHeader() const { return m_header; }
    int GetHeaderHeight() const;

    void OnDataSetChanged() override;
    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    BOOL CreateChildren(xmldom::xml_node element) override;
    BOOL OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    BOOL OnScroll(BOOL vertical, UINT code, int pos) override;
    void ArrangeChildren() override;

protected:
    RECT RowsRect() const override;
    int RowsLeft() const override;
    int RowsWidth() const override;
    RECT PanelFrame() const override;
    void OnRowLaidOut(SItemPanel* panel) override;
    void UpdateScrollBar() override;
    void OnPressBesideRows() override;
    void UpdateHeaderPosition();
    bool OnColumnsChanged();
    // Whether either bar may show at all; the extended view lets layouts
    // switch them off.
    int m_hScrollShow = 1;
    int m_vScrollShow = 1;

private:
    struct AttrRows;

    void PlaceCells(SItemPanel* panel, BOOL hideHidden);
    bool OnHeaderClick(int item);

    SHeaderCtrl* m_header = nullptr;
    IMcAdapter* m_mcAdapter = nullptr;   // the base's adapter, as columns
    SLayoutSize m_headerHeight{25, SLayoutSize::dp};
    int m_hotTrack = 0;
};

} // namespace DUI
