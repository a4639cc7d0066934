#pragma once
// Settings files as Windows writes them for UTF-16LE text: a byte-order mark,
// then UTF-16LE code units. The tests write such files and read back what
// the code under test wrote.
#include <string>

inline std::string Utf16File(const std::wstring& text)
{
    std::string bytes = "\xFF\xFE";
    for (wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

// The text of such a file; the mark is skipped, not checked.
inline std::wstring FromUtf16File(const std::string& bytes)
{
    std::wstring text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2)
        text += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8));
    return text;
}
