// The stand-alone scroll bar in a real host window: it reports presses and
// drags and leaves the position to its subscriber.
#include "ScrollTestHost.h"

#include "dui/control/SScrollBar.h"

namespace scrolltest {
namespace {

// "bar" stands at (220, 10), 12 x 150, range 0-99, page 20: arrows 12 long,
// rail 126, thumb 126 x 20 / 100 = 25, 101 pixels of travel for 80 positions.
class ScrollBarTest : public ScrollHostTest
{
protected:
    void SetUp() override
    {
        ScrollHostTest::SetUp();
        m_bar = Child<SScrollBar>(m_host, L"bar");
        ASSERT_NE(m_bar, nullptr);
        Record(m_bar);
    }
    SCROLLINFO Info() const
    {
        SCROLLINFO si = {sizeof(si), SIF_ALL | SIF_TRACKPOS};
        m_bar->DeliverSwndMessage(SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&si));
        return si;
    }
    void SetPos(int pos)
    {
        SCROLLINFO si = {sizeof(si), SIF_POS};
        si.nPos = pos;
        m_bar->DeliverSwndMessage(SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&si));
    }
    void Click(POINT pt)
    {
        PostAndPump(m_hwnd, WM_MOUSEMOVE, 0, pt);
        PostAndPump(m_hwnd, WM_LBUTTONDOWN, MK_LBUTTON, pt);
        PostAndPump(m_hwnd, WM_LBUTTONUP, 0, pt);
    }

    SScrollBar* m_bar = nullptr;
};

TEST_F(ScrollBarTest, PressesReportTheirPartAndLeaveThePosition)
{
    EXPECT_EQ(m_bar->GetArrowSize(), kCell);
    struct Case
    {
        const char* name;
        POINT at;
        int code;
    };
    const Case kCases[] = {
        {"last arrow", {226, 154}, SB_LINEDOWN},
        {"rail after the thumb", {226, 100}, SB_PAGEDOWN},
        {"first arrow", {226, 15}, SB_LINEUP},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        m_scrolls.clear();
        Click(c.at);
        ASSERT_EQ(m_scrolls.size(), 1u);
        EXPECT_EQ(m_scrolls[0].code, c.code);
        EXPECT_EQ(m_scrolls[0].pos, 0);
        EXPECT_TRUE(m_scrolls[0].vertical);
        EXPECT_EQ(Info().nPos, 0);
    }
    // The subscriber moves it; the thumb follows.
    SetPos(40);
    const RECT thumb = m_bar->GetPartRect(SB_THUMBTRACK);
    EXPECT_EQ(thumb.top, 10 + 12 + 101 * 40 / 80);
    m_scrolls.clear();
    Click(POINT{226, 30});
    ASSERT_EQ(m_scrolls.size(), 1u);
    EXPECT_EQ(m_scrolls[0].code, SB_PAGEUP);
    EXPECT_EQ(m_scrolls[0].pos, 40);
}

TEST_F(ScrollBarTest, ThumbDragTracksThenSetsThePosition)
{
    const POINT from = Center(m_bar->GetPartRect(SB_THUMBTRACK));
    PostAndPump(m_hwnd, WM_MOUSEMOVE, 0, from);
    PostAndPump(m_hwnd, WM_LBUTTONDOWN, MK_LBUTTON, from);
    EXPECT_TRUE(m_scrolls.empty());
    PostAndPump(m_hwnd, WM_MOUSEMOVE, MK_LBUTTON, POINT{from.x, from.y + 20});
    EXPECT_EQ(Info().nTrackPos, 80 * 20 / 101);
    EXPECT_EQ(Info().nPos, 0);
    PostAndPump(m_hwnd, WM_MOUSEMOVE, MK_LBUTTON, POINT{from.x, from.y + 50});
    PostAndPump(m_hwnd, WM_MOUSEMOVE, MK_LBUTTON, POINT{from.x, from.y + 50});
    PostAndPump(m_hwnd, WM_LBUTTONUP, 0, POINT{from.x, from.y + 50});
    ASSERT_EQ(m_scrolls.size(), 3u);
    EXPECT_EQ(m_scrolls[0].code, SB_THUMBTRACK);
    EXPECT_EQ(m_scrolls[0].pos, 80 * 20 / 101);
    EXPECT_EQ(m_scrolls[1].code, SB_THUMBTRACK);
    EXPECT_EQ(m_scrolls[1].pos, 80 * 50 / 101);
    EXPECT_EQ(m_scrolls[2].code, SB_THUMBPOSITION);
    EXPECT_EQ(m_scrolls[2].pos, 80 * 50 / 101);
    EXPECT_EQ(Info().nPos, 80 * 50 / 101);
    EXPECT_EQ(Info().nTrackPos, -1);
}

TEST_F(ScrollBarTest, SetScrollInfoKeepsThePositionInRange)
{
    struct Case
    {
        const char* name;
        UINT mask;
        int min, max;
        UINT page;
        int pos, want;
    };
    const Case kCases[] = {
        {"inside", SIF_POS, 0, 0, 0, 30, 30},
        {"beyond the range", SIF_POS, 0, 0, 0, 500, 80},
        {"new range pulls it in", SIF_RANGE, 0, 49, 0, 0, 30},
        {"below min", SIF_POS, 0, 0, 0, -3, 0},
        {"larger page", SIF_PAGE | SIF_POS, 0, 0, 45, 40, 5},
        {"max below min", SIF_RANGE | SIF_POS, 10, 5, 0, 100, 10},
    };
    SetPos(50);
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        SCROLLINFO si = {sizeof(si), c.mask, c.min, c.max, c.page, c.pos};
        EXPECT_EQ(m_bar->DeliverSwndMessage(SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&si)), TRUE);
        EXPECT_EQ(Info().nPos, c.want);
    }
    const RECT thumb = m_bar->GetPartRect(SB_THUMBTRACK);
    EXPECT_TRUE(::IsRectEmpty(&thumb));
    EXPECT_EQ(m_bar->HitTest(POINT{226, 80}), -1);
}

TEST_F(ScrollBarTest, DrawsEveryPartDisabledWhenDisabled)
{
    const POINT thumb = Center(m_bar->GetPartRect(SB_THUMBTRACK));
    const POINT rail = Center(m_bar->GetPartRect(SB_PAGEDOWN));
    const POINT arrow = Center(m_bar->GetPartRect(SB_LINEUP));
    EXPECT_EQ(Pixel(m_host, thumb), CellColor(kVertThumb, 0));
    EXPECT_EQ(Pixel(m_host, rail), CellColor(kVertRail, 0));
    EXPECT_EQ(Pixel(m_host, arrow), CellColor(0, 0));
    m_bar->EnableWindow(FALSE, TRUE);
    Flush(m_host);
    EXPECT_EQ(Pixel(m_host, thumb), CellColor(kVertThumb, kDisabledRow));
    EXPECT_EQ(Pixel(m_host, rail), CellColor(kVertRail, kDisabledRow));
    EXPECT_EQ(Pixel(m_host, arrow), CellColor(0, kDisabledRow));
}

TEST_F(ScrollBarTest, ShortBarGetsTwoHalfArrowsAndNoRail)
{
    m_bar->SetAttribute(L"arrowSize", L"100", FALSE);
    const RECT first = m_bar->GetPartRect(SB_LINEUP);
    const RECT last = m_bar->GetPartRect(SB_LINEDOWN);
    EXPECT_EQ(first.top, 10);
    EXPECT_EQ(first.bottom, 10 + 75);
    EXPECT_EQ(last.top, 10 + 75);
    EXPECT_EQ(last.bottom, 160);
    const RECT thumb = m_bar->GetPartRect(SB_THUMBTRACK);
    EXPECT_TRUE(::IsRectEmpty(&thumb));
}

} // namespace
} // namespace scrolltest
