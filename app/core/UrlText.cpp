#include "app/core/UrlText.h"

#include "app/core/TextEncoding.h"

namespace {

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return c - 'a' + 10;
}

bool IsAlnum(unsigned char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsPlainForEscape(unsigned char c, bool keep)
{
    if (IsAlnum(c) || c == '*' || c == '-' || c == '.' || c == '_')
        return true;
    return keep && (c == '&' || c == '/' || c == ':' || c == '=' || c == '?');
}

// Characters whose escapes are left as written when unescaping, so reserved
// separators that were deliberately escaped keep their meaning.
bool KeepsEscape(unsigned char c)
{
    static const std::string kept = "!$&'()*,-./:;=?@_";
    return IsAlnum(c) || kept.find(static_cast<char>(c)) != std::string::npos;
}

bool HasEscapeAt(const std::string& text, size_t i)
{
    return text[i] == '%' && i + 2 < text.size() && IsHexDigit(text[i + 1]) && IsHexDigit(text[i + 2]);
}

} // namespace

std::string UrlEscape(const std::string& text, bool keep)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size() * 3);
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == ' ') {
            out += "%20";
        } else if (c == '+') {
            out += "%2B";
        } else if (keep && HasEscapeAt(text, i)) {
            out.append(text, i, 3);
            i += 2;
        } else if (IsPlainForEscape(c, keep)) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += digits[c >> 4];
            out += digits[c & 0x0F];
        }
    }
    return out;
}

std::string UrlUnescape(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '+') {
            out += ' ';
        } else if (HasEscapeAt(text, i)) {
            unsigned char value = static_cast<unsigned char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            if (KeepsEscape(value)) {
                out += '%';
            } else {
                out += value == '+' ? ' ' : static_cast<char>(value);
                i += 2;
            }
        } else {
            out += c;
        }
    }
    return out;
}

std::string NormalizeUrl(const std::string& url)
{
    std::string text = UrlUnescape(url);
    if (!IsUtf8(text))
        text = AnsiToUtf8(text);
    return UrlEscape(text, true);
}

namespace {

// Continuation bytes a lead byte announces; -1 for a stray continuation byte.
int ExpectedContinuations(unsigned char c)
{
    if (c < 0x80)
        return 0;
    if (c == 0xFC || c == 0xFD)
        return 5;
    if (c >= 0xF8)
        return 4;
    if (c >= 0xF0)
        return 3;
    if (c >= 0xE0)
        return 2;
    if (c >= 0xC0)
        return 1;
    return -1;
}

} // namespace

bool IsUtf8(const std::string& text)
{
    int pending = 0;
    bool sawHighByte = false;
    for (char ch : text) {
        unsigned char c = static_cast<unsigned char>(ch);
        sawHighByte = sawHighByte || c >= 0x80;
        if (pending > 0) {
            if (c < 0x80 || c > 0xBF)
                return false;
            --pending;
            continue;
        }
        pending = ExpectedContinuations(c);
        if (pending < 0)
            return false;
    }
    return pending == 0 && sawHighByte;
}

std::string BuildQueryString(const std::map<std::string, std::string>& params)
{
    std::string out;
    for (const auto& [key, value] : params) {
        if (!out.empty())
            out += '&';
        out += key;
        out += '=';
        out += value;
    }
    return out;
}
