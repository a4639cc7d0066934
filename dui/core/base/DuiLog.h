#pragma once
// The framework's log facility. No logger is installed in this program, so
// every line goes to the debugger output as "message function source:line".
#include <winsock2.h>
#include <windows.h>
#include <exception>
#include <string>
#include <utility>

namespace DUI {

// The line as it reaches the debugger, in the ANSI code page; an overlong
// message is cut so that the whole line stays within 10239 bytes.
std::string FormatLogLine(const wchar_t* message, const char* function, const char* source, int line);

void WriteLog(const char* source, int line, const char* function, const wchar_t* format, ...);

// The one guard for the edges an exception must not cross (system
// callbacks, thread entries, window procedures, COM methods): calls fn and
// stops any exception there, handing its message (null for what is no
// std::exception) to report, which must not throw either. False when fn threw.
template <class Fn, class Report>
bool CallGuardedReporting(Fn&& fn, Report&& report) noexcept;

// The same, reporting as a framework log line from where it stopped.
template <class Fn>
bool CallGuarded(const char* source, int line, const char* function, Fn&& fn) noexcept;

// A COM method's or engine callback's body: what fn returns, or `failed`
// when it threw (logged as CallGuarded does).
template <class R, class Fn>
R CallGuardedOr(const char* source, int line, const char* function, R failed, Fn&& fn) noexcept;

void LogCaughtException(const char* source, int line, const char* function, const char* what);

template <class Fn, class Report>
bool CallGuardedReporting(Fn&& fn, Report&& report) noexcept
{
    const char* what = nullptr;
    try {
        fn();
        return true;
    } catch (const std::exception& e) {
        what = e.what();
        try {
            report(what);
        } catch (...) {
        }
    } catch (...) {
        try {
            report(what);
        } catch (...) {
        }
    }
    return false;
}

template <class Fn>
bool CallGuarded(const char* source, int line, const char* function, Fn&& fn) noexcept
{
    return CallGuardedReporting(std::forward<Fn>(fn), [&](const char* what) {
        LogCaughtException(source, line, function, what);
    });
}

template <class R, class Fn>
R CallGuardedOr(const char* source, int line, const char* function, R failed, Fn&& fn) noexcept
{
    R result = failed;
    if (!CallGuarded(source, line, function, [&] { result = fn(); }))
        return failed;
    return result;
}

} // namespace DUI

#define DUI_LOG_WARNING(source, function, format, ...) \
    ::DUI::WriteLog(source, __LINE__, function, format, ##__VA_ARGS__)
