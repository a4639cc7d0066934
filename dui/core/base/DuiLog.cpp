#include "dui/core/base/DuiLog.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cwchar>
#include <vector>

#include "dui/core/base/SCodePage.h"

namespace DUI {

namespace {

constexpr int kLogBufferChars = 10240;

} // namespace

std::string FormatLogLine(const wchar_t* message, const char* function, const char* source, int line)
{
    std::string ansi;
    if (!WideToMulti(CP_ACP, message, -1, ansi))
        ansi.clear();
    if (ansi.size() > static_cast<size_t>(kLogBufferChars - 1))
        ansi.resize(kLogBufferChars - 1);
    std::vector<char> out(kLogBufferChars);
    const int n = std::snprintf(out.data(), out.size(), "%s %s %s:%d\n", ansi.c_str(), function, source, line);
    if (n < 0)
        return std::string();
    return std::string(out.data(), std::min<size_t>(n, out.size() - 1));
}

void WriteLog(const char* source, int line, const char* function, const wchar_t* format, ...)
{
    std::vector<wchar_t> message(kLogBufferChars);
    va_list args;
    va_start(args, format);
    // msvcrt's formatter, as for every framework text: "%s" means a wide text.
    // An overlong message is cut; the formatter then leaves no terminator.
    _vsnwprintf(message.data(), message.size() - 1, format, args);
    va_end(args);
    message.back() = L'\0';
    OutputDebugStringA(FormatLogLine(message.data(), function, source, line).c_str());
}

void LogCaughtException(const char* source, int line, const char* function, const char* what)
{
    // An exception's message is in the ANSI code page.
    std::wstring message;
    if (!what || !MultiToWide(CP_ACP, what, -1, message))
        message = L"unknown";
    WriteLog(source, line, function, L"exception stopped: %s", message.c_str());
}

} // namespace DUI
