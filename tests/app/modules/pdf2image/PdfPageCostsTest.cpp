#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/modules/pdf2image/PdfPageCosts.h"
#include "tests/support/TestPdf.h"

namespace {

std::vector<char> Bytes(const std::string& pdf)
{
    return std::vector<char>(pdf.begin(), pdf.end());
}

// A figure of many short strokes: much drawing, little else.
std::string Figure(int segments)
{
    std::string ops = "0.5 w 10 10 m\n";
    for (int i = 1; i < segments; ++i) ops += std::to_string(10 + i % 180) + " " + std::to_string(10 + (i * 7) % 80) + " l\n";
    return ops + "S\n";
}

TEST(PdfPageCosts, AFigurePageWeighsFarMoreThanTextPages)
{
    std::vector<testpdf::PageSpec> pages(4);
    pages[2].drawing = Figure(3000);
    pages[3].drawing = testpdf::ShapesAndImage();
    const std::vector<char> bytes = Bytes(testpdf::MakePdf(pages));
    const std::vector<long long> costs = EstimatePageCosts(bytes, {1, 2, 3, 4});
    ASSERT_EQ(costs.size(), 4u);
    EXPECT_GT(costs[0], 0);
    EXPECT_EQ(costs[0], costs[1]);
    EXPECT_GT(costs[2], 10 * costs[0]);
    EXPECT_GT(costs[3], costs[0]);
    EXPECT_EQ(HeavyPagesFirst(costs), (std::vector<size_t>{2, 0, 1, 3}));
}

TEST(PdfPageCosts, PagesThatCannotBeReadWeighNothing)
{
    const std::vector<char> pdf = Bytes(testpdf::MakePdf(2));
    const std::vector<char> garbage = Bytes("not a pdf at all");
    EXPECT_EQ(EstimatePageCosts(pdf, {0, 3, -1}), (std::vector<long long>{0, 0, 0}));
    EXPECT_EQ(EstimatePageCosts(garbage, {1, 2}), (std::vector<long long>{0, 0}));
    EXPECT_EQ(EstimatePageCosts({}, {1}), (std::vector<long long>{0}));
}

struct OrderCase {
    const char* name;
    std::vector<long long> costs;
    std::vector<size_t> order;
};

TEST(PdfPageCosts, HeavyPagesStartFirstTheRestInPageOrder)
{
    const OrderCase kCases[] = {
        {"even pages", {5, 5, 6, 5, 4}, {0, 1, 2, 3, 4}},
        {"one heavy page at the end", {5, 5, 5, 5, 100}, {4, 0, 1, 2, 3}},
        {"two heavy pages, the heavier first", {5, 60, 5, 100, 5}, {3, 1, 0, 2, 4}},
        {"just under four times the median", {5, 5, 20, 5}, {0, 1, 2, 3}},
        {"nothing known", {0, 0, 0}, {0, 1, 2}},
        {"one page", {7}, {0}},
        {"no page", {}, {}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(HeavyPagesFirst(c.costs), c.order);
    }
}

}  // namespace
