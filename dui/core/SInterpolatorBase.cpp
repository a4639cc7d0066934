#include "dui/core/SInterpolatorBase.h"

#include <cstdio>

namespace DUI {

HRESULT SInterpolatorBase::SetFloatParams(std::initializer_list<FloatParam> params, const SStringW& name,
                                          const SStringW& value, BOOL loading)
{
    for (const FloatParam& param : params) {
        if (_wcsicmp(name, param.name) != 0)
            continue;
        float parsed = 0.0f;
        if (swscanf(value, L"%f", &parsed) != 1)
            return E_INVALIDARG;
        *param.value = parsed;
        return AfterSetAttribute(name, value, loading, S_FALSE);
    }
    return SObjectImpl<IInterpolator>::SetAttribute(name, value, loading);
}

} // namespace DUI
