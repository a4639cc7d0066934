#include <gtest/gtest.h>

#include "app/core/CCmdLineParse.h"
#include "app/core/CRegEx.h"

namespace {

using Params = std::map<std::wstring, std::wstring>;

TEST(CCmdLineParse, ParsesNamesAndValues)
{
    struct Case { const char* name; std::wstring line; Params expected; };
    const Case cases[] = {
        {"quoted and plain", L"/A=1 /b=\"x y\"", {{L"/a", L"1"}, {L"/b", L"\"x y\""}}},
        {"empty value", L"/a= /b=2", {{L"/a", L""}, {L"/b", L"2"}}},
        {"blank before equals", L"/name   =v", {{L"/name", L"v"}}},
        {"greedy name", L"/a=b=c", {{L"/a=b", L"c"}}},
        {"later wins", L"/k=1 /K=2", {{L"/k", L"2"}}},
        {"noise between", L"prog.exe /x=1 junk /y=\"\"", {{L"/x", L"1"}, {L"/y", L"\"\""}}},
        {"unclosed quote", L"/u=\"open value", {{L"/u", L"\"open"}}},
        {"chinese", L"/路径=\"C:\\文档 1\"", {{L"/路径", L"\"C:\\文档 1\""}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CCmdLineParse parser;
        ASSERT_TRUE(parser.Parse(c.line)) << std::wstring(parser.ErrorText()).size();
        EXPECT_EQ(parser.Params(), c.expected);
    }
}

TEST(CCmdLineParse, TextWithoutPairsFailsWithAnExplanation)
{
    const std::wstring lines[] = {L"no pairs here", L"", L"/novalue", L"a=b"};
    for (const auto& line : lines) {
        CCmdLineParse parser;
        parser.Set(L"/stale", L"1");
        EXPECT_FALSE(parser.Parse(line));
        EXPECT_EQ(std::wstring(parser.ErrorText()), L"Err:无法解析命令行参数\r\n" + line);
        EXPECT_TRUE(parser.Params().empty());
    }
}

TEST(CCmdLineParse, VeryLongLinesDoNotBreakIt)
{
    std::wstring manyPairs;
    for (int i = 0; i < 2000; ++i)
        manyPairs += L"/k" + std::to_wstring(i) + L"=\"v " + std::to_wstring(i) + L"\" ";
    CCmdLineParse parser;
    ASSERT_TRUE(parser.Parse(manyPairs));
    EXPECT_EQ(parser.Params().size(), 2000u);
    EXPECT_EQ(parser.Params().at(L"/k1999"), L"\"v 1999\"");

    // One huge unclosed quote: the search may give up, but must answer.
    std::wstring unclosed = L"/a=\"" + std::wstring(200000, L'x') + L" /b=1";
    CCmdLineParse other;
    bool parsed = other.Parse(unclosed);
    if (parsed)
        EXPECT_EQ(other.Params().at(L"/b"), L"1");
    else
        EXPECT_EQ(std::wstring(other.ErrorText()).rfind(L"Err:", 0), 0u);
}

TEST(CCmdLineParse, ToStringQuotesEveryValueOnceInNameOrder)
{
    CCmdLineParse parser;
    std::wstring out = L"stale";
    parser.ToString(out);
    EXPECT_EQ(out, L"");
    parser.Set(L"/verinfo", L"\"1.0.2\"");
    parser.Set(L"/appfile", L"C:\\Program Files\\Vesk\\app.exe");
    parser.Set(L"/URLBASEMAIN", L"\"\"http://h/\"\"");
    parser.Set(L"/ppid", L"");
    parser.ToString(out);
    EXPECT_EQ(out, L"/URLBASEMAIN=\"http://h/\" /appfile=\"C:\\Program Files\\Vesk\\app.exe\" /ppid=\"\" /verinfo=\"1.0.2\"");

    CCmdLineParse back;
    ASSERT_TRUE(back.Parse(out));
    EXPECT_EQ(back.Params().at(L"/appfile"), L"\"C:\\Program Files\\Vesk\\app.exe\"");
    EXPECT_EQ(back.Params().at(L"/urlbasemain"), L"\"http://h/\"");
}

TEST(CRegEx, FetchAllCollectsEveryMatchWithGroups)
{
    CRegExW regex;
    CRegExW::Rows rows;
    ASSERT_TRUE(regex.fetchAll(rows, L"(\\d+)(x)?", L"a12x b3 c"));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (std::vector<std::wstring>{L"12x", L"12", L"x"}));
    EXPECT_EQ(rows[1], (std::vector<std::wstring>{L"3", L"3", L""}));
    EXPECT_FALSE(regex.fetchAll(rows, L"Z", L"abc"));
    EXPECT_TRUE(rows.empty());
    EXPECT_FALSE(regex.fetchAll(rows, L"Q", L"q")) << "case-sensitive";
}

TEST(CRegEx, EmptyArgumentsAndDefaults)
{
    CRegExW regex;
    CRegExW::Rows rows{{L"kept"}};
    EXPECT_FALSE(regex.fetchAll(rows, L"", L"abc"));
    EXPECT_FALSE(regex.fetchAll(rows, L"a", L""));
    EXPECT_EQ(rows.size(), 1u) << "rows untouched when nothing is tried";
    regex.SetDefaultPattern(L"b+");
    regex.SetDefaultText(L"abbc");
    ASSERT_TRUE(regex.fetchAll(rows, L"", L""));
    EXPECT_EQ(rows, (CRegExW::Rows{{L"bb"}}));
}

TEST(CRegEx, InvalidPatternBecomesErrorText)
{
    CRegExW regex;
    CRegExW::Rows rows;
    EXPECT_FALSE(regex.fetchAll(rows, L"(unclosed", L"text"));
    EXPECT_EQ(std::wstring(regex.ErrorText()).rfind(L"fetch boost::bad_expression ", 0), 0u);
}

TEST(CRegEx, EmptyMatchesStillAdvance)
{
    CRegExW regex;
    CRegExW::Rows rows;
    ASSERT_TRUE(regex.fetchAll(rows, L"x*", L"axxb"));
    ASSERT_GE(rows.size(), 2u);
    EXPECT_LE(rows.size(), 5u);
}

} // namespace
