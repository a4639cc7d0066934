#pragma once
// The per-child parameters of the grid layout: how many columns and rows
// the child spans, its alignment inside that block of cells, its sizes,
// and the weights its columns and rows get a share of spare space by.
#include "dui/core/SLinearLayoutParam.h"

namespace DUI {

struct SGridLayoutParamStruct
{
    int columnSpan = 1;
    int rowSpan = 1;
    int xGravity = kGravityUnset;
    int yGravity = kGravityUnset;
    SLayoutSize width{SLayoutSize::kWrapContent, SLayoutSize::px};
    SLayoutSize height{SLayoutSize::kWrapContent, SLayoutSize::px};
    float columnWeight = 0;
    float rowWeight = 0;
};

// "left"/"top" 0, "center" 1, "right"/"bottom" 2, "fill" 3, without regard
// to case; any other text -1.
int GridGravityByName(const SStringW& name);

class SGridLayoutParam : public TLayoutParamImpl<SGridLayoutParam, SGridLayoutParamStruct>
{
    DUI_CLASS_NAME(SGridLayoutParam, SObjectImpl<TObjRefImpl<ILayoutParam>>, L"GridLayoutParam", Undef_Kind)
    friend class TLayoutParamImpl<SGridLayoutParam, SGridLayoutParamStruct>;

public:
    void Clear() override { m_data = SGridLayoutParamStruct(); }
    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;

private:
    struct AttrRows;
};

} // namespace DUI
