#pragma once
// Crossing between the framework string and the standard wide string at the
// edge of the application core; encodings are converted in dui/core/base/SCodePage.h.
#include <string>

#include "dui/core/base/TStringT.h"

std::wstring ToStdString(const DUI::SStringW& text);
DUI::SStringW ToSString(const std::wstring& text);
