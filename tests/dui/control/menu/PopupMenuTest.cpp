// Owner-drawn system popup menus built from XML, tracked by the system's
// menu loop under Wine and driven by keys the owner posts.
#include "MenuTestEnv.h"

#include "dui/control/SMenuAttr.h"
#include "dui/control/SMenuItemData.h"
#include "dui/control/SMenuODWnd.h"
#include "dui/control/SPopupMenu.h"

namespace menutest {
namespace {

constexpr UINT WM_AFTER_SHOW = WM_APP + 1;
constexpr UINT WM_LOOK = WM_APP + 2;
constexpr UINT kTimedOut = 0xDEAD;
// Positions in the "POPUP" definition.
enum PopupRow : UINT { kCut, kCopy, kSep, kDelete, kWrap, kMore, kSelectAll, kNothing, kRows };

class PopupMenuTest : public MenuTest
{
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        ASSERT_TRUE(m_app->LoadXml(m_doc, L"EDITPOPUP", L"MENUXML"));
        ASSERT_TRUE(m_menu.LoadMenu(m_doc.first_child()));
    }
    void TearDown() override
    {
        m_menu.DestroyMenu();
        MenuTest::TearDown();
    }

    // Tracks the menu; `onShown` runs in the system's loop once it shows.
    UINT Track(const std::vector<Key>& keys, UINT flags = TPM_RETURNCMD, std::function<void()> onShown = nullptr)
    {
        HMENU top = m_menu.GetHMenu();
        m_owner->onMessage = [&](UINT msg, WPARAM wp, LPARAM, LRESULT&) {
            if (m_hook && m_hook(msg, wp))
                return true;
            if (msg == WM_INITMENUPOPUP && reinterpret_cast<HMENU>(wp) == top)
                ::PostMessageW(Owner(), WM_AFTER_SHOW, 0, 0);
            if (msg != WM_AFTER_SHOW)
                return false;
            m_owner->Post(keys);
            if (onShown) onShown();
            return true;
        };
        // The system's loop ends on a cancel-mode message.
        m_owner->onWatchdog = [] {
            if (HWND menu = MenuWindow()) ::SendMessageW(menu, WM_CANCELMODE, 0, 0);
            ::EndMenu();
        };
        m_owner->StartWatchdog();
        const UINT result = m_menu.TrackPopupMenu(flags, 300, 200, Owner());
        m_owner->StopWatchdog();
        m_owner->onMessage = nullptr;
        Drain();
        return result;
    }

    // The system's popup menu window on screen, or NULL.
    static HWND MenuWindow()
    {
        HWND found = nullptr;
        ::EnumThreadWindows(
            ::GetCurrentThreadId(),
            [](HWND hwnd, LPARAM out) -> BOOL {
                wchar_t cls[16] = {};
                ::GetClassNameW(hwnd, cls, 16);
                if (::IsWindowVisible(hwnd) && std::wstring(cls) == L"#32768") {
                    *reinterpret_cast<HWND*>(out) = hwnd;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }

    MENUITEMINFOW ItemInfo(HMENU menu, UINT pos) const
    {
        MENUITEMINFOW mii = {sizeof(mii)};
        mii.fMask = MIIM_DATA | MIIM_STATE | MIIM_FTYPE | MIIM_SUBMENU | MIIM_ID;
        EXPECT_TRUE(::GetMenuItemInfoW(menu, pos, TRUE, &mii));
        return mii;
    }

    xmldom::xml_document m_doc;
    SPopupMenu m_menu;
    // Sees the owner's messages first while a menu is tracked; TRUE takes one.
    std::function<bool(UINT, WPARAM)> m_hook;
};

TEST_F(PopupMenuTest, BuiltFromTheDefinition)
{
    HMENU menu = m_menu.GetHMenu();
    ASSERT_EQ(::GetMenuItemCount(menu), static_cast<int>(kRows));
    EXPECT_EQ(::GetMenuContextHelpId(menu), 7u);
    struct Case
    {
        const char* name;
        UINT pos;
        UINT id;
        const wchar_t* text;
        wchar_t key;
        int icon;
        UINT state;
    };
    const Case cases[] = {
        {"text of the element", kCut, 11, L"Cut", 0, 0, 0},
        {"text attribute of an empty element", kCopy, 12, L"Copy", 0, -1, 0},
        {"grayed, key after the ampersand", kDelete, 13, L"&Delete", L'd', -1, MF_GRAYED},
        {"checked", kWrap, 14, L"Word wrap", 0, -1, MFS_CHECKED},
        {"key in the middle", kSelectAll, 15, L"Selec&t all", L't', -1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const MENUITEMINFOW mii = ItemInfo(menu, c.pos);
        EXPECT_TRUE(mii.fType & MFT_OWNERDRAW);
        EXPECT_EQ(mii.wID, c.id);
        EXPECT_EQ(mii.fState & (MFS_GRAYED | MFS_CHECKED), c.state);
        const auto* data = reinterpret_cast<const SMenuItemData*>(mii.dwItemData);
        ASSERT_NE(data, nullptr);
        EXPECT_STREQ(data->text.c_str(), c.text);
        EXPECT_EQ(data->key, c.key);
        EXPECT_EQ(data->icon, c.icon);
    }
    EXPECT_EQ(reinterpret_cast<const SMenuItemData*>(ItemInfo(menu, kSelectAll).dwItemData)->userData, 0x20u);
    const MENUITEMINFOW sep = ItemInfo(menu, kSep);
    EXPECT_TRUE(sep.fType & MFT_SEPARATOR);
    EXPECT_EQ(sep.dwItemData, 0u);
    HMENU more = ItemInfo(menu, kMore).hSubMenu;
    ASSERT_NE(more, nullptr);
    EXPECT_EQ(::GetMenuItemCount(more), 2);
    EXPECT_TRUE(ItemInfo(more, 0).fType & MFT_RADIOCHECK);
    // "popup" without children: an empty sub-menu.
    HMENU nothing = ItemInfo(menu, kNothing).hSubMenu;
    ASSERT_NE(nothing, nullptr);
    EXPECT_EQ(::GetMenuItemCount(nothing), 0);
    // One look for the whole tree, one reference per handle.
    SMenuAttr* attr = SPopupMenu::GetMenuAttr(menu);
    ASSERT_NE(attr, nullptr);
    EXPECT_EQ(SPopupMenu::GetMenuAttr(more), attr);
    EXPECT_EQ(SPopupMenu::GetMenuAttr(nothing), attr);
    EXPECT_EQ(attr->GetRefCount(), 3);
}

TEST_F(PopupMenuTest, DestroyingGivesBackEveryReference)
{
    SMenuAttr* attr = SPopupMenu::GetMenuAttr(m_menu.GetHMenu());
    ASSERT_NE(attr, nullptr);
    attr->AddRef();
    HMENU handle = m_menu.GetHMenu();
    m_menu.DestroyMenu();
    EXPECT_EQ(attr->GetRefCount(), 1);
    attr->Release();
    EXPECT_FALSE(::IsMenu(handle));
    EXPECT_EQ(m_menu.GetHMenu(), nullptr);
    EXPECT_EQ(m_menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, Owner()), 0u);
}

TEST_F(PopupMenuTest, KeysChooseTheCommand)
{
    const Key down = Down(VK_DOWN), up = Down(VK_UP), ret = Down(VK_RETURN);
    struct Case
    {
        const char* name;
        std::vector<Key> keys;
        UINT want;
    };
    const Case cases[] = {
        {"down and return", {down, ret}, 11},
        {"escape cancels", {Down(VK_ESCAPE)}, 0},
        {"the key after the ampersand", {Char(L't')}, 15},
        {"the key in upper case", {Char(L'T')}, 15},
        {"a grayed item's key chooses nothing", {Char(L'd'), Down(VK_ESCAPE)}, 0},
        {"right opens the sub-menu", {up, up, up, Down(VK_RIGHT), ret}, 21},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Track(c.keys), c.want);
        EXPECT_FALSE(m_owner->timedOut);
    }
}

TEST_F(PopupMenuTest, OwnerHearsTheMenuAndGetsTheCommand)
{
    EXPECT_EQ(Track({Char(L't')}, 0), 15u);
    EXPECT_GE(m_owner->Count(WM_INITMENUPOPUP), 1u);
    EXPECT_GE(m_owner->Count(WM_INITMENU), 1u);
    const MenuOwner::Msg* cmd = m_owner->Last(WM_COMMAND);
    ASSERT_NE(cmd, nullptr);
    EXPECT_EQ(cmd->wp, 15u);
    m_owner->received.clear();
    EXPECT_EQ(Track({Down(VK_ESCAPE)}, 0), 0u);
    EXPECT_EQ(m_owner->Count(WM_COMMAND), 0u);
}

TEST_F(PopupMenuTest, AttributesOfTheLook)
{
    SRefPtr<SMenuAttr> attr = SRefPtr<SMenuAttr>::Adopt(new SMenuAttr());
    const COLORREF gray = attr->GetGrayTextColor(), text = attr->GetTextColor();
    EXPECT_EQ(gray, static_cast<COLORREF>(::GetSysColor(COLOR_GRAYTEXT)) | 0xFF000000u);
    struct Case
    {
        const char* name;
        const wchar_t* attribute;
        const wchar_t* value;
        HRESULT want;
    };
    const Case cases[] = {
        {"an empty colour is refused", L"colorText", L"", E_FAIL},
        {"the gray colour's own spelling", L"cororTextGray", L"#102030", S_FALSE},
        {"the usual spelling is not it", L"colorTextGray", L"#405060", E_FAIL},
        {"three icon sizes", L"iconSize", L"1,2,3", E_INVALIDARG},
        {"two icon sizes", L"iconSize", L"20,18", S_FALSE},
        {"an unknown skin keeps the old one", L"itemSkin", L"no.such.skin", S_FALSE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(attr->SetAttribute(c.attribute, c.value, TRUE), c.want);
    }
    EXPECT_EQ(attr->GetTextColor(), text);
    EXPECT_EQ(attr->GetGrayTextColor(), 0xFF302010u);
    EXPECT_EQ(attr->GetIconSize().cx, 20);
    EXPECT_EQ(attr->GetIconSize().cy, 18);
    EXPECT_NE(attr->GetItemSkin(), nullptr);
}

TEST_F(PopupMenuTest, MeasuresWithTheLook)
{
    SMenuAttr* attr = SPopupMenu::GetMenuAttr(m_menu.GetHMenu());
    ASSERT_NE(attr, nullptr);
    SMenuODWnd drawer(Owner(), attr);
    // No "itemHeight": the item skin's image is 22 high.
    EXPECT_EQ(attr->GetItemHeight(), 22);
    MEASUREITEMSTRUCT sep = {ODT_MENU, 0, 0, 99, 99, 0};
    drawer.MeasureItem(&sep);
    EXPECT_EQ(sep.itemHeight, 5u);
    EXPECT_EQ(sep.itemWidth, 0u);
    SMenuItemData shortText{-1, L"Cut"}, longText{-1, L"Select everything there is"};
    MEASUREITEMSTRUCT a = {ODT_MENU, 0, 1, 0, 0, reinterpret_cast<ULONG_PTR>(&shortText)};
    MEASUREITEMSTRUCT b = {ODT_MENU, 0, 2, 0, 0, reinterpret_cast<ULONG_PTR>(&longText)};
    drawer.MeasureItem(&a);
    drawer.MeasureItem(&b);
    EXPECT_EQ(a.itemHeight, 22u);
    // Icon 16, its margins 2 + 2, the text margins 5 + 5, and the caption.
    EXPECT_GT(a.itemWidth, 30u);
    EXPECT_GT(b.itemWidth, a.itemWidth + 50);
    attr->SetAttribute(L"maxWidth", L"60", FALSE);
    drawer.MeasureItem(&b);
    EXPECT_EQ(b.itemWidth, 60u);
    // At 150 % the font and sizes grow.
    attr->SetAttribute(L"maxWidth", L"1000", FALSE);
    MEASUREITEMSTRUCT scaled = a;
    attr->SetScale(150);
    drawer.MeasureItem(&scaled);
    attr->SetScale(100);
    EXPECT_EQ(scaled.itemHeight, 33u);
    EXPECT_GT(scaled.itemWidth, a.itemWidth);
}

TEST_F(PopupMenuTest, OpenMenuIsDrawnWithTheSkins)
{
    std::vector<uint32_t> pixels;
    RECT shown = {};
    m_hook = [&](UINT msg, WPARAM wp) {
        // The first item is drawn selected before the system says so.
        if (msg == WM_MENUSELECT && LOWORD(wp) == 11 && pixels.empty()) {
            ::PostMessageW(Owner(), WM_LOOK, 0, 0);
            return false;
        }
        if (msg != WM_LOOK)
            return false;
        // The window draws itself into the bitmap, as it is now.
        if (HWND menu = MenuWindow()) {
            ::GetWindowRect(menu, &shown);
            const int cx = shown.right - shown.left, cy = shown.bottom - shown.top;
            pixels = hosttest::PrintedPixels(menu, cx, cy);
            MaybeSavePixels(pixels, cx, cy, L"popup_open.png");
        }
        m_owner->Post({Down(VK_ESCAPE)});
        return true;
    };
    const UINT result = Track({Down(VK_DOWN)});
    m_hook = nullptr;
    EXPECT_EQ(result, 0u);
    ASSERT_FALSE(pixels.empty()) << "the menu window was not found";
    auto count = [&](uint32_t colour) { return std::count(pixels.begin(), pixels.end(), colour); };
    const long row = (shown.right - shown.left) * 22;
    EXPECT_GT(count(0xFF3078D8u), row / 2) << "the selected item in the skin's hot state";
    EXPECT_GT(count(0xFFC800C8u), 10) << "the skin's third state over the selected item";
    EXPECT_LT(count(0xFFC800C8u), row) << "only over the selected item";
    EXPECT_GT(count(0xFFFFFFFFu), row) << "the other items in the normal state";
    EXPECT_GT(count(0xFF202020u), 5) << "the check mark of the checked item";
    EXPECT_GT(count(0xFFDC2828u), 20) << "the icon of the first item";
}

} // namespace
} // namespace menutest
