// The scrolling panel and scroll view in a real host window: bars drawn at
// the edges, the wheel, held arrows, thumb drags, and bad ranges.
#include "ScrollTestHost.h"

#include "dui/control/SPanel.h"
#include "dui/control/SScrollView.h"

namespace scrolltest {
namespace {

// The view "view" is 200 x 150 at (10, 10) over a 400 x 600 view, so both
// bars show: 12 pixels thick, the vertical one 138 long (page 138 of 600),
// the horizontal one 188 long (page 188 of 400).
constexpr int kLastY = 600 - 138;
const RECT kVertBar = {198, 10, 210, 148};

class PanelTest : public ScrollHostTest
{
protected:
    void SetUp() override
    {
        ScrollHostTest::SetUp();
        m_view = Child<SScrollView>(m_host, L"view");
        ASSERT_NE(m_view, nullptr);
        Record(m_view);
    }
    RECT FirstRect() const { return Child(m_host, L"first")->GetWindowRect(); }
    void Drag(POINT from, POINT to)
    {
        PostAndPump(m_hwnd, WM_MOUSEMOVE, 0, from);
        PostAndPump(m_hwnd, WM_LBUTTONDOWN, MK_LBUTTON, from);
        PostAndPump(m_hwnd, WM_MOUSEMOVE, MK_LBUTTON, POINT{(from.x + to.x) / 2, (from.y + to.y) / 2});
        PostAndPump(m_hwnd, WM_MOUSEMOVE, MK_LBUTTON, to);
        PostAndPump(m_hwnd, WM_LBUTTONUP, 0, to);
    }

    SScrollView* m_view = nullptr;
};

TEST_F(PanelTest, DrawsBothBarsAtTheEdgesWithThumbsSizedToThePage)
{
    EXPECT_TRUE(m_view->HasScrollBar(TRUE));
    EXPECT_TRUE(m_view->HasScrollBar(FALSE));
    const RECT client = m_view->GetClientRect();
    EXPECT_EQ(client.right, 198);
    EXPECT_EQ(client.bottom, 148);
    const RECT vBar = m_view->GetScrollBarRect(TRUE);
    EXPECT_TRUE(::EqualRect(&kVertBar, &vBar));
    // Rail 114 long, thumb 114 x 138 / 600; horizontally 164 x 188 / 400.
    const RECT vThumb = m_view->GetSbPartRect(TRUE, SB_THUMBTRACK);
    EXPECT_EQ(vThumb.top, 22);
    EXPECT_EQ(vThumb.bottom, 22 + 26);
    const RECT hThumb = m_view->GetSbPartRect(FALSE, SB_THUMBTRACK);
    EXPECT_EQ(hThumb.left, 22);
    EXPECT_EQ(hThumb.right, 22 + 77);
    EXPECT_EQ(hThumb.top, 148);

    EXPECT_EQ(Pixel(m_host, Center(vThumb)), CellColor(kVertThumb, kInactiveRow));
    EXPECT_EQ(Pixel(m_host, POINT{204, 100}), CellColor(kVertRail, kInactiveRow));
    EXPECT_EQ(Pixel(m_host, Center(hThumb)), CellColor(kHorzThumb, kInactiveRow));
    EXPECT_EQ(Pixel(m_host, POINT{204, 154}), CellColor(8, 0));
    hosttest::MaybeSavePng(m_host->GetMemSurface(), L"scrollview_top.png");

    m_view->SetViewOrigin(POINT{1000, 1000});
    Flush(m_host);
    EXPECT_EQ(m_view->GetViewOrigin().y, kLastY);
    EXPECT_EQ(m_view->GetViewOrigin().x, 400 - 188);
    const RECT endThumb = m_view->GetSbPartRect(TRUE, SB_THUMBTRACK);
    EXPECT_EQ(endThumb.bottom, 148 - 12);
    EXPECT_EQ(Pixel(m_host, Center(endThumb)), CellColor(kVertThumb, kInactiveRow));
    EXPECT_NE(Pixel(m_host, Center(vThumb)), CellColor(kVertThumb, kInactiveRow));
    // The last box of the view now shows in the bottom right corner.
    EXPECT_EQ(Pixel(m_host, POINT{160, 110}), 0xFF0000FFu);
    hosttest::MaybeSavePng(m_host->GetMemSurface(), L"scrollview_end.png");
}

TEST_F(PanelTest, HoverLightsThePartUnderTheMouseUntilItLeaves)
{
    const POINT thumb = Center(m_view->GetSbPartRect(TRUE, SB_THUMBTRACK));
    const POINT rail = {204, 100};
    PostAndPump(m_hwnd, WM_MOUSEMOVE, 0, thumb);
    EXPECT_EQ(m_view->GetHotPart(), SPanel::MakeHotPart(SB_THUMBTRACK, TRUE));
    EXPECT_EQ(Pixel(m_host, thumb), CellColor(kVertThumb, 1));
    PostAndPump(m_hwnd, WM_MOUSEMOVE, 0, rail);
    EXPECT_EQ(m_view->GetHotPart(), SPanel::MakeHotPart(SB_PAGEDOWN, TRUE));
    EXPECT_NE(Pixel(m_host, thumb), CellColor(kVertThumb, 1));
    PostAndPump(m_hwnd, WM_MOUSEMOVE, 0, POINT{100, 80});
    EXPECT_EQ(SPanel::PartOf(m_view->GetHotPart()), static_cast<int>(SPanel::kNoPart));
    EXPECT_EQ(Pixel(m_host, thumb), CellColor(kVertThumb, kInactiveRow));
    EXPECT_EQ(Pixel(m_host, rail), CellColor(kVertRail, kInactiveRow));
}

TEST_F(PanelTest, WheelScrollsLinesAndKeepsPartialNotches)
{
    const POINT inside = {100, 80};
    Wheel(m_hwnd, -WHEEL_DELTA, inside);
    EXPECT_EQ(m_view->GetScrollPos(TRUE), 10);
    EXPECT_EQ(FirstRect().top, 0);
    ASSERT_FALSE(m_scrolls.empty());
    EXPECT_EQ(m_scrolls.back().code, SB_LINEDOWN);
    EXPECT_EQ(m_scrolls.back().pos, 10);
    EXPECT_TRUE(m_scrolls.back().vertical);

    Wheel(m_hwnd, 60, inside);
    EXPECT_EQ(m_view->GetScrollPos(TRUE), 10);
    Wheel(m_hwnd, 60, inside);
    EXPECT_EQ(m_view->GetScrollPos(TRUE), 0);

    Wheel(m_hwnd, -2 * WHEEL_DELTA, inside, MK_SHIFT);
    EXPECT_EQ(m_view->GetScrollPos(FALSE), 20);
    EXPECT_EQ(m_view->GetScrollPos(TRUE), 0);
    EXPECT_EQ(FirstRect().left, 10 - 20);
}

TEST_F(PanelTest, ExtremeWheelDeltasStopAtTheEnds)
{
    const POINT inside = {100, 80};
    Wheel(m_hwnd, 32767, inside);
    EXPECT_EQ(m_view->GetScrollPos(TRUE), 0);
    Wheel(m_hwnd, -32767, inside);
    EXPECT_EQ(m_view->GetScrollPos(TRUE), kLastY);
    EXPECT_EQ(m_view->GetViewOrigin().y, kLastY);
    Wheel(m_hwnd, -32767, inside);
    EXPECT_EQ(m_view->GetScrollPos(TRUE), kLastY);
    Wheel(m_hwnd, 32767, inside);
    EXPECT_EQ(m_view->GetScrollPos(TRUE), 0);
}

TEST_F(PanelTest, DraggingTheThumbScrollsProportionally)
{
    const RECT thumb = m_view->GetSbPartRect(TRUE, SB_THUMBTRACK);
    const POINT from = Center(thumb);
    // 88 pixels of travel for 462 positions.
    Drag(from, POINT{from.x, from.y + 44});
    EXPECT_EQ(m_view->GetScrollPos(TRUE), kLastY * 44 / 88);
    EXPECT_EQ(m_view->GetViewOrigin().y, kLastY * 44 / 88);
    EXPECT_EQ(m_view->GetDragMode(), 0);
    ASSERT_GE(m_scrolls.size(), 2u);
    EXPECT_EQ(m_scrolls.back().code, SB_THUMBPOSITION);
    EXPECT_EQ(m_scrolls.back().pos, kLastY * 44 / 88);
    for (size_t i = 0; i + 1 < m_scrolls.size(); ++i)
        EXPECT_EQ(m_scrolls[i].code, SB_THUMBTRACK) << i;

    // Past the rail's end the thumb stays at the end and the position at max - page + 1.
    const POINT again = Center(m_view->GetSbPartRect(TRUE, SB_THUMBTRACK));
    Drag(again, POINT{again.x, again.y + 500});
    EXPECT_EQ(m_view->GetScrollPos(TRUE), kLastY);
    EXPECT_EQ(m_view->GetSbPartRect(TRUE, SB_THUMBTRACK).bottom, 148 - 12);
}

TEST_F(PanelTest, HoldingTheLastArrowRepeatsUntilRelease)
{
    const POINT arrow = Center(m_view->GetSbPartRect(TRUE, SB_LINEDOWN));
    // The repeat follows the part under the mouse, and the system reports
    // the real cursor while the host holds the capture: the window moves
    // under the cursor, wherever it rests.
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    ::SetWindowPos(m_hwnd, nullptr, cursor.x - arrow.x, cursor.y - arrow.y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Flush(m_host);
    PostAndPump(m_hwnd, WM_MOUSEMOVE, 0, arrow);
    PostAndPump(m_hwnd, WM_LBUTTONDOWN, MK_LBUTTON, arrow);
    EXPECT_EQ(m_view->GetScrollPos(TRUE), 10);
    ASSERT_TRUE(nativetest::PumpUntil([this] { return m_scrolls.size() >= 4; }, 10000));
    PostAndPump(m_hwnd, WM_LBUTTONUP, 0, arrow);
    // Timers do not fire early: the first repeat waits out the delay.
    EXPECT_GE(m_scrolls[1].tick - m_scrolls[0].tick, 450u);
    const size_t steps = m_scrolls.size();
    EXPECT_EQ(m_view->GetScrollPos(TRUE), static_cast<int>(10 * steps));
    // A repeat still armed, even with its first delay again, fires first.
    ASSERT_TRUE(nativetest::PumpPastTimer(600));
    EXPECT_EQ(m_scrolls.size(), steps);
    for (const ScrollRecord& r : m_scrolls)
        EXPECT_EQ(r.code, SB_LINEDOWN);
}

TEST_F(PanelTest, HidingDuringAThumbDragEndsTheDrag)
{
    const POINT from = Center(m_view->GetSbPartRect(TRUE, SB_THUMBTRACK));
    PostAndPump(m_hwnd, WM_MOUSEMOVE, 0, from);
    PostAndPump(m_hwnd, WM_LBUTTONDOWN, MK_LBUTTON, from);
    PostAndPump(m_hwnd, WM_MOUSEMOVE, MK_LBUTTON, POINT{from.x, from.y + 20});
    ASSERT_EQ(m_view->GetDragMode(), 1);
    m_view->SetVisible(FALSE, TRUE);
    EXPECT_EQ(m_view->GetDragMode(), 0);
    EXPECT_EQ(m_host->GetCapture(), 0u);
    ASSERT_FALSE(m_scrolls.empty());
    EXPECT_EQ(m_scrolls.back().code, SB_THUMBPOSITION);
    EXPECT_EQ(m_scrolls.back().pos, kLastY * 20 / 88);
    EXPECT_EQ(m_view->GetScrollPos(TRUE), kLastY * 20 / 88);
}

// Which bars a view needs in the 200 x 150 client area (bars 12 thick).
TEST_F(PanelTest, ViewSizeDecidesTheBars)
{
    struct Case
    {
        const char* name;
        SIZE view;
        int shown;
    };
    const Case kCases[] = {
        {"fits", {188, 150}, 0},
        {"fits in height, not width", {250, 150}, 3},
        {"wide, low enough for a bar", {400, 100}, 1},
        {"tall and narrow", {100, 400}, 2},
        {"both", {400, 600}, 3},
        {"empty", {0, 0}, 0},
        {"negative", {-5, -5}, 0},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        m_view->SetViewSize(c.view);
        EXPECT_EQ((m_view->HasScrollBar(FALSE) ? 1 : 0) | (m_view->HasScrollBar(TRUE) ? 2 : 0), c.shown);
        EXPECT_EQ(m_view->GetScrollPos(TRUE), 0);
        const RECT client = m_view->GetClientRect();
        EXPECT_EQ(client.right, 210 - ((c.shown & 2) ? 12 : 0));
        EXPECT_EQ(client.bottom, 160 - ((c.shown & 1) ? 12 : 0));
    }
}

TEST_F(PanelTest, RecomputedBarsPullAViewAtTheBottomBackOnePixel)
{
    m_view->SetViewOrigin(POINT{0, 1000});
    EXPECT_EQ(m_view->GetViewOrigin().y, kLastY);
    m_view->UpdateScrollBar();
    EXPECT_EQ(m_view->GetViewOrigin().y, kLastY - 1);
    EXPECT_EQ(m_view->GetScrollPos(TRUE), kLastY - 1);
    EXPECT_EQ(FirstRect().top, 10 - (kLastY - 1));
}

TEST_F(PanelTest, OriginAttributeMovesOnlyTheLayoutArea)
{
    m_scrolls.clear();
    EXPECT_EQ(m_view->SetAttribute(L"origin-x", L"30", FALSE), 1);
    RECT area;
    m_view->GetChildArea(&area);
    EXPECT_EQ(area.left, 10 - 30);
    EXPECT_EQ(area.right, 10 - 30 + 400);
    EXPECT_EQ(m_view->GetScrollPos(FALSE), 0);
    EXPECT_TRUE(m_scrolls.empty());
}

TEST_F(PanelTest, WrappedViewSizeFollowsTheChildrenAndItsMinimum)
{
    // The children reach to 390 x 590.
    EXPECT_EQ(m_view->SetAttribute(L"viewSize", L"-1,-1", FALSE), 1);
    EXPECT_EQ(m_view->GetViewSize().cx, 390);
    EXPECT_EQ(m_view->GetViewSize().cy, 590);
    EXPECT_EQ(m_view->SetAttribute(L"minViewSize", L"500,100", FALSE), 1);
    m_view->UpdateViewSize();
    EXPECT_EQ(m_view->GetViewSize().cx, 500);
    EXPECT_EQ(m_view->GetViewSize().cy, 590);
}

TEST_F(PanelTest, RefusesBadAttributes)
{
    SPanel* panel = Child<SPanel>(m_host, L"panel");
    ISkinObj* skin = panel->GetScrollBarSkin();
    ASSERT_NE(skin, nullptr);
    EXPECT_EQ(panel->SetAttribute(L"sbSkin", L"no such skin", FALSE), E_FAIL);
    EXPECT_EQ(panel->GetScrollBarSkin(), skin);
    for (const wchar_t* bad : {L"100", L"100,200,300", L","}) {
        SCOPED_TRACE(testing::Message() << "viewSize " << std::string(bad, bad + wcslen(bad)));
        EXPECT_EQ(m_view->SetAttribute(L"viewSize", bad, FALSE), E_INVALIDARG);
        EXPECT_EQ(m_view->GetViewSize().cx, 400);
    }
    // Wider than the client: the matched height leaves room for the bar.
    EXPECT_EQ(m_view->SetAttribute(L"viewSize", L"300,-2", FALSE), 1);
    EXPECT_EQ(m_view->GetViewSize().cx, 300);
    EXPECT_EQ(m_view->GetViewSize().cy, 150 - 12);
}

TEST_F(PanelTest, ClassesAnswerTheirKinds)
{
    struct Case
    {
        const wchar_t* name;
        std::vector<const wchar_t*> kinds, notKinds;
    };
    const Case kCases[] = {
        {L"panel", {L"div", L"window"}, {L"scrollview", L"scrollbar"}},
        {L"view", {L"scrollview", L"div", L"window"}, {L"scrollbar"}},
        {L"bar", {L"scrollbar", L"window"}, {L"div"}},
    };
    for (const Case& c : kCases) {
        SWindow* w = Child(m_host, c.name);
        ASSERT_NE(w, nullptr);
        for (const wchar_t* k : c.kinds)
            EXPECT_TRUE(w->IsKindOf(k));
        for (const wchar_t* k : c.notKinds)
            EXPECT_FALSE(w->IsKindOf(k));
    }
}

// A panel whose page a derived class sets, as list views do.
class PagedPanel : public SPanel
{
public:
    void SetPage(BOOL vertical, UINT page) { InfoOf(vertical).nPage = page; }
};

TEST_F(PanelTest, BadRangesAndPositionsFallBackClearly)
{
    struct Case
    {
        const char* name;
        int min, max;
        UINT page;
        int ask, want;
        bool partsEmpty;
    };
    const Case kCases[] = {
        {"inside", 0, 99, 10, 40, 40, false},
        {"beyond the range", 0, 99, 10, 1000, 90, false},
        {"below the range", 0, 99, 10, -5, 0, false},
        {"page 0", 0, 99, 0, 50, 0, false},
        {"page over the range", 0, 99, 200, 5, 0, false},
        {"empty range", 5, 5, 1, 9, 5, false},
        {"max below min", 10, 5, 1, 100, 10, true},
    };
    auto* panel = new PagedPanel();   // Destroy gives the one reference back
    panel->OnRectChanged(RECT{0, 0, 100, 100});
    panel->ShowScrollBar(SPanel::Bar_Vert, TRUE);
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        panel->SetPage(TRUE, c.page);
        EXPECT_TRUE(panel->SetScrollRange(TRUE, c.min, c.max, TRUE));
        panel->SetScrollPos(TRUE, c.ask, TRUE);
        EXPECT_EQ(panel->GetScrollPos(TRUE), c.want);
        const RECT thumb = panel->GetSbPartRect(TRUE, SB_THUMBTRACK);
        EXPECT_EQ(::IsRectEmpty(&thumb) != 0, c.partsEmpty);
        if (c.partsEmpty) {
            EXPECT_EQ(SPanel::PartOf(panel->HitTestScrollBar(POINT{94, 5})), static_cast<int>(SPanel::kNoPart));
        }
        for (UINT code = SB_LINEUP; code <= SB_ENDSCROLL + 1; ++code)
            panel->OnScroll(TRUE, code, c.ask);
        EXPECT_GE(panel->GetScrollPos(TRUE), c.page == 0 ? 0 : c.min);
    }
    panel->Destroy();
}

} // namespace
} // namespace scrolltest
