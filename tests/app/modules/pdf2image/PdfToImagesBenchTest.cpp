// The benchmark counts the pages of every file it is given before rendering.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/BadPdf.h"
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
    STARTUPINFOW si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi));
    DWORD waited = WaitForSingleObject(pi.hProcess, 120000);
    if (waited != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 99);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    ASSERT_EQ(waited, WAIT_OBJECT_0);
    EXPECT_EQ(code, 1u);  // one file failed; a crash ends with an exception code
}

}  // namespace
