#pragma once
// Crossing between the framework string and the standard wide string; the
// helpers take whichever their callers hold.
#include <string>

#include "dui/core/TStringT.h"

std::wstring ToStdString(const DUI::SStringW& text);
DUI::SStringW ToSString(const std::wstring& text);
// UTF-8 of the text up to its first NUL.
std::string SStringToUtf8(const DUI::SStringW& text);
