// The controls are made by their layout tags and know their kind.
#include <gtest/gtest.h>

#include "ControlTestEnv.h"
#include "dui/core/SObjectFactoryMgr.h"

using namespace ctltest;

namespace {

using RegistrationTest = ControlTest;

TEST_F(RegistrationTest, EveryTagMakesItsClassWithItsKinds)
{
    struct Case
    {
        const wchar_t* tag;
        std::vector<const wchar_t*> kinds;
        std::vector<const wchar_t*> notKinds;
    };
    const Case cases[] = {
        {L"text", {L"text", L"window"}, {L"link", L"button"}},
        {L"link", {L"link", L"window"}, {L"text"}},
        {L"button", {L"button", L"window"}, {L"imgbtn"}},
        {L"imgbtn", {L"imgbtn", L"button", L"window"}, {L"img"}},
        {L"img", {L"img", L"window"}, {L"icon"}},
        {L"icon", {L"icon", L"window"}, {L"img"}},
        {L"animateimg", {L"animateimg", L"window"}, {L"img"}},
        {L"hr", {L"hr", L"window"}, {L"text"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.tag);
        SWindow* w = m_env.Registry().NewWindowByTag(c.tag);
        ASSERT_NE(w, nullptr);
        EXPECT_STREQ(w->GetClassTag(), c.tag);
        EXPECT_EQ(w->GetObjectKind(), Window_Kind);
        for (const wchar_t* kind : c.kinds)
            EXPECT_TRUE(w->IsKindOf(kind)) << kind;
        for (const wchar_t* kind : c.notKinds)
            EXPECT_FALSE(w->IsKindOf(kind)) << kind;
        w->Release();
    }
}

TEST_F(RegistrationTest, ButtonsTakeTheFocusAndTextsDoNot)
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

} // namespace
