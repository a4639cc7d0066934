#include <gtest/gtest.h>

#include <vector>

#include "dui/core/base/TObjRefImpl.h"
#include "dui/res.mgr/SColorize.h"

using namespace DUI;

TEST(Colorize, RgbToHslOfPrimariesAndGreys)
{
    struct Case { const char* name; int r, g, b; SHsl want; };
    const Case cases[] = {
        {"red", 255, 0, 0, {0, 255, 128}},
        {"green", 0, 255, 0, {85, 255, 128}},
        {"blue", 0, 0, 255, {170, 255, 128}},
        {"black", 0, 0, 0, {170, 0, 0}},
        {"grey", 128, 128, 128, {170, 0, 128}},
        {"white", 255, 255, 255, {170, 0, 255}},
        {"dark orange", 128, 64, 0, {21, 255, 64}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SHsl got = RgbToHsl(c.r, c.g, c.b);
        EXPECT_EQ(got.h, c.want.h);
        EXPECT_EQ(got.s, c.want.s);
        EXPECT_EQ(got.l, c.want.l);
    }
}

TEST(Colorize, TintParamsWeighByAlpha)
{
    EXPECT_EQ(MakeTintParams(0xFF0000FF).weight, 256);
    EXPECT_EQ(MakeTintParams(0x000000FF).weight, 204);
    EXPECT_EQ(MakeTintParams(0x800000FF).weight, 128);
    EXPECT_EQ(MakeTintParams(0xFFFF0000).h, 170);
}

// Expected pixels below were worked out from the conversion rules, apart
// from the code, in single precision where the rules say so.
TEST(Colorize, FullTintKeepsLightness)
{
    const STintParams red = MakeTintParams(0xFF0000FF);
    struct Case { const char* name; uint32_t pixel, want; };
    const Case cases[] = {
        {"white stays white", 0xFFFFFFFF, 0xFFFFFFFF},
        {"black stays black", 0xFF000000, 0xFF000000},
        {"transparent is left alone", 0x00000000, 0x00000000},
        // Lightness 128: q = 0.99999994 and p = 0.0039217 in single precision.
        {"mid grey takes the hue", 0xFF808080, 0xFFFE0101},
        // Straight grey 127 becomes (254, 0, 0), then 254 * 128 / 255 = 127.
        {"half transparent is tinted straight", 0x80404040, 0x807F0000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TintPixel(c.pixel, red), c.want);
    }
}

TEST(Colorize, WeakTintMixesEightyTwenty)
{
    const STintParams tint = MakeTintParams(0x000000FF);   // alpha 0: weight 204
    // Luma of (32, 64, 96) is 58; red at lightness 58 is (116, 0, 0);
    // then (32 * 52 + 116 * 204) >> 8 = 98, (64 * 52) >> 8 = 13, (96 * 52) >> 8 = 19.
    EXPECT_EQ(TintPixel(0xFF204060, tint), 0xFF620D13u);
}

TEST(Colorize, ColourValuesKeepTheirByteOrder)
{
    COLORREF transparent = 0x00EEEEEE;   // a colour with alpha 0 is left alone
    ColorizeColor(transparent, 0xFFFF0000);
    EXPECT_EQ(transparent, 0x00EEEEEEu);
    COLORREF grey = 0xFF808080;
    ColorizeColor(grey, 0xFFFF0000);     // towards blue: the blue byte is the high one
    EXPECT_EQ(grey, 0xFFFE0101u);
}

namespace {

// A bitmap of the render interface over a plain vector, counting locks.
class FakeBitmap : public TObjRefImpl<IPaintBitmap>
{
public:
    FakeBitmap(int cx, int cy, std::vector<uint32_t> px) : m_cx(cx), m_cy(cy), m_px(std::move(px)) {}
    IPaintFactory* GetFactory() override { return nullptr; }
    int ObjectType() const override { return OT_BITMAP; }
    HRESULT InitPixels(int, int, const void*) override { return E_NOTIMPL; }
    HRESULT LoadFromFile(LPCWSTR) override { return E_NOTIMPL; }
    HRESULT LoadFromMemory(const void*, size_t) override { return E_NOTIMPL; }
    int Width() const override { return m_cx; }
    int Height() const override { return m_cy; }
    SIZE GetSize() const override { return {m_cx, m_cy}; }
    void* LockPixels() override { ++locks; return m_px.empty() ? nullptr : m_px.data(); }
    void UnlockPixels(void*) override { ++unlocks; }
    HRESULT Clone(IPaintBitmap**) const override { return E_NOTIMPL; }
    HRESULT Scale(IPaintBitmap**, int, int, UINT) const override { return E_NOTIMPL; }

    int locks = 0, unlocks = 0;
    const std::vector<uint32_t>& Pixels() const { return m_px; }

private:
    int m_cx, m_cy;
    std::vector<uint32_t> m_px;
};

} // namespace

TEST(Colorize, BitmapTintsEveryPixelAndUnlocks)
{
    const std::vector<uint32_t> px = {0xFF808080, 0x00000000, 0xFF808080, 0xFFFFFFFF, 0x80404040, 0xFF808080};
    FakeBitmap bmp(3, 2, px);
    EXPECT_TRUE(ColorizeBitmap(&bmp, 0xFF00FF00));
    EXPECT_EQ(bmp.locks, 1);
    EXPECT_EQ(bmp.unlocks, 1);
    // Green at each pixel's lightness, as in the tints above.
    const std::vector<uint32_t> want = {0xFF01FE01, 0x00000000, 0xFF01FE01, 0xFFFFFFFF, 0x80007F00, 0xFF01FE01};
    EXPECT_EQ(bmp.Pixels(), want);

    FakeBitmap empty(0, 0, {});
    EXPECT_FALSE(ColorizeBitmap(&empty, 0xFF00FF00));
    EXPECT_EQ(empty.unlocks, 1);   // unlocked even without pixels
    EXPECT_FALSE(ColorizeBitmap(nullptr, 0xFF00FF00));
}
