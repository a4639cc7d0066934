// Style attributes of a window to their effects: text format, colours and
// fonts per state, margin, padding and corner radius, with the named colours,
// strings and dimensions of the current UI definition.
#include <gtest/gtest.h>

#include "WindowTestEnv.h"
#include "dui/res.mgr/SFontPool.h"
#include "tests/support/ComponentLoader.h"

using namespace DUI;
using namespace wndtest;

namespace {

const char kUidef[] = "<uidef><unit defUnit=\"dp\"/>"
                      "<color><red value=\"#ff0000\"/><blue value=\"rgb(0,0,255)\"/></color>"
                      "<string><hand value=\"hand\"/></string>"
                      "<dim><gap value=\"4\"/><edge value=\"3px\"/></dim></uidef>";

struct Attr
{
    const wchar_t* name;
    const wchar_t* value;
};

class WindowStyleTest : public ::testing::Test
{
protected:
    void TearDown() override { SLayoutSize::SetDefaultUnit(L"px"); }

    // A window given the attributes in order, as while loading.
    SWindow* Styled(std::initializer_list<Attr> attrs) { return Apply(m_env.NewRoot(), attrs); }

    static SWindow* Apply(SWindow* w, std::initializer_list<Attr> attrs)
    {
        for (const Attr& a : attrs)
            w->SetAttribute(SStringW(a.name), SStringW(a.value), TRUE);
        return w;
    }

    WindowEnv m_env{{{L"uidef.xml", kUidef}}};
};

} // namespace

TEST_F(WindowStyleTest, TextFormat)
{
    struct Case { const char* name; std::initializer_list<Attr> attrs; UINT want; };
    const Case cases[] = {
        {"default: one line centred both ways", {}, DT_CENTER | DT_VCENTER | DT_SINGLELINE},
        {"multi-line", {{L"multiLines", L"1"}}, DT_CENTER | DT_VCENTER},
        {"ellipsis", {{L"dotted", L"1"}}, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS},
        {"left and bottom", {{L"align", L"left"}, {L"valign", L"bottom"}}, DT_BOTTOM | DT_SINGLELINE},
        {"right and top", {{L"align", L"right"}, {L"valign", L"top"}}, DT_RIGHT | DT_SINGLELINE},
        {"capitalised word is refused", {{L"align", L"Center"}, {L"align", L"Left"}},
         DT_CENTER | DT_VCENTER | DT_SINGLELINE},
        {"explicit mode replaces all", {{L"textMode", L"0x25"}, {L"dotted", L"1"}}, 0x25},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Styled(c.attrs)->GetStyle().GetTextAlign(), c.want);
    }
}

TEST_F(WindowStyleTest, SizesAtScale)
{
    struct Case { const char* name; std::initializer_list<Attr> attrs; int scale; RECT margin; RECT padding; };
    const Case cases[] = {
        {"one value for all sides", {{L"margin", L"2"}}, 100, {2, 2, 2, 2}, {0, 0, 0, 0}},
        {"bare numbers are in the default unit", {{L"margin", L"2"}}, 150, {3, 3, 3, 3}, {0, 0, 0, 0}},
        {"two values: left and top only", {{L"margin", L"2"}, {L"margin", L"5,6"}}, 100, {5, 6, 2, 2}, {0, 0, 0, 0}},
        {"three values change nothing", {{L"margin", L"2"}, {L"margin", L"5,6,7"}}, 100, {2, 2, 2, 2}, {0, 0, 0, 0}},
        {"four values and units", {{L"padding", L"1px,2,3px,4"}}, 150, {0, 0, 0, 0}, {1, 3, 3, 6}},
        {"named dimensions", {{L"inset", L"@dim/gap,@dim/edge"}}, 200, {0, 0, 0, 0}, {8, 3, 0, 0}},
        {"one side", {{L"padding_right", L"7px"}}, 100, {0, 0, 0, 0}, {0, 0, 7, 0}},
        {"x and y margins", {{L"margin-x", L"1px"}, {L"margin-y", L"2px"}}, 100, {1, 2, 1, 2}, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SwndStyle& style = Styled(c.attrs)->GetStyle();
        style.SetScale(c.scale);
        const RECT m = style.GetMargin();
        const RECT p = style.GetPadding();
        EXPECT_TRUE(EqualRect(&m, &c.margin)) << m.left << "," << m.top << "," << m.right << "," << m.bottom;
        EXPECT_TRUE(EqualRect(&p, &c.padding)) << p.left << "," << p.top << "," << p.right << "," << p.bottom;
    }

    SwndStyle& round = Styled({{L"round", L"3"}})->GetStyle();
    EXPECT_EQ(round.GetRound().cx, 3);
    EXPECT_EQ(round.GetRound().cy, 3);
    EXPECT_EQ(Styled({{L"round", L"3,5"}, {L"round", L""}})->GetStyle().GetRound().cy, 5);
}

TEST_F(WindowStyleTest, ColoursCursorAndSwitches)
{
    SWindow* w = Styled({{L"colorText", L"@color/red"}, {L"colorTextHover", L"@color/blue"},
                         {L"colorBkgnd", L"#102030"}, {L"cursor", L"@string/hand"}, {L"alpha", L"128"},
                         {L"bkgndBlend", L"0"}, {L"sepSpace", L"0x107"}});
    const SwndStyle& style = w->GetStyle();
    EXPECT_EQ(style.GetTextColor(0), 0xFF0000FFu);
    EXPECT_EQ(style.GetTextColor(1), 0xFFFF0000u);
    EXPECT_EQ(style.GetTextColor(2), 0xFF0000FFu);   // unset states fall back to normal
    EXPECT_EQ(style.m_crBg, 0xFF302010u);
    EXPECT_STREQ(style.m_strCursor, L"hand");
    EXPECT_EQ(w->GetAlpha(), 128);
    EXPECT_FALSE(style.HasFlag(SwndStyle::Flag_BkgndBlend));
    EXPECT_EQ(style.m_bySepSpace, 7);
    EXPECT_EQ(style.GetStateCount(), 2);   // a hover colour: the window redraws on hover
    EXPECT_TRUE(w->NeedRedrawOnStateChange());
    EXPECT_FALSE(Styled({})->NeedRedrawOnStateChange());
    EXPECT_EQ(w->SetAttribute(SStringW(L"colorText"), SStringW(), FALSE), E_FAIL);
}

TEST_F(WindowStyleTest, FontsPerStateAtTheWindowScale)
{
    testcomp::ComponentLoader render(L"render.dll");
    auto factory = SRefPtr<IPaintFactory>::Adopt(render.Create<IPaintFactory>());
    ASSERT_TRUE(factory);
    SFontPool fonts(factory.Get());
    // The window goes before the pool and the component that made its fonts.
    const SRefPtr<SWindow> w = SRefPtr<SWindow>::Adopt(
        Apply(new SWindow(), {{L"font", L"face:Arial,size:10"}, {L"fontHover", L"size:20px"}}));
    const SwndStyle& style = w->GetStyle();
    ASSERT_NE(style.GetTextFont(0), nullptr);
    EXPECT_EQ(style.GetTextFont(0)->LogFont()->lfHeight, -10);
    EXPECT_EQ(style.GetTextFont(1)->LogFont()->lfHeight, -20);
    EXPECT_EQ(style.GetTextFont(3), style.GetTextFont(0));
    EXPECT_EQ(style.GetStateCount(), 2);
    w->GetStyle().SetScale(200);   // units other than px grow with the scale
    EXPECT_EQ(style.GetTextFont(0)->LogFont()->lfHeight, -20);
    EXPECT_EQ(style.GetTextFont(1)->LogFont()->lfHeight, -20);
}

// The style's own table answers each name, in any case, with its result code
// while loading and afterwards; a value it cannot read is refused.
TEST_F(WindowStyleTest, EveryAttributeAnswersItsResult)
{
    struct Case { const wchar_t* attr; const wchar_t* value; HRESULT loading, live; };
    const Case cases[] = {
        {L"textMode", L"1", S_OK, S_OK},           {L"round", L"2,3", S_FALSE, S_OK},
        {L"round", L"1,2,3", S_FALSE, S_OK},       {L"multiLines", L"1", S_FALSE, S_FALSE},
        {L"align", L"right", S_OK, S_OK},          {L"align", L"Right", E_FAIL, E_FAIL},
        {L"valign", L"bottom", S_OK, S_OK},        {L"valign", L"center", E_FAIL, E_FAIL},
        {L"colorBkgnd", L"#fff", S_OK, S_OK},      {L"colorBkgnd", L"", E_FAIL, E_FAIL},
        {L"colorBorder", L"#fff", S_OK, S_OK},     {L"colorBorder", L"", E_FAIL, E_FAIL},
        {L"font", L"size:12", S_OK, S_OK},         {L"FontHover", L"size:12", S_OK, S_OK},
        {L"fontPush", L"", S_OK, S_OK},            {L"fontDisable", L"size:9", S_OK, S_OK},
        {L"colorText", L"#123", S_OK, S_OK},       {L"colorTextHover", L"#123", S_OK, S_OK},
        {L"colorTextPush", L"", E_FAIL, E_FAIL},   {L"colorTextDisable", L"#123", S_OK, S_OK},
        {L"margin-x", L"1", S_FALSE, S_OK},        {L"MARGIN-Y", L"1", S_FALSE, S_OK},
        {L"margin", L"1,2,3", S_FALSE, S_OK},      {L"inset", L"1", S_FALSE, S_OK},
        {L"padding", L"1,2", S_FALSE, S_OK},       {L"padding_left", L"1", S_OK, S_OK},
        {L"padding_top", L"1", S_OK, S_OK},        {L"padding_right", L"1", S_OK, S_OK},
        {L"padding_bottom", L"1", S_OK, S_OK},     {L"cursor", L"hand", S_FALSE, S_FALSE},
        {L"dotted", L"1", S_FALSE, S_FALSE},       {L"trackMouseEvent", L"1", S_FALSE, S_FALSE},
        {L"alpha", L"9", S_OK, S_OK},              {L"bkgndBlend", L"0", S_OK, S_OK},
        {L"sepSpace", L"3", S_OK, S_OK},           {L"skin", L"x", E_NOTIMPL, E_NOTIMPL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.attr << "=" << c.value);
        SwndStyle style;
        EXPECT_EQ(style.SetAttribute(SStringW(c.attr), SStringW(c.value), TRUE), c.loading);
        EXPECT_EQ(style.SetAttribute(SStringW(c.attr), SStringW(c.value), FALSE), c.live);
    }
    // One value of each family lands where it belongs.
    SwndStyle style;
    (void)style.SetAttribute(L"colorTextDisable", L"#ff0000", TRUE);
    (void)style.SetAttribute(L"padding_bottom", L"7px", TRUE);
    (void)style.SetAttribute(L"TRACKMOUSEEVENT", L"3", TRUE);
    (void)style.SetAttribute(L"sepSpace", L"0x1ff", TRUE);
    EXPECT_EQ(style.GetTextColor(3), 0xFF0000FFu);
    EXPECT_EQ(style.GetPadding().bottom, 7);
    EXPECT_TRUE(style.HasFlag(SwndStyle::Flag_TrackMouse));
    EXPECT_EQ(style.m_bySepSpace, 0xFF);
}
