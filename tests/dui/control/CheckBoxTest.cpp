// Check boxes: the skin state they draw, where box and text go, and what
// clicks and keys do to the checked state.
#include "ControlTestEnv.h"

#include "dui/control/SCheckBox.h"

using namespace DUI;
using namespace ctltest;

namespace {

// "c" at (10,10)-(110,30): its 12 x 10 box lies at (10,15)-(22,25).
constexpr wchar_t kBox[] = L"<root><check name=\"c\" pos=\"10,10,@100,@20\" skin=\"box\" focusSkin=\"mark\">Hi</check></root>";

TEST_F(ControlTest, CheckBoxDrawsTheSkinStateOfItsWindowState)
{
    struct Case
    {
        const char* name;
        DWORD state;
        int index;
    };
    const Case cases[] = {
        {"normal", 0, 0},
        {"hover", WndState_Hover, 1},
        {"pushed", WndState_PushDown | WndState_Hover, 2},
        {"disabled", WndState_Disable | WndState_PushDown, 3},
        {"checked", WndState_Check, 4},
        {"checked hover", WndState_Check | WndState_Hover, 5},
        {"checked pushed", WndState_Check | WndState_PushDown, 6},
        {"checked disabled", WndState_Check | WndState_Disable | WndState_Hover, 7},
    };
    Tree(kBox);
    auto* c = Named<SCheckBox>(L"c");
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        c->ModifyState(k.state, ~k.state);
        Repaint();
        EXPECT_EQ(At(16, 20), kCellPixels[k.index]);
        EXPECT_EQ(At(23, 20), kWhite) << "the box ends at its skin's width";
    }
}

TEST_F(ControlTest, CheckBoxAttributesShowInPlaceAndState)
{
    struct Case
    {
        const char* name;
        const wchar_t* attrs;
        POINT boxPixel;
        uint32_t want;
        BOOL checked;
    };
    const Case cases[] = {
        {"unchecked by default", L"", {16, 20}, kCellPixels[0], FALSE},
        {"checked", L"checked=\"1\"", {16, 20}, kCellPixels[4], TRUE},
        {"\"False\" unchecks", L"checked=\"False\"", {16, 20}, kCellPixels[0], FALSE},
        {"any other word checks", L"checked=\"no\"", {16, 20}, kCellPixels[4], TRUE},
        {"disabled", L"enable=\"0\"", {16, 20}, kCellPixels[3], FALSE},
        {"top-aligned text puts the box at the top", L"valign=\"top\"", {16, 10}, kCellPixels[0], FALSE},
        {"top-aligned: nothing below the box", L"valign=\"top\"", {16, 21}, kWhite, FALSE},
        {"bottom-aligned text puts the box at the bottom", L"valign=\"bottom\"", {16, 29}, kCellPixels[0], FALSE},
        {"bottom-aligned: nothing above the box", L"valign=\"bottom\"", {16, 18}, kWhite, FALSE},
        {"a skin that does not exist draws no box", L"skin=\"nosuch\"", {11, 20}, kWhite, FALSE},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        const std::wstring xml = L"<root><check name=\"c\" pos=\"10,10,@100,@20\" skin=\"box\" " +
                                 std::wstring(k.attrs) + L">Hi</check></root>";
        Tree(xml.c_str());
        EXPECT_EQ(At(k.boxPixel.x, k.boxPixel.y), k.want);
        EXPECT_EQ(Named<SCheckBox>(L"c")->IsChecked(), k.checked);
    }
}

TEST_F(ControlTest, CheckBoxTextStandsBesideTheBoxAndMeasuresWithIt)
{
    Tree(L"<root><check name=\"c\" pos=\"10,10,@100,@20\" skin=\"box\" textOffset=\"5,3\" colorText=\"#000000\">Hi</check>"
         L"<check name=\"m\" skin=\"box\">Hi</check><window name=\"w\">Hi</window>"
         L"<check name=\"tall\" skin=\"box\" font=\"size:6\">Hi</check><window name=\"short\" font=\"size:6\">Hi</window></root>");
    auto* c = Named<SCheckBox>(L"c");
    RECT text;
    c->GetTextRect(&text);
    EXPECT_EQ(text.left, 10 + 12 + 4 + 5);
    EXPECT_EQ(text.top, 10 + 3);
    EXPECT_EQ(text.right, 110);
    EXPECT_EQ(CountDark(RECT{10, 10, 31, 30}), 0) << "no text over the box or the gap";
    EXPECT_GT(CountDark(RECT{31, 10, 110, 30}), 0) << "the text is drawn";

    const SIZE plain = Named<SWindow>(L"w")->MeasureContent(-1, -1);
    const SIZE boxed = Named<SWindow>(L"m")->MeasureContent(-1, -1);
    EXPECT_EQ(boxed.cx, plain.cx + 12 + 4);
    EXPECT_EQ(boxed.cy, std::max<LONG>(plain.cy, 10));
    EXPECT_EQ(Named<SWindow>(L"tall")->MeasureContent(-1, -1).cy,
              std::max<LONG>(Named<SWindow>(L"short")->MeasureContent(-1, -1).cy, 10));
    hosttest::MaybeSavePng(m_host.Image(), L"check_text.png");
}

TEST_F(ControlTest, CheckBoxTextOffsetNeedsTwoPieces)
{
    Tree(kBox);
    auto* c = Named<SCheckBox>(L"c");
    EXPECT_EQ(c->SetAttribute(L"textOffset", L"7", FALSE), E_INVALIDARG);
    EXPECT_EQ(c->SetAttribute(L"textOffset", L"1,2,3", FALSE), E_INVALIDARG);
    RECT text;
    c->GetTextRect(&text);
    EXPECT_EQ(text.left, 10 + 16) << "a refused value keeps the offset";
    EXPECT_TRUE(SUCCEEDED(c->SetAttribute(L"textOffset", L"2,1", FALSE)));
    c->GetTextRect(&text);
    EXPECT_EQ(text.left, 10 + 16 + 2);
    EXPECT_EQ(text.top, 11);
}

TEST_F(ControlTest, FocusedCheckBoxDrawsItsFocusSkinOverTheBox)
{
    Tree(kBox);
    auto* c = Named<SCheckBox>(L"c");
    m_host.SetFocus(c->GetSwnd());
    Repaint();
    EXPECT_EQ(At(16, 20), kCellPixels[7]);
    m_host.SetFocus(0);
    Repaint();
    EXPECT_EQ(At(16, 20), kCellPixels[0]);
}

TEST_F(ControlTest, CheckBoxClicksAndKeys)
{
    struct Step
    {
        UINT msg;
        int x, y;
    };
    struct Case
    {
        const char* name;
        std::vector<Step> steps;
        BOOL checked;
        int commands;
    };
    const Case cases[] = {
        {"a click checks", {{WM_MOUSEMOVE, 15, 20}, {WM_LBUTTONDOWN, 15, 20}, {WM_LBUTTONUP, 15, 20}}, TRUE, 1},
        {"a click on the text checks", {{WM_LBUTTONDOWN, 90, 20}, {WM_LBUTTONUP, 90, 20}}, TRUE, 1},
        {"two clicks uncheck again",
         {{WM_LBUTTONDOWN, 15, 20}, {WM_LBUTTONUP, 15, 20}, {WM_LBUTTONDOWN, 15, 20}, {WM_LBUTTONUP, 15, 20}},
         FALSE, 2},
        {"a double click is a second press",
         {{WM_LBUTTONDOWN, 15, 20}, {WM_LBUTTONUP, 15, 20}, {WM_LBUTTONDBLCLK, 15, 20}, {WM_LBUTTONUP, 15, 20}},
         FALSE, 2},
        {"pressed, moved out and released outside",
         {{WM_LBUTTONDOWN, 15, 20}, {WM_MOUSEMOVE, 150, 80}, {WM_LBUTTONUP, 150, 80}}, FALSE, 0},
        {"released without a press", {{WM_MOUSEMOVE, 15, 20}, {WM_LBUTTONUP, 15, 20}}, FALSE, 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        InputTree(kBox);
        auto* c = Named<SCheckBox>(L"c");
        EventCounter commands(c, EventCmd::EventID);
        for (const Step& s : k.steps)
            Input().Mouse(s.msg, s.x, s.y);
        EXPECT_EQ(c->IsChecked(), k.checked);
        EXPECT_EQ(commands.count, k.commands);
        EXPECT_EQ(c->GetState() & WndState_PushDown, 0u);
    }
}

TEST_F(ControlTest, SpaceFlipsAFocusedCheckBoxOtherKeysDoNothing)
{
    InputTree(kBox);
    auto* c = Named<SCheckBox>(L"c");
    EventCounter commands(c, EventCmd::EventID);
    EventCounter states(c, EventSwndStateChanged::EventID);
    c->DeliverSwndMessage(WM_KEYDOWN, VK_RETURN);
    c->DeliverSwndMessage(WM_KEYDOWN, 'A');
    EXPECT_FALSE(c->IsChecked());
    EXPECT_EQ(commands.count, 0);
    c->DeliverSwndMessage(WM_KEYDOWN, VK_SPACE);
    EXPECT_TRUE(c->IsChecked());
    EXPECT_EQ(commands.count, 1);
    EXPECT_EQ(states.count, 1);
    c->DeliverSwndMessage(WM_KEYDOWN, VK_SPACE);
    EXPECT_FALSE(c->IsChecked());
    EXPECT_EQ(commands.count, 2);
}

} // namespace
