#pragma once
// Where the parts of a scroll bar lie, and where a dragged thumb puts the
// position: plain arithmetic shared by the panel's bars and the stand-alone
// scroll bar. Part codes: 0 first arrow, 1 last arrow, 2 rail before the
// thumb, 3 rail after it, 5 thumb.
#include <winsock2.h>
#include <windows.h>

namespace DUI {

struct ScrollBarGeometry
{
    static constexpr int kMinThumb = 18;
    // Visual states of a part, as the scroll-bar skin draws them.
    enum PartState : int
    {
        State_Normal = 0,
        State_Hover = 1,
        State_Pushed = 2,
        State_Disabled = 3,
        State_Inactive = 4,
    };

    // Lengths along the bar, from its start.
    int length = 0;
    int arrow = 0;
    int rail = 0;
    int thumb = 0;
    int thumbStart = 0;
    // FALSE when max lies below min: no part anywhere.
    BOOL valid = FALSE;

    // The layout of a bar `length` long with arrows `arrow` long; the thumb
    // stands at the track position while one is set, else at the position.
    static ScrollBarGeometry Measure(int length, int arrow, const SCROLLINFO& si);
    // Rail and thumb lengths alone, as a drag needs them.
    static int ThumbLength(int rail, const SCROLLINFO& si);

    // The part's rectangle inside `bar`; a bar with no parts gives an empty one.
    RECT PartRect(const RECT& bar, BOOL vertical, int part) const;
    // The part under the point, tested 0, 1, 5, 2, 3; -1 for none.
    int HitTest(const RECT& bar, BOOL vertical, POINT pt) const;

    // The largest position a bar takes: max - page + 1, never below min.
    static int LastPos(const SCROLLINFO& si);
    // `pos` brought into [min, LastPos]; a bar with page 0 stays at 0.
    static int ClampPos(const SCROLLINFO& si, long long pos);
    // The position a thumb dragged by `dist` pixels from `startPos` stands for.
    static int DragPos(const SCROLLINFO& si, int startPos, int dist, int rail);
};

} // namespace DUI
