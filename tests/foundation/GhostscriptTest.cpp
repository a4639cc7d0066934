// Ghostscript's interpreter, linked as a static library, counting the pages of
// a PDF whose path holds non-ASCII characters.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <iapi.h>
#include <ierrors.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "dui/core/base/SCodePage.h"
#include "tests/support/TestPdf.h"

namespace {

std::string ToUtf8(const std::wstring& w)
{
    std::string out;
    return DUI::WideToMulti(CP_UTF8, w.data(), static_cast<int>(w.size()), out) ? out : std::string();
}

int GSDLLCALL CollectOut(void* handle, const char* str, int len)
{
    static_cast<std::string*>(handle)->append(str, len);
    return len;
}

// Runs the interpreter once with the given arguments; returns its stdout.
std::string RunGhostscript(const std::vector<std::string>& args, int* code)
{
    void* gs = nullptr;
    std::string out;
    EXPECT_EQ(gsapi_new_instance(&gs, &out), 0);
    gsapi_set_stdio(gs, nullptr, CollectOut, CollectOut);
    gsapi_set_arg_encoding(gs, GS_ARG_ENCODING_UTF8);
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    *code = gsapi_init_with_args(gs, static_cast<int>(argv.size()), argv.data());
    int exitCode = gsapi_exit(gs);
    if (*code == 0 || *code == gs_error_Quit) *code = exitCode;
    gsapi_delete_instance(gs);
    return out;
}

TEST(Engines, GhostscriptCountsPagesOfNonAsciiPath)
{
    auto path = std::filesystem::temp_directory_path() / (L"vesk_gs_页数_" + std::to_wstring(GetCurrentProcessId()) + L".pdf");
    {
        std::ofstream f(path, std::ios::binary);
        f << testpdf::MakePdf(3);
    }
    std::string ps = ToUtf8(path.wstring());
    for (char& c : ps) if (c == '\\') c = '/';
    int code = -1;
    std::string out = RunGhostscript({"gs", "-dNODISPLAY", "-dNOSAFER", "-q", "-dBATCH", "-dNOPAUSE", "-c",
                                      "(" + ps + ") (r) file runpdfbegin pdfpagecount = quit"},
                                     &code);
    std::filesystem::remove(path);
    EXPECT_EQ(code, 0) << out;
    EXPECT_EQ(out.substr(0, out.find_first_of("\r\n")), "3") << out;
}

}  // namespace
