#include <gtest/gtest.h>

#include <algorithm>

#include "dui/core/DibAlphaGuard.h"
#include "dui/core/base/Himetric.h"
#include "dui/core/base/SHandle.h"
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
