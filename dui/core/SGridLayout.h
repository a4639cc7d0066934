#pragma once
// Places the layout children in a table of columns and rows, filled from
// left to right and top to bottom; a child may span several cells.
#include "dui/core/GridPlacement.h"
#include <vector>
#include "dui/core/SLayoutChildren.h"
#include "dui/core/TLayoutImpl.h"

namespace DUI {

class SGridLayout : public TLayoutImpl<SGridLayoutParam>
{
    DUI_CLASS_NAME(SGridLayout, SObjectImpl<TObjRefImpl<ILayout>>, L"gridLayout", Layout_Kind)

public:
    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    void LayoutChildren(SWindow* window) override;
    SIZE MeasureChildren(SWindow* window, int width, int height) override;

private:
    struct AttrRows;

    GridSpec Collect(SWindow* window);

    int m_columns = -1;
    int m_rows = -1;
    SLayoutSize m_xInterval{0, SLayoutSize::px};
    SLayoutSize m_yInterval{0, SLayoutSize::px};
    int m_xGravity = kGravityCenter;
    int m_yGravity = kGravityCenter;
    SLayoutChildren m_children;
    std::vector<GridChild> m_records;
    GridPlacer m_placer;
};

} // namespace DUI
