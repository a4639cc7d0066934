// Pieces of host painting that need no host window: the caret, which
// inverts the host image under it within its owner's client area, and the
// layered update of a surface onto a window.
#include <gtest/gtest.h>

#include "FakeSwndContainer.h"
#include "PaintHost.h"
#include "WindowTestEnv.h"
#include "dui/core/CSimpleWnd.h"
#include "dui/core/SCaret.h"
#include "dui/core/SHostPresenter.h"
#include "dui/core/SPaintObjects.h"
#include "tests/dui/core/NativeWindowTestSupport.h"

using namespace DUI;
using namespace wndtest;

namespace {

constexpr uint32_t kGrey = 0xFF806040;       // as read back: alpha, red, green, blue
constexpr uint32_t kInverted = 0xFF7F9FBF;

} // namespace

TEST(HostCaret, InvertsWithinItsOwnersClientAndErasesItself)
{
    RenderFactoryScope render;
    ASSERT_TRUE(render.Loaded());
    FakeSwndContainer host;  // outlives the windows, which call it while they go
    WindowEnv env;
    // The owner reaches past its parent's client area, which ends at x 40.
    SWindow* root = env.Build(L"<root><window name=\"p\" pos=\"10,10,40,40\">"
                              L"<window name=\"edit\" pos=\"0,0,60,20\"/></window></root>");
    root->SetContainer(&host);
    root->OnRectChanged(RECT{0, 0, 100, 60});
    SRefPtr<IPaintSurface> image = NewPaintSurface(100, 60);
    const RECT all = {0, 0, 100, 60};
    image->FillRectColor(&all, RGB(0x80, 0x60, 0x40) | 0xFF000000);
    const SCaret caret(root->FindChildByName(L"edit")->GetSwnd(), 4, 10);

    const RECT drawn = caret.Draw(image.Get(), 36, 12);
    EXPECT_EQ(drawn.left, 36);
    EXPECT_EQ(drawn.right, 40);   // cut at the parent's client
    EXPECT_EQ(PixelAt(image.Get(), 37, 15), kInverted);
    EXPECT_EQ(PixelAt(image.Get(), 41, 15), kGrey);
    EXPECT_EQ(PixelAt(image.Get(), 37, 24), kGrey);
    caret.Draw(image.Get(), 36, 12);
    EXPECT_EQ(PixelAt(image.Get(), 37, 15), kGrey);

    const SCaret orphan(0xFFFFF0, 4, 10);
    const RECT none = orphan.Draw(image.Get(), 36, 12);
    EXPECT_TRUE(::IsRectEmpty(&none));
}

TEST(HostPresenter, LayeredUpdatesOfEveryDirtyRectangle)
{
    RenderFactoryScope render;
    CSimpleWndHelper classes(::GetModuleHandleW(nullptr), nativetest::kClassName, FALSE);
    CSimpleWnd wnd;
    ASSERT_TRUE(wnd.CreateWindow(L"layered", WS_POPUP, WS_EX_LAYERED, 0, 0, 100, 50, nullptr, nullptr));
    SRefPtr<IPaintSurface> image = NewPaintSurface(100, 50);
    struct Case {
        const char* name;
        const RECT* dirty;
    };
    const RECT empty = {5, 5, 5, 5}, past = {90, 40, 200, 200}, outside = {300, 300, 400, 400};
    const Case cases[] = {{"whole", nullptr}, {"empty", &empty}, {"partly outside", &past}, {"outside", &outside}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(UpdateLayeredFromSurface(wnd.GetHwnd(), image.Get(), 255, c.dirty));
    }
    EXPECT_FALSE(UpdateLayeredFromSurface(wnd.GetHwnd(), nullptr, 255, nullptr));
    ::DestroyWindow(wnd.GetHwnd());
}
