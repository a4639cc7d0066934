#include "dui/core/base/StringSplit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using DUI::SStringW;

namespace {

// The two splits read the same texts differently: a piece list shown side by
// side makes a swap of one for the other visible at once.
TEST(StringSplit, DropsOrKeepsEmptyPiecesOnTheSameInputs)
{
    struct Case
    {
        const char* name;
        const wchar_t* text;
        std::vector<std::wstring> dropped;
        std::vector<std::wstring> kept;
    };
    const Case cases[] = {
        {"plain", L"a,b", {L"a", L"b"}, {L"a", L"b"}},
        {"no separator", L"abc", {L"abc"}, {L"abc"}},
        {"two in a row", L"a,,b", {L"a", L"b"}, {L"a", L"", L"b"}},
        {"leading separator", L",a", {L"a"}, {L"", L"a"}},
        {"trailing separator", L"a,b,", {L"a", L"b"}, {L"a", L"b", L""}},
        {"edges and doubles", L",a,,b,", {L"a", L"b"}, {L"", L"a", L"", L"b", L""}},
        {"separators only", L",,,", {}, {L"", L"", L"", L""}},
        {"empty", L"", {}, {L""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // The framework's split appends to what the array already holds.
        DUI::SStringWList out;
        out.Add(SStringW(L"pre"));
        ASSERT_EQ(DUI::SplitString(SStringW(c.text), L',', out), c.dropped.size() + 1);
        EXPECT_EQ(std::wstring(out[0].c_str()), L"pre");
        for (size_t i = 0; i < c.dropped.size(); ++i)
            EXPECT_EQ(std::wstring(out[i + 1].c_str()), c.dropped[i]);

        EXPECT_EQ(DUI::SplitStringKeepEmpty(c.text, L","), c.kept);
    }
}

} // namespace
