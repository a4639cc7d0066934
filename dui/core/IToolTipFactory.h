#pragma once
// Makes the tooltip of each host window and destroys it with the host, so
// that a program may put tooltips of its own in place of the framework's.
#include <winsock2.h>
#include <windows.h>
#include "dui/core/base/IObjRef.h"

namespace DUI {

struct IToolTip;

struct IToolTipFactory : IObjRef
{
    // NULL when the tooltip cannot be made; the host then has none.
    virtual IToolTip* CreateToolTip(HWND host) = 0;
    virtual void DestroyToolTip(IToolTip* tooltip) = 0;

protected:
    virtual ~IToolTipFactory() = default;
};

} // namespace DUI
