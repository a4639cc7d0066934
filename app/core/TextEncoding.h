#pragma once
// Conversions between UTF-16 and the narrow encodings (UTF-8, ANSI, OEM) that
// the program's outside libraries, exceptions and consoles use.
#include <exception>
#include <string>

[[nodiscard]] bool Utf8ToWide(const std::string& in, std::wstring& out);
[[nodiscard]] bool AnsiToWide(const std::string& in, std::wstring& out);
[[nodiscard]] bool WideToUtf8(const std::wstring& in, std::string& out);
[[nodiscard]] bool WideToOem(const std::wstring& in, std::string& out);

std::string AnsiToUtf8(const std::string& in);
std::string Utf8ToOem(const std::string& in);
std::string WideToOemString(const std::wstring& in);

// Whole-string forms: the result ends at the first NUL of the input.
std::string ToUtf8(const std::wstring& in);
std::wstring FromUtf8(const std::string& in);

// An exception's message is in the ANSI code page.
std::wstring ExceptionTextW(const std::exception& e);
