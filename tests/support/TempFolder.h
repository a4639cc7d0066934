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
        RemoveAll(m_path);
        std::filesystem::create_directories(m_path);
    }
    // A child the test started may still have the folder as its current
    // directory for a moment after the test is done with it, and a folder in
    // use cannot go: the removal is tried until it went, for a bounded time.
    ~TempFolder()
    {
        const ULONGLONG end = GetTickCount64() + kRemovalLimitMs;
        for (RemoveAll(m_path); Exists(m_path) && GetTickCount64() < end; RemoveAll(m_path))
            Sleep(10);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
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
    static constexpr ULONGLONG kRemovalLimitMs = 10000;

    static bool Exists(const std::filesystem::path& path)
    {
        return GetFileAttributesW((L"\\\\?\\" + path.wstring()).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    // The C run time cannot list folders past MAX_PATH, so what it leaves is
    // removed through the system's extended paths.
    static void RemoveAll(const std::filesystem::path& path)
    {
        std::error_code failed;
        std::filesystem::remove_all(path, failed);
        if (failed)
            RemoveTree(L"\\\\?\\" + path.wstring());
    }
    static void RemoveTree(const std::wstring& folder)
    {
        WIN32_FIND_DATAW entry;
        HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = entry.cFileName;
                if (name == L"." || name == L"..")
                    continue;
                const std::wstring path = folder + L"\\" + name;
                const DWORD a = entry.dwFileAttributes;
                if ((a & FILE_ATTRIBUTE_DIRECTORY) && !(a & FILE_ATTRIBUTE_REPARSE_POINT))
                    RemoveTree(path);
                else if (a & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveDirectoryW(path.c_str());  // a link goes, not what it points to
                else {
                    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileW(path.c_str());
                }
            } while (FindNextFileW(find, &entry));
            FindClose(find);
        }
        RemoveDirectoryW(folder.c_str());
    }

    std::filesystem::path m_path;
};

}  // namespace testsupport
