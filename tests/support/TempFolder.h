#pragma once
// A fresh folder under %TEMP% for one test, removed with everything in it at
// the end; the name carries the process id, so parallel test processes never meet.
#include <winsock2.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace testsupport {

class TempFolder {
public:
    explicit TempFolder(const std::wstring& tag = L"vesk")
    {
        static std::atomic<int> counter{0};
        m_path = std::filesystem::temp_directory_path() /
                 (tag + L"_" + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(++counter));
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Windows form with a trailing backslash, as the engines take folders.
    std::wstring Folder() const { return m_path.wstring() + L"\\"; }
    std::wstring File(const std::wstring& name) const { return (m_path / name).wstring(); }

    std::wstring Write(const std::wstring& name, const std::string& bytes) const
    {
        std::ofstream(m_path / name, std::ios::binary) << bytes;
        return File(name);
    }

    // Names of the files directly inside, sorted.
    std::vector<std::wstring> Names() const
    {
        std::vector<std::wstring> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_path)) names.push_back(entry.path().filename().wstring());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::filesystem::path m_path;
};

}  // namespace testsupport
