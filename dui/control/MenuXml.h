#pragma once
// What the menu classes share to read their definitions: attribute values
// (integers decimal or "0x" hexadecimal, booleans false only for "0" and
// "false"), the built-in menu skins and the limit on nested sub-menus.
#include <winsock2.h>
#include <windows.h>
#include <shlwapi.h>

#include "dui/core/base/SRefPtr.h"
#include "dui/core/base/TStringT.h"
#include "dui/res.mgr/ISkinObj.h"
#include "dui/res.mgr/SSkinPoolMgr.h"
#include "xml/xmldom.h"

namespace DUI {

// Indexes of the built-in menu skins.
enum SystemMenuSkin : int
{
    kSysMenuCheck = 24,
    kSysMenuSep = 25,
    kSysMenuArrow = 26,
    kSysMenuItem = 28,
};

// Each level of sub-menus is a recursion while a menu is built (and for
// XML menus a native window); a definition nested deeper than any menu a
// person can use is cut there rather than allowed to exhaust the stack.
constexpr int kMaxMenuDepth = 64;

inline int ParseMenuInt(const SStringW& value, int fallback = 0)
{
    int out = 0;
    return ::StrToIntExW(value.c_str(), STIF_SUPPORT_HEX, &out) ? out : fallback;
}

inline BOOL ParseMenuBool(const SStringW& value)
{
    return !(value == L"0" || value.CompareNoCase(L"false") == 0);
}

// A built-in skin at 100 %, with a reference of its own; NULL without it.
inline SRefPtr<ISkinObj> SystemMenuSkinAt100(SystemMenuSkin index)
{
    SSkinPoolMgr* pools = SSkinPoolMgr::GetInstance();
    return SRefPtr<ISkinObj>::Share(pools ? pools->GetSystemSkin(index, 100) : nullptr);
}

inline xmldom::xml_node FirstMenuElement(const xmldom::xml_node& parent)
{
    for (xmldom::xml_node n = parent.first_child(); n; n = n.next_sibling()) {
        if (n.type() == xmldom::node_element)
            return n;
    }
    return xmldom::xml_node();
}

} // namespace DUI
