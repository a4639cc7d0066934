#include <gtest/gtest.h>

#include "dui/core/CSimpleWnd.h"
#include "dui/core/SDefToolTipFactory.h"
#include "dui/core/STipCtrl.h"
#include "tests/dui/core/GuiResourceCount.h"
#include "tests/dui/core/NativeWindowTestSupport.h"

using namespace DUI;

namespace {

// Messages are relayed by hand: the tip sees exactly the moves of a test.
class TipCtrlTest : public nativetest::NativeWindowTest
{
protected:
    void SetUp() override
    {
        m_tip = m_factory.CreateToolTip(nullptr);
        ASSERT_NE(m_tip, nullptr);
        m_popup = static_cast<STipCtrl*>(m_tip)->GetHwnd();
        ASSERT_TRUE(m_host.CreateWindow(L"host", WS_POPUP | WS_VISIBLE, 0, 200, 150, 400, 300, nullptr, nullptr));
    }
    void TearDown() override
    {
        m_factory.DestroyToolTip(m_tip);
        ::DestroyWindow(m_host.GetHwnd());
    }

    void Move(int x, int y, HWND from = nullptr) { Relay(WM_MOUSEMOVE, x, y, from); }
    void Relay(UINT message, int x, int y, HWND from = nullptr)
    {
        MSG msg = {from ? from : m_host.GetHwnd(), message, 0, MAKELPARAM(x, y)};
        m_tip->PreTranslateMessage(&msg);
    }
    bool Visible() const { return ::IsWindowVisible(m_popup) != FALSE; }
    bool WaitShown(DWORD ms = 3000) { return nativetest::PumpUntil([&] { return Visible(); }, ms); }
    bool WaitHidden(DWORD ms) { return nativetest::PumpUntil([&] { return !Visible(); }, ms); }
    // Whether the tip shows before a sentinel timer started now, longer than
    // the tip's rest delay (500 ms), fires: a pending show fires first.
    bool ShownWithinTheDelay()
    {
        EXPECT_TRUE(nativetest::PumpPastTimer(600));
        return Visible();
    }
    RECT PopupRect() const
    {
        RECT rc = {};
        ::GetWindowRect(m_popup, &rc);
        return rc;
    }
    // Shows a tip with the text for the area (0,0)-(200,100) of the host at (x, y).
    RECT ShowTip(LPCWSTR text, int scale = 100, int x = 10, int y = 10)
    {
        m_tip->UpdateTip(SwndToolTipKey{++m_swnd, 0}, RECT{0, 0, 200, 100}, text, scale);
        Move(x, y);
        EXPECT_TRUE(WaitShown());
        return PopupRect();
    }

    SDefToolTipFactory m_factory;
    IToolTip* m_tip = nullptr;
    HWND m_popup = nullptr;
    CSimpleWnd m_host;
    SWND m_swnd = 0;
};

int Width(const RECT& rc) { return rc.right - rc.left; }
int Height(const RECT& rc) { return rc.bottom - rc.top; }

} // namespace

TEST_F(TipCtrlTest, ShowsBelowTheCursorAfterTheDelayAndHidesLater)
{
    m_tip->UpdateTip(SwndToolTipKey{7, 0}, RECT{0, 0, 200, 100}, L"hello", 100);
    EXPECT_FALSE(Visible());
    const ULONGLONG start = ::GetTickCount64();
    Move(30, 40);
    ASSERT_TRUE(WaitShown());
    const ULONGLONG shownAt = ::GetTickCount64();
    EXPECT_GE(shownAt - start, 450u);
    const RECT rc = PopupRect();
    EXPECT_EQ(rc.left, 200 + 30);
    EXPECT_EQ(rc.top, 150 + 40 + STipCtrl::kCursorGap);
    EXPECT_GT(Width(rc), STipCtrl::kPadding);
    EXPECT_GT(Height(rc), STipCtrl::kPadding);
    ASSERT_TRUE(WaitHidden(9000));
    EXPECT_GE(::GetTickCount64() - shownAt, 4500u);
}

TEST_F(TipCtrlTest, MovesInsideKeepItAndLeavingOrAButtonHidesIt)
{
    const RECT shown = ShowTip(L"stay");
    Move(120, 60);
    EXPECT_TRUE(Visible());
    EXPECT_EQ(PopupRect().left, shown.left);
    EXPECT_EQ(PopupRect().top, shown.top);
    Relay(WM_LBUTTONDOWN, 120, 60);
    EXPECT_FALSE(Visible());

    ShowTip(L"leave");
    Move(250, 60);
    EXPECT_FALSE(Visible());

    ShowTip(L"cleared");
    m_tip->ClearTip();
    EXPECT_FALSE(Visible());
    // Nothing is left to show: the next rest inside the old area shows nothing.
    Move(10, 10);
    EXPECT_FALSE(ShownWithinTheDelay());
}

TEST_F(TipCtrlTest, SameTipAgainChangesNothingAndEmptyTextNeverShows)
{
    m_tip->UpdateTip(SwndToolTipKey{1, 0}, RECT{0, 0, 200, 100}, L"", 100);
    Move(10, 10);
    EXPECT_FALSE(ShownWithinTheDelay());
    // Same id: the new text is ignored.
    m_tip->UpdateTip(SwndToolTipKey{1, 0}, RECT{0, 0, 200, 100}, L"ignored", 100);
    Move(10, 10);
    EXPECT_FALSE(ShownWithinTheDelay());
    // The sentinel outlasts the delay: a tip with text does show within it.
    m_tip->UpdateTip(SwndToolTipKey{2, 0}, RECT{0, 0, 200, 100}, L"shown", 100);
    Move(10, 10);
    EXPECT_TRUE(ShownWithinTheDelay());
}

TEST_F(TipCtrlTest, SizeFollowsTheWrappedTextAndTheScale)
{
    const RECT one = ShowTip(L"Ab");
    const RECT two = ShowTip(L"Ab\\nAb");
    EXPECT_EQ(Width(two), Width(one));
    EXPECT_EQ(Height(two) - STipCtrl::kPadding, 2 * (Height(one) - STipCtrl::kPadding));

    std::wstring longLine;
    for (int i = 0; i < 60; ++i)
        longLine += L"word ";
    const RECT wrapped = ShowTip(longLine.c_str());
    EXPECT_LE(Width(wrapped), STipCtrl::kWrapWidth + STipCtrl::kPadding);
    EXPECT_GT(Width(wrapped), STipCtrl::kWrapWidth / 2);
    EXPECT_GE(Height(wrapped) - STipCtrl::kPadding, 2 * (Height(one) - STipCtrl::kPadding));

    const RECT big = ShowTip(L"Ab", 150);
    EXPECT_GT(Height(big), Height(one) + 3);
}

TEST_F(TipCtrlTest, StaysInsideTheMonitor)
{
    MONITORINFO mi = {sizeof(mi)};
    ::GetMonitorInfoW(::MonitorFromWindow(m_host.GetHwnd(), MONITOR_DEFAULTTONEAREST), &mi);
    // The desktop's client coordinates are screen coordinates.
    const int x = mi.rcMonitor.right - 5, y = mi.rcMonitor.bottom - 5;
    m_tip->UpdateTip(SwndToolTipKey{99, 0}, mi.rcMonitor, L"near the corner of the screen", 100);
    Move(x, y, ::GetDesktopWindow());
    ASSERT_TRUE(WaitShown());
    const RECT rc = PopupRect();
    EXPECT_EQ(rc.right, mi.rcMonitor.right);
    EXPECT_EQ(rc.bottom, mi.rcMonitor.bottom);
}

TEST(GuiResourceCount, SeesOneMoreObject)
{
    const DWORD before = guicount::GdiObjects();
    HBRUSH brush = ::CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_EQ(guicount::GdiObjects(), before + 1);
    ::DeleteObject(brush);
    EXPECT_EQ(guicount::GdiObjects(), before);
}

// Each tooltip owns a font and a popup; neither may outlive it.
TEST_F(TipCtrlTest, MakingAndDestroyingTooltipsLeaksNothing)
{
    auto cycle = [&] {
        IToolTip* tip = m_factory.CreateToolTip(nullptr);
        ASSERT_NE(tip, nullptr);
        tip->UpdateTip(SwndToolTipKey{1, 0}, RECT{0, 0, 10, 10}, L"x", 150);
        m_factory.DestroyToolTip(tip);
    };
    cycle();
    const DWORD gdi = guicount::GdiObjects();
    const DWORD windows = guicount::ThreadWindows();
    for (int i = 0; i < 300; ++i)
        cycle();
    EXPECT_LE(guicount::GdiObjects(), gdi + 2);
    EXPECT_EQ(guicount::ThreadWindows(), windows);
    m_factory.DestroyToolTip(nullptr);
}
