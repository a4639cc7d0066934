#pragma once
// Percent-escaping of addresses for the HTTP client, the UTF-8 sniffing it
// needs, and the plain query-string builder of the online services.
#include <map>
#include <string>

// `keep` leaves existing %XX escapes and the address separators & / : = ? alone.
std::string UrlEscape(const std::string& text, bool keep);
std::string UrlUnescape(const std::string& text);
// Unescape, re-encode ANSI text as UTF-8, escape again keeping separators.
std::string NormalizeUrl(const std::string& url);

// True only for text that holds at least one well-formed multi-byte sequence.
bool IsUtf8(const std::string& text);

// key=value pairs in key order joined by "&", nothing escaped.
std::string BuildQueryString(const std::map<std::string, std::string>& params);
