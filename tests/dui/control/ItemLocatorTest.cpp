// Where rows lie: the fixed locator's arithmetic, the flexible locator's
// tree of branch sums against a plain prefix sum, and bad sizes.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <vector>

#include "dui/control/LvAdatperImpl.h"
#include "dui/control/SListViewItemLocatorFix.h"
#include "dui/control/SListViewItemLocatorFlex.h"

namespace {

using namespace DUI;

class CountAdapter : public SAdapterBase
{
public:
    explicit CountAdapter(int n) : count(n) {}
    int count;
    int GetCount() override { return count; }
    void GetView(int, SItemPanel*, xmldom::xml_node) override {}
};

SLayoutSize Px(float v)
{
    return SLayoutSize(v, SLayoutSize::px);
}

template <class L>
SRefPtr<L> Locator(float height, float divider, int rows)
{
    auto locator = SRefPtr<L>::Adopt(new L(Px(height), Px(divider)));
    const auto adapter = SRefPtr<CountAdapter>::Adopt(new CountAdapter(rows));
    locator->SetAdapter(adapter.Get());
    return locator;
}

TEST(ItemLocatorTest, FixedRowsOfThirtyWithADividerOfOne)
{
    const auto fix = Locator<SListViewItemLocatorFix>(30, 1, 100);
    EXPECT_TRUE(fix->IsFixHeight());
    EXPECT_EQ(fix->GetTotalHeight(), 3099);
    EXPECT_EQ(fix->GetScrollLineSize(), 31);
    EXPECT_EQ(fix->GetItemHeight(55), 30);
    const struct { int position, row; } cases[] = {{0, 0}, {309, 9}, {310, 10}, {3098, 99}, {5000, 100}, {-40, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(fix->Position2Item(c.position), c.row) << c.position;
    EXPECT_EQ(fix->Item2Position(10), 310);

    const auto none = SRefPtr<SListViewItemLocatorFix>::Adopt(new SListViewItemLocatorFix(Px(30), Px(1)));
    EXPECT_EQ(none->Position2Item(10), -1);
    EXPECT_EQ(none->GetTotalHeight(), 0);
    EXPECT_EQ(Locator<SListViewItemLocatorFix>(30, 1, 0)->GetTotalHeight(), 0);
}

TEST(ItemLocatorTest, TheBorderBelongsToTheUpperRowOnlyInTheFlexibleLocator)
{
    const auto flex = Locator<SListViewItemLocatorFlex>(30, 0, 10);
    const auto fix = Locator<SListViewItemLocatorFix>(30, 0, 10);
    EXPECT_FALSE(flex->IsFixHeight());
    EXPECT_EQ(flex->Position2Item(30), 0);
    EXPECT_EQ(fix->Position2Item(30), 1);
    EXPECT_EQ(flex->Position2Item(31), 1);
    EXPECT_EQ(flex->GetTotalHeight(), 300);
    EXPECT_EQ(flex->Position2Item(300), -1);
    EXPECT_EQ(flex->Position2Item(-1), -1);
}

// The sizes of a node's children, in order.
std::vector<int> ChildSizes(SListViewItemLocatorFlex::Tree::Handle node)
{
    std::vector<int> sizes;
    using Tree = SListViewItemLocatorFlex::Tree;
    for (auto c = Tree::GetChildItem(node); c; c = Tree::GetNextSiblingItem(c))
        sizes.push_back(Tree::GetItem(c).size);
    return sizes;
}

TEST(ItemLocatorTest, RowsAreKeptInSegmentsOfFiftyUnderBranchesOfTenths)
{
    using Tree = SListViewItemLocatorFlex::Tree;
    const auto small = Locator<SListViewItemLocatorFlex>(30, 0, 51);
    auto top = small->GetTree().GetRootItem();
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(Tree::GetNextSiblingItem(top), nullptr);
    EXPECT_EQ(Tree::GetItem(top).size, 51);
    EXPECT_EQ(ChildSizes(top), (std::vector<int>{50, 1}));
    for (auto c = Tree::GetChildItem(top); c; c = Tree::GetNextSiblingItem(c))
        EXPECT_EQ(Tree::GetChildItem(c), nullptr);

    const auto big = Locator<SListViewItemLocatorFlex>(30, 0, 501);
    top = big->GetTree().GetRootItem();
    EXPECT_EQ(ChildSizes(top), (std::vector<int>{500, 1}));
    auto branch = Tree::GetChildItem(top);
    EXPECT_EQ(ChildSizes(branch), std::vector<int>(10, 50));
    EXPECT_EQ(Tree::GetChildItem(Tree::GetNextSiblingItem(branch)), nullptr);

    const auto one = Locator<SListViewItemLocatorFlex>(30, 0, 50);
    EXPECT_EQ(Tree::GetChildItem(one->GetTree().GetRootItem()), nullptr);
    const auto empty = Locator<SListViewItemLocatorFlex>(30, 0, 0);
    ASSERT_NE(empty->GetTree().GetRootItem(), nullptr);
    EXPECT_EQ(empty->GetTotalHeight(), 0);
    EXPECT_EQ(empty->Position2Item(0), -1);
}

TEST(ItemLocatorTest, TenThousandRandomHeightsAgreeWithAPrefixSumAtEveryBorder)
{
    constexpr int kRows = 10000, kDivider = 2;
    const auto flex = Locator<SListViewItemLocatorFlex>(30, kDivider, kRows);
    std::mt19937 rng(20261211);
    std::uniform_int_distribution<int> height(0, 90);
    std::vector<long long> top(kRows + 1, 0);
    std::vector<int> heights(kRows);
    // Every other row measured: the rest count one line.
    for (int i = 0; i < kRows; ++i) {
        heights[i] = i % 2 ? height(rng) : 30;
        if (i % 2)
            flex->SetItemHeight(i, heights[i]);
        top[i + 1] = top[i] + heights[i] + kDivider;
    }
    EXPECT_EQ(flex->GetTotalHeight(), top[kRows] - kDivider);
    for (int i = 0; i < kRows; ++i) {
        ASSERT_EQ(flex->Item2Position(i), top[i]) << i;
        ASSERT_EQ(flex->GetItemHeight(i), heights[i]) << i;
        // The first pixel of a row after a row of some height is the
        // border, which the upper row keeps.
        if (i > 0 && heights[i - 1] + kDivider > 0)
            ASSERT_EQ(flex->Position2Item(static_cast<int>(top[i])), i - 1) << i;
        if (i < kRows - 1 || heights[i] > 1)
            ASSERT_EQ(flex->Position2Item(static_cast<int>(top[i]) + 1), i) << i;
    }
    // Heights changed again land in the sums.
    flex->SetItemHeight(9999, 5);
    EXPECT_EQ(flex->GetTotalHeight(), top[9999] + 5);
    flex->SetScale(150);   // measured heights are forgotten; px stays px
    EXPECT_EQ(flex->GetTotalHeight(), kRows * 32 - 2);
    const auto scaled = SRefPtr<SListViewItemLocatorFix>::Adopt(
        new SListViewItemLocatorFix(SLayoutSize(30, SLayoutSize::dp), SLayoutSize(1, SLayoutSize::dp)));
    scaled->SetScale(150);
    EXPECT_EQ(scaled->GetScrollLineSize(), 45 + 2);
}

TEST(ItemLocatorTest, BadSizesNeitherDivideByZeroNorOverflow)
{
    // A divider of -30 with rows of 30 counts as no divider.
    const auto fix = Locator<SListViewItemLocatorFix>(30, -30, 100);
    EXPECT_EQ(fix->GetScrollLineSize(), 30);
    EXPECT_EQ(fix->Position2Item(45), 1);
    const auto zero = Locator<SListViewItemLocatorFix>(0, 0, 100);
    EXPECT_EQ(zero->Position2Item(45), 0);
    EXPECT_EQ(zero->GetTotalHeight(), 0);

    // Heights summing past 2^31 pixels stop at the largest position.
    const auto huge = Locator<SListViewItemLocatorFix>(2000000000, 0, 1000000);
    EXPECT_EQ(huge->GetTotalHeight(), INT_MAX);
    EXPECT_EQ(huge->Item2Position(999999), INT_MAX);
    const auto flex = Locator<SListViewItemLocatorFlex>(30, 0, 1000000);
    EXPECT_EQ(flex->GetTotalHeight(), 30000000);
    for (int i : {0, 1, 2})
        flex->SetItemHeight(i, 2000000000);
    EXPECT_EQ(flex->GetTotalHeight(), INT_MAX);
    EXPECT_EQ(flex->Position2Item(INT_MAX - 1), 1);
    EXPECT_EQ(flex->Position2Item(100), 0);
    // Rows past the count are neither stored nor reported.
    flex->SetItemHeight(1000000, 5);
    flex->SetItemHeight(-1, 5);
    EXPECT_EQ(flex->Item2Position(-7), 0);
}

} // namespace
