// Window state: showing and enabling through the tree, the state bits and
// their redraws, update locks, caching by alpha, colourise, scale and
// language changes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeSwndContainer.h"
#include "WindowTestEnv.h"

using namespace DUI;
using namespace wndtest;

namespace {

// "p" holds "a" (shown) and "b" (hidden by its own setting); "q" is empty.
const wchar_t kFamily[] = L"<root><window name=\"p\" pos=\"0,0,50,50\">"
                          L"<window name=\"a\" pos=\"0,0,@10,@10\"/>"
                          L"<window name=\"b\" pos=\"0,20,@10,@10\" visible=\"0\" enable=\"0\"/></window>"
                          L"<window name=\"q\" pos=\"60,0,@10,@10\"/></root>";

class WindowStateTest : public ::testing::Test
{
protected:
    SWindow* Tree(const wchar_t* xml)
    {
        SWindow* root = m_env.Build(xml);
        root->SetContainer(&m_host);
        root->OnRectChanged(RECT{0, 0, 100, 60});
        m_host.redraws.clear();
        return root;
    }

    // "name:effective,own" for each window, e.g. "a:1,1".
    static std::string Shown(SWindow* root, std::initializer_list<const wchar_t*> names, bool visible)
    {
        std::string out;
        for (const wchar_t* n : names) {
            SWindow* w = root->FindChildByName(n);
            const BOOL effective = visible ? w->IsVisible(TRUE) : w->IsDisabled(TRUE);
            const BOOL own = visible ? w->IsVisible(FALSE) : w->IsDisabled(FALSE);
            out += std::string(n, n + wcslen(n)) + ":" + (effective ? "1" : "0") + "," + (own ? "1" : "0") + " ";
        }
        return out;
    }

    FakeSwndContainer m_host;
    WindowEnv m_env{{{L"uidef.xml", "<uidef><skin><colorrect name=\"flat\" normal=\"#ff0000\"/>"
                                    "<colorrect name=\"states\" normal=\"#ff0000\" hover=\"#00ff00\"/></skin></uidef>"}}};
};

} // namespace

TEST_F(WindowStateTest, ShowingAndHidingFollowTheTree)
{
    SWindow* root = Tree(kFamily);
    SWindow* p = root->FindChildByName(L"p");
    const auto visible = [&] { return Shown(root, {L"p", L"a", L"b"}, true); };
    EXPECT_EQ(visible(), "p:1,1 a:1,1 b:0,0 ");
    p->SetVisible(FALSE);
    EXPECT_EQ(visible(), "p:0,0 a:0,1 b:0,0 ");
    p->SetVisible(TRUE);
    EXPECT_EQ(visible(), "p:1,1 a:1,1 b:0,0 ");
    root->FindChildByName(L"b")->SetVisible(TRUE);
    p->SetVisible(FALSE);
    p->SetVisible(TRUE);
    EXPECT_EQ(visible(), "p:1,1 a:1,1 b:1,1 ");
}

TEST_F(WindowStateTest, EnablingFollowsTheTreeButKeepsOwnSettings)
{
    SWindow* root = Tree(kFamily);
    SWindow* p = root->FindChildByName(L"p");
    SWindow* a = root->FindChildByName(L"a");
    const auto disabled = [&] { return Shown(root, {L"p", L"a", L"b"}, false); };
    // "b" was disabled by "enable" while loading: the state bit only.
    EXPECT_EQ(disabled(), "p:0,0 a:0,0 b:1,0 ");
    a->ModifyState(WndState_Hover, 0);
    p->EnableWindow(FALSE);
    EXPECT_EQ(disabled(), "p:1,1 a:1,0 b:1,0 ");
    EXPECT_EQ(a->GetState() & WndState_Hover, 0u);
    p->EnableWindow(TRUE);
    EXPECT_EQ(disabled(), "p:0,0 a:0,0 b:0,0 ");
    a->EnableWindow(FALSE);
    p->EnableWindow(FALSE);
    p->EnableWindow(TRUE);
    EXPECT_EQ(disabled(), "p:0,0 a:1,1 b:0,0 ");
}

TEST_F(WindowStateTest, HiddenOrDisabledWindowsGiveUpFocusAndCapture)
{
    SWindow* root = Tree(kFamily);
    SWindow* p = root->FindChildByName(L"p");
    SWindow* a = root->FindChildByName(L"a");
    struct Case
    {
        const char* name;
        void (*act)(SWindow* parent);
        bool focusKept, captureKept;
    };
    const Case cases[] = {
        {"parent hidden", [](SWindow* w) { w->SetVisible(FALSE); }, false, false},
        {"parent disabled", [](SWindow* w) { w->EnableWindow(FALSE); }, false, true},
        {"parent invalidated", [](SWindow* w) { w->InvalidateRect(nullptr); }, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        p->SetVisible(TRUE);
        p->EnableWindow(TRUE);
        m_host.focus = m_host.capture = a->GetSwnd();
        c.act(p);
        EXPECT_EQ(m_host.focus == a->GetSwnd(), c.focusKept);
        EXPECT_EQ(m_host.capture == a->GetSwnd(), c.captureKept);
    }
}

TEST_F(WindowStateTest, StateChangesRedrawOnlyWhenTheLookDepends)
{
    struct Case
    {
        const char* name;
        const wchar_t* attrs;
        bool redraws;
    };
    const Case cases[] = {
        {"no skin, one look", L"", false},
        {"a skin of one state", L"skin=\"flat\"", false},
        {"a skin of two states", L"skin=\"states\"", true},
        {"a hover text colour", L"colorTextHover=\"#00ff00\"", true},
        {"a hover font", L"fontHover=\"size:20\"", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::wstring xml = L"<root><window name=\"w\" pos=\"0,0,20,20\" " + std::wstring(c.attrs) + L"/></root>";
        SWindow* w = Tree(xml.c_str())->FindChildByName(L"w");
        EXPECT_EQ(w->ModifyState(WndState_Hover, 0, TRUE), 0u);
        EXPECT_EQ(!m_host.redraws.empty(), c.redraws);
        m_host.redraws.clear();
        w->SetCheck(TRUE);
        EXPECT_TRUE(w->IsChecked());
        EXPECT_EQ(w->GetDrawState(), 2);
        w->SetCheck(FALSE);
        EXPECT_EQ(w->GetDrawState(), 1);
        EXPECT_EQ(!m_host.redraws.empty(), c.redraws);
    }
}

TEST_F(WindowStateTest, InvalidationReachesTheHostUnlessLockedOrHidden)
{
    SWindow* root = Tree(kFamily);
    SWindow* a = root->FindChildByName(L"a");
    SWindow* b = root->FindChildByName(L"b");
    const RECT wide = {-5, -5, 5, 5};
    a->InvalidateRect(&wide);
    ASSERT_EQ(m_host.redraws.size(), 1u);
    EXPECT_TRUE(m_host.redraws[0].left == 0 && m_host.redraws[0].top == 0 && m_host.redraws[0].right == 5);
    m_host.redraws.clear();

    a->LockUpdate();
    EXPECT_TRUE(a->IsUpdateLocked());
    a->InvalidateRect(nullptr);
    a->UnlockUpdate();
    b->InvalidateRect(nullptr);   // hidden
    const RECT outside = {80, 80, 90, 90};
    a->InvalidateRect(&outside);
    EXPECT_TRUE(m_host.redraws.empty());
}

TEST_F(WindowStateTest, TranslucentWindowsAreCachedUnlessLayered)
{
    struct Case
    {
        const char* name;
        const wchar_t* attrs;
        bool cached;
    };
    const Case cases[] = {
        {"opaque", L"", false},
        {"alpha 128", L"alpha=\"128\"", true},
        {"alpha 128, layered", L"alpha=\"128\" layeredWindow=\"1\"", false},
        {"cache asked for", L"cache=\"1\"", true},
        {"cache asked for, layered", L"cache=\"1\" layeredWindow=\"1\"", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::wstring xml = L"<root><window name=\"w\" " + std::wstring(c.attrs) + L"/></root>";
        EXPECT_EQ(Tree(xml.c_str())->FindChildByName(L"w")->IsCached() != FALSE, c.cached);
    }
}

TEST_F(WindowStateTest, ColouriseReachesEveryWindowAndRedrawsOnChangeOnly)
{
    SWindow* root = Tree(kFamily);
    SWindow* a = root->FindChildByName(L"a");
    root->BroadcastColorize(0xFF0000FF);
    for (const wchar_t* n : {L"p", L"a", L"b", L"q"})
        EXPECT_EQ(root->FindChildByName(n)->GetColorizeColor(), 0xFF0000FFu);
    EXPECT_EQ(root->GetColorizeColor(), 0xFF0000FFu);
    m_host.redraws.clear();
    a->DeliverSwndMessage(UM_SETCOLORIZE, 0xFF0000FF);
    EXPECT_TRUE(m_host.redraws.empty());
    a->SetColorize(0xFF00FF00);
    EXPECT_EQ(m_host.redraws.size(), 1u);
}

TEST_F(WindowStateTest, ScaleChangeRemakesNamedSkinsAndTheStyle)
{
    SWindow* w = Tree(L"<root><window name=\"w\" pos=\"0,0,20,20\" skin=\"flat\" ncskin=\"states\"/></root>")
                     ->FindChildByName(L"w");
    ASSERT_NE(w->GetSkin(), nullptr);
    EXPECT_EQ(w->GetSkin()->GetScale(), 100);
    w->DeliverSwndMessage(UM_SETSCALE, 150);
    EXPECT_EQ(w->GetSkin()->GetScale(), 150);
    EXPECT_EQ(w->GetNcSkin()->GetScale(), 150);
    EXPECT_EQ(w->GetStyle().GetScale(), 150);
    EXPECT_EQ(w->GetLayoutDirty(), 1);

    // A skin that no pool knows by name stays as it is.
    SRefPtr<ISkinObj> unnamed = SRefPtr<ISkinObj>::Share(w->GetSkin());
    SRefPtr<ISkinObj> copy = SRefPtr<ISkinObj>::Adopt(unnamed->Scale(200));
    dynamic_cast<IObject*>(copy.Get())->SetAttribute(SStringW(L"name"), SStringW(L""), TRUE);
    SRefPtr<ISkinObj> held = copy;
    SWindow::RescaleSkin(held, 100);
    EXPECT_EQ(held.Get(), copy.Get());
}

TEST_F(WindowStateTest, LanguageChangeRedrawsOrRelaysOut)
{
    SWindow* root = Tree(L"<root><window name=\"fixed\" pos=\"0,0,20,20\"/><window name=\"wrap\" pos=\"30,0\"/></root>");
    SWindow* fixed = root->FindChildByName(L"fixed");
    SWindow* wrap = root->FindChildByName(L"wrap");
    root->UpdateLayout();
    EXPECT_EQ(fixed->DeliverSwndMessage(UM_SETLANGUAGE), 0);
    EXPECT_EQ(m_host.redraws.size(), 1u);
    EXPECT_EQ(root->GetLayoutDirty(), 0);
    m_host.redraws.clear();
    wrap->DeliverSwndMessage(UM_SETLANGUAGE);
    EXPECT_TRUE(m_host.redraws.empty());
    EXPECT_EQ(root->GetLayoutDirty(), 1);
}

// A state-change handler that destroys its own window while the parent is
// hidden or disabled: the walk goes on with the next child.
TEST_F(WindowStateTest, HandlerDestroyingAChildDoesNotStopTheWalk)
{
    struct Case
    {
        const char* name;
        void (*act)(SWindow* parent);
        bool (*reached)(SWindow* last);
    };
    const Case cases[] = {
        {"hidden", [](SWindow* p) { p->SetVisible(FALSE); }, [](SWindow* c) { return !c->IsVisible(TRUE); }},
        {"disabled", [](SWindow* p) { p->EnableWindow(FALSE); }, [](SWindow* c) { return c->IsDisabled(TRUE) != 0; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SWindow* root = Tree(L"<root><window name=\"p\"><window name=\"a\"/><window name=\"c\"/></window></root>");
        SWindow* p = root->FindChildByName(L"p");
        SWindow* a = root->FindChildByName(L"a");
        SWindow* last = root->FindChildByName(L"c");
        a->SubscribeEvent(EventSwndStateChanged::EventID, StdFunctionSlot([a](EventArgs*) {
            if (a->GetParent())
                a->Destroy();
            return true;
        }));
        c.act(p);
        EXPECT_TRUE(c.reached(last));
        EXPECT_EQ(p->GetChildrenCount(), 1u);
    }
}
