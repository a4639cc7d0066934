#pragma once
// The shared temporary folder as the core tests use it: whole paths joined
// with `/`, and file helpers taking the paths the code under test builds.
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/TempFolder.h"

class TempFolder : public testsupport::TempFolder {
public:
    TempFolder() : testsupport::TempFolder(L"vesk_core"), m_folder(Folder()) {}

    // Ends with a backslash.
    const std::wstring& Path() const { return m_folder; }
    std::wstring operator/(const std::wstring& name) const { return m_folder + name; }

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
        const DWORD a = GetFileAttributesW(path.c_str());
        return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
    }

private:
    std::wstring m_folder;
};
