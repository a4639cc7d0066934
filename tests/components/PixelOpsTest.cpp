#include "components/render/PixelOps.h"

#include <gtest/gtest.h>

using namespace vrender;

TEST(PixelOps, OverBlendsPremultipliedPixels)
{
    struct Case { const char* name; uint32_t src, dst, want; };
    const Case cases[] = {
        {"opaque source replaces", 0xFFFF0000, 0xFF00FF00, 0xFFFF0000},
        {"transparent source keeps", 0x00000000, 0xFF123456, 0xFF123456},
        {"half white over black", 0x80808080, 0xFF000000, 0xFF808080},
        {"half white over nothing", 0x80808080, 0x00000000, 0x80808080},
        {"half red over half blue", 0x80800000, 0x80000080, 0xC0800040},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Over(c.src, c.dst), c.want);
    }
}

TEST(PixelOps, ColourValuesBecomePremultipliedPixels)
{
    struct Case { const char* name; COLORREF color; uint32_t want; };
    const Case cases[] = {
        {"opaque red", 0xFF0000FF, 0xFFFF0000},
        {"opaque blue", 0xFFFF0000, 0xFF0000FF},
        {"half green", 0x8000FF00, 0x80008000},
        {"no alpha is nothing", 0x00FFFFFF, 0x00000000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PixelFromColor(c.color), c.want);
    }
    EXPECT_EQ(ColorWithAlpha(0xFF102030, 128), 0x80102030u);
}

TEST(PixelOps, CoverageOfShapes)
{
    // Circle of radius 10 at (10, 10).
    EXPECT_FLOAT_EQ(EllipseCoverage(10, 10, 10, 10, 10.5f, 10.5f), 1.0f);
    EXPECT_FLOAT_EQ(EllipseCoverage(10, 10, 10, 10, 0.5f, 0.5f), 0.0f);
    EXPECT_NEAR(EllipseCoverage(10, 10, 10, 10, 20.0f, 10.0f), 0.5f, 0.05f);
    EXPECT_FLOAT_EQ(EllipseCoverage(10, 10, 0, 10, 10, 10), 0.0f);
    // 40 x 20 with radius 5 corners: the corner pixel is out, edges in.
    EXPECT_FLOAT_EQ(RoundRectCoverage(0, 0, 40, 20, 5, 5, 0.5f, 0.5f), 0.0f);
    EXPECT_FLOAT_EQ(RoundRectCoverage(0, 0, 40, 20, 5, 5, 20.5f, 0.5f), 1.0f);
    EXPECT_FLOAT_EQ(RoundRectCoverage(0, 0, 40, 20, 5, 5, 0.5f, 10.5f), 1.0f);
    EXPECT_FLOAT_EQ(RoundRectCoverage(0, 0, 40, 20, 5, 5, 40.5f, 10.5f), 0.0f);
    const float diag = RoundRectCoverage(0, 0, 40, 20, 5, 5, 1.5f, 1.5f);
    EXPECT_GT(diag, 0.0f);
    EXPECT_LT(diag, 1.0f);
}

namespace {

constexpr uint32_t R = 0xFFFF0000, G = 0xFF00FF00, B = 0xFF0000FF, W = 0xFFFFFFFF, K = 0xFF000000;

} // namespace

TEST(PixelScale, NearestRepeatsPixels)
{
    const uint32_t src[] = {R, G, B, W};
    const auto out = ScalePixels({src, 2, 2, 2}, {0, 0, 2, 2}, 4, 4, 0);
    const uint32_t want[] = {R, R, G, G, R, R, G, G, B, B, W, W, B, B, W, W};
    ASSERT_EQ(out.size(), 16u);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(out[i], want[i]) << i;
}

// Doubling two pixels, target pixel centres fall at source positions 0
// (clamped from -0.25), 0.25, 0.75 and 1: the middle two are a quarter and
// three quarters of the way across, each channel cut to a whole value
// (255 / 4 = 63.75 gives 0x3F, 255 * 3 / 4 = 191.25 gives 0xBF).
TEST(PixelScale, BilinearBlendsBetweenNeighbours)
{
    struct Case { const char* name; uint32_t from, to; uint32_t quarter, threeQuarters; };
    const Case cases[] = {
        {"black to white", K, W, 0xFF3F3F3F, 0xFFBFBFBF},
        {"red to blue, channels apart", R, B, 0xFFBF003F, 0xFF3F00BF},
        {"nothing to white, alpha too", 0x00000000, W, 0x3F3F3F3F, 0xBFBFBFBF},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const uint32_t src[] = {c.from, c.to};
        const std::vector<uint32_t> want = {c.from, c.quarter, c.threeQuarters, c.to};
        EXPECT_EQ(ScalePixels({src, 2, 1, 2}, {0, 0, 2, 1}, 4, 1, 1), want) << "across";
        EXPECT_EQ(ScalePixels({src, 1, 2, 1}, {0, 0, 1, 2}, 1, 4, 1), want) << "down";
    }
}

TEST(PixelScale, BoxAveragesWhenShrinking)
{
    const uint32_t src[] = {K, W, K, W, W, K, W, K, K, W, K, W, W, K, W, K};
    const auto out = ScalePixels({src, 4, 4, 4}, {0, 0, 4, 4}, 1, 1, 2);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0], 0xFF808080u);
}

TEST(PixelScale, SamplesStayInsideTheSourceRectangle)
{
    // A green 2x2 part next to red pixels: scaling the part never picks up red.
    const uint32_t src[] = {R, R, R, R, R, G, G, R, R, G, G, R, R, R, R, R};
    for (UINT filter = 0; filter <= 3; ++filter) {
        SCOPED_TRACE(filter);
        for (uint32_t p : ScalePixels({src, 4, 4, 4}, {1, 1, 3, 3}, 7, 5, filter)) EXPECT_EQ(p, G);
    }
}
