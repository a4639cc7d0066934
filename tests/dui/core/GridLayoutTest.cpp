// The grid layout: how children fill the cells, the rectangles they get
// with spans, weights, gravities and intervals, the measured size, and the
// parameter attributes.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dui/core/GridPlacement.h"
#include "tests/app/core/DebugCapture.h"
#include "tests/dui/core/LayoutTestSupport.h"

using namespace DUI;
using namespace layouttest;

namespace {

// The rectangle a child keeps when the grid does not place it.
const RECT kUntouched = {-7, -7, -7, -7};

class GridSet : public layouttest::ParamSet<SGridLayoutParam>
{
public:
    explicit GridSet(const std::vector<ChildSpec>& specs) : ParamSet(specs)
    {
        for (auto& p : params) m_children.push_back({&p->Data(), kUntouched, false});
    }

    std::vector<GridChild>& Children() { return m_children; }

private:
    std::vector<GridChild> m_children;
};

GridSpec Spec(int columns, int rows, int gravity = kGravityCenter, int xInterval = 0, int yInterval = 0)
{
    return {columns, rows, xInterval, yInterval, gravity, gravity};
}

} // namespace

TEST(GridLayout, ChildrenGetTheRectanglesOfTheirCells)
{
    struct Case
    {
        const char* name;
        GridSpec spec;
        RECT area;
        std::vector<ChildSpec> children;
        std::vector<RECT> want;
    };
    const std::vector<ChildSpec> five(5, {L"", kContent});
    const Case cases[] = {
        {"three columns and five children make two rows", Spec(3, -1), {0, 0, 90, 40}, five,
         {{0, 0, 30, 20}, {30, 0, 60, 20}, {60, 0, 90, 20}, {0, 20, 30, 40}, {30, 20, 60, 40}}},
        {"a column span in the last column is cut to one", Spec(3, -1), {0, 0, 90, 20},
         {{L"", kContent}, {L"", kContent}, {L"columnSpan=2", kContent}},
         {{0, 0, 30, 20}, {30, 0, 60, 20}, {60, 0, 90, 20}}},
        {"weights 1 and 0: the first column takes all 50 spare pixels", Spec(2, -1), {0, 0, 110, 20},
         {{L"columnWeight=1", kContent}, {L"", kContent}},
         {{25, 0, 55, 20}, {80, 0, 110, 20}}},
        {"row weights share spare height", Spec(1, -1, kGravityFill), {0, 0, 30, 100},
         {{L"rowWeight=1", kContent}, {L"rowWeight=3", kContent}},
         {{0, 0, 30, 35}, {0, 35, 30, 100}}},
        {"\"fill\" gives every child its whole block", Spec(2, -1, kGravityFill), {0, 0, 40, 20},
         {{L"", kContent}, {L"", {10, 10}}},
         {{0, 0, 30, 20}, {30, 0, 40, 20}}},
        {"a row span and the cursor walking round it", Spec(2, -1), {0, 0, 60, 40},
         {{L"rowSpan=2", {30, 40}}, {L"", kContent}, {L"", kContent}},
         {{0, 0, 30, 40}, {30, 0, 60, 20}, {30, 20, 60, 40}}},
        {"a span that would run over an occupied cell is reduced", Spec(3, 2), {0, 0, 90, 40},
         {{L"", kContent}, {L"rowSpan=2", kContent}, {L"", kContent}, {L"columnSpan=3", kContent}},
         {{0, 0, 30, 20}, {30, 10, 60, 30}, {60, 0, 90, 20}, {0, 20, 30, 40}}},
        {"the child's own gravities", Spec(2, -1), {0, 0, 60, 50},
         {{L"", {30, 40}}, {L"layout_xGravity=RIGHT;layout_yGravity=bottom", {10, 20}}, {L"", {40, 10}}, {L"", {20, 10}}},
         {{5, 0, 35, 40}, {50, 20, 60, 40}, {0, 40, 40, 50}, {40, 40, 60, 50}}},
        {"the measured size is cut to a multiple of the spans", Spec(2, -1, kGravityNear), {0, 0, 30, 20},
         {{L"columnSpan=2", {31, 21}}}, {{0, 0, 30, 21}}},
        {"intervals between columns and rows, and the area's corner", Spec(2, -1, kGravityNear, 4, 2), {10, 20, 74, 62},
         {{L"", kContent}, {L"", kContent}, {L"columnSpan=2", {60, 20}}},
         {{10, 20, 40, 40}, {44, 20, 74, 40}, {10, 42, 70, 62}}},
        {"more children than cells: the rest keep their rectangles", Spec(2, 1), {0, 0, 60, 20},
         {{L"", kContent}, {L"", kContent}, {L"", kContent}},
         {{0, 0, 30, 20}, {30, 0, 60, 20}, kUntouched}},
        {"both counts -1 place nothing", Spec(-1, -1), {0, 0, 60, 20}, {{L"", kContent}}, {kUntouched}},
        {"a count of 0 places nothing", Spec(0, -1), {0, 0, 60, 20}, {{L"", kContent}}, {kUntouched}},
        {"a span of 0 takes one cell", Spec(2, -1), {0, 0, 60, 20},
         {{L"columnSpan=0", kContent}, {L"", kContent}}, {{0, 0, 30, 20}, {30, 0, 60, 20}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GridSet set(c.children);
        GridPlacer placer;
        auto& children = set.Children();
        placer.Layout(children.data(), children.size(), c.area, c.spec, set.measurer);
        ASSERT_EQ(children.size(), c.want.size());
        for (size_t i = 0; i < c.want.size(); ++i) ExpectRect(children[i].rc, c.want[i]);
    }
}

TEST(GridLayout, ChildrenWithoutACellAreNotMeasured)
{
    GridSet set({{L"", kContent}, {L"", kContent}, {L"", kContent}});
    GridPlacer placer;
    auto& children = set.Children();
    placer.Layout(children.data(), children.size(), {0, 0, 60, 20}, Spec(2, 1), set.measurer);
    EXPECT_EQ(set.measurer.asked.size(), 2u);
    EXPECT_TRUE(children[1].placed);
    EXPECT_FALSE(children[2].placed);
    EXPECT_EQ(set.measurer.asked[0].width, -1);
    EXPECT_EQ(set.measurer.asked[0].height, -1);
}

TEST(GridLayout, MeasuredSizeIsTheColumnsAndRowsWithTheirIntervals)
{
    struct Case { const char* name; GridSpec spec; std::vector<ChildSpec> children; SIZE want; };
    const Case cases[] = {
        {"two rows of three", Spec(3, -1, kGravityCenter, 4, 2), std::vector<ChildSpec>(5, {L"", kContent}), {98, 42}},
        {"rows given, columns derived", Spec(-1, 2), {{L"", kContent}, {L"", {40, 10}}, {L"", kContent}}, {70, 40}},
        {"the widest child sets its column", Spec(1, -1), {{L"", kContent}, {L"", {50, 5}}}, {50, 25}},
        {"both counts -1", Spec(-1, -1), {{L"", kContent}}, {0, 0}},
        {"a row count of 0", Spec(-1, 0), {{L"", kContent}}, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GridSet set(c.children);
        GridPlacer placer;
        auto& children = set.Children();
        const SIZE got = placer.Measure(children.data(), children.size(), c.spec, set.measurer);
        EXPECT_EQ(got.cx, c.want.cx);
        EXPECT_EQ(got.cy, c.want.cy);
    }
}

TEST(GridLayout, AHugeGridIsRefusedWithALogLine)
{
    DebugCapture capture;
    GridSet set({{L"", kContent}});
    GridPlacer placer;
    auto& children = set.Children();
    const SIZE got = placer.Measure(children.data(), children.size(), Spec(100000, 100000), set.measurer);
    EXPECT_EQ(got.cx, 0);
    EXPECT_EQ(got.cy, 0);
    EXPECT_EQ(capture.Lines().size(), 1u);
}

TEST(GridLayout, ParameterAttributes)
{
    DebugCapture capture;
    SRefPtr<SGridLayoutParam> p = SRefPtr<SGridLayoutParam>::Adopt(new SGridLayoutParam());
    EXPECT_EQ(p->SetAttribute(L"COLUMNSPAN", L"0x3", TRUE), S_OK);
    EXPECT_EQ(p->Data().columnSpan, 3);
    EXPECT_EQ(p->SetAttribute(L"rowSpan", L"two", TRUE), S_OK);
    EXPECT_EQ(p->Data().rowSpan, 0);
    EXPECT_EQ(capture.Lines().size(), 1u);
    EXPECT_EQ(p->SetAttribute(L"layout_xGravity", L"Fill", TRUE), S_OK);
    EXPECT_EQ(p->Data().xGravity, kGravityFill);
    EXPECT_EQ(p->SetAttribute(L"layout_yGravity", L"middle", TRUE), S_OK);
    EXPECT_EQ(p->Data().yGravity, kGravityUnset);
    EXPECT_EQ(p->SetAttribute(L"size", L"10", TRUE), E_FAIL);
    EXPECT_EQ(p->SetAttribute(L"size", L"matchParent,12", TRUE), S_OK);
    EXPECT_TRUE(p->IsMatchParent(Horz));
    EXPECT_TRUE(p->IsSpecifiedSize(Vert));
    EXPECT_EQ(p->SetAttribute(L"weight", L"1", TRUE), E_NOTIMPL);
    p->Clear();
    EXPECT_EQ(p->Data().columnSpan, 1);
    EXPECT_TRUE(p->IsWrapContent(Both));
    EXPECT_TRUE(p->IsKindOf(L"GridLayoutParam"));
}
