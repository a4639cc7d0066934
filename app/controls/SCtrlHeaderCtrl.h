#pragma once
// "ctrlheader": the file lists' header. Columns have a base width (in the
// default unit) and a weight; on resize the free width is shared among the
// weighted columns, the first of them taking what the shares leave.
#include "app/controls/SDividedHeader.h"

namespace DUI {

class SCtrlHeaderCtrl : public SDividedHeader
{
    DUI_CLASS_NAME(SCtrlHeaderCtrl, SHeaderCtrl, L"ctrlheader", Window_Kind)
public:
    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    void OnScaleChanged(int scale) override;
    // The first item's caption; FALSE without items. Not repainted here.
    BOOL SetHeaderText(LPCWSTR text);

protected:
    void AddItem(xmldom::xml_node node, SHDITEM item, int width) override;
    void Relayout() override;

private:
    struct AttrRows;

    BOOL m_weightEx = FALSE;
    std::vector<int> m_baseWidths;
    std::vector<int> m_weights;
};

} // namespace DUI
