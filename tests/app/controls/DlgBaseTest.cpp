// Modal dialogs: the mask over the owner, end codes, the modal-dialog
// stack with nested dialogs, and dialogs that end because their owner or an
// outer dialog went.
#include "ControlsTestEnv.h"

#include <functional>

#include "app/controls/CModalStack.h"
#include "app/controls/SDlgBase.h"

using namespace ctltest;

namespace {

constexpr UINT kAction = WM_APP + 11;

// A dialog that runs test code when it is initialised and when it gets kAction.
class TestDlg : public SDlgBase
{
public:
    using SDlgBase::SDlgBase;
    BOOL ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result, DWORD mapId) override
    {
        if (mapId == 0 && msg == WM_INITDIALOG) {
            const BOOL handled = SDlgBase::ProcessWindowMessage(hwnd, msg, wp, lp, result, mapId);
            if (onInit)
                onInit(this);
            return handled;
        }
        if (mapId == 0 && msg == kAction && onAction) {
            auto act = onAction;   // the action may end and free this dialog
            act(this);
            return TRUE;
        }
        return SDlgBase::ProcessWindowMessage(hwnd, msg, wp, lp, result, mapId);
    }
    void Post() { ::PostMessageW(GetHwnd(), kAction, 0, 0); }

    std::function<void(TestDlg*)> onInit;
    std::function<void(TestDlg*)> onAction;
};

// A dialog of the stack's own tests: recalled, it notes so and pops itself
// as a dialog does.
class FakeDialog : public IDlgRecall
{
public:
    FakeDialog(const char* name, std::vector<std::string>& log) : m_name(name), m_log(log)
    {
        m_hwnd = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    }
    ~FakeDialog() { Close(); }
    INT_PTR Recall() override
    {
        m_log.push_back(m_name);
        CModalStack::Instance().Pop(this);
        return SDlgBase::kRecalled;
    }
    HWND GetHwnd() override { return m_hwnd; }
    void Show() { ::ShowWindow(m_hwnd, SW_SHOWNOACTIVATE); }
    void Close()
    {
        if (m_hwnd)
            ::DestroyWindow(std::exchange(m_hwnd, nullptr));
    }

private:
    std::string m_name;
    std::vector<std::string>& m_log;
    HWND m_hwnd = nullptr;
};

// An owner that answers the mask's question about its shadow frame.
class ShadowOwner : public SHostWnd
{
public:
    using SHostWnd::SHostWnd;
    BOOL ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result, DWORD mapId) override
    {
        if (mapId == 0 && msg == UM_QUERY_SHADOW_MARGINS) {
            *reinterpret_cast<bool*>(wp) = refuseFrame;
            if (margins)
                *reinterpret_cast<ShadowMargins*>(lp) = *margins;
            result = 0;
            return TRUE;
        }
        return SHostWnd::ProcessWindowMessage(hwnd, msg, wp, lp, result, mapId);
    }
    bool refuseFrame = false;
    const ShadowMargins* margins = nullptr;
};

class DlgBaseTest : public ControlsTest
{
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        m_owner = NewHost(L"LAYOUT:XML_THEMED");
        ASSERT_NE(Shown(m_owner, WS_POPUP, 0, 100, 100), nullptr);
        ::SetWindowPos(Owner(), nullptr, 100, 100, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
        m_registered = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        CModalStack::Instance().RegisterWindow(m_registered);
    }
    void TearDown() override
    {
        CModalStack& stack = CModalStack::Instance();
        EXPECT_TRUE(stack.GetOpenDialogs().empty());
        stack.UnregisterWindow(m_registered);
        stack.SetMode(CModalStack::Mode_RecallLater);
        ::DestroyWindow(m_registered);
        ControlsTest::TearDown();
    }
    TestDlg* NewDialog(LPCWSTR layout = L"LAYOUT:XML_DIALOG") { return NewHost<TestDlg>(layout); }
    HWND Owner() const { return m_owner->GetHwnd(); }
    // An outer dialog over the owner opens an inner one over itself (the
    // newest shown dialog), whose action gets the outer dialog. Returns the
    // order in which the two ended, with their codes.
    std::vector<std::string> RunNested(std::function<void(TestDlg* outer)> innerAction)
    {
        std::vector<std::string> log;
        TestDlg* outer = NewDialog();
        outer->onInit = [](TestDlg* d) { d->Post(); };
        outer->onAction = [&](TestDlg* a) {
            TestDlg* inner = NewDialog();
            inner->onInit = [](TestDlg* d) { d->Post(); };
            inner->onAction = [&, a](TestDlg*) { innerAction(a); };
            log.push_back("inner " + std::to_string(inner->DoModalAuto()));
        };
        log.push_back("outer " + std::to_string(outer->DoModal(Owner())));
        return log;
    }
    bool RegisteredEnabled() const { return ::IsWindowEnabled(m_registered) != FALSE; }

    SHostWnd* m_owner = nullptr;
    HWND m_registered = nullptr;
};

} // namespace

TEST_F(DlgBaseTest, TheStackRecallsLaterDialogsNewestFirst)
{
    std::vector<std::string> log;
    FakeDialog a("a", log), b("b", log), c("c", log), d("d", log);
    CModalStack& stack = CModalStack::Instance();
    for (FakeDialog* f : {&a, &b, &c, &d})
        EXPECT_EQ(stack.Push(f), CModalStack::kPushed);
    EXPECT_FALSE(RegisteredEnabled());
    c.Close();   // a dialog whose window is gone is not recalled
    EXPECT_EQ(stack.Pop(&b), CModalStack::kPopped);
    EXPECT_EQ(log, (std::vector<std::string>{"d"}));
    ASSERT_EQ(stack.GetOpenDialogs().size(), 1u);
    EXPECT_FALSE(RegisteredEnabled());
    EXPECT_EQ(stack.Pop(&b), CModalStack::kPopped);   // not open: nothing changes
    EXPECT_EQ(stack.GetOpenDialogs().size(), 1u);
    stack.Pop(&a);
    EXPECT_TRUE(stack.GetOpenDialogs().empty());
    EXPECT_TRUE(RegisteredEnabled());
    // Removing only the dialog itself.
    stack.SetMode(CModalStack::Mode_RemoveOnly);
    stack.Push(&a);
    stack.Push(&b);
    stack.Pop(&a);
    EXPECT_EQ(stack.GetOpenDialogs(), (std::vector<IDlgRecall*>{&b}));
    EXPECT_FALSE(RegisteredEnabled());
    stack.Pop(&b);
    EXPECT_TRUE(RegisteredEnabled());
    EXPECT_EQ(log.size(), 1u);
}

TEST_F(DlgBaseTest, TheOwnerForANewDialogIsTheNewestShownWindow)
{
    std::vector<std::string> log;
    FakeDialog a("a", log), b("b", log);
    CModalStack& stack = CModalStack::Instance();
    stack.UnregisterWindow(m_registered);
    EXPECT_EQ(stack.GetOwnerWindow(), ::GetDesktopWindow());
    stack.RegisterWindow(m_registered);
    EXPECT_EQ(stack.GetOwnerWindow(), ::GetDesktopWindow()) << "a hidden registered window";
    stack.RegisterWindow(Owner());
    EXPECT_EQ(stack.GetOwnerWindow(), Owner());
    stack.SetMainWindow(m_registered);
    ::ShowWindow(m_registered, SW_SHOWNOACTIVATE);
    EXPECT_EQ(stack.GetOwnerWindow(), m_registered);
    stack.Push(&a);
    stack.Push(&b);
    a.Show();
    EXPECT_EQ(stack.GetOwnerWindow(), a.GetHwnd());
    b.Show();
    EXPECT_EQ(stack.GetOwnerWindow(), b.GetHwnd());
    stack.Pop(&a);
    stack.SetMainWindow(nullptr);
    stack.UnregisterWindow(Owner());
    ::ShowWindow(m_registered, SW_HIDE);
}

TEST_F(DlgBaseTest, MaskRectGrowsPastAPlainOwnerOnly)
{
    POINT corner = {};
    const RECT plain = SDlgBase::MaskRect(Owner(), &corner);
    EXPECT_TRUE(SameRect(plain, RECT{93, 93, 507, 407}));
    EXPECT_EQ(corner.x, -1);
    EXPECT_EQ(corner.y, -1);
    ::SetWindowLongW(Owner(), GWL_EXSTYLE, ::GetWindowLongW(Owner(), GWL_EXSTYLE) | WS_EX_LAYERED);
    const RECT layered = SDlgBase::MaskRect(Owner());
    EXPECT_TRUE(SameRect(layered, RECT{100, 100, 500, 400}));
}

TEST_F(DlgBaseTest, AnOwnerMayGiveTheMasksMarginsAndCornerOrRefuseItsFrame)
{
    ShadowMargins given;
    given.cornerWidth = 6;
    given.cornerHeight = 8;
    given.marginsGiven = 1;
    given.left = 2, given.top = 3, given.right = 4, given.bottom = 5;
    ShadowMargins cornerOnly;
    cornerOnly.cornerWidth = 10;
    struct Case { const char* name; bool refuse; const ShadowMargins* margins; RECT want; POINT corner; };
    const Case cases[] = {
        {"margins given", false, &given, {198, 147, 504, 355}, {6, 8}},
        {"frame refused", true, nullptr, {200, 150, 500, 350}, {-1, -1}},
        {"a corner without margins keeps the frame", false, &cornerOnly, {193, 143, 507, 357}, {10, -1}},
    };
    auto* owner = NewHost<ShadowOwner>(L"LAYOUT:XML_THEMED");
    ASSERT_NE(Shown(owner, WS_POPUP, 0, 200, 150), nullptr);
    ::SetWindowPos(owner->GetHwnd(), nullptr, 200, 150, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        owner->refuseFrame = c.refuse;
        owner->margins = c.margins;
        POINT corner = {};
        const RECT rc = SDlgBase::MaskRect(owner->GetHwnd(), &corner);
        EXPECT_TRUE(SameRect(rc, c.want)) << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom;
        EXPECT_EQ(corner.x, c.corner.x);
        EXPECT_EQ(corner.y, c.corner.y);
    }
}

TEST_F(DlgBaseTest, ADialogRunsOverAMaskAndGivesItsOwnerBack)
{
    ::SetForegroundWindow(Owner());
    ::SetFocus(Owner());
    ASSERT_EQ(::GetFocus(), Owner());
    TestDlg* dlg = NewDialog();
    bool checked = false;
    dlg->onInit = [&](TestDlg* d) {
        SDlgBaseWnd* mask = d->GetMask();
        ASSERT_NE(mask, nullptr);
        const RECT rc = mask->GetNativeWindowRect();
        EXPECT_TRUE(SameRect(rc, RECT{93, 93, 507, 407}));
        EXPECT_EQ(::GetWindow(d->GetHwnd(), GW_OWNER), mask->GetHwnd());
        EXPECT_EQ(::GetWindow(mask->GetHwnd(), GW_OWNER), Owner());
        EXPECT_FALSE(::IsWindowEnabled(Owner()));
        EXPECT_FALSE(::IsWindowEnabled(mask->GetHwnd()));
        EXPECT_FALSE(RegisteredEnabled());
        EXPECT_EQ(CModalStack::Instance().GetOpenDialogs(), (std::vector<IDlgRecall*>{d}));
        checked = true;
        d->Post();
    };
    dlg->onAction = [&](TestDlg* d) {
        SDlgBaseWnd* mask = d->GetMask();
        Flush(m_owner);
        Flush(mask);
        Flush(d);
        const RECT area = {60, 60, 540, 440};
        const auto pixels = Composed({m_owner, mask, d}, area);
        MaybeSavePixels(pixels, 480, 380, L"dialog_over_mask.png");
        // The owner's white shows darkened through the mask beside the dialog.
        const uint32_t beside = pixels[static_cast<size_t>(120 - 60) * 480 + (120 - 60)] & 0xFFFFFF;
        EXPECT_LT(beside & 0xFF, 0xC0u);
        EXPECT_GT(beside & 0xFF, 0x40u);
        d->EndDialog(IDOK);
    };
    EXPECT_EQ(dlg->DoModal(Owner()), IDOK);
    EXPECT_TRUE(checked);
    EXPECT_EQ(dlg->GetMask(), nullptr);
    EXPECT_TRUE(::IsWindowEnabled(Owner()));
    EXPECT_TRUE(RegisteredEnabled());
    EXPECT_EQ(::GetForegroundWindow(), Owner());
    EXPECT_EQ(::GetFocus(), Owner());
}

TEST_F(DlgBaseTest, TheMaskFollowsAMovedOwner)
{
    TestDlg* dlg = NewDialog();
    bool followed = false;
    dlg->onInit = [](TestDlg* d) { d->Post(); };
    dlg->onAction = [&](TestDlg* d) {
        ::SetWindowPos(Owner(), nullptr, 200, 150, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
        const RECT want = {193, 143, 607, 457};
        followed = nativetest::PumpUntil([&] {
            const RECT now = d->GetMask()->GetNativeWindowRect();
            return ::EqualRect(&now, &want) != FALSE;
        }, 3000);
        d->EndDialog(IDCANCEL);
    };
    EXPECT_EQ(dlg->DoModal(Owner()), IDCANCEL);
    EXPECT_TRUE(followed);
}

TEST_F(DlgBaseTest, EndingAnOuterDialogRecallsTheInnerOneFirst)
{
    const auto log = RunNested([&](TestDlg* outer) {
        EXPECT_FALSE(RegisteredEnabled());
        EXPECT_EQ(CModalStack::Instance().GetOpenDialogs().size(), 2u);
        outer->EndDialog(IDOK);
    });
    EXPECT_EQ(log, (std::vector<std::string>{"inner 100", "outer 1"}));
    EXPECT_TRUE(RegisteredEnabled());
    EXPECT_TRUE(::IsWindowEnabled(Owner()));
}

TEST_F(DlgBaseTest, DestroyingADialogWhoseLoopIsNestedEndsBothClosed)
{
    const auto log = RunNested([](TestDlg* outer) { ::DestroyWindow(outer->GetHwnd()); });
    EXPECT_EQ(log, (std::vector<std::string>{"inner 8", "outer 8"}));
    EXPECT_TRUE(RegisteredEnabled());
    EXPECT_TRUE(::IsWindowEnabled(Owner()));
}

TEST_F(DlgBaseTest, ClosingTheOwnerEndsTheDialogClosed)
{
    TestDlg* dlg = NewDialog();
    dlg->onInit = [](TestDlg* d) { d->Post(); };
    dlg->onAction = [&](TestDlg*) { ::DestroyWindow(Owner()); };
    EXPECT_EQ(dlg->DoModal(Owner()), IDCLOSE);
    EXPECT_EQ(dlg->GetMask(), nullptr);
    EXPECT_TRUE(RegisteredEnabled());
}

TEST_F(DlgBaseTest, ADialogWithoutItsLayoutFailsCleanly)
{
    TestDlg* dlg = NewDialog(L"LAYOUT:XML_NO_SUCH_DIALOG");
    EXPECT_EQ(dlg->DoModal(Owner()), 0);
    EXPECT_EQ(dlg->GetMask(), nullptr);
    EXPECT_TRUE(::IsWindowEnabled(Owner()));
    EXPECT_TRUE(RegisteredEnabled());
    EXPECT_TRUE(CModalStack::Instance().GetOpenDialogs().empty());
}

TEST_F(DlgBaseTest, AutoOwnerFallsBackToTheNewestRegisteredWindowEvenHidden)
{
    TestDlg* dlg = NewDialog();
    HWND owner = nullptr;
    dlg->onInit = [&](TestDlg* d) {
        owner = ::GetWindow(d->GetHwnd(), GW_OWNER);
        EXPECT_EQ(d->GetMask(), nullptr);   // a hidden owner gets no mask
        d->EndDialog(IDCANCEL);
    };
    EXPECT_EQ(dlg->DoModalAuto(), IDCANCEL);
    EXPECT_EQ(owner, m_registered);
    EXPECT_TRUE(RegisteredEnabled());
}

TEST_F(DlgBaseTest, PartsOfADialogSeeItsCommandsAndTheRecallEndsIt)
{
    TestDlg* dlg = NewDialog();
    dlg->onInit = [](TestDlg* d) {
        auto* part = static_cast<hosttest::RecorderWnd*>(d->FindChildByName(L"part"));
        d->AddMsgPart(part);
        part->onMessage = [d](UINT msg, WPARAM wp, LPARAM) {
            if (msg == WM_COMMAND && wp == 77)
                d->Recall();
            return msg == WM_COMMAND;
        };
        ::PostMessageW(d->GetHwnd(), WM_COMMAND, 77, 0);
    };
    EXPECT_EQ(dlg->DoModal(Owner()), SDlgBase::kRecalled);
}
