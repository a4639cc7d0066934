#pragma once
// One open registry key and one value name. The 32- or 64-bit view follows
// the key path. Every failure throws std::runtime_error with a text beginning
// "Err:" that names the code, the key or value, and the operation.
#include <string>

#include <winsock2.h>
#include <windows.h>

#include "dui/core/base/SHandle.h"

class CRegistryEx {
public:
    CRegistryEx() = default;
    virtual ~CRegistryEx() = default;

    // Opens `path` under the root key for reading and writing, or read-only
    // when writing is not allowed.
    CRegistryEx& Key(const std::wstring& path);
    // Opens or creates Software\VeskPDF2Image under the root key.
    CRegistryEx& CreateKey();
    // The string value of the value name set last; `def` when the value does not exist.
    std::wstring GetSz(const std::wstring& def);
    // Writes REG_SZ data; `bytes` includes the terminating NUL.
    int SetRegData(const wchar_t* data, DWORD bytes);

    // Adds KEY_WOW64_32KEY for paths through WOW6432Node, else KEY_WOW64_64KEY.
    static REGSAM AddWowFlags(REGSAM mask, const std::wstring& path);

    // The key Key and CreateKey open below; HKEY_CURRENT_USER at first.
    void SetRootKey(HKEY root) { m_rootKey = root; }
    // The value GetSz and SetRegData address next.
    void SetValueName(const std::wstring& name) { m_valueName = name; }
    // Off: keys open in the process's own view whatever their path says.
    void SetViewByPath(bool byPath) { m_viewByPath = byPath; }

private:
    REGSAM ViewMask(REGSAM mask, const std::wstring& path) const;
    [[noreturn]] static void Fail(long code, const std::wstring& subject, const char* operation);

    HKEY m_rootKey = HKEY_CURRENT_USER;
    std::wstring m_valueName;
    bool m_viewByPath = true;
    DUI::SRegKey m_key;
};
