#pragma once
// What an owner-drawn item of a popup menu keeps in its item data: the
// icon, the caption, the key character that chooses it and the caller's
// value. Separators carry none.
#include <winsock2.h>
#include <windows.h>

#include "dui/core/base/TStringT.h"

namespace DUI {

struct SMenuItemData
{
    int icon = -1;
    SStringW text;
    wchar_t key = 0;     // lower case; 0 for none
    ULONG_PTR userData = 0;
};

} // namespace DUI
