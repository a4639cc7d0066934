#include "app/core/CRegistryEx.h"

#include <algorithm>
#include <cstdio>
#include <cwctype>
#include <stdexcept>
#include <vector>

#include "app/core/TextEncoding.h"

namespace {

std::string Message(const char* format, long number, const std::wstring& subject, const char* operation)
{
    std::string oem = WideToOemString(subject);
    int length = std::snprintf(nullptr, 0, format, number, oem.c_str(), operation);
    std::string text(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    std::snprintf(text.data(), text.size() + 1, format, number, oem.c_str(), operation);
    return text;
}

const wchar_t* const kOwnKeyPath = L"Software\\VeskPDF2Image";

} // namespace

// The program is built for 64-bit Windows only, so both views always exist.
REGSAM CRegistryEx::AddWowFlags(REGSAM mask, const std::wstring& path)
{
    std::wstring lower = path;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](wchar_t c) { return std::towlower(c); });
    return mask | (lower.find(L"wow6432node") != std::wstring::npos ? KEY_WOW64_32KEY : KEY_WOW64_64KEY);
}

REGSAM CRegistryEx::ViewMask(REGSAM mask, const std::wstring& path) const
{
    return m_viewByPath ? AddWowFlags(mask, path) : mask;
}

void CRegistryEx::Fail(long code, const std::wstring& subject, const char* operation)
{
    throw std::runtime_error(Message("Err:%ld,%s,%s", code, subject, operation));
}

CRegistryEx& CRegistryEx::Key(const std::wstring& path)
{
    m_key.Reset();
    LONG code = RegOpenKeyExW(m_rootKey, path.c_str(), 0, ViewMask(KEY_READ | KEY_WRITE, path), m_key.Put());
    if (code != ERROR_SUCCESS)
        code = RegOpenKeyExW(m_rootKey, path.c_str(), 0, ViewMask(KEY_READ, path), m_key.Put());
    if (code != ERROR_SUCCESS)
        Fail(code, path, "CRegistryEx::Key");
    return *this;
}

CRegistryEx& CRegistryEx::CreateKey()
{
    m_key.Reset();
    LONG code = RegCreateKeyExW(m_rootKey, kOwnKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                ViewMask(KEY_ALL_ACCESS, kOwnKeyPath), nullptr, m_key.Put(), nullptr);
    if (code != ERROR_SUCCESS)
        Fail(code, kOwnKeyPath, "CRegistryEx::CreateKey");
    return *this;
}

std::wstring CRegistryEx::GetSz(const std::wstring& def)
{
    if (!m_key)
        throw std::runtime_error("Err:hKey is null," + WideToOemString(m_valueName) + ",CRegistryEx::GetSz");
    DWORD type = 0, size = 0;
    LONG code = RegQueryValueExW(m_key.Get(), m_valueName.c_str(), nullptr, &type, nullptr, &size);
    if (code == ERROR_FILE_NOT_FOUND)
        return def;
    if (code != ERROR_SUCCESS)
        Fail(code, m_valueName, "CRegistryEx::GetSz");
    if (type != REG_SZ && type != REG_EXPAND_SZ && type != REG_MULTI_SZ)
        throw std::runtime_error(Message("Err:type not match(%ld),%s,%s", long(type), m_valueName, "CRegistryEx::GetSz"));
    // One spare character: stored strings need not carry their terminator.
    std::vector<wchar_t> buffer(size / 2 + 1, L'\0');
    DWORD bytes = size;
    code = RegQueryValueExW(m_key.Get(), m_valueName.c_str(), nullptr, nullptr,
                            reinterpret_cast<BYTE*>(buffer.data()), &bytes);
    if (code != ERROR_SUCCESS)
        Fail(code, m_valueName, "CRegistryEx::GetSz");
    return buffer.data();
}

int CRegistryEx::SetRegData(const wchar_t* data, DWORD bytes)
{
    LONG code = RegSetValueExW(m_key.Get(), m_valueName.c_str(), 0, REG_SZ,
                               reinterpret_cast<const BYTE*>(data), bytes);
    if (code != ERROR_SUCCESS)
        Fail(code, m_valueName, "CRegistryEx::SetRegData");
    return 0;
}
