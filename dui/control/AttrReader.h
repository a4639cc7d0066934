#pragma once
// How controls read the integer values of their attributes: decimal or
// "0x" hexadecimal, 0 for text that is neither.
#include <winsock2.h>
#include <windows.h>
#include <shlwapi.h>

#include "dui/core/TStringT.h"

namespace DUI {

inline int ReadAttrInt(const SStringW& value)
{
    int n = 0;
    return ::StrToIntExW(value.c_str(), STIF_SUPPORT_HEX, &n) ? n : 0;
}

} // namespace DUI
