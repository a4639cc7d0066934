#pragma once
// The two splits of the program, kept side by side because they answer
// differently on purpose: skin and layout values drop empty pieces, while the
// application core's lists keep them so that every separator counts.
#include <string>
#include <vector>

#include "dui/core/base/TStringT.h"

namespace DUI {

// Appends the non-empty pieces between separators; returns the array's count.
// Leading, trailing and doubled separators and an empty text add nothing.
size_t SplitString(const SStringW& text, wchar_t separator, SStringWList& out);

// Every separator yields a piece, empty ones included, so an empty text gives
// one empty piece. An empty separator gives the whole text as one piece.
std::vector<std::wstring> SplitStringKeepEmpty(const std::wstring& text, const std::wstring& separator);

} // namespace DUI
