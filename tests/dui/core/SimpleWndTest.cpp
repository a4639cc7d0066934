#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <stdexcept>
#include <vector>

#include "dui/core/CSimpleWnd.h"
#include "tests/dui/core/NativeWindowTestSupport.h"

using namespace DUI;
using nativetest::NativeWindowTest;

namespace {

constexpr UINT kOuter = WM_APP + 1;
constexpr UINT kInner = WM_APP + 2;

// Runs the handler set for a message and records what reached it.
class ProbeWnd : public CSimpleWnd
{
public:
    std::map<UINT, std::function<LRESULT()>> handlers;
    std::vector<UINT> seen;
    int finalMessages = 0;
    bool* destroyedFlag = nullptr;

    ~ProbeWnd() override
    {
        if (destroyedFlag)
            *destroyedFlag = true;
    }

    HWND Make(HWND parent = nullptr)
    {
        return CreateWindow(L"probe", parent ? WS_CHILD : WS_POPUP, 0, 0, 0, 100, 80, parent, nullptr);
    }

    BOOL ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM, LPARAM, LRESULT& result, DWORD) override
    {
        auto it = handlers.find(msg);
        if (it == handlers.end())
            return FALSE;
        EXPECT_EQ(hwnd, GetHwnd());
        seen.push_back(msg);
        result = it->second();
        return TRUE;
    }
    void OnFinalMessage(HWND hwnd) override
    {
        CSimpleWnd::OnFinalMessage(hwnd);
        ++finalMessages;
    }
};

class SelfDeletingWnd : public ProbeWnd
{
public:
    void OnFinalMessage(HWND hwnd) override
    {
        ProbeWnd::OnFinalMessage(hwnd);
        delete this;
    }
};

using SimpleWndTest = NativeWindowTest;

} // namespace

TEST_F(SimpleWndTest, EachWindowReceivesItsOwnMessages)
{
    ProbeWnd a, b;
    a.handlers[kOuter] = [] { return 11; };
    b.handlers[kOuter] = [] { return 22; };
    ASSERT_TRUE(a.Make());
    ASSERT_TRUE(b.Make());
    EXPECT_NE(::GetWindowLongPtrW(a.GetHwnd(), GWLP_WNDPROC), ::GetWindowLongPtrW(b.GetHwnd(), GWLP_WNDPROC));
    EXPECT_EQ(::SendMessageW(a.GetHwnd(), kOuter, 0, 0), 11);
    EXPECT_EQ(::SendMessageW(b.GetHwnd(), kOuter, 0, 0), 22);
    EXPECT_EQ(a.seen, std::vector<UINT>{kOuter});
    EXPECT_EQ(b.seen, std::vector<UINT>{kOuter});
    EXPECT_EQ(::GetClassLongW(a.GetHwnd(), GCL_STYLE), static_cast<DWORD>(CS_DBLCLKS));
    ::DestroyWindow(a.GetHwnd());
    ::DestroyWindow(b.GetHwnd());
    EXPECT_EQ(a.finalMessages, 1);
    EXPECT_EQ(a.GetHwnd(), nullptr);
}

TEST_F(SimpleWndTest, NestedMessageHasItsOwnRecordAndTheOuterComesBack)
{
    ProbeWnd w;
    std::vector<UINT> current;
    w.handlers[kInner] = [&] {
        current.push_back(w.GetCurrentMessage()->message);
        return 0;
    };
    w.handlers[kOuter] = [&] {
        current.push_back(w.GetCurrentMessage()->message);
        ::SendMessageW(w.GetHwnd(), kInner, 0, 0);
        current.push_back(w.GetCurrentMessage()->message);
        return 0;
    };
    ASSERT_TRUE(w.Make());
    ::SendMessageW(w.GetHwnd(), kOuter, 0, 0);
    EXPECT_EQ(current, (std::vector<UINT>{kOuter, kInner, kOuter}));
    EXPECT_EQ(w.GetCurrentMessage(), nullptr);
    ::DestroyWindow(w.GetHwnd());
}

// A window destroyed inside its own handler must stay usable until that
// handler has returned; only then is it released (here: deleted).
TEST_F(SimpleWndTest, DestroyedInsideItsHandlerIsReleasedAfterTheOutermostReturns)
{
    bool deleted = false;
    auto* w = new SelfDeletingWnd();
    w->destroyedFlag = &deleted;
    bool aliveAfterDestroy = false;
    int finalDuringHandler = -1;
    w->handlers[kOuter] = [&] {
        ::DestroyWindow(w->GetHwnd());
        aliveAfterDestroy = !deleted && w->GetHwnd() != nullptr;
        finalDuringHandler = w->finalMessages;
        return 7;
    };
    ASSERT_TRUE(w->Make());
    HWND hwnd = w->GetHwnd();
    EXPECT_EQ(::SendMessageW(hwnd, kOuter, 0, 0), 7);
    EXPECT_TRUE(aliveAfterDestroy);
    EXPECT_EQ(finalDuringHandler, 0);
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(::IsWindow(hwnd));
}

// An exception from a handler stops at the window procedure; the message
// goes to the default procedure and destruction still completes.
TEST_F(SimpleWndTest, ThrowingHandlerDoesNotLeaveTheWindowProcedure)
{
    ProbeWnd w;
    w.handlers[kOuter] = []() -> LRESULT { throw std::runtime_error("handler failed"); };
    w.handlers[WM_DESTROY] = []() -> LRESULT { throw 42; };
    ASSERT_TRUE(w.Make());
    EXPECT_EQ(::SendMessageW(w.GetHwnd(), kOuter, 0, 0), 0);
    EXPECT_TRUE(::DestroyWindow(w.GetHwnd()));
    EXPECT_EQ(w.finalMessages, 1);
    EXPECT_EQ(w.GetHwnd(), nullptr);
}

TEST_F(SimpleWndTest, FailedCreationKeepsNoWindow)
{
    ProbeWnd refuses;
    refuses.handlers[WM_NCCREATE] = [] { return FALSE; };
    EXPECT_EQ(refuses.Make(), nullptr);
    EXPECT_EQ(refuses.GetHwnd(), nullptr);
    // The same object can make a window afterwards.
    refuses.handlers.erase(WM_NCCREATE);
    ASSERT_TRUE(refuses.Make());
    ::DestroyWindow(refuses.GetHwnd());
}

TEST(SimpleWndNoClass, CreationFailsWithoutTheSharedClass)
{
    ProbeWnd w;
    EXPECT_EQ(w.Make(), nullptr);
}

TEST_F(SimpleWndTest, ModifyStyleChangesOnlyWhenBitsChange)
{
    ProbeWnd w;
    ASSERT_TRUE(w.Make());
    EXPECT_FALSE(w.ModifyStyle(0, WS_POPUP));
    EXPECT_TRUE(w.ModifyStyle(0, WS_BORDER, SWP_FRAMECHANGED));
    EXPECT_TRUE(::GetWindowLongW(w.GetHwnd(), GWL_STYLE) & WS_BORDER);
    EXPECT_FALSE(w.ModifyStyleEx(WS_EX_TOOLWINDOW, 0));
    EXPECT_TRUE(w.ModifyStyleEx(0, WS_EX_TOOLWINDOW));
    EXPECT_TRUE(w.ModifyStyleEx(WS_EX_TOOLWINDOW, 0));
    EXPECT_FALSE(::GetWindowLongW(w.GetHwnd(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    ::DestroyWindow(w.GetHwnd());
}

TEST(SimpleWndCentre, PositionStaysInsideTheArea)
{
    struct Case {
        const char* name;
        RECT window, area, centre;
        POINT want;
    };
    const Case cases[] = {
        {"centred", {0, 0, 100, 50}, {0, 0, 1000, 800}, {200, 200, 600, 400}, {350, 275}},
        {"wider than the area", {0, 0, 1200, 50}, {0, 0, 1000, 800}, {0, 0, 1000, 800}, {0, 375}},
        {"taller than the area", {0, 0, 100, 900}, {10, 20, 1000, 800}, {10, 20, 1000, 800}, {455, 20}},
        {"pushed back from the right and bottom", {0, 0, 200, 200}, {0, 0, 1000, 800}, {900, 700, 1000, 800},
         {800, 600}},
        {"pulled in from the left and top", {0, 0, 200, 200}, {100, 100, 1000, 800}, {0, 0, 100, 100},
         {100, 100}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const POINT p = CSimpleWnd::CenteredPosition(c.window, c.area, c.centre);
        EXPECT_EQ(p.x, c.want.x);
        EXPECT_EQ(p.y, c.want.y);
    }
}

TEST_F(SimpleWndTest, CenterWindowOnAVisibleWindow)
{
    ProbeWnd owner, w;
    ASSERT_TRUE(owner.Make());
    ::SetWindowPos(owner.GetHwnd(), nullptr, 100, 100, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ASSERT_TRUE(w.Make());
    ASSERT_TRUE(w.CenterWindow(owner.GetHwnd()));
    const RECT rc = w.GetWindowRect();
    EXPECT_EQ(rc.left, 250);
    EXPECT_EQ(rc.top, 210);
    ::DestroyWindow(w.GetHwnd());
    ::DestroyWindow(owner.GetHwnd());
}

TEST_F(SimpleWndTest, NotificationsGoBackToTheirControl)
{
    ProbeWnd parent, child;
    UINT reflected = 0;
    ASSERT_TRUE(parent.Make());
    ASSERT_TRUE(child.Make(parent.GetHwnd()));
    child.handlers[0x2000 + WM_COMMAND] = [&] {
        reflected = child.GetCurrentMessage()->message;
        return 5;
    };
    BOOL handled = FALSE;
    EXPECT_EQ(parent.ReflectNotifications(WM_COMMAND, 0, reinterpret_cast<LPARAM>(child.GetHwnd()), handled), 5);
    EXPECT_TRUE(handled);
    EXPECT_EQ(reflected, 0x2000u + WM_COMMAND);
    EXPECT_EQ(parent.ReflectNotifications(WM_COMMAND, 0, 0, handled), 1);
    EXPECT_FALSE(handled);
    ::DestroyWindow(parent.GetHwnd());
    EXPECT_EQ(child.finalMessages, 1);
}

TEST(SimpleWndClass, ImeFlagChoosesTheClassStyle)
{
    EXPECT_EQ(CSimpleWndHelper::ClassStyle(FALSE), static_cast<UINT>(CS_DBLCLKS));
    EXPECT_EQ(CSimpleWndHelper::ClassStyle(TRUE), 0x1000Bu);
}
