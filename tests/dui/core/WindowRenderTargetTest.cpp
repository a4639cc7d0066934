// Windows drawing outside the host's paint cycle: borrowed surfaces, what
// they hold before and after the caller draws, clipping to ancestors,
// layered ancestors, update locks and the non-client redraw.
#include <gtest/gtest.h>

#include "PaintHost.h"

using namespace DUI;
using namespace wndtest;

namespace {

class WindowRenderTargetTest : public PaintTreeTest
{
protected:
    // Fills the window's rectangle on its borrowed surface and gives it back.
    static void DrawOutside(SWindow* w, DWORD flags, COLORREF color)
    {
        IPaintSurface* rt = w->GetRenderTarget(nullptr, flags, FALSE);
        ASSERT_NE(rt, nullptr);
        const RECT rc = w->GetWindowRect();
        rt->FillRectColor(&rc, color);
        w->ReleaseRenderTarget(rt);
    }
};

} // namespace

TEST_F(WindowRenderTargetTest, LockedWindowDrawsIntoNothing)
{
    SWindow* w = Named(Tree(L"<root><window name=\"w\" pos=\"0,0,40,40\"/></root>"), L"w");
    m_host.Fill(kMarker);
    w->LockUpdate();
    IPaintSurface* rt = w->GetRenderTarget(nullptr, PaintFlag_Plain, FALSE);
    ASSERT_NE(rt, nullptr);
    EXPECT_EQ(rt->GetSize().cx, 0);
    EXPECT_EQ(rt->GetSize().cy, 0);
    const RECT rc = w->GetWindowRect();
    rt->FillRectColor(&rc, 0xFF0000FF);
    w->ReleaseRenderTarget(rt);
    w->UnlockUpdate();
    EXPECT_TRUE(m_host.lent.empty());
    EXPECT_TRUE(m_host.returned.empty());
    ExpectPixels({{10, 10, kMarkerPixel}});
}

TEST_F(WindowRenderTargetTest, DrawingIsCutToEveryAncestorsClient)
{
    SWindow* root = Tree(L"<root><window pos=\"0,0,40,40\" margin=\"5\">"
                         L"<window name=\"c\" pos=\"20,20,@40,@40\"/></window></root>");
    m_host.Fill(kMarker);
    DrawOutside(Named(root, L"c"), PaintFlag_Plain, 0xFF0000FF);
    ASSERT_EQ(m_host.lent.size(), 1u);
    const RECT box = m_host.lent[0];
    EXPECT_TRUE(box.left == 25 && box.top == 25 && box.right == 35 && box.bottom == 35);
    ExpectPixels({{30, 30, kRed}, {34, 34, kRed}, {37, 37, kMarkerPixel}, {50, 50, kMarkerPixel}});
}

// A translucent window between a white one below and a green one above.
TEST_F(WindowRenderTargetTest, BackgroundFlagFramesTheDrawingWithWhatLiesBelowAndAbove)
{
    struct Case
    {
        const char* name;
        DWORD flags;
        uint32_t before;        // the borrowed surface at (30, 30) before drawing
        uint32_t mine, above;   // the host image at (30, 30) and (50, 30) afterwards
    };
    const Case cases[] = {
        {"below and above", PaintFlag_Background, kWhite, kGrey, kGreen},
        {"only what the host lent", PaintFlag_Plain, kMarkerPixel, 0xFF09192A, 0xFF09192A},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SWindow* root = Tree(L"<root><window pos=\"0,0,100,60\" colorBkgnd=\"#ffffff\"/>"
                             L"<window name=\"w\" pos=\"20,10,60,50\"/>"
                             L"<window pos=\"45,0,100,60\" colorBkgnd=\"#00ff00\"/></root>");
        SWindow* w = Named(root, L"w");
        m_host.Fill(kMarker);
        IPaintSurface* rt = w->GetRenderTarget(nullptr, c.flags, FALSE);
        ASSERT_NE(rt, nullptr);
        ExpectPixels(rt, {{30, 30, c.before}}, {20, 10});
        const RECT rc = w->GetWindowRect();
        rt->FillRectColor(&rc, 0x80000000);   // half black
        w->ReleaseRenderTarget(rt);
        ExpectPixels({{30, 30, c.mine}, {50, 30, c.above}});
    }
}

// The layered window "l" (alpha 128) holds "c"; "top" lies above both.
TEST_F(WindowRenderTargetTest, WindowInALayeredAncestorDrawsIntoItsLayer)
{
    SWindow* root = Tree(L"<root><window pos=\"0,0,100,60\" colorBkgnd=\"#ffffff\"/>"
                         L"<window name=\"l\" pos=\"0,0,60,60\" layeredWindow=\"1\" alpha=\"128\">"
                         L"<window name=\"c\" pos=\"10,10,@20,@20\" colorBkgnd=\"#000000\"/></window>"
                         L"<window name=\"top\" pos=\"25,0,100,60\" colorBkgnd=\"#00ff00\"/></root>");
    SWindow* l = Named(root, L"l");
    SWindow* c = Named(root, L"c");
    EXPECT_EQ(c->GetLayeredAncestor(), l);
    EXPECT_EQ(root->GetLayeredAncestor(), nullptr);
    m_host.Paint();
    ExpectPixels({{15, 15, kGrey}, {5, 5, kWhite}, {27, 15, kGreen}});

    DrawOutside(c, PaintFlag_Plain, 0xFF0000FF);
    // The layer was drawn on, and only the composed box went to the host.
    ASSERT_EQ(m_host.lent.size(), 1u);
    ASSERT_EQ(m_host.returned.size(), 1u);
    const RECT box = m_host.returned[0];
    EXPECT_TRUE(box.left == 10 && box.top == 10 && box.right == 30 && box.bottom == 30);
    ExpectPixels({{15, 15, 0xFFFF7F7F}, {27, 15, kGreen}, {5, 5, kWhite}});

    // A host repaint of part of the layered window redraws the layer there only.
    m_host.Fill(kMarker);
    const RECT part = {12, 12, 20, 20};
    m_host.Paint(&part);
    ExpectPixels({{15, 15, kGrey}, {25, 25, kMarkerPixel}, {5, 5, kMarkerPixel}});
}

TEST_F(WindowRenderTargetTest, NonClientRedrawTouchesOnlyTheBorder)
{
    SWindow* root = Tree(L"<root><window name=\"plain\" pos=\"0,0,20,20\" skin=\"four\"/>"
                         L"<window name=\"framed\" pos=\"40,0,80,40\" margin=\"4\" ncskin=\"four\"/></root>");
    m_host.Paint();
    m_host.Fill(kMarker);
    Named(root, L"plain")->RedrawNonClient();
    EXPECT_TRUE(m_host.lent.empty());
    ExpectPixels({{10, 10, kMarkerPixel}});

    SWindow* framed = Named(root, L"framed");
    framed->ModifyState(WndState_Hover, 0, FALSE);
    framed->RedrawNonClient();
    ExpectPixels({{41, 1, kGreen}, {78, 38, kGreen}, {60, 20, kMarkerPixel}, {85, 5, kMarkerPixel}});
}

// Above "w": its sibling "s" inside "p", and "top" at the root.
TEST_F(WindowRenderTargetTest, ForegroundComesFromTheParentOrFromTheRoot)
{
    struct Case
    {
        const char* name;
        void (SWindow::*paint)(IPaintSurface*, const RECT*);
        uint32_t sibling, top;
    };
    const Case cases[] = {
        {"the parent's subtree", &SWindow::PaintForeground, kGreen, kMarkerPixel},
        {"the whole tree", &SWindow::PaintForegroundFromRoot, kGreen, kBlue},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SWindow* root = Tree(L"<root><window name=\"p\" pos=\"0,0,60,60\">"
                             L"<window name=\"w\" pos=\"0,0,40,40\"/>"
                             L"<window pos=\"30,0,@10,@10\" colorBkgnd=\"#00ff00\"/></window>"
                             L"<window pos=\"0,30,@10,@10\" colorBkgnd=\"#0000ff\"/></root>");
        SWindow* w = Named(root, L"w");
        m_host.Fill(kMarker);
        IPaintSurface* rt = w->GetRenderTarget(nullptr, PaintFlag_Plain, FALSE);
        ASSERT_NE(rt, nullptr);
        (w->*c.paint)(rt, nullptr);
        w->ReleaseRenderTarget(rt);
        ExpectPixels({{35, 5, c.sibling}, {5, 35, c.top}, {20, 20, kMarkerPixel}});
    }
}
