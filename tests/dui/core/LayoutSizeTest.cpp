// Layout sizes: parsing a text, the unit rule, and conversion to pixels at a
// scale; the scale levels and the three named rounding rules of scaling.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "dui/core/base/SLayoutSize.h"

using namespace DUI;

namespace {

// The default unit is process-wide: every test leaves it at px.
class LayoutSizeTest : public ::testing::Test
{
protected:
    void TearDown() override { SLayoutSize::SetDefaultUnit(L"px"); }
};

} // namespace

TEST_F(LayoutSizeTest, ParseTakesTheLeadingNumberAndTheUnitFromTheEnding)
{
    struct Case { const wchar_t* text; const wchar_t* defUnit; float value; SLayoutSize::Unit unit; bool wellFormed; };
    const Case cases[] = {
        {L"10dip", L"px", 10, SLayoutSize::dip, true},
        {L"10DP", L"px", 10, SLayoutSize::dp, true},
        {L"7Px", L"dp", 7, SLayoutSize::px, true},
        {L"1.5sp", L"px", 1.5f, SLayoutSize::sp, true},
        {L"12", L"px", 12, SLayoutSize::px, true},
        {L"12", L"dp", 12, SLayoutSize::dp, true},
        {L"-4", L"dp", -4, SLayoutSize::dp, true},
        // What _wtof makes of stray characters; the ending alone picks the unit.
        {L"10abc", L"px", 10, SLayoutSize::px, false},
        {L"1x0dp", L"px", 1, SLayoutSize::dp, false},
        {L"abc", L"dp", 0, SLayoutSize::dp, false},
        {L"dp", L"px", 0, SLayoutSize::dp, false},
        // Forms beyond a plain decimal are read as the C library reads them.
        {L"1.5e1dp", L"px", 15, SLayoutSize::dp, true},
        {L"-.5", L"px", -0.5f, SLayoutSize::px, true},
        {L"7.", L"sp", 7, SLayoutSize::sp, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)) + " default " +
                     testing::PrintToString(std::wstring(c.defUnit)));
        SLayoutSize::SetDefaultUnit(c.defUnit);
        const SLayoutSize size(c.text);
        EXPECT_FLOAT_EQ(size.GetValue(), c.value);
        EXPECT_EQ(size.GetUnit(), c.unit);
        EXPECT_EQ(SLayoutSize::IsWellFormed(c.text), c.wellFormed);
    }
}

TEST_F(LayoutSizeTest, EmptyTextChangesNothing)
{
    SLayoutSize size(4, SLayoutSize::sp);
    size.Parse(L"");
    size.Parse(nullptr);
    EXPECT_TRUE(size == SLayoutSize(4, SLayoutSize::sp));
}

TEST_F(LayoutSizeTest, DefaultUnitIsTakenWhenASizeIsMadeAndUnknownNamesGivePx)
{
    SLayoutSize::SetDefaultUnit(L"DIP");
    EXPECT_EQ(SLayoutSize::GetDefaultUnit(), SLayoutSize::dip);
    const SLayoutSize before;
    SLayoutSize::SetDefaultUnit(L"sp");
    EXPECT_EQ(before.GetUnit(), SLayoutSize::dip);
    EXPECT_EQ(SLayoutSize().GetUnit(), SLayoutSize::sp);
    EXPECT_FLOAT_EQ(SLayoutSize().GetValue(), 0);
    SLayoutSize::SetDefaultUnit(L"cm");
    EXPECT_EQ(SLayoutSize::GetDefaultUnit(), SLayoutSize::px);
}

TEST_F(LayoutSizeTest, ToPixelRoundsScaledUnitsToNearestAndTruncatesPx)
{
    struct Case { float value; SLayoutSize::Unit unit; int scale; int want; };
    const Case cases[] = {
        {10, SLayoutSize::dp, 150, 15},   {10, SLayoutSize::px, 150, 10},  {1.5f, SLayoutSize::px, 100, 1},
        {-1.5f, SLayoutSize::px, 100, -1}, {2, SLayoutSize::sp, 125, 3},   {4, SLayoutSize::dip, 200, 8},
        {1, SLayoutSize::dp, 150, 2},     {0.3f, SLayoutSize::dp, 150, 0}, {3, SLayoutSize::dp, 100, 3},
        {-1, SLayoutSize::dp, 300, -1},   {-2, SLayoutSize::sp, 300, -2},
        // "Not set" is no exception: it converts like any number.
        {-3, SLayoutSize::dp, 150, -4},   {-3, SLayoutSize::px, 150, -3},
        // Out of range: cut, where a plain conversion would be undefined.
        {1e30f, SLayoutSize::dp, 150, kMaxPixels}, {-1e30f, SLayoutSize::px, 100, -kMaxPixels},
        {std::nanf(""), SLayoutSize::sp, 100, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " unit " << c.unit << " at " << c.scale);
        EXPECT_EQ(SLayoutSize(c.value, c.unit).ToPixel(c.scale), c.want);
    }
}

TEST_F(LayoutSizeTest, SpecialValuesAnswerTheirQuestions)
{
    SLayoutSize s;
    EXPECT_TRUE(s.IsZero() && s.IsValid() && s.IsSet());
    s.SetWrapContent();
    EXPECT_TRUE(s.IsWrapContent() && !s.IsMatchParent() && !s.IsValid() && s.IsSet());
    s.SetMatchParent();
    EXPECT_TRUE(s.IsMatchParent() && !s.IsWrapContent() && !s.IsValid());
    s.SetNotSet();
    EXPECT_TRUE(!s.IsSet() && !s.IsValid());
    s.Set(-1.5f, SLayoutSize::px);
    EXPECT_TRUE(!s.IsWrapContent() && !s.IsMatchParent() && s.IsSet() && !s.IsValid());
    s.Set(0.5f, SLayoutSize::dp);
    EXPECT_TRUE(s.IsValid() && !s.IsZero());

    // Special values compare equal in any unit; ordinary ones need the same unit.
    EXPECT_TRUE(SLayoutSize(-2, SLayoutSize::px) == SLayoutSize(-2, SLayoutSize::dp));
    EXPECT_FALSE(SLayoutSize(4, SLayoutSize::px) == SLayoutSize(4, SLayoutSize::dp));
    EXPECT_FALSE(SLayoutSize(-4, SLayoutSize::px) == SLayoutSize(-4, SLayoutSize::dp));
}

TEST(ScaleLevels, NormaliseToTheLargestLevelNotAbove)
{
    ASSERT_EQ(GetScaleCount(), 9);
    for (int i = 0; i < GetScaleCount(); ++i) EXPECT_EQ(GetScaleLevels()[i], 100 + 25 * i);
    const int cases[][2] = {{90, 100}, {124, 100}, {125, 125}, {149, 125}, {150, 150}, {299, 275}, {300, 300}, {400, 300}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0]);
        EXPECT_EQ(NormalizeScale(c[0]), c[1]);
    }
}

TEST(ScaleRules, TheThreeRoundingRulesDifferWhereTheyShould)
{
    struct Case { int value, scale, nearest, mulDiv, intDiv; };
    const Case cases[] = {
        {5, 150, 8, 8, 7},      // a half: rounded up by both rounding rules
        {-5, 150, -7, -8, -7},  // a negative half: floor(+0.5) goes up, MulDiv away from zero
        {7, 125, 9, 9, 8},      // 8.75
        {3, 125, 4, 4, 3},      // 3.75
        {2, 125, 3, 3, 2},      // 2.5
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " at " << c.scale);
        EXPECT_EQ(ScaleRoundNearest(static_cast<float>(c.value), c.scale), c.nearest);
        EXPECT_EQ(ScaleMulDiv(c.value, c.scale), c.mulDiv);
        EXPECT_EQ(ScaleIntDiv(c.value, c.scale), c.intDiv);
    }
}
