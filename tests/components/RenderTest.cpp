// Draws through render.dll into small surfaces and checks pixels.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/ComponentLoader.h"
#include "dui/core/base/IRender.h"
#include "dui/core/base/SRefPtr.h"

using DUI::SRefPtr;

namespace {

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF;
// Colour values: red in the low byte.
constexpr COLORREF kRedColor = 0xFF0000FF, kBlueColor = 0xFFFF0000, kWhiteColor = 0xFFFFFFFF;

class RenderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_factory = SRefPtr<DUI::IPaintFactory>::Adopt(m_dll.Create<DUI::IPaintFactory>());
        ASSERT_TRUE(m_factory);
        m_surface = NewSurface(32, 32);
        ASSERT_TRUE(m_surface);
    }

    SRefPtr<DUI::IPaintSurface> NewSurface(int cx, int cy)
    {
        DUI::IPaintSurface* s = nullptr;
        m_factory->CreateSurface(cx, cy, &s);
        return SRefPtr<DUI::IPaintSurface>::Adopt(s);
    }

    SRefPtr<DUI::IPaintBitmap> NewBitmap(int cx, int cy, const uint32_t* pixels)
    {
        DUI::IPaintBitmap* b = nullptr;
        m_factory->CreateBitmap(&b);
        auto bmp = SRefPtr<DUI::IPaintBitmap>::Adopt(b);
        EXPECT_EQ(bmp->InitPixels(cx, cy, pixels), S_OK);
        return bmp;
    }

    static uint32_t At(DUI::IPaintSurface* s, int x, int y)
    {
        auto* bmp = static_cast<DUI::IPaintBitmap*>(s->GetSelectedObject(DUI::OT_BITMAP));
        const auto* bits = static_cast<const uint32_t*>(bmp->LockPixels());
        const uint32_t p = bits[y * bmp->Width() + x];
        bmp->UnlockPixels(const_cast<uint32_t*>(bits));
        return p;
    }
    uint32_t At(int x, int y) const { return At(m_surface.Get(), x, y); }

    int CountPixels(const RECT& area, bool (*pred)(uint32_t)) const
    {
        int n = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) n += pred(At(x, y)) ? 1 : 0;
        return n;
    }

    void UsePen(int style, COLORREF color, int width)
    {
        DUI::IPen* pen = nullptr;
        m_surface->CreatePen(style, color, width, &pen);
        m_surface->SelectObject(pen, nullptr);
        pen->Release();
    }

    testcomp::ComponentLoader m_dll{L"render.dll"};
    SRefPtr<DUI::IPaintFactory> m_factory;
    SRefPtr<DUI::IPaintSurface> m_surface;
};

bool IsPartial(uint32_t p) { return (p >> 24) > 0 && (p >> 24) < 255; }
bool IsEmpty(uint32_t p) { return p == 0; }
bool HasAlpha(uint32_t p) { return (p >> 24) != 0; }

} // namespace

TEST_F(RenderTest, NewSurfaceIsTransparentAndSized)
{
    EXPECT_EQ(m_surface->GetSize().cx, 32);
    EXPECT_EQ(m_surface->GetSize().cy, 32);
    EXPECT_EQ(CountPixels({0, 0, 32, 32}, IsEmpty), 32 * 32);
    ASSERT_EQ(m_surface->Resize({8, 4}), S_OK);
    EXPECT_EQ(m_surface->GetSize().cx, 8);
}

TEST_F(RenderTest, FillRectBlendsOverWhatIsThere)
{
    struct Case { const char* name; COLORREF under, over; uint32_t want; };
    const Case cases[] = {
        {"opaque over opaque", kWhiteColor, kRedColor, kRed},
        {"half red over white", kWhiteColor, 0x800000FF, 0xFFFF7F7F},
        {"half red over nothing", 0x00000000, 0x800000FF, 0x80800000},
        {"no alpha draws nothing", kBlueColor, 0x000000FF, kBlue},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto s = NewSurface(4, 4);
        const RECT all = {0, 0, 4, 4}, part = {1, 1, 3, 3};
        s->FillRectColor(&all, c.under);
        s->FillRectColor(&part, c.over);
        EXPECT_EQ(At(s.Get(), 1, 1), c.want);
        EXPECT_EQ(At(s.Get(), 2, 2), c.want);
        EXPECT_EQ(At(s.Get(), 0, 0), At(s.Get(), 3, 3));   // outside untouched
    }
}

TEST_F(RenderTest, ClearRectReplacesPixelsInsideTheClipOnly)
{
    const RECT all = {0, 0, 8, 8}, clip = {0, 0, 6, 8}, area = {2, 2, 8, 8};
    m_surface->FillRectColor(&all, kRedColor);
    m_surface->SetViewportOffset({1, 0});
    m_surface->PushClipRect(&clip, DUI::RGN_OP_AND);
    m_surface->ClearRect(&area, 0);
    m_surface->PopClip();
    EXPECT_EQ(At(3, 3), 0u);        // (2, 2) of the caller: transparent, not blended
    EXPECT_EQ(At(6, 3), 0u);
    EXPECT_EQ(At(7, 3), kRed);      // outside the clip
    EXPECT_EQ(At(2, 3), kRed);      // left of the area
    EXPECT_EQ(At(3, 1), kRed);      // above it
    m_surface->ClearRect(&area, 0x800000FF);   // half red, premultiplied as stored
    EXPECT_EQ(At(3, 3), 0x80800000u);
}

TEST_F(RenderTest, ClipsAndViewportOffset)
{
    const RECT all = {0, 0, 32, 32}, left = {0, 0, 16, 32}, hole = {4, 4, 8, 8};
    m_surface->PushClipRect(&left, DUI::RGN_OP_AND);
    m_surface->PushClipRect(&hole, DUI::RGN_OP_DIFF);
    m_surface->FillRectColor(&all, kRedColor);
    EXPECT_EQ(At(1, 1), kRed);
    EXPECT_EQ(At(5, 5), 0u);     // subtracted
    EXPECT_EQ(At(20, 5), 0u);    // outside the first clip
    int cookie = 0;
    m_surface->SaveClip(&cookie);
    const RECT tiny = {0, 0, 1, 1};
    m_surface->PushClipRect(&tiny, DUI::RGN_OP_COPY);
    m_surface->PushClipRect(&all, DUI::RGN_OP_AND);
    m_surface->RestoreClip(cookie);
    RECT box;
    m_surface->GetClipBox(&box);
    EXPECT_EQ(box.right, 16);
    m_surface->PopClip();
    m_surface->PopClip();
    EXPECT_EQ(m_surface->PopClip(), E_FAIL);

    // With an offset, (0, 0) of the caller is (10, 10) of the surface.
    m_surface->SetViewportOffset({10, 10});
    const RECT one = {0, 0, 2, 2};
    m_surface->PushClipRect(&one, DUI::RGN_OP_AND);
    m_surface->FillRectColor(&all, kBlueColor);
    m_surface->PopClip();
    EXPECT_EQ(At(10, 10), kBlue);
    EXPECT_EQ(At(11, 11), kBlue);
    EXPECT_NE(At(12, 12), kBlue);
}

TEST_F(RenderTest, ClipToEllipticRegion)
{
    DUI::IPaintRegion* rgn = nullptr;
    m_surface->CreateRegion(&rgn);
    const RECT oval = {0, 0, 32, 32}, all = {0, 0, 32, 32};
    rgn->CombineEllipse(&oval, DUI::RGN_OP_COPY);
    EXPECT_FALSE(rgn->IsEmpty());
    EXPECT_TRUE(rgn->PtInRegion({16, 16}));
    EXPECT_FALSE(rgn->PtInRegion({0, 0}));
    m_surface->PushClipRegion(rgn, DUI::RGN_OP_AND);
    m_surface->FillRectColor(&all, 0xFF00FF00);
    m_surface->PopClip();
    rgn->Clear();
    EXPECT_TRUE(rgn->IsEmpty());
    rgn->Release();
    EXPECT_EQ(At(16, 16), kGreen);
    EXPECT_EQ(At(0, 0), 0u);
    EXPECT_EQ(At(31, 31), 0u);
}

TEST_F(RenderTest, RoundRectAndEllipseAreAntiAliased)
{
    const RECT r = {0, 0, 32, 20};
    m_surface->FillRoundRectColor(&r, {8, 8}, kRedColor);
    EXPECT_EQ(At(0, 0), 0u);        // cut corner
    EXPECT_EQ(At(16, 0), kRed);     // straight top edge
    EXPECT_EQ(At(0, 10), kRed);
    EXPECT_EQ(At(16, 10), kRed);
    EXPECT_EQ(At(31, 19), 0u);
    EXPECT_GT(CountPixels({0, 0, 8, 8}, IsPartial), 3);
    EXPECT_EQ(At(16, 20), 0u);      // nothing below the rectangle

    auto s = NewSurface(32, 32);
    const RECT oval = {0, 0, 32, 32};
    s->FillEllipse(&oval, kBlueColor);
    EXPECT_EQ(At(s.Get(), 16, 16), kBlue);
    EXPECT_EQ(At(s.Get(), 1, 1), 0u);
    EXPECT_EQ(At(s.Get(), 16, 0) >> 24, 255u);   // top of the circle fully in
    int partial = 0;
    for (int x = 0; x < 16; ++x) partial += IsPartial(At(s.Get(), x, x)) ? 1 : 0;
    EXPECT_GE(partial, 1);   // the diagonal crosses a soft edge
}

TEST_F(RenderTest, GradientRectRunsFromFirstToLastColour)
{
    const RECT r = {0, 0, 4, 11};
    m_surface->FillGradientRect(&r, TRUE, 0xFF000000, 0xFFFFFFFF, 255);
    EXPECT_EQ(At(0, 0), 0xFF000000u);
    EXPECT_EQ(At(3, 10), 0xFFFFFFFFu);
    EXPECT_EQ(At(2, 5), 0xFF808080u);
    // Horizontal, with skin alpha 128 on a transparent surface.
    auto s = NewSurface(11, 2);
    const RECT h = {0, 0, 11, 2};
    s->FillGradientRect(&h, FALSE, kRedColor, kBlueColor, 128);
    EXPECT_EQ(At(s.Get(), 0, 0), 0x80800000u);
    EXPECT_EQ(At(s.Get(), 10, 1), 0x80000080u);
}

TEST_F(RenderTest, ShapeGradientKinds)
{
    const RECT r = {0, 0, 32, 32};
    struct Case { const char* name; int type; float angle; POINT low, high; };
    const Case cases[] = {
        {"linear left to right", DUI::GT_LINEAR, 0, {0, 16}, {31, 16}},
        {"linear top to bottom", DUI::GT_LINEAR, 90, {16, 0}, {16, 31}},
        {"radial from the centre", DUI::GT_RADIAL, 0, {16, 16}, {16, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto s = NewSurface(32, 32);
        s->FillShapeGradient(&r, c.type, 0xFF000000, 0xFF808080, 0xFFFFFFFF, c.angle, 0.5f, 0.5f, 16, 255);
        EXPECT_LT(At(s.Get(), c.low.x, c.low.y) & 0xFF, 0x10u);
        EXPECT_GT(At(s.Get(), c.high.x, c.high.y) & 0xFF, 0xE0u);
    }
    EXPECT_EQ(m_surface->FillShapeGradient(&r, 7, 0, 0, 0, 0, 0.5f, 0.5f, 0, 255), E_INVALIDARG);
}

TEST_F(RenderTest, OutlinesUseTheSelectedPen)
{
    const RECT r = {2, 2, 30, 30};
    UsePen(PS_SOLID, kRedColor, 2);
    m_surface->DrawRectangle(&r);
    EXPECT_EQ(At(2, 2), kRed);
    EXPECT_EQ(At(3, 15), kRed);
    EXPECT_EQ(At(29, 15), kRed);
    EXPECT_EQ(At(15, 28), kRed);
    EXPECT_EQ(At(4, 15), 0u);       // inside the border
    EXPECT_EQ(At(1, 15), 0u);       // outside the rectangle
    EXPECT_EQ(At(15, 15), 0u);

    // Dashed and dotted borders have gaps along their edges; dots are short.
    struct Case { const char* name; int style; int minOn, maxOn, maxRun; };
    const Case cases[] = {
        {"dash", PS_DASH, 21, 59, 8},
        {"dot", PS_DOT, 24, 40, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto s = NewSurface(64, 8);
        m_surface = s;
        UsePen(c.style, kBlueColor, 1);
        const RECT wide = {0, 0, 64, 8};
        s->DrawRectangle(&wide);
        const int drawn = CountPixels({0, 0, 64, 1}, HasAlpha);
        EXPECT_GE(drawn, c.minOn);
        EXPECT_LE(drawn, c.maxOn);
        int run = 0, longest = 0;
        for (int x = 8; x < 56; ++x) {
            run = HasAlpha(At(x, 0)) ? run + 1 : 0;
            longest = std::max(longest, run);
        }
        EXPECT_LE(longest, c.maxRun);
    }
}

TEST_F(RenderTest, RoundRectEllipseAndArcOutlines)
{
    const RECT r = {0, 0, 32, 32};
    UsePen(PS_SOLID, kBlueColor, 2);
    m_surface->DrawRoundRect(&r, {6, 6});
    EXPECT_EQ(At(16, 0), kBlue);
    EXPECT_EQ(At(16, 1), kBlue);
    EXPECT_EQ(At(16, 3), 0u);
    EXPECT_EQ(At(0, 0), 0u);

    auto ring = NewSurface(32, 32);
    m_surface = ring;
    UsePen(PS_SOLID, kBlueColor, 3);
    ring->DrawEllipse(&r);
    EXPECT_EQ(At(16, 16), 0u);
    EXPECT_EQ(At(16, 1) >> 24, 255u);
    EXPECT_EQ(At(1, 16) >> 24, 255u);

    // A quarter arc from 0 to 90 degrees (clockwise, y down): the lower right.
    auto arc = NewSurface(32, 32);
    m_surface = arc;
    UsePen(PS_SOLID, kBlueColor, 3);
    arc->DrawArc(&r, 0.0f, 90.0f, FALSE);
    EXPECT_GT(CountPixels({16, 16, 32, 32}, HasAlpha), 10);
    EXPECT_EQ(CountPixels({0, 0, 15, 15}, HasAlpha), 0);
    EXPECT_EQ(CountPixels({0, 17, 15, 32}, HasAlpha), 0);
}

TEST_F(RenderTest, TextKeepsAlphaOnTranslucentAndOpaqueSurfaces)
{
    LOGFONTW lf = {};
    lf.lfHeight = -16;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpyW(lf.lfFaceName, L"Microsoft YaHei");
    DUI::IFont* font = nullptr;
    ASSERT_EQ(m_factory->CreateFont(&lf, &font), S_OK);
    EXPECT_EQ(font->TextSize(), -16);
    struct Case { const char* name; const wchar_t* text; };
    const Case cases[] = {{"latin", L"Hello"}, {"chinese", L"\u8f6c\u6362\u5b8c\u6210"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // On a transparent surface the glyphs must carry alpha, or they vanish
        // when the surface is blended onto a window.
        auto s = NewSurface(96, 32);
        m_surface = s;
        s->SelectObject(font, nullptr);
        s->SetTextColor(0xFF000000);
        RECT rc = {4, 4, 90, 28};
        ASSERT_EQ(s->DrawTextBox(c.text, -1, &rc, DT_SINGLELINE | DT_LEFT | DT_VCENTER, 255), S_OK);
        EXPECT_GT(CountPixels({4, 4, 90, 28}, [](uint32_t p) { return (p >> 24) == 255; }), 10);
        EXPECT_EQ(CountPixels({0, 0, 96, 4}, HasAlpha), 0);   // nothing outside the rectangle

        // On white, text darkens pixels and alpha stays 255 everywhere.
        auto w = NewSurface(96, 32);
        m_surface = w;
        const RECT all = {0, 0, 96, 32};
        w->FillRectColor(&all, kWhiteColor);
        w->SelectObject(font, nullptr);
        w->SetTextColor(0xFF0000FF);
        w->DrawTextBox(c.text, -1, &rc, DT_SINGLELINE | DT_LEFT | DT_VCENTER, 255);
        EXPECT_EQ(CountPixels({0, 0, 96, 32}, [](uint32_t p) { return (p >> 24) != 255; }), 0);
        EXPECT_GT(CountPixels({4, 4, 90, 28}, [](uint32_t p) { return (p & 0xFF) < 0x80; }), 10);
        SIZE size = {};
        EXPECT_EQ(w->MeasureText(c.text, -1, &size), S_OK);
        EXPECT_GT(size.cx, 20);
        RECT calc = {0, 0, 0, 0};
        w->DrawTextBox(c.text, -1, &calc, DT_SINGLELINE | DT_CALCRECT, 255);
        EXPECT_EQ(calc.right, size.cx);
    }
    font->Release();
}

TEST_F(RenderTest, BitmapsNaturalStretchedAndTiled)
{
    const uint32_t quad[] = {kRed, kGreen, kBlue, kWhite};
    auto bmp = NewBitmap(2, 2, quad);
    const RECT dst = {0, 0, 8, 4};
    struct Case { const char* name; UINT mode; POINT at; uint32_t want; };
    const Case cases[] = {
        {"natural size top left", DUI::MakeExpandMode(DUI::EM_NULL, 0), {1, 1}, kWhite},
        {"natural size leaves the rest", DUI::MakeExpandMode(DUI::EM_NULL, 0), {5, 1}, 0},
        {"stretch nearest", DUI::MakeExpandMode(DUI::EM_STRETCH, 0), {3, 0}, kRed},
        {"stretch nearest right half", DUI::MakeExpandMode(DUI::EM_STRETCH, 0), {4, 3}, kWhite},
        {"tile repeats", DUI::MakeExpandMode(DUI::EM_TILE, 0), {6, 2}, kRed},
        {"tile repeats odd", DUI::MakeExpandMode(DUI::EM_TILE, 0), {7, 3}, kWhite},
        // The filter level in the high word reaches the surface: medium blends
        // the neighbours where level 0 repeats the red pixel.
        {"stretch medium filter blends", DUI::MakeExpandMode(DUI::EM_STRETCH, 2), {3, 0}, 0xFF9F5F00},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto s = NewSurface(8, 4);
        s->DrawBitmapScaled(&dst, bmp.Get(), nullptr, c.mode, 255);
        EXPECT_EQ(At(s.Get(), c.at.x, c.at.y), c.want);
    }
    // Alpha 128 halves every byte of the premultiplied pixel.
    auto s = NewSurface(2, 2);
    const RECT two = {0, 0, 2, 2};
    s->DrawBitmapScaled(&two, bmp.Get(), nullptr, DUI::EM_STRETCH, 128);
    EXPECT_EQ(At(s.Get(), 0, 0), 0x80800000u);
}

TEST_F(RenderTest, NinePatchKeepsCornersAndStretchesEdges)
{
    // 3 x 3 source, a colour per cell; margins of one pixel.
    const uint32_t c[9] = {0xFF010101, 0xFF020202, 0xFF030303, 0xFF040404, 0xFF050505,
                           0xFF060606, 0xFF070707, 0xFF080808, 0xFF090909};
    auto bmp = NewBitmap(3, 3, c);
    const RECT dst = {0, 0, 10, 6}, margins = {1, 1, 1, 1};
    m_surface->DrawBitmapNinePatch(&dst, bmp.Get(), nullptr, &margins, DUI::EM_STRETCH, 255);
    EXPECT_EQ(At(0, 0), c[0]);
    EXPECT_EQ(At(9, 0), c[2]);
    EXPECT_EQ(At(0, 5), c[6]);
    EXPECT_EQ(At(9, 5), c[8]);
    for (int x = 1; x < 9; ++x) {
        EXPECT_EQ(At(x, 0), c[1]) << x;
        EXPECT_EQ(At(x, 5), c[7]) << x;
        EXPECT_EQ(At(x, 3), c[4]) << x;
    }
    for (int y = 1; y < 5; ++y) {
        EXPECT_EQ(At(0, y), c[3]) << y;
        EXPECT_EQ(At(9, y), c[5]) << y;
    }
    EXPECT_EQ(At(10, 3), 0u);
    // Smaller than both margins: the corners share the space, one pixel each.
    auto tiny = NewSurface(2, 2);
    const RECT two = {0, 0, 2, 2}, big = {2, 2, 2, 2};
    uint32_t six[36];
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) six[y * 6 + x] = x < 3 ? (y < 3 ? kRed : kBlue) : (y < 3 ? kGreen : kWhite);
    auto b6 = NewBitmap(6, 6, six);
    EXPECT_EQ(tiny->DrawBitmapNinePatch(&two, b6.Get(), nullptr, &big, DUI::EM_STRETCH, 255), S_OK);
    EXPECT_EQ(At(tiny.Get(), 0, 0), kRed);
    EXPECT_EQ(At(tiny.Get(), 1, 0), kGreen);
    EXPECT_EQ(At(tiny.Get(), 0, 1), kBlue);
    EXPECT_EQ(At(tiny.Get(), 1, 1), kWhite);
}

TEST_F(RenderTest, NinePatchWithUnequalMargins)
{
    // 6 x 5 source: margins left 1, top 1, right 2, bottom 2; each zone its own value.
    auto zone = [](int x, int y, int w, int h, RECT m) {
        const int zx = x < m.left ? 0 : (x >= w - m.right ? 2 : 1);
        const int zy = y < m.top ? 0 : (y >= h - m.bottom ? 2 : 1);
        return 0xFF000000u | static_cast<uint32_t>(zy * 3 + zx + 1) * 0x10;
    };
    const RECT margins = {1, 1, 2, 2};
    uint32_t src[30];
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) src[y * 6 + x] = zone(x, y, 6, 5, margins);
    auto bmp = NewBitmap(6, 5, src);
    auto s = NewSurface(12, 9);
    const RECT dst = {0, 0, 12, 9};
    for (UINT mode : {UINT(DUI::EM_STRETCH), UINT(DUI::EM_TILE)}) {
        SCOPED_TRACE(mode);
        s->DrawBitmapNinePatch(&dst, bmp.Get(), nullptr, &margins, mode, 255);
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 12; ++x) ASSERT_EQ(At(s.Get(), x, y), zone(x, y, 12, 9, margins)) << x << "," << y;
    }
}

TEST_F(RenderTest, BlitAndAlphaBlendBetweenSurfaces)
{
    auto src = NewSurface(4, 4);
    const RECT all = {0, 0, 4, 4};
    src->FillRectColor(&all, 0x800000FF);
    const RECT dst = {10, 10, 14, 14};
    m_surface->FillRectColor(&dst, kWhiteColor);
    m_surface->BlitFromSurface(&dst, src.Get(), 0, 0);
    EXPECT_EQ(At(10, 10), 0x80800000u);   // copied, not blended
    EXPECT_EQ(At(14, 14), 0u);

    const RECT big = {0, 0, 8, 8};
    m_surface->FillRectColor(&big, kWhiteColor);
    m_surface->AlphaBlendFromSurface(&big, src.Get(), &all, 255);
    EXPECT_EQ(At(0, 0), 0xFFFF7F7Fu);
    EXPECT_EQ(At(7, 7), 0xFFFF7F7Fu);
    EXPECT_EQ(At(8, 8), 0u);

    // Another surface's pixels drawn as a bitmap; its font is object type 4.
    auto* pixels = static_cast<DUI::IPaintBitmap*>(src->GetSelectedObject(DUI::OT_BITMAP));
    const RECT corner = {20, 20, 22, 22};
    m_surface->DrawBitmapScaled(&corner, pixels, nullptr, DUI::EM_STRETCH, 255);
    EXPECT_EQ(At(21, 21), 0x80800000u);
    EXPECT_EQ(DUI::OT_FONT, 4);
    EXPECT_EQ(src->GetSelectedObject(4)->ObjectType(), DUI::OT_FONT);
}

TEST_F(RenderTest, BitmapCloneScaleAndInit)
{
    const uint32_t quad[] = {kRed, kGreen, kBlue, kWhite};
    auto bmp = NewBitmap(2, 2, quad);
    DUI::IPaintBitmap* raw = nullptr;
    ASSERT_EQ(bmp->Clone(&raw), S_OK);
    auto copy = SRefPtr<DUI::IPaintBitmap>::Adopt(raw);
    static_cast<uint32_t*>(bmp->LockPixels())[0] = 0;
    EXPECT_EQ(static_cast<uint32_t*>(copy->LockPixels())[0], kRed);
    ASSERT_EQ(copy->Scale(&raw, 4, 6, 0), S_OK);
    auto scaled = SRefPtr<DUI::IPaintBitmap>::Adopt(raw);
    EXPECT_EQ(scaled->GetSize().cx, 4);
    EXPECT_EQ(scaled->GetSize().cy, 6);
    EXPECT_EQ(static_cast<uint32_t*>(scaled->LockPixels())[4 * 5 + 3], kWhite);
    EXPECT_EQ(scaled->GetFactory(), m_factory.Get());
    EXPECT_EQ(bmp->InitPixels(0, 5, nullptr), E_INVALIDARG);
    // Without a decoder a bitmap cannot load files.
    EXPECT_LT(bmp->LoadFromFile(L"C:\\none.png"), 0);
}

TEST_F(RenderTest, LinesThroughPoints)
{
    UsePen(PS_SOLID, kRedColor, 1);
    const POINT ell[] = {{2, 5}, {10, 5}, {10, 12}};
    ASSERT_EQ(m_surface->DrawLines(ell, 3), S_OK);
    for (int x = 2; x <= 10; ++x) EXPECT_EQ(At(x, 5), kRed) << x;
    for (int y = 5; y <= 12; ++y) EXPECT_EQ(At(10, y), kRed) << y;
    EXPECT_EQ(At(6, 6), 0u);
    EXPECT_EQ(At(6, 4), 0u);
    EXPECT_EQ(At(10, 13), 0u);
    EXPECT_EQ(m_surface->DrawLines(ell, 1), E_INVALIDARG);

    auto s = NewSurface(20, 20);
    m_surface = s;
    UsePen(PS_SOLID, kBlueColor, 3);
    const POINT diagonal[] = {{2, 2}, {17, 17}};
    s->DrawLines(diagonal, 2);
    EXPECT_EQ(At(10, 10), kBlue);
    EXPECT_EQ(At(11, 10), kBlue);   // 3 pixels wide
    EXPECT_EQ(At(15, 5), 0u);
    EXPECT_GT(CountPixels({0, 0, 20, 20}, IsPartial), 4);   // soft edges
}

TEST_F(RenderTest, ViewOriginSetAndMoved)
{
    POINT previous = {-1, -1};
    m_surface->SetViewOrigin(5, 6, &previous);
    EXPECT_EQ(previous.x, 0);
    m_surface->OffsetViewOrigin(2, 2, &previous);
    EXPECT_EQ(previous.y, 6);
    EXPECT_EQ(m_surface->GetViewportOffset().x, 7);
    const RECT one = {0, 0, 1, 1};
    m_surface->FillRectColor(&one, kRedColor);
    EXPECT_EQ(At(7, 8), kRed);
}

namespace {

// A 4 x 4 icon from 32-bit pixels; with `useAlpha` false the colour carries no
// alpha and the mask's left half hides pixels.
HICON MakeIcon(uint32_t color, bool useAlpha)
{
    BITMAPV5HEADER bi = {};
    bi.bV5Size = sizeof(bi);
    bi.bV5Width = 4;
    bi.bV5Height = -4;
    bi.bV5Planes = 1;
    bi.bV5BitCount = 32;
    bi.bV5Compression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP colour = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    for (int i = 0; i < 16; ++i) static_cast<uint32_t*>(bits)[i] = useAlpha ? color : (color & 0x00FFFFFF);
    // Mask rows are WORD aligned: bit 1 (transparent) for the left two columns.
    const WORD rows[4] = {useAlpha ? WORD(0) : WORD(0x00C0), useAlpha ? WORD(0) : WORD(0x00C0),
                          useAlpha ? WORD(0) : WORD(0x00C0), useAlpha ? WORD(0) : WORD(0x00C0)};
    HBITMAP mask = CreateBitmap(4, 4, 1, 1, rows);
    ICONINFO info = {TRUE, 0, 0, mask, colour};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(colour);
    DeleteObject(mask);
    return icon;
}

} // namespace

TEST_F(RenderTest, IconsKeepTheirTransparency)
{
    HICON soft = MakeIcon(0x80FF0000, true);   // half red; icons hold straight colour
    ASSERT_NE(soft, nullptr);
    ASSERT_EQ(m_surface->DrawIcon(2, 2, soft, 0, 0, DI_NORMAL), S_OK);
    const uint32_t p = At(3, 3);
    EXPECT_NEAR(static_cast<int>(p >> 24), 0x80, 2);
    EXPECT_NEAR(static_cast<int>((p >> 16) & 0xFF), 0x80, 2);
    EXPECT_EQ(p & 0xFFFF, 0u);
    EXPECT_EQ(At(6, 6), 0u);   // 4 x 4 only
    DestroyIcon(soft);

    HICON masked = MakeIcon(0xFF0000FF, false);
    auto s = NewSurface(8, 8);
    s->DrawIcon(0, 0, masked, 0, 0, DI_NORMAL);
    EXPECT_EQ(At(s.Get(), 0, 1), 0u);        // hidden by the mask
    EXPECT_EQ(At(s.Get(), 3, 1), kBlue);     // shown, opaque
    DestroyIcon(masked);
}
