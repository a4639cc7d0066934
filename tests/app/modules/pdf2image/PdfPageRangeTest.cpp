#include <gtest/gtest.h>

#include "app/modules/pdf2image/PdfPageRange.h"

namespace {

struct RangeCase {
    const char* name;
    int pageCount;
    std::wstring text;
    std::vector<int> want;
};

TEST(PdfPageRange, ParsesTheRangeGrammar)
{
    const RangeCase kCases[] = {
        {"open range", 10, L"1-", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {"last three", 10, L"-3-", {8, 9, 10}},
        {"list and range", 10, L"1-3,5", {1, 2, 3, 5}},
        {"single past the end", 10, L"12", {10}},
        {"reversed range", 10, L"2-1", {}},
        {"text order and repeats kept", 10, L"3,1,3", {3, 1, 3}},
        {"last two of five", 5, L"-2-", {4, 5}},
        {"last page", 5, L"-1", {5}},
        {"far before the start", 5, L"-9", {1}},
        {"range to a page from the end", 10, L"7--2", {7, 8, 9}},
        {"range end past the end", 4, L"3-99", {3, 4}},
        {"white space anywhere", 10, L" 1 - 2 ,\t4 ", {1, 2, 4}},
        {"empty parts skipped", 10, L",,2,,,3,", {2, 3}},
        {"invalid parts add nothing", 10, L"a,2-b,1-2-3,--1,4", {4}},
        {"nothing valid", 10, L"abc", {}},
        {"empty text", 10, L"", {}},
        {"odd", 5, L"odd", {1, 3, 5}},
        {"even", 5, L"even", {2, 4}},
        {"odd only as the whole text", 5, L"odd,2", {2}},
        {"no pages", 0, L"1-", {}},
        {"zero is the first page", 6, L"0-2", {1, 2}},
        {"huge number saturates", 3, L"99999999999999999999", {3}},
        {"full-width digits are not digits", 3, L"\xFF12", {}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ParsePageRange(c.pageCount, c.text), c.want);
    }
}

}  // namespace
