#include "dui/core/base/SCmnMap.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <vector>

using DUI::SCmnMap;
using DUI::SStringW;

TEST(SCmnMap, NewMapHasNoBinsAndFindsNothing)
{
    SCmnMap<int, SStringW> map;
    EXPECT_EQ(map.GetTable().GetBinCount(), 17u);
    EXPECT_EQ(map.GetTable().GetHighRehashCount(), 38u);
    EXPECT_EQ(map.GetTable().GetLowRehashCount(), 0u);
    EXPECT_EQ(map.Lookup(SStringW(L"x")), nullptr);
    EXPECT_FALSE(map.GetTable().HasBins());
    EXPECT_EQ(map.GetStartPosition(), nullptr);
    EXPECT_FALSE(map.RemoveKey(SStringW(L"x")));
}

TEST(SCmnMap, GrowsAtTheHighThresholdAndKeepsItsSizeAfterRemoveAll)
{
    SCmnMap<int, unsigned> map;
    for (unsigned i = 0; i < 38; ++i)
        map.SetAt(i, static_cast<int>(i));
    EXPECT_EQ(map.GetTable().GetBinCount(), 17u);
    map.SetAt(38, 38);
    EXPECT_EQ(map.GetTable().GetBinCount(), 53u);
    for (unsigned i = 0; i < 39; ++i)
        ASSERT_EQ(*map.Lookup(i), static_cast<int>(i));

    // 53 bins: the low count is 53 * 0.25 = 13, below 17, so it never shrinks.
    for (unsigned i = 0; i < 39; ++i)
        EXPECT_TRUE(map.RemoveKey(i));
    EXPECT_EQ(map.GetTable().GetBinCount(), 53u);
    EXPECT_FALSE(map.GetTable().HasNodeBlocks()); // an empty table keeps no node blocks

    for (unsigned i = 0; i < 500; ++i)
        map.SetAt(i, 1);
    uint32_t grown = map.GetTable().GetBinCount();
    EXPECT_GT(grown, 53u);
    map.RemoveAll();
    EXPECT_EQ(map.GetTable().GetBinCount(), grown);
    EXPECT_FALSE(map.GetTable().HasBins());
    map.SetAt(7, 7);
    EXPECT_TRUE(map.GetTable().HasBins());
    EXPECT_EQ(map.GetTable().GetBinCount(), grown);
}

TEST(SCmnMap, ShrinksBelowTheLowThreshold)
{
    SCmnMap<int, unsigned> map;
    for (unsigned i = 0; i < 1000; ++i)
        map.SetAt(i, 0);
    const uint32_t big = map.GetTable().GetBinCount();
    ASSERT_GE(big, 83u);
    const uint64_t low = map.GetTable().GetLowRehashCount();
    ASSERT_GT(low, 0u);
    unsigned i = 0;
    while (map.GetCount() >= low)
        map.RemoveKey(i++);
    EXPECT_LT(map.GetTable().GetBinCount(), big);
    for (; i < 1000; ++i)
        ASSERT_NE(map.Lookup(i), nullptr);
}

TEST(SCmnMap, PickSizeTable)
{
    struct Case { uint64_t count; uint32_t bins; };
    const Case cases[] = {{0, 17}, {12, 17}, {13, 17}, {39, 53}, {100, 163},
                          {9000000, 13316089}, {10000000, 13333333}, {15000000, 20000000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        EXPECT_EQ(DUI::HashTableSizes::PickSize(c.count, 0.75f), c.bins);
    }
}

TEST(SCmnMap, StringKeysAreCaseSensitiveAndShareTheirText)
{
    SCmnMap<int, SStringW> map;
    SStringW key(L"Button");
    map.SetAt(key, 1);
    map.SetAt(SStringW(L"button"), 2);
    map.SetAt(SStringW(L"Button"), 3);
    EXPECT_EQ(map.GetCount(), 2u);
    EXPECT_EQ(*map.Lookup(SStringW(L"Button")), 3);
    EXPECT_EQ(*map.Lookup(SStringW(L"button")), 2);
    EXPECT_TRUE(key.IsShared());
    map.RemoveKey(key);
    EXPECT_FALSE(key.IsShared());
}

TEST(SCmnMap, IteratesBinsInOrderNewestFirstWithinABin)
{
    SCmnMap<int, unsigned> map;
    // 5, 22 and 39 share bin 5 of 17; 3 sits in bin 3.
    map.SetAt(5, 0);
    map.SetAt(22, 1);
    map.SetAt(3, 2);
    map.SetAt(39, 3);
    std::vector<unsigned> order;
    for (auto pos = map.GetStartPosition(); pos; pos = map.GetNext(pos))
        order.push_back(pos->m_key);
    EXPECT_EQ(order, (std::vector<unsigned>{3, 39, 22, 5}));
}

TEST(SCmnMap, IntegerKeysHashToTheirOwn32Bits)
{
    using DUI::SHashKeyTraits;
    EXPECT_EQ(SHashKeyTraits<int>::Hash(-1), 0xFFFFFFFFu);
    EXPECT_EQ(SHashKeyTraits<int>::Hash(-17), 0xFFFFFFEFu);
    EXPECT_EQ(SHashKeyTraits<int>::Hash(40), 40u);
    EXPECT_EQ(SHashKeyTraits<unsigned>::Hash(0x80000001u), 0x80000001u);
    EXPECT_EQ(SHashKeyTraits<uint64_t>::Hash(7), 7u);

    // -2 sits in bin 0xFFFFFFFE % 17 = 16, behind 1 in bin 1.
    SCmnMap<int, int> map;
    map.SetAt(1, 1);
    map.SetAt(-2, 2);
    std::vector<int> order;
    for (auto pos = map.GetStartPosition(); pos; pos = map.GetNext(pos))
        order.push_back(pos->m_key);
    EXPECT_EQ(order, (std::vector<int>{1, -2}));
}

namespace {
int g_released = 0;
void CountRelease(int* value)
{
    g_released += *value;
}
} // namespace

TEST(SCmnMap, ReleaseCallbackRunsOnRemoveAllAndDestructionOnly)
{
    g_released = 0;
    {
        SCmnMap<int, unsigned> map(&CountRelease);
        map.SetAt(1, 10);
        map.SetAt(2, 20);
        map.RemoveKey(1);
        EXPECT_EQ(g_released, 0);
        map.RemoveAll();
        EXPECT_EQ(g_released, 20);
        map.SetAt(3, 300);
    }
    EXPECT_EQ(g_released, 320);
}

TEST(SCmnMap, AgreesWithAReferenceMapUnderRandomChurn)
{
    SCmnMap<unsigned long long, unsigned long long> map;
    std::map<unsigned long long, unsigned long long> ref;
    std::mt19937_64 rng(42);
    for (int step = 0; step < 50000; ++step) {
        unsigned long long key = rng() % 3000 + (rng() % 2 ? 0x100000000ull : 0);
        if (rng() % 3 == 0) {
            EXPECT_EQ(map.RemoveKey(key), ref.erase(key) == 1);
        } else {
            map.SetAt(key, step);
            ref[key] = step;
        }
    }
    ASSERT_EQ(map.GetCount(), ref.size());
    size_t visited = 0;
    for (auto pos = map.GetStartPosition(); pos; pos = map.GetNext(pos), ++visited)
        ASSERT_EQ(ref.at(pos->m_key), pos->m_value);
    EXPECT_EQ(visited, ref.size());
}
