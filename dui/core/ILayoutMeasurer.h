#pragma once
// How the placing maths of a layout asks a child, by its index in the list
// being placed, for its preferred size. Windows answer through their own
// measurement; tests answer from plain numbers.
#include <winsock2.h>
#include <windows.h>
#include <cstddef>

namespace DUI {

struct ILayoutMeasurer
{
    // -1 for a free width or height.
    virtual SIZE MeasureChild(size_t index, int width, int height) = 0;
    // The preferred size with the main-axis size of the child's parameter
    // fixed at `mainPixels` pixels (orientation 0: the width) and the cross
    // size free; with `crossWrap` the cross size of the parameter is also
    // switched to wrap content for the question. The parameter is restored.
    virtual SIZE MeasureChildFixed(size_t index, int orientation, int mainPixels, bool crossWrap) = 0;

protected:
    ~ILayoutMeasurer() = default;
};

} // namespace DUI
