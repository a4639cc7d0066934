#include "dui/res.mgr/SNamedValue.h"

#include <cstdio>

namespace DUI {

bool ParseColor(LPCWSTR text, COLORREF& out)
{
    if (!text) return false;
    SStringW lower(text);
    lower.MakeLower();
    const wchar_t* s = lower.c_str();
    int r = 255, g = 255, b = 255, a = 255, n = 0;
    if (s[0] == L'#')
        n = swscanf(s, L"#%02x%02x%02x%02x", &r, &g, &b, &a);
    else if (wcsncmp(s, L"rgba", 4) == 0)
        n = swscanf(s, L"rgba(%d,%d,%d,%d)", &r, &g, &b, &a);
    else if (wcsncmp(s, L"rgb", 3) == 0)
        n = swscanf(s, L"rgb(%d,%d,%d)", &r, &g, &b);
    if (n != 3 && n != 4) return false;
    out = (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16) | (static_cast<COLORREF>(a & 0xFF) << 24);
    return true;
}

COLORREF SNamedColor::Get(LPCWSTR text) const
{
    if (!text) return kColorUnset;
    if (HasPrefix(text)) return Lookup(text);
    COLORREF c;
    return ParseColor(text, c) ? c : kColorUnset;
}

SStringW SNamedString::Get(LPCWSTR text) const
{
    if (!text) return SStringW();
    return *text && HasPrefix(text) ? Lookup(text) : SStringW(text);
}

bool SDimensionParser::Parse(LPCWSTR text, Value& out)
{
    out = SLayoutSize(text);
    return true;
}

SLayoutSize SNamedDimension::Get(LPCWSTR text) const
{
    if (!text) return SDimensionParser::Missing();
    return HasPrefix(text) ? Lookup(text) : SLayoutSize(text);
}

} // namespace DUI
