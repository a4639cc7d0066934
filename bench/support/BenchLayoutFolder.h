#pragma once
// For host benchmarks: a layout written to a resource folder of its own
// (the layout "LAYOUT:XML_BENCH"), removed at the end, and a pump of this
// thread's messages.
#include <winsock2.h>
#include <windows.h>

#include <string>

namespace benchenv {

inline bool WriteUtf8(const std::wstring& path, const std::wstring& text)
{
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                        nullptr);
    std::string bytes(n, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
    HANDLE f = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok = ::WriteFile(f, bytes.data(), n, &written, nullptr);
    ::CloseHandle(f);
    return ok && written == static_cast<DWORD>(n);
}

class LayoutFolder
{
public:
    // The folder's name begins with `prefix` and ends with the process id.
    LayoutFolder(const std::wstring& prefix, const std::wstring& layout)
    {
        wchar_t temp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, temp);
        m_dir = std::wstring(temp) + prefix + std::to_wstring(::GetCurrentProcessId());
        ::CreateDirectoryW(m_dir.c_str(), nullptr);
        m_ok = WriteUtf8(m_dir + L"\\bench.xml", layout) &&
               WriteUtf8(m_dir + L"\\uires.idx",
                         L"<resource><LAYOUT><file name=\"XML_BENCH\" path=\"bench.xml\"/></LAYOUT></resource>");
    }
    ~LayoutFolder()
    {
        ::DeleteFileW((m_dir + L"\\bench.xml").c_str());
        ::DeleteFileW((m_dir + L"\\uires.idx").c_str());
        ::RemoveDirectoryW(m_dir.c_str());
    }
    LayoutFolder(const LayoutFolder&) = delete;
    LayoutFolder& operator=(const LayoutFolder&) = delete;

    bool Ok() const { return m_ok; }
    const std::wstring& Dir() const { return m_dir; }

private:
    std::wstring m_dir;
    bool m_ok = false;
};

inline void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

} // namespace benchenv
