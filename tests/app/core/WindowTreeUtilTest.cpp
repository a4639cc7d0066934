#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "app/controls/WindowTreeUtil.h"
#include "tests/dui/core/FakeSwndContainer.h"
#include "tests/dui/core/WindowTestEnv.h"

using namespace DUI;

namespace {

class TestEdit : public SWindow
{
    DUI_CLASS_NAME(TestEdit, SWindow, L"edit", Window_Kind)
};

class RecordingContainer : public wndtest::FakeSwndContainer
{
public:
    BOOL RegisterDragDrop(SWND swnd, IDropTarget* target) override
    {
        registered.push_back(swnd);
        targets.insert(target);
        return static_cast<BOOL>(swnd);  // tells the calls apart
    }

    std::vector<SWND> registered;
    std::set<IDropTarget*> targets;
};

template <class W = SWindow>
W* Child(SWindow* parent)
{
    auto* w = new W();
    parent->InsertChild(w);
    return w;
}

// root
// ├── a
// │   └── b
// │       └── edit (three levels down)
// ├── edit
// └── plain
struct PartTree {
    explicit PartTree(wndtest::WindowEnv& env, ISwndContainer* container) : root(env.NewRoot())
    {
        root->SetContainer(container);
        a = Child(root);
        b = Child(a);
        deepEdit = Child<TestEdit>(b);
        edit = Child<TestEdit>(root);
        plain = Child(root);
    }

    SWindow* root;
    SWindow *a, *b, *deepEdit, *edit, *plain;
};

bool MenuCancelled(SWindow* window)
{
    EventCtxMenu e(window);
    window->FireEvent(e);
    return e.bCancel != FALSE;
}

TEST(WindowTreeUtil, DropTargetReachesEveryWindowOnce)
{
    RecordingContainer container;  // outlives the windows, which call it while they go
    wndtest::WindowEnv env;
    PartTree tree(env, &container);
    auto* target = reinterpret_cast<IDropTarget*>(0x10);  // only passed on

    EXPECT_EQ(RegisterDropTargetTree(tree.root, target), static_cast<BOOL>(tree.root->GetSwnd()));
    const std::vector<SWND> want = {tree.deepEdit->GetSwnd(), tree.b->GetSwnd(), tree.a->GetSwnd(),
                                    tree.edit->GetSwnd(),     tree.plain->GetSwnd(), tree.root->GetSwnd()};
    EXPECT_EQ(container.registered, want);
    EXPECT_EQ(container.targets, std::set<IDropTarget*>{target});

    SWindow* loose = env.NewRoot();  // no container
    EXPECT_FALSE(RegisterDropTargetTree(loose, target));
    EXPECT_FALSE(RegisterDropTargetTree(nullptr, target));
}

TEST(WindowTreeUtil, EditBoxesLoseTheirContextMenuOthersKeepIt)
{
    RecordingContainer container;  // outlives the windows, which call it while they go
    wndtest::WindowEnv env;
    PartTree tree(env, &container);

    DisableEditContextMenus(tree.root);
    DisableEditContextMenus(tree.root);  // a second call adds nothing

    EXPECT_TRUE(MenuCancelled(tree.deepEdit));
    EXPECT_TRUE(MenuCancelled(tree.edit));
    for (SWindow* other : {tree.root, tree.a, tree.b, tree.plain})
        EXPECT_FALSE(MenuCancelled(other));

    EventCtxMenu e(tree.deepEdit);
    tree.deepEdit->FireEvent(e);
    EXPECT_EQ(e.handled, 1u) << "subscribed once";

    SWindow* lone = env.NewRoot();
    auto* loneEdit = new TestEdit();
    lone->InsertChild(loneEdit);
    DisableEditContextMenus(loneEdit);  // the window itself, without children
    EXPECT_TRUE(MenuCancelled(loneEdit));
}

} // namespace
