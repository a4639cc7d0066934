#pragma once
// Collects what this process writes with OutputDebugString while it lives.
// The call raises a first-chance "debug print" exception carrying the text; a
// vectored handler sees it before the system swallows it. Some systems pass
// on the wide text, others (Wine) only its ANSI code page form.
#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#ifndef DBG_PRINTEXCEPTION_WIDE_C
#define DBG_PRINTEXCEPTION_WIDE_C 0x4001000AL
#endif

class DebugCapture {
public:
    DebugCapture()
    {
        s_current = this;
        m_handler = AddVectoredExceptionHandler(1, &DebugCapture::OnException);
    }
    ~DebugCapture()
    {
        RemoveVectoredExceptionHandler(m_handler);
        s_current = nullptr;
    }
    DebugCapture(const DebugCapture&) = delete;
    DebugCapture& operator=(const DebugCapture&) = delete;

    // How text looks after a trip through the ANSI code page, as lines do
    // where only that form is passed on.
    static std::wstring AnsiForm(const std::wstring& text)
    {
        std::string narrow(text.size() * 4, '\0');
        narrow.resize(WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), narrow.data(),
                                          static_cast<int>(narrow.size()), nullptr, nullptr));
        return ToWide(narrow.data(), narrow.size());
    }

    std::vector<std::wstring> Lines()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_lines;
    }

private:
    static LONG CALLBACK OnException(EXCEPTION_POINTERS* info)
    {
        const EXCEPTION_RECORD* record = info->ExceptionRecord;
        DebugCapture* self = s_current;
        if (!self || record->NumberParameters < 2) return EXCEPTION_CONTINUE_SEARCH;
        const size_t length = static_cast<size_t>(record->ExceptionInformation[0]);
        const ULONG_PTR text = record->ExceptionInformation[1];
        if (record->ExceptionCode == static_cast<DWORD>(DBG_PRINTEXCEPTION_WIDE_C)) {
            self->m_wideSeen = true;
            self->Add(std::wstring(reinterpret_cast<const wchar_t*>(text), length));
        } else if (record->ExceptionCode == static_cast<DWORD>(DBG_PRINTEXCEPTION_C) && !self->m_wideSeen) {
            self->Add(ToWide(reinterpret_cast<const char*>(text), length));
        }
        return EXCEPTION_CONTINUE_SEARCH;
    }

    static std::wstring ToWide(const char* narrow, size_t length)
    {
        std::wstring wide(length, L'\0');
        wide.resize(MultiByteToWideChar(CP_ACP, 0, narrow, static_cast<int>(length), wide.data(),
                                        static_cast<int>(length)));
        return wide;
    }

    void Add(std::wstring line)
    {
        while (!line.empty() && line.back() == L'\0') line.pop_back();
        std::lock_guard<std::mutex> lock(m_lock);
        m_lines.push_back(std::move(line));
    }

    static inline DebugCapture* s_current = nullptr;
    PVOID m_handler = nullptr;
    std::atomic<bool> m_wideSeen{false};
    std::mutex m_lock;
    std::vector<std::wstring> m_lines;
};
