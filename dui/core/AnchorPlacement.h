#pragma once
// The anchor layout's placing maths over plain records, apart from windows:
// every child's four sides start "not computed" and are resolved by passes
// over the coordinates and by measuring wrap-content children, until a
// round resolves nothing more. What stays unresolved keeps its reserved
// value, far outside the parent.
#include "dui/core/AnchorLayoutParam.h"
#include "dui/core/ILayoutMeasurer.h"

namespace DUI {

struct AnchorChild
{
    const AnchorLayoutParamStruct* param = nullptr;
    int id = 0;
    RECT rc = {};
    // Set while the child's "offset" on that axis has not been applied yet.
    bool pendingX = false;
    bool pendingY = false;
};

inline bool IsPosResolved(LONG v)
{
    return v != kPosNotComputed && v != kPosWaiting;
}

// Places the children in an area of width × height at `scale`; an extent
// of -1 is open, and coordinates counting from its far side wait.
void CalcAnchorPositions(AnchorChild* children, size_t count, int width, int height, int scale,
                         ILayoutMeasurer& measurer);

// The size the placed children need: the largest resolved right and bottom
// edges, plus the distance of a second coordinate that counts back from the
// parent's far edge; 0 by 0 when no edge is resolved.
SIZE AnchorChildrenExtent(const AnchorChild* children, size_t count, int scale);

} // namespace DUI
