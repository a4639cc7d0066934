#pragma once
// What a window tells its host's tooltip: whose tip it is, where it applies
// (container coordinates) and its text. The key tells one tip from another
// while the mouse stays over the same window.
#include <winsock2.h>
#include <windows.h>
#include "dui/core/SWindowMgr.h"
#include "dui/core/base/TStringT.h"

namespace DUI {

struct SwndToolTipKey
{
    SWND swnd = 0;
    DWORD cookie = 0;
};

struct SwndToolTipInfo
{
    SWND swnd = 0;
    DWORD cookie = 0;
    RECT rcTarget = {};
    SStringW strTip;
};

} // namespace DUI
