#pragma once
// A separator line of an XML menu: drawn by the separator skin, never
// selected, and never deciding the menu's width.
#include "dui/control/SMenuExItem.h"

namespace DUI {

class SMenuExSep : public SMenuExItem
{
    DUI_CLASS_NAME(SMenuExSep, SMenuExItem, L"sep", Window_Kind)
public:
    SMenuExSep(SMenuEx* menu, SMenuExRoot* root);

    SIZE MeasureContent(int parentWidth, int parentHeight) override;

protected:
    BOOL OnEraseBkgnd(IPaintSurface* rt) override;
    void OnPaint(IPaintSurface*) override {}
};

} // namespace DUI
