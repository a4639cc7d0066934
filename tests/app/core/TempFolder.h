#pragma once
// A unique folder under %TEMP% for one test, removed with everything in it.
#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>

#include <winsock2.h>
#include <windows.h>

class TempFolder {
public:
    TempFolder()
    {
        static std::atomic<int> counter{0};
        wchar_t base[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, base);
        m_path = std::wstring(base) + L"vesk_core_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                 std::to_wstring(GetTickCount()) + L"_" + std::to_wstring(counter++) + L"\\";
        std::filesystem::create_directories(m_path);
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Ends with a backslash.
    const std::wstring& Path() const { return m_path; }
    std::wstring operator/(const std::wstring& name) const { return m_path + name; }

    static void WriteFile(const std::wstring& path, const std::string& bytes)
    {
        std::ofstream out(std::filesystem::path(path), std::ios::binary);
        out << bytes;
    }
    static std::string ReadFile(const std::wstring& path)
    {
        std::ifstream in(std::filesystem::path(path), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
    static bool IsFolder(const std::wstring& path)
    {
        DWORD a = GetFileAttributesW(path.c_str());
        return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
    }

private:
    std::wstring m_path;
};
