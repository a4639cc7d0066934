#include "dui/core/AnchorPlacement.h"

#include <algorithm>
#include <cmath>

namespace DUI {

namespace {

constexpr float kTolerance = 1e-8f;

// Without "pos" a child follows the previous one: directly after its right
// edge, level with its top.
const AnchorPos kDefaultX1 = {kCoordAfterPrev, -1, 1, SLayoutSize(0, SLayoutSize::px)};
const AnchorPos kDefaultY1 = {kCoordWithPrev, -1, 1, SLayoutSize(0, SLayoutSize::px)};

LONG& NearEdge(RECT& rc, int axis) { return axis == Horz ? rc.left : rc.top; }
LONG& FarEdge(RECT& rc, int axis) { return axis == Horz ? rc.right : rc.bottom; }
LONG NearEdge(const RECT& rc, int axis) { return axis == Horz ? rc.left : rc.top; }
LONG FarEdge(const RECT& rc, int axis) { return axis == Horz ? rc.right : rc.bottom; }
bool& Pending(AnchorChild& c, int axis) { return axis == Horz ? c.pendingX : c.pendingY; }
bool Pending(const AnchorChild& c, int axis) { return axis == Horz ? c.pendingX : c.pendingY; }

const SLayoutSize& SizeOn(const AnchorLayoutParamStruct& p, int axis) { return axis == Horz ? p.width : p.height; }
float OffsetOn(const AnchorLayoutParamStruct& p, int axis) { return axis == Horz ? p.offsetX : p.offsetY; }
const AnchorPos& FirstPos(const AnchorLayoutParamStruct& p, int axis)
{
    if (p.posCount < 2) return axis == Horz ? kDefaultX1 : kDefaultY1;
    return axis == Horz ? p.x1 : p.y1;
}
const AnchorPos& SecondPos(const AnchorLayoutParamStruct& p, int axis) { return axis == Horz ? p.x2 : p.y2; }

// A size that wraps the content is measured; so is a negative number that
// means nothing (width="-5") where no second coordinate ends the child,
// which would otherwise stay unresolved and reach far outside its parent.
bool IsMeasured(const AnchorLayoutParamStruct& p, int axis)
{
    const SLayoutSize& size = SizeOn(p, axis);
    if (p.IsWrapContent(size)) return true;
    return size.IsSet() && !size.IsValid() && !size.IsMatchParent() && p.posCount != 4;
}

struct Placing
{
    AnchorChild* children;
    size_t count;
    int extent[2];
    int scale;
    ILayoutMeasurer& measurer;
};

// A sibling's edge as a base to count from, or waiting while the sibling
// is still to be moved by its offset.
LONG SiblingEdge(const AnchorChild& sibling, int axis, bool farEdge)
{
    if (Pending(sibling, axis)) return kPosWaiting;
    return farEdge ? FarEdge(sibling.rc, axis) : NearEdge(sibling.rc, axis);
}

const AnchorChild* FindById(const Placing& pl, int id)
{
    for (size_t i = 0; i < pl.count; ++i)
        if (pl.children[i].id == id) return &pl.children[i];
    return nullptr;
}

LONG BaseOf(const AnchorPos& pos, const Placing& pl, size_t index, int axis)
{
    const int extent = pl.extent[axis];
    const bool hasPrev = index > 0, hasNext = index + 1 < pl.count;
    switch (pos.kind) {
    case kCoordAfterPrev: return hasPrev ? SiblingEdge(pl.children[index - 1], axis, true) : 0;
    case kCoordWithPrev: return hasPrev ? SiblingEdge(pl.children[index - 1], axis, false) : 0;
    case kCoordBeforeNext: return hasNext ? SiblingEdge(pl.children[index + 1], axis, false) : extent;
    case kCoordWithNext: return hasNext ? SiblingEdge(pl.children[index + 1], axis, true) : extent;
    case kCoordSibNear:
    case kCoordSibFar: {
        const AnchorChild* sibling = FindById(pl, pos.refId);
        const bool farEdge = pos.kind == kCoordSibFar;
        if (!sibling) return farEdge ? extent : 0;
        return SiblingEdge(*sibling, axis, farEdge);
    }
    default: return kPosWaiting;
    }
}

LONG CalcPosition(const AnchorPos& pos, const Placing& pl, size_t index, int axis)
{
    const int extent = pl.extent[axis];
    const int v = pos.size.ToPixel(pl.scale);
    switch (pos.kind) {
    case kCoordParent:
        if (pos.sign > 0) return v;
        return extent == -1 ? kPosWaiting : extent - v;
    case kCoordCenter:
        return extent == -1 ? kPosWaiting : extent / 2 + pos.sign * v;
    case kCoordPercent: {
        if (extent == -1) return kPosWaiting;
        const float x = std::clamp(pos.size.GetValue(), 0.0f, 100.0f);
        const float share = pos.sign > 0 ? extent * x / 100.0f : (100.0f - x) * extent / 100.0f;
        return static_cast<LONG>(share);
    }
    default: {
        const LONG base = BaseOf(pos, pl, index, axis);
        return IsPosResolved(base) ? base + pos.sign * v : kPosWaiting;
    }
    }
}

// Resolves what can be resolved on one axis of one child; true on progress.
bool ResolveAxis(const Placing& pl, size_t index, int axis)
{
    AnchorChild& c = pl.children[index];
    const AnchorLayoutParamStruct& p = *c.param;
    LONG& nearEdge = NearEdge(c.rc, axis);
    LONG& farEdge = FarEdge(c.rc, axis);
    bool progress = false;
    if (!IsPosResolved(nearEdge)) {
        nearEdge = CalcPosition(FirstPos(p, axis), pl, index, axis);
        progress = IsPosResolved(nearEdge);
    }
    if (IsPosResolved(farEdge)) return progress;
    const SLayoutSize& size = SizeOn(p, axis);
    if (size.IsMatchParent()) {
        farEdge = pl.extent[axis];
    } else if (size.IsValid()) {
        if (IsPosResolved(nearEdge)) {
            farEdge = nearEdge + size.ToPixel(pl.scale);
            progress = true;
        }
    } else if (!IsMeasured(p, axis) && p.posCount == 4) {
        farEdge = CalcPosition(SecondPos(p, axis), pl, index, axis);
        progress = progress || IsPosResolved(farEdge);
    }
    return progress;
}

bool CoordinatePass(const Placing& pl)
{
    bool progress = false;
    for (size_t i = 0; i < pl.count; ++i) {
        progress = ResolveAxis(pl, i, Horz) || progress;
        progress = ResolveAxis(pl, i, Vert) || progress;
    }
    return progress;
}

bool NeedsMeasure(const AnchorChild& c, int axis)
{
    return !IsPosResolved(FarEdge(c.rc, axis)) && IsMeasured(*c.param, axis);
}

// Gives wrap-content children their measured far edges; true on change.
bool MeasureChild(const Placing& pl, size_t index)
{
    AnchorChild& c = pl.children[index];
    const bool needW = NeedsMeasure(c, Horz), needH = NeedsMeasure(c, Vert);
    if (!IsPosResolved(c.rc.left) || !IsPosResolved(c.rc.top) || (!needW && !needH)) return false;
    const int w = IsPosResolved(c.rc.right) ? c.rc.right - c.rc.left : pl.extent[Horz];
    const int h = IsPosResolved(c.rc.bottom) ? c.rc.bottom - c.rc.top : pl.extent[Vert];
    const SIZE sz = pl.measurer.MeasureChild(index, w, h);
    if (needW) c.rc.right = c.rc.left + sz.cx;
    if (needH) c.rc.bottom = c.rc.top + sz.cy;
    return true;
}

// Moves a sized child by its offset, a fraction of its own size; true on change.
bool ApplyOffset(AnchorChild& c, int axis)
{
    LONG& nearEdge = NearEdge(c.rc, axis);
    LONG& farEdge = FarEdge(c.rc, axis);
    if (!Pending(c, axis) || !IsPosResolved(nearEdge) || !IsPosResolved(farEdge)) return false;
    const LONG shift = static_cast<LONG>((farEdge - nearEdge) * OffsetOn(*c.param, axis));
    nearEdge += shift;
    farEdge += shift;
    Pending(c, axis) = false;
    return true;
}

bool MeasurePass(const Placing& pl)
{
    bool changed = false;
    for (size_t i = 0; i < pl.count; ++i) {
        changed = MeasureChild(pl, i) || changed;
        changed = ApplyOffset(pl.children[i], Horz) || changed;
        changed = ApplyOffset(pl.children[i], Vert) || changed;
    }
    return changed;
}

} // namespace

void CalcAnchorPositions(AnchorChild* children, size_t count, int width, int height, int scale,
                         ILayoutMeasurer& measurer)
{
    for (size_t i = 0; i < count; ++i) {
        AnchorChild& c = children[i];
        c.rc = {kPosNotComputed, kPosNotComputed, kPosNotComputed, kPosNotComputed};
        c.pendingX = std::fabs(c.param->offsetX) > kTolerance;
        c.pendingY = std::fabs(c.param->offsetY) > kTolerance;
    }
    const Placing pl{children, count, {width, height}, scale, measurer};
    for (;;) {
        bool resolved = false;
        while (CoordinatePass(pl)) resolved = true;
        if (!resolved) break;
        while (MeasurePass(pl)) {
        }
    }
}

SIZE AnchorChildrenExtent(const AnchorChild* children, size_t count, int scale)
{
    SIZE extent = {0, 0};
    for (size_t i = 0; i < count; ++i) {
        const AnchorChild& c = children[i];
        for (int axis : {Horz, Vert}) {
            const LONG farEdge = FarEdge(c.rc, axis);
            if (!IsPosResolved(farEdge)) continue;
            const AnchorPos& second = SecondPos(*c.param, axis);
            const bool fromFar = c.param->posCount == 4 && second.kind == kCoordParent && second.sign < 0;
            const LONG need = farEdge + (fromFar ? second.size.ToPixel(scale) : 0);
            LONG& out = axis == Horz ? extent.cx : extent.cy;
            out = std::max(out, need);
        }
    }
    return extent;
}

} // namespace DUI
