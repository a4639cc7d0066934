#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <thread>

#include "app/modules/pdfcompress/CPDFCompress.h"
#include "app/modules/pdfcompress/PdfPageCount.h"
#include "tests/support/BadPdf.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestPdf.h"

namespace {

struct ChoiceCase {
    int model, level, ratio;
    PdfCompressArgs want;
};

TEST(PdfCompressArgs, MapsModelLevelAndRatio)
{
    const ChoiceCase kCases[] = {
        {0, 0, 50, {1, 40, true}},   {0, 1, 50, {1, 72, false}},  {0, 2, 50, {1, 150, false}},
        {0, 7, 50, {1, 150, false}}, {1, 1, 10, {1, 150, false}}, {1, 1, 20, {1, 130, false}},
        {1, 1, 30, {1, 110, false}}, {1, 1, 40, {1, 90, false}},  {1, 1, 50, {1, 72, false}},
        {1, 1, 60, {1, 60, false}},  {1, 1, 70, {1, 50, false}},  {1, 1, 80, {1, 45, false}},
        {1, 1, 90, {1, 40, true}},   {1, 1, 100, {1, 30, true}},  {1, 1, 55, {1, 72, false}},
        {2, 0, 90, {0, 72, false}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << "model " << c.model << " level " << c.level << " ratio " << c.ratio);
        PdfCompressArgs got = ChooseCompressArgs(c.model, c.level, c.ratio);
        EXPECT_EQ(got.settingsLevel, c.want.settingsLevel);
        EXPECT_EQ(got.resolution, c.want.resolution);
        EXPECT_EQ(got.downsample, c.want.downsample);
    }
}

TEST(PdfCompressArgs, BuildsTheInterpreterArguments)
{
    struct Case {
        int level;
        const char* settings;
    };
    const Case kLevels[] = {{1, "-dPDFSETTINGS=/screen"},  {2, "-dPDFSETTINGS=/ebook"},
                            {3, "-dPDFSETTINGS=/printer"}, {4, "-dPDFSETTINGS=/prepress"},
                            {0, "-dPDFSETTINGS=/default"}, {7, "-dPDFSETTINGS=/default"}};
    for (const auto& c : kLevels) {
        SCOPED_TRACE(c.level);
        auto args = CPDFCompress::BuildArguments(L"C:\\in\\源.pdf", L"C:\\out\\压缩.pdf", c.level, 45, false);
        ASSERT_EQ(args.size(), 15u);
        EXPECT_EQ(args[0], "ghostscript");
        EXPECT_EQ(args[3], c.settings);
        EXPECT_EQ(args[5], "-dColorImageResolution=45");
        EXPECT_EQ(args[13], "-sOutputFile=C:\\out\\\xE5\x8E\x8B\xE7\xBC\xA9.pdf");
        EXPECT_EQ(args[14], "C:\\in\\\xE6\xBA\x90.pdf");
    }
    for (bool on : {false, true}) {
        SCOPED_TRACE(on);
        auto args = CPDFCompress::BuildArguments(L"a.pdf", L"b.pdf", 1, 72, on);
        const std::string tail = on ? "=true" : "=false";
        EXPECT_EQ(args[10], "-dDownsampleColorImages" + tail);
        EXPECT_EQ(args[11], "-dDownsampleGrayImages" + tail);
        EXPECT_EQ(args[12], "-dDownsampleMonoImages" + tail);
    }
}

struct Progress {
    double percent;
    int page, total;
    bool operator==(const Progress&) const = default;
};

struct PieceCase {
    const char* name;
    std::vector<std::string> pieces;
    std::vector<Progress> want;
};

TEST(PdfCompressProgress, ReadsTotalAndPagesFromTheOutput)
{
    const PieceCase kCases[] = {
        {"total then page", {"Processing pages 1 through 4.\n", "Page 2\n"}, {{50.0, 2, 4}}},
        {"page with leading blanks", {"Processing pages 1 through 4.\n", "  Page 2\n"}, {}},
        {"announcement and page in one piece", {"Processing pages 1 through 4.\nPage 1\n"}, {}},
        {"case ignored", {"PROCESSING PAGES 1 THROUGH 3.\n", "PAGE 1\n"}, {{1.0f / 3.0f * 100.0f, 1, 3}}},
        {"page before any total", {"Page 1\n"}, {}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        CPDFCompress compress;
        std::vector<Progress> got;
        compress.m_onProgress = [&](double percent, int page, int total) { got.push_back({percent, page, total}); };
        for (const auto& piece : c.pieces) EXPECT_EQ(compress.OnStdout(piece), static_cast<int>(piece.size()));
        EXPECT_EQ(got, c.want);
    }
}

class PdfCompressRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_compress.m_onProgress = [this](double percent, int page, int total) { m_progress.push_back({percent, page, total}); };
        m_compress.m_onFailed = [this](int code, const std::wstring& message, const std::wstring& detail) {
            m_results.push_back({code, message, detail, false});
        };
        m_compress.m_onFinished = [this](int code, const std::wstring& message, const std::wstring& detail) {
            m_results.push_back({code, message, detail, true});
        };
    }

    struct Result {
        int code;
        std::wstring message, detail;
        bool finished;
    };

    testsupport::TempFolder m_folder{L"vesk_compress"};
    CPDFCompress m_compress;
    std::vector<Progress> m_progress;
    std::vector<Result> m_results;
};

TEST_F(PdfCompressRun, CompressesAtEachLevel)
{
    std::wstring input = m_folder.Write(L"源 (1).pdf", testpdf::MakePdf(3));
    for (int level = 0; level <= 2; ++level) {
        SCOPED_TRACE(level);
        m_results.clear();
        m_progress.clear();
        std::wstring output = m_folder.Write(L"压缩(" + std::to_wstring(level) + L").pdf", "");  // reserved, empty
        PdfCompressArgs args = ChooseCompressArgs(0, level, 50);
        m_compress.Compress(input, output, args.settingsLevel, args.resolution, args.downsample);
        ASSERT_EQ(m_results.size(), 1u);
        EXPECT_TRUE(m_results[0].finished);
        EXPECT_EQ(m_results[0].code, 0);
        EXPECT_EQ(m_results[0].message, L"业务成功");
        EXPECT_EQ(m_results[0].detail, input);
        ASSERT_FALSE(m_progress.empty());
        EXPECT_EQ(m_progress.back(), (Progress{100.0, 3, 3}));
        EXPECT_EQ(m_progress.front(), (Progress{1.0f / 3.0f * 100.0f, 1, 3}));
        EXPECT_EQ(GetPdfPageCount(output), 3);
    }
}

TEST_F(PdfCompressRun, MissingInputNeverStartsNorDeletes)
{
    std::wstring output = m_folder.Write(L"out.pdf", "keep");
    std::wstring input = m_folder.File(L"gone.pdf");
    m_compress.Compress(input, output, 1, 72, false);
    ASSERT_EQ(m_results.size(), 1u);
    EXPECT_FALSE(m_results[0].finished);
    EXPECT_EQ(m_results[0].code, -1);
    EXPECT_EQ(m_results[0].message, L"输入文件错误");
    EXPECT_EQ(m_results[0].detail, input);
    EXPECT_TRUE(std::filesystem::exists(output));
}

struct BadCase {
    const char* name;
    std::string bytes;
    const char* said = nullptr;  // part of what the interpreter wrote to standard error
};

TEST_F(PdfCompressRun, BadInputFailsAndLeavesNoOutput)
{
    const BadCase kCases[] = {
        {"zero bytes", ""},
        {"not a PDF", testpdf::MakeNotAPdf()},
        {"needs a password", testpdf::MakeEncryptedPdf(), "password"},
        {"truncated", testpdf::MakeTruncatedPdf()},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        m_results.clear();
        std::wstring input = m_folder.Write(L"bad.pdf", c.bytes);
        std::wstring output = m_folder.Write(L"out.pdf", "");
        m_compress.Compress(input, output, 1, 72, false);
        ASSERT_EQ(m_results.size(), 1u);
        EXPECT_FALSE(m_results[0].finished);
        EXPECT_NE(m_results[0].code, 0);
        EXPECT_EQ(m_results[0].message, L"业务失败");
        EXPECT_FALSE(std::filesystem::exists(output));
        // Kept for the debug log; the user sees only the message.
        if (c.said) {
            EXPECT_NE(m_compress.GetStderr().find(c.said), std::string::npos) << m_compress.GetStderr();
        }
        std::ifstream source(std::filesystem::path(input), std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(source), {}), c.bytes);
    }
}

TEST_F(PdfCompressRun, CancelEndsAsStoppedAndDeletesTheOutput)
{
    std::wstring input = m_folder.Write(L"long.pdf", testpdf::MakePdf(40));
    std::wstring output = m_folder.File(L"out.pdf");
    m_compress.m_onProgress = [this](double, int page, int) {
        m_progress.push_back({0, page, 0});
        if (page == 2) m_compress.m_cancel = true;
    };
    m_compress.Compress(input, output, 1, 72, false);
    ASSERT_EQ(m_results.size(), 1u);
    EXPECT_TRUE(m_results[0].finished);
    EXPECT_EQ(m_results[0].code, -1);
    EXPECT_EQ(m_results[0].message, L"用户退出");
    EXPECT_FALSE(std::filesystem::exists(output));
    // The interpreter stops soon after the cancel, not at the end of the document.
    ASSERT_FALSE(m_progress.empty());
    EXPECT_LT(m_progress.back().page, 5);
}

// Whatever the interpreter prints, its result and the PDF it wrote decide: a
// build that words its page lines differently must not have its good output
// reported as failed and deleted.
TEST_F(PdfCompressRun, SuccessNeedsNoAnnouncedPageTotal)
{
    struct Unread : CPDFCompress {
        int OnStdout(const std::string& text) override { return static_cast<int>(text.size()); }
    };
    Unread compress;
    compress.m_onProgress = m_compress.m_onProgress;
    compress.m_onFailed = m_compress.m_onFailed;
    compress.m_onFinished = m_compress.m_onFinished;
    std::wstring input = m_folder.Write(L"in.pdf", testpdf::MakePdf(3));
    std::wstring output = m_folder.Write(L"out.pdf", "");
    compress.Compress(input, output, 1, 72, false);
    ASSERT_EQ(m_results.size(), 1u);
    EXPECT_TRUE(m_results[0].finished);
    EXPECT_EQ(m_results[0].message, L"业务成功");
    EXPECT_EQ(m_progress, (std::vector<Progress>{{100.0, 0, 0}}));
    EXPECT_EQ(GetPdfPageCount(output), 3);
}

constexpr auto kPatience = std::chrono::seconds(60);

// Each run has its own interpreter and no lock is taken around runs: while a
// compression is in the middle of its document (held there by its progress
// handler), page counts and a second compression run, and a cancel given to
// that second one stops it.
TEST_F(PdfCompressRun, OtherRunsGoOnWhileACompressionRuns)
{
    std::wstring input = m_folder.Write(L"long.pdf", testpdf::MakePdf(30));
    std::wstring output = m_folder.File(L"out.pdf");
    std::promise<void> halfway, othersDone;
    std::shared_future<void> othersDoneLater = othersDone.get_future().share();
    bool othersEndedMeanwhile = false;
    m_compress.m_onProgress = [&](double percent, int page, int total) {
        m_progress.push_back({percent, page, total});
        if (page != 2) return;
        halfway.set_value();
        othersEndedMeanwhile = othersDoneLater.wait_for(kPatience) == std::future_status::ready;
    };
    std::thread first([&] { m_compress.Compress(input, output, 1, 72, false); });
    bool started = halfway.get_future().wait_for(kPatience) == std::future_status::ready;

    std::wstring four = m_folder.Write(L"four.pdf", testpdf::MakePdf(4));
    int counts[2] = {-1, -1};
    std::thread count1([&] { counts[0] = GetPdfPageCount(four); });
    std::thread count2([&] { counts[1] = GetPdfPageCount(four); });

    CPDFCompress second;
    std::wstring secondOutput = m_folder.File(L"second.pdf");
    std::promise<void> secondRunning;
    int secondLastPage = 0;
    std::vector<Result> secondResults;
    second.m_onProgress = [&](double, int page, int) {
        secondLastPage = page;
        if (page != 1) return;
        secondRunning.set_value();
        for (int i = 0; i < 6000 && !second.m_cancel; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    };
    second.m_onFinished = [&](int code, const std::wstring& message, const std::wstring& detail) {
        secondResults.push_back({code, message, detail, true});
    };
    std::thread secondRun([&] { second.Compress(input, secondOutput, 1, 72, false); });
    if (secondRunning.get_future().wait_for(kPatience) == std::future_status::ready) second.m_cancel = true;

    count1.join();
    count2.join();
    secondRun.join();
    othersDone.set_value();
    first.join();

    EXPECT_TRUE(started);
    EXPECT_TRUE(othersEndedMeanwhile);
    EXPECT_EQ(counts[0], 4);
    EXPECT_EQ(counts[1], 4);
    ASSERT_EQ(secondResults.size(), 1u);
    EXPECT_EQ(secondResults[0].message, L"用户退出");
    EXPECT_LT(secondLastPage, 5);
    EXPECT_FALSE(std::filesystem::exists(secondOutput));
    ASSERT_EQ(m_results.size(), 1u);
    EXPECT_EQ(m_results[0].message, L"业务成功");
    EXPECT_EQ(GetPdfPageCount(output), 30);
}

}  // namespace
