// Window trees drawn into the host's image through render.dll, checked on
// pixels: paint order, clipping, translucency and caches, borders by state,
// partial repaints, and opaque windows that redraw their own dirty region.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "PaintHost.h"

using namespace DUI;
using namespace wndtest;

namespace {

class WindowPaintTest : public PaintTreeTest
{
};

// A window whose shape is a rectangle of its own, relative to its top-left.
class ShapedWindow : public SWindow
{
public:
    explicit ShapedWindow(const RECT& shape) { m_shapeRegion = NewPaintRegion(shape); }
};

} // namespace

TEST_F(WindowPaintTest, TreesDrawInPaintOrderAndClipAsTheySay)
{
    struct Case
    {
        const char* name;
        const wchar_t* xml;
        std::vector<Probe> probes;
    };
    const Case cases[] = {
        {"a later sibling lies above an earlier one",
         L"<root><window pos=\"0,0,60,40\" colorBkgnd=\"#ff0000\"/>"
         L"<window pos=\"40,20,100,60\" colorBkgnd=\"#00ff00\"/></root>",
         {{10, 10, kRed}, {50, 30, kGreen}, {80, 10, 0}}},
        {"children lie above their parent",
         L"<root><window pos=\"0,0,50,50\" colorBkgnd=\"#0000ff\">"
         L"<window pos=\"10,10,@10,@10\" colorBkgnd=\"#ffff00\"/></window></root>",
         {{15, 15, kYellow}, {5, 5, kBlue}, {25, 25, kBlue}}},
        {"a parent that clips to its client cuts its child; its border lies above",
         L"<root><window pos=\"0,0,40,40\" clipClient=\"1\" margin=\"4\" colorBorder=\"#000000\">"
         L"<window pos=\"20,20,@40,@40\" colorBkgnd=\"#00ff00\"/></window></root>",
         {{30, 30, kGreen}, {38, 38, kBlack}, {50, 50, 0}, {2, 2, kBlack}, {10, 10, 0}}},
        {"without clipping the child overflows",
         L"<root><window pos=\"0,0,40,40\" margin=\"4\" colorBorder=\"#000000\">"
         L"<window pos=\"20,20,@40,@40\" colorBkgnd=\"#00ff00\"/></window></root>",
         {{30, 30, kGreen}, {38, 38, kBlack}, {50, 50, kGreen}}},
        {"a hidden window takes its children with it",
         L"<root><window pos=\"0,0,50,50\" colorBkgnd=\"#0000ff\" visible=\"0\">"
         L"<window pos=\"0,0,@10,@10\" colorBkgnd=\"#ffff00\"/></window></root>",
         {{5, 5, 0}, {20, 20, 0}}},
        {"a translucent window is blended over what lies below",
         L"<root><window pos=\"0,0,100,60\" colorBkgnd=\"#ffffff\"/>"
         L"<window pos=\"0,0,50,60\" colorBkgnd=\"#000000\" alpha=\"128\"/></root>",
         {{10, 10, kGrey}, {70, 10, kWhite}}},
        {"a translucent window's border is blended as well",
         L"<root><window pos=\"0,0,100,60\" colorBkgnd=\"#ffffff\"/>"
         L"<window pos=\"0,0,50,60\" margin=\"4\" colorBorder=\"#000000\" alpha=\"128\"/></root>",
         {{1, 1, kGrey}, {48, 58, kGrey}, {20, 20, kWhite}}},
        {"round corners leave the corners empty",
         L"<root><window pos=\"0,0,40,40\" colorBkgnd=\"#ff0000\" round=\"10,10\"/></root>",
         {{0, 0, 0}, {39, 39, 0}, {20, 20, kRed}, {20, 0, kRed}}},
        {"a background skin fills the client",
         L"<root><window pos=\"0,0,40,40\" skin=\"four\"/></root>", {{20, 20, kRed}, {50, 20, 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Tree(c.xml);
        m_host.Paint();
        ExpectPixels(c.probes);
    }
}

TEST_F(WindowPaintTest, PaintOrderRangesDrawOnlyTheirWindows)
{
    // Paint order: root 0, a 1, a1 2, a2 3, b 4, b1 5.
    SWindow* root = Tree(L"<root><window name=\"a\" pos=\"0,0,40,60\" colorBkgnd=\"#ff0000\">"
                         L"<window name=\"a1\" pos=\"0,0,@10,@10\" colorBkgnd=\"#00ff00\"/>"
                         L"<window name=\"a2\" pos=\"20,0,@10,@10\" colorBkgnd=\"#0000ff\"/></window>"
                         L"<window name=\"b\" pos=\"50,0,100,60\" colorBkgnd=\"#ffff00\">"
                         L"<window name=\"b1\" pos=\"0,0,@10,@10\" colorBkgnd=\"#000000\"/></window></root>");
    EXPECT_EQ(Named(root, L"b1")->GetZorder(), 5);
    struct Case
    {
        const char* name;
        int first, end;
        std::vector<Probe> probes;   // a at (30, 30), a1 (5, 5), a2 (25, 5), b (70, 30), b1 (55, 5)
    };
    const Case cases[] = {
        {"all", 0, -1, {{30, 30, kRed}, {5, 5, kGreen}, {25, 5, kBlue}, {70, 30, kYellow}, {55, 5, kBlack}}},
        {"inside a's subtree, then b without b1", 2, 5, {{30, 30, 0}, {5, 5, kGreen}, {25, 5, kBlue}, {70, 30, kYellow}, {55, 5, kYellow}}},
        {"a2 alone", 3, 4, {{30, 30, 0}, {5, 5, 0}, {25, 5, kBlue}, {70, 30, 0}, {55, 5, 0}}},
        {"the last window alone", 5, -1, {{30, 30, 0}, {5, 5, 0}, {25, 5, 0}, {70, 30, 0}, {55, 5, kBlack}}},
        {"an empty range", 3, 3, {{30, 30, 0}, {25, 5, 0}, {70, 30, 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_host.Fill(0);
        root->DispatchPaint(m_host.Image(), nullptr, c.first, c.end);
        ExpectPixels(c.probes);
    }
}

TEST_F(WindowPaintTest, OnlyTheInvalidatedRectangleIsRedrawn)
{
    SWindow* root = Tree(L"<root><window name=\"a\" pos=\"0,0,60,40\" colorBkgnd=\"#ff0000\"/>"
                         L"<window name=\"b\" pos=\"40,20,100,60\" colorBkgnd=\"#00ff00\"/></root>");
    m_host.Paint();
    m_host.Fill(kMarker);
    m_host.redraws.clear();
    SWindow* b = Named(root, L"b");
    const RECT part = {30, 10, 70, 50};
    b->InvalidateRect(&part);
    ASSERT_EQ(m_host.redraws.size(), 1u);
    const RECT asked = m_host.redraws.back();
    EXPECT_EQ(asked.left, 40);   // cut to b's rectangle
    EXPECT_EQ(asked.top, 20);
    EXPECT_EQ(asked.right, 70);
    EXPECT_EQ(asked.bottom, 50);
    m_host.Paint(&asked);
    ExpectPixels({{45, 25, kGreen}, {69, 49, kGreen}, {35, 25, kMarkerPixel}, {70, 25, kMarkerPixel},
                  {45, 50, kMarkerPixel}, {10, 10, kMarkerPixel}});
}

TEST_F(WindowPaintTest, CacheIsRedrawnOnlyWhenMarkedDirty)
{
    SWindow* root = Tree(L"<root><window name=\"c\" pos=\"0,0,40,40\" colorBkgnd=\"#ff0000\" cache=\"1\"/></root>");
    SWindow* c = Named(root, L"c");
    m_host.Paint();
    ExpectPixels({{20, 20, kRed}});
    c->GetStyle().m_crBg = 0xFFFF0000;   // blue, unseen until invalidated
    m_host.Paint();
    ExpectPixels({{20, 20, kRed}});
    c->InvalidateRect(nullptr);
    m_host.Paint();
    ExpectPixels({{20, 20, kBlue}});
}

// A border skin shows hover only: pushed and disabled windows keep state 0
// or 1 for it, while the background skin follows every state.
TEST_F(WindowPaintTest, BorderSkinDrawsNormalOrHoverOnly)
{
    SWindow* root = Tree(L"<root><window name=\"w\" pos=\"0,0,40,40\" margin=\"4\" ncskin=\"four\" skin=\"four\"/></root>");
    SWindow* w = Named(root, L"w");
    struct Case
    {
        const char* name;
        DWORD state;
        uint32_t border, client;
    };
    const Case cases[] = {
        {"normal", 0, kRed, kRed},
        {"hover", WndState_Hover, kGreen, kGreen},
        {"pushed", WndState_PushDown, kRed, kBlue},
        {"pushed while hovered", WndState_PushDown | WndState_Hover, kGreen, kBlue},
        {"checked", WndState_Check, kRed, kBlue},
        {"disabled", WndState_Disable, kRed, kYellow},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        w->ModifyState(c.state, ~c.state, FALSE);
        m_host.Paint();
        ExpectPixels({{1, 1, c.border}, {20, 20, c.client}});
    }
}

TEST_F(WindowPaintTest, FocusedWindowDrawsADottedFocusRectangle)
{
    SWindow* root = Tree(L"<root><window name=\"f\" pos=\"0,0,40,30\" colorBkgnd=\"#ffffff\" focusable=\"1\"/></root>");
    SWindow* f = Named(root, L"f");
    m_host.Paint();
    ExpectPixels({{2, 10, kWhite}});
    m_host.focus = f->GetSwnd();
    m_host.Paint();
    // The outline runs 2 pixels inside the text rectangle, in dots.
    int dark = 0;
    for (int y = 2; y < 28; ++y)
        dark += m_host.At(2, y) != kWhite ? 1 : 0;
    EXPECT_GT(dark, 5);
    EXPECT_LT(dark, 26 - 5);
    ExpectPixels({{1, 10, kWhite}, {3, 10, kWhite}});
}

// An opaque window ("bkgndBlend" 0) tells the host which window to redraw;
// two requests before the host paints are drawn once, as their union.
TEST_F(WindowPaintTest, OpaqueWindowRedrawsTheUnionOfItsRequestsOnce)
{
    SWindow* root = Tree(L"<root><window pos=\"0,0,100,60\" colorBkgnd=\"#ffffff\"/>"
                         L"<window name=\"o\" pos=\"10,10,90,50\" colorBkgnd=\"#ff0000\" bkgndBlend=\"0\">"
                         L"<window pos=\"0,0,@10,@10\" colorBkgnd=\"#0000ff\"/></window></root>");
    SWindow* o = Named(root, L"o");
    m_host.Paint();
    o->RedrawDirtyRegion();   // what laying out asked for
    m_host.Fill(kMarker);
    m_host.redraws.clear();
    m_host.updates.clear();
    m_host.returned.clear();
    const RECT first = {10, 10, 30, 20}, second = {50, 30, 60, 40};
    o->InvalidateRect(&first);
    o->InvalidateRect(&second);
    EXPECT_TRUE(m_host.redraws.empty());
    EXPECT_EQ(m_host.updates, (std::vector<SWND>{o->GetSwnd(), o->GetSwnd()}));

    o->RedrawDirtyRegion();
    ASSERT_EQ(m_host.returned.size(), 1u);
    const RECT& box = m_host.returned[0];
    EXPECT_TRUE(box.left == 10 && box.top == 10 && box.right == 60 && box.bottom == 40);
    // The two rectangles are drawn, children included; the rest of the box is not.
    ExpectPixels({{25, 15, kRed}, {15, 15, kBlue}, {55, 35, kRed}, {40, 25, kMarkerPixel}, {5, 5, kMarkerPixel}});
    o->RedrawDirtyRegion();
    EXPECT_EQ(m_host.returned.size(), 1u);
}

// The left half of a 40 x 40 window with a 4-pixel border is its shape:
// neither its client nor its border is drawn outside it.
TEST_F(WindowPaintTest, ShapeCutsClientAndBorder)
{
    SWindow* root = Tree(L"<root/>");
    auto* shaped = new ShapedWindow(RECT{0, 0, 20, 40});
    root->InsertChild(shaped);
    for (const auto& [name, value] : {std::pair{L"colorBkgnd", L"#ff0000"}, {L"margin", L"4"}, {L"ncskin", L"four"}})
        shaped->SetAttribute(SStringW(name), SStringW(value), TRUE);
    const RECT rc = {10, 10, 50, 50};
    shaped->Move(&rc);
    m_host.Paint();
    ExpectPixels({{15, 20, kRed}, {11, 20, kRed}, {12, 11, kRed}, {40, 20, 0}, {45, 11, 0}});

    m_host.Fill(kMarker);
    shaped->ModifyState(WndState_Hover, 0, FALSE);
    shaped->RedrawNonClient();
    ExpectPixels({{11, 20, kGreen}, {25, 11, kGreen}, {45, 11, kMarkerPixel}, {15, 20, kMarkerPixel}});
}

// Alpha set after loading makes the cache at once; a cached window that
// moves and grows draws at its new place and size.
TEST_F(WindowPaintTest, CacheFollowsAlphaAndTheWindowsRectangle)
{
    SWindow* root = Tree(L"<root><window pos=\"0,0,100,60\" colorBkgnd=\"#ffffff\"/>"
                         L"<window name=\"w\" pos=\"0,0,20,20\" colorBkgnd=\"#000000\"/></root>");
    SWindow* w = Named(root, L"w");
    m_host.Paint();
    ExpectPixels({{10, 10, kBlack}});
    w->SetAttribute(SStringW(L"alpha"), SStringW(L"128"), FALSE);
    m_host.Paint();
    ExpectPixels({{10, 10, kGrey}});
    const RECT moved = {40, 10, 90, 50};
    w->Move(&moved);
    m_host.Paint();
    ExpectPixels({{10, 10, kWhite}, {45, 15, kGrey}, {85, 45, kGrey}, {95, 45, kWhite}});
}
