#include "app/core/JNVector.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Vec = JNVector<std::wstring, int>;

Vec Make(std::initializer_list<std::pair<const wchar_t*, int>> entries)
{
    Vec v;
    for (const auto& e : entries) v.Set(e.first, e.second);
    return v;
}

// Every key must lead to the value at its own position.
void ExpectConsistent(const Vec& v, const std::vector<std::wstring>& keys, const std::vector<int>& values)
{
    ASSERT_EQ(v.Size(), values.size());
    for (size_t i = 0; i < values.size(); ++i) EXPECT_EQ(v.At(i), values[i]) << "position " << i;
    EXPECT_EQ(v.Keys(), keys);
    for (const auto& k : keys) EXPECT_EQ(v.At(v.IndexOf(v.Get(k))), v.Get(k));
}

} // namespace

TEST(JNVector, EraseShiftsLaterPositionsAndDropsOnlyThatKey)
{
    struct Case { const char* name; size_t erase; std::vector<std::wstring> keys; std::vector<int> values; };
    const Case cases[] = {
        {"first", 0, {L"a", L"b"}, {2, 1}},
        {"middle", 1, {L"b", L"c"}, {3, 1}},
        {"last", 2, {L"a", L"c"}, {3, 2}},
        {"past the end", 5, {L"a", L"b", L"c"}, {3, 2, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Vec v = Make({{L"c", 3}, {L"a", 2}, {L"b", 1}});
        v.EraseAt(c.erase);
        ExpectConsistent(v, c.keys, c.values);
    }
}

TEST(JNVector, SetReplacesAListedKeyInPlace)
{
    Vec v = Make({{L"x", 1}, {L"y", 2}});
    v.Set(L"x", 10);
    v.Set(L"z", 3);
    ExpectConsistent(v, {L"x", L"y", L"z"}, {10, 2, 3});
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
