#pragma once
// A unique folder under %TEMP% for one test; everything made through it is
// removed again, newest first, when it goes.
#include <winsock2.h>
#include <windows.h>
#include <string>
#include <vector>

class TempFolder
{
public:
    explicit TempFolder(const wchar_t* prefix)
    {
        wchar_t tmp[MAX_PATH];
        GetTempPathW(MAX_PATH, tmp);
        m_path = std::wstring(tmp) + prefix + std::to_wstring(GetCurrentProcessId()) + L"_" +
                 std::to_wstring(GetTickCount64());
        m_ok = CreateDirectoryW(m_path.c_str(), nullptr) != FALSE;
    }
    ~TempFolder()
    {
        for (auto it = m_made.rbegin(); it != m_made.rend(); ++it)
            if (!DeleteFileW(it->c_str())) RemoveDirectoryW(it->c_str());
        RemoveDirectoryW(m_path.c_str());
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    bool Ok() const { return m_ok; }
    const std::wstring& Path() const { return m_path; }

    std::wstring MakeDir(const std::wstring& rel)
    {
        const std::wstring full = m_path + L"\\" + rel;
        if (CreateDirectoryW(full.c_str(), nullptr)) m_made.push_back(full);
        return full;
    }

    // Writes (or rewrites) a file; false when it cannot be written.
    bool Write(const std::wstring& rel, const std::string& bytes)
    {
        const std::wstring full = m_path + L"\\" + rel;
        HANDLE f = CreateFileW(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (f == INVALID_HANDLE_VALUE) return false;
        DWORD written = 0;
        const bool ok = WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                        written == bytes.size();
        CloseHandle(f);
        m_made.push_back(full);
        return ok;
    }

private:
    std::wstring m_path;
    std::vector<std::wstring> m_made;
    bool m_ok = false;
};
