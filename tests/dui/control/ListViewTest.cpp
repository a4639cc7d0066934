// The list view in a real host window: rows only where they show, panels
// reused by view type, selection by posted clicks and keys, events of the
// windows in a row, changes while hidden, and adapters that misbehave.
#include "ListTestHost.h"

#include <algorithm>
#include <set>

#include "dui/control/SListView.h"
#include "dui/control/SListViewItemLocatorFlex.h"

namespace listtest {
namespace {

constexpr uint32_t kNavy = 0xFF000080;   // the default selected fill
constexpr int kLine = 31;                // rows of 30 and a divider of 1

POINT InRow(int row, int x = 120)
{
    return POINT{x, row * kLine + 15};
}

class ListViewTest : public ListHostTest
{
protected:
    void SetUp() override
    {
        ListHostTest::SetUp();
        ASSERT_NE(Open(L"LAYOUT:XML_LISTVIEW"), nullptr);
        m_lv = Child<SListView>(m_host, L"lv");
        ASSERT_NE(m_lv, nullptr);
        m_adapter = SRefPtr<RowAdapter>::Adopt(new RowAdapter());
        m_lv->SubscribeEvent(EventLVSelChanging::EventID, StdFunctionSlot([this](EventArgs* e) {
                                 auto* c = static_cast<EventLVSelChanging*>(e);
                                 m_selLog.push_back({15100, c->iOldSel, c->iNewSel});
                                 c->bCancel = c->iNewSel == m_refuse;
                                 return false;
                             }));
        m_lv->SubscribeEvent(EventLVSelChanged::EventID, StdFunctionSlot([this](EventArgs* e) {
                                 auto* c = static_cast<EventLVSelChanged*>(e);
                                 m_selLog.push_back({15101, c->iOldSel, c->iNewSel});
                                 return false;
                             }));
    }
    void Attach()
    {
        ASSERT_TRUE(m_lv->SetAdapter(m_adapter.Get()));
        Flush(m_host);
    }

    struct Sel
    {
        int id, from, to;
        bool operator==(const Sel& o) const { return id == o.id && from == o.from && to == o.to; }
    };

    SListView* m_lv = nullptr;
    SRefPtr<RowAdapter> m_adapter;
    std::vector<Sel> m_selLog;
    int m_refuse = -100;
};

TEST_F(ListViewTest, OnlyVisibleRowsGetPanelsAndAClickSelectsTheRow)
{
    EXPECT_EQ(m_lv->GetChildrenCount(), 0u);   // the stray window was not made
    Attach();
    EXPECT_EQ(m_lv->GetFirstVisible(), 0);
    EXPECT_EQ(m_lv->GetVisibleCount(), 6u);    // 160 / 31, the last one cut
    EXPECT_EQ(m_lv->GetPanelsCreated(), 6u);
    EXPECT_FALSE(m_adapter->askedPastCount);
    EXPECT_TRUE(m_lv->HasScrollBar(TRUE));
    EXPECT_EQ(m_lv->GetItemPanel(6), nullptr);
    EXPECT_EQ(m_lv->GetItemPanel(-1), nullptr);

    Click(InRow(2));
    EXPECT_EQ(m_lv->GetSel(), 2);
    EXPECT_EQ(m_selLog, (std::vector<Sel>{{15100, -1, 2}, {15101, -1, 2}}));
    EXPECT_EQ(At(InRow(2)), kNavy);
    EXPECT_NE(At(InRow(3)), kNavy);
    EXPECT_NE(At(InRow(1)), kNavy);
    hosttest::MaybeSavePng(m_host->GetMemSurface(), L"listview_100.png");

    // The same row again: the click selects nothing; SetSel with notice
    // asks, but nothing changed.
    m_selLog.clear();
    Click(InRow(2));
    EXPECT_TRUE(m_selLog.empty());
    m_lv->SetSel(2, TRUE);
    EXPECT_EQ(m_selLog, (std::vector<Sel>{{15100, 2, 2}}));

    // A subscriber refuses row 4.
    m_selLog.clear();
    m_refuse = 4;
    Click(InRow(4));
    EXPECT_EQ(m_lv->GetSel(), 2);
    EXPECT_EQ(m_selLog, (std::vector<Sel>{{15100, 2, 4}}));
    EXPECT_EQ(At(InRow(2)), kNavy);
}

TEST_F(ListViewTest, AButtonInARowRunsItsSubscribersButItsCommandStaysInTheRow)
{
    std::set<SWindow*> subscribed;
    int commands = 0;
    m_adapter->onGetView = [&](int, SItemPanel* item) {
        SWindow* btn = item->FindChildByName(L"btn");
        if (btn && subscribed.insert(btn).second)
            btn->SubscribeEvent(EventCmd::EventID, StdFunctionSlot([&](EventArgs*) {
                                    ++commands;
                                    return false;
                                }));
    };
    Attach();
    PanelEventLog log(m_lv);
    Click(InRow(1, 170));
    EXPECT_EQ(commands, 1);
    EXPECT_EQ(m_lv->GetSel(), 1);

    auto find = [&](int id, const std::wstring& from) {
        return std::find(log.events.begin(), log.events.end(), std::make_pair(id, from)) - log.events.begin();
    };
    const auto click = find(EventItemPanelClick::EventID, L"");
    const auto rowCommand = find(EventCmd::EventID, L"");
    const auto size = static_cast<long>(log.events.size());
    EXPECT_LT(click, size);
    EXPECT_LT(rowCommand, size);
    EXPECT_LT(click, rowCommand);
    EXPECT_EQ(find(EventCmd::EventID, L"btn"), size);
    EXPECT_EQ(find(EventLButtonUp::EventID, L"btn"), size);
    // The press itself reached the view from the button.
    EXPECT_LT(find(EventLButtonDown::EventID, L"btn"), size);
}

TEST_F(ListViewTest, KeysMoveTheSelectionWithinTheRows)
{
    Attach();
    Click(InRow(0));
    ASSERT_TRUE(m_lv->IsFocused());
    struct Step
    {
        WPARAM key;
        int sel;
    };
    const Step steps[] = {{VK_DOWN, 1}, {VK_UP, 0}, {VK_UP, 0}, {VK_END, 99}, {VK_DOWN, 99},
                          {VK_HOME, 0}, {VK_NEXT, -2}, {VK_PRIOR, -3}};
    for (const Step& s : steps) {
        SCOPED_TRACE(s.key);
        Key(s.key);
        const int last = m_lv->GetFirstVisible() + static_cast<int>(m_lv->GetVisibleCount()) - 1;
        const int want = s.sel == -2 ? last : s.sel == -3 ? m_lv->GetFirstVisible() : s.sel;
        EXPECT_EQ(m_lv->GetSel(), want);
        EXPECT_NE(m_lv->GetItemPanel(want), nullptr);
    }
    // At the end the last row stands at the bottom edge.
    Key(VK_END);
    const RECT client = m_lv->GetClientRect();
    RECT row;
    ASSERT_TRUE(m_lv->OnItemGetRect(m_lv->GetItemPanel(99), row));
    EXPECT_EQ(row.bottom, client.bottom);

    // Enter and Escape go to the owner.
    auto* owner = new hosttest::RecorderWnd();
    m_host->InsertChild(owner);
    m_lv->SetOwner(owner);
    Key(VK_RETURN);
    Key(VK_ESCAPE);
    EXPECT_EQ(owner->Count(WM_KEYDOWN), 2u);
    m_lv->SetOwner(nullptr);
}

TEST_F(ListViewTest, ScrollingEndToEndMakesAtMostTheVisiblePanelsAndOnePerType)
{
    for (int types : {1, 2, 3}) {
        SCOPED_TRACE(types);
        m_adapter = SRefPtr<RowAdapter>::Adopt(new RowAdapter());
        m_adapter->count = 10000;
        m_adapter->types = types;
        m_adapter->typeOf = [types](int row) { return row % types; };
        Attach();
        size_t most = m_lv->GetVisibleCount();
        int before = -1;
        while (m_lv->GetScrollPos(TRUE) != before) {
            before = m_lv->GetScrollPos(TRUE);
            m_lv->DeliverSwndMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0));
            most = std::max(most, m_lv->GetVisibleCount());
        }
        EXPECT_NE(m_lv->GetItemPanel(9999), nullptr);
        EXPECT_LE(m_lv->GetPanelsCreated(), most + static_cast<size_t>(types));
        EXPECT_FALSE(m_adapter->askedPastCount);
    }
    // The wheel: three notches up, three lines.
    const int end = m_lv->GetScrollPos(TRUE);
    Wheel(m_hwnd, 3 * WHEEL_DELTA, InRow(2));
    EXPECT_EQ(m_lv->GetScrollPos(TRUE), end - 3 * kLine);
}

TEST_F(ListViewTest, ChangesWhileHiddenAreAppliedOnceOnShow)
{
    Attach();
    struct Case
    {
        const char* name;
        std::vector<int> changes;   // -1: the whole data set
        std::vector<int> refilled;
    };
    const Case cases[] = {
        {"one row refills that row", {3}, {3}},
        {"two rows refill all", {3, 4}, {0, 1, 2, 3, 4, 5}},
        {"two whole changes refill once", {-1, -1}, {0, 1, 2, 3, 4, 5}},
        {"a row outside the view refills nothing", {50}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_lv->SetVisible(FALSE, TRUE);
        m_adapter->asked.clear();
        for (int row : c.changes) {
            if (row == -1)
                m_adapter->NotifyDataSetChanged();
            else
                m_adapter->NotifyItemDataChanged(row);
        }
        EXPECT_TRUE(m_adapter->asked.empty());
        m_lv->SetVisible(TRUE, TRUE);
        EXPECT_EQ(m_adapter->asked, c.refilled);
    }
}

TEST_F(ListViewTest, FlexibleRowsTakeTheHeightsTheAdapterMeasures)
{
    class TallAdapter : public RowAdapter
    {
    public:
        SIZE GetViewDesiredSize(int row, SItemPanel*, const RECT& rc) override
        {
            return SIZE{rc.right - rc.left, 20 + (row % 3) * 10};
        }
    };
    m_adapter = SRefPtr<RowAdapter>::Adopt(new TallAdapter());
    const auto flex = SRefPtr<IListViewItemLocator>::Adopt(
        new SListViewItemLocatorFlex(SLayoutSize(30, SLayoutSize::px), SLayoutSize(1, SLayoutSize::px)));
    m_lv->SetItemLocator(flex.Get());
    Attach();
    int top = 0;
    for (int row = 0; row < static_cast<int>(m_lv->GetVisibleCount()); ++row) {
        SCOPED_TRACE(row);
        RECT rc;
        ASSERT_TRUE(m_lv->OnItemGetRect(m_lv->GetItemPanel(row), rc));
        EXPECT_EQ(rc.top, top);
        EXPECT_EQ(rc.bottom - rc.top, 20 + (row % 3) * 10);
        top = rc.bottom + 1;
    }
    EXPECT_GE(top, 160);
    Click(POINT{120, 21 + 5});   // row 1 starts at 21
    EXPECT_EQ(m_lv->GetSel(), 1);
    EXPECT_EQ(At(POINT{120, 21 + 5}), kNavy);
}

TEST_F(ListViewTest, BadInputNeitherCrashesNorAsksForRowsPastTheCount)
{
    Attach();
    m_lv->SetSel(3);
    m_lv->SetSel(1000000);
    EXPECT_EQ(m_lv->GetSel(), 3);
    m_lv->EnsureVisible(-7);
    m_lv->EnsureVisible(1000000);
    EXPECT_EQ(m_lv->GetScrollPos(TRUE), 0);
    m_lv->SetSel(-5);
    EXPECT_EQ(m_lv->GetSel(), -1);

    struct Case
    {
        const char* name;
        int count;
        int types;
        std::function<int(int)> typeOf;
        std::function<void(RowAdapter&, int)> inGetView;
    };
    SListView* lv = m_lv;
    const Case cases[] = {
        {"no rows", 0, 1, nullptr, nullptr},
        {"a million rows", 1000000, 1, nullptr, nullptr},
        {"no view types", 10, 0, nullptr, nullptr},
        {"a thousand view types", 10, 1000, [](int row) { return row * 97 % 1000; }, nullptr},
        {"a view type of -1", 10, 1, [](int) { return -1; }, nullptr},
        {"a view type past the count", 10, 2, [](int) { return 2; }, nullptr},
        {"rows removed inside GetView", 100, 1, nullptr,
         [](RowAdapter& a, int row) {
             if (row == 2 && a.count > 3) {
                 a.count = 3;
                 a.NotifyDataSetChanged();
             }
         }},
        {"detached inside GetView", 100, 1, nullptr, [lv](RowAdapter&, int row) {
             if (row == 1)
                 lv->SetAdapter(nullptr);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto adapter = SRefPtr<RowAdapter>::Adopt(new RowAdapter());
        adapter->count = c.count;
        adapter->types = c.types;
        adapter->typeOf = c.typeOf;
        RowAdapter* raw = adapter.Get();
        if (c.inGetView)
            adapter->onGetView = [raw, &c](int row, SItemPanel*) { c.inGetView(*raw, row); };
        ASSERT_TRUE(m_lv->SetAdapter(adapter.Get()));
        Flush(m_host);
        m_lv->DeliverSwndMessage(WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0));
        Click(InRow(1));
        Key(VK_END);
        Flush(m_host);
        EXPECT_FALSE(adapter->askedPastCount);
        EXPECT_LE(m_lv->GetVisibleCount(), static_cast<size_t>(std::max(adapter->count, 0)));
        m_lv->SetAdapter(nullptr);
    }
}

TEST_F(ListViewTest, AHandlerMayDestroyTheViewInTheMiddleOfAClick)
{
    Attach();
    m_lv->SubscribeEvent(EventLVSelChanged::EventID, StdFunctionSlot([this](EventArgs*) {
                             m_host->DestroyChild(m_lv);
                             return false;
                         }));
    Click(InRow(2));
    EXPECT_EQ(Child(m_host, L"lv"), nullptr);
    Flush(m_host);
    // The adapter no longer holds the view's observer.
    EXPECT_EQ(m_adapter->GetObserverCount(), 0u);
}

TEST_F(ListViewTest, ATemplateOfNoHeightGivesFlexibleRowsAndNoTemplateNoAdapter)
{
    m_host->CreateChildrenFromXmlText(
        L"<x><listview name=\"zero\" pos=\"0,0,@50,@50\"><template itemHeight=\"0\"/></listview>"
        L"<listview name=\"negative\" pos=\"0,0,@50,@50\"><template itemHeight=\"-5\"/></listview>"
        L"<listview name=\"none\" pos=\"0,0,@50,@50\"/></x>");
    for (const wchar_t* name : {L"zero", L"negative"}) {
        auto* lv = Child<SListView>(m_host, name);
        ASSERT_NE(lv, nullptr);
        ASSERT_NE(lv->GetItemLocator(), nullptr);
        EXPECT_FALSE(lv->GetItemLocator()->IsFixHeight());
        EXPECT_TRUE(lv->SetAdapter(m_adapter.Get()));
        lv->SetAdapter(nullptr);
    }
    auto* none = Child<SListView>(m_host, L"none");
    EXPECT_FALSE(none->SetAdapter(m_adapter.Get()));
    EXPECT_EQ(m_adapter->GetObserverCount(), 0u);
}

TEST_F(ListViewTest, RowsAtOneHundredAndFiftyPercent)
{
    Attach();
    ScaleTo(150, SIZE{240, 160});
    Click(POINT{120, 47 + 20});   // rows of 45 and a divider of 2
    EXPECT_EQ(m_lv->GetSel(), 1);
    RECT rc;
    ASSERT_TRUE(m_lv->OnItemGetRect(m_lv->GetItemPanel(1), rc));
    EXPECT_EQ(rc.top, 47);
    EXPECT_EQ(rc.bottom, 92);
    EXPECT_EQ(At(POINT{120, 47 + 20}), kNavy);
    hosttest::MaybeSavePng(m_host->GetMemSurface(), L"listview_150.png");
}

} // namespace
} // namespace listtest
