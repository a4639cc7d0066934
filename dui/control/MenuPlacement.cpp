#include "dui/control/MenuPlacement.h"

namespace DUI {

namespace {

POINT Aligned(const MenuPlacementRequest& r)
{
    POINT pt = r.pt;
    if (r.flags & TPM_CENTERALIGN)
        pt.x -= r.size.cx / 2;
    else if (r.flags & TPM_RIGHTALIGN)
        pt.x -= r.size.cx;
    if (r.flags & TPM_VCENTERALIGN)
        pt.y -= r.size.cy / 2;
    else if (r.flags & TPM_BOTTOMALIGN)
        pt.y -= r.size.cy;
    return pt;
}

bool FitsOn(const RECT& monitor, POINT pt, SIZE size)
{
    return pt.x >= monitor.left && pt.y >= monitor.top && pt.x + size.cx <= monitor.right &&
           pt.y + size.cy <= monitor.bottom;
}

// Moves the span [pos, pos + length) into [low, high); the low edge wins.
int ShiftInto(int pos, int length, int low, int high)
{
    if (pos < low)
        return low;
    if (pos + length > high)
        return high - length;
    return pos;
}

POINT PlaceSubMenu(const MenuPlacementRequest& r, POINT pt)
{
    const int right = pt.x + r.offset;
    if (right + r.size.cx > r.monitor.right)
        pt.x = pt.x - r.parentWidth - r.offset - r.size.cx;
    else
        pt.x = right;
    pt.x = ShiftInto(pt.x, r.size.cx, r.monitor.left, r.monitor.right);
    pt.y = ShiftInto(pt.y, r.size.cy, r.monitor.top, r.monitor.bottom);
    return pt;
}

POINT PlaceTopMenu(const MenuPlacementRequest& r, POINT pt)
{
    if (pt.x + r.size.cx > r.monitor.right)
        pt.x = pt.x - r.offset - r.size.cx;
    if (pt.y < r.monitor.top)
        pt.y += r.size.cy;
    if (pt.y + r.size.cy > r.monitor.bottom)
        pt.y -= r.size.cy;
    return pt;
}

} // namespace

POINT PlacePopupMenu(const MenuPlacementRequest& request)
{
    POINT pt = Aligned(request);
    if (FitsOn(request.monitor, pt, request.size)) {
        pt.x += request.offset;
        return pt;
    }
    return request.subMenu ? PlaceSubMenu(request, pt) : PlaceTopMenu(request, pt);
}

} // namespace DUI
