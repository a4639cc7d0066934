// The drag picture: one at a time, hidden until the first move, placed by
// its hot spot, drawn from the bitmap (with a colour key and constant alpha)
// or with its own alpha.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstdio>
#include <vector>

#include "NativeWindowTestSupport.h"
#include "dui/core/CDragWnd.h"
#include "dui/core/base/SHandle.h"

using namespace DUI;

namespace {

constexpr int kWidth = 40;
constexpr int kHeight = 30;
constexpr COLORREF kKey = RGB(255, 0, 255);

// Left half red, right half the colour key (or, at 32 bits, transparent).
SGdiObject<HBITMAP> Picture(int bits)
{
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, static_cast<WORD>(bits), BI_RGB};
    void* pixels = nullptr;
    SGdiObject<HBITMAP> bmp(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &pixels, nullptr, 0));
    const int stride = ((kWidth * bits / 8) + 3) & ~3;
    for (int y = 0; y < kHeight; ++y) {
        auto* row = static_cast<BYTE*>(pixels) + y * stride;
        for (int x = 0; x < kWidth; ++x) {
            BYTE* px = row + x * bits / 8;
            const bool left = x < kWidth / 2;
            px[0] = left ? 0 : 255;              // blue
            px[1] = 0;                           // green
            px[2] = 255;                         // red
            if (bits == 32) {
                px[3] = left ? 255 : 0;
                if (!left)
                    px[0] = px[2] = 0;           // premultiplied: transparent is black
            }
        }
    }
    return bmp;
}

// What the screen shows in the rectangle, as 32-bit pixels top-down. With
// VESK_DUMP_DIR set, also written there as a BMP to look at.
std::vector<DWORD> Grab(const RECT& rc, const wchar_t* dumpName)
{
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB};
    void* bits = nullptr;
    SGdiObject<HBITMAP> dib(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    SWindowDC screen(nullptr);
    SMemDC mem(::CreateCompatibleDC(screen));
    HGDIOBJ old = ::SelectObject(mem, dib);
    ::BitBlt(mem, 0, 0, w, h, screen, rc.left, rc.top, SRCCOPY);
    ::SelectObject(mem, old);
    const auto* px = static_cast<const DWORD*>(bits);
    std::vector<DWORD> out(px, px + w * h);
    if (const wchar_t* dir = _wgetenv(L"VESK_DUMP_DIR")) {
        BITMAPFILEHEADER fh = {0x4D42, static_cast<DWORD>(sizeof(fh) + sizeof(bi.bmiHeader) + w * h * 4), 0, 0,
                               static_cast<DWORD>(sizeof(fh) + sizeof(bi.bmiHeader))};
        if (FILE* f = _wfopen((std::wstring(dir) + L"\\" + dumpName).c_str(), L"wb")) {
            fwrite(&fh, sizeof(fh), 1, f);
            fwrite(&bi.bmiHeader, sizeof(bi.bmiHeader), 1, f);
            fwrite(out.data(), 4, out.size(), f);
            fclose(f);
        }
    }
    return out;
}

class DragWndTest : public nativetest::NativeWindowTest
{
protected:
    void TearDown() override { CDragWnd::EndDrag(); }
};

} // namespace

TEST_F(DragWndTest, OneDragAtATimeHiddenUntilItMoves)
{
    SGdiObject<HBITMAP> bmp = Picture(24);
    ASSERT_TRUE(CDragWnd::BeginDrag(bmp, POINT{5, 7}, kKey, 200, LWA_ALPHA | LWA_COLORKEY));
    HWND drag = CDragWnd::GetDragHwnd();
    ASSERT_NE(drag, nullptr);
    EXPECT_FALSE(::IsWindowVisible(drag));
    const LONG_PTR ex = ::GetWindowLongPtrW(drag, GWL_EXSTYLE);
    EXPECT_EQ(ex & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT | WS_EX_LAYERED),
              WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT | WS_EX_LAYERED);
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(drag, &key, &alpha, &flags));
    EXPECT_EQ(key, kKey);
    EXPECT_EQ(alpha, 200);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA | LWA_COLORKEY));

    SGdiObject<HBITMAP> other = Picture(24);
    EXPECT_FALSE(CDragWnd::BeginDrag(other, POINT{0, 0}, kKey, 255, LWA_ALPHA));
    EXPECT_EQ(CDragWnd::GetDragHwnd(), drag);

    CDragWnd::DragMove(POINT{300, 200});
    EXPECT_TRUE(::IsWindowVisible(drag));
    RECT rc;
    ::GetWindowRect(drag, &rc);
    EXPECT_EQ(rc.left, 295);
    EXPECT_EQ(rc.top, 193);
    EXPECT_EQ(rc.right - rc.left, kWidth);
    EXPECT_EQ(rc.bottom - rc.top, kHeight);

    CDragWnd::EndDrag();
    EXPECT_FALSE(::IsWindow(drag));
    EXPECT_EQ(CDragWnd::GetDragHwnd(), nullptr);
    CDragWnd::DragMove(POINT{10, 10});   // nothing to move
    CDragWnd::EndDrag();
    EXPECT_TRUE(CDragWnd::BeginDrag(other, POINT{0, 0}, kKey, 255, LWA_ALPHA));
}

TEST_F(DragWndTest, WhatIsNotABitmapStartsNoDrag)
{
    EXPECT_FALSE(CDragWnd::BeginDrag(nullptr, POINT{0, 0}, 0, 255, LWA_ALPHA));
    EXPECT_EQ(CDragWnd::GetDragHwnd(), nullptr);
    SGdiObject<HBRUSH> brush(::CreateSolidBrush(0));
    EXPECT_FALSE(CDragWnd::BeginDrag(reinterpret_cast<HBITMAP>(brush.Get()), POINT{0, 0}, 0, 255, LWA_ALPHA));
    EXPECT_EQ(CDragWnd::GetDragHwnd(), nullptr);
}

TEST_F(DragWndTest, ThePictureIsDrawnUnderTheCursor)
{
    struct Case
    {
        const char* name;
        int bits;
        const wchar_t* dump;
    };
    const Case kCases[] = {{"24-bit through WM_PAINT", 24, L"drag24.bmp"}, {"32-bit with its own alpha", 32, L"drag32.bmp"}};
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        SGdiObject<HBITMAP> bmp = Picture(c.bits);
        ASSERT_TRUE(CDragWnd::BeginDrag(bmp, POINT{kWidth / 2, kHeight / 2}, kKey, 255, LWA_ALPHA));
        CDragWnd::DragMove(POINT{400, 300});
        HWND drag = CDragWnd::GetDragHwnd();
        ::UpdateWindow(drag);
        nativetest::PumpFor(200);
        RECT rc;
        ::GetWindowRect(drag, &rc);
        const std::vector<DWORD> px = Grab(rc, c.dump);
        // The opaque left half is red wherever it lies.
        EXPECT_EQ(px[(kHeight / 2) * kWidth + 5] & 0xFFFFFF, 0xFF0000u);
        EXPECT_EQ(px[3 * kWidth + 2] & 0xFFFFFF, 0xFF0000u);
        CDragWnd::EndDrag();
    }
}
