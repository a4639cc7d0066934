// The controls are made by their layout tags, with their class chains.
#include "ControlTestEnv.h"

using namespace DUI;
using namespace ctltest;

namespace {

TEST_F(ControlTest, ControlsAreMadeByTheirTags)
{
    struct Case
    {
        const wchar_t* tag;
        const wchar_t* base;
        std::vector<const wchar_t*> kinds;
    };
    const Case cases[] = {
        {L"text", L"window", {L"text", L"window"}},
        {L"button", L"window", {L"button", L"window"}},
        {L"img", L"window", {L"img", L"window"}},
        {L"imgbtn", L"button", {L"imgbtn", L"button", L"window"}},
        {L"hr", L"window", {L"hr", L"window"}},
        {L"icon", L"window", {L"icon", L"window"}},
        {L"link", L"window", {L"link", L"window"}},
        {L"animateimg", L"window", {L"animateimg", L"window"}},
        {L"check", L"window", {L"check", L"window"}},
        {L"radio", L"window", {L"radio", L"window"}},
        {L"toggle", L"window", {L"toggle", L"window"}},
        {L"group", L"window", {L"group", L"window"}},
        {L"progress", L"window", {L"progress", L"window"}},
        {L"caption", L"window", {L"caption", L"window"}},
        {L"tabctrl", L"window", {L"tabctrl", L"window"}},
        {L"page", L"window", {L"page", L"window"}},
        {L"sliderbar", L"progress", {L"sliderbar", L"progress", L"window"}},
    };
    for (const Case& k : cases) {
        const std::string narrow(k.tag, k.tag + wcslen(k.tag));
        SCOPED_TRACE(narrow);
        const std::wstring xml = L"<root><" + std::wstring(k.tag) + L" name=\"w\"/></root>";
        Tree(xml.c_str());
        SWindow* w = Named<SWindow>(L"w");
        ASSERT_NE(w, nullptr);
        EXPECT_STREQ(w->GetClassTag(), k.tag);
        for (const wchar_t* kind : k.kinds)
            EXPECT_TRUE(w->IsKindOf(kind));
        EXPECT_FALSE(w->IsKindOf(std::wstring(k.tag) == L"check" ? L"radio" : L"check"));
        EXPECT_EQ(w->GetObjectKind(), Window_Kind);
    }
}

} // namespace
