// The basic controls on a real host window: what the host shows of their
// states, the button fade on the host's own timeline, and keys and
// accelerators coming through the host's message map.
#include <gtest/gtest.h>

#include "tests/dui/core/HostTestEnv.h"
#include "tests/dui/core/InputTestHost.h"
#include "tests/dui/core/QueuedMouseFilter.h"
#include "dui/control/SButton.h"
#include "dui/control/SLink.h"
#include "dui/core/base/SlotFunctor.h"

using namespace hosttest;

namespace {

using HostControlsTest = HostTest;

LPARAM At(int x, int y)
{
    return MAKELPARAM(x, y);
}

TEST_F(HostControlsTest, TheHostShowsEachControlInItsStateAndFadesHoverOnItsTimeline)
{
    // The states seen are those of the test's own input, wherever the real
    // cursor is.
    const QueuedMouseFilter onlySentInput;
    ASSERT_TRUE(onlySentInput.Active());
    SHostWnd* host = NewHost(L"LAYOUT:XML_BASIC_CONTROLS");
    HWND hwnd = Shown(host);
    ASSERT_NE(hwnd, nullptr);
    IPaintSurface* image = host->GetMemSurface();
    EXPECT_EQ(SurfacePixel(image, 20, 15), 0xFFC8C8C8u);    // normal
    EXPECT_EQ(SurfacePixel(image, 110, 15), 0xFFE8E8E8u);   // disabled
    EXPECT_EQ(SurfacePixel(image, 200, 15), 0xFFC8C8C8u);   // image button
    EXPECT_EQ(SurfacePixel(image, 130, 110), 0xFF808080u);  // the rule

    auto* ok = Child<SButton>(host, L"ok");
    ::SendMessageW(hwnd, WM_MOUSEMOVE, 0, At(50, 25));
    ASSERT_TRUE(ok->GetState() & WndState_Hover);
    EXPECT_LT(ok->GetAnimateAlpha(), 255);
    ASSERT_TRUE(nativetest::PumpUntil([&] { return ok->GetAnimateAlpha() == 255; }, 10000));
    Flush(host);
    EXPECT_EQ(SurfacePixel(image, 20, 15), 0xFF40A040u);
    // The text stays on the button, inside it and clear of its edges.
    int ink = 0;
    for (int y = 10; y < 40; ++y) {
        for (int x = 10; x < 90; ++x)
            ink += (SurfacePixel(image, x, y) & 0xFF) < 0x20;
    }
    EXPECT_GT(ink, 0);
    MaybeSavePng(image, L"host_controls_hover.png");

    ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(50, 25));
    Flush(host);
    EXPECT_EQ(SurfacePixel(image, 20, 15), 0xFF2050C0u);
    MaybeSavePng(image, L"host_controls_pushed.png");
    ::SendMessageW(hwnd, WM_LBUTTONUP, 0, At(50, 25));
}

TEST_F(HostControlsTest, SpaceAndTheAltAcceleratorFireTheButtonThroughTheHost)
{
    SHostWnd* host = NewHost(L"LAYOUT:XML_BASIC_CONTROLS");
    HWND hwnd = Shown(host);
    ASSERT_NE(hwnd, nullptr);
    auto* ok = Child<SButton>(host, L"ok");
    int commands = 0;
    ok->SubscribeEvent(EventCmd::EventID, StdFunctionSlot([&](EventArgs*) {
        ++commands;
        return true;
    }));
    ok->SetFocus();
    ASSERT_TRUE(ok->IsFocused());
    ::SendMessageW(hwnd, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(ok->GetState() & WndState_PushDown);
    ::SendMessageW(hwnd, WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(commands, 1);
    {
        const wndtest::HeldKeys alt(FALSE, FALSE, TRUE);
        ::SendMessageW(hwnd, WM_SYSCHAR, 'o', 0);
    }
    EXPECT_EQ(commands, 2);
    ::SendMessageW(hwnd, WM_CHAR, 'o', 0);   // without Alt it is just a letter
    EXPECT_EQ(commands, 2);
}

} // namespace
