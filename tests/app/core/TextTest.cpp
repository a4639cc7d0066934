#include <gtest/gtest.h>

#include <cwctype>
#include <set>

#include "app/core/TextEncoding.h"
#include "app/core/TextUtil.h"
#include "app/core/UrlText.h"
#include "app/core/WindowActivate.h"
#include "dui/core/base/SCodePage.h"
#include "dui/core/base/StringSplit.h"

namespace {

const std::string kZhongUtf8 = "\xE4\xB8\xAD"; // 中

TEST(TextEncoding, RoundTripsThroughUtf8)
{
    const std::wstring texts[] = {L"", L"abc", L"中文路径\\报告.pdf", L"\U0001F600 emoji"};
    for (const auto& text : texts) {
        std::string utf8;
        ASSERT_TRUE(WideToUtf8(text, utf8));
        std::wstring back;
        ASSERT_TRUE(Utf8ToWide(utf8, back));
        EXPECT_EQ(back, text);
        EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
    }
    std::string utf8;
    ASSERT_TRUE(WideToUtf8(L"中", utf8));
    EXPECT_EQ(utf8, kZhongUtf8);
    EXPECT_EQ(DUI::SStringToUtf8(DUI::SStringW(L"中")), kZhongUtf8);
}

TEST(TextEncoding, StopsAtTheFirstNulAndSubstitutesBadBytes)
{
    std::wstring withNul(L"ab\0cd", 5);
    EXPECT_EQ(ToUtf8(withNul), "ab");
    EXPECT_EQ(DUI::SStringToUtf8(DUI::SStringW(withNul.c_str(), 5)), "ab");
    EXPECT_EQ(FromUtf8(std::string("xy\0z", 4)), L"xy");
    std::wstring out = L"untouched";
    ASSERT_TRUE(Utf8ToWide("a\xFF" "b", out)) << "invalid bytes are substituted, not refused";
    EXPECT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0], L'a');
    EXPECT_EQ(out[2], L'b');
}

TEST(TextEncoding, AnsiAndOemOfAsciiAndExceptionText)
{
    EXPECT_EQ(AnsiToUtf8("plain"), "plain");
    EXPECT_EQ(Utf8ToOem("plain"), "plain");
    EXPECT_EQ(WideToOemString(L"plain"), "plain");
    std::runtime_error error("Err:5,key,op");
    EXPECT_EQ(ExceptionTextW(error), L"Err:5,key,op");
}

TEST(TextUtil, FormatWStringUsesWideStrings)
{
    EXPECT_EQ(FormatWString(L"%s(%d).%s", L"页面", 3, L"png"), L"页面(3).png");
    EXPECT_EQ(FormatWString(L"%lld.%d %s", 12345678901LL, 5, L"GB"), L"12345678901.5 GB");
    EXPECT_EQ(FormatWString(L""), L"");
    EXPECT_EQ(FormatWString(nullptr), L"");
    std::wstring longText(5000, L'x');
    EXPECT_EQ(FormatWString(L"[%s]", longText.c_str()), L"[" + longText + L"]");
}

TEST(TextUtil, TimeTextFormatsTheLocalTime)
{
    SYSTEMTIME before{};
    GetLocalTime(&before);
    std::wstring stamp = TimeText(L"%.4d%.2d%.2d %.2d-%.2d-%.2d.%.3d");
    ASSERT_EQ(stamp.size(), 21u) << "yyyymmdd hh-mm-ss.mmm";
    EXPECT_EQ(stamp.substr(0, 4), FormatWString(L"%.4d", int(before.wYear)));
    EXPECT_EQ(stamp[8], L' ');
    EXPECT_EQ(stamp[11], L'-');
    EXPECT_EQ(stamp[17], L'.');
}

TEST(TextUtil, TrimWhitespaceTakesOneCharacterKindAtATime)
{
    struct Case { const char* name; std::wstring in, out; };
    const Case cases[] = {
        {"mixed ends", L" \nx\r ", L"x"},
        {"blank behind tab survives", L"\t x", L" x"},
        {"trailing blank before tab", L"x \t", L"x "},
        {"empty", L"", L""},
        {"only tabs", L"\t\t", L""},
        {"inner kept", L"  a b  ", L"a b"},
        {"other whitespace kept", L"\x3000x\f", L"\x3000x\f"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TrimWhitespace(c.in), c.out);
    }
}

TEST(TextUtil, RandomStringIsLettersAndDigits)
{
    EXPECT_EQ(RandomString(0), L"");
    std::set<std::wstring> seen;
    bool upper = false, lower = false, digit = false;
    for (int i = 0; i < 20; ++i) {
        std::wstring s = RandomString(16);
        ASSERT_EQ(s.size(), 16u);
        for (wchar_t c : s) {
            ASSERT_TRUE((c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9'));
            upper |= c >= L'A' && c <= L'Z';
            lower |= c >= L'a' && c <= L'z';
            digit |= c >= L'0' && c <= L'9';
        }
        seen.insert(s);
    }
    EXPECT_EQ(seen.size(), 20u);
    EXPECT_TRUE(upper && lower && digit);
}

TEST(TextUtil, JoinAndSplitKeepEmptyPieces)
{
    struct Case { const char* name; std::wstring text, sep; std::vector<std::wstring> pieces; };
    const Case cases[] = {
        {"trailing separator", L"a,b,", L",", {L"a", L"b", L""}},
        {"empty text", L"", L",", {L""}},
        {"two in a row", L"a,,b", L",", {L"a", L"", L"b"}},
        {"long separator", L"x\r\ny", L"\r\n", {L"x", L"y"}},
        {"no separator", L"abc", L";", {L"abc"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DUI::SplitStringKeepEmpty(c.text, c.sep), c.pieces);
        EXPECT_EQ(JoinStrings(c.pieces, c.sep), c.text);
    }
    EXPECT_EQ(JoinStrings({}, L","), L"");
    EXPECT_EQ(DUI::SplitStringKeepEmpty(L"a,b", L""), std::vector<std::wstring>{L"a,b"});
}

TEST(UrlText, EscapeWithAndWithoutKeep)
{
    struct Case { const char* name; std::string in; bool keep; std::string out; };
    const Case cases[] = {
        {"blank plus tilde", "a b+c~", false, "a%20b%2Bc%7E"},
        {"escape kept", "100%25", true, "100%25"},
        {"lone percent", "50%", true, "50%25"},
        {"percent one digit at end", "5%2", true, "5%252"},
        {"escape not kept", "100%25", false, "100%2525"},
        {"separators kept", "http://h/p?a=1&b=2", true, "http://h/p?a=1&b=2"},
        {"separators escaped", "http://h/p?a=1&b=2", false, "http%3A%2F%2Fh%2Fp%3Fa%3D1%26b%3D2"},
        {"unreserved", "*-._AZaz09", false, "*-._AZaz09"},
        {"high bytes", kZhongUtf8, true, "%E4%B8%AD"},
        {"punctuation", "!'()#,;@", true, "%21%27%28%29%23%2C%3B%40"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(UrlEscape(c.in, c.keep), c.out);
    }
}

TEST(UrlText, UnescapeKeepsReservedEscapes)
{
    struct Case { const char* name; std::string in, out; };
    const Case cases[] = {
        {"mixed", "%41%20%2B+", "%41   "},
        {"slash kept", "a%2Fb", "a%2Fb"},
        {"chinese", "%E4%B8%AD", kZhongUtf8},
        {"broken escape", "%G1%4", "%G1%4"},
        {"lower hex", "%e4%b8%ad", kZhongUtf8},
        {"percent at end", "x%", "x%"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(UrlUnescape(c.in), c.out);
    }
}

TEST(UrlText, NormalizeUrlSendsUtf8Escapes)
{
    EXPECT_EQ(NormalizeUrl("http://h/a b?q=" + kZhongUtf8), "http://h/a%20b?q=%E4%B8%AD");
    EXPECT_EQ(NormalizeUrl("http://h/a%20b%2Fc"), "http://h/a%20b%2Fc");
    // A non-UTF-8 high byte is taken as ANSI text and re-encoded as UTF-8.
    std::string sent = NormalizeUrl("http://h/\xE9");
    EXPECT_EQ(sent.rfind("http://h/%", 0), 0u);
    std::string path = UrlUnescape(sent.substr(9));
    EXPECT_TRUE(IsUtf8(path));
    EXPECT_EQ(path, AnsiToUtf8("\xE9"));
}

TEST(UrlText, IsUtf8NeedsWellFormedMultiByteText)
{
    struct Case { const char* name; std::string in; bool expected; };
    const Case cases[] = {
        {"ascii", "plain", false},
        {"empty", "", false},
        {"zhong", kZhongUtf8, true},
        {"truncated", "\xE4", false},
        {"stray continuation", "\x80", false},
        {"bad continuation", "\xE4\x41\x41", false},
        {"mixed", "a" + kZhongUtf8 + "b", true},
        {"four byte lead", "\xF0\x9F\x98\x80", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IsUtf8(c.in), c.expected);
    }
}

TEST(UrlText, QueryStringInKeyOrderUnescaped)
{
    EXPECT_EQ(BuildQueryString({}), "");
    EXPECT_EQ(BuildQueryString({{"b", "2 3"}, {"a", "1&"}}), "a=1&&b=2 3");
}

TEST(WindowActivate, FindWindowWithTimeoutWaitsThenGivesUp)
{
    std::wstring missing = L"VeskNoSuchClass_" + std::to_wstring(GetCurrentProcessId());
    DWORD start = GetTickCount();
    EXPECT_EQ(FindWindowWithTimeout(missing, L"", 300), nullptr);
    DWORD waited = GetTickCount() - start;
    EXPECT_GE(waited, 290u);
    EXPECT_LT(waited, 3000u);   // ten times the wait: room for a loaded machine
}

TEST(WindowActivate, FindsAndActivatesAnExistingWindow)
{
    std::wstring className = L"VeskActivateTest_" + std::to_wstring(GetCurrentProcessId());
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = className.c_str();
    ASSERT_NE(RegisterClassW(&wc), 0);
    HWND window = CreateWindowExW(0, className.c_str(), L"activate me", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(FindWindowWithTimeout(className, L"activate me", 1000), window);
    EXPECT_EQ(FindWindowWithTimeout(className, L"", 1000), window);
    ShowWindow(window, SW_MINIMIZE);
    ActivateWindowRaise(window);
    EXPECT_FALSE(IsIconic(window));
    EXPECT_TRUE(IsWindowVisible(window));
    DestroyWindow(window);
    UnregisterClassW(className.c_str(), wc.hInstance);
}

} // namespace
