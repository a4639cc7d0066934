#include "app/core/CallStatus.h"

#include <winsock2.h>
#include <windows.h>

#include <exception>

#include "app/core/CDebugStr.h"
#include "app/core/TextEncoding.h"
#include "app/core/TextUtil.h"

CallStatus CallStatus::LastError(const wchar_t* call, std::wstring path)
{
    return CallStatus(call, GetLastError(), std::move(path));
}

std::wstring CallStatus::Text() const
{
    if (Ok())
        return std::wstring();
    return FormatWString(L"%s failed (%lu): %s", m_call, m_code, m_path.c_str());
}

CallStatus LogFailure(const wchar_t* where, CallStatus status)
{
    if (!status.Ok())
        CDebugStr::WriteLine((std::wstring(where) + L": " + status.Text() + L"\n").c_str());
    return status;
}

void LogCaughtException(const wchar_t* where, const std::wstring& path) noexcept
{
    try {
        std::wstring what = L"unknown";
        try {
            throw;
        } catch (const std::exception& e) {
            what = ExceptionTextW(e);
        } catch (...) {
        }
        std::wstring line = std::wstring(where) + L": exception " + what;
        if (!path.empty())
            line += L": " + path;
        CDebugStr::WriteLine((line + L"\n").c_str());
    } catch (...) {
        // Out of memory for the line itself: nothing more can be said.
    }
}
