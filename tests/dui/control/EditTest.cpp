// The plain edit on a real host window over the system's text services: a
// plain-text engine that selects all on focus, and the cue text that shows
// only while the box is empty and not focused.
#include <gtest/gtest.h>

#include <climits>
#include <cwchar>
#include <iterator>

#include "dui/control/SButton.h"
#include "dui/control/SEdit.h"
#include "dui/res.mgr/SNullTranslator.h"
#include "tests/dui/core/HostTestEnv.h"

using namespace hosttest;

namespace {

// What the host shows of the blue cue text within a window.
struct Ink
{
    int count = 0;
    RECT box = {INT_MAX, INT_MAX, INT_MIN, INT_MIN};
};

bool IsBlueInk(uint32_t p)
{
    return (p & 0xFF) > 0x80 && ((p >> 8) & 0xFF) < 0x80 && ((p >> 16) & 0xFF) < 0x80;
}

Ink BlueInkOf(SHostWnd* host, SWindow* w)
{
    Ink ink;
    const RECT rc = w->GetWindowRect();
    for (int y = rc.top; y < rc.bottom; ++y) {
        for (int x = rc.left; x < rc.right; ++x) {
            if (!IsBlueInk(SurfacePixel(host->GetMemSurface(), x, y)))
                continue;
            ++ink.count;
            ink.box = {std::min<LONG>(ink.box.left, x), std::min<LONG>(ink.box.top, y),
                       std::max<LONG>(ink.box.right, x + 1), std::max<LONG>(ink.box.bottom, y + 1)};
        }
    }
    return ink;
}

CHARRANGE SelectionOf(SEdit* edit)
{
    CHARRANGE range = {-1, -1};
    edit->DeliverSwndMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range;
}

// Translates "Hint" once switched on.
class SwitchingTranslator : public SNullTranslator
{
public:
    int Translate(LPCWSTR text, LPCWSTR, wchar_t* buf, int size) override
    {
        static const wchar_t kDone[] = L"Indice traduit";
        const int need = static_cast<int>(std::size(kDone));
        if (!on || std::wcscmp(text, L"Hint") != 0)
            return 0;
        if (buf && size >= need)
            std::wcscpy(buf, kDone);
        return need;
    }
    bool on = false;
};

class EditTest : public HostTest
{
protected:
    HWND ShowEdits()
    {
        m_host = NewHost(L"LAYOUT:XML_EDIT");
        return Shown(m_host);
    }
    SEdit* Edit(LPCWSTR name) { return Child<SEdit>(m_host, name); }
    Ink CueInk(LPCWSTR name)
    {
        Flush(m_host);
        return BlueInkOf(m_host, Edit(name));
    }
    void Click(HWND hwnd, SWindow* w, int dx)
    {
        const RECT rc = w->GetWindowRect();
        const LPARAM at = MAKELPARAM(rc.left + dx, (rc.top + rc.bottom) / 2);
        ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageW(hwnd, WM_LBUTTONUP, 0, at);
    }

    SHostWnd* m_host = nullptr;
};

TEST_F(EditTest, ANewEditIsPlainTextAndItsFirstClickSelectsAllWithoutPlacingTheCaret)
{
    HWND hwnd = ShowEdits();
    ASSERT_NE(hwnd, nullptr);
    SEdit* edit = Edit(L"filled");
    ASSERT_NE(edit, nullptr);
    EXPECT_STREQ(edit->GetClassTag(), L"edit");
    EXPECT_STREQ(SEdit::GetBaseTagStatic(), L"richedit");
    for (LPCWSTR kind : {L"edit", L"richedit", L"div", L"window"})
        EXPECT_TRUE(edit->IsKindOf(kind));
    EXPECT_FALSE(edit->HasOption(SRichEdit::Opt_Rich));
    EXPECT_TRUE(edit->HasOption(SRichEdit::Opt_AutoSel));
    EXPECT_EQ(edit->DeliverSwndMessage(EM_GETTEXTMODE) & (TM_PLAINTEXT | TM_RICHTEXT), TM_PLAINTEXT);
    EXPECT_EQ(edit->GetWindowText(), L"hello world");

    Click(hwnd, edit, 40);
    ASSERT_TRUE(edit->IsFocused());
    CHARRANGE sel = SelectionOf(edit);
    EXPECT_EQ(sel.cpMin, 0);
    // The engine may count the closing paragraph mark.
    EXPECT_GE(sel.cpMax, 11);
    // Once focused, a click goes to the engine and places the caret.
    Click(hwnd, edit, 40);
    sel = SelectionOf(edit);
    EXPECT_EQ(sel.cpMin, sel.cpMax);
    EXPECT_GT(sel.cpMin, 0);
    EXPECT_LT(sel.cpMin, 11);
}

TEST_F(EditTest, TheCueShowsOnlyWhileTheEditIsEmptyAndUnfocused)
{
    HWND hwnd = ShowEdits();
    ASSERT_NE(hwnd, nullptr);
    SEdit* edit = Edit(L"left");
    auto* other = Child<SButton>(m_host, L"other");
    ASSERT_NE(edit, nullptr);
    EXPECT_GT(CueInk(L"left").count, 10) << "empty and unfocused";
    EXPECT_EQ(BlueInkOf(m_host, Edit(L"filled")).count, 0) << "a filled edit shows no cue";

    edit->SetFocus();
    EXPECT_EQ(CueInk(L"left").count, 0) << "focused";
    ::SendMessageW(hwnd, WM_CHAR, 'x', 0);
    EXPECT_EQ(edit->GetWindowText(), L"x");
    EXPECT_EQ(CueInk(L"left").count, 0) << "typed";
    other->SetFocus();
    ASSERT_FALSE(edit->IsFocused());
    EXPECT_EQ(CueInk(L"left").count, 0) << "left with text";

    // Back in, the text is selected; a backspace clears it.
    edit->SetFocus();
    ::SendMessageW(hwnd, WM_KEYDOWN, VK_BACK, 0x000E0001);
    ::SendMessageW(hwnd, WM_CHAR, VK_BACK, 0x000E0001);
    EXPECT_TRUE(edit->GetWindowText().IsEmpty());
    EXPECT_EQ(CueInk(L"left").count, 0) << "cleared but focused";
    other->SetFocus();
    EXPECT_GT(CueInk(L"left").count, 10) << "cleared and left";
}

TEST_F(EditTest, TheCueTakesTheHorizontalAlignmentOfTheEdit)
{
    ASSERT_NE(ShowEdits(), nullptr);
    struct Case
    {
        LPCWSTR name;
        int where;  // -1 at the left, 0 centred, 1 at the right
    };
    const Case cases[] = {{L"left", -1}, {L"center", 0}, {L"right", 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "edit " << (c.where + 1));
        const RECT client = Edit(c.name)->GetClientRect();
        const Ink ink = CueInk(c.name);
        ASSERT_GT(ink.count, 10);
        const int width = ink.box.right - ink.box.left;
        EXPECT_LT(width, (client.right - client.left) / 2);
        // The glyphs' own side bearings leave a few pixels.
        switch (c.where) {
        case -1: EXPECT_NEAR(ink.box.left, client.left, 4); break;
        case 0: EXPECT_NEAR((ink.box.left + ink.box.right) / 2, (client.left + client.right) / 2, 3); break;
        default: EXPECT_NEAR(ink.box.right, client.right, 4); break;
        }
        // A single line, centred vertically.
        EXPECT_NEAR((ink.box.top + ink.box.bottom) / 2, (client.top + client.bottom) / 2, 3);
    }
}

TEST_F(EditTest, AnEmptyCueColourIsRefusedAndTheColourKept)
{
    ASSERT_NE(ShowEdits(), nullptr);
    SEdit* edit = Edit(L"left");
    const COLORREF blue = edit->GetCueColor();
    EXPECT_EQ(blue & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(edit->SetAttribute(L"cueColor", L"", FALSE), E_FAIL);
    EXPECT_EQ(edit->GetCueColor(), blue);
    EXPECT_GT(CueInk(L"left").count, 10);

    EXPECT_TRUE(SUCCEEDED(edit->SetAttribute(L"CUECOLOR", L"#00ff00", FALSE)));
    EXPECT_EQ(edit->GetCueColor() & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(CueInk(L"left").count, 0) << "redrawn in the new colour";
    EXPECT_EQ(Edit(L"filled")->GetCueColor(), 0xFFCCCCCCu) << "the default";

    EXPECT_TRUE(SUCCEEDED(edit->SetAttribute(L"cueText", L"", FALSE)));
    edit->SetAttribute(L"cueColor", L"#0000ff", FALSE);
    EXPECT_EQ(CueInk(L"left").count, 0) << "no cue text, nothing drawn";
}

TEST_F(EditTest, ALanguageChangeTranslatesTheCueTextAgain)
{
    ASSERT_NE(ShowEdits(), nullptr);
    auto translator = SRefPtr<SwitchingTranslator>::Adopt(new SwitchingTranslator());
    m_app->SetTranslator(translator.Get());
    SEdit* edit = Edit(L"left");
    const int before = CueInk(L"left").count;
    EXPECT_EQ(edit->GetCueText(), L"Hint");

    translator->on = true;
    edit->DeliverSwndMessage(UM_SETLANGUAGE);
    EXPECT_EQ(edit->GetCueText(), L"Indice traduit");
    EXPECT_EQ(edit->GetCueText(TRUE), L"Hint");
    edit->InvalidateClient();
    EXPECT_GT(CueInk(L"left").count, before * 2) << "the longer text is drawn";
    m_app->SetTranslator(nullptr);
}

} // namespace
