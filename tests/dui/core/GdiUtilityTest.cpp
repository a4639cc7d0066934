#include <gtest/gtest.h>

#include <algorithm>

#include "dui/core/DibAlphaGuard.h"
#include "dui/core/base/Himetric.h"
#include "dui/core/base/SHandle.h"
#include "dui/core/base/SMsgPoint.h"
#include "dui/core/base/SSelectObject.h"

using namespace DUI;

namespace {

// A top-down 32-bit DIB section of opaque white, as the framework's surfaces
// are, selected into a memory DC.
class Dib
{
public:
    Dib(int cx, int cy) : m_cx(cx)
    {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = cx;
        bi.bmiHeader.biHeight = -cy;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        m_bmp.Reset(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        m_bits = static_cast<DWORD*>(bits);
        std::fill(m_bits, m_bits + cx * cy, 0xFFFFFFFFu);
        m_dc.Reset(::CreateCompatibleDC(nullptr));
        m_old = ::SelectObject(m_dc, m_bmp.Get());
    }
    ~Dib() { ::SelectObject(m_dc, m_old); }

    HDC Dc() const { return m_dc; }
    BYTE Alpha(int x, int y) const
    {
        return static_cast<BYTE>(m_bits[y * m_cx + x] >> 24);
    }
    void Fill(const RECT& rc) const
    {
        SGdiObject<HBRUSH> brush(::CreateSolidBrush(RGB(10, 20, 30)));
        ::FillRect(m_dc, &rc, brush);
        ::GdiFlush();
    }

private:
    int m_cx;
    SGdiObject<HBITMAP> m_bmp;
    SMemDC m_dc;
    HGDIOBJ m_old = nullptr;
    DWORD* m_bits = nullptr;
};

} // namespace

TEST(DibAlphaGuard, GdiDrawingKeepsTheSavedAlpha)
{
    {
        Dib dib(40, 30);
        const RECT area = {5, 4, 14, 9};   // its right and bottom edges count
        DibAlphaGuard guard;
        ASSERT_TRUE(guard.Save(dib.Dc(), area));
        dib.Fill(RECT{5, 4, 15, 10});
        ASSERT_EQ(dib.Alpha(5, 4), 0) << "GDI no longer clears alpha: the guard has nothing to show";
        guard.Restore();
        EXPECT_EQ(dib.Alpha(5, 4), 0xFF);
        EXPECT_EQ(dib.Alpha(14, 9), 0xFF);
        EXPECT_EQ(dib.Alpha(10, 6), 0xFF);
    }
}

TEST(DibAlphaGuard, FollowsTheViewportAndStaysInsideTheBitmap)
{
    Dib dib(20, 20);
    ::SetViewportOrgEx(dib.Dc(), 5, 5, nullptr);
    DibAlphaGuard guard;
    ASSERT_TRUE(guard.Save(dib.Dc(), RECT{-10, -10, 100, 100}));
    dib.Fill(RECT{-5, -5, 15, 15});
    guard.Restore();
    EXPECT_EQ(dib.Alpha(0, 0), 0xFF);
    EXPECT_EQ(dib.Alpha(19, 19), 0xFF);
}

TEST(DibAlphaGuard, LargeAreasAllocateAndOtherBitmapsAreRefused)
{
    Dib dib(300, 300);
    DibAlphaGuard guard;
    ASSERT_TRUE(guard.Save(dib.Dc(), RECT{0, 0, 255, 255}));   // 256 x 256
    EXPECT_TRUE(guard.UsesSharedBuffer());
    guard.Restore();
    ASSERT_TRUE(guard.Save(dib.Dc(), RECT{0, 0, 299, 299}));
    EXPECT_FALSE(guard.UsesSharedBuffer());
    guard.Restore();

    SMemDC mono(::CreateCompatibleDC(nullptr));   // holds a 1-bit bitmap
    EXPECT_FALSE(guard.Save(mono, RECT{0, 0, 0, 0}));
    guard.Restore();
}

TEST(Himetric, OneInchIsTheScreenResolution)
{
    SWindowDC screen(nullptr);
    const SIZE dpi = {::GetDeviceCaps(screen, LOGPIXELSX), ::GetDeviceCaps(screen, LOGPIXELSY)};
    const SIZE px = HimetricToPixel(SIZE{2540, 5080});
    EXPECT_EQ(px.cx, dpi.cx);
    EXPECT_EQ(px.cy, 2 * dpi.cy);
    const SIZE back = PixelToHimetric(px);
    EXPECT_EQ(back.cx, 2540);
    EXPECT_EQ(back.cy, 5080);
}

// The rich edit's extent and insets at a window's resolution: MulDiv halves
// round away from zero.
TEST(Himetric, PixelsAtAGivenResolution)
{
    struct Case { const char* name; SIZE ppi; RECT px; RECT want; };
    const Case kCases[] = {
        {"96 dpi", {96, 96}, {0, 1, 96, 3}, {0, 26, 2540, 79}},
        {"144 dpi", {144, 144}, {3, 0, 144, 72}, {53, 0, 2540, 1270}},
        {"unequal axes", {96, 192}, {96, 96, -96, -1}, {2540, 1270, -2540, -13}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        const RECT got = PixelToHimetric(c.px, c.ppi);
        EXPECT_TRUE(::EqualRect(&got, &c.want)) << got.left << "," << got.top << "," << got.right << "," << got.bottom;
        const SIZE size = PixelToHimetric(SIZE{c.px.right, c.px.bottom}, c.ppi);
        EXPECT_EQ(size.cx, c.want.right);
        EXPECT_EQ(size.cy, c.want.bottom);
    }
}

// Mouse messages carry signed 16-bit coordinates: left of or above the
// origin they are negative, never 65535-something.
TEST(MsgPoint, SignedCoordinatesFromTheLParam)
{
    struct Case { const char* name; LPARAM lp; POINT want; };
    const Case kCases[] = {
        {"origin", MAKELPARAM(0, 0), {0, 0}},
        {"positive", MAKELPARAM(1200, 34), {1200, 34}},
        {"left of the origin", MAKELPARAM(-5, 7), {-5, 7}},
        {"above the origin", MAKELPARAM(8, -32768), {8, -32768}},
        {"high bits ignored", static_cast<LPARAM>(0x7FFF0000FFFFFFFFLL), {-1, -1}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        const POINT got = PointFromLParam(c.lp);
        EXPECT_EQ(got.x, c.want.x);
        EXPECT_EQ(got.y, c.want.y);
    }
}
