// Attribute tables: rows written in any order are found by name in any
// case, a reader's refusal is answered as it is, and the row's effect gives
// the result code while loading and afterwards.
#include <gtest/gtest.h>

#include "dui/core/base/SAttrTable.h"

using namespace DUI;

namespace {

struct Target
{
    int number = 0;
    SStringW text;
    int reads = 0;
};

HRESULT ReadNumber(Target& t, const SStringW& value, BOOL)
{
    ++t.reads;
    t.number = _wtoi(value);
    return S_OK;
}

HRESULT ReadText(Target& t, const SStringW& value, BOOL)
{
    ++t.reads;
    if (value.IsEmpty())
        return E_INVALIDARG;
    t.text = value;
    return S_OK;
}

constexpr SAttrRow<Target> kRows[] = {
    {L"zeta", &ReadNumber, AttrEffect::None},
    {L"alpha", &ReadNumber, AttrEffect::Redraw},
    {L"Mid_Word", &ReadText, AttrEffect::RedrawLater},
    {L"beta", &ReadText, AttrEffect::None},
    {L"a", &ReadNumber, AttrEffect::None},
};
constexpr SAttrTable kTable{kRows};

// Sorted at compile time, without regard to case.
static_assert(attrtable::CompareNoCase(kTable[0].name, L"a") == 0);
static_assert(attrtable::CompareNoCase(kTable[4].name, L"ZETA") == 0);
static_assert(attrtable::CompareNoCase(L"margin-x", L"margin_x") < 0);

} // namespace

TEST(AttrTable, EveryRowIsFoundInAnyCaseAndNothingElse)
{
    struct Case { const wchar_t* name; const wchar_t* want; };
    const Case cases[] = {
        {L"zeta", L"zeta"}, {L"ALPHA", L"alpha"}, {L"mid_word", L"Mid_Word"}, {L"Beta", L"beta"}, {L"A", L"a"},
        {L"", nullptr},     {L"alph", nullptr},   {L"alphas", nullptr},       {L"mid-word", nullptr},
        {L"b", nullptr},    {L"zz", nullptr},     {L"\u00e4lpha", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "name #" << (&c - cases));
        const SAttrRow<Target>* row = kTable.Find(c.name);
        if (!c.want) {
            EXPECT_EQ(row, nullptr);
            continue;
        }
        ASSERT_NE(row, nullptr);
        EXPECT_STREQ(row->name, c.want);
    }
}

TEST(AttrTable, TheEffectGivesTheResultAndARefusalStands)
{
    struct Case { const wchar_t* name; const wchar_t* value; BOOL loading; HRESULT want; };
    const Case cases[] = {
        {L"zeta", L"1", TRUE, S_FALSE},      {L"zeta", L"1", FALSE, S_FALSE},
        {L"alpha", L"1", TRUE, S_OK},        {L"alpha", L"1", FALSE, S_OK},
        {L"mid_word", L"x", TRUE, S_FALSE},  {L"mid_word", L"x", FALSE, S_OK},
        {L"mid_word", L"", FALSE, E_INVALIDARG}, {L"beta", L"", TRUE, E_INVALIDARG},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << "=" << c.value << " loading " << c.loading);
        Target t;
        HRESULT result = E_UNEXPECTED;
        EXPECT_TRUE(kTable.Apply(t, c.name, c.value, c.loading, result));
        EXPECT_EQ(result, c.want);
        EXPECT_EQ(t.reads, 1);
    }
    Target t;
    HRESULT result = E_UNEXPECTED;
    EXPECT_FALSE(kTable.Apply(t, L"gamma", L"1", TRUE, result));
    EXPECT_EQ(result, E_UNEXPECTED);   // an unknown name leaves the caller's default
    EXPECT_EQ(t.reads, 0);
    EXPECT_TRUE(kTable.Apply(t, L"Alpha", L"42", TRUE, result));
    EXPECT_EQ(t.number, 42);
}
