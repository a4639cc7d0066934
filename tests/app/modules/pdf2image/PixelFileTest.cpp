#include <winsock2.h>
#include <windows.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <mutex>
#include <vector>

#include "app/modules/pdf2image/BmpFile.h"
#include "app/modules/pdf2image/JpegFile.h"
#include "app/modules/pdf2image/PdfRenderer.h"
#include "tests/support/TempFolder.h"

namespace {

using PixelFileWriter = CallStatus (*)(const std::wstring&, const unsigned char*, int, int, int, int);

void StartGdiplus()
{
    static std::once_flag once;
    std::call_once(once, [] {
        ULONG_PTR token = 0;
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&token, &input, nullptr);
    });
}

// Left half red, right half blue, in GDI+ ARGB byte order, with a few spare
// bytes at the end of each row that must not show up in the file.
std::vector<unsigned char> TwoColours(int width, int height, int stride)
{
    std::vector<unsigned char> pixels(static_cast<size_t>(stride) * height, 0x77);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            unsigned char* p = &pixels[static_cast<size_t>(y) * stride + x * 4];
            bool left = x < width / 2 || width == 1;
            p[0] = left ? 0 : 255;  // blue
            p[1] = 0;               // green
            p[2] = left ? 255 : 0;  // red
            p[3] = 255;
        }
    }
    return pixels;
}

struct WriterCase {
    const char* name;
    PixelFileWriter write;
    GUID format;
    int width, height, dpi;
    int tolerance;  // JPEG is lossy
};

TEST(PixelFile, WritesPixelsSizeAndResolution)
{
    StartGdiplus();
    testsupport::TempFolder folder(L"vesk_pixelfile");
    const WriterCase kCases[] = {
        {"bmp, rows need padding", &WriteBmpFile, Gdiplus::ImageFormatBMP, 3, 2, 96, 0},
        {"bmp, one pixel", &WriteBmpFile, Gdiplus::ImageFormatBMP, 1, 1, 300, 0},
        {"bmp, wide", &WriteBmpFile, Gdiplus::ImageFormatBMP, 64, 5, 192, 0},
        {"jpg, blocks of colour", &WriteJpegFile, Gdiplus::ImageFormatJPEG, 64, 32, 192, 40},
        {"jpg, odd size", &WriteJpegFile, Gdiplus::ImageFormatJPEG, 33, 17, 144, 60},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        int stride = c.width * 4 + 8;
        auto pixels = TwoColours(c.width, c.height, stride);
        std::wstring path = folder.File(L"out.img");
        ASSERT_TRUE(c.write(path, pixels.data(), c.width, c.height, stride, c.dpi));
        Gdiplus::Bitmap read(path.c_str());
        ASSERT_EQ(read.GetLastStatus(), Gdiplus::Ok);
        GUID format{};
        read.GetRawFormat(&format);
        EXPECT_TRUE(IsEqualGUID(format, c.format));
        EXPECT_EQ(read.GetWidth(), static_cast<UINT>(c.width));
        EXPECT_EQ(read.GetHeight(), static_cast<UINT>(c.height));
        EXPECT_NEAR(read.GetHorizontalResolution(), c.dpi, 0.5);
        EXPECT_NEAR(read.GetVerticalResolution(), c.dpi, 0.5);
        // Top-left and bottom-right corners, away from JPEG's edge blur.
        Gdiplus::Color topLeft, bottomRight;
        read.GetPixel(0, 0, &topLeft);
        read.GetPixel(c.width - 1, c.height - 1, &bottomRight);
        EXPECT_NEAR(topLeft.GetR(), 255, c.tolerance);
        EXPECT_NEAR(topLeft.GetB(), 0, c.tolerance);
        if (c.width > 1) {
            EXPECT_NEAR(bottomRight.GetR(), 0, c.tolerance);
            EXPECT_NEAR(bottomRight.GetB(), 255, c.tolerance);
        }
        EXPECT_NEAR(bottomRight.GetG(), 0, c.tolerance);
        DeleteFileW(path.c_str());
    }
}

TEST(PixelFile, RefusesWhatCannotBeWritten)
{
    testsupport::TempFolder folder(L"vesk_pixelfile");
    std::vector<unsigned char> pixels(4 * 4 * 4, 0xFF);
    struct Case {
        const char* name;
        std::wstring path;
        int width, height, stride;
    };
    const Case kCases[] = {
        {"missing folder", folder.File(L"no such folder\\a.img"), 4, 4, 16},
        {"stride shorter than a row", folder.File(L"a.img"), 4, 4, 12},
        {"no pixels across", folder.File(L"a.img"), 0, 4, 16},
        {"no rows", folder.File(L"a.img"), 4, 0, 16},
    };
    const PixelFileWriter kWriters[] = {&WriteBmpFile, &WriteJpegFile};
    for (const auto& c : kCases) {
        for (PixelFileWriter write : kWriters) {
            SCOPED_TRACE(c.name);
            EXPECT_FALSE(write(c.path, pixels.data(), c.width, c.height, c.stride, 96));
        }
    }
    EXPECT_FALSE(WriteJpegFile(folder.File(L"a.jpg"), pixels.data(), 70000, 1, 70000 * 4, 96));
    EXPECT_TRUE(folder.Names().empty());
}

// What a failed image write tells: the call, its code and the file.
TEST(PixelFile, AFailedWriteNamesTheCallTheCodeAndTheFile)
{
    StartGdiplus();
    testsupport::TempFolder folder(L"vesk_pixelfile");
    std::vector<unsigned char> pixels(4 * 4 * 4, 0xFF);
    const std::wstring missing = folder.File(L"no such folder\\1.img");
    struct Case {
        const char* name;
        PixelFileWriter write;
        std::wstring path;
        int width;
        const wchar_t* call;
        unsigned long code;
    };
    const Case kCases[] = {
        {"jpg into a missing folder", &WriteJpegFile, missing, 4, L"_wfopen", ERROR_PATH_NOT_FOUND},
        {"bmp into a missing folder", &WriteBmpFile, missing, 4, L"_wfopen", ERROR_PATH_NOT_FOUND},
        {"jpg of no width", &WriteJpegFile, folder.File(L"a.jpg"), 0, L"WriteJpegFile", ERROR_INVALID_PARAMETER},
        {"bmp of no width", &WriteBmpFile, folder.File(L"a.bmp"), 0, L"WriteBmpFile", ERROR_INVALID_PARAMETER},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        const CallStatus status = c.write(c.path, pixels.data(), c.width, 4, 16, 96);
        EXPECT_FALSE(status.Ok());
        EXPECT_EQ(status.Call(), c.call);
        EXPECT_EQ(status.Code(), c.code);
        EXPECT_EQ(status.Path(), c.path);
    }

    Gdiplus::Bitmap bitmap(4, 4, 16, PixelFormat32bppARGB, pixels.data());
    for (const wchar_t* ext : {L"png", L"jpg", L"bmp"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(ext)));
        const CallStatus saved = SaveBitmap(bitmap, missing, ext);
        EXPECT_FALSE(saved.Ok());
        EXPECT_EQ(saved.Path(), missing);
        EXPECT_NE(saved.Code(), 0u);
        EXPECT_EQ(saved.Text().rfind(saved.Call() + L" failed (", 0), 0u) << saved.Text();
    }
    EXPECT_TRUE(SaveBitmap(bitmap, folder.File(L"ok.png"), L"png").Ok());
    EXPECT_TRUE(folder.Names() == std::vector<std::wstring>{L"ok.png"});
}

}  // namespace
