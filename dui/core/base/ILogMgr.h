#pragma once
// A receiver of the framework's log lines in place of the debugger output.
// This program installs none, so every line goes to the debugger.
#include "dui/core/base/IObjRef.h"

namespace DUI {

struct ILogMgr : IObjRef
{
protected:
    virtual ~ILogMgr() = default;
};

} // namespace DUI
