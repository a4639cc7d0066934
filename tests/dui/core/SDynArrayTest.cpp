#include "dui/core/base/SDynArray.h"
#include "dui/core/base/TStringT.h"

#include <gtest/gtest.h>

using DUI::SDynArray;
using DUI::SStringW;

namespace {

SDynArray<void*> FullArray(size_t n)
{
    SDynArray<void*> a;
    for (size_t i = 0; i < n; ++i) {
        a.Add(reinterpret_cast<void*>(i + 1));
        // Make it full at exactly n elements.
        if (a.GetCapacity() > n)
            break;
    }
    return a;
}

} // namespace

TEST(SDynArray, AutomaticGrowthStepFollowsTheCount)
{
    struct Case { const char* name; size_t count; size_t step; };
    const Case cases[] = {{"3 elements", 3, 4}, {"100 elements", 100, 12}, {"40000 elements", 40000, 1024}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SDynArray<void*> a;
        ASSERT_TRUE(a.SetCount(c.count));
        ASSERT_EQ(a.GetCapacity(), c.count);
        a.Add(nullptr);
        EXPECT_EQ(a.GetCapacity(), c.count + c.step);
        EXPECT_EQ(a.GetCount(), c.count + 1);
    }
    SDynArray<void*> fixed(7);
    fixed.Add(nullptr);
    EXPECT_EQ(fixed.GetCapacity(), 7u);
    fixed.SetCount(7);
    fixed.Add(nullptr);
    EXPECT_EQ(fixed.GetCapacity(), 14u);
}

TEST(SDynArray, KeepsElementsThroughGrowthAndRemoval)
{
    SDynArray<void*> a = FullArray(1000);
    for (size_t i = 1000; a.GetCount() < 1000; ++i)
        a.Add(reinterpret_cast<void*>(a.GetCount() + 1));
    ASSERT_EQ(a.GetCount(), 1000u);
    for (size_t i = 0; i < 1000; ++i)
        ASSERT_EQ(a[i], reinterpret_cast<void*>(i + 1));
    a.RemoveAt(10, 5);
    EXPECT_EQ(a.GetCount(), 995u);
    EXPECT_EQ(a[10], reinterpret_cast<void*>(16));
    a.RemoveAt(990, 100); // clipped at the end
    EXPECT_EQ(a.GetCount(), 990u);
    a.SetCount(0);
    EXPECT_EQ(a.GetCapacity(), 0u);
    EXPECT_EQ(a.GetData(), nullptr);
}

TEST(SDynArray, RemoveFirstTakesOnlyTheFirstOccurrence)
{
    SDynArray<int> a;
    for (int v : {1, 2, 3, 2, 4})
        a.Add(v);
    EXPECT_TRUE(a.RemoveFirst(2));
    ASSERT_EQ(a.GetCount(), 4u);
    EXPECT_EQ(a[0], 1);
    EXPECT_EQ(a[1], 3);
    EXPECT_EQ(a[2], 2);
    EXPECT_FALSE(a.RemoveFirst(9));
    EXPECT_EQ(a.GetCount(), 4u);
}

TEST(SDynArray, StringArraysShareAndReleaseTheirTexts)
{
    SStringW text(L"item");
    {
        SDynArray<SStringW> a;
        for (int i = 0; i < 50; ++i)
            a.Add(text);
        EXPECT_EQ(text.GetData()->nRefs, 51);
        a.RemoveAt(0, 10);
        EXPECT_EQ(text.GetData()->nRefs, 41);
        SDynArray<SStringW> b;
        b.Copy(a);
        EXPECT_EQ(text.GetData()->nRefs, 81);
        b.SetCount(60); // new elements are empty strings, not garbage
        EXPECT_TRUE(b[59].IsEmpty());
        b.Add(b[0]); // adding an element of the same array across growth
        EXPECT_EQ(b[60], text);
    }
    EXPECT_EQ(text.GetData()->nRefs, 1);
}

TEST(StringSplit, ParseResIdSplitsAtTheFirstColon)
{
    struct Case { const char* name; const wchar_t* id; std::vector<std::wstring> want; };
    const Case cases[] = {
        {"type and name", L"LAYOUT:XML_MAINWND", {L"LAYOUT", L"XML_MAINWND"}},
        {"bare name", L"XML_MAINWND", {L"XML_MAINWND"}},
        {"empty", L"", {L""}},
        {"type only", L"LAYOUT:", {L"LAYOUT", L""}},
        {"two colons", L"file:c:\\a.xml", {L"file", L"c:\\a.xml"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DUI::SStringWList out;
        ASSERT_EQ(DUI::ParseResId(SStringW(c.id), out), c.want.size());
        for (size_t i = 0; i < c.want.size(); ++i)
            EXPECT_EQ(std::wstring(out[i].c_str()), c.want[i]);
    }
}
