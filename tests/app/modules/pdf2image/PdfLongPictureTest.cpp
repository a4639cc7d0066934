#include <gtest/gtest.h>

#include "app/modules/pdf2image/PdfLongPicture.h"

void PrintTo(const PagePlace& p, std::ostream* os)
{
    *os << "{" << p.x << "," << p.y << " " << p.width << "x" << p.height << "}";
}

namespace {

struct LayoutCase {
    const char* name;
    std::vector<PageSize> pages;
    bool horizontal;
    long long width, height;
    std::vector<PagePlace> places;
};

TEST(PdfLongPicture, ScalesPagesToTheCommonSideWithoutGaps)
{
    const LayoutCase kCases[] = {
        {"narrow page widened, aspect kept", {{300, 400}, {600, 200}}, false, 600, 1000, {{0, 0, 600, 800}, {0, 800, 600, 200}}},
        {"same widths stacked", {{100, 50}, {100, 70}}, false, 100, 120, {{0, 0, 100, 50}, {0, 50, 100, 70}}},
        {"side by side to the tallest", {{200, 100}, {150, 300}}, true, 750, 300, {{0, 0, 600, 300}, {600, 0, 150, 300}}},
        {"one page", {{7, 9}}, true, 7, 9, {{0, 0, 7, 9}}},
        {"rounding down", {{3, 10}, {10, 10}}, false, 10, 43, {{0, 0, 10, 33}, {0, 33, 10, 10}}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        LongPictureLayout layout = LayOutLongPicture(c.pages, c.horizontal);
        EXPECT_EQ(layout.width, c.width);
        EXPECT_EQ(layout.height, c.height);
        EXPECT_EQ(layout.places, c.places);
    }
}

struct HoldCase {
    const char* name;
    std::wstring extension;
    long long width, height;
    bool want;
};

TEST(PdfLongPicture, KnowsWhatEachFormatCanHold)
{
    const HoldCase kCases[] = {
        {"jpg at its limit", L"jpg", 1000, 65500, true},
        {"jpg one row too tall", L"jpg", 1000, 65501, false},
        {"jpg too wide", L"jpg", 65501, 10, false},
        {"png taller than jpg can be", L"png", 1000, 200000, true},
        {"png over a million rows", L"png", 100, 1000001, false},
        {"bmp tall", L"bmp", 100, 2000000, true},
        {"over 2 GB of pixels", L"bmp", 30000, 30000, false},
        {"empty picture", L"png", 0, 10, false},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FormatCanHold(c.extension, c.width, c.height), c.want);
    }
}

}  // namespace
