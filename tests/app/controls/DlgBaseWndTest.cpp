// The program's window base: themed styles, the tooltip manager, message
// parts, UI calls, DPI scaling and the display-change repair.
#include "ControlsTestEnv.h"

#include <memory>

#include "app/controls/SDlgBase.h"
#include "app/controls/SDlgBaseWnd.h"
#include "app/controls/SMgrTooltip.h"
#include "app/controls/WindowDpiPercent.h"
#include "app/core/UiCallDispatcher.h"
#include "app/core/UiCallReceiver.h"
#include "dui/core/base/SLayoutSize.h"
#include "dui/res.mgr/SStylePoolMgr.h"

using namespace ctltest;

namespace {

// Counts the events that reach the end of the host's own message map.
class TestWnd : public SDlgBaseWnd
{
public:
    using SDlgBaseWnd::SDlgBaseWnd;
    BOOL HandleEvent(EventArgs* e) override
    {
        ++hostEvents;
        return SDlgBaseWnd::HandleEvent(e);
    }
    int hostEvents = 0;
};

class DlgBaseWndTest : public ControlsTest
{
protected:
    void TearDown() override
    {
        SLayoutSize::SetDefaultUnit(L"px");
        UiCallDispatcher::Instance().SetTargetWindow(nullptr);
        ControlsTest::TearDown();
    }
    TestWnd* Made(LPCWSTR layout)
    {
        TestWnd* wnd = NewHost<TestWnd>(layout);
        EXPECT_NE(Shown(wnd), nullptr);
        return wnd;
    }
    static hosttest::RecorderWnd* Part(SHostWnd* host, LPCWSTR name)
    {
        return Child<hosttest::RecorderWnd>(host, name);
    }
};

// Only the themed layout's styles name this class.
bool ThemedStylesAreOnTheStack()
{
    return static_cast<bool>(SStylePoolMgr::GetInstance()->GetStyle(L"also"));
}

} // namespace

TEST_F(DlgBaseWndTest, OnlyTheFirstStyleOfTheCurrentThemeApplies)
{
    TestWnd* wnd = Made(L"LAYOUT:XML_THEMED");
    // "panda", "Default" and the second "default" set are passed over.
    EXPECT_EQ(wnd->GetThemeStylePool()->GetCount(), 2u);
    EXPECT_TRUE(ThemedStylesAreOnTheStack());
    EXPECT_EQ(hosttest::SurfacePixel(wnd->GetMemSurface(), 70, 40) & 0xFFFFFF, 0xFF0000u);
    wnd->DestroyWindow();
    std::erase(m_hosts, wnd);
    wnd->Release();
    EXPECT_FALSE(ThemedStylesAreOnTheStack());
}

TEST_F(DlgBaseWndTest, ASecondLayoutDropsTheFirstOnesThemedStyles)
{
    TestWnd* wnd = Made(L"LAYOUT:XML_THEMED");
    xmldom::xml_document doc;
    ASSERT_TRUE(m_app->LoadXml(doc, L"XML_UNTHEMED", L"LAYOUT"));
    ASSERT_TRUE(wnd->ApplyXmlNode(doc.child(L"DUI"), 0, 0));
    Flush(wnd);
    EXPECT_EQ(wnd->GetThemeStylePool()->GetCount(), 0u);
    EXPECT_FALSE(ThemedStylesAreOnTheStack());
    // The class of the new layout's window no longer finds the old colour.
    EXPECT_EQ(hosttest::SurfacePixel(wnd->GetMemSurface(), 30, 20) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(DlgBaseWndTest, PartsAreOfferedMessagesInOrderUntilOneClaims)
{
    TestWnd* wnd = Made(L"LAYOUT:XML_THEMED");
    hosttest::RecorderWnd* parts[] = {Part(wnd, L"part1"), Part(wnd, L"part2"), Part(wnd, L"part3")};
    for (auto* p : parts)
        wnd->AddMsgPart(p);
    EventCmd event(wnd);
    struct Case { const char* name; bool secondClaims; size_t wantSeen[3]; int wantHost; };
    const Case cases[] = {
        {"the second claims", true, {1, 1, 0}, 0},
        {"none claims: the host's map runs", false, {1, 1, 1}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (auto* p : parts)
            p->received.clear();
        wnd->hostEvents = 0;
        parts[1]->onMessage = [&](UINT msg, WPARAM, LPARAM) { return c.secondClaims && msg == UM_HOST_EVENT; };
        ::SendMessageW(wnd->GetHwnd(), UM_HOST_EVENT, 0, reinterpret_cast<LPARAM>(&event));
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(parts[i]->Count(UM_HOST_EVENT), c.wantSeen[i]) << "part " << i + 1;
        EXPECT_EQ(wnd->hostEvents, c.wantHost);
    }
    // WM_COMMAND goes to the parts too; messages below WM_USER otherwise not.
    ::SendMessageW(wnd->GetHwnd(), WM_COMMAND, 14, 0);
    ::SendMessageW(wnd->GetHwnd(), WM_CLEAR, 0, 0);
    EXPECT_EQ(parts[0]->Count(WM_COMMAND), 1u);
    EXPECT_EQ(parts[0]->Count(WM_CLEAR), 0u);
    // Removing keeps the others' order; a part added twice is offered twice.
    wnd->RemoveMsgPart(parts[1]);
    wnd->AddMsgPart(parts[0]);
    ASSERT_EQ(wnd->GetMsgParts().size(), 3u);
    EXPECT_EQ(wnd->GetMsgParts()[1], parts[2]);
    parts[0]->received.clear();
    ::SendMessageW(wnd->GetHwnd(), WM_USER + 7, 0, 0);
    EXPECT_EQ(parts[0]->Count(WM_USER + 7), 2u);
}

TEST_F(DlgBaseWndTest, UiCallsRunOnTheTargetWindowOnlyAndNeverReachParts)
{
    TestWnd* wnd = Made(L"LAYOUT:XML_THEMED");
    hosttest::RecorderWnd* part = Part(wnd, L"part1");
    wnd->AddMsgPart(part);
    UiCallReceiver receiver;
    int ran = 0;
    auto call = [&] {
        auto record = std::make_shared<UiCallRecord>();
        record->function = [&](UINT, ULONGLONG, ULONGLONG) -> LRESULT { ++ran; return 0; };
        receiver.AddCall(record);
        return record;
    };
    // Held while there is no target, released by WM_INITDIALOG.
    UiCallDispatcher::Instance().Dispatch(receiver.GetId(), call(), false);
    EXPECT_EQ(ran, 0);
    UiCallDispatcher::Instance().SetTargetWindow(wnd->GetHwnd());
    ::SendMessageW(wnd->GetHwnd(), WM_INITDIALOG, 0, 0);
    EXPECT_TRUE(LoopUntil([&] { return ran == 1; }));
    // A message to a window that is not the target runs nothing.
    auto stray = call();
    UiCallDispatcher::Instance().SetTargetWindow(::GetDesktopWindow());
    ::SendMessageW(wnd->GetHwnd(), UM_UI_CALL, receiver.GetId(), reinterpret_cast<LPARAM>(stray.get()));
    EXPECT_EQ(ran, 1);
    UiCallDispatcher::Instance().SetTargetWindow(wnd->GetHwnd());
    ::SendMessageW(wnd->GetHwnd(), UM_UI_CALL, receiver.GetId(), reinterpret_cast<LPARAM>(stray.get()));
    EXPECT_EQ(ran, 2);
    // Run once, the call is gone: the same message again does nothing.
    ::SendMessageW(wnd->GetHwnd(), UM_UI_CALL, receiver.GetId(), reinterpret_cast<LPARAM>(stray.get()));
    EXPECT_EQ(ran, 2);
    EXPECT_EQ(part->Count(UM_UI_CALL), 0u);
}

TEST_F(DlgBaseWndTest, TheHostsTooltipIsTheManagerUntilTheWindowGoes)
{
    TestWnd* wnd = Made(L"LAYOUT:XML_THEMED");
    auto* manager = dynamic_cast<SMgrTooltip*>(wnd->GetToolTip());
    ASSERT_NE(manager, nullptr);
    ASSERT_NE(manager->GetCommonTip(), nullptr);
    // The manager filters the loop the host uses: removing it succeeds once.
    EXPECT_TRUE(m_app->GetMsgLoop()->RemoveMessageFilter(manager));
    m_app->GetMsgLoop()->AddMessageFilter(manager);
    HWND common = dynamic_cast<SHostWnd*>(manager->GetCommonTip())->GetHwnd();
    EXPECT_TRUE(::IsWindow(common));
    wnd->DestroyWindow();
    EXPECT_EQ(wnd->GetToolTip(), nullptr);
    EXPECT_FALSE(m_app->GetMsgLoop()->RemoveMessageFilter(manager));
    EXPECT_FALSE(::IsWindow(common));
}

namespace {

// Hands out tooltips that note nothing, or none at all, and counts them.
class CountingManagers : public TObjRefImpl<IToolTipFactory>
{
public:
    struct Tip final : IToolTip
    {
        BOOL PreTranslateMessage(MSG*) override { return FALSE; }
        void UpdateTip(const SwndToolTipKey&, const RECT&, LPCWSTR, int) override {}
        void ClearTip() override {}
        void RelayEvent(const MSG*) override {}
    };
    IToolTip* CreateToolTip(HWND host) override
    {
        hosts.push_back(host);
        return makeNone ? nullptr : new Tip();
    }
    void DestroyToolTip(IToolTip* tooltip) override
    {
        ++destroyed;
        delete static_cast<Tip*>(tooltip);
    }
    bool makeNone = false;
    std::vector<HWND> hosts;
    int destroyed = 0;
};

} // namespace

TEST_F(DlgBaseWndTest, TheManagerComesFromTheRegisteredFactoryAndGoesBackToIt)
{
    auto first = SRefPtr<CountingManagers>::Adopt(new CountingManagers());
    SDlgCommon::SetTooltipManagerFactory(first.Get());
    TestWnd* wnd = Made(L"LAYOUT:XML_THEMED");
    ASSERT_EQ(first->hosts.size(), 1u);
    EXPECT_EQ(first->hosts[0], wnd->GetHwnd());
    EXPECT_NE(dynamic_cast<CountingManagers::Tip*>(wnd->GetToolTip()), nullptr);
    // Registered meanwhile, another factory does not take the first one's
    // manager back.
    auto second = SRefPtr<CountingManagers>::Adopt(new CountingManagers());
    SDlgCommon::SetTooltipManagerFactory(second.Get());
    wnd->DestroyWindow();
    EXPECT_EQ(wnd->GetToolTip(), nullptr);
    EXPECT_EQ(first->destroyed, 1);
    EXPECT_EQ(second->destroyed, 0);
}

TEST_F(DlgBaseWndTest, WithoutAManagerTheHostKeepsItsOwnTooltip)
{
    auto none = SRefPtr<CountingManagers>::Adopt(new CountingManagers());
    none->makeNone = true;
    struct Case { const char* name; IToolTipFactory* factory; };
    const Case cases[] = {{"none registered", nullptr}, {"the factory makes none", none.Get()}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SDlgCommon::SetTooltipManagerFactory(c.factory);
        TestWnd* wnd = Made(L"LAYOUT:XML_THEMED");
        IToolTip* tip = wnd->GetToolTip();
        ASSERT_NE(tip, nullptr);
        EXPECT_EQ(dynamic_cast<SMgrTooltip*>(tip), nullptr);
        EXPECT_EQ(dynamic_cast<CountingManagers::Tip*>(tip), nullptr);
        // The host's own tooltip still filters the loop the host uses.
        EXPECT_TRUE(m_app->GetMsgLoop()->RemoveMessageFilter(tip));
        m_app->GetMsgLoop()->AddMessageFilter(tip);
        wnd->DestroyWindow();
    }
    EXPECT_EQ(none->hosts.size(), 1u);
    EXPECT_EQ(none->destroyed, 0);
}

TEST_F(DlgBaseWndTest, DpiChangeRescalesLayoutFontsAndSkins)
{
    SLayoutSize::SetDefaultUnit(L"dp");
    TestWnd* wnd = Made(L"LAYOUT:XML_SCALED");
    ASSERT_EQ(wnd->GetScale(), 100);
    SWindow* label = Child(wnd, L"label");
    const int fontAt100 = label->GetStyle().GetTextFont(0)->TextSize();
    RECT suggested = {50, 60, 50 + 300, 60 + 180};
    ::SendMessageW(wnd->GetHwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    Flush(wnd);
    EXPECT_EQ(wnd->GetScale(), 150);
    EXPECT_EQ(label->GetScale(), 150);
    const RECT placed = wnd->GetNativeWindowRect();
    EXPECT_EQ(placed.left, 50);
    EXPECT_EQ(placed.top, 60);
    EXPECT_EQ(SizeOf(placed).cx, 300);
    EXPECT_EQ(SizeOf(placed).cy, 180);
    struct Row { LPCWSTR name; RECT want; };
    const Row rows[] = {
        {L"box", {15, 15, 105, 75}},
        {L"label", {120, 15, 270, 60}},
        {L"corner", {225, 135, 285, 165}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(r.name)));
        const RECT rc = Child(wnd, r.name)->GetWindowRect();
        EXPECT_TRUE(::EqualRect(&rc, &r.want)) << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom;
    }
    EXPECT_EQ(label->GetStyle().GetTextFont(0)->TextSize(), fontAt100 * 150 / 100);
    EXPECT_EQ(hosttest::SurfacePixel(wnd->GetMemSurface(), 100, 70) & 0xFFFFFF, 0x3050A0u);
    MaybeSavePng(wnd->GetMemSurface(), L"dlgbasewnd_150.png");
    // The same scale again changes nothing.
    RECT other = {0, 0, 10, 10};
    ::SendMessageW(wnd->GetHwnd(), WM_DPICHANGED, MAKEWPARAM(150, 150), reinterpret_cast<LPARAM>(&other));
    EXPECT_EQ(wnd->GetNativeWindowRect().left, 50);
}

TEST_F(DlgBaseWndTest, DpiScalingRunsOnlyWhileSizesAreInDp)
{
    SLayoutSize::SetDefaultUnit(L"px");
    TestWnd* wnd = Made(L"LAYOUT:XML_SCALED");
    RECT suggested = {50, 60, 350, 240};
    ::SendMessageW(wnd->GetHwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(wnd->GetScale(), 100);
}

TEST_F(DlgBaseWndTest, ScalingAtInitialisationKeepsTheCentre)
{
    const RECT scaled = SDlgCommon::ScaledAboutCentre(RECT{300, 250, 700, 550}, 150);
    EXPECT_EQ(scaled.left, 200);
    EXPECT_EQ(scaled.top, 175);
    EXPECT_EQ(SizeOf(scaled).cx, 600);
    EXPECT_EQ(SizeOf(scaled).cy, 450);
    // Under the test display (96 DPI) initialisation leaves the window as it is.
    SLayoutSize::SetDefaultUnit(L"dp");
    TestWnd* wnd = Made(L"LAYOUT:XML_SCALED");
    const RECT before = wnd->GetNativeWindowRect();
    ::SendMessageW(wnd->GetHwnd(), WM_INITDIALOG, 0, 0);
    const RECT after = wnd->GetNativeWindowRect();
    EXPECT_EQ(SDlgBase::GetWindowDpiPercent(wnd->GetHwnd()), 100);
    EXPECT_TRUE(::EqualRect(&before, &after));
}

TEST_F(DlgBaseWndTest, DisplayChangeGrowsALowWindowBackTowardItsLayout)
{
    struct Case { const char* name; RECT window; SIZE layout; SIZE screen; RECT want; };
    const Case cases[] = {
        {"low and narrow: both grow within the screen", {10, 20, 810, 520}, {1000, 700}, {1024, 600},
         {10, 20, 1010, 620}},
        {"as high as the layout: left alone though narrow", {10, 20, 810, 720}, {1000, 700}, {1024, 600},
         {10, 20, 810, 720}},
        {"low but wide: only the height", {0, 0, 1200, 500}, {1000, 700}, {1920, 1080}, {0, 0, 1200, 700}},
        {"no layout height: nothing", {0, 0, 100, 100}, {1000, 0}, {1920, 1080}, {0, 0, 100, 100}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RECT got = SDlgCommon::RepairedRect(c.window, c.layout, c.screen);
        EXPECT_TRUE(::EqualRect(&got, &c.want)) << got.left << "," << got.top << "," << got.right << "," << got.bottom;
    }
    // Through the message: the scaled layout is 200 x 120.
    TestWnd* wnd = Made(L"LAYOUT:XML_SCALED");
    ::SetWindowPos(wnd->GetHwnd(), nullptr, 40, 40, 150, 80, SWP_NOZORDER | SWP_NOACTIVATE);
    ::SendMessageW(wnd->GetHwnd(), WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 100));
    const RECT after = wnd->GetNativeWindowRect();
    EXPECT_EQ(SizeOf(after).cx, 200);
    EXPECT_EQ(SizeOf(after).cy, 100);
    EXPECT_EQ(after.left, 40);
}

TEST(WindowDpiPercent, TheSystemCallFollowsTheWindowsVersion)
{
    struct Case { const char* name; NtVersion v; DpiSource want; };
    const Case cases[] = {
        {"unreadable", {0, 0, 0}, DpiSource::None},
        {"Vista", {6, 0, 6002}, DpiSource::None},
        {"7 before release", {6, 1, 7599}, DpiSource::None},
        {"7", {6, 1, 7601}, DpiSource::ScreenDc},
        {"8", {6, 2, 9200}, DpiSource::ScreenDc},
        {"8.1", {6, 3, 9600}, DpiSource::MonitorDpi},
        {"10 before 14955", {10, 0, 14393}, DpiSource::MonitorDpi},
        {"10 from 14955", {10, 0, 14955}, DpiSource::WindowDpi},
        {"10.1", {10, 1, 0}, DpiSource::WindowDpi},
        {"11", {11, 0, 0}, DpiSource::WindowDpi},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DpiSourceFor(c.v), c.want);
    }
    // Wine's ntdll carries a version the rules know.
    EXPECT_NE(ReadNtdllVersion().major, 0);
}
