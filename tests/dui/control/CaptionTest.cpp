// The caption: what it asks of its host window, and on real host windows
// that a press and drag moves the window and a double click maximises it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CaptionDrag.h"
#include "dui/control/SCaption.h"
#include "tests/dui/core/FakeSwndContainer.h"
#include "tests/dui/core/HostTestEnv.h"

namespace {

using namespace DUI;

using captiontest::Point;

// A native window standing in for the caption's host: it notes the system
// commands and button releases it gets and carries none of them out.
class CommandSink
{
public:
    struct Msg
    {
        UINT msg;
        WPARAM wp;
        LPARAM lp;
        bool operator==(const Msg&) const = default;
    };

    CommandSink()
    {
        static const ATOM cls = [] {
            WNDCLASSW wc = {};
            wc.lpfnWndProc = &CommandSink::Proc;
            wc.hInstance = ::GetModuleHandleW(nullptr);
            wc.lpszClassName = L"VeskCaptionSink";
            return ::RegisterClassW(&wc);
        }();
        EXPECT_NE(cls, 0);
        hwnd = ::CreateWindowExW(0, L"VeskCaptionSink", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~CommandSink() { ::DestroyWindow(hwnd); }
    CommandSink(const CommandSink&) = delete;
    CommandSink& operator=(const CommandSink&) = delete;

    void SetStyle(DWORD bits) { ::SetWindowLongW(hwnd, GWL_STYLE, static_cast<LONG>(WS_POPUP | bits)); }

    HWND hwnd = nullptr;
    std::vector<Msg> seen;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
    {
        auto* self = reinterpret_cast<CommandSink*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self && (msg == WM_SYSCOMMAND || msg == WM_LBUTTONUP)) {
            self->seen.push_back({msg, wp, lp});
            return 0;
        }
        return ::DefWindowProcW(hwnd, msg, wp, lp);
    }
};

class SinkContainer : public wndtest::FakeSwndContainer
{
public:
    explicit SinkContainer(HWND host) : m_host(host) {}
    HWND GetHostHwnd() override { return m_host; }

private:
    HWND m_host;
};

using CaptionTest = hosttest::HostTest;

using Sink = CommandSink::Msg;
constexpr UINT kSys = WM_SYSCOMMAND;

TEST_F(CaptionTest, AsksItsHostForMovesAndSizesByItsStyle)
{
    const BOOL v6 = SCaption::IsMaximizedMoveSystem();
    const DWORD sizable = WS_THICKFRAME | WS_MAXIMIZEBOX;
    struct Step
    {
        UINT msg;
        int x, y;
    };
    struct Case
    {
        const char* name;
        DWORD style;
        std::vector<Step> steps;
        std::vector<Sink> want;
        BOOL pendingAfter;
    };
    const Case cases[] = {
        {"press moves at once and tells the release at the press point", 0, {{WM_LBUTTONDOWN, 5, 6}},
         {{kSys, 0xF012, 0}, {WM_LBUTTONUP, MK_LBUTTON, Point(5, 6)}}, FALSE},
        {"the press point keeps its sign", 0, {{WM_LBUTTONDOWN, -3, -4}},
         {{kSys, 0xF012, 0}, {WM_LBUTTONUP, MK_LBUTTON, Point(-3, -4)}}, FALSE},
        {"a press on a maximised host only waits", WS_MAXIMIZE | sizable, {{WM_LBUTTONDOWN, 5, 6}}, {}, TRUE},
        {"a move after it starts the move only on a v6 workstation", WS_MAXIMIZE | sizable,
         {{WM_LBUTTONDOWN, 5, 6}, {WM_MOUSEMOVE, 9, 9}, {WM_MOUSEMOVE, 12, 12}},
         v6 ? std::vector<Sink>{{kSys, 0xF012, 0}} : std::vector<Sink>{}, !v6},
        {"a release ends the wait", WS_MAXIMIZE | sizable,
         {{WM_LBUTTONDOWN, 5, 6}, {WM_LBUTTONUP, 5, 6}, {WM_MOUSEMOVE, 9, 9}}, {}, FALSE},
        {"a move without a press does nothing", WS_MAXIMIZE | sizable, {{WM_MOUSEMOVE, 9, 9}}, {}, FALSE},
        {"moves over a host that is not maximised do nothing", 0, {{WM_MOUSEMOVE, 9, 9}}, {}, FALSE},
        {"double click maximises", sizable, {{WM_LBUTTONDBLCLK, 1, 1}}, {{kSys, 0xF032, 0}}, FALSE},
        {"double click on a maximised host restores", WS_MAXIMIZE | sizable, {{WM_LBUTTONDBLCLK, 1, 1}},
         {{kSys, 0xF122, 0}}, FALSE},
        {"no double click without a sizing frame", WS_MAXIMIZEBOX, {{WM_LBUTTONDBLCLK, 1, 1}}, {}, FALSE},
        {"no double click without a maximise box", WS_THICKFRAME, {{WM_LBUTTONDBLCLK, 1, 1}}, {}, FALSE},
    };
    CommandSink sink;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sink.SetStyle(c.style);
        sink.seen.clear();
        SinkContainer container(sink.hwnd);
        auto caption = SRefPtr<SCaption>::Adopt(new SCaption());
        caption->SetContainer(&container);
        for (const Step& s : c.steps) {
            BOOL handled = FALSE;
            const WPARAM keys = s.msg == WM_LBUTTONUP ? 0 : MK_LBUTTON;
            EXPECT_EQ(caption->DeliverSwndMessage(s.msg, keys, Point(s.x, s.y), &handled), 0);
            EXPECT_TRUE(handled);
        }
        EXPECT_EQ(sink.seen, c.want);
        EXPECT_EQ(caption->IsDragPending(), c.pendingAfter);
        caption->SetContainer(nullptr);
    }
}

TEST_F(CaptionTest, TakesTheFocusOnAPressOnlyWhenFocusable)
{
    for (BOOL focusable : {FALSE, TRUE}) {
        SCOPED_TRACE(focusable ? "focusable" : "not focusable");
        CommandSink sink;
        sink.SetStyle(WS_MAXIMIZE);
        SinkContainer container(sink.hwnd);
        auto caption = SRefPtr<SCaption>::Adopt(new SCaption());
        caption->SetContainer(&container);
        caption->SetAttribute(L"focusable", focusable ? L"1" : L"0", FALSE);
        caption->DeliverSwndMessage(WM_LBUTTONDOWN, MK_LBUTTON, Point(1, 1));
        EXPECT_EQ(container.focus == caption->GetSwnd(), focusable);
        caption->SetContainer(nullptr);
    }
}

TEST_F(CaptionTest, LeavesOtherMessagesToThePlainWindow)
{
    auto caption = SRefPtr<SCaption>::Adopt(new SCaption());
    BOOL handled = TRUE;
    caption->DeliverSwndMessage(WM_TIMER, 1, 0, &handled);
    EXPECT_FALSE(handled);
    caption->DeliverSwndMessage(WM_SETFOCUS, 0, 0, &handled);
    EXPECT_TRUE(handled);
}

TEST_F(CaptionTest, DragOnACaptionMovesTheHostWindow)
{
    SHostWnd* host = NewHost(L"LAYOUT:XML_CAPTION");
    HWND hwnd = Shown(host, WS_POPUP, 0, 100, 120);
    ASSERT_TRUE(hwnd);
    auto* caption = Child<SCaption>(host, L"cap");
    ASSERT_TRUE(caption && caption->IsKindOf(L"caption"));
    const POINT moved = captiontest::DragOn(hwnd, {20, 10}, {{45, 25}, {70, 40}});
    EXPECT_EQ(moved.x, 50);
    EXPECT_EQ(moved.y, 30);
    EXPECT_FALSE(caption->IsDragPending());
}

TEST_F(CaptionTest, DoubleClickMaximisesAndRestoresTheHostWindow)
{
    SHostWnd* host = NewHost(L"LAYOUT:XML_CAPTION");
    HWND hwnd = Shown(host, WS_POPUP, 0, 100, 120);
    ASSERT_TRUE(hwnd);
    RECT normal;
    ::GetWindowRect(hwnd, &normal);
    ::SendMessageW(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, Point(20, 10));
    EXPECT_TRUE(::IsZoomed(hwnd));
    // Maximised, a press only waits: the window stays where it is.
    const POINT moved = captiontest::DragOn(hwnd, {20, 10}, {});
    EXPECT_EQ(moved.x, 0);
    EXPECT_EQ(moved.y, 0);
    EXPECT_TRUE(::IsZoomed(hwnd));

    ::SendMessageW(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, Point(20, 10));
    EXPECT_FALSE(::IsZoomed(hwnd));
    RECT now;
    ::GetWindowRect(hwnd, &now);
    EXPECT_TRUE(::EqualRect(&now, &normal));
}

} // namespace
