#include "app/core/JNVector.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using Vec = JNVector<std::wstring, int>;

Vec Make(std::initializer_list<std::pair<const wchar_t*, int>> entries)
{
    Vec v;
    for (const auto& e : entries) v.Set(e.first, e.second);
    return v;
}

// Positions hold `values`; every key leads to its own value; keys come in key order.
void ExpectConsistent(const Vec& v, const std::map<std::wstring, int>& byKey, const std::vector<int>& values)
{
    ASSERT_EQ(v.Size(), values.size());
    for (size_t i = 0; i < values.size(); ++i) EXPECT_EQ(v.At(i), values[i]) << "position " << i;
    std::vector<std::wstring> keys;
    for (const auto& [key, value] : byKey) {
        keys.push_back(key);
        EXPECT_EQ(v.Get(key), value) << "key " << std::string(key.begin(), key.end());
    }
    EXPECT_EQ(v.Keys(), keys);
}

} // namespace

TEST(JNVector, EraseShiftsLaterPositionsAndDropsOnlyThatKey)
{
    struct Case { const char* name; size_t erase; std::map<std::wstring, int> byKey; std::vector<int> values; };
    const Case cases[] = {
        {"first", 0, {{L"a", 2}, {L"b", 1}, {L"d", 4}}, {2, 1, 4}},
        {"middle", 1, {{L"b", 1}, {L"c", 3}, {L"d", 4}}, {3, 1, 4}},
        {"last", 3, {{L"a", 2}, {L"b", 1}, {L"c", 3}}, {3, 2, 1}},
        {"past the end", 5, {{L"a", 2}, {L"b", 1}, {L"c", 3}, {L"d", 4}}, {3, 2, 1, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Vec v = Make({{L"c", 3}, {L"a", 2}, {L"b", 1}, {L"d", 4}});
        v.EraseAt(c.erase);
        ExpectConsistent(v, c.byKey, c.values);
    }
}

TEST(JNVector, SetReplacesAListedKeyInPlace)
{
    Vec v = Make({{L"x", 1}, {L"y", 2}});
    v.Set(L"x", 10);
    v.Set(L"z", 3);
    ExpectConsistent(v, {{L"x", 10}, {L"y", 2}, {L"z", 3}}, {10, 2, 3});
}

TEST(JNVector, KeysComeInUtf16CodeUnitOrder)
{
    // U+FF01 sorts after the surrogate pair of U+1F600 by code units, before it by code points.
    Vec v = Make({{L"\xFF01", 1}, {L"\U0001F600", 2}, {L"B", 3}, {L"a", 4}});
    EXPECT_EQ(v.Keys(), (std::vector<std::wstring>{L"B", L"a", L"\U0001F600", L"\xFF01"}));
}

TEST(JNVector, MissingKeyThrowsTheWideTextAndPositionsPastTheEndAreEmpty)
{
    Vec v = Make({{L"x", 1}});
    EXPECT_THROW(v.Get(L"nope"), const wchar_t*);
    EXPECT_EQ(v.At(1), 0);
    EXPECT_EQ(v.IndexOf(42), v.Size());
    v.Clear();
    EXPECT_EQ(v.Size(), 0u);
    EXPECT_FALSE(v.Has(L"x"));
}
