// The anchor layout: its "pos" grammar and the rectangles its placing maths
// gives children of a 200 × 100 area, at scales 100 and 150.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dui/core/AnchorPlacement.h"
#include "tests/app/core/DebugCapture.h"
#include "tests/dui/core/LayoutTestSupport.h"

using namespace DUI;
using namespace layouttest;

namespace {

constexpr LONG W8 = kPosWaiting, NC = kPosNotComputed;

// Children made from their attribute texts, placed by the pure maths.
class AnchorSet : public layouttest::ParamSet<AnchorLayoutParam>
{
public:
    explicit AnchorSet(const std::vector<ChildSpec>& specs) : ParamSet(specs)
    {
        for (size_t i = 0; i < specs.size(); ++i) m_children.push_back({&params[i]->Data(), specs[i].id});
    }

    const std::vector<AnchorChild>& Place(int width, int height, int scale)
    {
        CalcAnchorPositions(m_children.data(), m_children.size(), width, height, scale, measurer);
        return m_children;
    }

private:
    std::vector<AnchorChild> m_children;
};

// Bare numbers are dp here, so that every scaled distance shows at 150.
class AnchorLayoutTest : public ::testing::Test
{
protected:
    void SetUp() override { SLayoutSize::SetDefaultUnit(L"dp"); }
    void TearDown() override { SLayoutSize::SetDefaultUnit(L"px"); }
};

struct PlaceCase
{
    const char* name;
    std::vector<ChildSpec> children;
    std::vector<RECT> at100;
    std::vector<RECT> at150;
};

} // namespace

TEST_F(AnchorLayoutTest, ChildrenGetTheRectanglesTheirPosGives)
{
    const PlaceCase cases[] = {
        {"fills the parent", {{L"pos=0,0,-0,-0", kContent}}, {{0, 0, 200, 100}}, {{0, 0, 200, 100}}},
        {"fills the width, ends 40 below the top", {{L"pos=0,0,-0,40", kContent}}, {{0, 0, 200, 40}}, {{0, 0, 200, 60}}},
        {"'@' gives the width, '@-' wraps the height", {{L"pos=10,10,@100,@-1", kContent}},
         {{10, 10, 110, 30}}, {{15, 15, 165, 35}}},
        {"'@-' with any number wraps", {{L"pos=0,0,@40,@-99", kContent}}, {{0, 0, 40, 20}}, {{0, 0, 60, 20}}},
        {"centred on the parent's centre by an offset", {{L"pos=|0,|0;offset=-0.5,-0.5", kContent}},
         {{85, 40, 115, 60}}, {{85, 40, 115, 60}}},
        {"distances from the centre", {{L"pos=|-10,|5", kContent}}, {{90, 55, 120, 75}}, {{85, 58, 115, 78}}},
        {"percentages are not scaled", {{L"pos=%50,%25", kContent}}, {{100, 25, 130, 45}}, {{100, 25, 130, 45}}},
        {"a percentage over 100 counts as 100; '-' counts from the far side", {{L"pos=%150,%-20", kContent}},
         {{200, 80, 230, 100}}, {{200, 80, 230, 100}}},
        {"from the far edges", {{L"pos=-40,-30,-0,-0", kContent}}, {{160, 70, 200, 100}}, {{140, 55, 200, 100}}},
        {"px stays px at every scale", {{L"pos=10px,10,@20px,@20", kContent}}, {{10, 10, 30, 30}}, {{10, 15, 30, 45}}},
        {"without pos children line up in a row",
         {{L"", kContent}, {L"", {40, 10}}, {L"", {20, 30}}},
         {{0, 0, 30, 20}, {30, 0, 70, 10}, {70, 0, 90, 30}},
         {{0, 0, 30, 20}, {30, 0, 70, 10}, {70, 0, 90, 30}}},
        {"'[' follows the previous child's right edge",
         {{L"pos=5,5", kContent}, {L"pos=[0,0", kContent}},
         {{5, 5, 35, 25}, {35, 0, 65, 20}}, {{8, 8, 38, 28}, {38, 0, 68, 20}}},
        {"'[' on y stacks below the previous child",
         {{L"pos=5,5", kContent}, {L"pos=0,[0", kContent}},
         {{5, 5, 35, 25}, {0, 25, 30, 45}}, {{8, 8, 38, 28}, {0, 28, 30, 48}}},
        {"'{' counts from the previous child's left and top",
         {{L"pos=20,10", kContent}, {L"pos={10,{-5", kContent}},
         {{20, 10, 50, 30}, {30, 5, 60, 25}}, {{30, 15, 60, 35}, {45, 7, 75, 27}}},
        {"']' ends a child before the next one's left",
         {{L"pos=0,0,]-10,@20", kContent}, {L"pos=100,0,@50,@20", kContent}},
         {{0, 0, 90, 20}, {100, 0, 150, 20}}, {{0, 0, 135, 30}, {150, 0, 225, 30}}},
        {"'}' counts from the next child's right",
         {{L"pos=}-30,0", kContent}, {L"pos=100,0,@50,@20", kContent}},
         {{120, 0, 150, 20}, {100, 0, 150, 20}}, {{180, 0, 210, 20}, {150, 0, 225, 30}}},
        {"sibling by id: left and bottom",
         {{L"pos=40,10,@20,@20", kContent, 5}, {L"pos=sib.left@5:10,sib.bottom@5:4", kContent}},
         {{40, 10, 60, 30}, {50, 34, 80, 54}}, {{60, 15, 90, 45}, {75, 51, 105, 71}}},
        {"missing sibling: the parent's near or far edge",
         {{L"pos=sib.left@5:10,sib.bottom@5:-4", kContent}}, {{10, 96, 40, 116}}, {{15, 94, 45, 114}}},
        {"the axis, not the word, picks the edge",
         {{L"pos=30,0,@10,@10", kContent, 7}, {L"pos=sib.top@7:0,sib.right@7:0", kContent}},
         {{30, 0, 40, 10}, {30, 10, 60, 30}}, {{45, 0, 60, 15}, {45, 15, 75, 35}}},
        {"a reference to a later sibling waits for it",
         {{L"pos=sib.right@9:5,0", kContent}, {L"pos=50,0,@20,@20", kContent, 9}},
         {{75, 0, 105, 20}, {50, 0, 70, 20}}, {{113, 0, 143, 20}, {75, 0, 105, 30}}},
        {"a chain of siblings",
         {{L"pos=10,10,@50,@20", kContent}, {L"pos=[5,{0,@50,@20", kContent}, {L"pos=[5,{0,@50,@20", kContent}},
         {{10, 10, 60, 30}, {65, 10, 115, 30}, {120, 10, 170, 30}},
         {{15, 15, 90, 45}, {98, 15, 173, 45}, {181, 15, 256, 45}}},
        {"a sibling waits until an offset moved the child it follows",
         {{L"pos=|0,0;offset=-0.5,0", kContent}, {L"pos=[0,0", kContent}},
         {{85, 0, 115, 20}, {115, 0, 145, 20}}, {{85, 0, 115, 20}, {115, 0, 145, 20}}},
        {"a cycle stays unresolved, out of sight",
         {{L"pos=sib.left@2:0,0", kContent, 1}, {L"pos=sib.left@1:0,0", kContent, 2}},
         {{W8, 0, NC, NC}, {W8, 0, NC, NC}}, {{W8, 0, NC, NC}, {W8, 0, NC, NC}}},
        {"a specified width and a matching height with two coordinates",
         {{L"pos=10,10;width=50;height=matchParent", kContent}}, {{10, 10, 60, 100}}, {{15, 15, 90, 100}}},
        {"a negative width means nothing and is measured", {{L"pos=10,10;width=-5", kContent}},
         {{10, 10, 40, 30}}, {{15, 15, 45, 35}}},
        {"\"size\" with full and wrapContent", {{L"pos=0,10;size=full,wrapContent", kContent}},
         {{0, 10, 200, 30}}, {{0, 15, 200, 35}}},
    };
    for (const PlaceCase& c : cases) {
        for (int scale : {100, 150}) {
            SCOPED_TRACE(std::string(c.name) + " at " + std::to_string(scale));
            AnchorSet set(c.children);
            const auto& placed = set.Place(200, 100, scale);
            const auto& want = scale == 100 ? c.at100 : c.at150;
            ASSERT_EQ(placed.size(), want.size());
            for (size_t i = 0; i < want.size(); ++i) ExpectRect(placed[i].rc, want[i]);
        }
    }
}

TEST_F(AnchorLayoutTest, WrapContentIsMeasuredWithTheResolvedWidthOrTheParents)
{
    AnchorSet set({{L"pos=10,0,-20,@-1", kContent}, {L"pos=0,30", kContent}});
    set.Place(200, 100, 100);
    const auto& asked = set.measurer.asked;
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].width, 170);
    EXPECT_EQ(asked[0].height, 100);
    EXPECT_EQ(asked[1].width, 200);
    EXPECT_EQ(asked[1].height, 100);
}

TEST_F(AnchorLayoutTest, MeasuredExtentIsTheFarthestEdgePlusAFarSideDistance)
{
    SLayoutSize::SetDefaultUnit(L"px");
    struct Case { const char* name; std::vector<ChildSpec> children; SIZE want; };
    const Case cases[] = {
        {"no children", {}, {0, 0}},
        {"a distance from the far edges counts", {{L"pos=5,5,-10,-10", kContent}}, {100, 50}},
        {"wrapped content", {{L"pos=0,0,@-1,@-1", kContent}}, {30, 20}},
        {"a row of siblings", {{L"pos=10,10,@50,@20", kContent}, {L"pos=[5,{0,@50,@20", kContent}}, {115, 30}},
        {"unresolved children add nothing",
         {{L"pos=sib.left@2:0,sib.top@2:0", kContent, 1}, {L"pos=sib.left@1:0,sib.top@1:0", kContent, 2}}, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AnchorSet set(c.children);
        const auto& placed = set.Place(100, 50, 100);
        const SIZE got = AnchorChildrenExtent(placed.data(), placed.size(), 100);
        EXPECT_EQ(got.cx, c.want.cx);
        EXPECT_EQ(got.cy, c.want.cy);
    }
}

TEST_F(AnchorLayoutTest, OpenExtentMakesFarSideCoordinatesWait)
{
    AnchorSet set({{L"pos=-10,|0", kContent}, {L"pos=5,%50", kContent}, {L"pos=5,5", kContent}});
    const auto& placed = set.Place(-1, -1, 100);
    EXPECT_EQ(placed[0].rc.left, kPosWaiting);
    EXPECT_EQ(placed[0].rc.top, kPosWaiting);
    EXPECT_EQ(placed[1].rc.top, kPosWaiting);
    ExpectRect(placed[2].rc, {5, 5, 35, 25});
}

TEST_F(AnchorLayoutTest, PosGrammar)
{
    struct Case
    {
        const char* name;
        const wchar_t* pos;
        HRESULT result;
        int count;
        AnchorPos x1;
        bool widthWraps, heightWraps;
    };
    const AnchorPos untouched = {kCoordNone, -1, 1, SLayoutSize()};
    const Case cases[] = {
        {"two numbers", L"10,-20", S_OK, 2, {kCoordParent, -1, 1, SLayoutSize(10, SLayoutSize::dp)}, true, true},
        {"blanks around pieces", L" |5 , 3 ", S_OK, 2, {kCoordCenter, -1, 1, SLayoutSize(5, SLayoutSize::dp)}, true, true},
        {"empty pieces are dropped", L"10,,20", S_OK, 2, {kCoordParent, -1, 1, SLayoutSize(10, SLayoutSize::dp)}, true, true},
        {"sibling with a negative distance", L"sib.right@12:-4px,0", S_OK, 2,
         {kCoordSibFar, 12, -1, SLayoutSize(4, SLayoutSize::px)}, true, true},
        {"four with '@' sizes", L"%10,}2,@30,@-1", S_OK, 4, {kCoordPercent, -1, 1, SLayoutSize(10, SLayoutSize::dp)}, false, true},
        {"three coordinates are refused", L"1,2,3", E_INVALIDARG, 0, untouched, true, true},
        {"one coordinate is refused", L"1", E_INVALIDARG, 0, untouched, true, true},
        {"'@' cannot start", L"@10,0", S_OK, 0, untouched, true, true},
        {"sibling id 0", L"sib.left@0:5,0", S_OK, 0, untouched, true, true},
        {"unknown sibling edge", L"sib.middle@3:5,0", S_OK, 0, untouched, true, true},
        {"sibling without a distance", L"sib.left@3,0", S_OK, 0, untouched, true, true},
        {"the sibling prefix is case-sensitive", L"Sib.left@3:5,0", S_OK, 2, {kCoordParent, -1, 1, SLayoutSize(0, SLayoutSize::dp)}, true, true},
        {"a bad second pair keeps the first", L"7,8,sib.x@1:1,5", S_OK, 2, {kCoordParent, -1, 1, SLayoutSize(7, SLayoutSize::dp)}, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SRefPtr<AnchorLayoutParam> p = SRefPtr<AnchorLayoutParam>::Adopt(new AnchorLayoutParam());
        EXPECT_EQ(p->SetAttribute(L"pos", c.pos, FALSE), c.result);
        const AnchorLayoutParamStruct& d = p->Data();
        EXPECT_EQ(d.posCount, c.count);
        EXPECT_EQ(d.x1.kind, c.x1.kind);
        EXPECT_EQ(d.x1.refId, c.x1.refId);
        EXPECT_EQ(d.x1.sign, c.x1.sign);
        if (c.x1.kind != kCoordNone) {
            EXPECT_TRUE(d.x1.size == c.x1.size);
        }
        EXPECT_EQ(p->IsWrapContent(Horz), c.widthWraps);
        EXPECT_EQ(p->IsWrapContent(Vert), c.heightWraps);
    }
}

TEST_F(AnchorLayoutTest, FourCoordinatesDecideTheSizes)
{
    struct Case { const char* name; const wchar_t* pos; SLayoutSize width, height; };
    SLayoutSize match, wrap, notSet;
    match.SetMatchParent();
    wrap.SetWrapContent();
    notSet.SetNotSet();
    const Case cases[] = {
        {"0,0,-0,-0 matches the parent", L"0,0,-0,-0", match, match},
        {"a second edge leaves the size to the placing", L"0,0,-0,40", match, notSet},
        {"'@' sizes", L"1,1,@100,@-5", SLayoutSize(100, SLayoutSize::dp), wrap},
        {"the first coordinate must be 0 from the near side", L"1,0,-0,-0", notSet, match},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SRefPtr<AnchorLayoutParam> p = SRefPtr<AnchorLayoutParam>::Adopt(new AnchorLayoutParam());
        p->SetAttribute(L"pos", c.pos, FALSE);
        EXPECT_TRUE(p->GetSpecifiedSize(Horz) == c.width);
        EXPECT_TRUE(p->GetSpecifiedSize(Vert) == c.height);
    }
}

TEST_F(AnchorLayoutTest, ParameterAttributesAndOrientationQuestions)
{
    SRefPtr<AnchorLayoutParam> p = SRefPtr<AnchorLayoutParam>::Adopt(new AnchorLayoutParam());
    EXPECT_TRUE(p->IsWrapContent(Both));
    EXPECT_EQ(p->SetAttribute(L"SIZE", L"Full,40", FALSE), S_OK);
    EXPECT_TRUE(p->IsMatchParent(Horz));
    EXPECT_TRUE(p->IsMatchParent(Any));
    EXPECT_FALSE(p->IsMatchParent(Both));
    EXPECT_TRUE(p->IsSpecifiedSize(Vert));
    EXPECT_EQ(p->GetSpecifiedSize(Vert).ToPixel(150), 60);
    EXPECT_EQ(p->SetAttribute(L"size", L"1,2,3", FALSE), E_FAIL);
    EXPECT_EQ(p->SetAttribute(L"offset", L"0.5", FALSE), E_FAIL);
    EXPECT_EQ(p->SetAttribute(L"offset", L"nan,0", FALSE), E_FAIL);
    EXPECT_EQ(p->SetAttribute(L"offset", L"-0.5,0.25", FALSE), S_OK);
    EXPECT_FLOAT_EQ(p->Data().offsetY, 0.25f);
    EXPECT_EQ(p->SetAttribute(L"weight", L"1", FALSE), E_NOTIMPL);

    p->SetMatchParent(Any);   // changes nothing
    EXPECT_FALSE(p->IsMatchParent(Vert));
    p->SetWrapContent(Both);
    EXPECT_TRUE(p->IsWrapContent(Both));

    SRefPtr<ILayoutParam> copy = SRefPtr<ILayoutParam>::Adopt(p->Clone());
    p->Clear();
    EXPECT_TRUE(copy->IsWrapContent(Both));
    EXPECT_FLOAT_EQ(static_cast<AnchorLayoutParamStruct*>(copy->GetRawData())->offsetY, 0.25f);
    EXPECT_FLOAT_EQ(p->Data().offsetY, 0.0f);
    EXPECT_TRUE(copy->IsKindOf(L"AnchorLayoutParam"));
}

TEST_F(AnchorLayoutTest, StrayCharactersAreLoggedAndReadAsFarAsTheyGo)
{
    DebugCapture capture;
    SRefPtr<AnchorLayoutParam> p = SRefPtr<AnchorLayoutParam>::Adopt(new AnchorLayoutParam());
    EXPECT_EQ(p->SetAttribute(L"pos", L"10abc,2#0", FALSE), S_OK);
    EXPECT_EQ(p->Data().posCount, 2);
    EXPECT_EQ(p->Data().x1.size.ToPixel(100), 10);
    EXPECT_EQ(p->Data().y1.size.ToPixel(100), 2);
    const auto lines = capture.Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find(L"\"10abc\""), std::wstring::npos);
    EXPECT_NE(lines[0].find(L"DUI::AnchorLayoutParam::SetAttribute"), std::wstring::npos);

    SRefPtr<AnchorLayoutParam> q = SRefPtr<AnchorLayoutParam>::Adopt(new AnchorLayoutParam());
    q->SetAttribute(L"pos", L"@1,0", FALSE);
    EXPECT_EQ(capture.Lines().size(), 3u);
}
