#pragma once
// "header2": a header whose column widths are proportions of its width.
#include "app/controls/SDividedHeader.h"

namespace DUI {

class SHeaderCtrlEx : public SDividedHeader
{
    DUI_CLASS_NAME(SHeaderCtrlEx, SHeaderCtrl, L"header2", Window_Kind)
protected:
    void AddItem(xmldom::xml_node node, SHDITEM item, int width) override;
    void Relayout() override;

private:
    std::vector<int> m_widths;
};

} // namespace DUI
