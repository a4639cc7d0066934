// The caption window with a drag mode, on a real host window.
#include <gtest/gtest.h>

#include "PartHostTest.h"

namespace {

using namespace parttest;

using CaptionExTest = PartHostTest;

TEST_F(CaptionExTest, IsACaptionMadeByItsTag)
{
    auto made = SRefPtr<SWindow>::Adopt(m_app->NewWindowByTag(L"captionex"));
    ASSERT_TRUE(made);
    for (LPCWSTR kind : {L"captionex", L"caption", L"window"})
        EXPECT_TRUE(made->IsKindOf(kind)) << kind;
    EXPECT_STREQ(SCaptionEx::GetBaseTagStatic(), L"caption");
    EXPECT_EQ(static_cast<SCaptionEx*>(made.Get())->GetDragMode(), SCaptionEx::DragMode_Caption);
}

// Presses, drags by (+30, +15) and releases on the caption window of the
// body, then double-clicks it.
TEST_F(CaptionExTest, DragModesMoveTheWindowTheHostOrNothing)
{
    struct Case
    {
        const char* name;
        int mode;
        POINT windowShift;
        POINT hostShift;
        BOOL zoomed;
    };
    const Case cases[] = {
        {"mode 0 drags the window within its parent", SCaptionEx::DragMode_Self, {30, 15}, {0, 0}, FALSE},
        {"mode 1 moves and maximises the host", SCaptionEx::DragMode_Caption, {0, 0}, {30, 15}, TRUE},
        {"other modes swallow the mouse", 7, {0, 0}, {0, 0}, FALSE},
        {"negative modes too", -1, {0, 0}, {0, 0}, FALSE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SHostWnd* host = NewHost(L"LAYOUT:XML_PARTS");
        HWND hwnd = Shown(host, WS_POPUP, 0, 100, 120);
        ASSERT_TRUE(hwnd);
        auto* drag = Child<SCaptionEx>(host, L"drag");
        ASSERT_TRUE(drag && drag->IsKindOf(L"captionex"));
        drag->SetDragMode(c.mode);
        const RECT wndBefore = drag->GetWindowRect();

        const POINT hostMoved = DragOn(hwnd, {30, 110}, {{45, 118}, {60, 125}});
        EXPECT_EQ(hostMoved.x, c.hostShift.x);
        EXPECT_EQ(hostMoved.y, c.hostShift.y);
        const RECT wndAfter = drag->GetWindowRect();
        EXPECT_EQ(wndAfter.left - wndBefore.left, c.windowShift.x);
        EXPECT_EQ(wndAfter.top - wndBefore.top, c.windowShift.y);
        EXPECT_EQ(wndAfter.right - wndAfter.left, wndBefore.right - wndBefore.left);
        EXPECT_FALSE(drag->IsDragging());
        // The release ended the drag: later moves leave the window alone.
        const RECT settled = drag->GetWindowRect();
        ::SendMessageW(hwnd, WM_MOUSEMOVE, 0, Point(90, 130));
        const RECT later = drag->GetWindowRect();
        EXPECT_TRUE(::EqualRect(&settled, &later));

        POINT at = {(settled.left + settled.right) / 2, (settled.top + settled.bottom) / 2};
        ::SendMessageW(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, Point(at.x, at.y));
        EXPECT_EQ(::IsZoomed(hwnd) != FALSE, c.zoomed != FALSE);
        host->DestroyWindow();
    }
}

TEST_F(CaptionExTest, ADragInModeZeroEndsWhereverTheButtonIsReleased)
{
    SHostWnd* host = NewHost(L"LAYOUT:XML_PARTS");
    HWND hwnd = Shown(host, WS_POPUP, 0, 100, 120);
    ASSERT_TRUE(hwnd);
    auto* drag = Child<SCaptionEx>(host, L"drag");
    ASSERT_TRUE(drag);
    drag->SetDragMode(SCaptionEx::DragMode_Self);
    ::SendMessageW(hwnd, WM_MOUSEMOVE, 0, Point(30, 110));
    ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, Point(30, 110));
    // Far outside the window in one step: the window still follows.
    ::SendMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, Point(200, 20));
    ::SendMessageW(hwnd, WM_LBUTTONUP, 0, Point(200, 20));
    EXPECT_FALSE(drag->IsDragging());
    const RECT rc = drag->GetWindowRect();
    EXPECT_EQ(rc.left, 20 + 170);
    EXPECT_EQ(rc.top, 100 - 90);
}

} // namespace
