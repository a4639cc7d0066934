// A slider in a real host window, dragged with posted mouse input.
#include "TestCellSkin.h"
#include "tests/dui/core/HostTestEnv.h"

#include "dui/control/SSliderBar.h"

using namespace DUI;

namespace {

LPARAM At(int x, int y)
{
    return MAKELPARAM(x, y);
}

class SliderHostTest : public hosttest::HostTest
{
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        m_app->TplRegisterFactory<ctltest::TestCellSkin>();
    }
};

// The slider lies at (20,20)-(220,40): its rail runs 25-215, the thumb of
// value 0 covers 20-30.
TEST_F(SliderHostTest, PostedMouseInputDragsTheThumb)
{
    // The real cursor stays off the host: a released capture follows it.
    ::SetCursorPos(2, 2);
    SHostWnd* host = NewHost(L"LAYOUT:XML_SLIDER_HOST");
    HWND hwnd = Shown(host);
    ASSERT_NE(hwnd, nullptr);
    auto* slider = Child<SSliderBar>(host, L"slider");
    ASSERT_NE(slider, nullptr);
    std::vector<int> reported;
    int ups = 0;
    slider->SubscribeEvent(EventSliderPos::EventID, StdFunctionSlot([&](EventArgs* e) {
        reported.push_back(static_cast<EventSliderPos*>(e)->nPos);
        return false;
    }));
    slider->SubscribeEvent(EventLButtonUp::EventID, StdFunctionSlot([&](EventArgs*) {
        ++ups;
        return false;
    }));
    ::PostMessageW(hwnd, WM_MOUSEMOVE, 0, At(25, 30));
    ::PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(25, 30));
    ::PostMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, At(63, 30));    // 101 * 38 / 190 = 20
    ::PostMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, At(64, 35));    // still 20
    ::PostMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, At(120, 30));   // 101 * 95 / 190 = 50
    ::PostMessageW(hwnd, WM_LBUTTONUP, 0, At(120, 30));
    ASSERT_TRUE(nativetest::PumpUntil([&] { return ups > 0; }, 5000));
    EXPECT_EQ(reported, (std::vector<int>{20, 50}));
    EXPECT_EQ(slider->GetValue(), 50);
    EXPECT_FALSE(slider->IsDragging());
    EXPECT_NE(::GetCapture(), hwnd);

    Flush(host);
    const std::vector<uint32_t> shown = hosttest::PrintedPixels(hwnd, 240, 60);
    auto pixel = [&](int x, int y) { return shown[static_cast<size_t>(y) * 240 + x]; };
    EXPECT_EQ(pixel(60, 30), ctltest::kCellPixels[5]) << "filled up to the thumb";
    EXPECT_EQ(pixel(180, 30), ctltest::kCellPixels[0]) << "rail after it";
    // The thumb, now at 115-125, normal or still hot as the cursor's move arrives.
    EXPECT_TRUE(pixel(120, 23) == ctltest::kCellPixels[1] || pixel(120, 23) == ctltest::kCellPixels[2]);
    EXPECT_EQ(pixel(120, 20), 0xFFFFFFFFu);
}

} // namespace
