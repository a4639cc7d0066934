#pragma once
// The linear layout's placing and measuring maths over plain records: child
// extents (margins included), spare main-axis space shared by weight, and
// placement one after another with a cross-axis gravity.
#include "dui/core/ILayoutMeasurer.h"
#include "dui/core/SLinearLayoutParam.h"

namespace DUI {

struct LinearChild
{
    const SLinearLayoutParamStruct* param = nullptr;
    int scale = 100;          // the child's own scale, for its sizes and margins
    int extent[2] = {0, 0};   // the space taken: width and height, margins included
    RECT rc = {};             // the rectangle handed to the child
};

struct LinearSpec
{
    int orientation = Horz;   // Vert makes a column; every other value a row
    int gravity = kGravityUnset;
    int interval = 0;         // pixels between neighbours
};

// Places the children in `area`.
void LayoutLinear(LinearChild* children, size_t count, const RECT& area, const LinearSpec& spec,
                  ILayoutMeasurer& measurer);

// The size the children need in width × height (-1 free). `wrapWidth` and
// `wrapHeight` say the window itself wraps its content on that axis, so a
// child that matches its parent there is measured freely and no spare space
// goes to weights there.
SIZE MeasureLinear(LinearChild* children, size_t count, int width, int height, bool wrapWidth, bool wrapHeight,
                   const LinearSpec& spec, ILayoutMeasurer& measurer);

} // namespace DUI
