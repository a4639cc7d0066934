// Typing, keys, selection, limits and number-only input through the host,
// as a user's keyboard delivers them.
#include "RichEditTestEnv.h"

#include <vector>

namespace retest {
namespace {

struct Attr
{
    LPCWSTR name, value;
};

TEST_F(RichEditTest, PostedCharactersReachTheTextChineseIncluded)
{
    SRichEdit* edit = Edit(L"multi");
    Type(edit, L"Hi \x4F60\x597D, 123");
    EXPECT_EQ(TextOf(edit), L"Hi \x4F60\x597D, 123");
    const auto sel = SelOf(edit);
    EXPECT_EQ(sel.first, 10u);
    EXPECT_EQ(sel.second, 10u);
}

TEST_F(RichEditTest, KeysMoveTheCaretAndDeleteTheSelection)
{
    SRichEdit* edit = Edit(L"single");
    edit->SetWindowText(L"abcdef");
    edit->SetFocus();
    edit->DeliverSwndMessage(EM_SETSEL, 1, 3);
    Press(VK_DELETE);
    EXPECT_EQ(TextOf(edit), L"adef");
    Press(VK_END);
    Press(VK_BACK);
    EXPECT_EQ(TextOf(edit), L"ade");
    Press(VK_HOME);
    Type(edit, L"X");
    EXPECT_EQ(TextOf(edit), L"Xade");
}

// Ctrl+Z takes back what was typed since the text was set, Ctrl+Y puts it back.
TEST_F(RichEditTest, UndoAndRedoFollowTheTyping)
{
    SRichEdit* edit = Edit(L"single");
    edit->SetWindowText(L"base");
    edit->SetFocus();
    Press(VK_END);
    Type(edit, L"xy");
    ASSERT_EQ(TextOf(edit), L"basexy");
    const wndtest::HeldKeys ctrl(TRUE, FALSE, FALSE);
    for (int i = 0; i < 2 && TextOf(edit) != L"base"; ++i)
        Press('Z');
    EXPECT_EQ(TextOf(edit), L"base");
    for (int i = 0; i < 2 && TextOf(edit) != L"basexy"; ++i)
        Press('Y');
    EXPECT_EQ(TextOf(edit), L"basexy");
}

// Each row types into a fresh text of the named edit.
TEST_F(RichEditTest, LimitAndNumberRulesHoldForTypedText)
{
    struct Case
    {
        const char* name;
        LPCWSTR edit;
        LONG limit;  // EM_EXLIMITTEXT before typing; 0 none
        std::wstring typed, want;
    } const cases[] = {
        {"maxBuf keeps five", L"limited", 0, L"abcdefgh", L"abcde"},
        {"limit message lowers it", L"single", 3, L"abcdef", L"abc"},
        {"limit 0 means the default", L"limited", -1, L"abcdefgh", L"abcdefgh"},
        {"number in order", L"number", 0, L"-12.50", L"-12.50"},
        {"second point refused", L"number", 0, L"1.2.3", L"1.23"},
        {"minus only first", L"number", 0, L"1-2-", L"12"},
        {"letters refused", L"number", 0, L"a1b2c", L"12"},
        {"point not first", L"number", 0, L".5", L"5"},
        {"full-width digits refused", L"number", 0, L"\xFF11\xFF12\xFF13", L""},
        {"number obeys its limit", L"number", 4, L"123456", L"1234"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SRichEdit* edit = Edit(c.edit);
        edit->SetWindowText(L"");
        edit->DeliverSwndMessage(EM_EXLIMITTEXT, 0, c.limit < 0 ? 0 : (c.limit ? c.limit : edit->GetTextLimit()));
        Type(edit, c.typed);
        EXPECT_EQ(TextOf(edit), c.want);
    }
    EXPECT_EQ(Edit(L"limited")->GetTextLimit(), SRichEdit::kDefaultTextLimit);
}

TEST_F(RichEditTest, CtrlVIsSwallowedInANumberEdit)
{
    SRichEdit* edit = Edit(L"number");
    ASSERT_TRUE(::OpenClipboard(m_hwnd));
    ::EmptyClipboard();
    const wchar_t digits[] = L"42";
    HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(digits));
    memcpy(::GlobalLock(mem), digits, sizeof(digits));
    ::GlobalUnlock(mem);
    ::SetClipboardData(CF_UNICODETEXT, mem);
    ::CloseClipboard();
    edit->SetFocus();
    {
        const wndtest::HeldKeys ctrl(TRUE, FALSE, FALSE);
        ::SendMessageW(m_hwnd, WM_KEYDOWN, 'V', 1);
    }
    EXPECT_EQ(TextOf(edit), L"");
}

TEST_F(RichEditTest, ReturnGoesInOnlyWithWantReturnOrCtrl)
{
    struct Case
    {
        const char* name;
        LPCWSTR edit;
        BOOL ctrl;
        bool broken;  // the text holds a line break afterwards
    } const cases[] = {
        {"single line drops it", L"single", FALSE, false},
        {"want return takes it", L"wantret", FALSE, true},
        {"ctrl sends it to the engine", L"multi", TRUE, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SRichEdit* edit = Edit(c.edit);
        edit->SetWindowText(L"ab");
        edit->SetFocus();
        edit->DeliverSwndMessage(EM_SETSEL, 1, 1);
        {
            const wndtest::HeldKeys keys(c.ctrl, FALSE, FALSE);
            ::SendMessageW(m_hwnd, WM_KEYDOWN, VK_RETURN, 1);
            ::SendMessageW(m_hwnd, WM_CHAR, c.ctrl ? '\n' : '\r', 1);
        }
        const std::wstring text = TextOf(edit);
        EXPECT_EQ(text.find_first_of(L"\r\n") != std::wstring::npos, c.broken) << std::string(text.begin(), text.end());
    }
}

// A cancelled key, or Return that the edit does not take, is left to the
// host and never reaches the engine.
TEST_F(RichEditTest, WithheldKeysLeaveTheTextAndCaretAlone)
{
    struct Case
    {
        const char* name;
        LPCWSTR edit;
        std::vector<Attr> attrs;
        UINT key;
        bool cancel;
    } const cases[] = {
        {"cancelled left", L"single", {}, VK_LEFT, true},
        {"cancelled return with wantReturn", L"wantret", {}, VK_RETURN, true},
        {"return in multi-line without wantReturn", L"multi", {{L"wantReturn", L"0"}}, VK_RETURN, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SRichEdit* edit = Edit(c.edit);
        for (const Attr& a : c.attrs)
            edit->SetAttribute(a.name, a.value, FALSE);
        bool cancel = c.cancel;
        edit->SubscribeEvent(EventKeyDown::EventID, StdFunctionSlot([&cancel](EventArgs* e) {
            static_cast<EventKeyDown*>(e)->bCancel = cancel;
            return false;
        }));
        edit->SetWindowText(L"abc");
        edit->SetFocus();
        edit->DeliverSwndMessage(EM_SETSEL, 2, 2);
        BOOL handled = TRUE;
        edit->DeliverSwndMessage(WM_KEYDOWN, c.key, 1, &handled);
        EXPECT_FALSE(handled);
        ::SendMessageW(m_hwnd, WM_KEYDOWN, c.key, 1);
        EXPECT_EQ(TextOf(edit), L"abc");
        EXPECT_EQ(SelOf(edit).first, 2u);
        cancel = false;
    }
}

TEST_F(RichEditTest, KeyDownEventSeesTheKeyAndTabIsSwallowedWithoutWantTab)
{
    SRichEdit* edit = Edit(L"single");
    edit->SetWindowText(L"ab");
    UINT seen = 0;
    edit->SubscribeEvent(EventKeyDown::EventID, StdFunctionSlot([&](EventArgs* e) {
        seen = static_cast<EventKeyDown*>(e)->nChar;
        return false;
    }));
    edit->SetFocus();
    ::SendMessageW(m_hwnd, WM_KEYDOWN, VK_LEFT, 1);
    EXPECT_EQ(seen, static_cast<UINT>(VK_LEFT));
    edit->DeliverSwndMessage(WM_CHAR, '\t', 1);
    EXPECT_EQ(TextOf(edit), L"ab");
    edit->SetAttribute(L"wantTab", L"1", FALSE);
    edit->DeliverSwndMessage(WM_CHAR, '\t', 1);
    EXPECT_NE(TextOf(edit).find(L'\t'), std::wstring::npos);
}

TEST_F(RichEditTest, AutoSelFirstClickSelectsAllAndTheNextPlacesTheCaret)
{
    SRichEdit* edit = Edit(L"autosel");
    ASSERT_FALSE(edit->IsFocused());
    ::SendMessageW(m_hwnd, WM_LBUTTONDOWN, MK_LBUTTON, PointIn(edit, 30));
    ::SendMessageW(m_hwnd, WM_LBUTTONUP, 0, PointIn(edit, 30));
    EXPECT_TRUE(edit->IsFocused());
    // The engine may count the closing paragraph mark into the selection.
    auto sel = SelOf(edit);
    EXPECT_EQ(sel.first, 0u);
    EXPECT_GE(sel.second, 9u);
    ::SendMessageW(m_hwnd, WM_LBUTTONDOWN, MK_LBUTTON, PointIn(edit, 30));
    ::SendMessageW(m_hwnd, WM_LBUTTONUP, 0, PointIn(edit, 30));
    sel = SelOf(edit);
    EXPECT_EQ(sel.first, sel.second);
    EXPECT_GT(sel.first, 0u);
    EXPECT_LT(sel.first, 9u);
    // Focus moves away and back by a click: everything is selected again,
    // and a typed character replaces it.
    Edit(L"single")->SetFocus();
    ::SendMessageW(m_hwnd, WM_LBUTTONDOWN, MK_LBUTTON, PointIn(edit, 30));
    ::SendMessageW(m_hwnd, WM_LBUTTONUP, 0, PointIn(edit, 30));
    Type(edit, L"Z");
    EXPECT_EQ(TextOf(edit), L"Z");
}

} // namespace
} // namespace retest
