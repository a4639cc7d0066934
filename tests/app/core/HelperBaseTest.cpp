#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include <winsock2.h>
#include <windows.h>

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
}

// Sees this process's debug output: OutputDebugString raises a continuable
// exception, which a vectored handler meets before anyone else.
class DebugOutputCapture {
public:
    DebugOutputCapture() { s_lines.clear(); m_handler = AddVectoredExceptionHandler(1, &OnException); }
    ~DebugOutputCapture() { RemoveVectoredExceptionHandler(m_handler); }
    // The wide texts when the system sends them, else the ANSI ones.
    std::vector<std::wstring> Lines() const { return s_wide.empty() ? s_lines : s_wide; }

private:
    static LONG CALLBACK OnException(EXCEPTION_POINTERS* info)
    {
        const EXCEPTION_RECORD* record = info->ExceptionRecord;
        if (record->ExceptionCode == DBG_PRINTEXCEPTION_WIDE_C && record->NumberParameters >= 2)
            s_wide.push_back(reinterpret_cast<const wchar_t*>(record->ExceptionInformation[1]));
        if (record->ExceptionCode == DBG_PRINTEXCEPTION_C && record->NumberParameters >= 2) {
            const char* text = reinterpret_cast<const char*>(record->ExceptionInformation[1]);
            s_lines.emplace_back(text, text + strlen(text));
        }
        return EXCEPTION_CONTINUE_SEARCH;
    }

    PVOID m_handler = nullptr;
    static inline std::vector<std::wstring> s_lines;
    static inline std::vector<std::wstring> s_wide;
};

std::wstring StampOf(const SYSTEMTIME& t)
{
    return FormatWString(CDebugStr::StampFormat(), int(t.wYear), int(t.wMonth), int(t.wDay), int(t.wHour),
                         int(t.wMinute), int(t.wSecond), int(t.wMilliseconds));
}

TEST(CDebugStr, WriteDebugLogSendsOneLineStampedWithTheLocalTime)
{
    DebugOutputCapture capture;
    SYSTEMTIME before{}, after{};
    GetLocalTime(&before);
    CDebugStr().WriteDebugLog(1, L"abc");
    GetLocalTime(&after);
    std::vector<std::wstring> lines = capture.Lines();
    ASSERT_EQ(lines.size(), 1u);
    const std::wstring& line = lines[0];
    ASSERT_EQ(line.size(), 21u + std::wstring(L" Type:1,abc").size()) << std::string(line.begin(), line.end());
    EXPECT_EQ(line.substr(21), L" Type:1,abc") << "no line end: the caller sends it";
    // The stamp's fields run from the largest to the smallest, so text order is time order.
    EXPECT_GE(line.substr(0, 21), StampOf(before));
    EXPECT_LE(line.substr(0, 21), StampOf(after));
}

} // namespace
