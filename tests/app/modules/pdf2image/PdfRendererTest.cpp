#include <winsock2.h>
#include <windows.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <thread>

#include <poppler-document.h>

#include "app/modules/pdf2image/PdfRenderer.h"
#include "tests/support/BadPdf.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestPdf.h"

namespace {

struct Failure {
    int code = 0;
    std::wstring message;
    bool operator==(const Failure&) const = default;
};

class PdfRendererTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_job.onProgress = [this](double percent) { m_progress.push_back(percent); };
        m_job.onFailure = [this](int code, const std::wstring& message, const std::wstring&) {
            m_failures.push_back({code, message});
        };
        m_out = std::make_unique<testsupport::TempFolder>(L"vesk_render_out");
    }

    PdfRenderOptions Options(const std::wstring& pdf, const std::wstring& ext = L"png", int dpi = 72) const
    {
        PdfRenderOptions options;
        options.path = pdf;
        options.extension = ext;
        options.outputFolder = m_out->Folder();
        options.title = L"doc";
        options.resolution = dpi;
        options.rangeText = L"1-";
        return options;
    }

    std::vector<std::wstring> Render(const PdfRenderOptions& options)
    {
        std::vector<std::wstring> written = {L"stale entry"};
        RenderPdfToImages(m_job, written, options);
        return written;
    }

    std::vector<std::wstring> OutNames(const std::vector<std::wstring>& written) const
    {
        std::vector<std::wstring> names;
        for (const auto& file : written) names.push_back(std::filesystem::path(file).filename().wstring());
        return names;
    }

    testsupport::TempFolder m_src{L"vesk_render_src"};
    std::unique_ptr<testsupport::TempFolder> m_out;
    PdfRenderJob m_job;
    std::vector<double> m_progress;
    std::vector<Failure> m_failures;
};

std::string ReadAll(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct Picture {
    UINT width = 0, height = 0;
    float dpi = 0;
    int dark = 0;  // pixels of drawn text
    GUID format{};
};

Picture ReadPicture(const std::wstring& path)
{
    Gdiplus::Bitmap bitmap(path.c_str());
    Picture p;
    if (bitmap.GetLastStatus() != Gdiplus::Ok) return p;
    p.width = bitmap.GetWidth();
    p.height = bitmap.GetHeight();
    p.dpi = bitmap.GetHorizontalResolution();
    bitmap.GetRawFormat(&p.format);
    for (UINT y = 0; y < p.height; y += 2) {
        for (UINT x = 0; x < p.width; x += 2) {
            Gdiplus::Color c;
            bitmap.GetPixel(x, y, &c);
            if (c.GetR() < 100 && c.GetG() < 100 && c.GetB() < 100) ++p.dark;
        }
    }
    return p;
}

struct FormatCase {
    const wchar_t* ext;
    GUID format;
};

TEST_F(PdfRendererTest, WritesEachPageAtTheResolutionWithItsText)
{
    std::wstring pdf = m_src.Write(L"两页.pdf", testpdf::MakePdf({{"HELLO", 200, 100}, {"WORLD", 300, 150}}));
    const FormatCase kFormats[] = {
        {L"jpg", Gdiplus::ImageFormatJPEG}, {L"png", Gdiplus::ImageFormatPNG}, {L"bmp", Gdiplus::ImageFormatBMP}};
    for (const auto& f : kFormats) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(f.ext)));
        m_out = std::make_unique<testsupport::TempFolder>(L"vesk_render_out");
        auto written = Render(Options(pdf, f.ext, 144));
        EXPECT_TRUE(m_failures.empty());
        ASSERT_EQ(OutNames(written), (std::vector<std::wstring>{std::wstring(L"1.") + f.ext, std::wstring(L"2.") + f.ext}));
        Picture first = ReadPicture(written[0]), second = ReadPicture(written[1]);
        EXPECT_EQ(first.width, 400u);
        EXPECT_EQ(first.height, 200u);
        EXPECT_EQ(second.width, 600u);
        EXPECT_NEAR(first.dpi, 144.0f, 0.5f);
        EXPECT_TRUE(IsEqualGUID(first.format, f.format));
        // Helvetica is not embedded: the text shows only when the program's font folder is found.
        EXPECT_GT(first.dark, 100);
    }
}

// The mission manager points poppler at its data folder before the first
// render; the base-14 fonts must still be found beside the program.
TEST_F(PdfRendererTest, TextStillRendersAfterChoosingTheDataFolder)
{
    InitPopplerDataDir();
    std::wstring pdf = m_src.Write(L"a.pdf", testpdf::MakePdf({{"HELLO", 200, 100}}));
    auto written = Render(Options(pdf, L"bmp", 144));
    ASSERT_EQ(written.size(), 1u);
    EXPECT_GT(ReadPicture(written[0]).dark, 100);
}

// Chinese documents often leave their fonts out; poppler then needs its
// encoding data (the CMap and the CID-to-Unicode table of Adobe-GB1) from the
// data folder to draw the text at all.
TEST_F(PdfRendererTest, ChineseTextInAFontNotEmbeddedIsDrawn)
{
    InitPopplerDataDir();
    const std::u16string text = u"中文字体";
    std::wstring pdf = m_src.Write(L"chinese.pdf", testpdf::MakeChinesePdf(text));
    auto written = Render(Options(pdf, L"bmp", 144));
    ASSERT_EQ(written.size(), 1u);
    Gdiplus::Bitmap page(written[0].c_str());
    ASSERT_EQ(page.GetWidth(), 800u);
    // Each character stands in its own 120-pixel cell from x = 20.
    std::vector<std::vector<bool>> glyphs;
    for (size_t i = 0; i < text.size(); ++i) {
        std::vector<bool> ink;
        for (UINT y = 0; y < page.GetHeight(); ++y) {
            for (UINT x = 20 + 120 * static_cast<UINT>(i); x < 20 + 120 * (i + 1); ++x) {
                Gdiplus::Color c;
                page.GetPixel(x, y, &c);
                ink.push_back(c.GetR() < 128);
            }
        }
        SCOPED_TRACE(i);
        EXPECT_GT(std::count(ink.begin(), ink.end(), true), 300);
        glyphs.push_back(std::move(ink));
    }
    // Distinct glyphs, not one replacement box drawn four times.
    for (size_t a = 0; a < glyphs.size(); ++a) {
        for (size_t b = a + 1; b < glyphs.size(); ++b) {
            size_t differ = 0;
            for (size_t k = 0; k < glyphs[a].size(); ++k) differ += glyphs[a][k] != glyphs[b][k];
            EXPECT_GT(differ, 200u) << "characters " << a << " and " << b;
        }
    }
}

TEST_F(PdfRendererTest, RendersEachChosenPageOnceInAscendingOrder)
{
    std::wstring pdf = m_src.Write(L"a.pdf", testpdf::MakePdf(4));
    auto options = Options(pdf);
    options.rangeText = L"3,1,3";
    auto written = Render(options);
    EXPECT_EQ(OutNames(written), (std::vector<std::wstring>{L"1.png", L"3.png"}));
    EXPECT_EQ(m_progress, (std::vector<double>{50, 100}));
}

TEST_F(PdfRendererTest, RangeWithoutValidPartsRendersAllPages)
{
    std::wstring pdf = m_src.Write(L"a.pdf", testpdf::MakePdf(3));
    auto options = Options(pdf, L"bmp");
    options.rangeText = L"x,y";
    EXPECT_EQ(OutNames(Render(options)), (std::vector<std::wstring>{L"1.bmp", L"2.bmp", L"3.bmp"}));
}

TEST_F(PdfRendererTest, NeverOverwritesAnExistingFile)
{
    std::wstring pdf = m_src.Write(L"a.pdf", testpdf::MakePdf(1));
    m_out->Write(L"1.jpg", "keep me");
    m_out->Write(L"1(1).jpg", "keep me too");
    auto written = Render(Options(pdf, L"jpg"));
    EXPECT_EQ(OutNames(written), (std::vector<std::wstring>{L"1(2).jpg"}));
    EXPECT_EQ(ReadAll(m_out->File(L"1.jpg")), "keep me");
}

TEST_F(PdfRendererTest, LongPictureStacksPagesScaledToTheWidest)
{
    std::wstring pdf = m_src.Write(L"a.pdf", testpdf::MakePdf({{"A", 300, 100}, {"B", 600, 100}}));
    const FormatCase kFormats[] = {
        {L"png", Gdiplus::ImageFormatPNG}, {L"jpg", Gdiplus::ImageFormatJPEG}, {L"bmp", Gdiplus::ImageFormatBMP}};
    for (const auto& f : kFormats) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(f.ext)));
        m_progress.clear();
        auto options = Options(pdf, f.ext, 72);
        options.longPicture = true;
        auto written = Render(options);
        ASSERT_EQ(OutNames(written), (std::vector<std::wstring>{std::wstring(L"doc.") + f.ext}));
        Picture p = ReadPicture(written[0]);
        EXPECT_TRUE(IsEqualGUID(p.format, f.format));
        EXPECT_EQ(p.width, 600u);
        EXPECT_EQ(p.height, 300u);  // 100 * 600 / 300 + 100
        EXPECT_NEAR(p.dpi, 72.0f, 0.5f);
        EXPECT_EQ(m_progress, (std::vector<double>{25, 50, 100}));
    }
}

TEST_F(PdfRendererTest, LongPictureSideBySideAndInGroups)
{
    std::wstring pdf = m_src.Write(L"a.pdf", testpdf::MakePdf({{"A", 100, 100}, {"B", 100, 200}, {"C", 50, 50}}));
    auto options = Options(pdf, L"bmp");
    options.longPicture = true;
    options.horizontal = true;
    auto written = Render(options);
    ASSERT_EQ(written.size(), 1u);
    Picture p = ReadPicture(written[0]);
    EXPECT_EQ(p.width, 200u + 100u + 200u);
    EXPECT_EQ(p.height, 200u);

    options.pagesPerPicture = 2;
    written = Render(options);
    EXPECT_EQ(OutNames(written), (std::vector<std::wstring>{L"doc1.bmp", L"doc2.bmp"}));
}

TEST_F(PdfRendererTest, StopDeletesWhatWasWritten)
{
    std::wstring pdf = m_src.Write(L"a.pdf", testpdf::MakePdf(3));
    struct StopCase {
        const char* name;
        bool longPicture;
        double stopAt;  // the progress report after which the user stops
    };
    const StopCase kCases[] = {{"single pages", false, 60}, {"between long-picture groups", true, 60}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        m_failures.clear();
        m_job.onProgress = [&](double percent) {
            if (percent > c.stopAt) m_job.stop = true;
        };
        auto options = Options(pdf);
        options.longPicture = c.longPicture;
        options.pagesPerPicture = 1;
        auto written = Render(options);
        EXPECT_TRUE(written.empty());
        EXPECT_TRUE(m_out->Names().empty());
        ASSERT_EQ(m_failures.size(), 1u);
        EXPECT_EQ(m_failures[0].code, -1);
        EXPECT_EQ(m_failures[0].message, L"用户退出");
    }
}

// Each module's worker renders on its own thread; runs share only the
// engines and the render lock.
TEST(PdfRendererThreads, RunsOnSeveralThreadsAtOnce)
{
    testsupport::TempFolder src(L"vesk_render_threads");
    std::wstring pdf = src.Write(L"a.pdf", testpdf::MakePdf(3));
    struct Run {
        std::unique_ptr<testsupport::TempFolder> out = std::make_unique<testsupport::TempFolder>(L"vesk_render_threads");
        std::vector<std::wstring> written;
        int failures = 0;
    };
    std::vector<Run> runs(3);
    std::vector<std::thread> threads;
    for (auto& run : runs) {
        threads.emplace_back([&pdf, &run] {
            PdfRenderJob job;
            job.onFailure = [&run](int, const std::wstring&, const std::wstring&) { ++run.failures; };
            PdfRenderOptions options;
            options.path = pdf;
            options.extension = L"png";
            options.outputFolder = run.out->Folder();
            options.resolution = 96;
            options.rangeText = L"1-";
            RenderPdfToImages(job, run.written, options);
        });
    }
    for (auto& t : threads) t.join();
    for (const auto& run : runs) {
        EXPECT_EQ(run.failures, 0);
        EXPECT_EQ(run.out->Names(), (std::vector<std::wstring>{L"1.png", L"2.png", L"3.png"}));
    }
}

struct BadCase {
    const char* name;
    std::string bytes;
    bool longPicture;
    int dpi;
    int code;
    std::wstring message;
};

TEST_F(PdfRendererTest, BadInputFailsCleanly)
{
    const BadCase kCases[] = {
        {"zero bytes", "", false, 192, -1, L"解析PDF失败"},
        {"not a PDF", testpdf::MakeNotAPdf(), false, 192, -1, L"解析PDF失败"},
        {"truncated", testpdf::MakeTruncatedPdf(), false, 192, -1, L"解析PDF失败"},
        {"needs a password", testpdf::MakeEncryptedPdf(), false, 192, -1, L"解析PDF失败"},
        {"page too big to rasterise", testpdf::MakeHugePagePdf(), false, 192, -1, L"渲染PDF页面失败"},
        // 2 x 38400 rows at 192 dpi: taller than any JPEG can be.
        {"long picture beyond JPEG", testpdf::MakePdf({{"A", 20, 14400}, {"B", 20, 14400}}), true, 192, -3, L"保存图片失败"},
        // 80000 pixels wide at 400 dpi.
        {"single page beyond JPEG", testpdf::MakePdf({{"A", 14400, 20}}), false, 400, -3, L"保存图片失败"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        m_failures.clear();
        std::wstring pdf = m_src.Write(L"bad.pdf", c.bytes);
        auto options = Options(pdf, L"jpg", c.dpi);
        options.longPicture = c.longPicture;
        auto written = Render(options);
        EXPECT_TRUE(written.empty());
        EXPECT_TRUE(m_out->Names().empty());
        ASSERT_EQ(m_failures.size(), 1u);
        EXPECT_EQ(m_failures[0].code, c.code);
        EXPECT_EQ(m_failures[0].message, c.message);
        EXPECT_EQ(ReadAll(pdf), c.bytes);
    }
}

// poppler crashes when asked for the page count of a document that needs a
// password; every count and render goes through the check.
TEST(PdfRendererPages, LockedDocumentHasNoPagesToCountOrRender)
{
    std::string pdf = testpdf::MakeEncryptedPdf();
    std::unique_ptr<poppler::document> doc(poppler::document::load_from_raw_data(pdf.data(), static_cast<int>(pdf.size())));
    ASSERT_TRUE(doc);
    ASSERT_TRUE(doc->is_locked());
    EXPECT_EQ(PageCountOf(*doc), 0);
    EXPECT_EQ(PageRenderBytes(*doc, 0, 72), 0);
    EXPECT_EQ(RenderPage(*doc, 0, 72), nullptr);
}

TEST_F(PdfRendererTest, MissingFileAndMissingFolderFail)
{
    std::wstring pdf = m_src.Write(L"a.pdf", testpdf::MakePdf(1));
    auto options = Options(m_src.File(L"gone.pdf"));
    EXPECT_TRUE(Render(options).empty());
    options = Options(pdf);
    options.outputFolder = m_out->Folder() + L"no such folder\\";
    EXPECT_TRUE(Render(options).empty());
    ASSERT_EQ(m_failures.size(), 2u);
    EXPECT_EQ(m_failures[0].message, L"解析PDF失败");
    EXPECT_EQ(m_failures[1].code, -3);
    EXPECT_EQ(m_failures[1].message, L"保存图片失败");
}

}  // namespace
