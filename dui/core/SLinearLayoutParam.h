#pragma once
// The per-child parameters of the linear layout: sizes, margins ("extend")
// that add to the space a child takes and are cut off its rectangle, a
// weight for a share of the spare main-axis space, and a cross-axis gravity.
#include "dui/core/TLayoutParamImpl.h"

namespace DUI {

// Cross-axis (and grid) alignments.
enum LayoutGravity : int
{
    kGravityUnset = -1,
    kGravityNear = 0,     // left or top
    kGravityCenter = 1,
    kGravityFar = 2,      // right or bottom
    kGravityFill = 3,     // grid only
};

// "left"/"top" 0, "center" 1, "right"/"bottom" 2, exactly as written; any
// other text -1.
int LinearGravityByName(const SStringW& value);

struct SLinearLayoutParamStruct
{
    SLayoutSize width{SLayoutSize::kWrapContent, SLayoutSize::px};
    SLayoutSize height{SLayoutSize::kWrapContent, SLayoutSize::px};
    SLayoutSize extendLeft{0, SLayoutSize::px};
    SLayoutSize extendRight{0, SLayoutSize::px};
    SLayoutSize extendTop{0, SLayoutSize::px};
    SLayoutSize extendBottom{0, SLayoutSize::px};
    float weight = 0;
    int gravity = kGravityUnset;
};

class SLinearLayoutParam : public TLayoutParamImpl<SLinearLayoutParam, SLinearLayoutParamStruct>
{
    DUI_CLASS_NAME(SLinearLayoutParam, SObjectImpl<TObjRefImpl<ILayoutParam>>, L"LinearLayoutParam", Undef_Kind)
    friend class TLayoutParamImpl<SLinearLayoutParam, SLinearLayoutParamStruct>;

public:
    void Clear() override;
    // Only the width (0) or the height (1); a default size for the others.
    SLayoutSize GetSpecifiedSize(int orientation) const override;
    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;

private:
    struct AttrRows;

    HRESULT SetExtend(const SStringW& value);
};

} // namespace DUI
