#include <gtest/gtest.h>

#include <vector>

#include "dui/core/TObjRefImpl.h"
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

TEST(Colorize, FullTintKeepsLightness)
{
    const STintParams red = MakeTintParams(0xFF0000FF);
    EXPECT_EQ(TintPixel(0xFFFFFFFF, red), 0xFFFFFFFFu);
    EXPECT_EQ(TintPixel(0xFF000000, red), 0xFF000000u);
    EXPECT_EQ(TintPixel(0x00000000, red), 0x00000000u);
    const uint32_t grey = TintPixel(0xFF808080, red);
    EXPECT_EQ(grey >> 24, 0xFFu);
    // Mid grey becomes red at its lightness (the float step truncates 254.99).
    EXPECT_GE((grey >> 16) & 0xFF, 0xFEu);
    EXPECT_LE((grey >> 8) & 0xFF, 1u);
    EXPECT_LE(grey & 0xFF, 1u);
    // A half-transparent pixel is tinted as straight colour and premultiplied again.
    const uint32_t half = TintPixel(0x80404040, red);
    EXPECT_EQ(half >> 24, 0x80u);
    EXPECT_GE((half >> 16) & 0xFF, 0x7Fu);
    EXPECT_LE((half >> 16) & 0xFF, 0x80u);
    EXPECT_LE((half >> 8) & 0xFF, 1u);
}

TEST(Colorize, WeakTintMixesEightyTwenty)
{
    const STintParams tint = MakeTintParams(0x000000FF);   // alpha 0: weight 204
    const uint32_t px = 0xFF204060;
    const int luma = (0x60 * 117 + 0x40 * 601 + 0x20 * 306) >> 10;
    int tr, tg, tb;
    HslToRgb({tint.h, tint.s, luma}, tr, tg, tb);
    const uint32_t want = 0xFF000000u | (static_cast<uint32_t>((0x20 * 52 + tr * 204) >> 8) << 16) |
                          (static_cast<uint32_t>((0x40 * 52 + tg * 204) >> 8) << 8) |
                          static_cast<uint32_t>((0x60 * 52 + tb * 204) >> 8);
    EXPECT_EQ(TintPixel(px, tint), want);
    EXPECT_GT(tr, tg);   // the tint colour is red
}

TEST(Colorize, ColourValuesKeepTheirByteOrder)
{
    COLORREF transparent = 0x00EEEEEE;   // a colour with alpha 0 is left alone
    ColorizeColor(transparent, 0xFFFF0000);
    EXPECT_EQ(transparent, 0x00EEEEEEu);
    COLORREF grey = 0xFF808080;
    ColorizeColor(grey, 0xFFFF0000);     // towards blue: the blue byte is the high one
    EXPECT_GE((grey >> 16) & 0xFF, 0xFEu);
    EXPECT_EQ(grey >> 24, 0xFFu);
    EXPECT_LE(grey & 0xFF, 1u);
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
    const STintParams tint = MakeTintParams(0xFF00FF00);
    for (size_t i = 0; i < px.size(); ++i) EXPECT_EQ(bmp.Pixels()[i], TintPixel(px[i], tint)) << i;

    FakeBitmap empty(0, 0, {});
    EXPECT_FALSE(ColorizeBitmap(&empty, 0xFF00FF00));
    EXPECT_EQ(empty.unlocks, 1);   // unlocked even without pixels
    EXPECT_FALSE(ColorizeBitmap(nullptr, 0xFF00FF00));
}
