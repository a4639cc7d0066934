// Window trees built from XML: the window attribute table, identity,
// includes and templates, and layouts that are faulty or hostile.
#include <gtest/gtest.h>

#include "WindowTestEnv.h"
#include "tests/app/core/DebugCapture.h"

using namespace DUI;
using namespace wndtest;

namespace {

bool Logged(DebugCapture& capture, const wchar_t* text)
{
    for (const std::wstring& line : capture.Lines()) {
        if (line.find(text) != std::wstring::npos)
            return true;
    }
    return false;
}

// A window class whose creation fails, as a control may refuse its XML.
class RefusingWindow : public SWindow
{
    DUI_CLASS_NAME(RefusingWindow, SWindow, L"refuse", Window_Kind)
protected:
    int OnCreate() override { return -1; }
};

} // namespace

TEST(WindowXml, IdAndNameRules)
{
    WindowEnv env;
    const NamedIdRecord ids[] = {{L"btn_close", 8}, {L"btn_ok", 1}};
    env.Ids().Init(ids, 2, FALSE);
    struct Case { const char* name; const wchar_t* xml; int id; };
    const Case cases[] = {
        {"dialog id", L"<window id=\"IDCANCEL\"/>", 2},
        {"dialog id in any case", L"<window id=\"idok\"/>", 1},
        {"unknown ID word keeps the id", L"<window id=\"IDFOO\"/>", 0},
        {"leading digits", L"<window id=\"12ab\"/>", 12},
        {"hexadecimal is not read", L"<window id=\"0x10\"/>", 0},
        {"empty keeps the id", L"<window id=\"\"/>", 0},
        {"name gives its table id", L"<window name=\"btn_close\"/>", 8},
        {"name is matched exactly", L"<window name=\"BTN_CLOSE\"/>", 0},
        {"a later id overrides", L"<window name=\"btn_close\" id=\"40\"/>", 40},
        {"an earlier id stays", L"<window id=\"IDCANCEL\" name=\"btn_ok\"/>", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SWindow* root = env.Build((std::wstring(L"<root>") + c.xml + L"</root>").c_str());
        ASSERT_EQ(root->GetChildrenCount(), 1u);
        EXPECT_EQ(root->GetNthChild(1)->GetID(), c.id);
    }
}

TEST(WindowXml, AttributeResults)
{
    WindowEnv env;
    SWindow* w = env.NewRoot();
    ASSERT_EQ(w->SetAttribute(SStringW(L"layout"), SStringW(L"testRow"), FALSE), S_OK);
    struct Case { const char* name; const wchar_t* attr; const wchar_t* value; HRESULT want; };
    const Case cases[] = {
        {"own, nothing more", L"focusable", L"1", S_FALSE},
        {"own, redraw", L"drawFocusRect", L"0", S_OK},
        {"case of the name is ignored", L"FOCUSABLE", L"0", S_FALSE},
        {"taken by the style", L"colorText", L"#ff0000", kAttrFromStyle | S_OK},
        {"refused by the style", L"align", L"Center", E_FAIL},
        {"taken by the layout parameter", L"pos", L"0,0,10,10", kAttrFromLayoutParam | S_OK},
        {"unknown layout", L"layout", L"noSuchLayout", E_INVALIDARG},
        {"nobody's", L"noSuchAttribute", L"1", E_FAIL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(w->SetAttribute(SStringW(c.attr), SStringW(c.value), FALSE), c.want);
    }
    EXPECT_FALSE(w->IsFocusable());
    EXPECT_EQ(w->GetStyle().GetTextColor(0), 0xFF0000FFu);
    EXPECT_STREQ(w->GetLayout()->GetClassTag(), L"testRow");   // an unknown layout leaves the current one
}

TEST(WindowXml, FlagsVisibilityAndText)
{
    WindowEnv env;
    SWindow* root = env.Build(L"<root><window name=\"off\" enable=\"0\" visible=\"false\">"
                              L"<window name=\"inner\" float=\"1\" data=\"0x20\">  label\t\r\n</window></window>"
                              L"<window name=\"plain\" text=\"attr\" msgTransparent=\"1\" display=\"0\"/></root>");
    SWindow* off = root->FindChildByName(L"off");
    SWindow* inner = root->FindChildByName(L"inner");
    SWindow* plain = root->FindChildByName(L"plain");
    EXPECT_TRUE(off->IsDisabled(TRUE));
    EXPECT_FALSE(off->IsVisible(FALSE));
    // A child built under a hidden, disabled parent starts that way itself,
    // while its own settings stay as written.
    EXPECT_TRUE(inner->IsDisabled(TRUE));
    EXPECT_FALSE(inner->IsVisible(TRUE));
    EXPECT_TRUE(inner->IsVisible(FALSE));
    EXPECT_TRUE(inner->IsFloat());
    EXPECT_EQ(inner->GetUserData(), 0x20u);
    EXPECT_STREQ(inner->GetWindowText(TRUE), L"label");
    EXPECT_STREQ(plain->GetWindowText(TRUE), L"attr");
    EXPECT_TRUE(plain->IsMsgTransparent());
    EXPECT_FALSE(plain->IsDisplay());
    EXPECT_TRUE(plain->IsVisible(TRUE));

    // Showing the parent again restores the child whose own flag is set.
    off->SetVisible(TRUE);
    EXPECT_TRUE(inner->IsVisible(TRUE));
    // Enabling the parent enables a child disabled only by inheritance.
    off->EnableWindow(TRUE);
    EXPECT_FALSE(inner->IsDisabled(TRUE));
}

TEST(WindowXml, ClassStylesAndTaggedStyles)
{
    WindowEnv env({{L"uidef.xml", "<uidef><style>"
                                  "<class name=\"big\" class=\"ignored\" margin=\"3\" focusable=\"1\"/>"
                                  "<class name=\"window.red\" colorText=\"#ff0000\"/>"
                                  "</style></uidef>"}});
    SWindow* root = env.Build(L"<root><window name=\"a\" class=\"big\" margin=\"4\"/>"
                              L"<window.red name=\"b\"/><window name=\"c\" class=\"nothing\"/></root>");
    SWindow* a = root->FindChildByName(L"a");
    EXPECT_TRUE(a->IsFocusable());
    EXPECT_EQ(a->GetStyle().GetMargin().left, 4);   // the element refines its class
    EXPECT_EQ(root->FindChildByName(L"b")->GetStyle().GetTextColor(0), 0xFF0000FFu);
    EXPECT_FALSE(root->FindChildByName(L"c")->IsFocusable());
}

TEST(WindowXml, AChildThatRefusesCreationIsRemoved)
{
    WindowEnv env;
    env.Registry().TplRegisterFactory<RefusingWindow>();
    SWindow* root = env.Build(L"<root><window name=\"a\"/><refuse name=\"no\"><window/></refuse>"
                              L"<window name=\"b\"/></root>");
    EXPECT_EQ(ChildNames(root), L"a,b");
}

TEST(WindowXml, Includes)
{
    WindowEnv env({
        {L"part.xml", "<window name=\"part\" id=\"3\" focusable=\"1\"><window name=\"inside\"/></window>"},
        {L"three.xml", "<include><window name=\"x\"/><window name=\"y\"/><window name=\"z\"/></include>"},
        {L"tworoots.xml", "<window name=\"first\"/><window name=\"second\"/>"},
    });
    DebugCapture capture;
    SWindow* root = env.Build(L"<root><include src=\"part\" id=\"9\" name=\"renamed\"/>"
                              L"<include src=\"LAYOUT:three\"/><include src=\"layout:tworoots\"/></root>");
    EXPECT_EQ(ChildNames(root), L"renamed,x,y,z,first");
    SWindow* part = root->GetNthChild(1);
    EXPECT_EQ(part->GetID(), 9);   // the include's attributes override the root's
    EXPECT_TRUE(part->IsFocusable());
    EXPECT_EQ(ChildNames(part), L"inside");
    EXPECT_TRUE(Logged(capture, L"warning! multi root include layout is not supported! "
                                L"DUI::SWindow::CreateChildren dui\\src\\core\\swnd:737"));
}

TEST(WindowXml, Templates)
{
    WindowEnv env({{L"uidef.xml",
                    "<uidef><template>"
                    "<row><window name=\"{{n}}\" tip=\"{{n}}-{{n}} {{other}}\"><window name=\"{{n}}_in\"/></window></row>"
                    "<loop><window name=\"loop\"><t:loop/></window></loop>"
                    "</template></uidef>"}});
    DebugCapture capture;
    SWindow* root = env.Build(L"<root><t:row id=\"4\"><data n=\"r1\"/></t:row><t:missing/><t:loop/>"
                              L"<window name=\"after\"/></root>");
    EXPECT_EQ(ChildNames(root), L"r1,loop,after");
    SWindow* row = root->GetNthChild(1);
    EXPECT_EQ(row->GetID(), 4);
    EXPECT_STREQ(row->GetToolTipText(), L"r1-r1 {{other}}");   // unnamed placeholders stay
    EXPECT_EQ(ChildNames(row), L"r1_in");
    EXPECT_EQ(root->FindChildByName(L"loop")->GetChildrenCount(), 0u);
    EXPECT_TRUE(Logged(capture, L"template [missing] not found"));
    EXPECT_TRUE(Logged(capture, L"template [loop] skipped: it uses itself"));
}

TEST(WindowXml, FaultyLayoutsLeaveAUsableTree)
{
    WindowEnv env({
        {L"self.xml", "<window name=\"self\"><include src=\"self\"/></window>"},
        {L"ping.xml", "<window name=\"ping\"><include src=\"pong\"/></window>"},
        {L"pong.xml", "<window name=\"pong\"><include src=\"ping\"/></window>"},
    });
    DebugCapture capture;
    SWindow* root = env.Build(L"<root><noSuchTag name=\"bad\"><window/></noSuchTag><include src=\"missing\"/>"
                              L"<include src=\"self\"/><include src=\"ping\"/><window name=\"last\"/></root>");
    EXPECT_EQ(ChildNames(root), L"self,ping,last");
    EXPECT_EQ(root->FindChildByName(L"self")->GetChildrenCount(), 0u);
    EXPECT_STREQ(root->FindChildByName(L"pong")->GetParent()->GetName(), L"ping");
    EXPECT_EQ(root->FindChildByName(L"pong")->GetChildrenCount(), 0u);
    EXPECT_TRUE(Logged(capture, L"Warning: no object nosuchtag of type:1 in DUI!!"));
    EXPECT_TRUE(Logged(capture, L"include of [missing] skipped: no such layout"));
    EXPECT_TRUE(Logged(capture, L"include of [self] skipped: it includes itself"));
    EXPECT_TRUE(Logged(capture, L"include of [ping] skipped: it includes itself"));
}

TEST(WindowXml, AVeryDeepLayoutIsCutAndLogged)
{
    WindowEnv env;
    std::wstring xml = L"<root>";
    for (int i = 0; i < 10000; ++i)
        xml += L"<window>";
    for (int i = 0; i < 10000; ++i)
        xml += L"</window>";
    xml += L"<window name=\"sibling\"/></root>";
    DebugCapture capture;
    SWindow* root = env.Build(xml.c_str());
    int depth = 0;
    for (SWindow* w = root->GetNthChild(1); w; w = w->GetNthChild(1))
        ++depth;
    EXPECT_EQ(depth, 256);
    EXPECT_NE(root->FindChildByName(L"sibling"), nullptr);
    EXPECT_TRUE(Logged(capture, L"layout deeper than 256 levels"));
    EXPECT_TRUE(root->OnRectChanged(RECT{0, 0, 100, 100}));   // the cut tree lays out like any other
}

// Every attribute of the window's own table answers its result code while
// loading and afterwards; the style's come back marked as the style's.
TEST(WindowXml, EveryOwnAttributeAnswersItsResult)
{
    WindowEnv env;
    struct Case { const wchar_t* attr; const wchar_t* value; HRESULT loading, live; };
    const HRESULT style = kAttrFromStyle;
    const Case cases[] = {
        {L"layout", L"testRow", S_OK, S_OK},         {L"class", L"nothing", S_FALSE, S_FALSE},
        {L"id", L"5", S_FALSE, S_FALSE},             {L"name", L"n", S_FALSE, S_FALSE},
        {L"skin", L"noSkin", S_FALSE, S_OK},         {L"ncskin", L"noSkin", S_OK, S_OK},
        {L"data", L"0x10", S_FALSE, S_FALSE},        {L"text", L"t", S_OK, S_OK},
        {L"trCtx", L"ctx", S_FALSE, S_FALSE},        {L"enable", L"1", S_FALSE, S_FALSE},
        {L"visible", L"1", S_FALSE, S_FALSE},        {L"SHOW", L"1", S_FALSE, S_FALSE},
        {L"display", L"1", S_FALSE, S_OK},           {L"cache", L"0", S_FALSE, S_FALSE},
        {L"alpha", L"200", S_FALSE, S_OK},           {L"layeredWindow", L"0", S_FALSE, S_OK},
        {L"trackMouseEvent", L"0", S_FALSE, S_FALSE}, {L"tip", L"hint", S_FALSE, S_FALSE},
        {L"msgTransparent", L"0", S_FALSE, S_FALSE}, {L"maxWidth", L"10", S_FALSE, S_FALSE},
        {L"clipClient", L"0", S_FALSE, S_FALSE},     {L"focusable", L"0", S_FALSE, S_FALSE},
        {L"drawFocusRect", L"1", S_OK, S_OK},        {L"float", L"0", S_FALSE, S_FALSE},
        {L"textMode", L"0", style | S_OK, style | S_OK}, {L"round", L"2", style | S_FALSE, style | S_OK},
        {L"cursor", L"hand", style | S_FALSE, style | S_FALSE},
        {L"valign", L"Top", E_FAIL, E_FAIL},
        {L"noSuchAttribute", L"1", E_FAIL, E_FAIL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.attr << "=" << c.value);
        EXPECT_EQ(env.NewRoot()->SetAttribute(SStringW(c.attr), SStringW(c.value), TRUE), c.loading);
        EXPECT_EQ(env.NewRoot()->SetAttribute(SStringW(c.attr), SStringW(c.value), FALSE), c.live);
    }
}
