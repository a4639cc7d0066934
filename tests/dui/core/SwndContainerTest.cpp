// Input routing of a window container: which window gets which message, in
// which order, for mouse, wheel, keyboard and focus sequences; capture, hover
// and focus that survive handlers destroying windows; the timeline handlers,
// the mouse-tracking list and the paint order.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "InputTestHost.h"
#include "NativeWindowTestSupport.h"
#include "TestSwndContainer.h"
#include "dui/core/CAccelerator.h"

using namespace DUI;
using namespace ctrtest;
using namespace wndtest;

namespace {

// a: margin of 10 (client 20,20-100,80); b holds c; d is disabled; t tracks
// the mouse and is partly covered by u; f takes the focus.
const wchar_t kTree[] =
    L"<root>"
    L"<logwnd name=\"a\" pos=\"10,10,@100,@80\" margin=\"10,10,10,10\" focusable=\"1\"/>"
    L"<logwnd name=\"b\" pos=\"150,10,@100,@80\" focusable=\"1\"><logwnd name=\"c\" pos=\"20,20,@40,@40\"/></logwnd>"
    L"<logwnd name=\"d\" pos=\"10,100,@50,@50\" enable=\"0\"/>"
    L"<logwnd name=\"t\" pos=\"150,100,@100,@80\" trackMouseEvent=\"1\"/>"
    L"<logwnd name=\"u\" pos=\"200,120,@80,@50\"/>"
    L"</root>";

LPARAM At(int x, int y)
{
    return MAKELPARAM(x, y);
}

class SwndContainerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_env.Registry().TplRegisterFactory<LogWnd>();
        Rebuild();
    }

    void TearDown() override
    {
        LogWnd::hook = nullptr;
        LogWnd::takes.clear();
        m_host->Destroy();
    }

    void Rebuild()
    {
        if (m_host)
            m_host->Destroy();
        LogWnd::hook = nullptr;
        LogWnd::takes.clear();
        m_host = new TestSwndContainer();
        m_host->CreateChildrenFromXmlText(kTree);
        m_host->OnRectChanged(RECT{0, 0, 300, 200});
        m_host->UpdateLayout();
        LogWnd::log.clear();
    }

    SWindow* W(const wchar_t* name) { return m_host->FindChildByName(name); }
    SWND Swnd(const wchar_t* name) { return W(name)->GetSwnd(); }

    LRESULT Route(UINT msg, int x, int y, WPARAM wp = 0) { return m_host->RouteHostMessage(msg, wp, At(x, y)); }
    LRESULT Key(UINT msg, WPARAM vk) { return m_host->RouteHostMessage(msg, vk, 1); }

    WindowEnv m_env;
    TestSwndContainer* m_host = nullptr;
};

struct Input
{
    UINT msg;
    int x, y;
};

} // namespace

TEST_F(SwndContainerTest, TheTreeIsWhereTheTestsExpectIt)
{
    const RECT c = W(L"c")->GetWindowRect();
    EXPECT_EQ(c.left, 170);
    EXPECT_EQ(c.top, 30);
    EXPECT_EQ(W(L"a")->GetClientRect().left, 20);
    EXPECT_EQ(W(L"u")->GetWindowRect().right, 280);
}

TEST_F(SwndContainerTest, MouseSequencesReachTheRightWindowsInOrder)
{
    struct Case
    {
        const char* name;
        std::vector<Input> inputs;
        const wchar_t* log;
    };
    const Case kCases[] = {
        {"from a to b: a leaves before b is hovered, then b moves",
         {{WM_MOUSEMOVE, 50, 50}, {WM_MOUSEMOVE, 160, 20}},
         L"a:hover a:move a:leave b:hover b:move"},
        {"into a child: the parent leaves",
         {{WM_MOUSEMOVE, 160, 20}, {WM_MOUSEMOVE, 180, 40}},
         L"b:hover b:move b:leave c:hover c:move"},
        {"onto the margin and back: non-client hover, button and leave",
         {{WM_MOUSEMOVE, 50, 50}, {WM_MOUSEMOVE, 15, 50}, {WM_LBUTTONDOWN, 15, 50}, {WM_LBUTTONUP, 15, 50},
          {WM_MOUSEMOVE, 50, 50}},
         L"a:hover a:move a:nchover a:ncmove a:ncldown a:nclup a:ncleave a:move"},
        {"entering on the margin: non-client hover first",
         {{WM_MOUSEMOVE, 12, 50}, {WM_MOUSEMOVE, 160, 20}},
         L"a:nchover a:hover a:ncmove a:ncleave a:leave b:hover b:move"},
        {"captured by a press: a leaves once outside, keeps moving, is hovered again inside",
         {{WM_MOUSEMOVE, 50, 50}, {WM_LBUTTONDOWN, 50, 50}, {WM_MOUSEMOVE, 160, 20}, {WM_MOUSEMOVE, 120, 190},
          {WM_MOUSEMOVE, 60, 50}, {WM_LBUTTONUP, 60, 50}, {WM_MOUSEMOVE, 160, 20}},
         L"a:hover a:move a:ldown a:setfocus a:leave a:move a:move a:hover a:move a:lup a:leave b:hover b:move"},
        {"released outside: the window under the mouse is hovered at the next move",
         {{WM_MOUSEMOVE, 50, 50}, {WM_LBUTTONDOWN, 50, 50}, {WM_MOUSEMOVE, 160, 20}, {WM_LBUTTONUP, 160, 20},
          {WM_MOUSEMOVE, 161, 20}},
         L"a:hover a:move a:ldown a:setfocus a:leave a:move a:lup b:hover b:move"},
        {"a disabled window gets nothing",
         {{WM_MOUSEMOVE, 30, 120}, {WM_LBUTTONDOWN, 30, 120}, {WM_MOUSEMOVE, 50, 50}},
         L"a:hover a:move"},
        {"a press where the mouse never moved hovers there first",
         {{WM_MOUSEMOVE, 50, 50}, {WM_RBUTTONDOWN, 160, 20}},
         L"a:hover a:move a:leave b:hover b:rdown"},
        {"a covered tracking window is hovered by position and not left while the mouse is inside",
         {{WM_MOUSEMOVE, 160, 110}, {WM_MOUSEMOVE, 220, 130}, {WM_MOUSEMOVE, 290, 190}},
         L"t:hover t:move u:hover u:move u:leave t:leave"},
        {"entering the covering window over the tracking one hovers both",
         {{WM_MOUSEMOVE, 290, 190}, {WM_MOUSEMOVE, 220, 130}, {WM_MOUSEMOVE, 160, 110}},
         L"u:hover u:move t:hover u:leave t:move"},
        {"leaving the host: hover, then non-client, then tracking windows leave",
         {{WM_MOUSEMOVE, 160, 110}, {WM_MOUSEMOVE, 220, 130}, {WM_MOUSELEAVE, 0, 0}},
         L"t:hover t:move u:hover u:move u:leave t:leave"},
        {"leaving the host from the margin",
         {{WM_MOUSEMOVE, 15, 50}, {WM_MOUSELEAVE, 0, 0}, {WM_MOUSEMOVE, 15, 50}},
         L"a:nchover a:hover a:ncmove a:leave a:ncleave a:nchover a:hover a:ncmove"},
        {"leaving the host while captured: only the capture leaves",
         {{WM_MOUSEMOVE, 50, 50}, {WM_LBUTTONDOWN, 50, 50}, {WM_MOUSELEAVE, 0, 0}, {WM_MOUSEMOVE, 160, 20}},
         L"a:hover a:move a:ldown a:setfocus a:leave a:move"},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        Rebuild();
        for (const Input& in : c.inputs)
            Route(in.msg, in.x, in.y);
        EXPECT_EQ(TakeLog(), c.log);
    }
}

TEST_F(SwndContainerTest, TheRootsHandledFlagSaysWhetherAWindowTookTheMessage)
{
    Route(WM_MOUSEMOVE, 50, 50);
    EXPECT_TRUE(m_host->IsMsgHandled());
    Route(WM_MOUSEMOVE, 30, 120);   // disabled
    EXPECT_FALSE(m_host->IsMsgHandled());
    Route(WM_LBUTTONDOWN, 30, 120);
    EXPECT_FALSE(m_host->IsMsgHandled());
    Route(WM_MBUTTONDOWN, 50, 50);   // a leaves its middle button to the map's end
    EXPECT_FALSE(m_host->IsMsgHandled());
    EXPECT_EQ(m_host->RouteHostMessage(WM_USER + 5, 0, 0), 0);
    EXPECT_FALSE(m_host->IsMsgHandled());
    EXPECT_EQ(m_host->RouteHostMessage(WM_SETFOCUS, 0, 0), 0);
    EXPECT_TRUE(m_host->IsMsgHandled());
}

TEST_F(SwndContainerTest, TheWheelGoesToTheCaptureTheFocusOrTheWindowUnderTheMouse)
{
    struct Case
    {
        const char* name;
        BOOL toHover;
        bool focusA;
        bool captureB;
        const wchar_t* log;
        BOOL handled;
    };
    const Case kCases[] = {
        {"to the focus", FALSE, true, false, L"a:wheel", TRUE},
        {"no focus: nobody", FALSE, false, false, L"", FALSE},
        {"to the window under the mouse", TRUE, true, false, L"c:hover c:wheel b:wheel", TRUE},
        {"to the capture above all", TRUE, true, true, L"b:wheel", TRUE},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        Rebuild();
        m_host->wheelToHover = c.toHover;
        if (c.focusA)
            m_host->SetFocus(Swnd(L"a"));
        if (c.captureB)
            m_host->SetCapture(Swnd(L"b"));
        TakeLog();
        Route(WM_MOUSEWHEEL, 180, 40, MAKEWPARAM(0, WHEEL_DELTA));
        EXPECT_EQ(TakeLog(), c.log);
        EXPECT_EQ(m_host->IsMsgHandled(), c.handled);
    }
}

TEST_F(SwndContainerTest, KeysGoToTheFocusAfterTheAccelerators)
{
    struct Accel : IAcceleratorTarget
    {
        BOOL OnAcceleratorPressed(const CAccelerator& acc) override
        {
            pressed.push_back(acc.GetAcc());
            return take;
        }
        std::vector<DWORD> pressed;
        BOOL take = TRUE;
    } accel;
    m_host->GetAcceleratorMgr()->RegisterAccelerator(CAccelerator(VK_F5, FALSE, FALSE, FALSE), &accel);
    m_host->GetAcceleratorMgr()->RegisterAccelerator(CAccelerator('A', FALSE, TRUE, FALSE), &accel);

    EXPECT_EQ(Key(WM_KEYDOWN, 'X'), 0);
    EXPECT_FALSE(m_host->IsMsgHandled()) << "no focus";
    m_host->SetFocus(Swnd(L"a"));
    EXPECT_EQ(TakeLog(), L"a:setfocus");
    Key(WM_KEYDOWN, 'X');
    Key(WM_CHAR, 'x');
    Key(WM_KEYUP, 'X');
    EXPECT_EQ(TakeLog(), L"a:keydown a:char a:keyup");
    EXPECT_EQ(Key(WM_KEYDOWN, VK_F5), TRUE);
    EXPECT_EQ(TakeLog(), L"") << "the accelerator took F5";
    EXPECT_EQ(accel.pressed, std::vector<DWORD>{VK_F5});

    // Alt+a reaches the accelerators as 'A', once per press; refused, the
    // focused window gets the capital.
    auto alt = std::make_unique<HeldKeys>(FALSE, FALSE, TRUE);
    accel.pressed.clear();
    Key(WM_SYSKEYDOWN, 'A');
    EXPECT_EQ(Key(WM_SYSCHAR, 'a'), TRUE);
    Key(WM_SYSKEYUP, 'A');
    EXPECT_EQ(accel.pressed, std::vector<DWORD>{0x10041});
    EXPECT_EQ(TakeLog(), L"");
    accel.take = FALSE;
    LogWnd::takes = {WM_SYSCHAR};
    EXPECT_EQ(Key(WM_SYSCHAR, 'a'), TRUE);
    EXPECT_EQ(TakeLog(), L"a:syschar");
    alt.reset();
    m_host->GetAcceleratorMgr()->UnregisterAccelerators(&accel);
}

TEST_F(SwndContainerTest, AltLettersReachTheFocusedWindowAsCapitals)
{
    UINT got = 0;
    LogWnd::hook = [&](LogWnd*, UINT msg, WPARAM wp) {
        if (msg == WM_CHAR)
            got = static_cast<UINT>(wp);
    };
    m_host->SetFocus(Swnd(L"b"));
    {
        HeldKeys alt(FALSE, FALSE, TRUE);
        Key(WM_CHAR, 'q');
        EXPECT_EQ(got, static_cast<UINT>('Q'));
    }
    Key(WM_CHAR, 'q');
    EXPECT_EQ(got, static_cast<UINT>('q'));
}

TEST_F(SwndContainerTest, TabMovesTheFocusThroughTheTree)
{
    Key(WM_KEYDOWN, VK_TAB);
    EXPECT_EQ(m_host->GetFocus(), Swnd(L"a"));
    Key(WM_KEYDOWN, VK_TAB);
    EXPECT_EQ(m_host->GetFocus(), Swnd(L"b"));
    Key(WM_KEYDOWN, VK_TAB);
    EXPECT_EQ(m_host->GetFocus(), Swnd(L"a")) << "wraps";
    EXPECT_EQ(TakeLog(), L"a:setfocus a:killfocus b:setfocus b:killfocus a:setfocus");
}

TEST_F(SwndContainerTest, FocusIsKeptWhileTheHostIsInactive)
{
    m_host->SetFocus(Swnd(L"b"));
    TakeLog();
    m_host->RouteHostMessage(WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ(m_host->GetFocus(), 0u);
    m_host->RouteHostMessage(WM_ACTIVATE, WA_CLICKACTIVE, 0);
    EXPECT_EQ(m_host->GetFocus(), 0u) << "a click activation restores through WM_SETFOCUS";
    m_host->RouteHostMessage(WM_SETFOCUS, 0, 0);
    EXPECT_EQ(m_host->GetFocus(), Swnd(L"b"));
    m_host->RouteHostMessage(WM_KILLFOCUS, 0, 0);
    m_host->RouteHostMessage(WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(m_host->GetFocus(), Swnd(L"b"));
    EXPECT_EQ(TakeLog(), L"b:killfocus b:setfocus b:killfocus b:setfocus");
}

TEST_F(SwndContainerTest, ActivatingTheApplicationReachesEveryWindowInTreeOrder)
{
    m_host->RouteHostMessage(WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_EQ(TakeLog(), L"a:activateapp b:activateapp c:activateapp d:activateapp t:activateapp u:activateapp");
}

TEST_F(SwndContainerTest, TheCursorComesFromTheCaptureOrTheHoverWindow)
{
    W(L"b")->SetAttribute(L"cursor", L"hand", FALSE);
    HCURSOR hand = ::LoadCursorW(nullptr, IDC_HAND);
    HCURSOR arrow = ::LoadCursorW(nullptr, IDC_ARROW);
    Route(WM_MOUSEMOVE, 160, 20);
    EXPECT_EQ(Route(WM_SETCURSOR, 160, 20), TRUE);
    EXPECT_EQ(::GetCursor(), hand);
    Route(WM_MOUSEMOVE, 30, 120);   // disabled: nobody sets a cursor but the host
    ::SetCursor(hand);
    EXPECT_EQ(Route(WM_SETCURSOR, 30, 120), 0);
    EXPECT_EQ(::GetCursor(), arrow);
    m_host->SetCapture(Swnd(L"b"));
    EXPECT_EQ(Route(WM_SETCURSOR, 30, 120), TRUE);
    EXPECT_EQ(::GetCursor(), hand);
}

TEST_F(SwndContainerTest, CaptureIsRefusedToDisabledAndMissingWindows)
{
    EXPECT_EQ(m_host->SetCapture(Swnd(L"a")), 0u);
    EXPECT_EQ(m_host->SetCapture(Swnd(L"d")), 0u);
    EXPECT_EQ(m_host->GetCapture(), Swnd(L"a"));
    EXPECT_EQ(m_host->SetCapture(0x7FFFFFF0), 0u);
    EXPECT_EQ(m_host->GetCapture(), Swnd(L"a"));
    EXPECT_EQ(m_host->SetCapture(Swnd(L"b")), Swnd(L"a"));
    EXPECT_TRUE(m_host->ReleaseCapture());
    EXPECT_EQ(m_host->GetCapture(), 0u);
}

TEST_F(SwndContainerTest, AHiddenOrDestroyedCaptureGivesTheMouseBack)
{
    for (bool destroy : {false, true}) {
        SCOPED_TRACE(destroy ? "destroyed" : "hidden");
        Rebuild();
        Route(WM_MOUSEMOVE, 50, 50);
        Route(WM_LBUTTONDOWN, 50, 50);
        ASSERT_EQ(m_host->GetCapture(), Swnd(L"a"));
        if (destroy)
            W(L"a")->Destroy();
        else
            W(L"a")->SetVisible(FALSE);
        TakeLog();
        Route(WM_MOUSEMOVE, 160, 20);
        Route(WM_LBUTTONUP, 160, 20);
        EXPECT_EQ(m_host->GetCapture(), 0u);
        EXPECT_EQ(TakeLog(), destroy ? L"b:hover b:move b:lup" : L"a:leave b:hover b:move b:lup");
    }
}

TEST_F(SwndContainerTest, HandlersThatDestroyWindowsLeaveInputWorking)
{
    struct Case
    {
        const char* name;
        const wchar_t* owner;    // whose handler destroys
        UINT on;                 // on which message
        const wchar_t* victim;   // what it destroys
        std::vector<Input> inputs;
        const wchar_t* log;
    };
    const Case kCases[] = {
        {"its own window on hover", L"a", WM_MOUSEHOVER, L"a",
         {{WM_MOUSEMOVE, 50, 50}, {WM_MOUSEMOVE, 160, 20}, {WM_MOUSEMOVE, 50, 50}},
         L"a:hover b:hover b:move b:leave"},
        {"its parent on a move", L"c", WM_MOUSEMOVE, L"b",
         {{WM_MOUSEMOVE, 180, 40}, {WM_MOUSEMOVE, 181, 40}, {WM_MOUSEMOVE, 50, 50}},
         L"c:hover c:move a:hover a:move"},
        {"the next hover window while leaving", L"a", WM_MOUSELEAVE, L"b",
         {{WM_MOUSEMOVE, 50, 50}, {WM_MOUSEMOVE, 160, 20}, {WM_MOUSEMOVE, 50, 50}},
         L"a:hover a:move a:leave a:hover a:move"},
        {"its own window on a press, holding the capture", L"a", WM_LBUTTONDOWN, L"a",
         {{WM_MOUSEMOVE, 50, 50}, {WM_LBUTTONDOWN, 50, 50}, {WM_MOUSEMOVE, 160, 20}, {WM_LBUTTONUP, 160, 20}},
         L"a:hover a:move a:ldown b:hover b:move b:lup"},
        {"a tracking window on its hover", L"t", WM_MOUSEHOVER, L"t",
         {{WM_MOUSEMOVE, 290, 190}, {WM_MOUSEMOVE, 220, 130}, {WM_MOUSEMOVE, 290, 190}},
         L"u:hover u:move t:hover u:leave"},
        {"the focused window on a key", L"a", WM_KEYDOWN, L"a",
         {{WM_KEYDOWN, 0, 0}, {WM_KEYDOWN, 0, 0}, {WM_MOUSEMOVE, 160, 20}},
         L"a:keydown a:killfocus b:hover b:move"},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        Rebuild();
        if (c.on == WM_KEYDOWN)
            m_host->SetFocus(Swnd(L"a"));
        TakeLog();
        const std::wstring owner = c.owner, victim = c.victim;
        const UINT on = c.on;
        SWindow* host = m_host;
        LogWnd::hook = [=](LogWnd* self, UINT msg, WPARAM) {
            if (msg == on && owner == self->GetName())
                if (SWindow* v = host->FindChildByName(victim.c_str()))
                    v->Destroy();
        };
        for (const Input& in : c.inputs) {
            if (in.msg == WM_KEYDOWN)
                Key(WM_KEYDOWN, 'K');
            else
                Route(in.msg, in.x, in.y);
        }
        LogWnd::hook = nullptr;
        EXPECT_EQ(TakeLog(), c.log);
        EXPECT_EQ(m_host->FindChildByName(c.victim), nullptr);
        EXPECT_EQ(m_host->GetFocus(), 0u);
    }
}

TEST_F(SwndContainerTest, TimelineHandlersTickInOrderAndMayUnregisterDuringTheTick)
{
    struct Handler : ITimelineHandler
    {
        Handler(std::vector<char>* t, char n) : ticks(t), name(n) {}
        void OnTimelineTick() override
        {
            ticks->push_back(name);
            if (onTick)
                onTick();
        }
        std::vector<char>* ticks;
        char name;
        std::function<void()> onTick;
    };
    std::vector<char> ticks;
    Handler a{&ticks, 'a'}, b{&ticks, 'b'}, c{&ticks, 'c'};
    EXPECT_TRUE(m_host->RegisterTimelineHandler(&a));
    EXPECT_TRUE(m_host->RegisterTimelineHandler(&b));
    EXPECT_TRUE(m_host->RegisterTimelineHandler(&c));
    EXPECT_FALSE(m_host->RegisterTimelineHandler(&b));
    m_host->OnTimelineTick();
    EXPECT_EQ(std::string(ticks.begin(), ticks.end()), "abc");

    a.onTick = [&] { m_host->UnregisterTimelineHandler(&a); };
    b.onTick = [&] { m_host->UnregisterTimelineHandler(&c); };
    ticks.clear();
    m_host->OnTimelineTick();
    EXPECT_EQ(std::string(ticks.begin(), ticks.end()), "ab") << "c was gone before its turn";
    ticks.clear();
    m_host->OnTimelineTick();
    EXPECT_EQ(std::string(ticks.begin(), ticks.end()), "b");
    EXPECT_FALSE(m_host->UnregisterTimelineHandler(&a));

    ticks.clear();
    m_host->SetVisible(FALSE);
    m_host->OnTimelineTick();
    EXPECT_TRUE(ticks.empty()) << "a hidden root does not tick";
    EXPECT_TRUE(m_host->UnregisterTimelineHandler(&b));
}

TEST_F(SwndContainerTest, TrackingRegistrationsAreKeptOnceAndDroppedWithTheirWindow)
{
    EXPECT_FALSE(m_host->RegisterTrackMouseEvent(Swnd(L"t"))) << "registered by its style";
    EXPECT_TRUE(m_host->RegisterTrackMouseEvent(Swnd(L"a")));
    EXPECT_TRUE(m_host->UnregisterTrackMouseEvent(Swnd(L"a")));
    EXPECT_FALSE(m_host->UnregisterTrackMouseEvent(Swnd(L"a")));
    const SWND t = Swnd(L"t");
    W(L"t")->Destroy();
    Route(WM_MOUSEMOVE, 160, 110);
    EXPECT_FALSE(m_host->UnregisterTrackMouseEvent(t)) << "a move dropped the dead window";
}

TEST_F(SwndContainerTest, PaintOrderIsTreeOrder)
{
    m_host->UpdateZorder();
    const wchar_t* order[] = {L"a", L"b", L"c", L"d", L"t", L"u"};
    EXPECT_EQ(m_host->GetZorder(), 0);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(W(order[i])->GetZorder(), i + 1) << order[i];
    W(L"a")->BringToTop();
    m_host->UpdateZorder();
    EXPECT_EQ(W(L"a")->GetZorder(), 6);
    EXPECT_EQ(W(L"b")->GetZorder(), 1);
}

TEST_F(SwndContainerTest, AnEmptyTreeRoutesToTheRootAlone)
{
    m_host->Destroy();
    m_host = new TestSwndContainer();
    m_host->OnRectChanged(RECT{0, 0, 100, 100});
    Route(WM_MOUSEMOVE, 10, 10);
    EXPECT_EQ(m_host->GetHover(), m_host->GetSwnd());
    Route(WM_MOUSEMOVE, 500, 10);
    EXPECT_EQ(m_host->GetHover(), 0u);
    Route(WM_LBUTTONDOWN, 500, 10);
    EXPECT_FALSE(m_host->IsMsgHandled());
    Key(WM_KEYDOWN, VK_TAB);
    EXPECT_EQ(m_host->GetFocus(), 0u);
    m_host->RouteHostMessage(WM_MOUSELEAVE, 0, 0);
    m_host->UpdateZorder();
    EXPECT_EQ(m_host->GetHover(), 0u);
}

TEST_F(SwndContainerTest, TheContainerIsTheRootOfItsTree)
{
    EXPECT_STREQ(m_host->GetClassTag(), L"SwndContainerImpl");
    EXPECT_TRUE(m_host->IsKindOf(L"SwndContainerImpl"));
    EXPECT_TRUE(m_host->IsKindOf(L"window"));
    EXPECT_FALSE(m_host->IsKindOf(L"hostwnd"));
    EXPECT_EQ(W(L"c")->GetContainer(), static_cast<ISwndContainer*>(m_host));
    EXPECT_EQ(m_host->GetContainer(), static_cast<ISwndContainer*>(m_host));
}

namespace {

class SwndContainerNativeTest : public nativetest::NativeWindowTest
{
protected:
    HWND Popup(DWORD exStyle)
    {
        HWND hwnd = ::CreateWindowExW(exStyle, nativetest::kClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100,
                                      nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        EXPECT_NE(hwnd, nullptr);
        m_windows.push_back(hwnd);
        return hwnd;
    }

    void TearDown() override
    {
        for (HWND hwnd : m_windows)
            ::DestroyWindow(hwnd);
    }

    WindowEnv m_env;
    std::vector<HWND> m_windows;
};

} // namespace

// The host window takes the system's focus with the first window focused in
// it, unless it is a tool window (popups that must not steal the keyboard).
TEST_F(SwndContainerNativeTest, FocusingAWindowFocusesTheHostUnlessItIsAToolWindow)
{
    m_env.Registry().TplRegisterFactory<LogWnd>();
    for (DWORD exStyle : {0UL, static_cast<unsigned long>(WS_EX_TOOLWINDOW)}) {
        SCOPED_TRACE(exStyle ? "tool window" : "ordinary");
        auto* host = new TestSwndContainer();
        host->hwnd = Popup(exStyle);
        host->CreateChildrenFromXmlText(L"<root><logwnd name=\"f\" pos=\"0,0,@10,@10\" focusable=\"1\"/></root>");
        HWND other = Popup(0);
        ::SetFocus(other);
        ASSERT_EQ(::GetFocus(), other);
        host->SetFocus(host->FindChildByName(L"f")->GetSwnd());
        EXPECT_EQ(host->GetFocus(), host->FindChildByName(L"f")->GetSwnd());
        EXPECT_EQ(::GetFocus(), exStyle ? other : host->hwnd);
        host->Destroy();
    }
}

// A host released without being destroyed first still takes its windows
// down, without calling its own (already gone) host part.
TEST_F(SwndContainerNativeTest, ReleasingTheContainerDestroysTheRemainingWindows)
{
    m_env.Registry().TplRegisterFactory<LogWnd>();
    auto* host = new TestSwndContainer();
    host->CreateChildrenFromXmlText(L"<root><logwnd name=\"p\"><logwnd name=\"q\"/></logwnd></root>");
    const SWND p = host->FindChildByName(L"p")->GetSwnd();
    const SWND q = host->FindChildByName(L"q")->GetSwnd();
    host->SetFocus(q);
    host->Release();
    EXPECT_EQ(SWindowMgr::GetInstance()->GetWindow(p), nullptr);
    EXPECT_EQ(SWindowMgr::GetInstance()->GetWindow(q), nullptr);
}
