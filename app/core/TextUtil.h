#pragma once
// Small text helpers shared by the whole program: printf-style formatting into
// a wide string, the local-time stamp, trimming, random names and joining lists
// (the split that keeps empty pieces lives with the framework's in
// dui/core/base/StringSplit.h).
#include <cstdarg>
#include <string>
#include <vector>

// Microsoft rules: %s takes a wide text. Empty when formatting fails.
std::wstring FormatWString(const wchar_t* format, ...);
std::wstring FormatWStringV(const wchar_t* format, va_list args);

// Formats the local time; the format takes year, month, day, hour, minute,
// second and milliseconds, in that order, as ints.
std::wstring TimeText(const wchar_t* format);

// Strips leading and trailing blanks, tabs, CRs and LFs, one character kind
// after the other (a blank hidden behind a tab at an end survives).
std::wstring TrimWhitespace(const std::wstring& text);

// `count` characters, each an upper-case letter, a lower-case letter or a digit,
// drawn from the system's cryptographic generator.
std::wstring RandomString(unsigned count);

std::wstring JoinStrings(const std::vector<std::wstring>& items, const std::wstring& separator);
