// The header in a real host window: hit zones, posted resizing by a
// divider, moving an item by a drag, clicks, and bad widths.
#include "ListTestHost.h"

#include <climits>

#include "dui/control/HeaderEvents.h"
#include "dui/control/SHeaderCtrl.h"

namespace listtest {
namespace {

class HeaderCtrlTest : public ListHostTest
{
protected:
    void SetUp() override
    {
        ListHostTest::SetUp();
        ASSERT_NE(Open(L"LAYOUT:XML_HEADER"), nullptr);
        m_sorting = Child<SHeaderCtrl>(m_host, L"sorting");
        m_plain = Child<SHeaderCtrl>(m_host, L"plain");
        ASSERT_NE(m_sorting, nullptr);
        ASSERT_NE(m_plain, nullptr);
        for (SHeaderCtrl* h : {m_sorting, m_plain}) {
            for (int id : {EventHeaderClick::EventID, EventHeaderItemChanging::EventID,
                           EventHeaderItemChanged::EventID, EventHeaderItemSwap::EventID,
                           EventHeaderRelayout::EventID}) {
                h->SubscribeEvent(id, StdFunctionSlot([this, h](EventArgs* e) {
                                      Record(h, e);
                                      return false;
                                  }));
            }
        }
    }
    void Record(SHeaderCtrl* h, EventArgs* e)
    {
        std::wstring line = std::wstring(h->GetName()) + L":" + std::to_wstring(e->GetID());
        if (auto* c = EventCast<EventHeaderClick>(e))
            line += L" " + std::to_wstring(c->iItem);
        if (auto* c = EventCast<EventHeaderItemChanging>(e))
            line += L" " + std::to_wstring(c->iItem) + L"," + std::to_wstring(c->nWidth);
        if (auto* c = EventCast<EventHeaderItemChanged>(e))
            line += L" " + std::to_wstring(c->iItem) + L"," + std::to_wstring(c->nWidth);
        if (auto* c = EventCast<EventHeaderItemSwap>(e))
            line += L" " + std::to_wstring(c->iOldIndex) + L"," + std::to_wstring(c->iNewIndex);
        m_log.push_back(line);
    }
    std::vector<int> Orders(SHeaderCtrl* h) const
    {
        std::vector<int> orders;
        for (int i = 0; i < h->GetItemCount(); ++i) {
            SHDITEM item;
            h->GetItem(i, &item);
            orders.push_back(item.iOrder);
        }
        return orders;
    }
    // Down at `from`, moves with the button through `via`, up at the last.
    void Drag(POINT from, std::vector<POINT> via)
    {
        PostAndPump(m_hwnd, WM_MOUSEMOVE, 0, from);
        PostAndPump(m_hwnd, WM_LBUTTONDOWN, MK_LBUTTON, from);
        for (POINT p : via)
            PostAndPump(m_hwnd, WM_MOUSEMOVE, MK_LBUTTON, p);
        PostAndPump(m_hwnd, WM_LBUTTONUP, 0, via.back());
    }

    SHeaderCtrl* m_sorting = nullptr;
    SHeaderCtrl* m_plain = nullptr;
    std::vector<std::wstring> m_log;
};

TEST_F(HeaderCtrlTest, ItemsComeFromXmlWithTheirFields)
{
    ASSERT_EQ(m_sorting->GetItemCount(), 4);
    SHDITEM item;
    ASSERT_TRUE(m_sorting->GetItem(2, &item));
    EXPECT_EQ(std::wstring(item.text.c_str()), L"Type");
    EXPECT_EQ(item.sortFlag, 1u);
    ASSERT_TRUE(m_sorting->GetItem(1, &item));
    EXPECT_EQ(item.lParam, 0x10u);
    EXPECT_EQ(Orders(m_sorting), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(m_sorting->GetTotalWidth(), 240);
    EXPECT_EQ(m_sorting->GetChildrenCount(), 0u);   // "items" made no window
    EXPECT_FALSE(m_sorting->GetItem(4, &item));
    EXPECT_EQ(m_sorting->GetItemWidth(-1), -1);
}

TEST_F(HeaderCtrlTest, HitZonesAreFourPixelsWideWithSortingAndTwoWithout)
{
    const DWORD none = SHeaderCtrl::kNoHit;
    auto hit = [](int l, int h) { return SHeaderCtrl::MakeHit(l, h); };
    struct Case
    {
        int x;
        DWORD sorting, plain;
    };
    const Case cases[] = {
        {0, hit(0, 0), hit(0, 0)},         // the left edge of the first item is inside it
        {30, hit(0, 0), hit(0, 0)},
        {115, hit(1, 1), hit(1, 1)},
        {116, hit(1, 2), hit(1, 1)},
        {117, hit(1, 2), hit(1, 1)},       // three left of the border between 1 and 2
        {118, hit(1, 2), hit(1, 2)},
        {121, hit(1, 2), hit(1, 2)},
        {123, hit(1, 2), hit(2, 2)},
        {124, hit(2, 2), hit(2, 2)},
        {239, hit(3, 0xFFFF), hit(3, 0xFFFF)},
        {240, none, none},
        {-1, none, none},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        EXPECT_EQ(m_sorting->HitTestItem(POINT{c.x, 10}), c.sorting);
        EXPECT_EQ(m_plain->HitTestItem(POINT{c.x, 60}), c.plain);
    }
    EXPECT_EQ(m_sorting->HitTestItem(POINT{30, 40}), none);
}

TEST_F(HeaderCtrlTest, DraggingADividerResizesAndNeverBelowZero)
{
    Drag(POINT{59, 10}, {POINT{69, 10}, POINT{79, 10}, POINT{89, 10}});
    EXPECT_EQ(m_sorting->GetItemWidth(0), 90);
    EXPECT_EQ(m_log, (std::vector<std::wstring>{L"sorting:18001 0,70", L"sorting:18004", L"sorting:18001 0,80",
                                                 L"sorting:18004", L"sorting:18001 0,90", L"sorting:18004",
                                                 L"sorting:18002 0,90", L"sorting:18004"}));
    RECT rc = m_sorting->GetItemRect(1);
    EXPECT_EQ(rc.left, 90);
    EXPECT_EQ(rc.right, 150);

    m_log.clear();
    Drag(POINT{148, 10}, {POINT{1, 10}});
    EXPECT_EQ(m_sorting->GetItemWidth(1), 0);
    EXPECT_EQ(m_log.back(), L"sorting:18004");
    EXPECT_EQ(m_log[m_log.size() - 2], L"sorting:18002 1,0");
    // The zero-width item is skipped, but the next item's left zone is the
    // divider after it, so it can be widened again.
    EXPECT_EQ(m_sorting->HitTestItem(POINT{91, 10}), SHeaderCtrl::MakeHit(1, 2));
    Drag(POINT{91, 10}, {POINT{121, 10}});
    EXPECT_EQ(m_sorting->GetItemWidth(1), 30);
}

TEST_F(HeaderCtrlTest, DraggingItemZeroOntoItemTwoMovesItWithItsOrder)
{
    PostAndPump(m_hwnd, WM_MOUSEMOVE, 0, POINT{30, 10});
    PostAndPump(m_hwnd, WM_LBUTTONDOWN, MK_LBUTTON, POINT{30, 10});
    PostAndPump(m_hwnd, WM_MOUSEMOVE, MK_LBUTTON, POINT{90, 10});
    PostAndPump(m_hwnd, WM_MOUSEMOVE, MK_LBUTTON, POINT{150, 10});
    EXPECT_TRUE(m_sorting->IsDragging());
    EXPECT_EQ(m_sorting->GetDragTarget(), 2);
    Flush(m_host);
    hosttest::MaybeSavePng(m_host->GetMemSurface(), L"header_drag.png");
    PostAndPump(m_hwnd, WM_LBUTTONUP, 0, POINT{150, 10});
    EXPECT_FALSE(m_sorting->IsDragging());
    EXPECT_EQ(Orders(m_sorting), (std::vector<int>{1, 2, 0, 3}));
    EXPECT_EQ(m_log, (std::vector<std::wstring>{L"sorting:18003 0,1", L"sorting:18004"}));
    SHDITEM item;
    m_sorting->GetItem(2, &item);
    EXPECT_EQ(std::wstring(item.text.c_str()), L"Name");
}

TEST_F(HeaderCtrlTest, ClicksFireOnlyWithSortingAndAnAppSwitchEndsADrag)
{
    Click(POINT{150, 10});
    Click(POINT{150, 60});   // the plain header: no click, and no drag either
    EXPECT_EQ(m_log, (std::vector<std::wstring>{L"sorting:18000 2"}));
    Drag(POINT{30, 60}, {POINT{150, 60}});
    EXPECT_FALSE(m_plain->IsDragging());
    EXPECT_EQ(m_log.size(), 1u);
    EXPECT_EQ(Orders(m_plain), (std::vector<int>{0, 1, 2, 3}));

    m_log.clear();
    PostAndPump(m_hwnd, WM_MOUSEMOVE, 0, POINT{30, 10});
    PostAndPump(m_hwnd, WM_LBUTTONDOWN, MK_LBUTTON, POINT{30, 10});
    PostAndPump(m_hwnd, WM_MOUSEMOVE, MK_LBUTTON, POINT{150, 10});
    ASSERT_TRUE(m_sorting->IsDragging());
    // As the host routes it; the shield keeps other processes' switches out.
    m_host->RouteHostMessage(WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_FALSE(m_sorting->IsDragging());
    PostAndPump(m_hwnd, WM_LBUTTONUP, 0, POINT{150, 10});
    EXPECT_TRUE(m_log.empty());
    EXPECT_EQ(Orders(m_sorting), (std::vector<int>{0, 1, 2, 3}));
}

TEST_F(HeaderCtrlTest, InsertingHidingAndBadWidths)
{
    EXPECT_EQ(m_sorting->InsertItemPx(1, L"new", 40, 0, 0), 1);
    EXPECT_EQ(Orders(m_sorting), (std::vector<int>{0, 1, 2, 3, 4}));
    SHDITEM item;
    m_sorting->GetItem(2, &item);
    EXPECT_EQ(item.iOrder, 2);   // "Size" was 1
    EXPECT_EQ(m_log, (std::vector<std::wstring>{L"sorting:18004"}));

    m_log.clear();
    m_sorting->SetItemVisible(1, FALSE);
    EXPECT_EQ(m_log, (std::vector<std::wstring>{L"sorting:18002 1,0"}));
    EXPECT_TRUE(::IsRectEmpty(&static_cast<const RECT&>(m_sorting->GetItemRect(1))));
    EXPECT_EQ(m_sorting->GetTotalWidth(), 240);

    m_sorting->DeleteAllItems();
    m_sorting->InsertItemPx(-1, L"neg", -50, 0, 0);
    // Each width is capped by the pixel conversion; 200 of them still pass
    // the largest int.
    for (int i = 0; i < 200; ++i)
        m_sorting->InsertItemPx(-1, L"huge", 2000000000, 0, 0);
    EXPECT_EQ(m_sorting->GetItemWidth(0), 0);
    EXPECT_EQ(m_sorting->GetTotalWidth(), INT_MAX);
    EXPECT_EQ(m_sorting->GetItemRect(2).right, 2 * m_sorting->GetItemWidth(2));
    EXPECT_EQ(m_sorting->GetItemRect(200).right, INT_MAX);
    EXPECT_EQ(m_sorting->HitTestItem(POINT{10, 10}), SHeaderCtrl::MakeHit(1, 1));
    Flush(m_host);
}

TEST_F(HeaderCtrlTest, ADividerShowsTheSizingCursorUnlessWidthsAreFixed)
{
    EXPECT_TRUE(m_sorting->OnSetCursor(POINT{59, 10}));
    EXPECT_FALSE(m_sorting->OnSetCursor(POINT{30, 10}));
    m_sorting->SetAttribute(L"fixWidth", L"1", FALSE);
    EXPECT_FALSE(m_sorting->OnSetCursor(POINT{59, 10}));
    Drag(POINT{59, 10}, {POINT{89, 10}});
    EXPECT_EQ(m_sorting->GetItemWidth(0), 60);
}

} // namespace
} // namespace listtest
