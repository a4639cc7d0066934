// The Wine prefix resolves the Windows font names the program uses, and
// Chinese text renders as real glyphs (not boxes) in GDI and GDI+.
#include <winsock2.h>
#include <windows.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct GdiplusSession {
    GdiplusSession() { Gdiplus::GdiplusStartup(&token, &input, nullptr); }
    ~GdiplusSession() { Gdiplus::GdiplusShutdown(token); }
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
};

using Pixels = std::vector<DWORD>;

Pixels DrawWithGdiplus(const wchar_t* face, const wchar_t* text)
{
    Gdiplus::Bitmap bmp(48, 48, PixelFormat32bppARGB);
    {
        Gdiplus::Graphics g(&bmp);
        g.Clear(Gdiplus::Color(255, 255, 255, 255));
        Gdiplus::Font font(face, 28, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
        Gdiplus::SolidBrush black(Gdiplus::Color(255, 0, 0, 0));
        g.DrawString(text, -1, &font, Gdiplus::PointF(2, 2), &black);
    }
    Pixels px;
    for (UINT y = 0; y < 48; ++y)
        for (UINT x = 0; x < 48; ++x) {
            Gdiplus::Color c;
            bmp.GetPixel(x, y, &c);
            px.push_back(c.GetValue());
        }
    return px;
}

Pixels DrawWithGdi(const wchar_t* face, const wchar_t* text)
{
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 48, -48, 1, 32, BI_RGB};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ oldBmp = SelectObject(dc, bmp);
    HFONT font = CreateFontW(-28, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, ANTIALIASED_QUALITY, 0, face);
    HGDIOBJ oldFont = SelectObject(dc, font);
    RECT rc{0, 0, 48, 48};
    FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(dc, TRANSPARENT);
    TextOutW(dc, 2, 2, text, static_cast<int>(wcslen(text)));
    GdiFlush();
    Pixels px(static_cast<DWORD*>(bits), static_cast<DWORD*>(bits) + 48 * 48);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBmp);
    DeleteObject(font);
    DeleteObject(bmp);
    DeleteDC(dc);
    return px;
}

size_t CountInk(const Pixels& px)
{
    size_t n = 0;
    for (DWORD p : px)
        if ((p & 0xFF) < 128) ++n;
    return n;
}

const wchar_t* const kFaces[] = {L"Microsoft YaHei", L"微软雅黑", L"宋体", L"SimSun"};

TEST(WinePrefix, FontNamesResolveInGdiplus)
{
    GdiplusSession session;
    for (const wchar_t* face : {L"Microsoft YaHei", L"微软雅黑", L"宋体", L"SimSun", L"Arial", L"Tahoma"}) {
        Gdiplus::FontFamily family(face);
        EXPECT_EQ(family.GetLastStatus(), Gdiplus::Ok) << "font not found";
    }
}

// Two different characters drawn as boxes look alike; real glyphs differ.
TEST(WinePrefix, ChineseTextRendersAsGlyphs)
{
    GdiplusSession session;
    for (const wchar_t* face : kFaces) {
        Pixels a = DrawWithGdiplus(face, L"中"), b = DrawWithGdiplus(face, L"文");
        EXPECT_GT(CountInk(a), 20u);
        EXPECT_NE(a, b) << "GDI+ draws boxes";
        Pixels c = DrawWithGdi(face, L"中"), d = DrawWithGdi(face, L"文");
        EXPECT_GT(CountInk(c), 20u);
        EXPECT_NE(c, d) << "GDI draws boxes";
    }
}

}  // namespace
