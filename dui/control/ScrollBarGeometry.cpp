#include "dui/control/ScrollBarGeometry.h"

#include <algorithm>

namespace DUI {

namespace {

long long Page(const SCROLLINFO& si)
{
    return static_cast<long long>(si.nPage);
}

} // namespace

int ScrollBarGeometry::ThumbLength(int rail, const SCROLLINFO& si)
{
    if (rail < kMinThumb)
        return 0;
    const long long page = Page(si);
    const long long last = std::max<long long>(si.nMax, si.nMin + page - 1);
    long long thumb = last == si.nMin + page - 1 ? rail : rail * page / (last - si.nMin + 1);
    thumb = std::clamp<long long>(thumb, kMinThumb, rail);
    return static_cast<int>(thumb);
}

ScrollBarGeometry ScrollBarGeometry::Measure(int length, int arrow, const SCROLLINFO& si)
{
    ScrollBarGeometry g;
    g.length = std::max(length, 0);
    g.valid = si.nMax >= si.nMin;
    g.arrow = std::max(arrow, 0);
    g.rail = std::max(g.length - 2 * g.arrow, 0);
    if (g.rail == 0)
        g.arrow = g.length / 2;
    g.thumb = ThumbLength(g.rail, si);
    const long long free = g.rail - g.thumb;
    const long long pos = si.nTrackPos != -1 ? si.nTrackPos : si.nPos;
    const long long span = static_cast<long long>(si.nMax) - Page(si) - si.nMin + 1;
    // Counted from min, so a range that does not start at 0 still puts the
    // thumb at the rail's start for the first position.
    const long long offset = span <= 0 ? free / 2 : free * (pos - si.nMin) / span;
    g.thumbStart = g.arrow + static_cast<int>(std::clamp<long long>(offset, 0, free));
    return g;
}

RECT ScrollBarGeometry::PartRect(const RECT& bar, BOOL vertical, int part) const
{
    if (::IsRectEmpty(&bar))
        return bar;
    if (!valid)
        return RECT{0, 0, 0, 0};
    int from = length - arrow, to = length;
    switch (part) {
    case SB_LINEUP: from = 0; to = arrow; break;
    case SB_PAGEUP: from = arrow; to = thumbStart; break;
    case SB_THUMBTRACK: from = thumbStart; to = thumbStart + thumb; break;
    case SB_PAGEDOWN: from = thumbStart + thumb; to = length - arrow; break;
    default: break;
    }
    to = std::max(from, to);
    RECT rc = bar;
    if (vertical) {
        rc.top = bar.top + from;
        rc.bottom = bar.top + to;
    } else {
        rc.left = bar.left + from;
        rc.right = bar.left + to;
    }
    return rc;
}

int ScrollBarGeometry::HitTest(const RECT& bar, BOOL vertical, POINT pt) const
{
    if (!valid || !::PtInRect(&bar, pt))
        return -1;
    for (int part : {SB_LINEUP, SB_LINEDOWN, SB_THUMBTRACK, SB_PAGEUP, SB_PAGEDOWN}) {
        const RECT rc = PartRect(bar, vertical, part);
        if (::PtInRect(&rc, pt))
            return part;
    }
    return -1;
}

int ScrollBarGeometry::LastPos(const SCROLLINFO& si)
{
    const long long last = static_cast<long long>(si.nMax) - Page(si) + 1;
    return static_cast<int>(std::max<long long>(last, si.nMin));
}

int ScrollBarGeometry::ClampPos(const SCROLLINFO& si, long long pos)
{
    if (si.nPage == 0)
        return 0;
    return static_cast<int>(std::max<long long>(std::min<long long>(pos, LastPos(si)), si.nMin));
}

int ScrollBarGeometry::DragPos(const SCROLLINFO& si, int startPos, int dist, int rail)
{
    const int thumb = ThumbLength(rail, si);
    const long long span = static_cast<long long>(si.nMax) - Page(si) - si.nMin + 1;
    const long long delta = rail == thumb ? 0 : span * dist / (rail - thumb);
    const long long pos = startPos + delta;
    return static_cast<int>(std::max<long long>(std::min<long long>(pos, LastPos(si)), si.nMin));
}

} // namespace DUI
