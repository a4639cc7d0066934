#include "dui/res.mgr/SDimension.h"

#include <cwchar>

namespace DUI {

int DimensionToPixels(const SStringW& text, int scale)
{
    wchar_t* end = nullptr;
    const double value = wcstod(text.c_str(), &end);
    const bool scaled = end && (_wcsicmp(end, L"dp") == 0 || _wcsicmp(end, L"dip") == 0 || _wcsicmp(end, L"sp") == 0);
    return static_cast<int>(scaled ? value * scale / 100.0 : value);
}

} // namespace DUI
