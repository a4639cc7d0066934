#include "app/modules/pdf2image/PdfPageRange.h"

#include <climits>
#include <cwctype>
#include <optional>

namespace {

struct RangePart {
    long long first = 0;
    std::optional<long long> last;  // empty for "a-": up to the last page
    bool isRange = false;
};

bool IsAsciiDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

// Reads "-?[0-9]+" at pos; saturates instead of overflowing, like _wtol does.
std::optional<long long> ReadNumber(const std::wstring& s, size_t& pos)
{
    bool negative = pos < s.size() && s[pos] == L'-';
    size_t at = pos + (negative ? 1 : 0);
    if (at >= s.size() || !IsAsciiDigit(s[at])) return std::nullopt;
    long long value = 0;
    for (; at < s.size() && IsAsciiDigit(s[at]); ++at)
        value = value > INT_MAX ? value : value * 10 + (s[at] - L'0');
    pos = at;
    return negative ? -value : value;
}

// One comma-free part without white space: "a", "a-b" or "a-".
std::optional<RangePart> ParsePart(const std::wstring& part)
{
    size_t pos = 0;
    auto first = ReadNumber(part, pos);
    if (!first) return std::nullopt;
    if (pos == part.size()) return RangePart{*first, std::nullopt, false};
    if (part[pos++] != L'-') return std::nullopt;
    if (pos == part.size()) return RangePart{*first, std::nullopt, true};
    auto last = ReadNumber(part, pos);
    if (!last || pos != part.size()) return std::nullopt;
    return RangePart{*first, last, true};
}

// Numbers below 1 count from the end (-1 is the last page); numbers past the
// end mean the last page. 0 would name the page after the last one, which
// does not exist, so it is read as the first page instead.
int ToPage(long long n, int pageCount)
{
    if (n == 0) return 1;
    if (n < 1) n = n + 1 + pageCount;
    if (n < 1) n = 1;
    if (n > pageCount) n = pageCount;
    return static_cast<int>(n);
}

void AppendPart(const RangePart& part, int pageCount, std::vector<int>& pages)
{
    int first = ToPage(part.first, pageCount);
    if (!part.isRange) {
        pages.push_back(first);
        return;
    }
    int last = part.last ? ToPage(*part.last, pageCount) : pageCount;
    for (int p = first; p <= last; ++p) pages.push_back(p);
}

std::vector<int> EveryOther(int firstPage, int pageCount)
{
    std::vector<int> pages;
    for (int p = firstPage; p <= pageCount; p += 2) pages.push_back(p);
    return pages;
}

}  // namespace

std::vector<int> ParsePageRange(int pageCount, const std::wstring& rangeText)
{
    if (pageCount < 1) return {};
    if (rangeText == L"odd") return EveryOther(1, pageCount);
    if (rangeText == L"even") return EveryOther(2, pageCount);
    std::vector<int> pages;
    std::wstring part;
    for (size_t i = 0; i <= rangeText.size(); ++i) {
        if (i < rangeText.size() && rangeText[i] != L',') {
            if (!std::iswspace(rangeText[i])) part += rangeText[i];
            continue;
        }
        if (auto parsed = ParsePart(part)) AppendPart(*parsed, pageCount, pages);
        part.clear();
    }
    return pages;
}
