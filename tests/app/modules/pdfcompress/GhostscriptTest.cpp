#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

#include "app/modules/pdfcompress/CGhostScriptOperation.h"
#include "app/modules/pdfcompress/PdfPageCount.h"
#include "tests/support/BadPdf.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestPdf.h"

namespace {

struct OutputCase {
    const char* name;
    std::string output;
    int want;
};

TEST(PdfPageCount, ReadsTheLastCompleteLineAfterAnEarlierOne)
{
    const OutputCase kCases[] = {
        {"banner, line, count", "GPL Ghostscript\nCopyright\n12\n", 12},
        {"count alone", "12\n", 0},
        {"unfinished last line", "banner\n7\n12", 7},
        {"empty", "", 0},
        {"no line feed", "12", 0},
        {"leading blanks", "banner\n   5 pages\n", 5},
        {"not a number", "banner\nError\n", 0},
        {"line feed first", "\n9\n", 9},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ParsePageCountOutput(c.output), c.want);
    }
}

struct PathCase {
    const char* name;
    std::wstring path;
    std::string want;
};

TEST(PdfPageCount, PathCannotEndThePostScriptString)
{
    const PathCase kCases[] = {
        {"backslashes", L"C:\\a\\b.pdf", "C:/a/b.pdf"},
        {"parentheses", L"C:\\x (1)\\y).pdf", "C:/x \\(1\\)/y\\).pdf"},
        {"non-ASCII as UTF-8", L"C:\\报告.pdf", "C:/\xE6\x8A\xA5\xE5\x91\x8A.pdf"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ToPostScriptPath(c.path), c.want);
    }
}

struct CountCase {
    const char* name;
    std::wstring fileName;
    std::string bytes;
    int want;
};

TEST(PdfPageCount, CountsOrdinaryFilesAndGivesZeroForBadOnes)
{
    testsupport::TempFolder folder(L"vesk_count");
    const CountCase kCases[] = {
        {"ordinary", L"three.pdf", testpdf::MakePdf(3), 3},
        {"non-ASCII name, unbalanced parentheses", L"报告 (终稿)) 2.pdf", testpdf::MakePdf(2), 2},
        {"zero bytes", L"empty.pdf", "", 0},
        {"not a PDF", L"text.pdf", testpdf::MakeNotAPdf(), 0},
        {"needs a password", L"locked.pdf", testpdf::MakeEncryptedPdf(), 0},
        {"truncated", L"cut.pdf", testpdf::MakeTruncatedPdf(), 0},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        std::wstring path = folder.Write(c.fileName, c.bytes);
        EXPECT_EQ(GetPdfPageCount(path), c.want);
    }
    EXPECT_EQ(GetPdfPageCount(folder.File(L"missing.pdf")), 0);
}

// Every count runs its own interpreter, on the thread that asks.
TEST(PdfPageCount, CountsFromSeveralThreadsAtOnce)
{
    testsupport::TempFolder folder(L"vesk_count_threads");
    std::wstring path = folder.Write(L"four.pdf", testpdf::MakePdf(4));
    std::vector<int> counts(4, -1);
    std::vector<std::thread> threads;
    for (size_t i = 0; i < counts.size(); ++i) threads.emplace_back([&, i] { counts[i] = GetPdfPageCount(path); });
    for (auto& t : threads) t.join();
    EXPECT_EQ(counts, std::vector<int>(4, 4));
}

struct RunCase {
    const char* name;
    std::vector<const char*> args;
    bool succeeds;
    std::string stdoutWanted;
};

TEST(GhostScriptOperation, RunsAndCapturesOutput)
{
    const RunCase kCases[] = {
        {"quit ends a run normally", {"gs", "-q", "-dNOSAFER", "-c", "(hello) = quit"}, true, "hello\n"},
        {"error code on a failure", {"gs", "-q", "-dNOSAFER", "-c", "nosuchoperator"}, false, ""},
        {"second run starts clean", {"gs", "-q", "-dNOSAFER", "-c", "(again) ="}, true, "again\n"},
    };
    CGhostScriptOperation op;
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        int code = op.RunGhostscript(c.args);
        EXPECT_EQ(code == 0, c.succeeds) << code;
        if (c.succeeds) {
            EXPECT_EQ(op.GetStdout(), c.stdoutWanted);
        }
    }
}

// Nothing thrown may unwind through the interpreter: the run fails instead,
// and the object runs again afterwards.
TEST(GhostScriptOperation, HandlerThatThrowsFailsTheRun)
{
    struct Throwing : CGhostScriptOperation {
        bool fail = true;
        int OnStdout(const std::string& text) override
        {
            if (fail) throw std::runtime_error("handler failed");
            return CGhostScriptOperation::OnStdout(text);
        }
    };
    Throwing op;
    EXPECT_NE(op.RunGhostscript({"gs", "-q", "-dNOSAFER", "-c", "(hello) = flush"}), 0);
    op.fail = false;
    EXPECT_EQ(op.RunGhostscript({"gs", "-q", "-dNOSAFER", "-c", "(again) ="}), 0);
    EXPECT_EQ(op.GetStdout(), "again\n");
}

}  // namespace
