#pragma once
// Gives the translation context under which an owner's texts are translated.
#include "dui/core/base/TStringT.h"

namespace DUI {

struct ITrCtxProvider
{
    virtual SStringW GetTrCtx() const = 0;

protected:
    ~ITrCtxProvider() = default;
};

} // namespace DUI
