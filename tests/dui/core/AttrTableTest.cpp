// Attribute tables: rows written in any order are found by name in any
// case, a reader's refusal is answered as it is, the row's effect gives the
// result code while loading and afterwards, and a SetAttribute built on a
// table asks its parent only for names the table lacks.
#include <gtest/gtest.h>

#include <vector>

#include "dui/core/base/SAttrTable.h"

using namespace DUI;

namespace {

struct Target
{
    int number = 0;
    SStringW text;
    int reads = 0;
    // What the after-hook was handed; it answers hookAnswer.
    std::vector<HRESULT> hooked;
    HRESULT hookAnswer = 0x2A;
    HRESULT AfterSetAttribute(const SStringW&, const SStringW&, BOOL, HRESULT result)
    {
        hooked.push_back(result);
        return hookAnswer;
    }
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

TEST(AttrTable, DispatchTakesItsRowsThroughTheHookAndLeavesTheRestToTheParent)
{
    constexpr HRESULT kParent = 0x77;
    struct Case { const wchar_t* name; const wchar_t* value; std::vector<HRESULT> hooked; int parentCalls; HRESULT want; };
    const Case cases[] = {
        {L"ALPHA", L"5", {S_OK}, 0, 0x2A},
        {L"zeta", L"5", {S_FALSE}, 0, 0x2A},
        {L"beta", L"", {E_INVALIDARG}, 0, 0x2A},   // a refusal passes the hook too
        {L"gamma", L"5", {}, 1, kParent},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "name #" << (&c - cases));
        Target t;
        int parentCalls = 0;
        const HRESULT got = kTable.Dispatch(t, c.name, c.value, FALSE, [&] {
            ++parentCalls;
            return kParent;
        });
        EXPECT_EQ(got, c.want);
        EXPECT_EQ(t.hooked, c.hooked);
        EXPECT_EQ(parentCalls, c.parentCalls);
    }
}

TEST(AttrTable, AnswerIsTheRowsResultOrNotImplemented)
{
    Target t;
    EXPECT_EQ(kTable.Answer(t, L"alpha", L"3", FALSE), S_OK);
    EXPECT_EQ(t.number, 3);
    EXPECT_EQ(kTable.Answer(t, L"beta", L"", FALSE), E_INVALIDARG);
    EXPECT_EQ(kTable.Answer(t, L"gamma", L"1", FALSE), E_NOTIMPL);
    EXPECT_EQ(t.reads, 2);
    EXPECT_TRUE(t.hooked.empty());
}
