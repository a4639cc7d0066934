#include <gtest/gtest.h>

#include "dui/core/SHostWndAttr.h"

using namespace DUI;

namespace {

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

} // namespace

TEST(HostWndAttr, DefaultsAndInit)
{
    SHostWndAttr attr;
    EXPECT_EQ(attr.GetFlags(), 0x1000FFu);
    EXPECT_TRUE(attr.IsKindOf(L"SHostWndAttr"));
    EXPECT_FALSE(attr.IsKindOf(L"window"));
    attr.SetAttribute(L"trCtx", L"dlg", TRUE);
    attr.SetAttribute(L"title", L"Hello", TRUE);
    attr.SetAttribute(L"translucent", L"1", TRUE);
    attr.SetAttribute(L"wndStyle", L"0x10", TRUE);
    attr.SetAttribute(L"alpha", L"7", TRUE);
    attr.Init();
    EXPECT_EQ(attr.GetFlags(), 0x1000FFu);
    EXPECT_EQ(attr.GetWndStyle(), 0u);
    EXPECT_STREQ(attr.GetTrCtx(), L"dlg");
    EXPECT_STREQ(attr.GetTitle(), L"Hello");
}

TEST(HostWndAttr, AttributeTable)
{
    struct Case {
        const char* name;
        LPCWSTR attr, value;
        HRESULT result;
        bool (*check)(const SHostWndAttr&);
    };
    const Case cases[] = {
        {"margin", L"MARGIN", L"1,2,3,4", 1,
         [](const SHostWndAttr& a) { return SameRect(a.GetMargin(100), RECT{1, 2, 3, 4}); }},
        {"margin needs four", L"margin", L"1,2,3", E_INVALIDARG,
         [](const SHostWndAttr& a) { return SameRect(a.GetMargin(100), RECT{}); }},
        {"empty pieces skipped", L"maxInset", L"5,,6,7,8", 1,
         [](const SHostWndAttr& a) { return SameRect(a.GetMaxInset(100), RECT{5, 6, 7, 8}); }},
        {"minsize", L"minsize", L"10dp,20dp", 1,
         [](const SHostWndAttr& a) { return a.GetMinSize(200).cx == 20 && a.GetMinSize(200).cy == 40; }},
        {"minsize needs two", L"minsize", L"10", E_INVALIDARG,
         [](const SHostWndAttr& a) { return a.GetMinSize(100).cx == 0; }},
        {"hex style", L"wndStyle", L"0x80000000", 1,
         [](const SHostWndAttr& a) { return a.GetWndStyle() == 0x80000000u; }},
        {"flag from bit 0", L"resizable", L"3", 1, [](const SHostWndAttr& a) { return a.IsResizable() == TRUE; }},
        {"even value clears", L"allowSpy", L"2", 1, [](const SHostWndAttr& a) { return a.IsAllowSpy() == FALSE; }},
        {"alpha low byte", L"alpha", L"0x1C8", 1, [](const SHostWndAttr& a) { return a.GetAlpha() == 0xC8; }},
        {"wndType", L"wndType", L"appMain", 1,
         [](const SHostWndAttr& a) { return a.GetWndType() == SHostWndAttr::WT_APPMAIN; }},
        {"wndType case matters", L"wndType", L"AppMain", E_FAIL,
         [](const SHostWndAttr& a) { return a.GetWndType() == SHostWndAttr::WT_UNDEFINE; }},
        {"wrap content width", L"width", L"-1", 1, [](const SHostWndAttr& a) { return a.GetWidth().IsWrapContent(); }},
        {"unknown", L"colour", L"red", E_FAIL, [](const SHostWndAttr& a) { return a.GetFlags() == 0x1000FFu; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SHostWndAttr attr;
        EXPECT_EQ(attr.SetAttribute(c.attr, c.value, TRUE), c.result);
        EXPECT_TRUE(c.check(attr));
    }
}
