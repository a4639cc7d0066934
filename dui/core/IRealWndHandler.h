#pragma once
// Makes and places the native windows that "realwnd" controls embed. This
// program installs none; the controls that would need one bring its
// operations with them.
#include "dui/core/base/IObjRef.h"

namespace DUI {

struct IRealWndHandler : IObjRef
{
protected:
    virtual ~IRealWndHandler() = default;
};

} // namespace DUI
