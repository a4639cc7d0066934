#pragma once
// Maps the elapsed fraction of an animation to the fraction of the change
// to show. Interpolators are made by tag through the object factories.
#include "dui/core/base/IObjRef.h"
#include "dui/core/base/IObject.h"

namespace DUI {

struct IInterpolator : public IObjRef, public IObject
{
    virtual float GetInterpolation(float t) const = 0;
};

} // namespace DUI
