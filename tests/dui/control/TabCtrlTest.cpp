// Tab controls in a real host window: pages made from XML, selection by
// posted clicks and keys, the cancellable change, the slide tick by tick and
// the band's geometry in the four alignments.
#include <vector>

#include "TestCellSkin.h"
#include "dui/control/STabCtrl.h"
#include "dui/control/STabPage.h"
#include "dui/control/STabSlider.h"
#include "dui/core/base/SlotFunctor.h"
#include "tests/dui/core/HostTestEnv.h"

using namespace DUI;

namespace {

constexpr uint32_t kPage0 = 0xFFC08040, kPage1 = 0xFF40C080, kPage2 = 0xFF4080C0;

class TabCtrlTest : public hosttest::HostTest
{
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        m_app->TplRegisterFactory<ctltest::TestCellSkin>();
        ::SetCursorPos(2, 2);
        m_host = NewHost(L"LAYOUT:XML_TABS");
        m_hwnd = Shown(m_host);
        ASSERT_NE(m_hwnd, nullptr);
        m_tabs = Child<STabCtrl>(m_host, L"tabs");
        ASSERT_NE(m_tabs, nullptr);
    }
    // Notes every changing and changed event of the control as
    // "old>new" and "old=new"; `cancel` decides on changes.
    void Log(STabCtrl* tab)
    {
        tab->SubscribeEvent(EventTabSelChanging::EventID, StdFunctionSlot([this](EventArgs* e) {
            auto* c = static_cast<EventTabSelChanging*>(e);
            m_log.push_back(std::to_string(c->uOldSel) + ">" + std::to_string(c->uNewSel));
            c->bCancel = m_cancel;
            return true;
        }));
        tab->SubscribeEvent(EventTabSelChanged::EventID, StdFunctionSlot([this](EventArgs* e) {
            auto* c = static_cast<EventTabSelChanged*>(e);
            m_log.push_back(std::to_string(c->uOldSel) + "=" + std::to_string(c->uNewSel));
            return true;
        }));
    }
    // Posts the messages and waits until all of them have been handled.
    void Post(std::initializer_list<MSG> msgs)
    {
        for (const MSG& m : msgs)
            ::PostMessageW(m_hwnd, m.message, m.wParam, m.lParam);
        bool done = false;
        ::PostMessageW(m_hwnd, WM_NULL, 0x5EED, 0);
        nativetest::PumpUntil([&] {
            MSG msg;
            done = done || !::PeekMessageW(&msg, m_hwnd, 0, 0, PM_NOREMOVE);
            return done;
        }, 5000);
    }
    void Click(int x, int y)
    {
        const LPARAM at = MAKELPARAM(x, y);
        Post({MSG{m_hwnd, WM_MOUSEMOVE, 0, at}, MSG{m_hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at},
              MSG{m_hwnd, WM_LBUTTONUP, 0, at}});
    }
    void Key(UINT key) { Post({MSG{m_hwnd, WM_KEYDOWN, key, 1}}); }
    uint32_t Pixel(int x, int y)
    {
        Flush(m_host);
        return hosttest::SurfacePixel(m_host->GetMemSurface(), x, y) | 0xFF000000u;
    }
    // Which pages are shown, as a string of 0 and 1.
    static std::string ShownPages(STabCtrl* tab)
    {
        std::string s;
        for (int i = 0; i < tab->GetItemCount(); ++i) s += tab->GetItem(i)->IsVisible(TRUE) ? '1' : '0';
        return s;
    }

    SHostWnd* m_host = nullptr;
    HWND m_hwnd = nullptr;
    STabCtrl* m_tabs = nullptr;
    std::vector<std::string> m_log;
    bool m_cancel = false;
};

TEST_F(TabCtrlTest, PagesComeFromPageElementsOnly)
{
    struct Case { LPCWSTR name; int count; int cur; std::string shown; };
    const Case cases[] = {
        {L"tabs", 3, 0, "100"},   // the "window" child is no page
        {L"empty", 0, -1, ""},
        {L"five", 3, 0, "100"},   // curSel past the pages
        {L"flat", 2, 0, "10"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.name)));
        auto* tab = Child<STabCtrl>(m_host, c.name);
        ASSERT_NE(tab, nullptr);
        EXPECT_EQ(tab->GetItemCount(), c.count);
        EXPECT_EQ(tab->GetCurSel(), c.cur);
        EXPECT_EQ(ShownPages(tab), c.shown);
    }
    EXPECT_EQ(Child<STabCtrl>(m_host, L"empty")->GetItem(0), nullptr);
    EXPECT_FALSE(Child<STabCtrl>(m_host, L"empty")->SetCurSel(0));
    EXPECT_EQ(m_tabs->GetItem(1)->GetTitle(), SStringW(L"two"));
    EXPECT_EQ(Pixel(100, 80), kPage0);
}

// Tab i spans x 13 + 45 i to 53 + 45 i, y 10-30.
TEST_F(TabCtrlTest, ClicksSelectOtherTabsAndAHandlerMayCancel)
{
    m_tabs->SetAttribute(L"animateSteps", L"0", FALSE);
    Log(m_tabs);
    struct Case { const char* name; int x; bool cancel; int cur; std::vector<std::string> log; };
    const Case cases[] = {
        {"the current tab", 20, false, 0, {}},
        {"the third tab", 110, false, 2, {"0>2", "0=2"}},
        {"cancelled", 60, true, 2, {"2>1"}},
        {"the second tab", 60, false, 1, {"2>1", "2=1"}},
        {"the gap between tabs", 55, false, 1, {}},
        {"past the last tab", 190, false, 1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_log.clear();
        m_cancel = c.cancel;
        Click(c.x, 20);
        EXPECT_EQ(m_tabs->GetCurSel(), c.cur);
        EXPECT_EQ(m_log, c.log);
        std::string shown(3, '0');
        shown[c.cur] = '1';
        EXPECT_EQ(ShownPages(m_tabs), shown);
    }
    EXPECT_TRUE(m_tabs->IsFocused());
    EXPECT_EQ(Pixel(100, 80), kPage1);
    EXPECT_EQ(Pixel(93, 25), ctltest::kCellPixels[2]) << "the current tab is drawn selected";
    EXPECT_EQ(Pixel(20, 25), ctltest::kCellPixels[0]) << "the others normal";
}

TEST_F(TabCtrlTest, ArrowKeysWrapAndHomeEndJump)
{
    m_tabs->SetAttribute(L"animateSteps", L"0", FALSE);
    Click(20, 20);   // focus
    ASSERT_TRUE(m_tabs->IsFocused());
    struct Case { UINT key; int cur; };
    const Case cases[] = {{VK_LEFT, 2}, {VK_RIGHT, 0}, {VK_DOWN, 1}, {VK_UP, 0}, {VK_UP, 2},
                          {VK_HOME, 0}, {VK_END, 2}, {VK_DOWN, 0}, {'A', 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        Key(c.key);
        EXPECT_EQ(m_tabs->GetCurSel(), c.cur);
    }
    // A cancelled step goes the other way round once.
    Log(m_tabs);
    m_cancel = true;
    Key(VK_LEFT);
    EXPECT_EQ(m_tabs->GetCurSel(), 0);
    EXPECT_EQ(m_log, (std::vector<std::string>{"0>2"}));
}

// With the timeline's ticks taken over by the test, the picture's offset is
// exact at every step; the host draws what the slider shows: the old page
// at tick 0, half of each at tick 5 (the lower index first), the new one at
// tick 10.
TEST_F(TabCtrlTest, PagesSlideOverTheirSteps)
{
    struct Case { const char* name; LPCWSTR tab; int from, to; bool vertical; int extent;
                  POINT first, second; uint32_t fromPixel, toPixel; };
    // `first`/`second`: points in the first and second half of the page
    // area along the slide.
    const Case cases[] = {
        {"forward", L"tabs", 0, 2, false, 200, {60, 80}, {160, 80}, kPage0, kPage2},
        {"backward", L"tabs", 2, 0, false, 200, {60, 80}, {160, 80}, kPage2, kPage0},
        {"tabs on the left slide vertically", L"left", 0, 1, true, 120, {350, 40}, {350, 100}, kPage0, kPage1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* tab = Child<STabCtrl>(m_host, c.tab);
        ASSERT_NE(tab, nullptr);
        tab->SetAttribute(L"animateSteps", L"0", FALSE);
        tab->SetCurSel(c.from);
        tab->SetAttribute(L"animateSteps", L"10", FALSE);
        ASSERT_TRUE(tab->SetCurSel(c.to));
        const auto slider = SRefPtr<STabSlider>::Share(tab->GetSlider());
        ASSERT_TRUE(slider);
        m_host->UnregisterTimelineHandler(slider.Get());
        EXPECT_EQ(ShownPages(tab), std::string(tab->GetItemCount(), '0')) << "both pages hide under the slider";
        EXPECT_EQ(slider->IsVerticalSlide(), c.vertical);
        const bool forward = c.from < c.to;
        const uint32_t lowFirst[2] = {forward ? c.fromPixel : c.toPixel, forward ? c.toPixel : c.fromPixel};
        for (int tick = 0; tick <= 10; ++tick) {
            SCOPED_TRACE(tick);
            if (tick > 0)
                slider->OnTimelineTick();
            const POINT off = slider->GetOffset();
            EXPECT_EQ(c.vertical ? off.y : off.x, forward ? c.extent * tick / 10 : c.extent - c.extent * tick / 10);
            if (tick % 5 != 0)
                continue;
            const uint32_t want[2] = {tick == 0 ? c.fromPixel : tick == 10 ? c.toPixel : lowFirst[0],
                                      tick == 0 ? c.fromPixel : tick == 10 ? c.toPixel : lowFirst[1]};
            EXPECT_EQ(Pixel(c.first.x, c.first.y), want[0]);
            EXPECT_EQ(Pixel(c.second.x, c.second.y), want[1]);
            if (tick == 5 && forward && !c.vertical)
                hosttest::MaybeSavePng(m_host->GetMemSurface(), L"tabs_mid_slide.png");
        }
        EXPECT_NE(tab->GetSlider(), nullptr) << "the last step is still shown";
        slider->OnTimelineTick();
        EXPECT_EQ(tab->GetSlider(), nullptr);
        std::string shown(tab->GetItemCount(), '0');
        shown[c.to] = '1';
        EXPECT_EQ(ShownPages(tab), shown);
        EXPECT_EQ(Pixel(c.first.x, c.first.y), c.toPixel);
    }
}

TEST_F(TabCtrlTest, ANewSelectionEndsARunningSlideAndTheTimelineEndsItsOwn)
{
    ASSERT_TRUE(m_tabs->SetCurSel(2));
    ASSERT_NE(m_tabs->GetSlider(), nullptr);
    ASSERT_TRUE(m_tabs->SetCurSel(1));   // from page 2, at once ended
    ASSERT_NE(m_tabs->GetSlider(), nullptr);
    EXPECT_EQ(m_tabs->GetCurSel(), 1);
    ASSERT_TRUE(nativetest::PumpUntil([&] { return m_tabs->GetSlider() == nullptr; }, 5000));
    EXPECT_EQ(ShownPages(m_tabs), "010");
    EXPECT_EQ(Pixel(100, 80), kPage1);

    // Hidden, or with no room for the picture, the pages swap at once.
    m_tabs->SetVisible(FALSE, TRUE);
    ASSERT_TRUE(m_tabs->SetCurSel(0));
    EXPECT_EQ(m_tabs->GetSlider(), nullptr);
    auto* huge = Child<STabCtrl>(m_host, L"huge");
    ASSERT_TRUE(huge->SetCurSel(1));
    EXPECT_EQ(huge->GetSlider(), nullptr);
    EXPECT_EQ(ShownPages(huge), "01");
}

TEST_F(TabCtrlTest, AChangingHandlerThatDestroysThePagesStopsTheChange)
{
    m_tabs->SubscribeEvent(EventTabSelChanging::EventID, StdFunctionSlot([this](EventArgs*) {
        while (m_tabs->GetChildrenCount() > 0) m_tabs->DestroyChild(m_tabs->GetNthChild(1));
        return true;
    }));
    EXPECT_FALSE(m_tabs->SetCurSel(1));
    EXPECT_EQ(m_tabs->GetSlider(), nullptr);
    Flush(m_host);
    EXPECT_FALSE(m_tabs->SetCurSel(2));
}

TEST_F(TabCtrlTest, TheBandInEachAlignment)
{
    struct Case { LPCWSTR align; RECT tab1; RECT area; };
    // Client (10,10)-(210,130); tabs 40 x 20, 5 apart, 3 in.
    const Case cases[] = {
        {L"top", {58, 10, 98, 30}, {10, 30, 210, 130}},
        {L"bottom", {58, 110, 98, 130}, {10, 10, 210, 110}},
        {L"left", {10, 38, 50, 58}, {50, 10, 210, 130}},
        {L"right", {170, 38, 210, 58}, {10, 10, 170, 130}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.align)));
        ASSERT_EQ(m_tabs->SetAttribute(L"tabAlign", c.align, FALSE), S_OK);
        RECT rc = {}, area = {};
        ASSERT_TRUE(m_tabs->GetItemRect(1, &rc));
        EXPECT_TRUE(::EqualRect(&rc, &c.tab1)) << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom;
        m_tabs->GetChildArea(&area);
        EXPECT_TRUE(::EqualRect(&area, &c.area)) << area.left << "," << area.top << "," << area.right << "," << area.bottom;
        EXPECT_EQ(m_tabs->HitTest(POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}), 1);
    }
    EXPECT_FALSE(m_tabs->GetItemRect(3, nullptr));
    EXPECT_EQ(m_tabs->SetAttribute(L"tabAlign", L"Top", FALSE), E_FAIL);
    EXPECT_EQ(m_tabs->SetAttribute(L"textDir", L"sideways", FALSE), E_FAIL);
    EXPECT_EQ(m_tabs->SetAttribute(L"tabSize", L"30", FALSE), E_INVALIDARG);
    RECT rc = {};
    m_tabs->GetItemRect(0, &rc);
    EXPECT_EQ(rc.right - rc.left, 40) << "a refused tabSize keeps the size";
    ASSERT_EQ(m_tabs->SetAttribute(L"tabSize", L"30,12", FALSE), S_OK);
    m_tabs->GetItemRect(0, &rc);
    EXPECT_EQ(rc.right - rc.left, 30);
    EXPECT_EQ(rc.bottom - rc.top, 12);
}

TEST_F(TabCtrlTest, IconsTitlesAndTipsOfTheTabs)
{
    // Icons 8 x 8 at (2,2) in each tab: tab 0 and 2 show their index, tab 1
    // the state its page names.
    EXPECT_EQ(Pixel(17, 15), ctltest::kCellPixels[4 + 0]);
    EXPECT_EQ(Pixel(62, 15), ctltest::kCellPixels[(4 + 3) % ctltest::kCellColors]);
    EXPECT_EQ(Pixel(107, 15), ctltest::kCellPixels[(4 + 2) % ctltest::kCellColors]);
    // A tab with no band: nothing to click, the page fills the control.
    auto* flat = Child<STabCtrl>(m_host, L"flat");
    RECT rc = {};
    ASSERT_TRUE(flat->GetItemRect(0, &rc));
    EXPECT_TRUE(::IsRectEmpty(&rc));
    EXPECT_EQ(flat->HitTest(POINT{160, 152}), -1);
    EXPECT_EQ(Pixel(151, 151), kPage0);

    std::vector<int> hovers, leaves;
    m_tabs->SubscribeEvent(EventTabItemHover::EventID, StdFunctionSlot([&](EventArgs* e) {
        hovers.push_back(static_cast<EventTabItemHover*>(e)->iHover);
        return true;
    }));
    m_tabs->SubscribeEvent(EventTabItemLeave::EventID, StdFunctionSlot([&](EventArgs* e) {
        leaves.push_back(static_cast<EventTabItemLeave*>(e)->iLeave);
        return true;
    }));
    Post({MSG{m_hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(60, 20)}, MSG{m_hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(62, 21)},
          MSG{m_hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(110, 20)}, MSG{m_hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(100, 80)}});
    EXPECT_EQ(hovers, (std::vector<int>{1, 2}));
    EXPECT_EQ(leaves, (std::vector<int>{1, 2}));
    Post({MSG{m_hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(60, 20)}});
    SwndToolTipInfo info;
    ASSERT_TRUE(m_tabs->OnUpdateToolTip(SwndToolTipKey{m_tabs->GetSwnd(), 0}, info));
    EXPECT_EQ(info.strTip, SStringW(L"second page"));
    EXPECT_EQ(info.cookie, 1u);
    EXPECT_EQ(info.rcTarget.left, 58);
    Post({MSG{m_hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(20, 20)}});
    EXPECT_FALSE(m_tabs->OnUpdateToolTip(SwndToolTipKey{m_tabs->GetSwnd(), 0}, info)) << "a page without a tip";

    EXPECT_EQ(m_tabs->InsertItemFromString(L"<page title=\"four\" colorBkgnd=\"#ff0000\"/>", 0), 0);
    EXPECT_EQ(m_tabs->GetItemCount(), 4);
    EXPECT_EQ(m_tabs->GetCurSel(), 1) << "the current page keeps its place";
    EXPECT_EQ(ShownPages(m_tabs), "0100");
    EXPECT_EQ(m_tabs->InsertItemFromString(L"<window/>", -1), -1);
    EXPECT_EQ(m_tabs->InsertItemFromString(L"<page", -1), -1);
}

} // namespace

namespace {

// The built-in tab skin in the four alignments, at 100 % and 150 %: the
// selected tab's page fills the area beside its band.
TEST_F(TabCtrlTest, LooksInFourAlignments)
{
    SHostWnd* host = NewHost(L"LAYOUT:XML_TABS_LOOK");
    ASSERT_NE(Shown(host), nullptr);
    for (int scale : {100, 150}) {
        SCOPED_TRACE(scale);
        if (scale != 100)
            host->OnScaleChanged(scale);
        Flush(host);
        struct Case { LPCWSTR name; STabCtrl::TabAlign align; };
        const Case cases[] = {{L"top", STabCtrl::Align_Top}, {L"bottom", STabCtrl::Align_Bottom},
                              {L"left", STabCtrl::Align_Left}, {L"right", STabCtrl::Align_Right}};
        for (const Case& c : cases) {
            auto* tab = Child<STabCtrl>(host, c.name);
            ASSERT_NE(tab, nullptr);
            EXPECT_EQ(tab->GetTabAlign(), c.align);
            RECT area = {}, band = tab->GetTitleRect(), item = {};
            tab->GetChildArea(&area);
            ASSERT_TRUE(tab->GetItemRect(1, &item));
            const bool side = c.align == STabCtrl::Align_Left || c.align == STabCtrl::Align_Right;
            EXPECT_EQ(side ? band.right - band.left : band.bottom - band.top, (side ? 56 : 26) * scale / 100);
            EXPECT_EQ(hosttest::SurfacePixel(host->GetMemSurface(), area.right - 3, area.bottom - 3) | 0xFF000000u,
                      0xFFE4EDFFu) << "the selected page";
        }
        hosttest::MaybeSavePng(host->GetMemSurface(), scale == 100 ? L"tabs_100.png" : L"tabs_150.png");
    }
}

} // namespace
