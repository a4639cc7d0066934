#pragma once
// The one conversion between UTF-16 and a narrow code page (CP_UTF8, CP_ACP,
// CP_OEMCP). The framework's strings, the application core's standard strings
// and the small component programs all convert through it.
#include <string>

#include <winsock2.h>
#include <windows.h>

#include "dui/core/base/TStringT.h"

namespace DUI {

// `length` -1 converts up to the first NUL; any other length converts exactly
// that many units, embedded NULs included. On failure `out` is left untouched.
[[nodiscard]] inline bool MultiToWide(UINT codePage, const char* text, int length, std::wstring& out)
{
    if (length == 0 || (length < 0 && *text == '\0')) {
        out.clear();
        return true;
    }
    const int needed = MultiByteToWideChar(codePage, 0, text, length, nullptr, 0);
    if (needed <= 0)
        return false;
    std::wstring result(static_cast<size_t>(needed), L'\0');
    if (MultiByteToWideChar(codePage, 0, text, length, result.data(), needed) != needed)
        return false;
    if (length < 0)
        result.pop_back();   // the terminator was counted
    out = std::move(result);
    return true;
}

[[nodiscard]] inline bool WideToMulti(UINT codePage, const wchar_t* text, int length, std::string& out)
{
    if (length == 0 || (length < 0 && *text == L'\0')) {
        out.clear();
        return true;
    }
    const int needed = WideCharToMultiByte(codePage, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0)
        return false;
    std::string result(static_cast<size_t>(needed), '\0');
    if (WideCharToMultiByte(codePage, 0, text, length, result.data(), needed, nullptr, nullptr) != needed)
        return false;
    if (length < 0)
        result.pop_back();
    out = std::move(result);
    return true;
}

// UTF-8 of a framework string up to its first NUL; empty on failure.
inline std::string SStringToUtf8(const SStringW& text)
{
    std::string out;
    return WideToMulti(CP_UTF8, text.c_str(), -1, out) ? out : std::string();
}

} // namespace DUI
