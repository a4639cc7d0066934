#include "dui/core/LinearPlacement.h"

#include <algorithm>
#include <cmath>

namespace DUI {

namespace {

constexpr float kTolerance = 1e-8f;

int MainAxis(const LinearSpec& spec) { return spec.orientation == Vert ? Vert : Horz; }

const SLayoutSize& SizeOn(const SLinearLayoutParamStruct& p, int axis) { return axis == Horz ? p.width : p.height; }

// The two margins of an axis in pixels at the child's scale.
int MarginsOn(const LinearChild& c, int axis)
{
    const SLinearLayoutParamStruct& p = *c.param;
    return axis == Horz ? p.extendLeft.ToPixel(c.scale) + p.extendRight.ToPixel(c.scale)
                        : p.extendTop.ToPixel(c.scale) + p.extendBottom.ToPixel(c.scale);
}

// Fixed extents first; what is left free comes from asking the child, with
// the other value at the size the child will have.
void ComputeExtent(LinearChild& c, size_t index, const int available[2], ILayoutMeasurer& measurer)
{
    const int margins[2] = {MarginsOn(c, Horz), MarginsOn(c, Vert)};
    for (int axis : {Horz, Vert}) {
        const SLayoutSize& size = SizeOn(*c.param, axis);
        if (size.IsMatchParent())
            c.extent[axis] = available[axis];
        else if (size.IsValid())
            c.extent[axis] = size.ToPixel(c.scale) + margins[axis];
        else
            c.extent[axis] = -1;
    }
    if (c.extent[Horz] >= 0 && c.extent[Vert] >= 0) return;
    const int askW = c.extent[Horz] < 0 ? -1 : c.extent[Horz] - margins[Horz];
    const int askH = c.extent[Vert] < 0 ? -1 : c.extent[Vert] - margins[Vert];
    const SIZE sz = measurer.MeasureChild(index, askW, askH);
    if (c.extent[Horz] < 0) c.extent[Horz] = sz.cx + margins[Horz];
    if (c.extent[Vert] < 0) c.extent[Vert] = sz.cy + margins[Vert];
}

// Measures a child again at its new main extent; the cross extent follows
// (wrapped text grows taller as a row child gets narrower).
void Remeasure(LinearChild& c, size_t index, int main, bool crossWrap, ILayoutMeasurer& measurer)
{
    const int cross = 1 - main;
    const SIZE sz = measurer.MeasureChildFixed(index, main, c.extent[main] - MarginsOn(c, main), crossWrap);
    c.extent[cross] = (cross == Horz ? sz.cx : sz.cy) + MarginsOn(c, cross);
}

// Shares `spare` over the children with a positive weight, in order; the
// last of them takes what rounding left. `weights` is the sum to divide by.
template <class Then>
void ShareSpare(LinearChild* children, size_t count, int main, int spare, float weights, Then then)
{
    for (size_t i = 0; i < count && std::fabs(weights) >= kTolerance; ++i) {
        const float w = children[i].param->weight;
        if (w <= 0) continue;
        const int e = static_cast<int>(spare * w / weights + 0.5f);
        children[i].extent[main] += e;
        weights -= w;
        spare -= e;
        then(i);
    }
}

int Aligned(int gravity, int room)
{
    if (gravity == kGravityCenter) return room / 2;
    if (gravity == kGravityFar) return room;
    return 0;
}

void Place(LinearChild& c, const RECT& area, int main, int position, const LinearSpec& spec)
{
    const int cross = 1 - main;
    const int crossLength = cross == Horz ? area.right - area.left : area.bottom - area.top;
    const int gravity = c.param->gravity != kGravityUnset ? c.param->gravity : spec.gravity;
    const int crossStart = Aligned(gravity, crossLength - c.extent[cross]);
    const int x = main == Horz ? position : crossStart;
    const int y = main == Horz ? crossStart : position;
    const SLinearLayoutParamStruct& p = *c.param;
    c.rc = {area.left + x + p.extendLeft.ToPixel(c.scale), area.top + y + p.extendTop.ToPixel(c.scale),
            area.left + x + c.extent[Horz] - p.extendRight.ToPixel(c.scale),
            area.top + y + c.extent[Vert] - p.extendBottom.ToPixel(c.scale)};
}

} // namespace

void LayoutLinear(LinearChild* children, size_t count, const RECT& area, const LinearSpec& spec,
                  ILayoutMeasurer& measurer)
{
    const int main = MainAxis(spec);
    const int available[2] = {area.right - area.left, area.bottom - area.top};
    int taken = 0;
    float weights = 0;
    for (size_t i = 0; i < count; ++i) {
        ComputeExtent(children[i], i, available, measurer);
        taken += children[i].extent[main] + spec.interval;
        if (children[i].param->weight > 0) weights += children[i].param->weight;
    }
    const int used = taken - spec.interval;
    if (weights > 0 && used < available[main]) {
        ShareSpare(children, count, main, available[main] - used, weights, [&](size_t i) {
            if (SizeOn(*children[i].param, 1 - main).IsWrapContent()) Remeasure(children[i], i, main, false, measurer);
        });
    }
    int position = 0;
    for (size_t i = 0; i < count; ++i) {
        Place(children[i], area, main, position, spec);
        position += children[i].extent[main] + spec.interval;
    }
}

SIZE MeasureLinear(LinearChild* children, size_t count, int width, int height, bool wrapWidth, bool wrapHeight,
                   const LinearSpec& spec, ILayoutMeasurer& measurer)
{
    if (count == 0) return {0, 0};
    const int main = MainAxis(spec);
    const int available[2] = {wrapWidth ? -1 : width, wrapHeight ? -1 : height};
    // A window that wraps its content on the main axis has no spare space to
    // share, whatever room it is measured in.
    const int given = available[main];
    float weights = 0;
    for (size_t i = 0; i < count; ++i) {
        ComputeExtent(children[i], i, available, measurer);
        weights += children[i].param->weight;
    }
    auto total = [&](int axis) {
        int sum = 0, largest = 0;
        for (size_t i = 0; i < count; ++i) {
            sum += children[i].extent[axis];
            largest = std::max(largest, children[i].extent[axis]);
        }
        return axis == main ? sum + spec.interval * static_cast<int>(count - 1) : largest;
    };
    const int used = total(main);
    if (std::fabs(weights) >= kTolerance && given != -1 && used < given) {
        ShareSpare(children, count, main, given - used, weights, [&](size_t i) {
            if (!SizeOn(*children[i].param, 1 - main).IsValid()) Remeasure(children[i], i, main, true, measurer);
        });
    }
    return {total(Horz), total(Vert)};
}

} // namespace DUI
