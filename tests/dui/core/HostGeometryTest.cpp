#include <gtest/gtest.h>

#include "dui/core/HostGeometry.h"

using namespace DUI;

TEST(HostGeometry, ResizeBordersBottomAndRightFirst)
{
    const RECT root = {0, 0, 400, 300};
    const RECT margin = {5, 6, 7, 8};
    struct Case {
        const char* name;
        POINT pt;
        UINT want;
    };
    const Case cases[] = {
        {"inside", {200, 150}, HTCLIENT},
        {"1 px inside the bottom-right corner", {399, 299}, HTBOTTOMRIGHT},
        {"top-right", {399, 0}, HTTOPRIGHT},
        {"right", {394, 150}, HTRIGHT},
        {"right edge of the margin is client", {393, 150}, HTCLIENT},
        {"bottom-left", {0, 299}, HTBOTTOMLEFT},
        {"top-left", {4, 5}, HTTOPLEFT},
        {"left", {4, 150}, HTLEFT},
        {"bottom", {200, 293}, HTBOTTOM},
        {"top", {200, 5}, HTTOP},
        {"top edge", {200, 0}, HTTOP},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(HostHitTest(c.pt, root, margin), c.want);
    }
    // Overlapping margins of a tiny host: bottom beats top, right beats left.
    const RECT tiny = {0, 0, 10, 10};
    EXPECT_EQ(HostHitTest(POINT{3, 3}, tiny, RECT{5, 5, 8, 8}), static_cast<UINT>(HTBOTTOMRIGHT));
}

TEST(HostGeometry, MaximisedCoversTheWorkAreaGrownByTheInset)
{
    MINMAXINFO info = {};
    const RECT monitor = {0, 0, 1280, 1024};
    const RECT work = {0, 0, 1280, 984};   // a task bar at the bottom
    MaximizedPlacement(work, monitor, RECT{3, 4, 5, 6}, &info);
    EXPECT_EQ(info.ptMaxPosition.x, -3);
    EXPECT_EQ(info.ptMaxPosition.y, -4);
    EXPECT_EQ(info.ptMaxSize.x, 1280 + 3 + 5);
    EXPECT_EQ(info.ptMaxSize.y, 984 + 4 + 6);
    EXPECT_EQ(info.ptMaxTrackSize.x, info.ptMaxSize.x);
    EXPECT_EQ(info.ptMaxTrackSize.y, info.ptMaxSize.y);
}

TEST(HostGeometry, AnimationFrames)
{
    const RECT client = {0, 0, 100, 50};
    auto last = [](const std::vector<AnimationFrame>& f) { return f.back(); };

    auto hideRight = AnimationFrames(client, AW_HIDE | AW_SLIDE | AW_HOR_POSITIVE, 10);
    ASSERT_EQ(hideRight.size(), 10u);
    EXPECT_EQ(hideRight[0].visible.left, 10);
    EXPECT_EQ(hideRight[0].source.x, 0);
    EXPECT_EQ(last(hideRight).visible.left, 100);

    auto hideLeft = AnimationFrames(client, AW_HIDE | AW_SLIDE | AW_HOR_NEGATIVE, 10);
    EXPECT_EQ(hideLeft[2].visible.right, 70);
    EXPECT_EQ(hideLeft[2].source.x, 30);   // the right part of the image stays in view

    auto showDown = AnimationFrames(client, AW_SLIDE | AW_VER_POSITIVE, 5);
    ASSERT_EQ(showDown.size(), 5u);
    EXPECT_EQ(showDown[0].visible.bottom, 10);
    EXPECT_EQ(showDown[0].source.y, 40);   // the bottom of the image comes in first
    EXPECT_EQ(last(showDown).visible.bottom, 50);
    EXPECT_EQ(last(showDown).source.y, 0);

    auto showCentre = AnimationFrames(client, AW_CENTER, 5);
    EXPECT_EQ(showCentre[0].visible.left, 40);
    EXPECT_EQ(showCentre[0].visible.top, 20);
    EXPECT_EQ(last(showCentre).visible.right, 100);
    EXPECT_EQ(showCentre[0].source.x, showCentre[0].visible.left);

    EXPECT_TRUE(AnimationFrames(client, AW_BLEND, 5).empty());
    EXPECT_TRUE(AnimationFrames(client, AW_SLIDE | AW_HOR_POSITIVE, 0).empty());
}

TEST(HostGeometry, WindowTimerIds)
{
    EXPECT_TRUE(IsWindowTimer(0x85000012));
    EXPECT_EQ(WindowTimerSwnd(0x85000012), 0x12u);
    EXPECT_EQ(WindowTimerId(0x85000012), 5u);
    EXPECT_FALSE(IsWindowTimer(0x05000012));
}

TEST(HostGeometry, WindowTimersAreMadeAsTheHostReadsThem)
{
    EXPECT_EQ(MakeWindowTimer(0x12, 5), 0x85000012u);
    // An id above 127 is the same timer as the id minus 128.
    EXPECT_EQ(MakeWindowTimer(0x12, static_cast<char>(133)), 0x85000012u);
    EXPECT_EQ(MakeWindowTimer(0x1234567, 0), 0x80234567u);
    const UINT_PTR last = MakeWindowTimer(1, 127);
    EXPECT_EQ(last, 0xFF000001u);
    EXPECT_TRUE(IsWindowTimer(last));
    EXPECT_EQ(WindowTimerSwnd(last), 1u);
    EXPECT_EQ(WindowTimerId(last), 127u);
}
