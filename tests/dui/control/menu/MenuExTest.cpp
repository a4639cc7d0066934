// XML menus under Wine with real windows: each menu runs its own loop,
// driven by keys and clicks that the owner posts once the menu shows.
#include "MenuTestEnv.h"

#include <string>

#include "dui/control/SMenuEx.h"
#include "dui/control/SMenuExItem.h"
#include "dui/control/SMenuExRoot.h"
#include "tests/dui/core/GuiResourceCount.h"

namespace menutest {
namespace {

constexpr UINT kTimedOut = 0xDEAD;
constexpr UINT WM_AFTER_SHOW = WM_APP + 1;
constexpr int kMenuX = 300, kMenuY = 200;
// Positions of the main menu's entries among the root's children.
enum MainRow : UINT { kOpen = 1, kSep = 2, kClose = 3, kSave = 4, kMore = 5, kExit = 6 };

class MenuExTest : public MenuTest
{
protected:
    static SRefPtr<SMenuEx> NewMenu() { return SRefPtr<SMenuEx>::Adopt(new SMenuEx()); }

    SRefPtr<SMenuEx> Loaded(LPCWSTR resource)
    {
        SRefPtr<SMenuEx> menu = NewMenu();
        EXPECT_TRUE(menu->LoadMenu(resource, Owner()));
        return menu;
    }

    // Tracks the menu; `onShown` runs inside its loop once the top menu is
    // on screen (by default it posts the keys).
    UINT Track(SMenuEx* menu, const std::vector<Key>& keys, UINT flags = TPM_RETURNCMD,
               std::function<void()> onShown = nullptr)
    {
        m_owner->onMessage = [&](UINT msg, WPARAM, LPARAM lp, LRESULT&) {
            if (msg == WM_INITMENUPOPUP && lp == 0)
                ::PostMessageW(Owner(), WM_AFTER_SHOW, 0, 0);
            if (msg == WM_AFTER_SHOW) {
                if (onShown) onShown();
                m_owner->Post(keys);
                return true;
            }
            return false;
        };
        m_owner->onWatchdog = [] { SMenuEx::EndMenu(static_cast<int>(kTimedOut)); };
        m_owner->StartWatchdog();
        const UINT result = menu->TrackPopupMenu(flags, kMenuX, kMenuY, Owner());
        m_owner->StopWatchdog();
        m_owner->onMessage = nullptr;
        Drain();
        return result;
    }

    static SWindow* Row(SMenuEx* menu, UINT n) { return menu->GetMenuRoot()->GetNthChild(n); }

    // The row's centre in screen coordinates.
    static POINT RowCentre(SMenuEx* menu, UINT n)
    {
        const RECT rc = Row(menu, n)->GetWindowRect();
        POINT pt = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
        ::ClientToScreen(menu->GetHwnd(), &pt);
        return pt;
    }

    static void PostClick(HWND hwnd, POINT screen, UINT down, UINT up)
    {
        ::ScreenToClient(hwnd, &screen);
        ::PostMessageW(hwnd, down, down == WM_RBUTTONDOWN ? MK_RBUTTON : MK_LBUTTON, MAKELPARAM(screen.x, screen.y));
        if (up)
            ::PostMessageW(hwnd, up, 0, MAKELPARAM(screen.x, screen.y));
    }
};

TEST_F(MenuExTest, KeysChooseTheCommand)
{
    const Key up = Down(VK_UP), down = Down(VK_DOWN), ret = Down(VK_RETURN), right = Down(VK_RIGHT),
              esc = Down(VK_ESCAPE);
    struct Case
    {
        const char* name;
        std::vector<Key> keys;
        UINT want;
    };
    const Case cases[] = {
        {"down selects the first item", {down, ret}, 1},
        {"the separator and the disabled item are skipped", {down, down, ret}, 3},
        {"up with nothing selected wraps to the last", {up, ret}, 5},
        {"down on the last wraps to the first", {up, down, ret}, 1},
        {"escape cancels", {esc}, 0},
        {"left in the top menu cancels", {Down(VK_LEFT)}, 0},
        {"an item's key chooses it", {Down('S')}, 3},
        {"a disabled item's key does nothing", {Down('C'), esc}, 0},
        {"right opens the sub-menu at its first item", {up, up, right, ret}, 41},
        {"keys move inside the open sub-menu", {up, up, right, down, ret}, 42},
        {"escape closes only the sub-menu", {up, up, right, esc, down, ret}, 5},
        {"return on a sub-menu's item opens it without a selection", {up, up, ret, down, ret}, 41},
        {"keys reach the sub-menu a key opened", {Down('M'), Down('B')}, 42},
        {"alt cancels", {Key{WM_SYSKEYDOWN, VK_MENU}}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SRefPtr<SMenuEx> menu = Loaded(L"SMENUEX:MAIN");
        EXPECT_EQ(Track(menu.Get(), c.keys), c.want);
        EXPECT_FALSE(m_owner->timedOut);
        EXPECT_FALSE(::IsWindowVisible(menu->GetHwnd()));
    }
}

TEST_F(MenuExTest, OwnerHearsOfEachMenuOnceAndOfAltAfterwards)
{
    SRefPtr<SMenuEx> menu = Loaded(L"MAIN");
    SMenuEx* sub = static_cast<SMenuExItem*>(Row(menu.Get(), kMore))->GetSubMenu();
    ASSERT_NE(sub, nullptr);
    const Key up = Down(VK_UP);
    EXPECT_EQ(Track(menu.Get(), {up, up, Down(VK_RIGHT), Down(VK_ESCAPE), Down(VK_RIGHT), Down(VK_ESCAPE),
                                 Key{WM_SYSKEYDOWN, VK_MENU}}),
              0u);
    std::vector<MenuOwner::Msg> inits;
    for (const auto& m : m_owner->received)
        if (m.msg == WM_INITMENUPOPUP) inits.push_back(m);
    ASSERT_EQ(inits.size(), 2u);
    EXPECT_EQ(inits[0].wp, reinterpret_cast<WPARAM>(menu.Get()));
    EXPECT_EQ(inits[0].lp, 0);
    EXPECT_EQ(inits[1].wp, reinterpret_cast<WPARAM>(sub));
    EXPECT_EQ(inits[1].lp, static_cast<LPARAM>(kMore - 1));
    // Alt ended the menu but was left for the owner.
    EXPECT_EQ(m_owner->Count(WM_SYSKEYDOWN), 1u);
}

TEST_F(MenuExTest, WithoutReturnCmdTheOwnerGetsTheCommand)
{
    struct Case
    {
        const char* name;
        Key key;
        WPARAM command;
    };
    const Case cases[] = {{"chosen", Down('S'), 3}, {"cancelled", Down(VK_ESCAPE), 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_owner->received.clear();
        SRefPtr<SMenuEx> menu = Loaded(L"SMENUEX:MAIN");
        EXPECT_EQ(Track(menu.Get(), {c.key}, 0), 1u);
        const MenuOwner::Msg* cmd = m_owner->Last(WM_COMMAND);
        ASSERT_NE(cmd, nullptr);
        EXPECT_EQ(LOWORD(cmd->wp), c.command);
        EXPECT_EQ(cmd->lp, 0);
    }
}

TEST_F(MenuExTest, HoveringASubMenuItemOpensItBesideTheMenu)
{
    SRefPtr<SMenuEx> menu = Loaded(L"SMENUEX:MAIN");
    SMenuEx* sub = static_cast<SMenuExItem*>(Row(menu.Get(), kMore))->GetSubMenu();
    ULONGLONG hoverStart = 0, opened = 0;
    RECT menuRc = {}, subRc = {};
    m_owner->onMessage = [&](UINT msg, WPARAM, LPARAM lp, LRESULT&) {
        if (msg == WM_INITMENUPOPUP) {
            ::PostMessageW(Owner(), WM_AFTER_SHOW, 0, lp);
            if (lp != 0) opened = ::GetTickCount64();
        }
        if (msg != WM_AFTER_SHOW)
            return false;
        if (lp == 0) {
            const POINT pt = RowCentre(menu.Get(), kMore);
            ::SetCursorPos(pt.x, pt.y);
            hoverStart = ::GetTickCount64();
            PostClick(menu->GetHwnd(), pt, WM_MOUSEMOVE, 0);
        } else {
            menuRc = menu->GetNativeWindowRect();
            subRc = sub->GetNativeWindowRect();
            m_owner->Post({Down(VK_DOWN), Down(VK_RETURN)});
        }
        return true;
    };
    m_owner->onWatchdog = [] { SMenuEx::EndMenu(static_cast<int>(kTimedOut)); };
    m_owner->StartWatchdog();
    EXPECT_EQ(menu->TrackPopupMenu(TPM_RETURNCMD, kMenuX, kMenuY, Owner()), 41u);
    m_owner->StopWatchdog();
    ::SetCursorPos(1270, 1010);
    EXPECT_GE(opened - hoverStart, 400u);
    EXPECT_EQ(subRc.left, menuRc.right);
    const RECT moreRc = Row(menu.Get(), kMore)->GetWindowRect();
    EXPECT_EQ(subRc.top, menuRc.top + moreRc.top);
}

TEST_F(MenuExTest, ClicksChooseOrCancel)
{
    struct Case
    {
        const char* name;
        bool onMenu;
        UINT down, up;
        UINT want;
        size_t downsLeftForOwner;
    };
    const Case cases[] = {
        {"a click on an item chooses it", true, WM_LBUTTONDOWN, WM_LBUTTONUP, 3, 0},
        {"a left click outside cancels and is spent", false, WM_LBUTTONDOWN, 0, 0, 0},
        {"a right click outside cancels and reaches the window it hit", false, WM_RBUTTONDOWN, 0, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_owner->received.clear();
        SRefPtr<SMenuEx> menu = Loaded(L"SMENUEX:MAIN");
        const UINT result = Track(menu.Get(), {}, TPM_RETURNCMD, [&] {
            if (c.onMenu)
                PostClick(menu->GetHwnd(), RowCentre(menu.Get(), kSave), c.down, c.up);
            else
                PostClick(Owner(), POINT{1110, 870}, c.down, c.up);
        });
        EXPECT_EQ(result, c.want);
        EXPECT_EQ(m_owner->Count(c.down), c.downsLeftForOwner);
    }
}

TEST_F(MenuExTest, EndMenuEndsTheRunningMenu)
{
    SMenuEx::EndMenu(5);  // no menu runs: nothing happens
    SRefPtr<SMenuEx> menu = Loaded(L"SMENUEX:MAIN");
    EXPECT_EQ(Track(menu.Get(), {}, TPM_RETURNCMD, [] { SMenuEx::EndMenu(77); }), 77u);
}

TEST_F(MenuExTest, QuitEndsTheMenuAndIsLeftForTheMainLoop)
{
    SRefPtr<SMenuEx> menu = Loaded(L"SMENUEX:MAIN");
    m_owner->onMessage = [&](UINT msg, WPARAM, LPARAM, LRESULT&) {
        if (msg == WM_INITMENUPOPUP)
            ::PostQuitMessage(3);
        return false;
    };
    m_owner->onWatchdog = [] { SMenuEx::EndMenu(static_cast<int>(kTimedOut)); };
    m_owner->StartWatchdog();
    EXPECT_EQ(menu->TrackPopupMenu(TPM_RETURNCMD, kMenuX, kMenuY, Owner()), static_cast<UINT>(-1));
    m_owner->StopWatchdog();
    EXPECT_FALSE(::IsWindowVisible(menu->GetHwnd()));
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(MenuExTest, MenusThatCannotBeHad)
{
    SRefPtr<SMenuEx> missing = NewMenu();
    EXPECT_FALSE(missing->LoadMenu(L"SMENUEX:NOPE", Owner()));
    EXPECT_EQ(missing->TrackPopupMenu(TPM_RETURNCMD, kMenuX, kMenuY, Owner()), static_cast<UINT>(-1));
    SRefPtr<SMenuEx> wrong = NewMenu();
    EXPECT_FALSE(wrong->LoadMenu(L"WRONG", Owner()));
    EXPECT_EQ(wrong->GetHwnd(), nullptr);
    SRefPtr<SMenuEx> twice = Loaded(L"MAIN");
    EXPECT_FALSE(twice->LoadMenu(L"MAIN", Owner()));
}

TEST_F(MenuExTest, AnEmptyMenuOpensAndCancels)
{
    SRefPtr<SMenuEx> menu = Loaded(L"SMENUEX:EMPTY");
    RECT shown = {};
    EXPECT_EQ(Track(menu.Get(), {Down(VK_DOWN), Down(VK_RETURN), Down('X'), Down(VK_ESCAPE)}, TPM_RETURNCMD,
                    [&] { shown = menu->GetNativeWindowRect(); }),
              0u);
    // The least width of a menu, at 100 %.
    EXPECT_EQ(shown.right - shown.left, 100);
}

// `levels` menus, each holding one item that opens the next; the deepest
// holds the item with id 999.
std::wstring NestedMenu(int levels)
{
    std::wstring xml = L"<menuRoot>";
    for (int i = 1; i < levels; ++i)
        xml += L"<menuItem>level " + std::to_wstring(i);
    xml += L"<menuItem id=\"999\">deepest</menuItem>";
    for (int i = 1; i < levels; ++i)
        xml += L"</menuItem>";
    return xml + L"</menuRoot>";
}

int ChainLength(SMenuEx* menu)
{
    int n = 0;
    for (; menu; menu = static_cast<SMenuExItem*>(menu->GetMenuRoot()->GetNthChild(1))->GetSubMenu())
        ++n;
    return n;
}

SRefPtr<SMenuEx> MenuFromText(const std::wstring& text, HWND owner, xmldom::xml_document& doc)
{
    SRefPtr<SMenuEx> menu = SRefPtr<SMenuEx>::Adopt(new SMenuEx());
    if (!doc.load_buffer(text.c_str(), text.size() * sizeof(wchar_t), xmldom::parse_default,
                         xmldom::encoding_wchar) ||
        !menu->LoadMenu(doc.first_child(), owner))
        return SRefPtr<SMenuEx>();
    return menu;
}

TEST_F(MenuExTest, FiftyLevelsOpenAllTheWayAndLeaveNothingBehind)
{
    // Wine gives some GDI objects back lazily and keeps caches: the first
    // run settles them, the second must not add to them.
    auto run = [&] {
        xmldom::xml_document doc;
        SRefPtr<SMenuEx> menu = MenuFromText(NestedMenu(50), Owner(), doc);
        ASSERT_TRUE(menu);
        EXPECT_EQ(ChainLength(menu.Get()), 50);
        std::vector<Key> keys = {Down(VK_DOWN)};
        keys.insert(keys.end(), 49, Down(VK_RIGHT));
        keys.push_back(Down(VK_RETURN));
        EXPECT_EQ(Track(menu.Get(), keys), 999u);
    };
    run();
    Drain();
    const DWORD windows = guicount::ThreadWindows(), gdi = guicount::GdiObjects();
    run();
    Drain();
    EXPECT_EQ(guicount::ThreadWindows(), windows);
    // 50 menus that kept one object each would be 50 more.
    EXPECT_LE(guicount::GdiObjects(), gdi + 12);
}

TEST_F(MenuExTest, NestingBeyondUseIsCut)
{
    xmldom::xml_document doc;
    SRefPtr<SMenuEx> menu = MenuFromText(NestedMenu(300), Owner(), doc);
    ASSERT_TRUE(menu);
    const int levels = ChainLength(menu.Get());
    EXPECT_GE(levels, 50);
    EXPECT_LT(levels, 300);
}

TEST_F(MenuExTest, OpenMenuLooksAsItsStateSays)
{
    SRefPtr<SMenuEx> menu = Loaded(L"SMENUEX:MAIN");
    std::vector<uint32_t> pixels;
    int width = 0, height = 0;
    const UINT result = Track(menu.Get(), {}, TPM_RETURNCMD, [&] {
        // Save is selected by the keyboard, then the menu is painted.
        ::SendMessageW(menu->GetHwnd(), WM_KEYDOWN, VK_DOWN, 1);
        ::SendMessageW(menu->GetHwnd(), WM_KEYDOWN, VK_DOWN, 1);
        menu->UpdateWindow();
        IPaintSurface* s = menu->GetMemSurface();
        const RECT rc = menu->GetNativeClientRect();
        width = rc.right;
        height = rc.bottom;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) pixels.push_back(hosttest::SurfacePixel(s, x, y));
        hosttest::MaybeSavePng(s, L"menuex_open.png");
        m_owner->Post({Down(VK_ESCAPE)});
    });
    EXPECT_EQ(result, 0u);
    ASSERT_EQ(pixels.size(), static_cast<size_t>(width) * height);
    auto at = [&](UINT row, int x, int dy = 0) {
        const RECT rc = Row(menu.Get(), row)->GetWindowRect();
        return pixels[static_cast<size_t>((rc.top + rc.bottom) / 2 + dy) * width + rc.left + x];
    };
    auto anyIn = [&](UINT row, int x0, int x1, uint32_t colour) {
        const RECT rc = Row(menu.Get(), row)->GetWindowRect();
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left + x0; x < rc.left + x1; ++x)
                if (pixels[static_cast<size_t>(y) * width + x] == colour) return true;
        return false;
    };
    const int right = width - 2;
    EXPECT_EQ(at(kSave, right - 1), 0xFF3078D8u) << "selected: the item skin's hot state";
    EXPECT_EQ(at(kOpen, right - 1), 0xFFFFFFFFu) << "normal";
    EXPECT_EQ(at(kClose, right - 1), 0xFFE0E0E0u) << "disabled";
    EXPECT_EQ(at(kSep, 5, 0), 0xFFA0A0A0u) << "the separator's line";
    EXPECT_TRUE(anyIn(kOpen, 4, 24, 0xFFDC2828u)) << "icon 0 in the icon column";
    EXPECT_TRUE(anyIn(kClose, 4, 24, 0xFF28A03Cu)) << "icon 1";
    EXPECT_TRUE(anyIn(kSave, 4, 24, 0xFF202020u)) << "the check mark";
    EXPECT_TRUE(anyIn(kMore, right - 10, right, 0xFF202020u)) << "the sub-menu arrow";
    EXPECT_FALSE(anyIn(kExit, right - 10, right, 0xFF202020u)) << "no arrow without a sub-menu";
    EXPECT_TRUE(anyIn(kSave, 30, 80, 0xFF000000u) || anyIn(kSave, 30, 80, 0xFFFFFFFFu)) << "the caption";
}

} // namespace
} // namespace menutest
