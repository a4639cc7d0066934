#pragma once
// Addresses of the service's pages: the page record travels as the URL-encoded
// Base64 of its UTF-8 text; a keyed page is signed with the MD5 of its
// address and the page's key.
#include <string>

// base + path + "param=" + the encoded record.
std::wstring BuildPageUrl(const std::wstring& record, const std::wstring& path, const std::wstring& base);
// The same address, then "&sign=" and the lower-case hex MD5 of that address and the key.
std::wstring BuildKeyedPageUrl(const std::wstring& record, const std::wstring& path, const std::wstring& base,
                               const std::wstring& key);
// Lower-case hex MD5 of the UTF-8 text.
std::wstring Md5Hex(const std::wstring& text);
