#pragma once
// "listview": a vertically scrolling list of rows from an adapter, one item
// panel per visible row.
#include "dui/control/SAdapterListBase.h"

namespace DUI {

class SListView : public SAdapterListBase
{
    DUI_CLASS_NAME(SListView, SPanel, L"listview", Window_Kind)
public:
    SListView();
    ~SListView() override;

    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    // Only the "template" child is read; other children are not created.
    BOOL CreateChildren(xmldom::xml_node element) override;

private:
    struct AttrRows;
};

} // namespace DUI
