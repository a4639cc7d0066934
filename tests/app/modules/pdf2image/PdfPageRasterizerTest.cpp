// The page threads' renderer must give poppler-cpp's pixels, page after page
// on one device, whether it draws into the previous page's pixels or new ones,
// and must never draw over a page someone still holds.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <poppler-document.h>

#include "app/modules/pdf2image/PdfPageRasterizer.h"
#include "app/modules/pdf2image/PdfRenderer.h"
#include "tests/support/BadPdf.h"
#include "tests/support/TestPdf.h"

namespace {

struct Pixels {
    int width = 0, height = 0;
    std::string bytes;  // row after row, without padding
    bool operator==(const Pixels&) const = default;
};

Pixels PixelsOf(const PdfPageImage* image)
{
    Pixels p;
    if (!image) return p;
    p.width = image->width;
    p.height = image->height;
    for (int y = 0; y < image->height; ++y)
        p.bytes.append(reinterpret_cast<const char*>(image->pixels) + static_cast<size_t>(y) * image->bytesPerRow,
                       static_cast<size_t>(image->width) * 4);
    return p;
}

std::vector<char> BytesOf(const std::string& pdf)
{
    return std::vector<char>(pdf.begin(), pdf.end());
}

// Every page through poppler-cpp, one new renderer per page.
std::vector<Pixels> ReferencePages(const std::vector<char>& bytes, int dpi)
{
    std::unique_ptr<poppler::document> doc(poppler::document::load_from_raw_data(bytes.data(), static_cast<int>(bytes.size())));
    std::vector<Pixels> pages;
    for (int i = 0; doc && i < PageCountOf(*doc); ++i) pages.push_back(PixelsOf(RenderPage(*doc, i, dpi).get()));
    return pages;
}

std::vector<testpdf::PageSpec> MixedPages()
{
    // Sizes repeat and change, so the device both reuses and replaces its pixels.
    return {{"A4", 595, 842},
            {"same size", 595, 842, testpdf::ShapesAndImage()},
            {"tiny", 90, 60},
            {"wide", 900, 200, testpdf::ShapesAndImage()},
            {"wide again", 900, 200},
            {"A4 once more", 595, 842}};
}

struct SameCase {
    const char* name;
    std::string pdf;
    int dpi;
    std::vector<int> order;  // page indexes in the order rendered
    int unloadable = -1;     // the index of a page whose entry is not a page
};

TEST(PdfPageRasterizer, GivesPopplerCppsPixelsPageAfterPage)
{
    const SameCase kCases[] = {
        {"pages in order", testpdf::MakePdf(MixedPages()), 96, {0, 1, 2, 3, 4, 5}},
        {"pages out of order, some twice", testpdf::MakePdf(MixedPages()), 72, {5, 2, 0, 0, 3, 1, 4, 2}},
        {"Chinese text in a font not embedded", testpdf::MakeChinesePdf(u"中文字体测试"), 144, {0, 0}},
        {"a page entry that names a font", testpdf::MakePdfWithBrokenPage({{"A"}, {"B"}, {"C"}}, 2), 72, {0, 1, 2, 1},
         1},
    };
    InitPopplerDataDir();
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        const std::vector<char> bytes = BytesOf(c.pdf);
        const std::vector<Pixels> want = ReferencePages(bytes, c.dpi);
        PdfPageRasterizer rasterizer(bytes);
        ASSERT_TRUE(rasterizer.IsOpen());
        for (size_t n = 0; n < c.order.size(); ++n) {
            const int index = c.order[n];
            SCOPED_TRACE(testing::Message() << "page index " << index << ", render " << n);
            auto image = rasterizer.Render(index, c.dpi);
            // poppler-cpp may or may not make something of the entry that is no page; the same, then.
            if (index != c.unloadable) {
                ASSERT_TRUE(image);
                EXPECT_FALSE(want[index].bytes.empty());
            }
            EXPECT_TRUE(PixelsOf(image.get()) == want[index]) << "the pixels differ from poppler-cpp's";
            if (n % 2 == 1) rasterizer.Release();
        }
    }
}

TEST(PdfPageRasterizer, PagesStillHeldKeepTheirPixels)
{
    InitPopplerDataDir();
    const std::vector<char> bytes = BytesOf(testpdf::MakePdf(MixedPages()));
    const std::vector<Pixels> want = ReferencePages(bytes, 72);
    std::vector<std::unique_ptr<PdfPageImage>> held;
    {
        PdfPageRasterizer rasterizer(bytes);
        held.push_back(rasterizer.Render(0, 72));
        held.push_back(rasterizer.Render(1, 72));  // same size: drawn into new pixels
        auto dropped = rasterizer.Render(2, 72);
        dropped.reset();
        held.push_back(rasterizer.Render(5, 72));
        rasterizer.Release();
        held.push_back(rasterizer.Render(3, 72));
        held.push_back(rasterizer.Render(4, 72));  // still the device's when it ends
    }
    const int indexes[] = {0, 1, 5, 3, 4};
    ASSERT_EQ(held.size(), std::size(indexes));
    for (size_t i = 0; i < held.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "page index " << indexes[i]);
        ASSERT_TRUE(held[i]);
        EXPECT_TRUE(PixelsOf(held[i].get()) == want[indexes[i]]) << "a held page was drawn over";
    }
}

struct RefuseCase {
    const char* name;
    std::string pdf;
    int index;
    int dpi;
    bool opens;
};

TEST(PdfPageRasterizer, RendersNothingItCannot)
{
    const RefuseCase kCases[] = {
        {"not a PDF", testpdf::MakeNotAPdf(), 0, 72, false},
        {"needs a password", testpdf::MakeEncryptedPdf(), 0, 72, false},
        {"index past the end", testpdf::MakePdf(2), 2, 72, true},
        {"negative index", testpdf::MakePdf(2), -1, 72, true},
        {"no resolution", testpdf::MakePdf(2), 0, 0, true},
        {"page too large to hold", testpdf::MakeHugePagePdf(), 0, 600, true},
    };
    InitPopplerDataDir();
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        const std::vector<char> bytes = BytesOf(c.pdf);
        PdfPageRasterizer rasterizer(bytes);
        EXPECT_EQ(rasterizer.IsOpen(), c.opens);
        EXPECT_EQ(rasterizer.Render(c.index, c.dpi), nullptr);
        if (c.opens) {
            EXPECT_NE(rasterizer.Render(0, 10), nullptr) << "a refused page must not spoil the next";
        }
    }
    const std::vector<char> none;
    EXPECT_FALSE(PdfPageRasterizer(none).IsOpen());
}

}  // namespace
