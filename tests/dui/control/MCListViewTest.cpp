// The multi-column list view in a real host window: cells under their
// header items by column id, through resizing, moving, hiding and
// horizontal scrolling; sorting; clicks below the rows.
#include "ListTestHost.h"

#include "dui/control/HeaderEvents.h"
#include "dui/control/SHeaderCtrl.h"
#include "dui/control/SMCListView.h"

namespace listtest {
namespace {

class ColumnAdapter : public TObjRefImpl<LvAdatperImpl<IMcAdapter>>
{
public:
    int count = 20;
    std::vector<int> asked;
    bool askedPastCount = false;
    bool sortAnswer = true;
    std::vector<int> sorted;          // the column ids OnSort was asked for
    std::vector<bool> visible = {true, true, true};

    int GetCount() override { return count; }
    void GetView(int row, SItemPanel* item, xmldom::xml_node tpl) override
    {
        askedPastCount = askedPastCount || row < 0 || row >= count;
        asked.push_back(row);
        if (item->GetChildrenCount() == 0)
            item->CreateChildren(tpl);
    }
    SStringW GetColumnName(int column) override { return SStringW(L"c") + std::to_wstring(column).c_str(); }
    bool IsColumnVisible(int position) override
    {
        return position < 0 || position >= static_cast<int>(visible.size()) || visible[position];
    }
    bool OnSort(int column, UINT* flags, int n) override
    {
        sorted.push_back(column);
        for (int i = 0; i < n; ++i)
            flags[i] = i == column ? (flags[i] == 1 ? 2 : 1) : 0;
        return sortAnswer;
    }
};

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF;

class MCListViewTest : public ListHostTest
{
protected:
    void SetUp() override
    {
        ListHostTest::SetUp();
        ASSERT_NE(Open(L"LAYOUT:XML_MCLISTVIEW"), nullptr);
        m_mc = Child<SMCListView>(m_host, L"mc");
        ASSERT_NE(m_mc, nullptr);
        m_head = m_mc->GetHeader();
        ASSERT_NE(m_head, nullptr);
        m_adapter = SRefPtr<ColumnAdapter>::Adopt(new ColumnAdapter());
        m_mc->SubscribeEvent(EventLVSelChanged::EventID, StdFunctionSlot([this](EventArgs* e) {
                                 m_changed.push_back(static_cast<EventLVSelChanged*>(e)->iNewSel);
                                 return false;
                             }));
        ASSERT_TRUE(m_mc->SetAdapter(m_adapter.Get()));
        Flush(m_host);
    }
    // The left and right edge of a row's cell in host coordinates.
    std::pair<int, int> Cell(int row, const wchar_t* name)
    {
        SItemPanel* panel = m_mc->GetItemPanel(row);
        RECT item;
        m_mc->OnItemGetRect(panel, item);
        const RECT rc = panel->FindChildByName(name)->GetWindowRect();
        return {item.left + rc.left, item.left + rc.right};
    }
    using Span = std::pair<int, int>;

    SMCListView* m_mc = nullptr;
    SHeaderCtrl* m_head = nullptr;
    SRefPtr<ColumnAdapter> m_adapter;
    std::vector<int> m_changed;
};

TEST_F(MCListViewTest, CellsStandUnderTheirColumnsAndFollowResizeAndSwap)
{
    EXPECT_EQ(m_mc->GetHeaderHeight(), 24);
    EXPECT_EQ(m_head->GetWindowRect().top, 0);
    EXPECT_EQ(Cell(0, L"c0"), Span(0, 80));
    EXPECT_EQ(Cell(0, L"c1"), Span(80, 140));
    EXPECT_EQ(Cell(3, L"c2"), Span(140, 280));
    EXPECT_EQ(At(POINT{40, 24 + 15}), kRed);
    EXPECT_EQ(At(POINT{100, 24 + 15}), kGreen);
    EXPECT_EQ(At(POINT{180, 24 + 15}), kBlue);
    // Both bars: 20 rows of 30 in 136 - 12 pixels, 280 columns in 228.
    EXPECT_TRUE(m_mc->HasScrollBar(TRUE));
    EXPECT_TRUE(m_mc->HasScrollBar(FALSE));
    hosttest::MaybeSavePng(m_host->GetMemSurface(), L"mclistview_100.png");

    // The divider after "Size" dragged 20 to the right.
    PostAndPump(m_hwnd, WM_MOUSEMOVE, 0, POINT{139, 10});
    PostAndPump(m_hwnd, WM_LBUTTONDOWN, MK_LBUTTON, POINT{139, 10});
    PostAndPump(m_hwnd, WM_MOUSEMOVE, MK_LBUTTON, POINT{159, 10});
    PostAndPump(m_hwnd, WM_LBUTTONUP, 0, POINT{159, 10});
    EXPECT_EQ(Cell(0, L"c1"), Span(80, 160));
    EXPECT_EQ(Cell(2, L"c2"), Span(160, 300));

    // "Name" dragged onto "Where": orders 1, 2, 0, and the cells follow.
    m_adapter->asked.clear();
    PostAndPump(m_hwnd, WM_MOUSEMOVE, 0, POINT{40, 10});
    PostAndPump(m_hwnd, WM_LBUTTONDOWN, MK_LBUTTON, POINT{40, 10});
    PostAndPump(m_hwnd, WM_MOUSEMOVE, MK_LBUTTON, POINT{200, 10});
    PostAndPump(m_hwnd, WM_LBUTTONUP, 0, POINT{200, 10});
    EXPECT_EQ(Cell(0, L"c1"), Span(0, 80));
    EXPECT_EQ(Cell(0, L"c2"), Span(80, 220));
    EXPECT_EQ(Cell(0, L"c0"), Span(220, 300));
    EXPECT_TRUE(m_adapter->asked.empty());   // cells moved, rows not refilled
    EXPECT_EQ(At(POINT{40, 24 + 15}), kGreen);
    EXPECT_EQ(At(POINT{100, 24 + 15}), kBlue);
}

TEST_F(MCListViewTest, HorizontalScrollMovesHeaderAndRowsWithoutRebuildingRows)
{
    const size_t made = m_mc->GetPanelsCreated();
    m_adapter->asked.clear();
    m_mc->DeliverSwndMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 40));
    EXPECT_EQ(m_mc->GetScrollPos(FALSE), 40);
    EXPECT_EQ(m_head->GetWindowRect().left, -40);
    EXPECT_EQ(Cell(1, L"c1"), Span(40, 100));
    EXPECT_TRUE(m_adapter->asked.empty());
    EXPECT_EQ(m_mc->GetPanelsCreated(), made);
    EXPECT_EQ(At(POINT{30, 24 + 31 + 15}), kRed);
    EXPECT_EQ(At(POINT{50, 24 + 31 + 15}), kGreen);
    // Scrolled down as well: the header stays on top.
    m_mc->DeliverSwndMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 95));
    EXPECT_EQ(m_head->GetWindowRect().top, 0);
    EXPECT_EQ(m_mc->GetFirstVisible(), 3);
    Flush(m_host);
    hosttest::MaybeSavePng(m_host->GetMemSurface(), L"mclistview_scrolled_100.png");
    EXPECT_FALSE(m_adapter->askedPastCount);

    ScaleTo(150, SIZE{240, 160});
    EXPECT_EQ(m_mc->GetHeaderHeight(), 24);   // px stays px
    EXPECT_EQ(m_head->GetWindowRect().left, -m_mc->GetScrollPos(FALSE));
    hosttest::MaybeSavePng(m_host->GetMemSurface(), L"mclistview_scrolled_150.png");
}

TEST_F(MCListViewTest, AClickBelowTheRowsClearsTheSelection)
{
    m_adapter->count = 2;
    m_adapter->NotifyDataSetChanged();
    Flush(m_host);
    Click(POINT{60, 24 + 15});
    EXPECT_EQ(m_mc->GetSel(), 0);
    Click(POINT{60, 130});
    EXPECT_EQ(m_mc->GetSel(), -1);
    EXPECT_EQ(m_changed, (std::vector<int>{0, -1}));
    EXPECT_FALSE(m_mc->HasScrollBar(TRUE));
}

TEST_F(MCListViewTest, SortMarksAreCopiedBackOnlyWhenTheAdapterSaysSo)
{
    Click(POINT{100, 10});   // "Size", column 1
    EXPECT_EQ(m_adapter->sorted, std::vector<int>{1});
    SHDITEM item;
    m_head->GetItem(1, &item);
    EXPECT_EQ(item.sortFlag, 1u);
    m_adapter->sortAnswer = false;
    Click(POINT{100, 10});
    m_head->GetItem(1, &item);
    EXPECT_EQ(item.sortFlag, 1u);
    EXPECT_EQ(m_adapter->sorted, (std::vector<int>{1, 1}));
}

TEST_F(MCListViewTest, AHiddenColumnTakesNoWidthAndItsCellIsHidden)
{
    m_adapter->visible = {true, false, true};
    m_adapter->NotifyDataSetChanged();
    Flush(m_host);
    EXPECT_FALSE(m_head->IsItemVisible(1));
    EXPECT_EQ(m_head->GetTotalWidth(), 220);
    EXPECT_FALSE(m_mc->GetItemPanel(0)->FindChildByName(L"c1")->IsVisible(FALSE));
    EXPECT_EQ(Cell(0, L"c2"), Span(80, 220));
}

TEST_F(MCListViewTest, WithoutAHeaderTheViewTakesNoAdapter)
{
    m_host->CreateChildrenFromXmlText(
        L"<x><mclistview name=\"bare\" pos=\"0,0,@50,@50\"><template itemHeight=\"20\"/></mclistview></x>");
    auto* bare = Child<SMCListView>(m_host, L"bare");
    ASSERT_NE(bare, nullptr);
    EXPECT_EQ(bare->GetHeader(), nullptr);
    EXPECT_FALSE(bare->SetAdapter(m_adapter.Get()));
    EXPECT_EQ(m_adapter->GetObserverCount(), 1u);   // only the first view's
}

} // namespace
} // namespace listtest
