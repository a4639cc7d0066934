// The context menu of the rich edit, shown by a right click on the host and
// driven by keys posted once the system's menu loop shows it.
#include "RichEditTestEnv.h"

#include <map>
#include <vector>

namespace retest {
namespace {

enum : UINT { kCut = 1, kCopy = 2, kPaste = 3, kDelete = 4, kSelectAll = 5 };

// What one right click showed: whether a menu came up and the state of
// each command.
struct MenuRun
{
    bool shown = false;
    std::map<UINT, UINT> states;
    std::vector<UINT> keys;
};

MenuRun* g_run = nullptr;
WNDPROC g_hostProc = nullptr;

LRESULT CALLBACK SpyProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_INITMENUPOPUP && g_run && !g_run->shown) {
        g_run->shown = true;
        for (UINT id = kCut; id <= kSelectAll; ++id)
            g_run->states[id] = ::GetMenuState(reinterpret_cast<HMENU>(wp), id, MF_BYCOMMAND);
        for (UINT key : g_run->keys)
            ::PostMessageW(hwnd, WM_KEYDOWN, key, 1);
    }
    return ::CallWindowProcW(g_hostProc, hwnd, msg, wp, lp);
}

// A menu left open by a test that went wrong is closed after a while.
void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD)
{
    ::EndMenu();
}

class RichEditMenuTest : public RichEditTest
{
protected:
    void SetUp() override
    {
        RichEditTest::SetUp();
        g_hostProc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SpyProc)));
        SetClipboardText(L"clip");
    }
    void TearDown() override
    {
        ::SetWindowLongPtrW(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_hostProc));
        g_run = nullptr;
        RichEditTest::TearDown();
    }
    void SetClipboardText(const std::wstring& text)
    {
        ASSERT_TRUE(::OpenClipboard(m_hwnd));
        ::EmptyClipboard();
        const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
        HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
        memcpy(::GlobalLock(mem), text.c_str(), bytes);
        ::GlobalUnlock(mem);
        ::SetClipboardData(CF_UNICODETEXT, mem);
        ::CloseClipboard();
    }
    // Right-clicks the edit; keys go to the menu once it shows.
    MenuRun RightClick(SRichEdit* edit, std::vector<UINT> keys)
    {
        MenuRun run;
        run.keys = std::move(keys);
        g_run = &run;
        ::SetForegroundWindow(m_hwnd);
        const UINT_PTR dog = ::SetTimer(nullptr, 0, 10000, &Watchdog);
        ::SendMessageW(m_hwnd, WM_RBUTTONDOWN, MK_RBUTTON, PointIn(edit, 20));
        ::KillTimer(nullptr, dog);
        ::SendMessageW(m_hwnd, WM_RBUTTONUP, 0, PointIn(edit, 20));
        g_run = nullptr;
        Settle();
        return run;
    }
    static bool Grayed(const MenuRun& run, UINT id)
    {
        const auto it = run.states.find(id);
        return it != run.states.end() && (it->second & MF_GRAYED) != 0;
    }
};

TEST_F(RichEditMenuTest, ItemStatesFollowTheSelectionAndReadOnly)
{
    struct Case
    {
        const char* name;
        LPCWSTR edit;
        DWORD selStart, selEnd;
        bool cut, copy, paste, del, all;  // grayed
    } const cases[] = {
        {"no selection", L"menu", 2, 2, true, true, false, true, false},
        {"a selection", L"menu", 0, 4, false, false, false, false, false},
        {"read-only with a selection", L"readonly", 0, 4, true, false, true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SRichEdit* edit = Edit(c.edit);
        // The read-only edit shows no menu by itself: its subscriber asks for one.
        edit->SubscribeEvent(EventCtxMenu::EventID, StdFunctionSlot([](EventArgs* e) {
            static_cast<EventCtxMenu*>(e)->bCancel = FALSE;
            return false;
        }));
        edit->SetFocus();
        edit->DeliverSwndMessage(EM_SETSEL, c.selStart, c.selEnd);
        const MenuRun run = RightClick(edit, {VK_ESCAPE});
        ASSERT_TRUE(run.shown);
        EXPECT_EQ(Grayed(run, kCut), c.cut);
        EXPECT_EQ(Grayed(run, kCopy), c.copy);
        EXPECT_EQ(Grayed(run, kPaste), c.paste);
        EXPECT_EQ(Grayed(run, kDelete), c.del);
        EXPECT_EQ(Grayed(run, kSelectAll), c.all);
    }
}

TEST_F(RichEditMenuTest, SelectAllIsGrayedForAnEmptyText)
{
    SRichEdit* edit = Edit(L"menu");
    edit->SetWindowText(L"");
    const MenuRun run = RightClick(edit, {VK_ESCAPE});
    ASSERT_TRUE(run.shown);
    EXPECT_TRUE(Grayed(run, kSelectAll));
}

TEST_F(RichEditMenuTest, ChosenCommandsAreCarriedOutUnlessASubscriberHandlesThem)
{
    SRichEdit* edit = Edit(L"menu");
    std::vector<UINT> chosen;
    bool take = false;
    edit->SubscribeEvent(EventREMenu::EventID, StdFunctionSlot([&](EventArgs* e) {
        chosen.push_back(static_cast<EventREMenu*>(e)->uCmd);
        return take;
    }));
    // The last item, "select all", is one step up from none.
    RightClick(edit, {VK_UP, VK_RETURN});
    auto sel = SelOf(edit);
    EXPECT_EQ(sel.first, 0u);
    EXPECT_GE(sel.second, 9u);
    // "delete" sits above the separator.
    edit->DeliverSwndMessage(EM_SETSEL, 0, 5);
    RightClick(edit, {VK_UP, VK_UP, VK_RETURN});
    EXPECT_EQ(TextOf(edit), L"text");
    // "paste" is the third item; a subscriber that handles it keeps the text.
    take = true;
    edit->DeliverSwndMessage(EM_SETSEL, 0, 0);
    RightClick(edit, {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    EXPECT_EQ(TextOf(edit), L"text");
    take = false;
    auto before = SelOf(edit);
    EXPECT_EQ(before.first, 0u) << before.second;
    RightClick(edit, {VK_ESCAPE});
    before = SelOf(edit);
    EXPECT_EQ(before.first, 0u) << before.second;
    EXPECT_EQ(before.second, 0u) << before.second;
    RightClick(edit, {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    EXPECT_EQ(TextOf(edit), L"cliptext");
    RightClick(edit, {VK_ESCAPE});
    EXPECT_EQ(chosen, (std::vector<UINT>{kSelectAll, kDelete, kPaste, 0, kPaste, 0}));
}

TEST_F(RichEditMenuTest, NoMenuWithoutShowMenuDefalut)
{
    SRichEdit* edit = Edit(L"nomenu");
    int menus = 0;
    edit->SubscribeEvent(EventREMenu::EventID, StdFunctionSlot([&](EventArgs*) {
        ++menus;
        return false;
    }));
    const MenuRun run = RightClick(edit, {VK_ESCAPE});
    EXPECT_FALSE(run.shown);
    EXPECT_EQ(menus, 0);
    // A subscriber may also cancel the menu of an edit that shows one; a
    // right click asks it once, not again on the release.
    SRichEdit* shown = Edit(L"menu");
    int asked = 0;
    shown->SubscribeEvent(EventCtxMenu::EventID, StdFunctionSlot([&](EventArgs* e) {
        ++asked;
        static_cast<EventCtxMenu*>(e)->bCancel = TRUE;
        return false;
    }));
    EXPECT_FALSE(RightClick(shown, {VK_ESCAPE}).shown);
    EXPECT_EQ(asked, 1);
}

} // namespace
} // namespace retest
