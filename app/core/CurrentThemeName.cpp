#include "app/core/CurrentThemeName.h"

const std::wstring& CurrentThemeName()
{
    // The program ships one look; the other themes' styles in the layouts
    // stay unused.
    static const std::wstring name = L"default";
    return name;
}
