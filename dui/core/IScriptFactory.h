#pragma once
// Makes the script module a host runs its layout's scripts in. This program
// installs no script factory, so hosts run no scripts.
#include "dui/core/base/IObjRef.h"

namespace DUI {

struct IScriptModule;

struct IScriptFactory : IObjRef
{
    virtual HRESULT CreateScriptModule(IScriptModule** out) = 0;

protected:
    virtual ~IScriptFactory() = default;
};

} // namespace DUI
