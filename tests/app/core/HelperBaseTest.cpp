#include <gtest/gtest.h>

#include "app/core/CDebugStr.h"
#include "app/core/CUniteBase.h"
#include "app/core/TextUtil.h"

namespace {

TEST(CUniteBase, NewObjectHasEmptyTexts)
{
    CUniteBase base;
    EXPECT_STREQ(base.ErrorText(), L"");
    EXPECT_STREQ(base.InfoText(), L"");
}

TEST(CUniteBase, ErrorTextGrowsShrinksAndResets)
{
    CUniteBase base;
    const std::wstring texts[] = {std::wstring(300, L'e'), L"short", std::wstring(259, L'x'),
                                  std::wstring(260, L'y'), std::wstring(1000, L'中'), L""};
    for (const auto& text : texts) {
        SCOPED_TRACE(text.size());
        base.SetErrorText(text.c_str());
        EXPECT_EQ(std::wstring(base.ErrorText()), text);
    }
    base.SetErrorText(L"again");
    base.ResetError();
    EXPECT_STREQ(base.ErrorText(), L"");
    base.SetErrorText(L"after reset");
    EXPECT_STREQ(base.ErrorText(), L"after reset");
    base.SetErrorText(nullptr);
    EXPECT_STREQ(base.ErrorText(), L"");
}

TEST(CUniteBase, FormattedErrorText)
{
    CUniteBase base;
    base.SetErrorTextF(L"Err:无法解析命令行参数\r\n%s", L"abc");
    EXPECT_STREQ(base.ErrorText(), L"Err:无法解析命令行参数\r\nabc");
    std::wstring longArg(500, L'a');
    base.SetErrorTextF(L"<%s>", longArg.c_str());
    EXPECT_EQ(std::wstring(base.ErrorText()), L"<" + longArg + L">");
}

// The accessors go through the overridable implementations.
class Overriding : public CUniteBase {
public:
    const wchar_t* GetErrorText() override { return L"from override"; }
    void ClearInfoText() override { ++clears; }
    int clears = 0;
};

TEST(CUniteBase, AccessorsDispatchToOverrides)
{
    Overriding o;
    CUniteBase& base = o;
    EXPECT_STREQ(base.ErrorText(), L"from override");
    base.ResetInfo();
    EXPECT_EQ(o.clears, 1);
}

TEST(CDebugStr, LineCarriesStampTypeAndText)
{
    EXPECT_EQ(CDebugStr::FormatLine(L"20250302 09-05-03.007", 1, L"abc"), L"20250302 09-05-03.007 Type:1,abc");
    EXPECT_EQ(CDebugStr::FormatLine(L"s", -7, L"中"), L"s Type:-7,中");
    EXPECT_EQ(FormatWString(CDebugStr::StampFormat(), 2024, 1, 31, 14, 5, 9, 123), L"20240131 14-05-09.123");
    CDebugStr debug;
    EXPECT_TRUE(debug.IsEnabled());
    debug.WriteDebugLog(3, L"written from a test");
}

} // namespace
