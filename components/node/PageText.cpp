#include "components/node/PageText.h"

#include <winsock2.h>
#include <windows.h>

#include <algorithm>

namespace node {

namespace {

std::string Lower(std::string s)
{
    for (char& c : s) c = char(tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string CharsetAfter(const std::string& text, size_t pos)
{
    pos += 7;   // "charset"
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '=' || text[pos] == '"' || text[pos] == '\''))
        ++pos;
    size_t end = pos;
    while (end < text.size() && (isalnum(static_cast<unsigned char>(text[end])) || text[end] == '-' || text[end] == '_'))
        ++end;
    return text.substr(pos, end - pos);
}

bool IsGbk(const std::string& cs)
{
    return cs == "gbk" || cs == "gb2312" || cs == "gb18030" || cs == "cp936" || cs == "x-gbk";
}

// Copies valid UTF-8 and puts U+FFFD for each byte that starts no valid sequence.
std::string RepairUtf8(const std::string& s)
{
    std::string out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        unsigned char c = s[i];
        int len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        bool ok = len > 0 && i + len <= s.size();
        for (int k = 1; ok && k < len; ++k) ok = (static_cast<unsigned char>(s[i + k]) & 0xC0) == 0x80;
        if (ok && len == 2) ok = c >= 0xC2;
        if (ok && len == 3) {
            unsigned cp = (c & 0x0F) << 12 | (s[i + 1] & 0x3F) << 6 | (s[i + 2] & 0x3F);
            ok = cp >= 0x800 && (cp < 0xD800 || cp > 0xDFFF);
        }
        if (ok && len == 4) {
            unsigned cp = (c & 0x07) << 18 | (s[i + 1] & 0x3F) << 12;
            ok = cp >= 0x10000 && cp <= 0x10FFFF;
        }
        if (ok) {
            out.append(s, i, size_t(len));
            i += size_t(len);
        } else {
            out += "\xEF\xBF\xBD";
            ++i;
        }
    }
    return out;
}

} // namespace

std::string DetectCharset(const std::string& contentType, const std::string& body)
{
    std::string ct = Lower(contentType);
    size_t p = ct.find("charset");
    if (p != std::string::npos) return CharsetAfter(ct, p);
    std::string head = Lower(body.substr(0, std::min<size_t>(body.size(), 2048)));
    for (size_t m = head.find("<meta"); m != std::string::npos; m = head.find("<meta", m + 5)) {
        size_t end = head.find('>', m);
        std::string tag = head.substr(m, end == std::string::npos ? std::string::npos : end - m);
        size_t c = tag.find("charset");
        if (c != std::string::npos) return CharsetAfter(tag, c);
    }
    return {};
}

std::string PageToUtf8(const std::string& body, const std::string& charset)
{
    if (!IsGbk(charset)) return RepairUtf8(body);
    if (body.empty() || body.size() > 0x7FFFFFFF) return {};
    int n = MultiByteToWideChar(936, 0, body.data(), int(body.size()), nullptr, 0);
    std::wstring w(size_t(n), L'\0');
    MultiByteToWideChar(936, 0, body.data(), int(body.size()), w.data(), n);
    return WideToUtf8(w);
}

std::wstring Utf8ToWide(const std::string& s)
{
    if (s.empty()) return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), int(s.size()), nullptr, 0);
    std::wstring w(size_t(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), int(s.size()), w.data(), n);
    return w;
}

std::string WideToUtf8(const std::wstring& w)
{
    if (w.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), int(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(size_t(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), int(w.size()), s.data(), n, nullptr, nullptr);
    return s;
}

} // namespace node
