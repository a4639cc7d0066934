// Buttons and image buttons: the skin state they draw, the fade between
// normal and hover, clicks, keys and accelerators, and their sizes.
#include <gtest/gtest.h>

#include "BasicControlTestEnv.h"
#include "dui/control/SButton.h"
#include "dui/control/SImageButton.h"
#include "dui/core/CAccelerator.h"

using namespace basictest;

namespace {

class ButtonTest : public BasicControlTest
{
protected:
    SButton* PaintedButton(const wchar_t* attrs)
    {
        const std::wstring xml = L"<root><button name=\"b\" pos=\"10,10,@60,@30\" " + std::wstring(attrs) + L"/></root>";
        return Named<SButton>(PaintTree(xml.c_str()), L"b");
    }
    SButton* InputButton(const wchar_t* attrs, const wchar_t* text = L"")
    {
        const std::wstring xml = L"<root><button name=\"b\" pos=\"10,10,@60,@30\" " + std::wstring(attrs) + L">" +
                                 text + L"</button></root>";
        SButton* b = Named<SButton>(InputTree(xml.c_str()), L"b");
        LogEvents(b, m_log, {EventCmd::EventID});
        return b;
    }
    size_t Commands() const { return CountOf(m_log, L"b:on_command"); }
    BOOL Press(DWORD packed) { return m_input->focus.ProcessAccelerator(CAccelerator(packed)); }

};

TEST_F(ButtonTest, ButtonsTakeTheFocusAndTextsDoNot)
{
    SWindow* root = InputTree(L"<root><button name=\"b\"/><imgbtn name=\"i\"/><text name=\"t\"/>"
                              L"<link name=\"l\"/></root>");
    EXPECT_TRUE(Named(root, L"b")->IsFocusable());
    EXPECT_TRUE(Named(root, L"b")->GetFlags() & SWindow::Flag_DrawFocusRect);
    EXPECT_TRUE(Named(root, L"i")->IsFocusable());
    EXPECT_FALSE(Named(root, L"t")->IsFocusable());
    EXPECT_FALSE(Named(root, L"l")->IsMsgTransparent());
    EXPECT_EQ(Named(root, L"b")->OnGetDlgCode() & SC_WANTTAB, 0u);
}

TEST_F(ButtonTest, DrawsTheSkinStateOfItsWindowState)
{
    struct Case
    {
        const char* name;
        DWORD state;
        uint32_t want;
    };
    const Case cases[] = {
        {"normal", 0, kRed},
        {"hover", WndState_Hover, kGreen},
        {"pushed", WndState_Hover | WndState_PushDown, kBlue},
        {"checked", WndState_Check, kBlue},
        {"disabled over pushed", WndState_Disable | WndState_PushDown, kYellow},
    };
    SButton* b = PaintedButton(L"skin=\"four\"");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        b->ModifyState(c.state, ~c.state, TRUE);
        m_paint.Paint();
        ExpectAt(10, 10, c.want);
        ExpectAt(69, 39, c.want);
        ExpectAt(9, 10, kNone);
        ExpectAt(70, 40, kNone);
    }
}

TEST_F(ButtonTest, WithoutAnAttributeItWearsTheSystemButtonSkin)
{
    SButton* b = PaintedButton(L"");
    m_paint.Paint();
    ExpectAt(30, 20, kWhite);
    b->ModifyState(WndState_Hover, 0, TRUE);
    m_paint.Paint();
    ExpectAt(30, 20, kGreen);
}

TEST_F(ButtonTest, ASkinThatDoesNotResolvePaintsNothingNotEvenText)
{
    SWindow* root = PaintTree(L"<root><window pos=\"0,0,-0,-0\" colorBkgnd=\"#ff0000\">"
                              L"<button name=\"b\" pos=\"10,10,@60,@30\" skin=\"no.such.skin\" colorBkgnd=\"#0000ff\" "
                              L"colorText=\"#ffffff\">WWW</button></window></root>");
    ASSERT_EQ(Named<SButton>(root, L"b")->GetSkin(), nullptr);
    m_paint.Paint();
    for (int y = 10; y < 40; y += 3) {
        for (int x = 10; x < 70; x += 3)
            ASSERT_EQ(At(x, y), kRed) << x << "," << y;
    }
}

TEST_F(ButtonTest, ClicksKeysAndDoubleClicksFireCommands)
{
    struct Case
    {
        const char* name;
        std::vector<std::pair<UINT, WPARAM>> keys;   // WM_KEYDOWN / WM_KEYUP with their key
        size_t commands;
        bool pushedAfter;
    };
    const Case cases[] = {
        {"space down shows pushed", {{WM_KEYDOWN, VK_SPACE}}, 0, true},
        {"space down and up", {{WM_KEYDOWN, VK_SPACE}, {WM_KEYUP, VK_SPACE}}, 1, false},
        {"enter down and up", {{WM_KEYDOWN, VK_RETURN}, {WM_KEYUP, VK_RETURN}}, 1, false},
        {"space down, other key up", {{WM_KEYDOWN, VK_SPACE}, {WM_KEYUP, 'A'}}, 0, true},
        {"other key down and up", {{WM_KEYDOWN, 'A'}, {WM_KEYUP, 'A'}}, 0, false},
        {"up without down", {{WM_KEYUP, VK_SPACE}}, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_log.clear();
        SButton* b = InputButton(L"skin=\"four\"");
        b->SetFocus();
        ASSERT_TRUE(b->IsFocused());
        for (const auto& [msg, key] : c.keys) {
            BOOL handled = FALSE;
            b->DeliverSwndMessage(msg, key, 0, &handled);
            EXPECT_EQ(handled != FALSE, key == VK_SPACE || key == VK_RETURN);
        }
        EXPECT_EQ(Commands(), c.commands);
        EXPECT_EQ((b->GetState() & WndState_PushDown) != 0, c.pushedAfter);
    }
}

TEST_F(ButtonTest, EachPressOfADoubleClickCounts)
{
    InputButton(L"skin=\"four\"");
    m_input->Click(30, 20);
    EXPECT_EQ(Commands(), 1u);
    m_input->Mouse(WM_LBUTTONDBLCLK, 30, 20);
    m_input->Mouse(WM_LBUTTONUP, 30, 20);
    EXPECT_EQ(Commands(), 2u);
    m_input->Mouse(WM_LBUTTONDOWN, 30, 20);
    m_input->Mouse(WM_LBUTTONUP, 150, 90);   // released outside: no command
    EXPECT_EQ(Commands(), 2u);
}

TEST_F(ButtonTest, AnAmpersandInParenthesesAtTheEndOfTheTextGivesAnAltAccelerator)
{
    const DWORD altS = (CAccelerator::Mod_Alt << 16) | 'S';
    struct Case
    {
        const char* name;
        const wchar_t* text;
        DWORD accel;
    };
    const Case cases[] = {
        {"ascii", L"Save(&amp;S)", altS},
        {"chinese", L"\x4FDD\x5B58(&amp;S)", altS},
        {"lower case letter", L"Save(&amp;s)", altS},
        {"no ampersand", L"Save(S)", 0},
        {"no parentheses", L"Save&amp;S", 0},
        {"not at the end", L"(&amp;S)ave", 0},
        {"nothing after the ampersand", L"Save(&amp;)", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_log.clear();
        SButton* b = InputButton(L"", c.text);
        EXPECT_EQ(b->GetAccel(), c.accel);
        EXPECT_EQ(Press(altS) != FALSE, c.accel != 0);
        EXPECT_EQ(Commands(), c.accel ? 1u : 0u);
    }
}

TEST_F(ButtonTest, AcceleratorsAnswerOnlyWhileTheButtonMayBeUsed)
{
    const DWORD ctrlK = (CAccelerator::Mod_Ctrl << 16) | 'K';
    struct Case
    {
        const char* name;
        const wchar_t* attrs;
        bool hide, disable;
        bool fires;
    };
    const Case cases[] = {
        {"plain", L"accel=\"ctrl+k\"", false, false, true},
        {"disabled", L"accel=\"ctrl+k\"", false, true, false},
        {"hidden", L"accel=\"ctrl+k\"", true, false, true},
        {"hidden, only when visible", L"accel=\"ctrl+k\" disableAccelIfInvisible=\"1\"", true, false, false},
        {"visible, only when visible", L"accel=\"ctrl+k\" disableAccelIfInvisible=\"true\"", false, false, true},
        {"false is false", L"accel=\"ctrl+k\" disableAccelIfInvisible=\"FALSE\"", true, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_log.clear();
        SButton* b = InputButton(c.attrs);
        b->SetVisible(!c.hide);
        b->EnableWindow(!c.disable);
        EXPECT_EQ(Press(ctrlK) != FALSE, c.fires);
        EXPECT_EQ(Commands(), c.fires ? 1u : 0u);
    }
}

TEST_F(ButtonTest, AReplacedOrDestroyedAcceleratorNoLongerAnswers)
{
    const DWORD ctrlK = (CAccelerator::Mod_Ctrl << 16) | 'K';
    const DWORD f5 = VK_F5;
    SButton* b = InputButton(L"accel=\"ctrl+k\"", L"Open(&amp;O)");
    EXPECT_EQ(b->GetAccel(), static_cast<DWORD>((CAccelerator::Mod_Alt << 16) | 'O'));
    EXPECT_FALSE(Press(ctrlK));
    b->SetAttribute(L"accel", L"f5", FALSE);
    EXPECT_FALSE(Press((CAccelerator::Mod_Alt << 16) | 'O'));
    EXPECT_TRUE(Press(f5));
    b->SetAttribute(L"accel", L"ctrl+nosuchkey", FALSE);
    EXPECT_EQ(b->GetAccel(), 0u);
    EXPECT_FALSE(Press(f5));
    b->SetAttribute(L"accel", L"f5", FALSE);
    b->GetParent()->DestroyChild(b);
    EXPECT_FALSE(Press(f5));
    EXPECT_EQ(Commands(), 1u);
}

TEST_F(ButtonTest, HoverFadesInOverNineTicksAndOutAgain)
{
    SButton* b = PaintedButton(L"skin=\"four\" animate=\"1\"");
    Timeline& timeline = m_paint.timeline;
    b->ModifyState(WndState_Hover, 0, TRUE);
    ASSERT_TRUE(timeline.Has(static_cast<ITimelineHandler*>(b)));
    EXPECT_EQ(b->GetAnimateAlpha(), 50);
    m_paint.Paint();
    int lastGreen = (At(30, 20) >> 8) & 0xFF;
    for (int tick = 1; tick <= 9; ++tick) {
        SCOPED_TRACE(tick);
        EXPECT_TRUE(timeline.Has(static_cast<ITimelineHandler*>(b)));
        timeline.Tick();
        m_paint.Paint();
        const int green = (At(30, 20) >> 8) & 0xFF;
        EXPECT_GT(green, lastGreen);
        lastGreen = green;
    }
    EXPECT_FALSE(timeline.Has(static_cast<ITimelineHandler*>(b)));
    EXPECT_EQ(b->GetAnimateAlpha(), 255);
    ExpectAt(30, 20, kGreen);

    b->ModifyState(0, WndState_Hover, TRUE);
    timeline.Tick();
    m_paint.Paint();
    const uint32_t fading = At(30, 20);
    EXPECT_GT((fading >> 8) & 0xFF, 0u);     // still some hover left
    EXPECT_GT((fading >> 16) & 0xFF, 0u);    // normal showing through
    for (int tick = 0; tick < 8; ++tick)
        timeline.Tick();
    EXPECT_EQ(timeline.Count(), 0u);
    m_paint.Paint();
    ExpectAt(30, 20, kRed);
}

TEST_F(ButtonTest, OnlyPlainHoverChangesFadeAndAnythingElseStopsAFade)
{
    Timeline& timeline = m_paint.timeline;
    SButton* still = PaintedButton(L"skin=\"four\"");
    still->ModifyState(WndState_Hover, 0, TRUE);
    EXPECT_EQ(timeline.Count(), 0u);   // "animate" not set

    SButton* b = PaintedButton(L"skin=\"four\" animate=\"1\" animateStep=\"0x10A\"");
    b->ModifyState(WndState_Hover, 0, TRUE);
    timeline.Tick();
    EXPECT_EQ(b->GetAnimateAlpha(), 60);   // the step keeps its low byte, 10
    b->ModifyState(WndState_PushDown, 0, TRUE);
    EXPECT_EQ(timeline.Count(), 0u);
    EXPECT_EQ(b->GetAnimateAlpha(), 255);
    m_paint.Paint();
    ExpectAt(30, 20, kBlue);

    b->ModifyState(0, WndState_PushDown | WndState_Hover, TRUE);   // pushed+hover to normal
    EXPECT_EQ(timeline.Count(), 0u);
    b->ModifyState(WndState_Hover, 0, TRUE);
    EXPECT_EQ(timeline.Count(), 1u);
    const RECT moved = {0, 0, 50, 50};
    b->Move(&moved);
    EXPECT_EQ(timeline.Count(), 0u);
    b->ModifyState(0, WndState_Hover, TRUE);
    EXPECT_EQ(timeline.Count(), 1u);
    b->GetParent()->DestroyChild(b);
    EXPECT_EQ(timeline.Count(), 0u);
}

TEST_F(ButtonTest, NoFadeWhileTheButtonHoldsTheMouse)
{
    SButton* b = InputButton(L"skin=\"four\" animate=\"1\"");
    m_input->Mouse(WM_MOUSEMOVE, 30, 20);
    EXPECT_EQ(m_input->timeline.Count(), 1u);
    m_input->Mouse(WM_LBUTTONDOWN, 30, 20);
    EXPECT_EQ(m_input->timeline.Count(), 0u);
    m_input->Mouse(WM_MOUSEMOVE, 150, 90);   // leaves while captured
    EXPECT_EQ(m_input->timeline.Count(), 0u);
    EXPECT_EQ(b->GetState() & WndState_Hover, 0u);
}

TEST_F(ButtonTest, MinimumSizeRaisesMeasuredSizesButNotZero)
{
    SWindow* root = InputTree(L"<root><button name=\"b\" pos=\"0,0\" minSize=\"80,30\">W</button>"
                              L"<button name=\"e\" pos=\"0,0\" minSize=\"80,30\"/>"
                              L"<button name=\"big\" pos=\"0,0\" minSize=\"2,2\">W</button></root>");
    const SIZE text = Named<SButton>(root, L"big")->MeasureDesiredSize(-1, -1);
    ASSERT_GT(text.cx, 2);
    ASSERT_LT(text.cx, 80);
    const SIZE raised = Named<SButton>(root, L"b")->MeasureDesiredSize(-1, -1);
    EXPECT_EQ(raised.cx, 80);
    EXPECT_EQ(raised.cy, 30);
    const SIZE empty = Named<SButton>(root, L"e")->MeasureDesiredSize(-1, -1);
    EXPECT_EQ(empty.cx, 0);
    EXPECT_EQ(empty.cy, 0);
}

TEST_F(ButtonTest, MinimumSizeWantsExactlyTwoPieces)
{
    SButton* b = InputButton(L"minSize=\"80,30\"", L"W");
    for (const wchar_t* bad : {L"80", L"80,30,5", L"", L"80,"}) {
        SCOPED_TRACE(testing::Message() << bad);
        EXPECT_EQ(b->SetAttribute(L"minSize", bad, FALSE), E_INVALIDARG);
    }
    EXPECT_EQ(b->MeasureDesiredSize(-1, -1).cx, 80);
    EXPECT_EQ(b->SetAttribute(L"minsize", L"100dp,60dp", FALSE), S_FALSE);
    m_input->scale = 150;
    const SIZE scaled = b->MeasureDesiredSize(-1, -1);
    EXPECT_EQ(scaled.cx, 150);
    EXPECT_EQ(scaled.cy, 90);
}

TEST_F(ButtonTest, AnImageButtonThatWrapsItsContentTakesItsSkinsSize)
{
    SWindow* root = InputTree(L"<root><imgbtn name=\"wrap\" pos=\"0,0\" skin=\"wide\">a long text</imgbtn>"
                              L"<imgbtn name=\"fixed\" size=\"50,30\" skin=\"wide\"/>"
                              L"<imgbtn name=\"half\" width=\"50\" height=\"wrapContent\" skin=\"wide\"/></root>");
    const SIZE wrap = Named<SImageButton>(root, L"wrap")->MeasureDesiredSize(-1, -1);
    EXPECT_EQ(wrap.cx, 20);
    EXPECT_EQ(wrap.cy, 10);
    RECT rc = Named<SWindow>(root, L"fixed")->GetWindowRect();
    EXPECT_EQ(rc.right - rc.left, 50);
    EXPECT_EQ(rc.bottom - rc.top, 30);
    const SIZE half = Named<SImageButton>(root, L"half")->MeasureDesiredSize(-1, -1);
    EXPECT_EQ(half.cy, 10);
    EXPECT_FALSE(Named<SImageButton>(root, L"wrap")->GetFlags() & SWindow::Flag_DrawFocusRect);
}

} // namespace
