#include "app/core/CFileIni.h"

#include <cwchar>

#include <winsock2.h>
#include <windows.h>
#include <shlwapi.h>

#include "app/core/CallStatus.h"
#include "app/core/TextUtil.h"
#include "dui/core/base/SHandle.h"

void CFileIni::CreateUnicodeFile(const std::wstring& path)
{
    if (PathFileExistsW(path.c_str()))
        return;
    // CREATE_NEW: a file another process made meanwhile is never emptied.
    DUI::SFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    // Nothing is reported to the caller; the reason goes to the debug log.
    if (!file) {
        (void)LogFailure(L"CFileIni", CallStatus::LastError(L"CreateFileW", path));
        return;
    }
    static const unsigned char kBom[] = {0xFF, 0xFE};
    DWORD written = 0;
    if (!WriteFile(file.Get(), kBom, sizeof(kBom), &written, nullptr))
        (void)LogFailure(L"CFileIni", CallStatus::LastError(L"WriteFile", path));
}

bool CFileIni::WriteValue(const std::wstring& key, const wchar_t* value)
{
    if (WritePrivateProfileStringW(m_section.c_str(), key.c_str(), value, m_filePath.c_str()) == 1)
        return true;
    (void)LogFailure(L"CFileIni", CallStatus::LastError(L"WritePrivateProfileStringW", m_filePath));
    return false;
}

void CFileIni::SetFile(const std::wstring& path)
{
    m_filePath = path;
    CreateUnicodeFile(path);
}

std::wstring CFileIni::GetString(const std::wstring& key, const std::wstring& def) const
{
    wchar_t buffer[MAX_PATH] = {};
    DWORD copied = GetPrivateProfileStringW(m_section.c_str(), key.c_str(), L"", buffer, MAX_PATH,
                                            m_filePath.c_str());
    if (copied == 0 || buffer[0] == L'\0')
        return def;
    return buffer;
}

int CFileIni::GetInt(const std::wstring& key, int def) const
{
    std::wstring value = GetString(key, L"");
    return value.empty() ? def : _wtoi(value.c_str());
}

bool CFileIni::GetBool(const std::wstring& key) const
{
    std::wstring value = GetString(key, L"");
    return value.empty() || _wtoi(value.c_str()) > 0;
}

bool CFileIni::WriteInt(const std::wstring& key, int value)
{
    return WriteValue(key, FormatWString(L"%d", value).c_str());
}

bool CFileIni::WriteBool(const std::wstring& key, bool value)
{
    return WriteInt(key, value ? 1 : 0);
}

void CFileIni::WriteString(const std::wstring& key, const std::wstring& value)
{
    // Callers go on either way; a failure is only logged.
    (void)WriteValue(key, value.c_str());
}
