// The program's switch and stars rating on a real host window, driven by
// posted mouse input: toggles, the slide tick by tick, the stars following
// the pointer, and what they look like.
#include <gtest/gtest.h>

#include <vector>

#include "ControlsTestEnv.h"
#include "app/controls/SStarsRating.h"
#include "app/controls/SWitchControl.h"
#include "dui/core/base/SlotFunctor.h"
#include "tests/dui/control/TestCellSkin.h"

namespace {

using namespace ctltest;

// A switch that notes its value after every tick of its slide timer.
class TestSwitch : public SWitchControl
{
    DUI_CLASS_NAME(TestSwitch, SWitchControl, L"testswitch", Window_Kind)
public:
    BOOL OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override
    {
        const BOOL handled = SWitchControl::OnSwndMessage(msg, wp, lp, result);
        if (msg == WM_TIMER && wp == static_cast<WPARAM>(kSlideTimer))
            ticks.push_back(GetValue());
        return handled;
    }
    std::vector<int> ticks;
};

class SwitchStarsTest : public ControlsTest
{
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        m_app->TplRegisterFactory<TestSwitch>();
        m_app->TplRegisterFactory<SStarsRating>();
        m_app->TplRegisterFactory<TestCellSkin>();
        ::SetCursorPos(2, 2);   // the real cursor stays off the host
        m_host = NewHost(L"LAYOUT:XML_SWITCHES");
        m_hwnd = Shown(m_host);
        ASSERT_NE(m_hwnd, nullptr);
    }
    TestSwitch* Switch(LPCWSTR name)
    {
        auto* s = Child<TestSwitch>(m_host, name);
        EXPECT_NE(s, nullptr);
        if (s)
            s->SubscribeEvent(EventWBSelChanging::EventID, StdFunctionSlot([this](EventArgs* e) {
                m_events.push_back(static_cast<EventWBSelChanging*>(e)->bState);
                return false;
            }));
        return s;
    }
    // Posts a press and a release at host point (x, y) and waits until the
    // release has been handled.
    void Click(int x, int y)
    {
        ::PostMessageW(m_hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        ::PostMessageW(m_hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        ::PostMessageW(m_hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        ::PostMessageW(m_hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        Settle();
    }
    void Settle()
    {
        bool seen = false;
        ::PostMessageW(m_hwnd, WM_NULL, 0, 0);
        LoopUntil([&] {
            MSG msg;
            seen = seen || !::PeekMessageW(&msg, m_hwnd, WM_MOUSEFIRST, WM_MOUSELAST, PM_NOREMOVE);
            return seen;
        });
    }
    uint32_t PixelAt(int x, int y)
    {
        Flush(m_host);
        return hosttest::SurfacePixel(m_host->GetMemSurface(), x, y) | 0xFF000000u;
    }

    SHostWnd* m_host = nullptr;
    HWND m_hwnd = nullptr;
    std::vector<int> m_events;
};

// "quick" lies at (20,20)-(80,44): the rail band at y 24-40, the thumb 20
// wide over the whole height, at the left end while off.
TEST_F(SwitchStarsTest, ClicksOnTheRailOrThumbToggleAtOnce)
{
    TestSwitch* quick = Switch(L"quick");
    ASSERT_NE(quick, nullptr);
    struct Case { const char* name; int x, y; BOOL state; std::vector<int> events; };
    const Case cases[] = {
        {"on the thumb", 30, 22, TRUE, {1}},
        {"on the rail", 40, 30, FALSE, {1, 0}},
        {"above the rail, beside the thumb", 45, 21, FALSE, {1, 0}},
        {"right of the switch", 85, 30, FALSE, {1, 0}},
        {"rail's right end", 79, 39, TRUE, {1, 0, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Click(c.x, c.y);
        EXPECT_EQ(quick->GetState(), c.state);
        EXPECT_EQ(quick->GetValue(), c.state ? 100 : 0);
        EXPECT_EQ(m_events, c.events);
    }
    EXPECT_EQ(PixelAt(30, 32), kCellPixels[2]) << "the rail shows its 'on' skin";
    EXPECT_EQ(PixelAt(70, 22), kCellPixels[1]) << "the thumb stands at the right end";
    EXPECT_EQ(PixelAt(30, 22), 0xFFFFFFFFu) << "above the rail, left of the thumb";
}

TEST_F(SwitchStarsTest, ASlideTakesTenTicksAndReportsOnceAtItsEnd)
{
    TestSwitch* slide = Switch(L"slide");
    ASSERT_NE(slide, nullptr);
    Click(110, 30);
    EXPECT_TRUE(slide->IsAnimating());
    EXPECT_TRUE(slide->GetState());
    EXPECT_TRUE(m_events.empty());
    ASSERT_TRUE(LoopUntil([&] { return !slide->ticks.empty(); }));
    Click(150, 30);   // ignored while sliding
    ASSERT_TRUE(LoopUntil([&] { return !slide->IsAnimating(); }));
    EXPECT_EQ(slide->ticks, (std::vector<int>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 100}));
    EXPECT_EQ(m_events, std::vector<int>{1});
    EXPECT_TRUE(slide->GetState());
    EXPECT_TRUE(testsupport::PumpPastTimer(40));
    EXPECT_EQ(slide->ticks.size(), 11u) << "the timer stopped";

    slide->ticks.clear();
    slide->SetAttribute(L"currentState", L"false", FALSE);
    EXPECT_TRUE(slide->IsAnimating());
    ASSERT_TRUE(LoopUntil([&] { return !slide->IsAnimating(); }));
    EXPECT_EQ(slide->ticks.front(), 90);
    EXPECT_EQ(slide->GetValue(), 0);
    EXPECT_EQ(m_events, (std::vector<int>{1, 0}));
    slide->SetAttribute(L"currentState", L"0", FALSE);   // already off
    EXPECT_FALSE(slide->IsAnimating());
    EXPECT_EQ(m_events, (std::vector<int>{1, 0}));
}

// A switch whose range has no extent still toggles and reports, and draws
// its thumb at the start instead of dividing by zero.
TEST_F(SwitchStarsTest, ASwitchWithoutTravelStillToggles)
{
    TestSwitch* flat = Switch(L"flat");
    ASSERT_NE(flat, nullptr);
    Click(30, 70);
    ASSERT_TRUE(LoopUntil([&] { return !flat->IsAnimating(); }));
    EXPECT_TRUE(flat->GetState());
    EXPECT_EQ(m_events, std::vector<int>{1});
    EXPECT_EQ(PixelAt(30, 62), kCellPixels[1]);
    EXPECT_EQ(PixelAt(60, 70), kCellPixels[2]);
}

// Three 16-pixel stars 4 apart inside a 2-pixel margin: the client starts at
// x 22, so slots end at 38, 58 and 78.
TEST_F(SwitchStarsTest, StarsFollowThePointer)
{
    auto* stars = Child<SStarsRating>(m_host, L"stars");
    ASSERT_NE(stars, nullptr);
    const RECT rc = stars->GetWindowRect();
    EXPECT_EQ(rc.right - rc.left, 56 + 4);
    EXPECT_EQ(rc.bottom - rc.top, 16 + 4);
    struct Case { int dx; int want; };
    const Case cases[] = {{19, 1}, {21, 2}, {45, 3}, {61, 3}, {0, 1}, {61, 1}, {39, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dx);
        ::PostMessageW(m_hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(22 + c.dx, 110));
        Settle();
        EXPECT_EQ(stars->GetChosenStars(), c.want);
    }
    EXPECT_EQ(PixelAt(30, 110), kCellPixels[3]) << "chosen star";
    EXPECT_EQ(PixelAt(50, 110), kCellPixels[3]);
    EXPECT_EQ(PixelAt(70, 110), kCellPixels[6]) << "plain star";
    EXPECT_EQ(PixelAt(40, 110), 0xFFFFFFFFu) << "gap";
    ::PostMessageW(m_hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(190, 150));
    Settle();
    EXPECT_EQ(stars->GetChosenStars(), 2) << "leaving keeps the count";
}

} // namespace

namespace {

TEST_F(SwitchStarsTest, LooksAt100And150Percent)
{
    TestSwitch* quick = Switch(L"quick");
    ASSERT_NE(quick, nullptr);
    Click(30, 22);
    for (int scale : {100, 150}) {
        SCOPED_TRACE(scale);
        if (scale != 100)
            m_host->OnScaleChanged(scale);
        Flush(m_host);
        const RECT thumb = quick->GetThumbRect();
        EXPECT_EQ(thumb.right, quick->GetClientRect().right) << "an 'on' switch has its thumb at the right end";
        MaybeSavePng(m_host->GetMemSurface(), scale == 100 ? L"switches_100.png" : L"switches_150.png");
    }
}

} // namespace
