// The controls' attributes: each name found in any case, the answer it
// gives after loading (S_OK: redrawn, S_FALSE: nothing more, a failure:
// refused) and what it stored; names a control does not know still reach
// the window's own.
#include "ControlTestEnv.h"

#include <functional>

#include "dui/control/SAnimateImgWnd.h"
#include "dui/control/SButton.h"
#include "dui/control/SGroup.h"
#include "dui/control/SImageWnd.h"
#include "dui/control/SLine.h"
#include "dui/control/SLink.h"
#include "dui/control/SProgress.h"
#include "dui/control/SRadioBox.h"
#include "dui/control/SScrollBar.h"
#include "dui/control/SSliderBar.h"
#include "dui/control/SToggle.h"

using namespace DUI;
using namespace ctltest;

namespace {

struct AttrCase
{
    const wchar_t* tag;
    const wchar_t* name;
    const wchar_t* value;
    HRESULT result;
    std::function<bool(SWindow*)> stored;
};

template <class T>
std::function<bool(SWindow*)> Holds(std::function<bool(T*)> check)
{
    return [check](SWindow* w) { return check(static_cast<T*>(w)); };
}

} // namespace

TEST_F(ControlTest, AttributesAnswerAndStoreAsTheirRowsSay)
{
    const AttrCase cases[] = {
        {L"progress", L"VALUE", L"37", S_FALSE, Holds<SProgress>([](SProgress* p) { return p->GetValue() == 37; })},
        {L"progress", L"min", L"0x10", S_FALSE, nullptr},
        {L"progress", L"posSkin", L"fill", S_OK, nullptr},
        {L"progress", L"bkgndskin", L"rail", S_OK, nullptr},
        {L"progress", L"vertical", L"2", S_FALSE, nullptr},
        {L"sliderbar", L"thumbSkin", L"thumb", S_OK, nullptr},
        {L"sliderbar", L"thumbInRail", L"1", S_OK, nullptr},
        {L"sliderbar", L"max", L"500", S_FALSE, nullptr},
        {L"scrollbar", L"arrowSize", L"7", S_FALSE, Holds<SScrollBar>([](SScrollBar* b) { return b->GetArrowSize() == 7; })},
        {L"scrollbar", L"Page", L"12", S_FALSE, Holds<SScrollBar>([](SScrollBar* b) { return b->GetScrollInfo().nPage == 12u; })},
        {L"scrollbar", L"max", L"90", S_FALSE, Holds<SScrollBar>([](SScrollBar* b) { return b->GetScrollInfo().nMax == 90; })},
        {L"scrollbar", L"skin", L"no such skin", S_FALSE, nullptr},
        {L"hr", L"lineColor", L"#102030", S_FALSE, Holds<SLine>([](SLine* l) { return l->GetLineColor() != 0xFF000000u; })},
        {L"hr", L"colorLine", L"", E_FAIL, nullptr},
        {L"hr", L"mode", L"diagonal", E_FAIL, nullptr},
        {L"hr", L"lineSize", L"3", S_FALSE, Holds<SLine>([](SLine* l) { return l->GetLineSize() == 3; })},
        {L"group", L"colorLine1", L"#ff0000", S_FALSE, nullptr},
        {L"group", L"colorLine2", L"", E_FAIL, nullptr},
        {L"group", L"headerHeight", L"30", S_OK, nullptr},
        {L"group", L"round", L"2", S_FALSE, nullptr},
        {L"toggle", L"toggled", L"1", S_OK, Holds<SToggle>([](SToggle* t) { return t->IsToggled() == TRUE; })},
        {L"toggle", L"skin", L"toggle", S_OK, nullptr},
        {L"img", L"skin", L"mark", S_OK, Holds<SImageWnd>([](SImageWnd* i) { return i->GetImageSkin() != nullptr; })},
        {L"img", L"iconIndex", L"4", S_FALSE, Holds<SImageWnd>([](SImageWnd* i) { return i->GetIconIndex() == 4; })},
        {L"img", L"keepAspect", L"1", S_OK, nullptr},
        {L"animateimg", L"skin", L"box", S_OK, Holds<SAnimateImgWnd>([](SAnimateImgWnd* a) { return a->GetFramesSkin() != nullptr; })},
        {L"animateimg", L"speed", L"20", S_FALSE, nullptr},
        {L"link", L"HREF", L"https://example.invalid/", S_FALSE,
         Holds<SLink>([](SLink* l) { return l->GetHref() == L"https://example.invalid/"; })},
        {L"button", L"minSize", L"1,2,3", E_INVALIDARG, nullptr},
        {L"button", L"minSize", L"10,20", S_FALSE, nullptr},
        {L"button", L"accel", L"ctrl+a", S_FALSE, Holds<SButton>([](SButton* b) { return b->GetAccel() != 0; })},
        {L"check", L"checked", L"true", S_FALSE, [](SWindow* w) { return w->IsChecked() == TRUE; }},
        {L"check", L"focusSkin", L"mark", S_FALSE, nullptr},
        {L"check", L"textOffset", L"4", E_INVALIDARG, nullptr},
        {L"radio", L"iconAlign", L"right", S_OK, nullptr},
        {L"radio", L"iconValign", L"Middle", E_FAIL, nullptr},
        {L"radio", L"skin", L"box", S_FALSE, nullptr},
    };
    for (const AttrCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "case #" << (&c - cases));
        SStringW xml(L"<root><");
        xml += c.tag;
        xml += L" name=\"c\" pos=\"10,10,@60,@20\"/></root>";
        Tree(xml.c_str());
        SWindow* control = Named<SWindow>(L"c");
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->SetAttribute(c.name, c.value, FALSE), c.result);
        if (c.stored) {
            EXPECT_TRUE(c.stored(control));
        }
    }
}

TEST_F(ControlTest, NamesAControlDoesNotKnowReachTheWindow)
{
    const wchar_t* const tags[] = {L"progress", L"sliderbar", L"scrollbar", L"hr", L"group", L"toggle", L"img",
                                   L"animateimg", L"link", L"button", L"check", L"radio", L"text", L"icon"};
    for (const wchar_t* const& tag : tags) {
        SCOPED_TRACE(testing::Message() << "tag #" << (&tag - tags));
        SStringW xml(L"<root><");
        xml += tag;
        xml += L" name=\"c\" pos=\"10,10,@60,@20\"/></root>";
        Tree(xml.c_str());
        SWindow* control = Named<SWindow>(L"c");
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->SetAttribute(L"tip", L"a tip", FALSE), control->SWindow::SetAttribute(L"tip", L"a tip", FALSE));
        EXPECT_EQ(control->SetAttribute(L"noSuchName", L"1", FALSE),
                  control->SWindow::SetAttribute(L"noSuchName", L"1", FALSE));
    }
}
