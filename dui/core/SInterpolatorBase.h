#pragma once
// Common base of the framework's interpolators; every class answers
// IsKindOf for its own tag and for "interpolator_base".
#include <initializer_list>
#include "dui/core/base/IInterpolator.h"
#include "dui/core/base/SObjectImpl.h"
#include "dui/core/base/TObjRefImpl.h"

namespace DUI {

class SInterpolatorBase : public TObjRefImpl<SObjectImpl<IInterpolator>>
{
    DUI_CLASS_NAME(SInterpolatorBase, SObjectImpl<IInterpolator>, L"interpolator_base", Interpolator_Kind)

protected:
    struct FloatParam
    {
        LPCWSTR name;
        float* value;
    };

    // The attribute table of a curve's float parameters (names ignore case).
    // A value that is not a number is refused and leaves the parameter as it
    // was; a name that is not in the table is not the curve's.
    HRESULT SetFloatParams(std::initializer_list<FloatParam> params, const SStringW& name,
                           const SStringW& value, BOOL loading);
};

} // namespace DUI
