#pragma once
// A system popup menu built from XML whose items are owner-drawn with the
// framework's skins, font and colours. The items' records and the shared
// look are freed with the menu unless the handle was only attached.
#include <winsock2.h>
#include <windows.h>

#include "dui/core/base/SHandle.h"
#include "xml/xmldom.h"

namespace DUI {

class SMenuAttr;

class SPopupMenu
{
public:
    SPopupMenu() = default;
    ~SPopupMenu();
    SPopupMenu(const SPopupMenu&) = delete;
    SPopupMenu& operator=(const SPopupMenu&) = delete;

    // Builds the menu from its element; a menu loaded before is destroyed.
    BOOL LoadMenu(xmldom::xml_node element);
    // Shows the menu and returns the chosen command, 0 for none; without
    // TPM_RETURNCMD the owner is also sent WM_COMMAND with it.
    UINT TrackPopupMenu(UINT flags, int x, int y, HWND owner, const RECT* exclude = nullptr, int scale = 100);
    // Frees every item's record and the look's references, then the menu.
    void DestroyMenu();
    // Takes a handle that its maker keeps: the destructor leaves it alone.
    void Attach(HMENU menu);

    HMENU GetHMenu() const { return m_menu; }
    // The look a menu handle of this kind holds, or NULL.
    static SMenuAttr* GetMenuAttr(HMENU menu);

private:
    void AppendChildren(HMENU menu, xmldom::xml_node element, SMenuAttr* attr, int depth);
    void AppendItem(HMENU menu, xmldom::xml_node element, SMenuAttr* attr, int depth);
    static void FreeMenuTree(HMENU menu);

    // A menu built here goes with its items' records.
    struct OwnedMenuTraits {
        using Type = HMENU;
        static HMENU Invalid() { return nullptr; }
        static void Close(HMENU menu);
    };

    // An attached menu is released, never closed, when another replaces it.
    void LetGoOfAttached();

    SHandle<OwnedMenuTraits> m_menu;
    BOOL m_attached = FALSE;
};

} // namespace DUI
