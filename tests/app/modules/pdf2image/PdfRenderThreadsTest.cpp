// Pages rendered on several threads must give exactly what one page at a time
// gives: the same files, names, bytes, progress and failures.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

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

struct Record {
    std::vector<std::wstring> names;  // as written, in order
    std::vector<std::string> bytes;
    std::vector<double> progress;
    std::vector<Failure> failures;
    std::vector<std::wstring> left;  // in the output folder afterwards
};

void ExpectSame(const Record& got, const Record& want)
{
    EXPECT_EQ(got.names, want.names);
    EXPECT_TRUE(got.bytes == want.bytes) << "the files' bytes differ";
    EXPECT_EQ(got.progress, want.progress);
    EXPECT_EQ(got.failures, want.failures);
    EXPECT_EQ(got.left, want.left);
}

struct Case {
    const char* name;
    std::string pdf;
    const wchar_t* ext;
    int dpi;
    std::wstring range = L"1-";
    bool longPicture = false;
    int pagesPerPicture = 0;
};

std::string ReadAll(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

Record RenderWith(const std::wstring& pdf, const Case& c, int threads)
{
    testsupport::TempFolder out(L"vesk_threads_out");
    Record record;
    PdfRenderJob job;
    job.onProgress = [&](double percent) { record.progress.push_back(percent); };
    job.onFailure = [&](int code, const std::wstring& message, const std::wstring&) {
        record.failures.push_back({code, message});
    };
    PdfRenderOptions options;
    options.path = pdf;
    options.extension = c.ext;
    options.outputFolder = out.Folder();
    options.title = L"doc";
    options.resolution = c.dpi;
    options.rangeText = c.range;
    options.longPicture = c.longPicture;
    options.pagesPerPicture = c.pagesPerPicture;
    std::vector<std::wstring> written;
    RenderPdfToImages(job, written, options, threads);
    for (const auto& file : written) {
        record.names.push_back(std::filesystem::path(file).filename().wstring());
        record.bytes.push_back(ReadAll(file));
    }
    record.left = out.Names();
    return record;
}

std::vector<testpdf::PageSpec> PagesOfManySizes()
{
    return {{"A4", 595, 842},     {"landscape", 792, 612}, {"tiny", 90, 60},        {"tall", 300, 900},
            {"wide", 900, 200},   {"square", 400, 400},    {"Letter", 612, 792},    {"A5", 420, 595},
            {"strip", 150, 700},  {"last", 500, 300}};
}

std::vector<testpdf::PageSpec> PagesWithShapes(int count)
{
    std::vector<testpdf::PageSpec> pages;
    for (int i = 0; i < count; ++i)
        pages.push_back({"P" + std::to_string(i + 1), 200 + 40 * i, 150 + 25 * (i % 3), testpdf::ShapesAndImage()});
    return pages;
}

std::vector<testpdf::PageSpec> LargePages(int count)
{
    std::vector<testpdf::PageSpec> pages;
    for (int i = 0; i < count; ++i) pages.push_back({"A4 " + std::to_string(i + 1), 595, 842, testpdf::ShapesAndImage()});
    return pages;
}

TEST(PdfRenderThreads, WriteWhatOnePageAtATimeWrites)
{
    const Case kCases[] = {
        {"text pages of many sizes", testpdf::MakePdf(PagesOfManySizes()), L"jpg", 150},
        {"shapes and an image, chosen pages", testpdf::MakePdf(PagesWithShapes(6)), L"png", 110, L"6,2-4"},
        {"Chinese text in a font not embedded", testpdf::MakeChinesePdf(u"中文字体测试"), L"bmp", 144},
        {"long pictures of two pages", testpdf::MakePdf(PagesWithShapes(5)), L"png", 72, L"1-", true, 2},
        // ~45 MB a page: two threads draw each page into the last one's
        // pixels, three (one per page) would hold too much and take new
        // pixels for every page.
        {"pages too large for every thread to keep", testpdf::MakePdf(LargePages(3)), L"jpg", 340},
        // Page 3 fails at once while page 2, too wide for a JPEG at 400 dpi,
        // still renders: the failure reported must be page 2's.
        {"a save failure before a render failure",
         testpdf::MakePdfWithBrokenPage({{"A", 200, 100}, {"B", 14400, 20}, {"C", 200, 100}, {"D", 200, 100}}, 3),
         L"jpg", 400},
    };
    InitPopplerDataDir();
    testsupport::TempFolder src(L"vesk_threads_src");
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        std::wstring pdf = src.Write(L"in.pdf", c.pdf);
        const Record once = RenderWith(pdf, c, 1);
        if (once.failures.empty()) {
            EXPECT_FALSE(once.names.empty());
            EXPECT_EQ(once.left.size(), once.names.size());
        } else {
            EXPECT_EQ(once.failures, (std::vector<Failure>{{-3, L"保存图片失败"}}));
            EXPECT_TRUE(once.left.empty());
        }
        for (int round = 0; round < 3; ++round) {
            for (int threads : {2, 8}) {
                SCOPED_TRACE(testing::Message() << threads << " threads, round " << round);
                ExpectSame(RenderWith(pdf, c, threads), once);
            }
        }
    }
}

}  // namespace
