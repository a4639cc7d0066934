#pragma once
// Image button ("imgbtn"): a button without a focus frame whose
// wrap-content size is that of its skin.
#include "dui/control/SButton.h"

namespace DUI {

class SImageButton : public SButton
{
    DUI_CLASS_NAME(SImageButton, SButton, L"imgbtn", Window_Kind)
public:
    SImageButton();

    SIZE MeasureDesiredSize(int width, int height) override;
};

} // namespace DUI
