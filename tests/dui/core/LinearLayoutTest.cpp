// The linear layout: the rectangles its placing maths gives, the size its
// measuring gives, and its parameter attributes.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dui/core/LinearPlacement.h"
#include "tests/app/core/DebugCapture.h"
#include "tests/dui/core/LayoutTestSupport.h"

using namespace DUI;
using namespace layouttest;

namespace {


class LinearSet : public layouttest::ParamSet<SLinearLayoutParam>
{
public:
    LinearSet(const std::vector<ChildSpec>& specs, int scale) : ParamSet(specs)
    {
        for (auto& p : params) m_children.push_back({&p->Data(), scale});
    }

    const std::vector<LinearChild>& Layout(const RECT& area, const LinearSpec& spec)
    {
        LayoutLinear(m_children.data(), m_children.size(), area, spec, measurer);
        return m_children;
    }

    SIZE Measure(int width, int height, bool wrapW, bool wrapH, const LinearSpec& spec)
    {
        return MeasureLinear(m_children.data(), m_children.size(), width, height, wrapW, wrapH, spec, measurer);
    }

private:
    std::vector<LinearChild> m_children;
};

class LinearLayoutTest : public ::testing::Test
{
protected:
    void SetUp() override { SLayoutSize::SetDefaultUnit(L"dp"); }
    void TearDown() override { SLayoutSize::SetDefaultUnit(L"px"); }
};

const LinearSpec kRow = {Horz, kGravityUnset, 0};
const LinearSpec kColumn = {Vert, kGravityUnset, 0};

} // namespace

TEST_F(LinearLayoutTest, ChildrenGetTheRectanglesOfTheirRowOrColumn)
{
    struct Case
    {
        const char* name;
        LinearSpec spec;
        RECT area;
        int scale;
        std::vector<ChildSpec> children;
        std::vector<RECT> want;
    };
    const RECT row = {0, 0, 200, 40};
    const Case cases[] = {
        {"wrap-content children with an interval", {Horz, kGravityUnset, 4}, row, 100,
         {{L"", kContent}, {L"", kContent}, {L"", kContent}},
         {{0, 0, 30, 20}, {34, 0, 64, 20}, {68, 0, 98, 20}}},
        {"weights 1 and 2 share 100 spare pixels, the last takes the remainder", kRow, {0, 0, 150, 40}, 100,
         {{L"weight=1;height=20", {30, 20}}, {L"weight=2;height=20", {20, 20}}},
         {{0, 0, 63, 20}, {63, 0, 150, 20}}},
        {"a centred child in a row 40 high", kRow, row, 100, {{L"layout_gravity=center", kContent}}, {{0, 10, 30, 30}}},
        {"the layout's gravity unless the child has its own", {Horz, kGravityFar, 0}, row, 100,
         {{L"", kContent}, {L"layout_gravity=top", kContent}},
         {{0, 20, 30, 40}, {30, 0, 60, 20}}},
        {"an extend of 5 takes 10 more and is cut off the rectangle", kRow, row, 100,
         {{L"extend=5", kContent}, {L"", kContent}},
         {{5, 5, 35, 25}, {40, 0, 70, 20}}},
        {"four extends: left, top, right, bottom", kRow, row, 100, {{L"extend=1,2,3,4", kContent}}, {{1, 2, 31, 22}}},
        {"a column taller than its area shares nothing and runs past its bottom", kColumn, {0, 0, 50, 30}, 100,
         {{L"weight=1", kContent}, {L"weight=1", kContent}},
         {{0, 0, 30, 20}, {0, 20, 30, 40}}},
        {"matching the parent on both axes", {Horz, kGravityUnset, 6}, row, 100,
         {{L"size=matchParent,matchParent", kContent}, {L"", kContent}},
         {{0, 0, 200, 40}, {206, 0, 236, 20}}},
        {"sizes and extends scale with the child", kRow, row, 150,
         {{L"width=20;height=10;extend=2", kContent}}, {{3, 3, 33, 18}}},
        {"a weighted child is measured again at its new width", kRow, row, 100,
         {{L"weight=1", {40, 10}}}, {{0, 0, 200, 2}}},
        {"...at the width it gets inside its extends", kRow, row, 100,
         {{L"weight=1;extend=5", {40, 10}}}, {{5, 5, 195, 8}}},
        {"a column in an offset area, aligned right", {Vert, kGravityFar, 2}, {10, 10, 110, 110}, 100,
         {{L"", kContent}, {L"layout_gravity=center", kContent}},
         {{80, 10, 110, 30}, {45, 32, 75, 52}}},
        {"an orientation other than 1 makes a row", {7, kGravityUnset, 0}, row, 100,
         {{L"", kContent}, {L"", kContent}}, {{0, 0, 30, 20}, {30, 0, 60, 20}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LinearSet set(c.children, c.scale);
        const auto& placed = set.Layout(c.area, c.spec);
        ASSERT_EQ(placed.size(), c.want.size());
        for (size_t i = 0; i < c.want.size(); ++i) ExpectRect(placed[i].rc, c.want[i]);
    }
}

TEST_F(LinearLayoutTest, MeasuredSizeOfTheChildren)
{
    struct Case
    {
        const char* name;
        LinearSpec spec;
        int width, height;
        bool wrapW, wrapH;
        std::vector<ChildSpec> children;
        SIZE want;
    };
    const Case cases[] = {
        {"empty, whatever the interval", {Horz, kGravityUnset, 9}, 100, 100, false, false, {}, {0, 0}},
        {"a row: widths and intervals, the tallest height", {Horz, kGravityUnset, 4}, -1, -1, false, false,
         {{L"", kContent}, {L"", {30, 25}}, {L"", kContent}}, {98, 25}},
        {"a column", {Vert, kGravityUnset, 4}, -1, -1, false, false,
         {{L"", kContent}, {L"", {35, 20}}}, {35, 44}},
        {"matching the parent takes the given width", kRow, 120, 50, false, false,
         {{L"width=matchParent", {50, 20}}}, {120, 20}},
        {"...unless the window wraps its width", kRow, 120, 50, true, false,
         {{L"width=matchParent", {50, 20}}}, {50, 20}},
        {"weights fill the given width and the cross size is measured again", kRow, 100, -1, false, false,
         {{L"weight=1", kContent}, {L"weight=1", kContent}}, {100, 12}},
        {"no spare space for weights in a window that wraps its width", kRow, 100, -1, true, false,
         {{L"weight=1", kContent}, {L"weight=1", kContent}}, {60, 20}},
        {"extends count", kColumn, -1, -1, false, false, {{L"extend=1,2,3,4", kContent}}, {34, 26}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LinearSet set(c.children, 100);
        const SIZE got = set.Measure(c.width, c.height, c.wrapW, c.wrapH, c.spec);
        EXPECT_EQ(got.cx, c.want.cx);
        EXPECT_EQ(got.cy, c.want.cy);
    }
}

TEST_F(LinearLayoutTest, ChildrenAreAskedWithTheSizeTheyWillHave)
{
    LinearSet set({{L"width=matchParent;extend=10", kContent}, {L"height=30", kContent}}, 100);
    set.Layout({0, 0, 200, 40}, kRow);
    const auto& asked = set.measurer.asked;
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].width, 180);
    EXPECT_EQ(asked[0].height, -1);
    EXPECT_EQ(asked[1].width, -1);
    EXPECT_EQ(asked[1].height, 30);
}

TEST_F(LinearLayoutTest, ParameterAttributes)
{
    struct Case { const char* name; const wchar_t* attr; const wchar_t* value; HRESULT result; };
    const Case cases[] = {
        {"gravity words are exact", L"layout_gravity", L"Center", E_FAIL},
        {"extend of two pieces", L"extend", L"1,2", E_INVALIDARG},
        {"size of one piece", L"size", L"10", E_FAIL},
        {"names ignore case", L"EXTEND_LEFT", L"3", S_OK},
        {"a name of another layout", L"pos", L"0,0", E_NOTIMPL},
        {"\"full\" is the anchor layout's word only", L"width", L"full", S_OK},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SRefPtr<SLinearLayoutParam> p = SRefPtr<SLinearLayoutParam>::Adopt(new SLinearLayoutParam());
        EXPECT_EQ(p->SetAttribute(c.attr, c.value, TRUE), c.result);
    }
    SRefPtr<SLinearLayoutParam> p = SRefPtr<SLinearLayoutParam>::Adopt(new SLinearLayoutParam());
    p->SetAttribute(L"width", L"full", TRUE);
    EXPECT_FALSE(p->IsMatchParent(Horz));
    EXPECT_TRUE(p->IsSpecifiedSize(Horz));   // read as a dimension: 0
    p->SetAttribute(L"extend", L"4", TRUE);
    p->SetAttribute(L"weight", L"2.5", TRUE);
    p->SetAttribute(L"layout_gravity", L"bottom", TRUE);
    p->Clear();
    EXPECT_TRUE(p->IsWrapContent(Both));
    EXPECT_FLOAT_EQ(p->Data().weight, 0);
    EXPECT_EQ(p->Data().gravity, kGravityUnset);
    EXPECT_EQ(p->Data().extendBottom.ToPixel(100), 4);   // extends outlive Clear
    EXPECT_TRUE(p->GetSpecifiedSize(Any) == SLayoutSize());
}

TEST_F(LinearLayoutTest, AWeightThatIsNotANumberIsLoggedAndLeftAsItWas)
{
    DebugCapture capture;
    SRefPtr<SLinearLayoutParam> p = SRefPtr<SLinearLayoutParam>::Adopt(new SLinearLayoutParam());
    EXPECT_EQ(p->SetAttribute(L"weight", L"abc", TRUE), S_OK);
    EXPECT_FLOAT_EQ(p->Data().weight, 0);
    p->SetAttribute(L"weight", L"2x", TRUE);
    EXPECT_FLOAT_EQ(p->Data().weight, 2);
    p->SetAttribute(L"weight", L"nan", TRUE);
    p->SetAttribute(L"weight", L"inf", TRUE);
    EXPECT_FLOAT_EQ(p->Data().weight, 2);
    const auto lines = capture.Lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_NE(lines[0].find(L"\"abc\""), std::wstring::npos);
    EXPECT_NE(lines[0].find(L"DUI::SLinearLayoutParam::SetAttribute"), std::wstring::npos);
}
