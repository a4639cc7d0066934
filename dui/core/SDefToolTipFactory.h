#pragma once
// Makes every host's tooltip an STipCtrl.
#include "dui/core/IToolTipFactory.h"
#include "dui/core/base/TObjRefImpl.h"

namespace DUI {

class SDefToolTipFactory : public TObjRefImpl<IToolTipFactory>
{
public:
    IToolTip* CreateToolTip(HWND host) override;
    void DestroyToolTip(IToolTip* tip) override;
};

} // namespace DUI
