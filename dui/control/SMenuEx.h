#pragma once
// A popup menu made of framework windows: a host window built from a
// "menuRoot" definition, shown without taking the activation, and driven by
// a menu loop of its own that returns the chosen item's id. Sub-menus are
// menus of the same kind, owned by the items that open them.
#include "dui/core/SHostWnd.h"

namespace DUI {

class SMenuExItem;
class SMenuExRoot;
class SMenuExRunData;

// Sent to the owner for every event of a window of a menu that is not an
// item; lParam: the event.
constexpr UINT UM_MENUEX_EVENT = 11226;

class SMenuEx : public SHostWnd
{
public:
    // parentItem: the item that opens this menu; NULL for a top menu.
    explicit SMenuEx(SMenuExItem* parentItem = nullptr);
    ~SMenuEx() override;

    // "TYPE:name", or a bare name of type "SMENUEX".
    BOOL LoadMenu(LPCWSTR resource, HWND owner);
    // From a "menuRoot" element (top menu) or a "menuItem" (sub-menu).
    BOOL LoadMenu(xmldom::xml_node element, HWND owner);
    // Shows the menu at a screen point and runs its loop. The command, or
    // -1 when the menu has no window; without TPM_RETURNCMD the command is
    // sent to the owner as WM_COMMAND and 1 returned.
    UINT TrackPopupMenu(UINT flags, int x, int y, HWND owner, int scale = 100);
    // Ends the running menu with the command, from anywhere on this thread.
    static void EndMenu(int command);

    SMenuExItem* GetParentItem() const { return m_parentItem; }
    SMenuExRoot* GetMenuRoot() const { return m_root; }
    HWND GetOwnerHwnd() const { return m_owner; }
    // The selected item, or NULL.
    SMenuExItem* GetCurrentItem() const;
    // The sub-menu this menu has open, or NULL.
    SMenuEx* GetOpenSubMenu() const;

    // Shows the menu at a screen point (TPM_ alignment flags), kept on its
    // monitor, and adds it to the run's open menus.
    void ShowMenu(UINT flags, int x, int y);
    // What becomes of the item that opened a sub-menu when the sub-menu hides.
    enum class ParentItem { Release, KeepSelected };
    // Hides the menu and what it opened. A key that closes a sub-menu keeps
    // its parent item selected, so the keys go on from there.
    void HideMenu(ParentItem parentItem);
    // Opens the item's sub-menu next to it; selectFirst: its first enabled
    // item becomes the selected one.
    void OpenSubMenu(SMenuExItem* item, BOOL selectFirst);

    SStringW GetTrCtx() const override;
    int GetScale() const override;
    BOOL HandleEvent(EventArgs* e) override;
    BOOL ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result, DWORD mapId) override;

protected:
    void OnNativeDestroy() override;

private:
    // The menu loop of one TrackPopupMenu call.
    void RunMenuLoop(SMenuExRunData* run, HWND foreground);
    // What the loop does with the message at the head of the queue: FALSE
    // ends the loop.
    BOOL HandleQueuedMessage(SMenuExRunData* run, MSG& msg);
    BOOL HandleButtonDown(SMenuExRunData* run, MSG& msg);
    void DispatchMenuMessage(SMenuExRunData* run, MSG& msg);
    void TrackMouseOver(SMenuExRunData* run, const MSG& msg);

    void SendInitPopup();
    BOOL OnKeyDown(UINT vk);
    void MoveSelection(int step);
    BOOL ChooseByKey(wchar_t key);
    void SelectItem(SMenuExItem* item);
    SMenuExItem* FirstEnabledItem() const;
    int IndexOfParentItem() const;

    SMenuExItem* m_parentItem = nullptr;
    SMenuExRoot* m_root = nullptr;
    SWND m_hoverItem = 0;
    SWND m_currentItem = 0;
    BOOL m_popupInitialised = FALSE;
    HWND m_owner = nullptr;
    HWND m_lastMouseMenu = nullptr;
};

} // namespace DUI
