// Native messages of a host reach its tree: posted and sent input, timers,
// the non-client answers, activation and the inspection protocol; a host
// destroyed by its own handler goes cleanly.
#include "HostTestEnv.h"

#include <cstring>

#include "dui/core/SwndInspectRecord.h"
#include "tests/support/MessageWindow.h"

using namespace hosttest;

namespace {

LPARAM Point(int x, int y)
{
    return MAKELPARAM(x, y);
}

// Receives the inspection records a host sends.
class Inspector
{
public:
    HWND Hwnd() const { return m_window.Hwnd(); }
    std::vector<SwndInspectRecord> records;

private:
    testsupport::MessageWindow m_window{[this](UINT msg, WPARAM, LPARAM lp, LRESULT& result) {
        if (msg != WM_COPYDATA)
            return false;
        const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lp);
        if (cds->dwData == UM_SPY_INFO && cds->cbData == sizeof(SwndInspectRecord)) {
            records.emplace_back();
            std::memcpy(&records.back(), cds->lpData, sizeof(SwndInspectRecord));
        }
        result = TRUE;
        return true;
    }};
};

} // namespace

TEST_F(HostTest, PostedMouseInputReachesTheWindowUnderIt)
{
    // The real cursor stays off the host: a released capture follows it.
    ::SetCursorPos(2, 2);
    SHostWnd* host = NewHost(L"LAYOUT:XML_HOST_BASIC");
    HWND hwnd = Shown(host);
    ASSERT_NE(hwnd, nullptr);
    auto* rec = Child<RecorderWnd>(host, L"rec");
    int commands = 0;
    rec->SubscribeEvent(EventCmd::EventID, StdFunctionSlot([&](EventArgs*) { ++commands; return true; }));
    ::SendMessageW(hwnd, WM_MOUSEMOVE, 0, Point(90, 30));
    EXPECT_EQ(host->GetHover(), rec->GetSwnd());
    ::PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, Point(90, 30));
    ::PostMessageW(hwnd, WM_LBUTTONUP, 0, Point(91, 31));
    ASSERT_TRUE(nativetest::PumpUntil([&] { return rec->Count(WM_LBUTTONUP) > 0; }, 5000));
    EXPECT_EQ(rec->Count(WM_MOUSEHOVER), 1u);
    EXPECT_GE(rec->Count(WM_MOUSEMOVE), 1u);
    EXPECT_EQ(rec->Count(WM_LBUTTONDOWN), 1u);
    EXPECT_EQ(commands, 1);
    // Leaving the host leaves the window.
    ::PostMessageW(hwnd, WM_MOUSELEAVE, 0, 0);
    ASSERT_TRUE(nativetest::PumpUntil([&] { return rec->Count(WM_MOUSELEAVE) > 0; }, 5000));
    EXPECT_EQ(host->GetHover(), 0u);
}

// A button's handler that destroys the host: the window goes, the objects
// stay valid until released, and later messages for it go nowhere.
TEST_F(HostTest, HostDestroyedByItsOwnHandlerGoesCleanly)
{
    SHostWnd* host = NewHost(L"LAYOUT:XML_HOST_BASIC");
    HWND hwnd = Shown(host);
    ASSERT_NE(hwnd, nullptr);
    auto* rec = Child<RecorderWnd>(host, L"rec");
    rec->AddRef();
    int exits = 0;
    host->SubscribeEvent(EventExit::EventID, StdFunctionSlot([&](EventArgs*) { ++exits; return true; }));
    rec->SubscribeEvent(EventCmd::EventID, StdFunctionSlot([host](EventArgs*) {
        host->DestroyWindow();
        return true;
    }));
    ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, Point(90, 30));
    ::SendMessageW(hwnd, WM_LBUTTONUP, 0, Point(90, 30));
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(host->GetHwnd(), nullptr);
    EXPECT_EQ(exits, 1);
    EXPECT_TRUE(rec->IsDestroyed());
    rec->Release();
    // Messages for the dead window are refused by the system.
    EXPECT_EQ(::SendMessageW(hwnd, WM_LBUTTONDOWN, 0, Point(90, 30)), 0);
    EXPECT_FALSE(::PostMessageW(hwnd, WM_PAINT, 0, 0));
    // The object can make its window again.
    EXPECT_NE(host->CreateEx(nullptr, WS_POPUP, 0, 0, 0, 0, 0), nullptr);
    EXPECT_NE(Child(host, L"rec"), nullptr);
}

TEST_F(HostTest, WindowTimersReachTheirWindowOrDie)
{
    SHostWnd* host = NewHost(L"LAYOUT:XML_HOST_BASIC");
    HWND hwnd = Shown(host);
    ASSERT_NE(hwnd, nullptr);
    auto* rec = Child<RecorderWnd>(host, L"rec");
    const WPARAM id = 0x85000000u | rec->GetSwnd();
    ::SendMessageW(hwnd, WM_TIMER, id, 0);
    ASSERT_EQ(rec->Count(WM_TIMER), 1u);
    for (const auto& m : rec->received) {
        if (m.msg == WM_TIMER) {
            EXPECT_EQ(m.wp, 5u);
        }
    }
    // A timer of a window that is gone is stopped.
    ASSERT_NE(::SetTimer(hwnd, 0x85FFFFF0u, 10000, nullptr), 0u);
    ::SendMessageW(hwnd, WM_TIMER, 0x85FFFFF0u, 0);
    EXPECT_FALSE(::KillTimer(hwnd, 0x85FFFFF0u));
    // An ordinary timer is the default procedure's.
    ::SendMessageW(hwnd, WM_TIMER, 7, 0);
    EXPECT_EQ(rec->Count(WM_TIMER), 1u);
}

TEST_F(HostTest, ResizeBordersFollowTheMargin)
{
    SHostWnd* host = NewHost(L"LAYOUT:XML_HOST_RESIZABLE");
    HWND hwnd = Shown(host, WS_POPUP, 0, 100, 100);
    ASSERT_NE(hwnd, nullptr);
    RECT wnd;
    ::GetWindowRect(hwnd, &wnd);
    struct Case { const char* name; int x, y; LRESULT want; };
    const Case cases[] = {
        {"bottom right", 298, 198, HTBOTTOMRIGHT}, {"top right", 298, 2, HTTOPRIGHT},
        {"right", 298, 100, HTRIGHT},              {"bottom left", 2, 198, HTBOTTOMLEFT},
        {"top left", 2, 2, HTTOPLEFT},             {"left", 2, 100, HTLEFT},
        {"bottom", 150, 198, HTBOTTOM},            {"top", 150, 2, HTTOP},
        {"inside", 150, 100, HTCLIENT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(::SendMessageW(hwnd, WM_NCHITTEST, 0, Point(wnd.left + c.x, wnd.top + c.y)), c.want);
    }
    // Sizes below the minimum are refused.
    MINMAXINFO info = {};
    ::SendMessageW(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 100);
    EXPECT_EQ(info.ptMinTrackSize.y, 80);
    // A host that is not resizable has no borders.
    SHostWnd* fixed = NewHost(L"LAYOUT:XML_HOST_BASIC");
    HWND fixedHwnd = Shown(fixed);
    ASSERT_NE(fixedHwnd, nullptr);
    ::GetWindowRect(fixedHwnd, &wnd);
    EXPECT_EQ(::SendMessageW(fixedHwnd, WM_NCHITTEST, 0, Point(wnd.left + 1, wnd.top + 1)), HTCLIENT);
}

TEST_F(HostTest, DeactivationReleasesAPressedButton)
{
    SHostWnd* host = NewHost(L"LAYOUT:XML_HOST_BASIC");
    HWND hwnd = Shown(host);
    ASSERT_NE(hwnd, nullptr);
    auto* rec = Child<RecorderWnd>(host, L"rec");
    ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, Point(90, 30));
    ::SendMessageW(hwnd, WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ(rec->Count(WM_LBUTTONUP), 1u);
    // A capture taken by the clipboard window releases nothing.
    ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, Point(90, 30));
    ::SendMessageW(hwnd, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
    EXPECT_EQ(rec->Count(WM_LBUTTONUP), 1u);
    ::SendMessageW(hwnd, WM_CAPTURECHANGED, 0, 0);
    EXPECT_EQ(rec->Count(WM_LBUTTONUP), 2u);
}

TEST_F(HostTest, AltF4ReachesTheSystemAndClosesTheHost)
{
    SHostWnd* host = NewHost(L"LAYOUT:XML_HOST_BASIC");
    HWND hwnd = Shown(host);
    ASSERT_NE(hwnd, nullptr);
    ::SendMessageW(hwnd, WM_SYSKEYDOWN, VK_F4, 0x20000000);
    nativetest::PumpUntil([&] { return !::IsWindow(hwnd); }, 5000);
    EXPECT_FALSE(::IsWindow(hwnd));
}

TEST_F(HostTest, InspectionReadsTheTree)
{
    SHostWnd* host = NewHost(L"LAYOUT:XML_HOST_BASIC");
    HWND hwnd = Shown(host);
    ASSERT_NE(hwnd, nullptr);
    Inspector inspector;
    SWindow* box = Child(host, L"box");
    EXPECT_EQ(::SendMessageW(hwnd, UM_SPY_SETWND, 0, reinterpret_cast<LPARAM>(inspector.Hwnd())), 1);
    EXPECT_EQ(::SendMessageW(hwnd, UM_SPY_RELATED, 0, GSW_FIRSTCHILD), static_cast<LRESULT>(box->GetSwnd()));
    EXPECT_EQ(::SendMessageW(hwnd, UM_SPY_RELATED, box->GetSwnd(), GSW_PARENT), static_cast<LRESULT>(host->GetSwnd()));
    EXPECT_EQ(::SendMessageW(hwnd, UM_SPY_RELATED, 0x7FFFFF, GSW_PARENT), 0);
    ASSERT_EQ(::SendMessageW(hwnd, UM_SPY_INFO, box->GetSwnd(), 0), 1);
    ASSERT_EQ(inspector.records.size(), 1u);
    const SwndInspectRecord& r = inspector.records[0];
    EXPECT_EQ(r.swnd, static_cast<int>(box->GetSwnd()));
    EXPECT_EQ(r.id, 10);
    EXPECT_EQ(r.rcWindow.left, 10);
    EXPECT_STREQ(r.name, L"box");
    EXPECT_STREQ(r.classTag, L"window");
    EXPECT_STREQ(r.xml, L"##unavailable!");
    RECT wnd;
    ::GetWindowRect(hwnd, &wnd);
    EXPECT_EQ(::SendMessageW(hwnd, UM_SPY_HITTEST, 0, Point(wnd.left + 20, wnd.top + 20)),
              static_cast<LRESULT>(box->GetSwnd()));
    // A name too long for the record is replaced, not cut.
    box->SetName(SStringW(std::wstring(300, L'n').c_str()));
    ASSERT_EQ(::SendMessageW(hwnd, UM_SPY_INFO, box->GetSwnd(), 0), 1);
    EXPECT_STREQ(inspector.records.back().name, L"##buf overflow!");
    // An invalid inspector is refused.
    EXPECT_EQ(::SendMessageW(hwnd, UM_SPY_SETWND, 0, 0x1234), 0);
}

TEST_F(HostTest, MainHostEndsTheLoopWhenDestroyed)
{
    struct Case { const char* name; LPCWSTR layout; DWORD style; bool quits; };
    const Case cases[] = {
        {"overlapped, undefined type", L"LAYOUT:XML_HOST_BASIC", WS_OVERLAPPED, true},
        {"popup, undefined type", L"LAYOUT:XML_HOST_BASIC", WS_POPUP, false},
        {"overlapped, normal type", L"XMLTEST:HOST_OTHER", WS_OVERLAPPED, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SHostWnd* host = NewHost(c.layout);
        ASSERT_NE(host->CreateEx(nullptr, c.style, 0, 0, 0, 0, 0), nullptr);
        host->DestroyWindow();
        MSG msg;
        const bool quit = ::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
        EXPECT_EQ(quit, c.quits);
        if (quit) {
            EXPECT_EQ(msg.wParam, 1u);
        }
    }
}
