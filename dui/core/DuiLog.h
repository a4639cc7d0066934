#pragma once
// The framework's log facility. No logger is installed in this program, so
// every line goes to the debugger output as "message function source:line".
#include <windows.h>
#include <string>

namespace DUI {

// The line as it reaches the debugger, in the ANSI code page; the message is
// cut at 10239 characters and dropped when its ANSI form does not fit either.
std::string FormatLogLine(const wchar_t* message, const char* function, const char* source, int line);

void WriteLog(const char* source, int line, const char* function, const wchar_t* format, ...);

} // namespace DUI

#define DUI_LOG_WARNING(source, function, format, ...) \
    ::DUI::WriteLog(source, __LINE__, function, format, ##__VA_ARGS__)
