#include "dui/core/SDefToolTipFactory.h"

#include "dui/core/IToolTip.h"

#include "dui/core/STipCtrl.h"

namespace DUI {

// The popup has no owner: the host's HWND is not needed.
IToolTip* SDefToolTipFactory::CreateToolTip(HWND)
{
    auto* tip = new STipCtrl();
    if (!tip->Create()) {
        delete tip;
        return nullptr;
    }
    return tip;
}

void SDefToolTipFactory::DestroyToolTip(IToolTip* tip)
{
    // The popup's last message deletes the object.
    if (auto* ctrl = static_cast<STipCtrl*>(tip))
        ::DestroyWindow(ctrl->GetHwnd());
}

} // namespace DUI
