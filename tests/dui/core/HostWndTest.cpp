// Host windows made from layouts compiled into this program: what a layout
// makes of the native window and the tree, what fails cleanly, and that
// nothing is left behind.
#include "HostTestEnv.h"

#include "GuiResourceCount.h"
#include "dui/res.mgr/SStylePoolMgr.h"
#include "dui/res.mgr/SSkinPoolMgr.h"

using namespace hosttest;

namespace {

SIZE ClientSize(HWND hwnd)
{
    RECT rc;
    ::GetClientRect(hwnd, &rc);
    return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

std::wstring TitleOf(HWND hwnd)
{
    wchar_t text[128] = {};
    ::GetWindowTextW(hwnd, text, 128);
    return text;
}

} // namespace

TEST_F(HostTest, LayoutBuildsTheNativeWindowAndTheTree)
{
    SHostWnd* host = NewHost(L"LAYOUT:XML_HOST_BASIC");
    int inits = 0;
    host->SubscribeEvent(EventInit::EventID, StdFunctionSlot([&inits](EventArgs*) { ++inits; return true; }));
    HWND hwnd = host->CreateEx(nullptr, WS_POPUP, 0, 0, 0, 0, 0);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(TitleOf(hwnd), L"Basic host");
    EXPECT_EQ(ClientSize(hwnd).cx, 200);
    EXPECT_EQ(ClientSize(hwnd).cy, 120);
    EXPECT_EQ(inits, 1);
    EXPECT_EQ(host->GetTrCtx(), SStringW(L"basic"));
    EXPECT_EQ(host->GetClassTag(), std::wstring(L"hostwnd"));
    for (LPCWSTR tag : {L"hostwnd", L"SwndContainerImpl", L"window"})
        EXPECT_TRUE(host->IsKindOf(tag)) << tag;
    SWindow* box = Child(host, L"box");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->GetContainer(), static_cast<ISwndContainer*>(host));
    const RECT rc = box->GetWindowRect();
    EXPECT_EQ(rc.left, 10);
    EXPECT_EQ(rc.right, 60);
    // The layout's skins are the host's while it lives.
    EXPECT_NE(box->GetSkin(), nullptr);
    // A second CreateEx makes nothing new.
    EXPECT_EQ(host->CreateEx(nullptr, WS_POPUP, 0, 0, 0, 0, 0), hwnd);
}

TEST_F(HostTest, LayoutNamesChooseTypeAndName)
{
    struct Case { LPCWSTR layout; LPCWSTR title; };
    const Case cases[] = {
        {L"XML_HOST_BASIC", L"Basic host"},
        {L"layout:xml_host_basic", L"Basic host"},
        {L"XMLTEST:HOST_OTHER", L"Other type"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::wstring(c.layout).size());
        SHostWnd* host = NewHost(c.layout);
        HWND hwnd = host->CreateEx(nullptr, WS_POPUP, 0, 0, 0, 0, 0);
        ASSERT_NE(hwnd, nullptr);
        EXPECT_EQ(TitleOf(hwnd), c.title);
        host->DestroyWindow();
    }
}

// A layout that is missing, does not parse or has no "DUI" root makes no
// window at all: nothing half-built stays on the screen.
TEST_F(HostTest, BadLayoutsMakeNoWindow)
{
    const LPCWSTR layouts[] = {L"LAYOUT:XML_NO_SUCH", L"LAYOUT:XML_HOST_BROKEN", L"LAYOUT:XML_HOST_NODUI",
                               L"NOTYPE:XML_HOST_BASIC"};
    const DWORD windowsBefore = guicount::ThreadWindows();
    for (LPCWSTR layout : layouts) {
        SCOPED_TRACE(testing::Message() << m_hosts.size());
        SHostWnd* host = NewHost(layout);
        EXPECT_EQ(host->CreateEx(nullptr, WS_POPUP, 0, 0, 0, 0, 0), nullptr);
        EXPECT_EQ(host->GetHwnd(), nullptr);
        EXPECT_EQ(host->GetChildrenCount(), 0u);
        EXPECT_EQ(host->GetMemSurface(), nullptr);
        EXPECT_EQ(host->GetToolTip(), nullptr);
    }
    EXPECT_EQ(guicount::ThreadWindows(), windowsBefore);
    // A host without a layout is an empty window.
    SHostWnd* empty = NewHost(nullptr);
    EXPECT_NE(empty->CreateEx(nullptr, WS_POPUP, 0, 0, 0, 50, 40), nullptr);
}

TEST_F(HostTest, HostWithoutSizeTakesItsContentsSize)
{
    SHostWnd* host = NewHost(L"LAYOUT:XML_HOST_WRAP");
    HWND hwnd = Shown(host);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(ClientSize(hwnd).cx, 90);
    EXPECT_EQ(ClientSize(hwnd).cy, 70);
    // Wrapping the width drops the left and right resize borders; the height the others.
    const RECT margin = host->GetHostAttr().GetMargin(100);
    EXPECT_EQ(margin.left, 0);
    EXPECT_EQ(margin.right, 0);
    EXPECT_EQ(margin.top, 0);
    EXPECT_EQ(margin.bottom, 0);
    // The host follows its content.
    Child(host, L"inner")->SetAttribute(L"pos", L"0,0,@120,@50", FALSE);
    Flush(host);
    EXPECT_EQ(ClientSize(hwnd).cx, 120);
    EXPECT_EQ(ClientSize(hwnd).cy, 50);
}

TEST_F(HostTest, AttributesShapeTheNativeWindow)
{
    SHostWnd* host = NewHost(L"LAYOUT:XML_HOST_RESIZABLE");
    HWND hwnd = host->CreateEx(nullptr, WS_POPUP, 0, 0, 0, 0, 0);
    ASSERT_NE(hwnd, nullptr);
    const LONG style = ::GetWindowLongW(hwnd, GWL_STYLE);
    const LONG exStyle = ::GetWindowLongW(hwnd, GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_THICKFRAME);
    EXPECT_TRUE(style & WS_MAXIMIZEBOX);
    // Alpha 200 on an ordinary host layers it.
    EXPECT_TRUE(exStyle & WS_EX_LAYERED);
    BYTE alpha = 0;
    DWORD flags = 0;
    EXPECT_TRUE(::GetLayeredWindowAttributes(hwnd, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 200);
    // The whole window is client area.
    RECT wnd, client;
    ::GetWindowRect(hwnd, &wnd);
    ::GetClientRect(hwnd, &client);
    EXPECT_EQ(wnd.right - wnd.left, client.right);
    EXPECT_EQ(wnd.bottom - wnd.top, client.bottom);
}

TEST_F(HostTest, TranslucentHostPaintsThroughItsDummyWindow)
{
    SHostWnd* host = NewHost(L"LAYOUT:XML_HOST_TRANSLUCENT");
    HWND hwnd = Shown(host);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_TRUE(::GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED);
    HWND dummy = host->GetDummyHwnd();
    ASSERT_TRUE(::IsWindow(dummy));
    EXPECT_TRUE(::GetWindowLongW(dummy, GWL_EXSTYLE) & WS_EX_LAYERED);
    // The memory surface holds the tree with its alpha.
    IPaintSurface* image = host->GetMemSurface();
    EXPECT_EQ(SurfacePixel(image, 30, 30), 0xFF00FF00u);
    const uint32_t bg = SurfacePixel(image, 5, 5);
    EXPECT_NEAR(static_cast<int>(bg >> 24), 0x80, 1);
    MaybeSavePng(image, L"translucent_host.png");

    // A change presents only its own box.
    RecordingPresenter* presenter = PresenterOf(host);
    presenter->rects.clear();
    Child(host, L"rec")->InvalidateRect(nullptr);
    ASSERT_TRUE(nativetest::PumpUntil([&] { return !presenter->rects.empty(); }, 5000));
    const RECT shown = presenter->rects.back();
    EXPECT_EQ(shown.left, 20);
    EXPECT_EQ(shown.top, 20);
    EXPECT_EQ(shown.right, 60);
    EXPECT_EQ(shown.bottom, 50);

    // A zero-sized request paints nothing and presents an empty box.
    presenter->rects.clear();
    host->OnRedraw(RECT{7, 7, 7, 7});
    host->OnPrint(nullptr, kPrintForDummy);
    ASSERT_FALSE(presenter->rects.empty());
    EXPECT_TRUE(::IsRectEmpty(&presenter->rects.back()));

    host->DestroyWindow();
    EXPECT_FALSE(::IsWindow(dummy));
}

TEST_F(HostTest, OrdinaryHostShowsItsImage)
{
    SHostWnd* host = NewHost(L"LAYOUT:XML_HOST_BASIC");
    HWND hwnd = Shown(host);
    ASSERT_NE(hwnd, nullptr);
    IPaintSurface* image = host->GetMemSurface();
    EXPECT_EQ(SurfacePixel(image, 30, 30), 0xFFFF0000u);
    EXPECT_EQ(SurfacePixel(image, 100, 30), 0xFF2050C0u);
    EXPECT_EQ(SurfacePixel(image, 195, 5), 0xFFFFFFFFu);
    MaybeSavePng(image, L"basic_host.png");
    const std::vector<uint32_t> printed = PrintedPixels(hwnd, 200, 120);
    EXPECT_EQ(printed[30 * 200 + 30], 0xFFFF0000u);
    EXPECT_EQ(printed[30 * 200 + 100], 0xFF2050C0u);
    EXPECT_EQ(printed[5 * 200 + 195], 0xFFFFFFFFu);
    bool text = false;
    for (int y = 60; y < 90 && !text; ++y)
        for (int x = 10; x < 190 && !text; ++x)
            text = (SurfacePixel(image, x, y) & 0xFFFFFF) != 0xFFFFFF;
    EXPECT_TRUE(text) << "the text line drew nothing";
}

// Invalidations collect into one region; the paint clears and redraws only
// that region, and an ordinary host presents its whole window.
TEST_F(HostTest, PaintRedrawsOnlyWhatWasInvalidated)
{
    SHostWnd* host = NewHost(L"LAYOUT:XML_HOST_BASIC");
    ASSERT_NE(Shown(host), nullptr);
    IPaintSurface* image = host->GetMemSurface();
    // A marker outside the invalidated area must survive the paint.
    const RECT marker = {150, 100, 160, 110};
    image->FillRectColor(&marker, 0xFF00FFFF);
    RecordingPresenter* presenter = PresenterOf(host);
    presenter->rects.clear();
    host->OnRedraw(RECT{10, 10, 20, 20});
    host->OnRedraw(RECT{40, 30, 50, 45});
    ::UpdateWindow(host->GetHwnd());
    ASSERT_EQ(presenter->rects.size(), 1u);
    EXPECT_EQ(presenter->rects[0].right, 200);
    EXPECT_EQ(SurfacePixel(image, 155, 105), 0xFFFFFF00u);   // untouched
    EXPECT_EQ(SurfacePixel(image, 15, 15), 0xFFFF0000u);
    // The root's alpha scales what is presented.
    EXPECT_EQ(presenter->alphas.back(), 255);
}

TEST_F(HostTest, PendingRedrawsAreCollectedOncePerCycle)
{
    SHostWnd* host = NewHost(L"LAYOUT:XML_HOST_TRANSLUCENT");
    ASSERT_NE(Shown(host), nullptr);
    SWindow* rec = Child(host, L"rec");
    RecordingPresenter* presenter = PresenterOf(host);
    presenter->rects.clear();
    ::SendMessageW(host->GetHwnd(), UM_UPDATESWND, rec->GetSwnd(), 0);
    ::SendMessageW(host->GetHwnd(), UM_UPDATESWND, rec->GetSwnd(), 0);
    ::SendMessageW(host->GetHwnd(), UM_UPDATESWND, 0x7FFFFF, 0);   // no such window
    host->OnPrint(nullptr, kPrintForDummy);
    ASSERT_EQ(presenter->rects.size(), 1u);
    // A surface lent during the paint is shown with the cycle, not alone.
    const RECT lent = {20, 20, 30, 30};
    presenter->rects.clear();
    IPaintSurface* s = host->OnGetRenderTarget(lent, 0);
    const RECT inner = {20, 20, 30, 30};
    s->FillRectColor(&inner, 0xFFFF00FF);
    host->OnReleaseRenderTarget(s, lent, 0);
    ASSERT_EQ(presenter->rects.size(), 1u);
    EXPECT_TRUE(::EqualRect(&presenter->rects[0], &lent));
    EXPECT_EQ(SurfacePixel(host->GetMemSurface(), 25, 25), 0xFFFF00FFu);
}

TEST_F(HostTest, CaretInvertsAndRestoresTheImage)
{
    SHostWnd* host = NewHost(L"LAYOUT:XML_HOST_BASIC");
    ASSERT_NE(Shown(host), nullptr);
    SWindow* box = Child(host, L"box");
    IPaintSurface* image = host->GetMemSurface();
    const uint32_t before = SurfacePixel(image, 20, 20);
    EXPECT_FALSE(host->SetCaretPos(20, 20));   // no caret yet
    ASSERT_TRUE(host->CreateCaret(box->GetSwnd(), nullptr, 2, 16));
    EXPECT_TRUE(host->SetCaretPos(20, 20));
    host->ShowCaret(TRUE);
    EXPECT_EQ(SurfacePixel(image, 20, 20), 0xFF00FFFFu);   // red inverted
    // Moving erases the old place first.
    host->SetCaretPos(30, 20);
    EXPECT_EQ(SurfacePixel(image, 20, 20), before);
    EXPECT_EQ(SurfacePixel(image, 30, 20), 0xFF00FFFFu);
    host->ShowCaret(FALSE);
    EXPECT_EQ(SurfacePixel(image, 30, 20), before);
}

TEST_F(HostTest, ExtremeSizesLeaveAWorkingHost)
{
    SHostWnd* host = NewHost(L"LAYOUT:XML_HOST_BASIC");
    HWND hwnd = Shown(host);
    ASSERT_NE(hwnd, nullptr);
    const SIZE sizes[] = {{0, 0}, {30000, 30000}, {1, 1}, {200, 120}};
    for (const SIZE& s : sizes) {
        SCOPED_TRACE(testing::Message() << s.cx << " x " << s.cy);
        ::SetWindowPos(hwnd, nullptr, 0, 0, s.cx, s.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        host->InvalidateAll();
        Flush(host);
        EXPECT_TRUE(::IsWindow(hwnd));
        const SIZE now = ClientSize(hwnd);
        EXPECT_LE(now.cx, ::GetSystemMetrics(SM_CXMAXTRACK));
        EXPECT_LE(now.cy, ::GetSystemMetrics(SM_CYMAXTRACK));
        if (s.cx > 0 && s.cx < 1000) {
            EXPECT_EQ(now.cx, s.cx);
        }
    }
    EXPECT_EQ(SurfacePixel(host->GetMemSurface(), 30, 30), 0xFFFF0000u);
}

// Hundreds of hosts made and destroyed leave no GDI objects and no windows.
TEST_F(HostTest, CreateDestroyCyclesLeakNothing)
{
    auto cycle = [this] {
        auto* host = new SHostWnd(L"LAYOUT:XML_HOST_BASIC");
        HWND hwnd = host->CreateEx(nullptr, WS_POPUP, 0, 0, 0, 0, 0);
        ASSERT_NE(hwnd, nullptr);
        ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
        ::UpdateWindow(hwnd);
        host->DestroyWindow();
        host->Release();
    };
    for (int i = 0; i < 5; ++i) cycle();   // caches settle first
    nativetest::PumpFor(20);
    const DWORD gdiBefore = guicount::GdiObjects();
    const DWORD windowsBefore = guicount::ThreadWindows();
    for (int i = 0; i < 300; ++i) cycle();
    nativetest::PumpFor(20);
    EXPECT_LE(guicount::GdiObjects(), gdiBefore + 4);
    EXPECT_EQ(guicount::ThreadWindows(), windowsBefore);
}

TEST_F(HostTest, PrivatePoolsLeaveTheManagersWithTheHost)
{
    const size_t skinPools = SSkinPoolMgr::GetInstance()->GetCount();
    auto* host = new SHostWnd(L"LAYOUT:XML_HOST_BASIC");
    ASSERT_NE(host->CreateEx(nullptr, WS_POPUP, 0, 0, 0, 0, 0), nullptr);
    EXPECT_EQ(SSkinPoolMgr::GetInstance()->GetCount(), skinPools + 1);
    // The object freed with its window alive takes the window with it.
    HWND hwnd = host->GetHwnd();
    host->Release();
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(SSkinPoolMgr::GetInstance()->GetCount(), skinPools);
}
