// Formats, scrolling in step with the panel's bars, pasting, hostile text
// and what the host shows of a few edits.
#include "RichEditTestEnv.h"

#include <algorithm>
#include <vector>

#include "dui/control/STextHost.h"
#include "tests/dui/core/WindowTestEnv.h"

namespace retest {
namespace {

void SetClipboardText(HWND owner, const std::wstring& text)
{
    ASSERT_TRUE(::OpenClipboard(owner));
    ::EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    ASSERT_NE(mem, nullptr);
    memcpy(::GlobalLock(mem), text.c_str(), bytes);
    ::GlobalUnlock(mem);
    ::SetClipboardData(CF_UNICODETEXT, mem);
    ::CloseClipboard();
}

LONG EngineVPos(SRichEdit* edit)
{
    LONG pos = -1;
    edit->GetTextServices()->TxGetVScroll(nullptr, nullptr, &pos, nullptr, nullptr);
    return pos;
}

TEST_F(RichEditTest, DefaultCharFormatTakesOnlyTheWholeRecord)
{
    SRichEdit* edit = Edit(L"single");
    CHARFORMAT2W cf = edit->GetDefaultCharFormat();
    const LONG before = cf.yHeight;
    ASSERT_GT(before, 0);
    cf.yHeight = 400;
    EXPECT_EQ(edit->DeliverSwndMessage(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf)), 1);
    EXPECT_EQ(edit->GetDefaultCharFormat().yHeight, 400);
    CHARFORMAT2W read = {};
    read.cbSize = sizeof(read);
    edit->DeliverSwndMessage(EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&read));
    EXPECT_EQ(read.yHeight, 400);

    // A shorter record is refused and changes nothing.
    CHARFORMATW small = {};
    small.cbSize = sizeof(small);
    small.dwMask = CFM_SIZE;
    small.yHeight = 100;
    EXPECT_EQ(edit->DeliverSwndMessage(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&small)), 0);
    EXPECT_EQ(edit->GetDefaultCharFormat().yHeight, 400);

    // A selection format goes to the engine only.
    edit = Edit(L"rich");
    edit->DeliverSwndMessage(EM_SETSEL, 0, -1);
    CHARFORMAT2W sel = {};
    sel.cbSize = sizeof(sel);
    sel.dwMask = CFM_SIZE;
    sel.yHeight = 300;
    EXPECT_EQ(edit->DeliverSwndMessage(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&sel)), 1);
    read = {};
    read.cbSize = sizeof(read);
    edit->DeliverSwndMessage(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&read));
    EXPECT_EQ(read.yHeight, 300);
    EXPECT_NE(edit->GetDefaultCharFormat().yHeight, 300);

    PARAFORMAT shortPara = {};
    shortPara.cbSize = sizeof(shortPara);
    EXPECT_EQ(edit->DeliverSwndMessage(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&shortPara)), 0);
    PARAFORMAT2 para = edit->GetDefaultParaFormat();
    EXPECT_EQ(edit->DeliverSwndMessage(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&para)), 1);
}

TEST_F(RichEditTest, AlignKeepsTheCentreBitAndTellsTheParagraphFormat)
{
    SRichEdit* edit = Edit(L"center");
    EXPECT_TRUE(edit->GetEditStyle() & ES_CENTER);
    EXPECT_EQ(edit->GetDefaultParaFormat().wAlignment, PFA_CENTER);
    edit->SetAttribute(L"align", L"left", FALSE);
    EXPECT_TRUE(edit->GetEditStyle() & ES_CENTER);
    EXPECT_EQ(edit->GetDefaultParaFormat().wAlignment, PFA_CENTER);
    SRichEdit* single = Edit(L"single");
    single->SetAttribute(L"align", L"right", FALSE);
    EXPECT_EQ(single->GetDefaultParaFormat().wAlignment, PFA_RIGHT);
}

TEST_F(RichEditTest, ThePanelBarFollowsTheEngineAndMovesIt)
{
    SRichEdit* edit = Edit(L"multi");
    std::wstring text;
    for (int i = 0; i < 40; ++i)
        text += L"Line " + std::to_wstring(i) + L"\r\n";
    edit->SetWindowText(text.c_str());
    edit->SetFocus();
    Settle();
    ASSERT_TRUE(edit->HasScrollBar(TRUE));
    {
        const wndtest::HeldKeys ctrl(TRUE, FALSE, FALSE);
        ::SendMessageW(m_hwnd, WM_KEYDOWN, VK_END, 1);
    }
    Settle();
    const LONG bottom = EngineVPos(edit);
    EXPECT_GT(bottom, 0);
    EXPECT_EQ(edit->GetScrollPos(TRUE), bottom);
    EXPECT_GT(edit->DeliverSwndMessage(EM_GETFIRSTVISIBLELINE), 0);

    // The bar moved by the panel takes the engine with it.
    edit->SetScrollPos(TRUE, 0, TRUE);
    EXPECT_EQ(EngineVPos(edit), 0);
    EXPECT_EQ(edit->DeliverSwndMessage(EM_GETFIRSTVISIBLELINE), 0);
    edit->DeliverSwndMessage(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_GT(EngineVPos(edit), 0);
    EXPECT_EQ(edit->GetScrollPos(TRUE), EngineVPos(edit));
    EXPECT_FALSE(edit->HasOption(SRichEdit::Opt_Scrolling));

    // The wheel over the focused multi-line edit scrolls the engine.
    edit->SetScrollPos(TRUE, 0, TRUE);
    const RECT rc = edit->GetClientRect();
    POINT screen = {rc.left + 20, rc.top + 20};
    ::ClientToScreen(m_hwnd, &screen);
    ::SendMessageW(m_hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), MAKELPARAM(screen.x, screen.y));
    Settle();
    EXPECT_GT(EngineVPos(edit), 0);
    EXPECT_EQ(edit->GetScrollPos(TRUE), EngineVPos(edit));
}

TEST_F(RichEditTest, PastesIntoANumberEditKeepTheNumberRule)
{
    struct Case
    {
        const char* name;
        std::wstring before, clip, want;
    } const cases[] = {
        {"digits at the end", L"3", L"12", L"312"},
        {"a point once", L"3", L".5", L"3.5"},
        {"a second point refused", L"3.4", L"1.2", L"3.4"},
        {"minus not first refused", L"3", L"-5", L"3"},
        {"letters refused", L"3", L"abc", L"3"},
        {"full-width digits refused", L"", L"\xFF11\xFF12\xFF13", L""},
        {"a minus into the empty text", L"", L"-7", L"-7"},
        {"a line break refused", L"1", L"2\r\n", L"1"},
    };
    SRichEdit* edit = Edit(L"number");
    edit->SetFocus();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        edit->SetWindowText(c.before.c_str());
        edit->DeliverSwndMessage(EM_SETSEL, c.before.size(), c.before.size());
        SetClipboardText(m_hwnd, c.clip);
        edit->DeliverSwndMessage(WM_PASTE);
        EXPECT_EQ(TextOf(edit), c.want);
    }
    // Shift+Insert, the other paste key, takes the same way.
    edit->SetWindowText(L"");
    SetClipboardText(m_hwnd, L"x1");
    {
        const wndtest::HeldKeys shift(FALSE, TRUE, FALSE);
        ::SendMessageW(m_hwnd, WM_KEYDOWN, VK_INSERT, 1);
    }
    EXPECT_EQ(TextOf(edit), L"");
}

TEST_F(RichEditTest, TenMegabytesPastedStayWithinTheLimit)
{
    const std::wstring huge(5 * 1024 * 1024, L'x');   // 10 MB of UTF-16
    SetClipboardText(m_hwnd, huge);
    for (LPCWSTR name : {L"limited", L"single"}) {
        SCOPED_TRACE(std::string(name, name + wcslen(name)));
        SRichEdit* edit = Edit(name);
        edit->SetWindowText(L"");
        edit->SetFocus();
        edit->DeliverSwndMessage(WM_PASTE);
        const LRESULT length = edit->DeliverSwndMessage(WM_GETTEXTLENGTH);
        EXPECT_GT(length, 0);
        EXPECT_LE(length, edit->GetTextLimit());
    }
    SetClipboardText(m_hwnd, L"");
}

TEST_F(RichEditTest, HostileTextKeepsTheCaretInsideTheText)
{
    SRichEdit* edit = Edit(L"multi");
    edit->SetFocus();
    const wchar_t lone[] = {L'a', 0xD800, L'b', 0xDC00, L'c', 0};
    edit->SetWindowText(lone);
    ::SendMessageW(m_hwnd, WM_CHAR, 0xDBFF, 1);
    ::SendMessageW(m_hwnd, WM_CHAR, 0, 1);
    ::SendMessageW(m_hwnd, WM_CHAR, 0xDFFF, 1);
    // A NUL inside a set text ends it.
    const wchar_t withNul[] = {L'x', L'y', 0, L'z', 0};
    ::SendMessageW(m_hwnd, WM_NULL, 0, 0);
    edit->DeliverSwndMessage(EM_SETSEL, 0, 0);
    edit->DeliverSwndMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(withNul));
    const std::wstring text = TextOf(edit);
    EXPECT_EQ(text.substr(0, 2), L"xy");
    EXPECT_EQ(text.find(L'z'), std::wstring::npos);
    EXPECT_EQ(text.find(L'\0'), std::wstring::npos);

    // A selection far beyond the end lands inside the text, and typing goes on.
    edit->DeliverSwndMessage(EM_SETSEL, 100000, 200000);
    const auto sel = SelOf(edit);
    const DWORD length = static_cast<DWORD>(edit->DeliverSwndMessage(WM_GETTEXTLENGTH));
    EXPECT_LE(sel.first, length + 1);
    EXPECT_LE(sel.second, length + 1);
    Type(edit, L"!");
    EXPECT_EQ(TextOf(edit).back(), L'!');
    Flush(m_host);
}

TEST(RichEditCreation, WithoutTheEngineTheControlIsRemovedAndTheLayoutGoesOn)
{
    wndtest::WindowEnv env;
    SWindow* root = env.NewRoot();
    root->CreateChildrenFromXmlText(L"<root><richedit name=\"edit\">text</richedit><window name=\"after\"/></root>");
    EXPECT_EQ(root->FindChildByName(L"edit"), nullptr);
    EXPECT_NE(root->FindChildByName(L"after"), nullptr);
    EXPECT_EQ(root->GetChildrenCount(), 1u);
}

TEST_F(RichEditTest, TheHostShowsCrispTextInsideEachEditOnAnOpaqueSurface)
{
    SRichEdit* multi = Edit(L"multi");
    std::wstring text;
    for (int i = 0; i < 12; ++i)
        text += L"Row " + std::to_wstring(i) + L" \x4E2D\x6587 text\r\n";
    multi->SetWindowText(text.c_str());
    multi->SetFocus();
    multi->DeliverSwndMessage(EM_SETSEL, 4, 40);
    Settle();
    IPaintSurface* image = m_host->GetMemSurface();
    MaybeSavePng(image, L"richedit_host.png");

    auto inkRows = [&](SRichEdit* edit, int& top, int& bottom) {
        const RECT rc = edit->GetClientRect();
        int ink = 0;
        top = INT_MAX;
        bottom = -1;
        for (int y = rc.top; y < rc.bottom; ++y) {
            for (int x = rc.left; x < rc.right; ++x) {
                const uint32_t p = SurfacePixel(image, x, y);
                if ((p & 0xFF) < 0x60 && ((p >> 8) & 0xFF) < 0x60) {
                    ++ink;
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
            }
        }
        return ink;
    };
    int top = 0, bottom = 0;
    for (LPCWSTR name : {L"single", L"center", L"password", L"readonly", L"multi"}) {
        SCOPED_TRACE(std::string(name, name + wcslen(name)));
        EXPECT_GT(inkRows(Edit(name), top, bottom), 20);
    }
    // A plain single line sits in the middle of its client area.
    SRichEdit* single = Edit(L"single");
    ASSERT_GT(inkRows(single, top, bottom), 0);
    const RECT rc = single->GetClientRect();
    EXPECT_NEAR((top + bottom) / 2.0, (rc.top + rc.bottom) / 2.0, 4.0);
    // Centred text leaves about as much room on its left as on its right.
    SRichEdit* center = Edit(L"center");
    const RECT crc = center->GetClientRect();
    int left = INT_MAX, right = -1;
    for (int y = crc.top; y < crc.bottom; ++y) {
        for (int x = crc.left; x < crc.right; ++x) {
            if ((SurfacePixel(image, x, y) & 0xFF) < 0x60) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    EXPECT_NEAR(left - crc.left, crc.right - 1 - right, 6);
    // GDI drew the text, yet every pixel of the host stays opaque.
    const SIZE size = image->GetSize();
    int holes = 0;
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x)
            holes += (SurfacePixel(image, x, y) >> 24) != 0xFF;
    }
    EXPECT_EQ(holes, 0);

    // The caret of a focused edit: a thin dark line after the text.
    single->SetFocus();
    single->DeliverSwndMessage(EM_SETSEL, 11, 11);
    Settle();
    nativetest::PumpFor(100);
    Flush(m_host);
    MaybeSavePng(image, L"richedit_caret.png");
    // At the end of the text, where no glyph is, the caret shows as a dark
    // line in some phase of its blink.
    const POINT caret = single->GetTextHost()->GetCaretPos();
    bool dark = false;
    for (int i = 0; i < 2 && !dark; ++i) {
        for (int y = caret.y + 2; y < caret.y + 10; ++y)
            dark = dark || (SurfacePixel(image, caret.x, y) & 0xFF) < 0x60;
        nativetest::PumpFor(::GetCaretBlinkTime() + 50);
        Flush(m_host);
    }
    EXPECT_TRUE(dark) << caret.x << "," << caret.y;
}

} // namespace
} // namespace retest
