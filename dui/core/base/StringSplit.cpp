#include "dui/core/base/StringSplit.h"

namespace DUI {

size_t SplitString(const SStringW& text, wchar_t separator, SStringWList& out)
{
    const wchar_t* p = text.c_str();
    const int len = text.GetLength();
    int start = 0;
    for (int i = 0; i <= len; ++i) {
        if (i < len && p[i] != separator)
            continue;
        if (i > start)
            out.Add(SStringW(p + start, i - start));
        start = i + 1;
    }
    return out.GetCount();
}

std::vector<std::wstring> SplitStringKeepEmpty(const std::wstring& text, const std::wstring& separator)
{
    if (separator.empty())
        return {text};
    std::vector<std::wstring> pieces;
    size_t start = 0;
    for (size_t at = text.find(separator); at != std::wstring::npos; at = text.find(separator, start)) {
        pieces.push_back(text.substr(start, at - start));
        start = at + separator.size();
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

} // namespace DUI
