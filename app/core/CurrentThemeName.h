#pragma once
// The name of the program's current theme. Layouts hold one set of styles
// per theme and load the set whose "theme" attribute equals this name.
#include <string>

const std::wstring& CurrentThemeName();
