#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "InputTestHost.h"
#include "dui/core/FocusSearch.h"

using namespace DUI;
using namespace wndtest;

namespace {

enum Key { Tab, ShiftTab, CtrlTab, Left, Right, Up, Down };

class FocusTest : public testing::Test
{
protected:
    void SetUp() override { InputLog().clear(); }
    void TearDown() override { root->SetContainer(nullptr); }

    RecWnd* Add(SWindow* parent, const wchar_t* name, BOOL focusable = TRUE)
    {
        auto* w = new RecWnd(name, focusable);
        parent->InsertChild(w);
        return w;
    }
    // Radio-like windows: grouped with their siblings.
    RecWnd* AddRadio(SWindow* parent, const wchar_t* name, BOOL checked = FALSE)
    {
        RecWnd* w = Add(parent, name);
        w->grouped = TRUE;
        w->SetCheck(checked);
        return w;
    }

    std::wstring Focused() const
    {
        SWindow* w = SWindowMgr::GetInstance()->GetWindow(host.focus.GetFocusedSwnd());
        return w ? std::wstring(w->GetName()) : L"-";
    }

    BOOL Press(Key key)
    {
        static const UINT vKeys[] = {VK_TAB, VK_TAB, VK_TAB, VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN};
        HeldKeys held(key == CtrlTab, key == ShiftTab, FALSE);
        return host.focus.OnKeyDown(vKeys[key]);
    }

    // Presses the keys in turn; the names focused after each, joined by commas.
    std::wstring Walk(std::initializer_list<Key> keys)
    {
        std::wstring seen;
        for (Key k : keys) {
            Press(k);
            seen += (seen.empty() ? L"" : L",") + Focused();
        }
        return seen;
    }

    WindowEnv env;
    SWindow* root = env.NewRoot();
    InputHost host{root};
};

// a, panel{b, c(disabled)}, r1 r2(checked) r3, hidden, d
class FocusOrderTest : public FocusTest
{
protected:
    void SetUp() override
    {
        FocusTest::SetUp();
        a = Add(root, L"a");
        panel = Add(root, L"panel", FALSE);
        b = Add(panel, L"b");
        c = Add(panel, L"c");
        c->EnableWindow(FALSE);
        r1 = AddRadio(root, L"r1");
        r2 = AddRadio(root, L"r2", TRUE);
        r3 = AddRadio(root, L"r3");
        hidden = Add(root, L"hidden");
        hidden->SetVisible(FALSE);
        d = Add(root, L"d");
    }

public:
    RecWnd *a, *panel, *b, *c, *r1, *r2, *r3, *hidden, *d;
};

TEST_F(FocusOrderTest, TabAndShiftTabTables)
{
    struct Case
    {
        const char* name;
        RecWnd* FocusOrderTest::*start;  // nullptr: nothing focused
        std::initializer_list<Key> keys;
        const wchar_t* seen;
    };
    const Case cases[] = {
        {"tab from nothing, wrapping", nullptr, {Tab, Tab, Tab, Tab, Tab}, L"a,b,r2,d,a"},
        {"shift+tab from nothing, wrapping", nullptr, {ShiftTab, ShiftTab, ShiftTab, ShiftTab, ShiftTab},
         L"d,r2,b,a,d"},
        {"tab leaves a radio group", &FocusOrderTest::r1, {Tab}, L"d"},
        {"shift+tab leaves a radio group", &FocusOrderTest::r3, {ShiftTab}, L"b"},
        {"back and forth", &FocusOrderTest::b, {Tab, ShiftTab, ShiftTab, Tab}, L"r2,b,a,b"},
        {"arrows walk the group and wrap", &FocusOrderTest::r2, {Right, Right, Right, Left, Left, Down, Up},
         L"r3,r1,r2,r1,r3,r1,r3"},
        {"arrows outside a group do nothing", &FocusOrderTest::a, {Left, Right}, L"a,a"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host.focus.ClearFocus();
        if (c.start)
            host.focus.SetFocusedSwnd((this->*c.start)->GetSwnd());
        EXPECT_EQ(Walk(c.keys), c.seen);
    }
}

TEST_F(FocusOrderTest, NavigationKeysAreTakenEvenWhenNothingMoves)
{
    host.focus.SetFocusedSwnd(r2->GetSwnd());
    r1->EnableWindow(FALSE);
    r3->SetVisible(FALSE);
    EXPECT_TRUE(Press(Right));
    EXPECT_TRUE(Press(Left));
    EXPECT_EQ(Focused(), L"r2");
    // Arrows skip a member that cannot take the focus instead of dropping it.
    r3->SetVisible(TRUE);
    EXPECT_EQ(Walk({Left, Left}), L"r3,r2");
}

TEST_F(FocusOrderTest, GroupWithoutCheckedMemberIsEnteredAtTheFirstMemberFound)
{
    r2->SetCheck(FALSE);
    host.focus.SetFocusedSwnd(b->GetSwnd());
    EXPECT_EQ(Walk({Tab}), L"r1");
    host.focus.SetFocusedSwnd(d->GetSwnd());
    EXPECT_EQ(Walk({ShiftTab}), L"r3");
    // A checked member that cannot take the focus makes the group no stop.
    r2->SetCheck(TRUE);
    r2->EnableWindow(FALSE);
    host.focus.SetFocusedSwnd(b->GetSwnd());
    EXPECT_EQ(Walk({Tab}), L"d");
}

TEST_F(FocusTest, NestedFocusableWindows)
{
    RecWnd* a = Add(root, L"a");
    RecWnd* p = Add(root, L"p");
    Add(p, L"p1");
    RecWnd* p2 = Add(p, L"p2");
    Add(p2, L"p2a");
    Add(root, L"z");
    EXPECT_EQ(Walk({Tab, Tab, Tab, Tab, Tab, Tab, Tab}), L"a,p,p1,p2,p2a,z,a");
    EXPECT_EQ(Walk({ShiftTab, ShiftTab, ShiftTab, ShiftTab, ShiftTab, ShiftTab, ShiftTab}),
              L"z,p2a,p2,p1,p,a,z");
    // Backwards from an unfocusable start, its children come first.
    p->SetAttribute(L"focusable", L"0", FALSE);
    FocusSearch search(root, FALSE);
    SWindow* found = search.FindNextFocusable(p, TRUE);
    ASSERT_NE(found, nullptr);
    EXPECT_STREQ(found->GetName(), L"p2a");
    EXPECT_EQ(FocusSearch(root, FALSE).FindNextFocusable(a, TRUE), nullptr);
    SWindow* wrapped = FocusSearch(root, TRUE).FindNextFocusable(a, TRUE);
    ASSERT_NE(wrapped, nullptr);
    EXPECT_STREQ(wrapped->GetName(), L"z");
}

TEST_F(FocusTest, ChainWithNothingFocusableEndsWithoutFocus)
{
    for (const wchar_t* name : {L"a", L"b", L"c"})
        Add(root, name)->EnableWindow(FALSE);
    SWindow* inner = Add(root, L"panel", FALSE);
    Add(inner, L"hidden")->SetVisible(FALSE);
    EXPECT_TRUE(Press(Tab));
    EXPECT_TRUE(Press(ShiftTab));
    EXPECT_EQ(Focused(), L"-");
    EXPECT_TRUE(InputLog().empty());

    SWindow* empty = env.NewRoot();
    EXPECT_EQ(FocusSearch(empty, TRUE).FindNextFocusable(nullptr, FALSE), nullptr);
    EXPECT_EQ(FocusSearch(nullptr, TRUE).FindNextFocusable(nullptr, TRUE), nullptr);
}

TEST_F(FocusTest, WindowsThatWantTabAndCtrlTab)
{
    RecWnd* edit = Add(root, L"edit");
    Add(root, L"next");
    edit->dlgCode = SC_WANTTAB;
    host.focus.SetFocusedSwnd(edit->GetSwnd());
    {
        HeldKeys held(FALSE, FALSE, FALSE);
        ASSERT_EQ(::GetKeyState(VK_SHIFT) & 0x8000, 0);
    }
    EXPECT_FALSE(Press(Tab));
    EXPECT_EQ(Focused(), L"edit");

    // Ctrl+Tab goes to the accelerators and, unused, to the focused window.
    struct Always : IAcceleratorTarget
    {
        BOOL OnAcceleratorPressed(const CAccelerator& acc) override
        {
            seen = acc.GetAcc();
            return TRUE;
        }
        DWORD seen = 0;
    } target;
    edit->dlgCode = 0;
    EXPECT_FALSE(Press(CtrlTab));
    EXPECT_EQ(Focused(), L"edit");
    host.focus.RegisterAccelerator(CAccelerator(VK_TAB, TRUE, FALSE, FALSE), &target);
    EXPECT_TRUE(Press(CtrlTab));
    EXPECT_EQ(target.seen, 0x20000u | VK_TAB);
    EXPECT_EQ(Focused(), L"edit");
    {
        HeldKeys held(TRUE, TRUE, TRUE);
        ASSERT_NE(::GetKeyState(VK_SHIFT) & 0x8000, 0);
        EXPECT_FALSE(host.focus.OnKeyDown('K'));
        host.focus.RegisterAccelerator(CAccelerator(0x70000u | 'K'), &target);
        EXPECT_TRUE(host.focus.OnKeyDown('K'));
        EXPECT_EQ(target.seen, 0x70000u | 'K');
    }
    host.focus.UnregisterAccelerators(&target);
}

TEST_F(FocusTest, FocusChangesReachBothWindowsWithTheReason)
{
    RecWnd* a = Add(root, L"a");
    RecWnd* b = Add(root, L"b");
    std::vector<LPARAM> reasons;
    b->reactions[WM_SETFOCUS] = [&](WPARAM, LPARAM lp) { reasons.push_back(lp); };
    WPARAM killedFor = 0;
    a->reactions[WM_KILLFOCUS] = [&](WPARAM wp, LPARAM) { killedFor = wp; };
    host.focus.SetFocusedSwnd(a->GetSwnd());
    InputLog().clear();
    host.focus.SetFocusedSwnd(b->GetSwnd(), CFocusManager::kReasonKeyboard);
    EXPECT_EQ(InputLog(), (std::vector<std::wstring>{L"a:killfocus", L"a:on_kill_focus", L"b:setfocus",
                                                     L"b:on_set_focus"}));
    EXPECT_EQ(killedFor, b->GetSwnd());
    EXPECT_EQ(reasons, std::vector<LPARAM>{1});
    EXPECT_EQ(host.focus.GetFocusChangeReason(), CFocusManager::kReasonKeyboard);
    EXPECT_TRUE(b->IsFocused());
    EXPECT_FALSE(host.focus.IsChangingFocus());

    // The same window again: nothing happens.
    InputLog().clear();
    host.focus.SetFocusedSwnd(b->GetSwnd());
    EXPECT_TRUE(InputLog().empty());
}

TEST_F(FocusTest, TargetsThatCannotHoldTheFocusLeaveNone)
{
    RecWnd* a = Add(root, L"a");
    RecWnd* disabled = Add(root, L"disabled");
    disabled->EnableWindow(FALSE);
    RecWnd* plain = Add(root, L"plain", FALSE);
    SWindow* elsewhere = env.NewRoot();
    elsewhere->SetAttribute(L"focusable", L"1", FALSE);
    for (SWindow* target : {static_cast<SWindow*>(disabled), static_cast<SWindow*>(plain), elsewhere}) {
        SCOPED_TRACE(target->GetName());
        host.focus.SetFocusedSwnd(a->GetSwnd());
        InputLog().clear();
        host.focus.SetFocusedSwnd(target->GetSwnd());
        EXPECT_EQ(Focused(), L"-");
        EXPECT_EQ(InputLog(), (std::vector<std::wstring>{L"a:killfocus", L"a:on_kill_focus"}));
    }
    host.focus.SetFocusedSwnd(a->GetSwnd());
    host.focus.SetFocusedSwnd(12345678);
    EXPECT_EQ(Focused(), L"-");
}

TEST_F(FocusTest, StoreAndRestoreAcrossDeactivation)
{
    RecWnd* a = Add(root, L"a");
    RecWnd* b = Add(root, L"b");
    host.focus.SetFocusedSwnd(a->GetSwnd());
    InputLog().clear();
    host.focus.StoreFocus();
    EXPECT_EQ(Focused(), L"-");
    EXPECT_EQ(host.focus.GetStoredSwnd(), a->GetSwnd());
    // The native focus leaves too (activation and focus both arrive).
    host.focus.StoreFocus();
    EXPECT_EQ(host.focus.GetStoredSwnd(), a->GetSwnd());
    // Requests while inactive are only recorded.
    host.focus.SetFocusedSwnd(b->GetSwnd());
    EXPECT_EQ(Focused(), L"-");
    EXPECT_EQ(InputLog(), (std::vector<std::wstring>{L"a:killfocus", L"a:on_kill_focus"}));
    std::vector<LPARAM> reasons;
    b->reactions[WM_SETFOCUS] = [&](WPARAM, LPARAM lp) { reasons.push_back(lp); };
    host.focus.RestoreFocus();
    EXPECT_EQ(Focused(), L"b");
    EXPECT_EQ(reasons, std::vector<LPARAM>{CFocusManager::kReasonRestored});
    EXPECT_EQ(host.focus.GetStoredSwnd(), 0u);
    host.focus.RestoreFocus();
    EXPECT_EQ(Focused(), L"b");
    EXPECT_EQ(reasons.size(), 1u);
}

TEST_F(FocusTest, RestoreFindsNothingToFocus)
{
    RecWnd* a = Add(root, L"a");
    struct Case
    {
        const char* name;
        std::function<void()> whileInactive;
    };
    const Case cases[] = {
        {"nothing was focused", [&] { host.focus.ClearFocus(); }},
        {"focus cleared while inactive", [&] { host.focus.ClearFocus(); }},
        {"window hidden", [&] { a->SetVisible(FALSE); }},
        {"window disabled", [&] { a->EnableWindow(FALSE); }},
    };
    BOOL first = TRUE;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        a->SetVisible(TRUE);
        a->EnableWindow(TRUE);
        if (!first)
            host.focus.SetFocusedSwnd(a->GetSwnd());
        first = FALSE;
        host.focus.StoreFocus();
        c.whileInactive();
        host.focus.RestoreFocus();
        EXPECT_EQ(Focused(), L"-");
        EXPECT_EQ(host.focus.GetStoredSwnd(), 0u);
        // Active again: requests apply at once.
        a->SetVisible(TRUE);
        a->EnableWindow(TRUE);
        host.focus.SetFocusedSwnd(a->GetSwnd());
        EXPECT_EQ(Focused(), L"a");
        host.focus.ClearFocus();
    }
    // The stored window destroyed while inactive.
    host.focus.SetFocusedSwnd(a->GetSwnd());
    host.focus.StoreFocus();
    a->Destroy();
    host.focus.RestoreFocus();
    EXPECT_EQ(Focused(), L"-");
}

TEST_F(FocusTest, HandlersThatMoveOrDestroyDuringAChange)
{
    RecWnd* a = Add(root, L"a");
    RecWnd* b = Add(root, L"b");
    RecWnd* c = Add(root, L"c");
    // The losing window takes the focus back: that stands.
    host.focus.SetFocusedSwnd(a->GetSwnd());
    a->reactions[WM_KILLFOCUS] = [&](WPARAM, LPARAM) {
        a->reactions.clear();
        host.focus.SetFocusedSwnd(a->GetSwnd());
    };
    host.focus.SetFocusedSwnd(b->GetSwnd());
    EXPECT_EQ(Focused(), L"a");

    // The losing window destroys the one that was to get the focus.
    a->reactions[WM_KILLFOCUS] = [&](WPARAM, LPARAM) { b->Destroy(); };
    host.focus.SetFocusedSwnd(b->GetSwnd());
    EXPECT_EQ(Focused(), L"-");
    a->reactions.clear();

    // The gaining window passes the focus on, then destroys itself.
    c->reactions[WM_SETFOCUS] = [&](WPARAM, LPARAM) { host.focus.SetFocusedSwnd(a->GetSwnd()); };
    host.focus.SetFocusedSwnd(c->GetSwnd());
    EXPECT_EQ(Focused(), L"a");
    c->reactions[WM_SETFOCUS] = [&](WPARAM, LPARAM) { c->Destroy(); };
    host.focus.SetFocusedSwnd(c->GetSwnd());
    EXPECT_EQ(Focused(), L"-");
    EXPECT_EQ(Walk({Tab, Tab}), L"a,a");
}

TEST_F(FocusTest, FocusedWindowThatLeftTheTreeIsForgotten)
{
    Add(root, L"a");
    RecWnd* b = Add(root, L"b");
    host.focus.SetFocusedSwnd(b->GetSwnd());
    SWindow* other = env.NewRoot();
    root->RemoveChild(b);
    other->InsertChild(b);
    EXPECT_EQ(Walk({Tab}), L"a");
}

} // namespace
