#pragma once
// Texts laid out the way a window draws them, with the fonts it and its
// ancestors select.
#include "dui/core/SWindow.h"

namespace DUI {

// The size `text` takes in `window`'s text format (alignment aside);
// (0, 0) for an empty text or no window.
SIZE MeasureWindowText(SWindow* window, const SStringW& text);

// `text` as it fits the window's text area: unchanged when it fits, else
// its head and tail around "...", each at most half of what "..." leaves;
// empty when not even "..." fits.
SStringW MeasureTextEllipsis(const SStringW& text, SWindow* window);

} // namespace DUI
