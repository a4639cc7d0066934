// Tooltips: the manager's routing, the common tooltip's timing, hiding and
// placement, the bubble tooltip above its tool, and the two text helpers.
#include "ControlsTestEnv.h"

#include "app/controls/SDlgBaseWnd.h"
#include "app/controls/SMgrTooltip.h"
#include "app/controls/STooltip.h"
#include "app/controls/STooltipCmn.h"
#include "app/controls/WindowTextMeasure.h"

using namespace ctltest;

namespace {

// Notes what reaches it; may take every message offered for filtering.
class FakeTip : public IToolTip
{
public:
    BOOL PreTranslateMessage(MSG*) override { ++filtered; return eat; }
    void UpdateTip(const SwndToolTipKey&, const RECT&, LPCWSTR text, int) override { texts.push_back(text); }
    void ClearTip() override { ++cleared; }
    void RelayEvent(const MSG*) override { ++relayed; }
    BOOL eat = FALSE;
    int filtered = 0, cleared = 0, relayed = 0;
    std::vector<std::wstring> texts;
};

MSG Mouse(HWND hwnd, UINT message, POINT client)
{
    MSG msg = {hwnd, message, 0, MAKELPARAM(client.x, client.y)};
    msg.pt = client;
    ::ClientToScreen(hwnd, &msg.pt);
    return msg;
}

bool IsShown(HWND hwnd)
{
    return ::IsWindowVisible(hwnd) != FALSE;
}

class TooltipTest : public ControlsTest
{
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        // The tests move a pretend mouse: the real cursor stays clear of the
        // host and of where its tips show, or the system's own mouse
        // messages would hide them.
        ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 2, 2);
        m_host = NewHost<SDlgBaseWnd>(L"LAYOUT:XML_SCALED");
        ASSERT_NE(ControlsTest::Shown(m_host, WS_POPUP, 0, 600, 500), nullptr);
        m_manager = dynamic_cast<SMgrTooltip*>(m_host->GetToolTip());
        ASSERT_NE(m_manager, nullptr);
        m_common = dynamic_cast<STooltipCmn*>(m_manager->GetCommonTip());
        ASSERT_NE(m_common, nullptr);
    }
    SwndToolTipKey KeyOf(LPCWSTR name) { return SwndToolTipKey{Child(m_host, name)->GetSwnd(), 0}; }
    RECT RectOf(LPCWSTR name) { return Child(m_host, name)->GetWindowRect(); }

    SDlgBaseWnd* m_host = nullptr;
    SMgrTooltip* m_manager = nullptr;
    STooltipCmn* m_common = nullptr;
};

} // namespace

TEST_F(TooltipTest, TipsGoToTheRegisteredTooltipOrTheCommonOne)
{
    FakeTip own;
    m_manager->SetWindowTip(Child(m_host, L"box"), &own);
    m_manager->UpdateTip(KeyOf(L"box"), RectOf(L"box"), L"own tip", 100);
    m_manager->UpdateTip(KeyOf(L"label"), RectOf(L"label"), L"common tip", 100);
    ASSERT_EQ(own.texts.size(), 1u);
    EXPECT_EQ(own.texts[0], L"own tip");
    EXPECT_EQ(std::wstring(m_common->GetTipText()), L"common tip");
    // Clearing and relaying reach every tooltip.
    const MSG move = Mouse(m_host->GetHwnd(), WM_MOUSEMOVE, POINT{1, 1});
    m_manager->RelayEvent(&move);
    m_manager->ClearTip();
    EXPECT_EQ(own.relayed, 1);
    EXPECT_EQ(own.cleared, 1);
    EXPECT_TRUE(m_common->GetTipText().IsEmpty());
    MSG msg = move;
    EXPECT_FALSE(m_manager->PreTranslateMessage(&msg));
    own.eat = TRUE;
    EXPECT_TRUE(m_manager->PreTranslateMessage(&msg));
    // Unregistered again, the window's tips go to the common tooltip.
    m_manager->SetWindowTip(Child(m_host, L"box"), nullptr);
    m_manager->UpdateTip(KeyOf(L"box"), RectOf(L"box"), L"back to common", 100);
    EXPECT_EQ(own.texts.size(), 1u);
}

TEST_F(TooltipTest, TheCommonTipShowsAfterTheMouseRestsAndHidesOnAButton)
{
    HWND tip = m_common->GetHwnd();
    wchar_t title[64] = {};
    ::GetWindowTextW(tip, title, 64);
    EXPECT_EQ(std::wstring(title), L"template_stooltipcmn");
    HWND host = m_host->GetHwnd();
    const RECT label = RectOf(L"label");
    struct Case { const char* name; MSG ends; bool hides; };
    const Case cases[] = {
        {"a button press hides it", Mouse(host, WM_LBUTTONDOWN, POINT{90, 20}), true},
        {"leaving the tool hides it", Mouse(host, WM_MOUSEMOVE, POINT{5, 100}), true},
        {"a double click does not", Mouse(host, WM_LBUTTONDBLCLK, POINT{90, 20}), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_manager->UpdateTip(KeyOf(L"label"), label, L"Label tip", 100);
        const MSG move = Mouse(host, WM_MOUSEMOVE, POINT{90, 20});
        const ULONGLONG moved = ::GetTickCount64();
        m_manager->RelayEvent(&move);
        EXPECT_FALSE(IsShown(tip));
        ASSERT_TRUE(LoopUntil([&] { return IsShown(tip); }));
        EXPECT_GE(::GetTickCount64() - moved, 250u);
        const RECT at = WindowRectOf(tip);
        EXPECT_EQ(at.left, move.pt.x);
        EXPECT_EQ(at.top, move.pt.y + STooltipCmn::kCursorGap);
        EXPECT_GT(SizeOf(at).cx, 20);
        m_manager->RelayEvent(&c.ends);
        EXPECT_EQ(!IsShown(tip), c.hides);
        m_manager->ClearTip();
        EXPECT_FALSE(IsShown(tip));
    }
}

TEST_F(TooltipTest, TheCommonTipHidesWhenItsTimeIsUp)
{
    HWND tip = m_common->GetHwnd();
    m_manager->UpdateTip(KeyOf(L"label"), RectOf(L"label"), L"Two lines\nof tip", 100);
    const MSG move = Mouse(m_host->GetHwnd(), WM_MOUSEMOVE, POINT{90, 20});
    m_manager->RelayEvent(&move);
    ASSERT_TRUE(LoopUntil([&] { return IsShown(tip); }));
    m_common->UpdateWindow();
    LoopFor(50);
    MaybeSavePng(m_common->GetMemSurface(), L"tooltip_common.png");
    EXPECT_EQ(m_common->GetHideDelay(), 5000);
    // The hide timer's tick, without waiting five seconds for it.
    ::SendMessageW(tip, WM_TIMER, STooltipCmn::kHideTimer, 0);
    EXPECT_FALSE(IsShown(tip));
    EXPECT_TRUE(m_common->GetTipText().IsEmpty());
}

TEST_F(TooltipTest, TheCommonTipStaysInsideTheMonitor)
{
    const RECT monitor = {0, 0, 1280, 1024};
    struct Case { const char* name; RECT in; RECT want; };
    const Case cases[] = {
        {"inside: unchanged", {100, 100, 200, 150}, {100, 100, 200, 150}},
        {"past the right edge", {1250, 100, 1350, 150}, {1180, 100, 1280, 150}},
        {"past the bottom", {100, 1000, 200, 1050}, {100, 974, 200, 1024}},
        {"past both", {1270, 1020, 1370, 1070}, {1180, 974, 1280, 1024}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RECT got = STooltipCmn::KeptInside(c.in, monitor);
        EXPECT_TRUE(::EqualRect(&got, &c.want));
    }
    // A tip shown at the screen's corner is pushed back.
    HWND tip = m_common->GetHwnd();
    m_manager->UpdateTip(KeyOf(L"label"), RectOf(L"label"), L"Corner tip", 100);
    MSG move = Mouse(m_host->GetHwnd(), WM_MOUSEMOVE, POINT{90, 20});
    move.pt = POINT{::GetSystemMetrics(SM_CXSCREEN) - 5, ::GetSystemMetrics(SM_CYSCREEN) - 5};
    m_manager->RelayEvent(&move);
    ASSERT_TRUE(LoopUntil([&] { return IsShown(tip); }));
    const RECT at = WindowRectOf(tip);
    EXPECT_EQ(at.right, ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(at.bottom, ::GetSystemMetrics(SM_CYSCREEN));
}

TEST_F(TooltipTest, ARegisteredBubbleShowsCentredAboveItsTool)
{
    auto* bubble = new STooltip();
    ASSERT_TRUE(bubble->CreateHidden());
    EXPECT_EQ(static_cast<DWORD>(::GetWindowLongW(bubble->GetHwnd(), GWL_EXSTYLE)) & STooltip::kExStyle,
              STooltip::kExStyle);
    m_manager->SetWindowTip(Child(m_host, L"box"), bubble);
    const RECT box = RectOf(L"box");
    m_manager->UpdateTip(KeyOf(L"box"), box, L"First line\\nsecond line", 100);
    EXPECT_EQ(std::wstring(bubble->GetTipText()), L"First line\nsecond line");
    EXPECT_EQ(bubble->GetAnchorWindow(), m_host->GetHwnd());
    // The common tooltip was not asked.
    EXPECT_TRUE(m_common->GetTipText().IsEmpty());
    const MSG move = Mouse(m_host->GetHwnd(), WM_MOUSEMOVE, POINT{box.left + 5, box.top + 5});
    m_manager->RelayEvent(&move);
    ASSERT_TRUE(LoopUntil([&] { return IsShown(bubble->GetHwnd()); }));
    RECT tool = box;
    ::MapWindowPoints(m_host->GetHwnd(), nullptr, reinterpret_cast<POINT*>(&tool), 2);
    const RECT at = WindowRectOf(bubble->GetHwnd());
    EXPECT_EQ((at.left + at.right) / 2, (tool.left + tool.right) / 2);
    EXPECT_EQ(at.bottom, tool.top - STooltip::kToolGap);
    EXPECT_GT(SizeOf(at).cy, 40);   // two lines and the arrow
    bubble->UpdateWindow();
    LoopFor(50);
    MaybeSavePng(bubble->GetMemSurface(), L"tooltip_bubble.png");
    m_manager->SetWindowTip(Child(m_host, L"box"), nullptr);
    bubble->DestroyWindow();
    bubble->Release();
}

TEST_F(TooltipTest, EllipsisKeepsHeadAndTailOfATextThatDoesNotFit)
{
    SWindow* label = Child(m_host, L"label");
    const int digit = MeasureWindowText(label, L"0").cx;
    const int dots = MeasureWindowText(label, L"...").cx;
    ASSERT_GT(digit, 0);
    ASSERT_EQ(MeasureWindowText(label, L"0123456789").cx, 10 * digit) << "digits are not equally wide";
    EXPECT_EQ(MeasureWindowText(label, L"").cx, 0);
    EXPECT_EQ(MeasureWindowText(nullptr, L"x").cy, 0);
    struct Case { const char* name; int width; std::wstring want; };
    const Case cases[] = {
        {"six digits and the dots", 6 * digit + dots, L"012...789"},
        {"one digit short of six", 6 * digit + dots - 1, L"01...89"},
        {"fits", 11 * digit, L"0123456789"},
        {"narrower than the dots", dots - 1, L""},
    };
    const RECT at = label->GetWindowRect();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RECT rc = {at.left, at.top, at.left + c.width, at.bottom};
        label->Move(&rc);
        EXPECT_EQ(std::wstring(MeasureTextEllipsis(L"0123456789", label)), c.want);
    }
}

TEST_F(TooltipTest, ATipWhoseLayoutIsMissingIsNotMadeAndFreedOnce)
{
    auto* tip = new STooltipCmn(L"LAYOUT:XML_NO_SUCH_TIP");
    EXPECT_FALSE(tip->CreateHidden());
    EXPECT_EQ(tip->GetHwnd(), nullptr);
    tip->Release();   // freed a second time, the test program would crash
}
