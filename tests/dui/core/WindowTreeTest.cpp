// The window tree: linking children, identity, search by id and name
// through the finder's cache, destruction, and events fired by a window
// that a handler destroys.
#include <gtest/gtest.h>

#include "WindowTestEnv.h"
#include "tests/app/core/DebugCapture.h"

using namespace DUI;
using namespace wndtest;

namespace {

SWindow* NamedChild(SWindow* parent, const wchar_t* name, SWindow* after = nullptr)
{
    auto* w = new SWindow();
    w->SetName(name);
    parent->InsertChild(w, after);
    return w;
}

// Counts its destruction, so tests see when the tree let it go.
class CountedWindow : public SWindow
{
public:
    explicit CountedWindow(int& deaths) : m_deaths(deaths) {}
    ~CountedWindow() override { ++m_deaths; }

private:
    int& m_deaths;
};

} // namespace

TEST(WindowTree, InsertRemoveAndOrder)
{
    WindowEnv env;
    SWindow* root = env.NewRoot();
    SWindow* a = NamedChild(root, L"a");
    SWindow* c = NamedChild(root, L"c");
    NamedChild(root, L"b", a);                    // right after a
    NamedChild(root, L"first", ICWND_FIRST);
    NamedChild(root, L"last", c);                 // after the last child: appended
    EXPECT_EQ(ChildNames(root), L"first,a,b,c,last");
    EXPECT_EQ(root->GetChildrenCount(), 5u);

    EXPECT_EQ(root->GetNthChild(0), root);
    EXPECT_EQ(root->GetNthChild(2), a);
    EXPECT_EQ(root->GetNthChild(6), nullptr);
    EXPECT_EQ(root->GetRelatedWindow(GSW_PARENT), nullptr);
    EXPECT_EQ(a->GetRelatedWindow(GSW_PARENT), root);
    EXPECT_EQ(a->GetRelatedWindow(99), nullptr);
    EXPECT_EQ(c->GetRoot(), root);

    a->BringToTop();
    EXPECT_EQ(ChildNames(root), L"first,b,c,last,a");

    SWindow* stranger = env.NewRoot();
    EXPECT_FALSE(stranger->RemoveChild(c));
    EXPECT_TRUE(root->RemoveChild(c));
    EXPECT_EQ(ChildNames(root), L"first,b,last,a");
    EXPECT_EQ(c->GetParent(), nullptr);
    EXPECT_EQ(root->GetChildrenCount(), 4u);
    stranger->InsertChild(c);                     // the tree takes it over again
    EXPECT_EQ(ChildNames(stranger), L"c");
}

TEST(WindowTree, SwndsAreNeverReused)
{
    WindowEnv env;
    auto* first = new SWindow();
    const SWND swnd = first->GetSwnd();
    EXPECT_EQ(SWindowMgr::GetInstance()->GetWindow(swnd), first);
    first->Destroy();
    EXPECT_EQ(SWindowMgr::GetInstance()->GetWindow(swnd), nullptr);
    auto* second = new SWindow();
    EXPECT_EQ(second->GetSwnd(), swnd + 1);
    second->Destroy();
}

TEST(WindowTree, DestroyReleasesTheWholeSubtree)
{
    WindowEnv env;
    int deaths = 0;
    SWindow* root = env.NewRoot();
    auto* parent = new CountedWindow(deaths);
    root->InsertChild(parent);
    parent->InsertChild(new CountedWindow(deaths));
    parent->InsertChild(new CountedWindow(deaths));
    parent->GetNthChild(1)->InsertChild(new CountedWindow(deaths));
    EXPECT_FALSE(root->DestroyChild(parent->GetNthChild(1)));   // not a direct child
    EXPECT_TRUE(root->DestroyChild(parent));
    EXPECT_EQ(deaths, 4);
    EXPECT_EQ(root->GetChildrenCount(), 0u);
}

TEST(WindowTree, SearchByIdAndName)
{
    WindowEnv env;
    // a(5) holds x(5) and y; b holds z(7) whose child deep(9); c(7).
    SWindow* root = env.Build(L"<root><window name=\"a\" id=\"1\"><window name=\"x\" id=\"5\"/>"
                              L"<window name=\"y\" id=\"6\"/></window>"
                              L"<window name=\"b\" id=\"2\"><window name=\"z\" id=\"7\">"
                              L"<window name=\"deep\" id=\"9\"/></window></window>"
                              L"<window name=\"c\" id=\"7\"/></root>");
    struct Case { const char* name; int id; int depth; const wchar_t* want; };
    const Case cases[] = {
        {"direct child before a grandchild", 7, -1, L"c"},
        {"depth 1 ignores grandchildren", 5, 1, nullptr},
        {"depth 2 reaches grandchildren", 5, 2, L"x"},
        {"depth 2 stops short of great-grandchildren", 9, 2, nullptr},
        {"any depth", 9, -1, L"deep"},
        {"id 0 finds nothing", 0, -1, nullptr},
        {"depth 0 finds nothing", 1, 0, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SWindow* found = root->FindChildByID(c.id, c.depth);
        EXPECT_STREQ(found ? found->GetName() : nullptr, c.want);
    }
    EXPECT_STREQ(root->FindChildByName(L"deep")->GetName(), L"deep");
    EXPECT_EQ(root->FindChildByName(L"Deep"), nullptr);   // names match case-sensitively
    EXPECT_EQ(root->FindChildByName(L""), nullptr);
    EXPECT_EQ(root->FindChildByName(nullptr), nullptr);

    // A found window is cached; unlinking any child anywhere drops the cache.
    SWindow* x = root->FindChildByName(L"x");
    SWindow* a = x->GetParent();
    a->RemoveChild(x);
    root->InsertChild(x, ICWND_FIRST);
    EXPECT_EQ(root->FindChildByName(L"x", 1), x);
    EXPECT_EQ(root->FindChildByID(5), x);   // now the direct child
}

TEST(WindowTree, TypedSearchChecksTheClassAndLogsAMiss)
{
    WindowEnv env;
    SWindow* root = env.Build(L"<root><window name=\"ok\" id=\"3\"/></root>");
    EXPECT_NE(root->FindChildByName2<SWindow>(L"ok"), nullptr);
    DebugCapture capture;
    EXPECT_EQ(root->FindChildByName2<SWindow>(L"missing"), nullptr);
    EXPECT_EQ(root->FindChildByID2<SWindow>(4), nullptr);
    const auto lines = capture.Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], L"FindChildByName2 Failed, no window of class [window] with name of [missing] was found "
                        L"within [-1] levels DUI::SWindow::FindChildByName2 dui\\include\\core\\swnd:526\n");
    EXPECT_NE(lines[1].find(L"with id of [4] was found within [-1] levels"), std::wstring::npos);
}

TEST(WindowTree, AHandlerMayDestroyTheFiringWindow)
{
    WindowEnv env;
    int deaths = 0;
    SWindow* root = env.NewRoot();
    auto* button = new CountedWindow(deaths);
    root->InsertChild(button);
    int olderCalls = 0;
    bool aliveInHandler = false;
    // Subscribers run newest first: the newer one destroys the window, the
    // older one still runs on an event set that must not be freed yet.
    button->SubscribeEvent(EventCmd::EventID, StdFunctionSlot([&](EventArgs*) {
        ++olderCalls;
        return true;
    }));
    button->SubscribeEvent(EventCmd::EventID, StdFunctionSlot([&](EventArgs* e) {
        e->GetSender<SWindow>()->Destroy();
        aliveInHandler = deaths == 0;
        return true;
    }));
    EventCmd cmd(button);
    EXPECT_TRUE(button->FireEvent(cmd));
    EXPECT_TRUE(aliveInHandler);
    EXPECT_EQ(olderCalls, 1);
    EXPECT_EQ(cmd.handled, 2u);
    EXPECT_EQ(deaths, 1);
    EXPECT_EQ(root->GetChildrenCount(), 0u);
}

TEST(WindowTree, EventsClimbTheOwnerChainUnlessStopped)
{
    WindowEnv env;
    SWindow* root = env.NewRoot();
    SWindow* owner = NamedChild(root, L"owner");
    SWindow* child = NamedChild(root, L"child");
    child->SetOwner(owner);
    int ownerCalls = 0;
    owner->SubscribeEvent(EventCmd::EventID, StdFunctionSlot([&](EventArgs*) { return ++ownerCalls, true; }));
    EventCmd first(child);
    EXPECT_TRUE(child->FireEvent(first));
    EXPECT_EQ(ownerCalls, 1);

    child->SubscribeEvent(EventCmd::EventID, StdFunctionSlot([](EventArgs* e) { return e->bubbleUp = FALSE, true; }));
    EventCmd second(child);
    EXPECT_TRUE(child->FireEvent(second));
    EXPECT_EQ(ownerCalls, 1);

    child->GetEventSet()->SetMutedState(TRUE);
    EventCmd muted(child);
    EXPECT_FALSE(child->FireEvent(muted));
    EXPECT_EQ(muted.handled, 0u);
}
