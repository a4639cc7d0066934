#include "dui/res.mgr/SDimension.h"

#include <cwchar>

namespace DUI {

namespace {

SStringW& DefaultUnit()
{
    static SStringW s_unit(L"px");
    return s_unit;
}

bool IsKnownUnit(const wchar_t* unit)
{
    return _wcsicmp(unit, L"px") == 0 || _wcsicmp(unit, L"dp") == 0 || _wcsicmp(unit, L"dip") == 0 ||
           _wcsicmp(unit, L"sp") == 0;
}

} // namespace

int DimensionToPixels(const SStringW& text, int scale)
{
    wchar_t* end = nullptr;
    const double value = wcstod(text.c_str(), &end);
    const wchar_t* unit = end && *end ? end : DefaultUnit().c_str();
    const bool scaled = _wcsicmp(unit, L"px") != 0 && IsKnownUnit(unit);
    return static_cast<int>(scaled ? value * scale / 100.0 : value);
}

BOOL SetDefaultDimensionUnit(const SStringW& unit)
{
    if (!IsKnownUnit(unit.c_str())) return FALSE;
    SStringW lower(unit);
    lower.MakeLower();
    DefaultUnit() = lower;
    return TRUE;
}

SStringW GetDefaultDimensionUnit()
{
    return DefaultUnit();
}

bool IsDimensionText(const SStringW& text)
{
    wchar_t* end = nullptr;
    wcstod(text.c_str(), &end);
    return end != text.c_str() && (!*end || IsKnownUnit(end));
}

} // namespace DUI
