// Where the parts of a bar lie and where positions land, in plain numbers.
#include <gtest/gtest.h>

#include "dui/control/ScrollBarGeometry.h"

using DUI::ScrollBarGeometry;

namespace {

SCROLLINFO Info(int min, int max, UINT page, int pos, int track = -1)
{
    SCROLLINFO si = {sizeof(si), 0, min, max, page, pos, track};
    return si;
}

TEST(ScrollBarGeometryTest, PartsAlongAVerticalBar)
{
    struct Case
    {
        const char* name;
        int length, arrow;
        SCROLLINFO si;
        int arrowWant, thumbStart, thumbLen;
    };
    const Case kCases[] = {
        {"first position", 100, 10, Info(0, 99, 20, 0), 10, 10, 18},
        {"last position", 100, 10, Info(0, 99, 20, 80), 10, 72, 18},
        {"track wins over position", 100, 10, Info(0, 99, 20, 0, 40), 10, 41, 18},
        {"page covers the range", 100, 10, Info(0, 99, 100, 0), 10, 10, 80},
        {"page larger than the range", 100, 10, Info(0, 9, 50, 0), 10, 10, 80},
        {"proportional thumb", 200, 10, Info(0, 99, 50, 25), 10, 55, 90},
        {"rail below 18 has no thumb", 30, 10, Info(0, 99, 20, 0), 10, 10, 0},
        {"no room for a rail: half arrows", 15, 10, Info(0, 99, 20, 0), 7, 7, 0},
        {"range not starting at 0", 100, 10, Info(50, 149, 20, 50), 10, 10, 18},
        {"range not starting at 0, at its end", 100, 10, Info(50, 149, 20, 130), 10, 72, 18},
        {"position beyond the range", 100, 10, Info(0, 99, 20, 5000), 10, 72, 18},
    };
    const RECT bar = {5, 20, 17, 20};
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const ScrollBarGeometry g = ScrollBarGeometry::Measure(c.length, c.arrow, c.si);
        EXPECT_EQ(g.arrow, c.arrowWant);
        EXPECT_EQ(g.thumbStart, c.thumbStart);
        EXPECT_EQ(g.thumb, c.thumbLen);
        const RECT full = {bar.left, bar.top, bar.right, bar.top + c.length};
        const RECT thumb = g.PartRect(full, TRUE, SB_THUMBTRACK);
        EXPECT_EQ(thumb.top, full.top + c.thumbStart);
        EXPECT_EQ(thumb.bottom, full.top + c.thumbStart + c.thumbLen);
        EXPECT_EQ(thumb.left, full.left);
        EXPECT_EQ(thumb.right, full.right);
        const RECT last = g.PartRect(full, TRUE, SB_LINEDOWN);
        EXPECT_EQ(last.top, full.bottom - c.arrowWant);
        EXPECT_EQ(last.bottom, full.bottom);
    }
}

TEST(ScrollBarGeometryTest, HitTestOrderAndEmptyBars)
{
    const RECT bar = {0, 0, 100, 12};
    const ScrollBarGeometry g = ScrollBarGeometry::Measure(100, 12, Info(0, 99, 20, 0));
    EXPECT_EQ(g.HitTest(bar, FALSE, POINT{3, 5}), SB_LINEUP);
    EXPECT_EQ(g.HitTest(bar, FALSE, POINT{95, 5}), SB_LINEDOWN);
    EXPECT_EQ(g.HitTest(bar, FALSE, POINT{13, 5}), SB_THUMBTRACK);
    EXPECT_EQ(g.HitTest(bar, FALSE, POINT{50, 5}), SB_PAGEDOWN);
    EXPECT_EQ(g.HitTest(bar, FALSE, POINT{50, 12}), -1);

    // A range whose max lies below its min has no parts at all.
    const ScrollBarGeometry inverted = ScrollBarGeometry::Measure(100, 12, Info(10, 5, 20, 10));
    for (int part : {SB_LINEUP, SB_LINEDOWN, SB_PAGEUP, SB_PAGEDOWN, SB_THUMBTRACK}) {
        const RECT rc = inverted.PartRect(bar, FALSE, part);
        EXPECT_TRUE(::IsRectEmpty(&rc)) << part;
    }
    EXPECT_EQ(inverted.HitTest(bar, FALSE, POINT{3, 5}), -1);
}

TEST(ScrollBarGeometryTest, PositionsStayInTheirRange)
{
    struct Case
    {
        const char* name;
        SCROLLINFO si;
        long long ask;
        int clamped;
    };
    const Case kCases[] = {
        {"inside", Info(0, 99, 20, 0), 30, 30},
        {"beyond the end", Info(0, 99, 20, 0), 1000, 80},
        {"below min", Info(0, 99, 20, 0), -5, 0},
        {"page 0 pins to 0", Info(0, 99, 0, 0), 50, 0},
        {"page above the range", Info(0, 99, 500, 0), 50, 0},
        {"max below min", Info(10, 5, 1, 0), 3, 10},
        {"beyond int", Info(0, 0x7FFFFFFF, 1, 0), 0x1FFFFFFFFLL, 0x7FFFFFFF},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ScrollBarGeometry::ClampPos(c.si, c.ask), c.clamped);
    }
}

TEST(ScrollBarGeometryTest, DraggedThumbPositions)
{
    // Rail 100, page 20 of 100: thumb 20, 80 pixels of travel for 80 positions.
    const SCROLLINFO si = Info(0, 99, 20, 0);
    EXPECT_EQ(ScrollBarGeometry::DragPos(si, 0, 40, 100), 40);
    EXPECT_EQ(ScrollBarGeometry::DragPos(si, 40, -10, 100), 30);
    EXPECT_EQ(ScrollBarGeometry::DragPos(si, 40, 1000, 100), 80);
    EXPECT_EQ(ScrollBarGeometry::DragPos(si, 40, -1000, 100), 0);
    // A range from 50: the end is still reachable.
    EXPECT_EQ(ScrollBarGeometry::DragPos(Info(50, 149, 20, 50), 50, 1000, 100), 130);
    // No travel: the position stays.
    EXPECT_EQ(ScrollBarGeometry::DragPos(Info(0, 99, 100, 0), 0, 30, 100), 0);
    EXPECT_EQ(ScrollBarGeometry::DragPos(si, 0, 30, 0), 0);
}

} // namespace
