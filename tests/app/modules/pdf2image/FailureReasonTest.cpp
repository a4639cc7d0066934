#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/modules/pdf2image/PdfRenderer.h"
#include "tests/app/core/DebugCapture.h"
#include "tests/support/BadPdf.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestPdf.h"

namespace {

bool Logged(DebugCapture& log, const std::wstring& line)
{
    const std::wstring ansi = DebugCapture::AnsiForm(line);
    for (const auto& got : log.Lines()) {
        if (got.find(line) != std::wstring::npos || got.find(ansi) != std::wstring::npos) return true;
    }
    return false;
}

std::wstring AllLines(DebugCapture& log)
{
    std::wstring all;
    for (const auto& got : log.Lines()) all += got;
    return all;
}

// A failed conversion keeps its user-facing code and text, and the debug
// log names the call, its code and the path.
TEST(FailureReason, AFailedConversionLogsTheCallTheCodeAndThePath)
{
    testsupport::TempFolder src(L"vesk_reason_src");
    testsupport::TempFolder out(L"vesk_reason_out");
    const std::wstring pdf = src.Write(L"a.pdf", testpdf::MakePdf(1));
    const std::wstring notPdf = src.Write(L"b.pdf", testpdf::MakeNotAPdf());
    const std::wstring locked = src.Write(L"c.pdf", testpdf::MakeEncryptedPdf());
    const std::wstring gone = src.File(L"gone.pdf");
    const std::wstring noFolder = out.Folder() + L"no such folder\\";
    struct Case {
        const char* name;
        std::wstring pdf, folder;
        int code;
        std::wstring message, line;
    };
    const Case kCases[] = {
        {"missing source", gone, out.Folder(), -1, L"解析PDF失败", L"pdf2image: _wfopen failed (2): " + gone},
        {"not a PDF", notPdf, out.Folder(), -1, L"解析PDF失败",
         L"pdf2image: load_from_raw_data failed (13): " + notPdf},
        {"needs a password", locked, out.Folder(), -1, L"解析PDF失败", L"pdf2image: is_locked failed (6002): " + locked},
        {"missing output folder", pdf, noFolder, -3, L"保存图片失败",
         L"pdf2image: CreateFileW failed (3): " + noFolder + L"1.png"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        PdfRenderJob job;
        std::vector<std::pair<int, std::wstring>> failures;
        job.onFailure = [&](int code, const std::wstring& message, const std::wstring&) {
            failures.emplace_back(code, message);
        };
        PdfRenderOptions options;
        options.path = c.pdf;
        options.extension = L"png";
        options.outputFolder = c.folder;
        options.resolution = 72;
        options.rangeText = L"1-";
        std::vector<std::wstring> written;
        DebugCapture log;
        RenderPdfToImages(job, written, options);
        ASSERT_EQ(failures.size(), 1u);
        EXPECT_EQ(failures[0].first, c.code);
        EXPECT_EQ(failures[0].second, c.message);
        EXPECT_TRUE(Logged(log, c.line)) << AllLines(log);
        EXPECT_TRUE(written.empty());
    }
    EXPECT_TRUE(out.Names().empty());
}

}  // namespace
