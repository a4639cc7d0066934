// The benchmark counts the pages of every file it is given before rendering.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/BadPdf.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempFolder.h"

namespace {

// Asking poppler for the page count of a document that needs a password
// crashes; the benchmark must report the file as failed instead.
TEST(PdfToImagesBench, FileThatNeedsAPasswordIsAFailureNotACrash)
{
    testsupport::TempFolder folder(L"vesk_bench_locked");
    std::wstring pdf = folder.Write(L"locked.pdf", testpdf::MakeEncryptedPdf());
    std::wstring cmd = L"\"" + (std::filesystem::path(VESK_BIN_DIR) / L"pdf_to_images.exe").wstring() + L"\" --out \"" +
                       folder.File(L"out") + L"\" \"" + pdf + L"\"";
    testsupport::ChildOptions options;
    options.noWindow = true;
    const testsupport::ChildRun run = testsupport::RunChild(cmd, options, 120000);
    ASSERT_TRUE(run.ended) << run.output;
    EXPECT_EQ(run.exitCode, 1u) << run.output;  // one file failed; a crash ends with an exception code
}

}  // namespace
