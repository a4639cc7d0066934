#include "dui/control/SImageButton.h"

namespace DUI {

SImageButton::SImageButton()
{
    SetAttribute(L"drawFocusRect", L"0", TRUE);
}

SIZE SImageButton::MeasureDesiredSize(int width, int height)
{
    SIZE size = SButton::MeasureDesiredSize(width, height);
    ISkinObj* skin = GetSkin();
    ILayoutParam* param = GetLayoutParam();
    if (!skin || !param)
        return size;
    const SIZE image = skin->GetSkinSize();
    if (param->IsWrapContent(Horz))
        size.cx = image.cx;
    if (param->IsWrapContent(Vert))
        size.cy = image.cy;
    return size;
}

} // namespace DUI
