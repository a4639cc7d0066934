// Modal host dialogs: result codes, the owner's state, the keys and
// commands that end a dialog, WM_QUIT inside a modal loop, and dialogs that
// end because something else went: their owner, or an outer dialog.
#include "HostTestEnv.h"

#include "GuiResourceCount.h"
#include "dui/core/SHostDialog.h"

using namespace hosttest;

namespace {

constexpr UINT kAction = WM_APP + 1;

// A dialog that runs test code when it is initialised and when it gets kAction.
class TestDialog : public SHostDialog
{
public:
    using SHostDialog::SHostDialog;
    BOOL ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result, DWORD mapId) override
    {
        if (mapId == 0 && msg == WM_INITDIALOG && onInit) {
            onInit(this);
            shownAtInit = ::IsWindowVisible(hwnd) != FALSE;
        }
        if (mapId == 0 && msg == kAction && onAction) {
            onAction(this);
            return TRUE;
        }
        return SHostDialog::ProcessWindowMessage(hwnd, msg, wp, lp, result, mapId);
    }
    void Post() { ::PostMessageW(GetHwnd(), kAction, 0, 0); }
    void Click(int x, int y)
    {
        ::PostMessageW(GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        ::PostMessageW(GetHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }

    std::function<void(TestDialog*)> onInit;
    std::function<void(TestDialog*)> onAction;
    bool shownAtInit = false;
};

class HostDialogTest : public HostTest
{
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        m_owner = NewHost(L"LAYOUT:XML_HOST_BASIC");
        ASSERT_NE(Shown(m_owner, WS_POPUP), nullptr);
    }
    TestDialog* NewDialog() { return NewHost<TestDialog>(L"LAYOUT:XML_HOST_DIALOG"); }
    HWND Owner() const { return m_owner->GetHwnd(); }

    SHostWnd* m_owner = nullptr;
};

} // namespace

TEST_F(HostDialogTest, ButtonEndsTheDialogWithItsCode)
{
    TestDialog* dlg = NewDialog();
    EXPECT_EQ(dlg->GetClassTag(), std::wstring(L"hostdlg"));
    for (LPCWSTR tag : {L"hostdlg", L"hostwnd", L"SwndContainerImpl", L"window"})
        EXPECT_TRUE(dlg->IsKindOf(tag)) << tag;
    bool ownerDisabled = false;
    dlg->onInit = [&](TestDialog* d) {
        ownerDisabled = !::IsWindowEnabled(Owner());
        d->FindChildByName(L"five")->SubscribeEvent(EventCmd::EventID, StdFunctionSlot([d](EventArgs*) {
            d->EndDialog(5);
            d->EndDialog(6);   // only the first counts
            return true;
        }));
        d->Click(150, 65);
    };
    EXPECT_EQ(dlg->DoModal(Owner()), 5);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(::IsWindowEnabled(Owner()));
    EXPECT_EQ(dlg->GetHwnd(), nullptr);
}

TEST_F(HostDialogTest, EndingAtInitialisationShowsNothing)
{
    TestDialog* dlg = NewDialog();
    dlg->onInit = [](TestDialog* d) { d->EndDialog(7); };
    EXPECT_EQ(dlg->DoModal(Owner()), 7);
    EXPECT_FALSE(dlg->shownAtInit);
    EXPECT_TRUE(::IsWindowEnabled(Owner()));
    // The code is kept: a second run ends at once with it.
    EXPECT_EQ(dlg->DoModal(Owner()), 7);
}

TEST_F(HostDialogTest, KeysCommandsAndCloseEndTheDialog)
{
    struct Case { const char* name; std::function<void(TestDialog*)> act; INT_PTR want; };
    const Case cases[] = {
        {"Escape presses Cancel", [](TestDialog* d) { ::PostMessageW(d->GetHwnd(), WM_KEYDOWN, VK_ESCAPE, 0); }, IDCANCEL},
        {"Return presses OK", [](TestDialog* d) { ::PostMessageW(d->GetHwnd(), WM_KEYDOWN, VK_RETURN, 0); }, IDOK},
        {"clicking OK", [](TestDialog* d) { d->Click(30, 65); }, IDOK},
        {"close box", [](TestDialog* d) { ::PostMessageW(d->GetHwnd(), WM_CLOSE, 0, 0); }, IDCANCEL},
        {"destroyed from outside", [](TestDialog* d) { d->Post(); }, IDCLOSE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestDialog* dlg = NewDialog();
        dlg->onInit = c.act;
        dlg->onAction = [](TestDialog* d) { ::DestroyWindow(d->GetHwnd()); };
        EXPECT_EQ(dlg->DoModal(Owner()), c.want);
        EXPECT_TRUE(::IsWindowEnabled(Owner()));
    }
}

TEST_F(HostDialogTest, QuitInsideTheDialogReachesTheOuterLoop)
{
    TestDialog* dlg = NewDialog();
    dlg->onInit = [](TestDialog* d) { d->Post(); };
    dlg->onAction = [](TestDialog*) { ::PostQuitMessage(3); };
    EXPECT_EQ(dlg->DoModal(Owner()), SHostDialog::kRunning);
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_TRUE(::IsWindowEnabled(Owner()));
}

TEST_F(HostDialogTest, DisabledOwnerStaysDisabled)
{
    ::EnableWindow(Owner(), FALSE);
    TestDialog* dlg = NewDialog();
    dlg->onInit = [](TestDialog* d) { d->Post(); };
    dlg->onAction = [](TestDialog* d) { d->OnOK(); };
    EXPECT_EQ(dlg->DoModal(Owner()), IDOK);
    EXPECT_FALSE(::IsWindowEnabled(Owner()));
    ::EnableWindow(Owner(), TRUE);
}

// The owner goes while the dialog runs: the system destroys the dialog
// with it, and DoModal returns instead of waiting forever.
TEST_F(HostDialogTest, OwnersDestructionClosesTheDialog)
{
    TestDialog* dlg = NewDialog();
    dlg->onInit = [](TestDialog* d) { d->Post(); };
    dlg->onAction = [this](TestDialog*) { m_owner->DestroyWindow(); };
    EXPECT_EQ(dlg->DoModal(Owner()), IDCLOSE);
    EXPECT_EQ(dlg->GetHwnd(), nullptr);
    EXPECT_EQ(m_owner->GetHwnd(), nullptr);
}

// An inner dialog runs inside the outer one's loop. Ending the outer one
// meanwhile lets the inner one finish first; destroying the outer one
// takes the inner one with it. Either way they return inner first.
TEST_F(HostDialogTest, NestedDialogsUnwindInOrder)
{
    struct Case { const char* name; bool destroyOuter; INT_PTR innerWant, outerWant; };
    const Case cases[] = {
        {"outer ended while inner runs", false, 5, 9},
        {"outer destroyed while inner runs", true, IDCLOSE, IDCLOSE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::pair<char, INT_PTR>> returns;
        TestDialog* outer = NewDialog();
        TestDialog* inner = NewDialog();
        outer->onInit = [](TestDialog* d) { d->Post(); };
        outer->onAction = [&](TestDialog* d) { returns.push_back({'i', inner->DoModal(d->GetHwnd())}); };
        inner->onInit = [](TestDialog* d) { d->Post(); };
        inner->onAction = [&](TestDialog* d) {
            if (c.destroyOuter) {
                outer->DestroyWindow();
            } else {
                outer->EndDialog(9);
                d->EndDialog(5);
            }
        };
        returns.push_back({'o', outer->DoModal(Owner())});
        ASSERT_EQ(returns.size(), 2u);
        EXPECT_EQ(returns[0].first, 'i');
        EXPECT_EQ(returns[0].second, c.innerWant);
        EXPECT_EQ(returns[1].second, c.outerWant);
        EXPECT_TRUE(::IsWindowEnabled(Owner()));
    }
}

// A dialog whose layout cannot be had makes no window and runs no loop:
// DoModal returns 0 at once, leaves the owner as it found it, and leaves
// nothing behind.
TEST_F(HostDialogTest, MissingLayoutReturnsWithoutALoop)
{
    constexpr UINT kProbe = WM_APP + 2;
    struct Case { const char* name; BOOL ownerEnabled; };
    const Case cases[] = {{"enabled owner", TRUE}, {"disabled owner", FALSE}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ::EnableWindow(Owner(), c.ownerEnabled);
        TestDialog* dlg = NewHost<TestDialog>(L"LAYOUT:XML_NO_SUCH");
        bool initialised = false;
        dlg->onInit = [&](TestDialog*) { initialised = true; };
        // A loop would take the probe and end at the quit request, and
        // DoModal would then return the running code.
        ASSERT_TRUE(::PostThreadMessageW(::GetCurrentThreadId(), kProbe, 0, 0));
        ::PostQuitMessage(42);
        EXPECT_EQ(dlg->DoModal(Owner()), 0);
        MSG msg;
        EXPECT_TRUE(::PeekMessageW(&msg, nullptr, kProbe, kProbe, PM_REMOVE));
        ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
        EXPECT_EQ(msg.wParam, 42u);
        EXPECT_FALSE(initialised);
        EXPECT_EQ(dlg->GetHwnd(), nullptr);
        EXPECT_EQ(::IsWindowEnabled(Owner()), c.ownerEnabled);
    }
    ::EnableWindow(Owner(), TRUE);

    auto attempt = [this] {
        auto* dlg = new TestDialog(L"LAYOUT:XML_NO_SUCH");
        EXPECT_EQ(dlg->DoModal(Owner()), 0);
        dlg->Release();
    };
    for (int i = 0; i < 5; ++i) attempt();   // caches settle first
    const DWORD gdiBefore = guicount::GdiObjects();
    const DWORD windowsBefore = guicount::ThreadWindows();
    for (int i = 0; i < 100; ++i) attempt();
    EXPECT_LE(guicount::GdiObjects(), gdiBefore + 4);
    EXPECT_EQ(guicount::ThreadWindows(), windowsBefore);
    EXPECT_TRUE(::IsWindowEnabled(Owner()));
}
