#pragma once
// The framework's log facility. No logger is installed in this program, so
// every line goes to the debugger output as "message function source:line".
#include <winsock2.h>
#include <windows.h>
#include <exception>
#include <string>

namespace DUI {

// The line as it reaches the debugger, in the ANSI code page; an overlong
// message is cut so that the whole line stays within 10239 bytes.
std::string FormatLogLine(const wchar_t* message, const char* function, const char* source, int line);

void WriteLog(const char* source, int line, const char* function, const wchar_t* format, ...);

// Calls fn and stops any exception there, logging its message: for the edges
// an exception must not cross (system callbacks, thread entries, window
// procedures). False when fn threw.
template <class Fn>
bool CallGuarded(const char* source, int line, const char* function, Fn&& fn) noexcept;

void LogCaughtException(const char* source, int line, const char* function, const char* what);

template <class Fn>
bool CallGuarded(const char* source, int line, const char* function, Fn&& fn) noexcept
{
    try {
        fn();
        return true;
    } catch (const std::exception& e) {
        LogCaughtException(source, line, function, e.what());
    } catch (...) {
        LogCaughtException(source, line, function, nullptr);
    }
    return false;
}

} // namespace DUI

#define DUI_LOG_WARNING(source, function, format, ...) \
    ::DUI::WriteLog(source, __LINE__, function, format, ##__VA_ARGS__)
