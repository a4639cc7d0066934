#pragma once
// Finds the window that Tab (or Shift+Tab) moves the keyboard focus to,
// in tree order below a root. A radio group counts as one stop, entered at
// its checked member.
#include "dui/core/SWindow.h"

namespace DUI {

class FocusSearch
{
public:
    // With `cycle` a search that reaches the end starts once more from the
    // other end of the tree.
    FocusSearch(SWindow* root, BOOL cycle) : m_root(root), m_cycle(cycle) {}

    // The next window from `start` (NULL: from the first or, reversed, the
    // last window of the tree, which may itself be the answer); NULL when
    // there is none.
    SWindow* FindNextFocusable(SWindow* start, BOOL reverse);

private:
    BOOL IsCandidate(SWindow* window, SWindow* start) const;
    SWindow* Resolve(SWindow* window, SWindow* start) const;
    SWindow* FindForward(SWindow* start, BOOL startCounts) const;
    SWindow* FindReverse(SWindow* start, BOOL startCounts) const;
    // Neighbours in tree order (a window before its children), within the root.
    SWindow* Following(SWindow* window) const;
    SWindow* Preceding(SWindow* window) const;
    SWindow* LastDescendant(SWindow* window) const;

    SWindow* m_root = nullptr;
    BOOL m_cycle = FALSE;
};

} // namespace DUI
