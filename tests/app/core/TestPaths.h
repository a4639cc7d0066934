#pragma once
// Paths the application-core tests share: the probe program and unique
// temporary folders.
#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <filesystem>
#include <string>

inline std::wstring BinPath(const std::wstring& file)
{
    std::wstring path = std::filesystem::path(VESK_BIN_DIR).wstring() + L"\\" + file;
    for (auto& c : path)
        if (c == L'/') c = L'\\';
    return path;
}

inline std::wstring ProbePath()
{
    return BinPath(L"core_probe.exe");
}

// A fresh folder under %TEMP%, removed with everything in it at the end.
class TempFolder {
public:
    TempFolder()
    {
        static std::atomic<int> counter{0};
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        m_path = std::filesystem::path(temp) /
                 (L"vesk_core_" + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(++counter));
        std::filesystem::create_directories(m_path);
    }
    ~TempFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::wstring File(const std::wstring& name) const { return (m_path / name).wstring(); }

private:
    std::filesystem::path m_path;
};
