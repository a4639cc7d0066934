// Radio buttons: one checked per parent, checked by press, focus and
// release, and where icon and text go.
#include "ControlTestEnv.h"

#include "dui/control/SRadioBox.h"
#include "dui/core/FocusSearch.h"

using namespace DUI;
using namespace ctltest;

namespace {

// r1, a plain window, r2 (checked) in a row; r3 below; "other" holds a
// group of its own.
constexpr wchar_t kGroup[] =
    L"<root><radio name=\"r1\" pos=\"10,10,@60,@20\" skin=\"box\"/>"
    L"<window name=\"gap\" pos=\"75,10,@10,@10\"/>"
    L"<radio name=\"r2\" pos=\"90,10,@60,@20\" skin=\"box\" checked=\"1\"/>"
    L"<radio name=\"r3\" pos=\"10,40,@60,@20\" skin=\"box\"/>"
    L"<window name=\"other\" pos=\"100,40,@90,@50\"><radio name=\"o1\" pos=\"0,0,@60,@20\" checked=\"1\"/></window>"
    L"</root>";

class RadioTest : public ControlTest
{
protected:
    SRadioBox* R(const wchar_t* name) const { return Named<SRadioBox>(name); }
    std::wstring Checked() const
    {
        std::wstring names;
        for (const wchar_t* n : {L"r1", L"r2", L"r3", L"o1"})
            if (R(n) && R(n)->IsChecked())
                names += std::wstring(names.empty() ? L"" : L",") + n;
        return names;
    }
};

TEST_F(RadioTest, PressingAFocusableRadioChecksItAndQuietlyUnchecksTheOther)
{
    InputTree(kGroup);
    EXPECT_EQ(Checked(), L"r2,o1");
    EventCounter r1States(R(L"r1"), EventSwndStateChanged::EventID);
    EventCounter r2States(R(L"r2"), EventSwndStateChanged::EventID);
    EventCounter commands(R(L"r1"), EventCmd::EventID);
    Input().Mouse(WM_MOUSEMOVE, 20, 20);
    Input().Mouse(WM_LBUTTONDOWN, 20, 20);
    EXPECT_EQ(Checked(), L"r1,o1") << "checked at the press, through the focus";
    EXPECT_EQ(r2States.count, 0) << "the unchecked radio reports nothing";
    EXPECT_GE(r1States.count, 1);
    Input().Mouse(WM_LBUTTONUP, 20, 20);
    EXPECT_EQ(Checked(), L"r1,o1");
    EXPECT_EQ(commands.count, 1);
}

TEST_F(RadioTest, FocusChecksUnlessItWasRestored)
{
    struct Case
    {
        const char* name;
        LPARAM reason;
        std::wstring checked;
    };
    const Case cases[] = {
        {"direct focus change", 0, L"r3,o1"},
        {"keyboard traversal", 1, L"r3,o1"},
        {"focus given back after reactivation", 2, L"r2,o1"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        InputTree(kGroup);
        R(L"r3")->DeliverSwndMessage(WM_SETFOCUS, 0, k.reason);
        EXPECT_EQ(Checked(), k.checked);
    }
}

TEST_F(RadioTest, ArrowKeysMoveTheCheckThroughTheGroupAndWrap)
{
    InputTree(kGroup);
    CFocusManager& focus = Input().focus;
    focus.SetFocusedSwnd(R(L"r2")->GetSwnd());
    const std::pair<UINT, std::wstring> steps[] = {
        {VK_RIGHT, L"r3,o1"},   // the plain window between is no stop
        {VK_DOWN, L"r1,o1"},    // off the end: from the parent's first child
        {VK_UP, L"r3,o1"},      // and back from its last
        {VK_LEFT, L"r2,o1"},
    };
    for (const auto& [key, checked] : steps) {
        SCOPED_TRACE(key);
        EXPECT_TRUE(focus.OnKeyDown(key));
        EXPECT_EQ(Checked(), checked);
    }
}

TEST_F(RadioTest, ARadioThatCannotTakeTheFocusIsCheckedAtTheReleaseOverIt)
{
    const wchar_t* xml = L"<root><radio name=\"r1\" pos=\"10,10,@60,@20\" focusable=\"0\"/>"
                         L"<radio name=\"r2\" pos=\"90,10,@60,@20\" checked=\"1\"/></root>";
    InputTree(xml);
    Input().Mouse(WM_LBUTTONDOWN, 20, 20);
    EXPECT_EQ(Checked(), L"r2");
    Input().Mouse(WM_MOUSEMOVE, 150, 80);
    Input().Mouse(WM_LBUTTONUP, 150, 80);
    EXPECT_EQ(Checked(), L"r2") << "released outside";
    Input().Mouse(WM_LBUTTONDOWN, 20, 20);
    Input().Mouse(WM_LBUTTONUP, 21, 21);
    EXPECT_EQ(Checked(), L"r1");
    R(L"r2")->DeliverSwndMessage(WM_LBUTTONUP, 0, wndtest::PointParam(100, 20));
    EXPECT_EQ(Checked(), L"r1") << "a release without a press here checks nothing";
}

TEST_F(RadioTest, CheckedAttributeAndTheLastCheckedOfAGroupWins)
{
    InputTree(L"<root><radio name=\"r1\" checked=\"1\"/><radio name=\"r2\" checked=\"false\"/>"
              L"<radio name=\"r3\" checked=\"0\"/></root>");
    EXPECT_EQ(Checked(), L"r2") << "\"false\" checks a radio; the later checked one stays";
    auto* r3 = R(L"r3");
    EventCounter states(r3, EventSwndStateChanged::EventID);
    r3->SetAttribute(L"checked", L"1", TRUE);
    EXPECT_EQ(states.count, 0) << "quiet while a layout loads";
    EXPECT_EQ(Checked(), L"r3");
    r3->SetAttribute(L"checked", L"0", FALSE);
    EXPECT_EQ(states.count, 1);
    EXPECT_EQ(Checked(), L"");
}

TEST_F(RadioTest, AGroupWhoseCheckedRadioIsDestroyedTakesANewOne)
{
    InputTree(kGroup);
    EXPECT_TRUE(m_root->DestroyChild(R(L"r2")));
    EXPECT_EQ(R(L"r1")->GetCheckedSiblingInGroup(), nullptr);
    EXPECT_EQ(m_root->GetCheckedChildInGroup(), nullptr);
    Input().Mouse(WM_LBUTTONDOWN, 20, 50);
    Input().Mouse(WM_LBUTTONUP, 20, 50);
    EXPECT_EQ(Checked(), L"r3,o1");
    EXPECT_EQ(R(L"r1")->GetCheckedSiblingInGroup(), R(L"r3"));
    R(L"r1")->SetCheck(TRUE);
    EXPECT_EQ(Checked(), L"r1,o1");
}

TEST_F(RadioTest, IconAlignmentPlacesIconAndText)
{
    struct Case
    {
        const char* name;
        const wchar_t* attrs;
        RECT icon;
        RECT text;
    };
    // The radio's client is (10,10)-(110,40); the icon is 12 x 10.
    const Case cases[] = {
        {"default: left, middle", L"", {10, 20, 22, 30}, {26, 10, 110, 40}},
        {"right", L"iconAlign=\"right\"", {98, 20, 110, 30}, {10, 10, 94, 40}},
        {"centred at the top", L"iconAlign=\"center\" iconValign=\"top\"", {54, 10, 66, 20}, {10, 24, 110, 40}},
        {"bottom", L"iconValign=\"bottom\"", {10, 30, 22, 40}, {26, 10, 110, 26}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        const std::wstring xml =
            L"<root><radio name=\"r\" pos=\"10,10,@100,@30\" skin=\"box\" " + std::wstring(k.attrs) + L"/></root>";
        Tree(xml.c_str());
        auto* r = R(L"r");
        const RECT icon = r->GetIconRect();
        RECT text;
        r->GetTextRect(&text);
        EXPECT_TRUE(::EqualRect(&icon, &k.icon));
        EXPECT_TRUE(::EqualRect(&text, &k.text)) << text.left << "," << text.top << "," << text.right << "," << text.bottom;
        EXPECT_EQ(At(k.icon.left + 1, k.icon.top + 1), kCellPixels[0]);
        EXPECT_EQ(At(k.icon.right - 1, k.icon.bottom - 1), kCellPixels[0]);
        EXPECT_EQ(At(k.icon.right, k.icon.bottom - 1), kWhite);
    }
}

TEST_F(RadioTest, AlignmentWordsAreExact)
{
    Tree(L"<root><radio name=\"r\" pos=\"10,10,@100,@30\" skin=\"box\"/></root>");
    auto* r = R(L"r");
    EXPECT_EQ(r->SetAttribute(L"iconAlign", L"Right", FALSE), E_FAIL);
    EXPECT_EQ(r->SetAttribute(L"iconValign", L"center", FALSE), E_FAIL);
    EXPECT_EQ(r->GetIconRect().left, 10) << "a refused word keeps the alignment";
    EXPECT_EQ(r->SetAttribute(L"iconAlign", L"right", FALSE), S_OK);
    EXPECT_EQ(r->GetIconRect().left, 98);
}

TEST_F(RadioTest, RadioDrawsCheckedStatesAndItsFocusMark)
{
    Tree(L"<root><radio name=\"r\" pos=\"10,10,@100,@30\" skin=\"box\" focusSkin=\"mark\"/></root>");
    auto* r = R(L"r");
    r->SetCheck(TRUE);
    Repaint();
    EXPECT_EQ(At(15, 25), kCellPixels[4]);
    r->ModifyState(WndState_Hover, 0);
    Repaint();
    EXPECT_EQ(At(15, 25), kCellPixels[5]);
    m_host.SetFocus(r->GetSwnd());
    Repaint();
    EXPECT_EQ(At(15, 25), kCellPixels[7]);
    r->SetAttribute(L"drawFocusRect", L"0", FALSE);
    Repaint();
    EXPECT_EQ(At(15, 25), kCellPixels[5]) << "no mark without the focus-frame flag";
}

} // namespace
