#pragma once
// One INI settings file, read and written through the Windows profile
// functions. Files are created UTF-16LE so that Chinese values survive.
#include <string>

class CFileIni {
public:
    CFileIni() = default;
    virtual ~CFileIni() = default;

    // Stores the path; a missing file is created empty as UTF-16LE (the
    // folder must exist; a failed creation shows up as defaults on reading).
    void SetFile(const std::wstring& path);
    const std::wstring& GetFile() const { return m_filePath; }

    // At most 259 characters; `def` when the value is missing or empty.
    std::wstring GetString(const std::wstring& key, const std::wstring& def) const;
    // Leading decimal number by _wtoi rules; `def` when missing or empty.
    int GetInt(const std::wstring& key, int def) const;
    // Missing or empty reads true; otherwise true when the leading number is > 0.
    bool GetBool(const std::wstring& key) const;

    bool WriteInt(const std::wstring& key, int value);
    bool WriteBool(const std::wstring& key, bool value);
    void WriteString(const std::wstring& key, const std::wstring& value);

    // Creates an empty UTF-16LE file (byte-order mark only) unless one exists.
    static void CreateUnicodeFile(const std::wstring& path);

    // The section the next reads and writes address.
    void SetSection(const std::wstring& section) { m_section = section; }
    const std::wstring& GetSection() const { return m_section; }

protected:
    // One write through the profile call; a failure is logged with its reason.
    [[nodiscard]] bool WriteValue(const std::wstring& key, const wchar_t* value);

    std::wstring m_section;
    std::wstring m_filePath;
};
