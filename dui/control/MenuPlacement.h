#pragma once
// Where a popup menu of a given size goes for a requested point, so that it
// stays on its monitor: a top menu flips left of or above the point, a
// sub-menu opens left of its parent when there is no room on the right.
#include <winsock2.h>
#include <windows.h>

namespace DUI {

struct MenuPlacementRequest
{
    POINT pt = {};          // screen point asked for
    SIZE size = {};         // the menu's size
    UINT flags = 0;         // TPM_ alignment flags
    RECT monitor = {};      // the whole monitor, not its work area
    int offset = 0;         // horizontal gap to the parent menu (sub-menus)
    BOOL subMenu = FALSE;
    int parentWidth = 0;    // width of the parent menu's window (sub-menus)
};

// The top-left corner of the menu.
POINT PlacePopupMenu(const MenuPlacementRequest& request);

} // namespace DUI
