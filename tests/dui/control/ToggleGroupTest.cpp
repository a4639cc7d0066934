// Toggles (skin-only switches) and group frames.
#include "ControlTestEnv.h"

#include "dui/control/SGroup.h"
#include "dui/control/SToggle.h"

using namespace DUI;
using namespace ctltest;

namespace {

constexpr uint32_t kLine1 = 0xFFF0F0F0, kLine2 = 0xFFA0A0A0;

TEST_F(ControlTest, ToggleDrawsItsStateOverTheWholeWindow)
{
    struct Case
    {
        const char* name;
        DWORD state;
        BOOL toggled;
        int index;
    };
    const Case cases[] = {
        {"normal", 0, FALSE, 0},          {"hover", WndState_Hover, FALSE, 1},
        {"pushed", WndState_PushDown | WndState_Hover, FALSE, 2},
        {"toggled", 0, TRUE, 3},          {"toggled hover", WndState_Hover, TRUE, 4},
        {"toggled pushed", WndState_PushDown, TRUE, 5},
    };
    Tree(L"<root><toggle name=\"t\" pos=\"10,10,@9,@9\" skin=\"toggle\"/></root>");
    auto* t = Named<SToggle>(L"t");
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        t->ModifyState(k.state, ~k.state);
        t->SetToggled(k.toggled);
        Repaint();
        EXPECT_EQ(At(10, 10), kCellPixels[k.index]);
        EXPECT_EQ(At(18, 18), kCellPixels[k.index]);
        EXPECT_EQ(At(19, 18), kWhite);
    }
    EXPECT_EQ(t->MeasureContent(-1, -1).cx, 9);
    EXPECT_FALSE(t->IsFocusable());
}

TEST_F(ControlTest, ToggleFlipsOnAReleaseOverItWhereverThePressBegan)
{
    InputTree(L"<root><toggle name=\"t\" pos=\"10,10,@9,@9\" skin=\"toggle\" toggled=\"1\"/></root>");
    auto* t = Named<SToggle>(L"t");
    EXPECT_TRUE(t->IsToggled());
    Input().Click(14, 14);
    EXPECT_FALSE(t->IsToggled());
    t->DeliverSwndMessage(WM_LBUTTONUP, 0, wndtest::PointParam(12, 12));
    EXPECT_TRUE(t->IsToggled()) << "no press began here";
    t->DeliverSwndMessage(WM_LBUTTONUP, 0, wndtest::PointParam(50, 50));
    EXPECT_TRUE(t->IsToggled()) << "released outside";
}

TEST_F(ControlTest, GroupWithoutTitleDrawsAnEtchedFrameFromItsTop)
{
    Tree(L"<root><group name=\"g\" pos=\"10,10,@120,@60\"/></root>");
    EXPECT_EQ(FirstRowWith(60, kLine2), 10);
    EXPECT_EQ(At(60, 11), kLine1) << "the light line lies inside the dark one";
    EXPECT_EQ(At(10, 40), kLine2);
    EXPECT_EQ(At(11, 40), kLine1);
    EXPECT_EQ(At(60, 40), kWhite);
    EXPECT_EQ(At(10, 10), kWhite) << "rounded corner";
    hosttest::MaybeSavePng(m_host.Image(), L"group_plain.png");
}

TEST_F(ControlTest, GroupTitleInterruptsTheFrameHalfATextHeightDown)
{
    Tree(L"<root><group name=\"g\" pos=\"10,10,@150,@60\" colorText=\"#000000\">Title</group></root>");
    SIZE text = {};
    ASSERT_TRUE(SUCCEEDED(m_host.Image()->MeasureText(L"Title", 5, &text)));
    const int top = FirstRowWith(22, kLine2);
    ASSERT_EQ(top, 10 + text.cy / 2);
    EXPECT_EQ(At(60, 10), kWhite);
    // The title is centred between 20-pixel indents; the line stops 5 short
    // of it on both sides.
    const int left = 30 + (110 - text.cx) / 2;   // within 30-140
    EXPECT_EQ(At(left - 6, top), kLine2);
    EXPECT_EQ(At(left - 5, top), kWhite);
    EXPECT_EQ(At(left + text.cx + 4, top), kWhite);
    EXPECT_EQ(At(left + text.cx + 5, top), kLine2);
    EXPECT_GT(CountDark(RECT{left, 10, left + text.cx, 12 + text.cy}), 0) << "the title is drawn";
    EXPECT_EQ(CountDark(RECT{12, 12, left - 1, 60}), 0);
    Named<SWindow>(L"g")->SetAttribute(L"align", L"left", FALSE);
    Repaint();
    EXPECT_EQ(At(24, top), kLine2);
    EXPECT_EQ(At(25, top), kWhite);
    EXPECT_GT(CountDark(RECT{30, 10, 30 + text.cx, 12 + text.cy}), 0) << "left-aligned title";
    hosttest::MaybeSavePng(m_host.Image(), L"group_title.png");
}

TEST_F(ControlTest, GroupAttributes)
{
    Tree(L"<root><group name=\"g\" pos=\"10,10,@120,@60\" colorLine1=\"#00ff00\" colorLine2=\"#0000ff\" round=\"0\">"
         L"<window name=\"inner\" pos=\"0,0,@10,@10\"/></group>"
         L"<window name=\"w\"><window pos=\"0,0,@30,@20\"/></window>"
         L"<group name=\"m\" headerHeight=\"8\"><window pos=\"0,0,@30,@20\"/></group></root>");
    EXPECT_EQ(At(10, 10), kCellPixels[2]) << "square corners in the second colour";
    EXPECT_EQ(At(60, 11), kCellPixels[1]);
    auto* g = Named<SGroup>(L"g");
    EXPECT_EQ(g->SetAttribute(L"colorLine2", L"", FALSE), E_FAIL);
    Repaint();
    EXPECT_EQ(At(60, 10), kCellPixels[2]) << "an empty colour keeps the old one";
    EXPECT_EQ(Named<SWindow>(L"inner")->GetWindowRect().top, 30) << "children start below the header";
    g->SetAttribute(L"headerHeight", L"12", FALSE);
    RECT area;
    g->GetChildArea(&area);
    EXPECT_EQ(area.top, 22);
    EXPECT_EQ(Named<SWindow>(L"m")->MeasureDesiredSize(-1, -1).cy,
              Named<SWindow>(L"w")->MeasureDesiredSize(-1, -1).cy + 8);
}

} // namespace
