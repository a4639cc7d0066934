#pragma once
// Page bytes into UTF-8: GBK pages go through the system's code page 936,
// invalid UTF-8 sequences become U+FFFD.
#include <string>

namespace node {

// The charset named by a Content-Type header or a <meta> near the start of
// the page, lower case; empty when none is named.
std::string DetectCharset(const std::string& contentType, const std::string& body);

// The page as valid UTF-8.
std::string PageToUtf8(const std::string& body, const std::string& charset);

std::wstring Utf8ToWide(const std::string& s);
std::string WideToUtf8(const std::wstring& s);

} // namespace node
