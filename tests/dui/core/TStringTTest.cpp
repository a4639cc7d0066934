#include "dui/core/base/TStringT.h"

#include <gtest/gtest.h>

#include <winsock2.h>
#include <windows.h>

#include <string>
#include <random>
#include <thread>
#include <cwctype>
#include <vector>

using DUI::SStringA;
using DUI::SStringW;

namespace {

bool PointsAtSharedEmpty(const SStringW& s)
{
    return s.GetData() == DUI::GetEmptyStringData();
}

std::wstring Text(const SStringW& s)
{
    return std::wstring(s.c_str(), s.GetLength());
}

} // namespace

TEST(TStringT, EmptyStringsShareTheStaticBlock)
{
    const wchar_t* nullText = nullptr;
    struct Case { const char* name; SStringW s; };
    Case cases[] = {
        {"default", SStringW()},
        {"null", SStringW(nullText)},
        {"empty text", SStringW(L"")},
        {"length 0", SStringW(L"abc", 0)},
        {"null with -1", SStringW(nullText, -1)},
        {"Left(0)", SStringW(L"abc").Left(0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(PointsAtSharedEmpty(c.s));
        SStringW copy(c.s);
        EXPECT_TRUE(PointsAtSharedEmpty(copy));
        SStringW assigned(L"x");
        assigned = c.s;
        EXPECT_TRUE(assigned.IsEmpty());
        EXPECT_EQ(std::wstring(c.s.c_str()), L"");
    }
    EXPECT_EQ(DUI::GetEmptyStringData()->nRefs, -1);
}

TEST(TStringT, CopiesShareUntilWritten)
{
    SStringW a(L"hello");
    SStringW b(a);
    SStringW c;
    c = b;
    EXPECT_EQ(a.c_str(), b.c_str());
    EXPECT_EQ(a.c_str(), c.c_str());
    EXPECT_EQ(a.GetData()->nRefs, 3);

    b += L"!";
    EXPECT_NE(a.c_str(), b.c_str());
    EXPECT_EQ(Text(a), L"hello");
    EXPECT_EQ(Text(b), L"hello!");
    EXPECT_EQ(a.GetData()->nRefs, 2);

    c.MakeLower();
    EXPECT_EQ(a.GetData()->nRefs, 1);
    {
        SStringW d(a);
        EXPECT_EQ(a.GetData()->nRefs, 2);
    }
    EXPECT_EQ(a.GetData()->nRefs, 1);
}

TEST(TStringT, ConstructorFromPointerAndLengthKeepsEmbeddedNuls)
{
    const wchar_t raw[] = L"ab\0cd";
    SStringW s(raw, 5);
    EXPECT_EQ(s.GetLength(), 5);
    EXPECT_EQ(Text(s), std::wstring(raw, 5));
    EXPECT_EQ(SStringW(raw, -1).GetLength(), 2);
    // A deep copy of a locked source stops at the first NUL; a shared one keeps all.
    SStringW shared(s);
    EXPECT_EQ(shared.GetLength(), 5);
}

TEST(TStringT, AppendingToItselfDoubles)
{
    SStringW s(L"abc");
    s += s;
    EXPECT_EQ(Text(s), L"abcabc");
    s.Append(s.c_str() + 1, 2);
    EXPECT_EQ(Text(s), L"abcabcbc");
    s = s.c_str() + 3;
    EXPECT_EQ(Text(s), L"abcbc");
}

TEST(TStringT, AppendGrowsGeometrically)
{
    SStringW s;
    int reallocations = 0;
    int lastCapacity = 0;
    for (int i = 0; i < 100000; ++i) {
        s += static_cast<wchar_t>(L'a' + i % 26);
        if (s.GetAllocLength() != lastCapacity) {
            ++reallocations;
            lastCapacity = s.GetAllocLength();
        }
    }
    EXPECT_EQ(s.GetLength(), 100000);
    EXPECT_EQ(s[99999], static_cast<wchar_t>(L'a' + 99999 % 26));
    EXPECT_LT(reallocations, 40);
}

TEST(TStringT, LeftRightMidClampTheirArguments)
{
    const SStringW s(L"abcdef");
    struct Case { const char* name; SStringW got; const wchar_t* want; };
    const Case cases[] = {
        {"Mid(-3,2)", s.Mid(-3, 2), L"ab"},
        {"Mid(2,2)", s.Mid(2, 2), L"cd"},
        {"Mid(4,10)", s.Mid(4, 10), L"ef"},
        {"Mid(len,5)", s.Mid(6, 5), L""},
        {"Mid(len+1,5)", s.Mid(7, 5), L""},
        {"Mid(1,-1)", s.Mid(1, -1), L""},
        {"Mid(1,INT_MAX)", s.Mid(1, INT_MAX), L"bcdef"},
        {"Left(-1)", s.Left(-1), L""},
        {"Left(3)", s.Left(3), L"abc"},
        {"Left(99)", s.Left(99), L"abcdef"},
        {"Right(2)", s.Right(2), L"ef"},
        {"Right(len+10)", s.Right(16), L"abcdef"},
        {"Right(-2)", s.Right(-2), L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Text(c.got), c.want);
    }
}

TEST(TStringT, FormatUsesWideTextsAndEmptiesOnNoText)
{
    SStringW s(L"old");
    s.Format(L"%s(%d).%s", L"page", 3, L"png");
    EXPECT_EQ(Text(s), L"page(3).png");
    s.AppendFormat(L"-%04x", 0xab);
    EXPECT_EQ(Text(s), L"page(3).png-00ab");

    const wchar_t* nullFormat = nullptr;
    struct Case { const char* name; const wchar_t* fmt; };
    const Case empties[] = {{"null format", nullFormat}, {"empty format", L""}, {"lone %s", L"%s"}};
    for (const auto& c : empties) {
        SCOPED_TRACE(c.name);
        SStringW t(L"keep");
        t.Format(c.fmt, L"");
        EXPECT_TRUE(PointsAtSharedEmpty(t));
        SStringW u(L"keep");
        u.AppendFormat(c.fmt, L"");
        EXPECT_EQ(Text(u), L"keep");
    }

    std::wstring longText(5000, L'z');
    s.Format(L"<%s>", longText.c_str());
    EXPECT_EQ(s.GetLength(), 5002);

    SStringA a("n=");
    a.AppendFormat("%d/%s", 42, "x");
    EXPECT_STREQ(a.c_str(), "n=42/x");
}

TEST(TStringT, ReplaceCountsAndRewrites)
{
    struct Case { const char* name; std::wstring in; const wchar_t* from; const wchar_t* to; int n; std::wstring want; };
    const wchar_t* nullText = nullptr;
    const Case cases[] = {
        {"shrink", L"aaaa", L"aa", L"a", 2, L"aa"},
        {"grow", L"abcb", L"b", L"xyz", 2, L"axyzcxyz"},
        {"remove", L"a-b-c", L"-", L"", 2, L"abc"},
        {"null new", L"a-b-c", L"-", nullText, 2, L"abc"},
        {"no match", L"abc", L"z", L"y", 0, L"abc"},
        {"empty old", L"abc", L"", L"y", 0, L"abc"},
        {"inserted text not searched", L"ab", L"a", L"aa", 1, L"aab"},
        {"after embedded NUL", std::wstring(L"xa\0ax", 5), L"a", L"bb", 2, std::wstring(L"xbb\0bbx", 7)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SStringW s(c.in.c_str(), static_cast<int>(c.in.size()));
        SStringW other(s);
        EXPECT_EQ(s.Replace(c.from, c.to), c.n);
        EXPECT_EQ(Text(s), c.want);
        EXPECT_EQ(Text(other), c.in);
    }
    SStringW self(L"abab");
    EXPECT_EQ(self.Replace(self.c_str() + 2, L"x"), 2); // old text inside the own block
    EXPECT_EQ(Text(self), L"xx");
}

TEST(TStringT, TrimBlanksRemovesOnlyTheFourBlanks)
{
    struct Case { const char* name; const wchar_t* in; const wchar_t* want; };
    const Case cases[] = {
        {"mix", L" \t\r\na b\n\t ", L"a b"},
        {"blanks only", L" \t\r\n", L""},
        {"nothing to trim", L"ab", L"ab"},
        {"form feed kept", L"\fab\v", L"\fab\v"},
        {"nbsp kept", L"\x00A0x\x3000", L"\x00A0x\x3000"},
        {"empty", L"", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SStringW s(c.in);
        SStringW copy(s);
        s.TrimBlanks();
        EXPECT_EQ(Text(s), c.want);
        EXPECT_EQ(Text(copy), c.in);
        if (!s.IsEmpty()) {
            EXPECT_FALSE(s.IsShared());
        }
    }
    SStringW blanks(L"   ");
    blanks.TrimBlanks();
    EXPECT_TRUE(PointsAtSharedEmpty(blanks));
}

TEST(TStringT, BufferAccess)
{
    SStringW s(L"abc");
    SStringW copy(s);
    wchar_t* p = s.GetBuffer(10);
    ASSERT_NE(p, nullptr);
    wcscpy(p, L"0123456789");
    s.ReleaseBuffer();
    EXPECT_EQ(Text(s), L"0123456789");
    EXPECT_EQ(Text(copy), L"abc");

    p = s.GetBufferSetLength(4);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(Text(s), L"0123");

    SStringW e;
    e.Empty();
    EXPECT_TRUE(PointsAtSharedEmpty(e));
    s.Empty();
    EXPECT_TRUE(PointsAtSharedEmpty(s));
}

TEST(TStringT, FindAndCompare)
{
    SStringW s(L"a\\b\\c.Txt");
    EXPECT_EQ(s.Find(L"\\b"), 1);
    EXPECT_EQ(s.Find(L"zz"), -1);
    EXPECT_EQ(s.ReverseFind(L'\\'), 3);
    EXPECT_EQ(s.ReverseFind(L'/'), -1);
    EXPECT_EQ(s.CompareNoCase(L"A\\B\\C.TXT"), 0);
    EXPECT_NE(s.Compare(L"A\\B\\C.TXT"), 0);
    EXPECT_TRUE(s == L"a\\b\\c.Txt");
    EXPECT_EQ(Text(SStringW(L"ab") + L"cd"), L"abcd");

    // Ignoring case orders texts as the C library does, ASCII or not.
    struct Case { const wchar_t* a; const wchar_t* b; };
    const Case cases[] = {
        {L"Alpha", L"alpha"}, {L"alpha", L"alphabet"}, {L"b", L"A"}, {L"_x", L"Ax"}, {L"[", L"a"},
        {L"", L""}, {L"\u00c4x", L"\u00e4x"}, {L"a\u00c4", L"A\u00e5"}, {L"\u4e2d", L"a"},
    };
    auto sign = [](int v) { return (v > 0) - (v < 0); };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.a) + L" / " + c.b));
        EXPECT_EQ(sign(SStringW(c.a).CompareNoCase(c.b)), sign(_wcsicmp(c.a, c.b)));
        EXPECT_EQ(sign(SStringW(c.b).CompareNoCase(c.a)), sign(_wcsicmp(c.b, c.a)));
    }
    EXPECT_EQ(Text(L"ab" + SStringW(L"cd")), L"abcd");
}

TEST(TStringT, CodePageConversions)
{
    const wchar_t chinese[] = L"\x4E2D\x6587 text";
    SStringA utf8 = DUI::StringW2A(SStringW(chinese), CP_UTF8);
    EXPECT_EQ(std::string(utf8.c_str(), utf8.GetLength()), "\xE4\xB8\xAD\xE6\x96\x87 text");
    EXPECT_EQ(Text(DUI::StringA2W(utf8, CP_UTF8)), chinese);

    SStringA withNul("a\0b", 3);
    EXPECT_EQ(DUI::StringA2W(withNul, CP_UTF8).GetLength(), 3);
    EXPECT_TRUE(DUI::StringA2W(SStringA(), CP_UTF8).IsEmpty());

    // Longer than the 1024-character stack buffer: the heap path must keep it all.
    std::string big;
    for (int i = 0; i < 700; ++i)
        big += "\xE4\xB8\xAD" "ab";
    SStringW wide = DUI::StringA2W(SStringA(big.c_str()), CP_UTF8);
    EXPECT_EQ(wide.GetLength(), 2100);
    SStringA back = DUI::StringW2A(wide, CP_UTF8);
    EXPECT_EQ(std::string(back.c_str(), back.GetLength()), big);
}

TEST(TStringT, ConcurrentCopiesKeepTheCountExact)
{
    SStringW shared(L"shared text");
    auto churn = [&shared] {
        for (int i = 0; i < 200000; ++i) {
            SStringW copy(shared);
            SStringW other;
            other = copy;
        }
    };
    std::vector<std::thread> threads;
    for (int i = 0; i < 4; ++i)
        threads.emplace_back(churn);
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(shared.GetData()->nRefs, 1);
}

TEST(TStringT, AgreesWithAReferenceStringUnderRandomEdits)
{
    std::mt19937 rng(7);
    const wchar_t* pieces[] = {L"ab", L" ", L"\t", L"x", L"AbC", L"\r\n", L"aa", L""};
    SStringW s;
    std::wstring ref;
    for (int step = 0; step < 20000; ++step) {
        SStringW before(s); // a copy sharing the block must never change
        std::wstring beforeRef = ref;
        const wchar_t* piece = pieces[rng() % 8];
        int len = static_cast<int>(ref.size());
        switch (rng() % 9) {
        case 0: s += piece; ref += piece; break;
        case 1: s += s; ref += ref; break;
        case 2: {
            int start = len ? static_cast<int>(rng() % len) : 0;
            int n = len ? static_cast<int>(rng() % (len - start + 1)) : 0;
            s.Append(s.c_str() + start, n);
            ref += ref.substr(start, n);
            break;
        }
        case 3: {
            int n = s.Replace(L"a", piece);
            int count = 0;
            std::wstring out;
            for (wchar_t c : ref) {
                if (c == L'a') {
                    out += piece;
                    ++count;
                } else {
                    out += c;
                }
            }
            ref = out;
            ASSERT_EQ(n, count);
            break;
        }
        case 4: {
            s.TrimBlanks();
            size_t b = ref.find_first_not_of(L" \t\r\n");
            ref = b == std::wstring::npos ? L"" : ref.substr(b, ref.find_last_not_of(L" \t\r\n") - b + 1);
            break;
        }
        case 5: {
            int start = static_cast<int>(rng() % (len + 2)) - 1;
            int n = static_cast<int>(rng() % (len + 2)) - 1;
            s = s.Mid(start, n);
            int st = start < 0 ? 0 : start;
            ref = st > len ? L"" : ref.substr(st, n < 0 ? 0 : n);
            break;
        }
        case 6: s.MakeLower(); for (auto& c : ref) c = towlower(c); break;
        case 7: s.AppendFormat(L"%d%s", step % 10, piece); ref += std::to_wstring(step % 10) + piece; break;
        default: if (rng() % 4 == 0) { s.Empty(); ref.clear(); } break;
        }
        if (ref.size() > 4000) { // keep it small
            s = s.Left(100);
            ref = ref.substr(0, 100);
        }
        ASSERT_EQ(Text(s), ref) << "step " << step;
        ASSERT_EQ(Text(before), beforeRef) << "step " << step;
        ASSERT_EQ(s.c_str()[s.GetLength()], L'\0');
    }
}
