// Window input: what a window does with the mouse, focus, wheel, timer and
// tooltip messages its host routes to it, and that handlers may destroy
// windows while this goes on.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "InputTestHost.h"
#include "PaintHost.h"
#include "dui/core/HostGeometry.h"
#include "dui/core/SPaintObjects.h"
#include "dui/core/STimer2.h"
#include "tests/support/MessagePump.h"

using namespace DUI;
using namespace wndtest;

namespace {

using Log = std::vector<std::wstring>;

// root (0,0)-(300,200): a (10,10)-(100,100) focusable; b (150,10)-(250,100)
// with a margin of 5 and a child c over the whole of it; t (10,120)-(100,190)
// with a message-transparent child.
class WindowInputTest : public testing::Test
{
protected:
    void SetUp() override
    {
        InputLog().clear();
        Build();
    }
    void TearDown() override { root->SetContainer(nullptr); }

    // A fresh tree and host; the old root stays with the environment.
    void Rebuild()
    {
        root->SetContainer(nullptr);
        hostPtr.reset();
        Build();
    }
    void Build()
    {
        root = env.NewRoot();
        hostPtr = std::make_unique<InputHost>(root);
        root->Move(&kRoot);
        a = Add(root, L"a", RECT{10, 10, 100, 100}, TRUE);
        b = Add(root, L"b", RECT{150, 10, 250, 100});
        b->GetStyle().SetAttribute(L"margin", L"5", FALSE);
        c = Add(b, L"c", RECT{150, 10, 250, 100});
        t = Add(root, L"t", RECT{10, 120, 100, 190});
        glass = Add(t, L"glass", RECT{10, 120, 100, 190});
        glass->SetAttribute(L"msgTransparent", L"1", FALSE);
    }

    RecWnd* Add(SWindow* parent, const wchar_t* name, const RECT& rc, BOOL focusable = FALSE)
    {
        auto* w = new RecWnd(name, focusable);
        parent->InsertChild(w);
        w->Move(&rc);
        return w;
    }
    std::wstring NameOf(SWND swnd) const
    {
        SWindow* w = SWindowMgr::GetInstance()->GetWindow(swnd);
        return w ? std::wstring(w->GetName()) : L"-";
    }

    static constexpr RECT kRoot = {0, 0, 300, 200};
    WindowEnv env;
    SWindow* root = nullptr;
    std::unique_ptr<InputHost> hostPtr;
    InputHost& host() { return *hostPtr; }

public:
    RecWnd *a = nullptr, *b = nullptr, *c = nullptr, *t = nullptr, *glass = nullptr;
};

TEST_F(WindowInputTest, HitTesting)
{
    struct Case { const char* name; POINT pt; const wchar_t* hit; };
    const Case cases[] = {
        {"inside a", {50, 50}, L"a"},
        {"a's edge belongs to a", {10, 10}, L"a"},
        {"a's far edge is outside", {100, 50}, L"root"},
        {"margin of b is b's, never c's", {152, 50}, L"b"},
        {"client of b is c", {200, 50}, L"c"},
        {"transparent child: its parent", {50, 150}, L"t"},
        {"between windows", {120, 50}, L"root"},
        {"outside the root", {400, 50}, L"-"},
    };
    root->SetName(L"root");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(NameOf(root->HitTestSwnd(c.pt)), c.hit);
    }
    EXPECT_TRUE(b->IsPointOutsideClient(POINT{152, 50}));
    EXPECT_FALSE(b->IsPointOutsideClient(POINT{200, 50}));
    EXPECT_TRUE(b->ContainsPoint(POINT{152, 50}, FALSE));
    EXPECT_FALSE(b->ContainsPoint(POINT{152, 50}, TRUE));
    // Hidden children are passed over; a later sibling lies on top.
    c->SetVisible(FALSE);
    EXPECT_EQ(NameOf(root->HitTestSwnd(POINT{200, 50})), L"b");
    RecWnd* top = Add(root, L"top", RECT{40, 40, 60, 60});
    EXPECT_EQ(NameOf(root->HitTestSwnd(POINT{50, 50})), L"top");
    top->Destroy();
}

class ShapedWnd : public RecWnd
{
public:
    ShapedWnd(const RECT& shape) : RecWnd(L"shaped") { m_shapeRegion = NewPaintRegion(shape); }
};

TEST_F(WindowInputTest, ShapedWindowIsHitWhereItsRegionIs)
{
    RenderFactoryScope render;
    ASSERT_TRUE(render.Loaded());
    // Rectangle (200,120)-(220,140); the region, relative to it, reaches
    // 30 pixels further right and leaves out its own top-left corner.
    auto* shaped = new ShapedWnd(RECT{5, 5, 50, 20});
    root->InsertChild(shaped);
    const RECT rc = {200, 120, 220, 140};
    shaped->Move(&rc);
    root->SetName(L"root");
    EXPECT_EQ(NameOf(root->HitTestSwnd(POINT{202, 122})), L"root");
    EXPECT_EQ(NameOf(root->HitTestSwnd(POINT{210, 130})), L"shaped");
    EXPECT_EQ(NameOf(root->HitTestSwnd(POINT{240, 130})), L"shaped");
    EXPECT_EQ(NameOf(root->HitTestSwnd(POINT{260, 130})), L"root");
    shaped->Destroy();  // its region belongs to the render library
}

TEST_F(WindowInputTest, MouseSequences)
{
    struct Step { UINT msg; int x, y; };
    struct Case
    {
        const char* name;
        std::vector<Step> steps;
        Log log;
    };
    const Case cases[] = {
        {"click",
         {{WM_MOUSEMOVE, 50, 50}, {WM_LBUTTONDOWN, 50, 50}, {WM_LBUTTONUP, 50, 50}},
         {L"a:hover", L"a:on_mouse_hover", L"a:move", L"a:ldown", L"a:setfocus", L"a:on_set_focus",
          L"a:on_mouse_lbutton_down", L"a:lup", L"a:on_mouse_lbutton_up", L"a:on_command"}},
        {"pressed, out and released outside",
         {{WM_MOUSEMOVE, 50, 50}, {WM_LBUTTONDOWN, 50, 50}, {WM_MOUSEMOVE, 120, 50}, {WM_LBUTTONUP, 120, 50}},
         {L"a:hover", L"a:on_mouse_hover", L"a:move", L"a:ldown", L"a:setfocus", L"a:on_set_focus",
          L"a:on_mouse_lbutton_down", L"a:leave", L"a:on_mouse_leave", L"a:move", L"a:lup"}},
        {"pressed, out, back in and released",
         {{WM_MOUSEMOVE, 50, 50}, {WM_LBUTTONDOWN, 50, 50}, {WM_MOUSEMOVE, 120, 50}, {WM_MOUSEMOVE, 60, 50},
          {WM_LBUTTONUP, 60, 50}},
         {L"a:hover", L"a:on_mouse_hover", L"a:move", L"a:ldown", L"a:setfocus", L"a:on_set_focus",
          L"a:on_mouse_lbutton_down", L"a:leave", L"a:on_mouse_leave", L"a:move", L"a:hover",
          L"a:on_mouse_hover", L"a:move", L"a:lup", L"a:on_mouse_lbutton_up", L"a:on_command"}},
        {"from a to c",
         {{WM_MOUSEMOVE, 50, 50}, {WM_MOUSEMOVE, 200, 50}},
         {L"a:hover", L"a:on_mouse_hover", L"a:move", L"a:leave", L"a:on_mouse_leave", L"c:hover",
          L"c:on_mouse_hover", L"c:move"}},
        {"unfocusable window: no focus, still a command",
         {{WM_LBUTTONDOWN, 200, 50}, {WM_LBUTTONUP, 200, 50}},
         {L"c:ldown", L"c:on_mouse_lbutton_down", L"c:lup", L"c:on_mouse_lbutton_up", L"c:on_command"}},
        {"release without a press",
         {{WM_LBUTTONUP, 200, 50}},
         {L"c:lup"}},
        {"right button",
         {{WM_RBUTTONDOWN, 200, 50}, {WM_RBUTTONUP, 200, 50}},
         {L"c:rdown", L"c:rup", L"c:on_conext_menu"}},
        {"wheel climbs to the root",
         {{WM_MOUSEWHEEL, 200, 50}},
         {L"c:wheel", L"b:wheel"}},
    };
    for (const Case& cs : cases) {
        SCOPED_TRACE(cs.name);
        host().focus.ClearFocus();
        host().Mouse(WM_MOUSEMOVE, 290, 190);
        InputLog().clear();
        for (const Step& s : cs.steps)
            host().Mouse(s.msg, s.x, s.y);
        EXPECT_EQ(InputLog(), cs.log);
        EXPECT_EQ(host().capture, 0u);
        EXPECT_EQ(a->GetState() & WndState_PushDown, 0u);
        EXPECT_EQ(c->GetState() & WndState_PushDown, 0u);
    }
}

TEST_F(WindowInputTest, PressedAndHoverStateFollowTheMouse)
{
    host().Mouse(WM_MOUSEMOVE, 50, 50);
    EXPECT_EQ(a->GetState() & (WndState_Hover | WndState_PushDown), WndState_Hover);
    host().Mouse(WM_LBUTTONDOWN, 50, 50);
    EXPECT_EQ(host().capture, a->GetSwnd());
    EXPECT_EQ(a->GetCapture(), a->GetSwnd());
    EXPECT_EQ(a->GetState() & (WndState_Hover | WndState_PushDown), WndState_Hover | WndState_PushDown);
    host().Mouse(WM_MOUSEMOVE, 120, 50);
    EXPECT_EQ(a->GetState() & (WndState_Hover | WndState_PushDown), 0u);
    host().Mouse(WM_MOUSEMOVE, 50, 50);
    EXPECT_EQ(a->GetState() & (WndState_Hover | WndState_PushDown), WndState_Hover | WndState_PushDown);
    host().Mouse(WM_LBUTTONUP, 50, 50);
    EXPECT_EQ(a->GetState() & (WndState_Hover | WndState_PushDown), WndState_Hover);
    EXPECT_TRUE(a->IsFocused());
}

TEST_F(WindowInputTest, CommandWithoutIdOrNameAndContextMenuCancel)
{
    RecWnd* anon = Add(root, L"", RECT{260, 10, 290, 40});
    int commands = 0;
    anon->SubscribeEvent(EventCmd::EventID, StdFunctionSlot([&](EventArgs* e) {
                             EXPECT_EQ(e->sender, anon);
                             ++commands;
                             e->bubbleUp = FALSE;
                             return true;
                         }));
    host().Click(270, 20);
    EXPECT_EQ(commands, 1);
    EXPECT_TRUE(anon->FireCommand());

    EXPECT_FALSE(anon->FireCtxMenu(POINT{1, 2}));
    anon->SubscribeEvent(EventCtxMenu::EventID, StdFunctionSlot([](EventArgs* e) {
                             auto* menu = static_cast<EventCtxMenu*>(e);
                             menu->bCancel = menu->pt.x == 1 && menu->pt.y == 2;
                             return true;
                         }));
    EXPECT_TRUE(anon->FireCtxMenu(POINT{1, 2}));
}

// A handler clears the handled flag: the map answers "not handled" and the
// window's fallback gives the result; a nested delivery keeps its own
// record and flag.
class PassingWnd : public RecWnd
{
public:
    PassingWnd() : RecWnd(L"passing", TRUE) {}
    LRESULT OnUnhandledMessage(UINT msg, WPARAM, LPARAM) override { return msg == WM_SETFOCUS ? 42 : 0; }

protected:
    void OnSetFocus(SWND old) override
    {
        const SwndMsg* outer = GetCurMsg();
        BOOL innerHandled = FALSE;
        DeliverSwndMessage(WM_MOUSEMOVE, 1, 2, &innerHandled);
        nestedOk = innerHandled && GetCurMsg() == outer && outer->msg == WM_SETFOCUS && IsMsgHandled();
        RecWnd::OnSetFocus(old);
        SetMsgHandled(FALSE);
    }

public:
    bool nestedOk = false;
};

TEST_F(WindowInputTest, HandledFlagAndNestedDeliveries)
{
    auto* w = new PassingWnd();
    root->InsertChild(w);
    BOOL handled = TRUE;
    EXPECT_EQ(w->DeliverSwndMessage(WM_SETFOCUS, 0, 0, &handled), 42);
    EXPECT_FALSE(handled);
    EXPECT_TRUE(w->nestedOk);
    EXPECT_EQ(w->GetCurMsg(), nullptr);
    EXPECT_EQ(w->DeliverSwndMessage(WM_RBUTTONDOWN, 0, 0, &handled), 0);
    EXPECT_TRUE(handled);
    EXPECT_EQ(w->DeliverSwndMessage(WM_USER + 7, 0, 0, &handled), 0);
    EXPECT_FALSE(handled);
}

TEST_F(WindowInputTest, FocusFromTheWindowSide)
{
    a->SetFocus();
    EXPECT_TRUE(a->IsFocused());
    // Invisible: nothing changes. Disabled and focusable: nothing changes.
    RecWnd* hidden = Add(root, L"hidden", RECT{}, TRUE);
    hidden->SetVisible(FALSE);
    hidden->SetFocus();
    EXPECT_TRUE(a->IsFocused());
    RecWnd* off = Add(root, L"off", RECT{}, TRUE);
    off->EnableWindow(FALSE);
    off->SetFocus();
    EXPECT_TRUE(a->IsFocused());
    // Unfocusable: asked for, refused, and the old focus is gone.
    c->SetFocus();
    EXPECT_EQ(host().GetFocus(), 0u);
    a->SetFocus();
    c->KillFocus();
    EXPECT_TRUE(a->IsFocused());
    a->KillFocus();
    EXPECT_EQ(host().GetFocus(), 0u);
    // Disabling or hiding the focused window takes the focus away.
    a->SetFocus();
    a->EnableWindow(FALSE);
    EXPECT_EQ(host().GetFocus(), 0u);
}

TEST_F(WindowInputTest, CaptureIsDroppedWhenItsHolderIsHiddenOrDestroyed)
{
    struct Case
    {
        const char* name;
        std::function<void(RecWnd*)> act;
    };
    const Case cases[] = {
        {"hidden", [](RecWnd* w) { w->SetVisible(FALSE); }},
        {"parent hidden", [](RecWnd* w) { w->GetParent()->SetVisible(FALSE); }},
        {"destroyed", [](RecWnd* w) { w->Destroy(); }},
        {"parent destroyed", [](RecWnd* w) { w->GetParent()->Destroy(); }},
    };
    for (const Case& cs : cases) {
        SCOPED_TRACE(cs.name);
        RecWnd* panel = Add(root, L"panel", RECT{0, 0, 300, 200});
        const SWND panelSwnd = panel->GetSwnd();
        RecWnd* holder = Add(panel, L"holder", RECT{0, 0, 300, 200}, TRUE);
        host().Mouse(WM_LBUTTONDOWN, 20, 20);
        ASSERT_EQ(host().capture, holder->GetSwnd());
        ASSERT_TRUE(holder->IsFocused());
        cs.act(holder);
        EXPECT_EQ(host().capture, 0u);
        EXPECT_EQ(host().GetFocus(), 0u);
        host().Mouse(WM_LBUTTONUP, 20, 20);
        if (SWindow* left = SWindowMgr::GetInstance()->GetWindow(panelSwnd))
            left->Destroy();
    }
    // Input goes on as before.
    InputLog().clear();
    host().Click(200, 50);
    EXPECT_EQ(InputLog().back(), L"c:on_command");
}

TEST_F(WindowInputTest, HandlersThatDestroyWindowsDuringInput)
{
    using Pick = RecWnd* WindowInputTest::*;
    struct Case
    {
        const char* name;
        Pick source;  // whose handler destroys
        int event;
        std::function<SWindow*(WindowInputTest&)> victim;
    };
    const auto own = [](WindowInputTest& f) -> SWindow* { return f.a; };
    const Case cases[] = {
        {"own window on command", &WindowInputTest::a, EventCmd::EventID, own},
        {"own window on button up", &WindowInputTest::a, EventLButtonUp::EventID, own},
        {"own window on button down", &WindowInputTest::a, EventLButtonDown::EventID, own},
        {"own window on focus", &WindowInputTest::a, EventSetFocus::EventID, own},
        {"own window on hover", &WindowInputTest::a, EventSwndMouseHover::EventID, own},
        {"parent on button down", &WindowInputTest::c, EventLButtonDown::EventID,
         [](WindowInputTest& f) -> SWindow* { return f.b; }},
        {"window about to be under the mouse, on leave", &WindowInputTest::a, EventSwndMouseLeave::EventID,
         [](WindowInputTest& f) -> SWindow* { return f.c; }},
    };
    for (const Case& cs : cases) {
        SCOPED_TRACE(cs.name);
        Rebuild();
        SWindow* victim = cs.victim(*this);
        const SWND victimSwnd = victim->GetSwnd();
        (this->*cs.source)->SubscribeEvent(cs.event, StdFunctionSlot([victimSwnd](EventArgs*) {
                                               if (SWindow* v = SWindowMgr::GetInstance()->GetWindow(victimSwnd))
                                                   v->Destroy();
                                               return false;
                                           }));
        host().Click(50, 50);
        host().Mouse(WM_MOUSEMOVE, 200, 50);
        host().Click(200, 50);
        host().Mouse(WM_MOUSEMOVE, 50, 50);
        EXPECT_EQ(SWindowMgr::GetInstance()->GetWindow(victimSwnd), nullptr);
        EXPECT_NE(host().capture, victimSwnd);
        EXPECT_NE(host().GetFocus(), victimSwnd);
        // Whatever was destroyed, input goes on.
        RecWnd* late = Add(root, L"late", RECT{260, 150, 290, 190}, TRUE);
        InputLog().clear();
        host().Click(270, 170);
        EXPECT_EQ(InputLog().back(), L"late:on_command");
        EXPECT_TRUE(late->IsFocused());
        EXPECT_EQ(host().capture, 0u);
    }
}

TEST_F(WindowInputTest, BroadcastInTreeOrderSurvivesDestruction)
{
    b->reactions[WM_ACTIVATEAPP] = [&](WPARAM, LPARAM) { t->Destroy(); };
    root->BroadcastMessage(WM_ACTIVATEAPP, 1, 0);
    EXPECT_EQ(InputLog(), (Log{L"a:activateapp", L"b:activateapp", L"c:activateapp"}));
}

TEST_F(WindowInputTest, TrackingRegistrationOnCreate)
{
    a->SetAttribute(L"trackMouseEvent", L"1", TRUE);
    a->DeliverSwndMessage(WM_CREATE);
    EXPECT_EQ(host().tracked, std::vector<SWND>{a->GetSwnd()});
    a->SetAttribute(L"trackMouseEvent", L"0", TRUE);
    a->DeliverSwndMessage(WM_CREATE);
    EXPECT_TRUE(host().tracked.empty());
}

TEST_F(WindowInputTest, CursorOfTheStyle)
{
    EXPECT_TRUE(a->OnSetCursor(POINT{50, 50}));
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_ARROW));
    a->GetStyle().SetAttribute(L"cursor", L"hand", FALSE);
    EXPECT_TRUE(a->OnSetCursor(POINT{50, 50}));
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_HAND));
}

TEST_F(WindowInputTest, Tooltips)
{
    SwndToolTipInfo info;
    EXPECT_FALSE(a->OnUpdateToolTip(SwndToolTipKey{}, info));
    EXPECT_EQ(info.swnd, a->GetSwnd());
    const RECT rcA = a->GetWindowRect();
    EXPECT_TRUE(::EqualRect(&info.rcTarget, &rcA));

    a->SetToolTipText(L"tip of a");
    EXPECT_EQ(host().tooltipUpdates, 0);
    host().Mouse(WM_MOUSEMOVE, 50, 50);
    a->SetToolTipText(L"tip of a");
    EXPECT_EQ(host().tooltipUpdates, 1);
    EXPECT_TRUE(a->OnUpdateToolTip(SwndToolTipKey{}, info));
    EXPECT_STREQ(info.strTip.c_str(), L"tip of a");

    // A subscriber that sets the text decides, an empty text included.
    SStringW given = L"from the handler";
    a->SubscribeEvent(EventSwndUpdateTooltip::EventID, StdFunctionSlot([&](EventArgs* e) {
                          auto* tip = static_cast<EventSwndUpdateTooltip*>(e);
                          tip->strToolTip = given;
                          tip->bUpdated = TRUE;
                          return true;
                      }));
    EXPECT_TRUE(a->OnUpdateToolTip(SwndToolTipKey{}, info));
    EXPECT_STREQ(info.strTip.c_str(), L"from the handler");
    given = L"";
    EXPECT_FALSE(a->OnUpdateToolTip(SwndToolTipKey{}, info));
}

// Pumps this thread's messages, showing each to `seen` first, until `done`
// or ten seconds have passed.
template <class Seen, class Done>
bool PumpUntil(Seen seen, Done done)
{
    return testsupport::PumpUntil(done, 10000, [&](MSG& msg) {
        seen(msg);
        ::DispatchMessageW(&msg);
        return true;
    });
}

class TimerHost : public InputHost
{
public:
    explicit TimerHost(SWindow* root) : InputHost(root)
    {
        hwnd = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    }
    ~TimerHost() override { ::DestroyWindow(hwnd); }
    HWND GetHostHwnd() override { return hwnd; }
    HWND hwnd = nullptr;
};

TEST(WindowTimerTest, HostAndGeneratorTimersTick)
{
    InputLog().clear();
    WindowEnv env;
    STimer2 timers;
    SWindow* root = env.NewRoot();
    {
        auto* w = new RecWnd(L"w");
        root->InsertChild(w);
        EXPECT_FALSE(w->SetTimer(5, 10));  // no host window yet

        TimerHost host(root);
        ASSERT_NE(host.hwnd, nullptr);
        ASSERT_TRUE(w->SetTimer(5, 10));
        const UINT_PTR hostId = MakeWindowTimer(w->GetSwnd(), 5);
        bool seen = false;
        const auto none = [](const MSG&) {};
        ASSERT_TRUE(PumpUntil(
            [&](const MSG& msg) {
                seen = seen || (msg.message == WM_TIMER && msg.hwnd == host.hwnd && msg.wParam == hostId);
            },
            [&] { return seen; }));
        w->KillTimer(5);

        std::vector<WPARAM> ticks;
        w->reactions[0x1938] = [&](WPARAM wp, LPARAM) { ticks.push_back(wp); };
        ASSERT_TRUE(w->SetTimerEx(7, 10));
        ASSERT_TRUE(PumpUntil(none, [&] { return ticks.size() >= 2; }));
        EXPECT_EQ(ticks[0], 7u);
        w->KillTimerEx(7);
        ticks.clear();
        const ULONGLONG quietUntil = ::GetTickCount64() + 100;
        PumpUntil(none, [&] { return ::GetTickCount64() >= quietUntil; });
        EXPECT_TRUE(ticks.empty());
        // Destroying the window stops its generator timers.
        ASSERT_TRUE(w->SetTimerEx(8, 10));
        w->reactions.clear();
        w->Destroy();
        root->SetContainer(nullptr);
    }
}

} // namespace
