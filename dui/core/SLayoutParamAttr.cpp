#include "dui/core/SLayoutParamAttr.h"

#include <cmath>
#include <cstdio>
#include <cwchar>
#include <shlwapi.h>
#include "dui/core/base/DuiLog.h"
#include "dui/core/base/StringSplit.h"
#include "dui/res.mgr/SResProviderMgr.h"

namespace DUI {

namespace {

constexpr const wchar_t* kDimPrefix = L"@dim/";

void LogUnreadable(const char* function, const wchar_t* what, const SStringW& text)
{
    DUI_LOG_WARNING("dui", function, L"warning: %s \"%s\" is not well formed", what, text.c_str());
}

} // namespace

BOOL AskOrientation(int orientation, bool width, bool height)
{
    switch (orientation) {
    case Horz: return width;
    case Vert: return height;
    case Any: return width || height;
    case Both: return width && height;
    default: return FALSE;
    }
}

void SetByOrientation(int orientation, SLayoutSize& width, SLayoutSize& height, const SLayoutSize& value)
{
    if (orientation == Horz || orientation == Both) width = value;
    if (orientation == Vert || orientation == Both) height = value;
}

SLayoutSize ReadDimension(const SStringW& text, const char* function)
{
    const bool named = wcsncmp(text.c_str(), kDimPrefix, wcslen(kDimPrefix)) == 0;
    if (!named && !text.IsEmpty() && !SLayoutSize::IsWellFormed(text.c_str()))
        LogUnreadable(function, L"dimension", text);
    return ResolveLayoutDim(text.c_str());
}

SLayoutSize ReadSizeWord(const SStringW& text, bool fullMatches, const char* function)
{
    SLayoutSize size;
    if (text.CompareNoCase(L"matchParent") == 0 || (fullMatches && text.CompareNoCase(L"full") == 0))
        size.SetMatchParent();
    else if (text.CompareNoCase(L"wrapContent") == 0)
        size.SetWrapContent();
    else
        size = ReadDimension(text, function);
    return size;
}

bool ReadSizePair(const SStringW& text, bool fullMatches, const char* function, SLayoutSize& width,
                  SLayoutSize& height)
{
    SStringWList pieces;
    if (SplitString(text, L',', pieces) != 2) return false;
    width = ReadSizeWord(pieces[0], fullMatches, function);
    height = ReadSizeWord(pieces[1], fullMatches, function);
    return true;
}

bool ReadDimensionPair(const SStringW& text, const char* function, SLayoutSize& first, SLayoutSize& second)
{
    SStringWList pieces;
    if (SplitString(text, L',', pieces) != 2) return false;
    first = ReadDimension(pieces[0], function);
    second = ReadDimension(pieces[1], function);
    return true;
}

void ReadFloat(const SStringW& text, const char* function, float& out)
{
    float value = 0;
    wchar_t rest = 0;
    const int n = swscanf(text.c_str(), L"%f %lc", &value, &rest);
    const bool finite = n >= 1 && std::isfinite(value);
    if (finite) out = value;
    if (n != 1 || !finite) LogUnreadable(function, L"number", text);
}

int ReadInt(const SStringW& text, const char* function)
{
    int value = 0;
    if (!StrToIntExW(text.c_str(), STIF_SUPPORT_HEX, &value)) {
        LogUnreadable(function, L"number", text);
        return 0;
    }
    return value;
}

BOOL ReadBool(const SStringW& text)
{
    return !(text == L"0" || text.CompareNoCase(L"false") == 0);
}

} // namespace DUI
