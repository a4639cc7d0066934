#pragma once
// What every layout class shares over its parameter class: which parameters
// it accepts, making a fresh one, and reading a child's parameter record.
#include "dui/core/ILayout.h"
#include "dui/core/base/SObjectImpl.h"
#include "dui/core/base/TObjRefImpl.h"

namespace DUI {

template <class Param>
class TLayoutImpl : public SObjectImpl<TObjRefImpl<ILayout>>
{
public:
    using Record = typename Param::Record;

    BOOL IsParamAcceptable(ILayoutParam* param) const override
    {
        return param && param->IsKindOf(Param::GetClassTagStatic());
    }
    ILayoutParam* CreateLayoutParam() const override { return new Param(); }

protected:
    // A child whose parameter belongs to another layout is placed by a
    // fresh parameter's values.
    const Record* DataOf(ILayoutParam* param) const
    {
        static const Record s_fresh;
        return IsParamAcceptable(param) ? static_cast<const Record*>(param->GetRawData()) : &s_fresh;
    }
};

} // namespace DUI
