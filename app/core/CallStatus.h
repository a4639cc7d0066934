#pragma once
// What a failed system call leaves behind: the call, its error code and the
// path it worked on. File, folder and image helpers return it; a module
// logs it and turns it into its own failure code and text, so the reason of
// every failure reaches the debug log without changing what users see.
#include <string>

class [[nodiscard]] CallStatus {
public:
    // Success.
    CallStatus() = default;
    // `call` names the system or library call (a literal: only the pointer is kept).
    CallStatus(const wchar_t* call, unsigned long code, std::wstring path)
        : m_call(call), m_code(code), m_path(std::move(path))
    {
    }
    // The calling thread's last error, read at once, for `call` on `path`.
    static CallStatus LastError(const wchar_t* call, std::wstring path);

    bool Ok() const { return m_call == nullptr; }
    explicit operator bool() const { return Ok(); }

    // Empty for success.
    std::wstring Call() const { return m_call ? m_call : L""; }
    unsigned long Code() const { return m_code; }
    const std::wstring& Path() const { return m_path; }

    // "CreateFileW failed (5): C:\out\1.jpg"; empty for success.
    std::wstring Text() const;

private:
    const wchar_t* m_call = nullptr;
    unsigned long m_code = 0;
    std::wstring m_path;
};

// One debug line "<where>: <status text>"; nothing for success. Passes the
// status on, so a helper can log and return in one step.
CallStatus LogFailure(const wchar_t* where, CallStatus status);

// Inside a catch block only: one debug line "<where>: exception <what>"
// naming the path; "unknown" for what is no std::exception. Never throws.
void LogCaughtException(const wchar_t* where, const std::wstring& path = std::wstring()) noexcept;
