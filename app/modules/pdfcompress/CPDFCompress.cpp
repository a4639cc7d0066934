#include "app/modules/pdfcompress/CPDFCompress.h"

#include <winsock2.h>
#include <windows.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "app/core/CDebugStr.h"
#include "app/core/TextEncoding.h"
#include "app/modules/pdfcompress/PdfPageCount.h"
#include "xml/SFile.h"

namespace {

const wchar_t kBadInput[] = L"输入文件错误";
const wchar_t kFailed[] = L"业务失败";
const wchar_t kStopped[] = L"用户退出";
const wchar_t kDone[] = L"业务成功";

bool FileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A file that exists, is not empty and starts as a PDF does.
bool IsPdfFile(const std::wstring& path)
{
    DUI::SFilePtr file = DUI::OpenFile(path.c_str(), L"rb");
    char head[5] = {};
    return file && std::fread(head, 1, sizeof(head), file.get()) == sizeof(head) &&
           std::memcmp(head, "%PDF-", sizeof(head)) == 0;
}

const char* PdfSettingsArgument(int settingsLevel)
{
    switch (settingsLevel) {
    case 1: return "-dPDFSETTINGS=/screen";
    case 2: return "-dPDFSETTINGS=/ebook";
    case 3: return "-dPDFSETTINGS=/printer";
    case 4: return "-dPDFSETTINGS=/prepress";
    default: return "-dPDFSETTINGS=/default";
    }
}

int ResolutionForRatio(int ratio)
{
    switch (ratio) {
    case 10: return 150;
    case 20: return 130;
    case 30: return 110;
    case 40: return 90;
    case 50: return 72;
    case 60: return 60;
    case 70: return 50;
    case 80: return 45;
    case 90: return 40;
    case 100: return 30;
    default: return 72;
    }
}

}  // namespace

PdfCompressArgs ChooseCompressArgs(int model, int level, int ratio)
{
    if (model == 0) {
        if (level == 0) return {1, 40, true};
        return {1, level == 1 ? 72 : 150, false};
    }
    if (model == 1) return {1, ResolutionForRatio(ratio), ratio == 90 || ratio == 100};
    return {0, 72, false};
}

std::vector<std::string> CPDFCompress::BuildArguments(const std::wstring& input, const std::wstring& output,
                                                      int settingsLevel, int resolution, bool downsample)
{
    const std::string on = downsample ? "true" : "false";
    return {
        "ghostscript",
        "-sDEVICE=pdfwrite",
        "-dCompatibilityLevel=1.7",
        PdfSettingsArgument(settingsLevel),
        "-dCompressMode=3",
        "-dColorImageResolution=" + std::to_string(resolution),
        "-dNOPAUSE",
        "-dPreserveAnnots=false",
        "-dCompressPages=true",
        "-dCompressFonts=true",
        "-dDownsampleColorImages=" + on,
        "-dDownsampleGrayImages=" + on,
        "-dDownsampleMonoImages=" + on,
        "-sOutputFile=" + ToUtf8(output),
        ToUtf8(input),
    };
}

void CPDFCompress::Compress(const std::wstring& input, const std::wstring& output, int settingsLevel, int resolution,
                            bool downsample)
{
    m_input = input;
    m_output = output;
    m_pageTotal = 0;
    if (!FileExists(input)) {
        OnFailed(-1, kBadInput, input);
        return;
    }
    std::vector<std::string> args = BuildArguments(input, output, settingsLevel, resolution, downsample);
    std::vector<const char*> argv;
    for (const auto& arg : args) argv.push_back(arg.c_str());
    DeleteOutput();  // the mission reserved the name with an empty file
    int result = RunGhostscript(argv);
    End(DecideEnd(result), result);
}

CPDFCompress::Outcome CPDFCompress::DecideEnd(int result) const
{
    if (m_cancel) return Outcome::Stopped;
    if (result != 0 || !IsPdfFile(m_output)) return Outcome::Failed;
    // The interpreter ends "successfully" on an input it cannot read as a PDF
    // (an empty one, one that needs a password), having written a blank page:
    // the result must hold the input's pages.
    int pages = GetPdfPageCount(m_output);
    return pages >= 1 && pages == GetPdfPageCount(m_input) ? Outcome::Succeeded : Outcome::Failed;
}

void CPDFCompress::End(Outcome outcome, int result)
{
    switch (outcome) {
    case Outcome::Stopped:
        DeleteOutput();
        OnFinished(-1, kStopped, L"");
        break;
    case Outcome::Failed:
        LogFailure(result);
        OnFailed(result != 0 ? result : -1, kFailed, L"");
        DeleteOutput();
        break;
    case Outcome::Succeeded:
        if (m_onProgress) m_onProgress(100.0, m_pageTotal, m_pageTotal);
        OnFinished(0, kDone, L"");
        break;
    }
}

// The user sees only the failure's message; what the interpreter said about
// it goes to the debug log.
void CPDFCompress::LogFailure(int result) const
{
    std::wstring text = L"PDF compression failed (" + std::to_wstring(result) + L"): " + m_input + L": " +
                        FromUtf8(GetStderr());
    CDebugStr().WriteDebugLog(0, text.c_str());
    CDebugStr::WriteLine(L"\r\n");
}

int CPDFCompress::OnStdout(const std::string& text)
{
    std::string lower = text;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    size_t through = lower.find("through");
    if (through != std::string::npos) {
        size_t start = through + 7;
        size_t stop = lower.find('.', start);
        m_pageTotal = std::atoi(lower.substr(start, stop == std::string::npos ? std::string::npos : stop - start).c_str());
    }
    // A total of 0 would make the share infinite; the next announcement sets it.
    if (lower.rfind("page", 0) == 0 && m_pageTotal > 0 && m_onProgress) {
        size_t end = lower.find('\n', 5);
        int page = lower.size() > 5 ? std::atoi(lower.substr(5, end == std::string::npos ? std::string::npos : end - 5).c_str()) : 0;
        float share = static_cast<float>(page) / static_cast<float>(m_pageTotal) * 100.0f;
        m_onProgress(static_cast<double>(share), page, m_pageTotal);
    }
    return m_cancel ? 1 : static_cast<int>(text.size());
}

// Kept for the debug log of a failure, never shown.
int CPDFCompress::OnStderr(const std::string& text)
{
    return CGhostScriptOperation::OnStderr(text);
}

void CPDFCompress::OnFailed(int code, const std::wstring& message, const std::wstring& detail)
{
    if (m_onFailed) m_onFailed(code, message, detail.empty() ? m_input : detail);
}

void CPDFCompress::OnFinished(int code, const std::wstring& message, const std::wstring& detail)
{
    if (m_onFinished) m_onFinished(code, message, detail.empty() ? m_input : detail);
}

void CPDFCompress::DeleteOutput() const
{
    if (!m_output.empty() && FileExists(m_output)) DeleteFileW(m_output.c_str());
}
