#include "dui/core/FocusSearch.h"

namespace DUI {

namespace {

BOOL CanTakeFocus(const SWindow* w)
{
    return w->IsFocusable() && w->IsVisible(TRUE) && !w->IsDisabled(TRUE);
}

BOOL InSameGroup(const SWindow* w, const SWindow* start)
{
    return start && start->IsGroupedWithSiblings() && w->IsGroupedWithSiblings() &&
           w->GetParent() == start->GetParent();
}

} // namespace

// Tab leaves a radio group instead of walking through it: the group of the
// start is no stop.
BOOL FocusSearch::IsCandidate(SWindow* window, SWindow* start) const
{
    return CanTakeFocus(window) && !InSameGroup(window, start);
}

// A group is entered at its checked member when it has one.
SWindow* FocusSearch::Resolve(SWindow* window, SWindow* start) const
{
    if (!IsCandidate(window, start))
        return nullptr;
    if (!window->IsGroupedWithSiblings())
        return window;
    SWindow* checked = window->GetCheckedSiblingInGroup();
    if (!checked)
        return window;
    return CanTakeFocus(checked) ? checked : nullptr;
}

SWindow* FocusSearch::FindNextFocusable(SWindow* start, BOOL reverse)
{
    if (!m_root || !m_root->GetRelatedWindow(GSW_FIRSTCHILD))
        return nullptr;
    SWindow* found = nullptr;
    if (start)
        found = reverse ? FindReverse(start, FALSE) : FindForward(start, FALSE);
    else if (reverse)
        found = FindReverse(LastDescendant(m_root), TRUE);
    else
        found = FindForward(m_root->GetRelatedWindow(GSW_FIRSTCHILD), TRUE);
    if (!found && m_cycle) {
        m_cycle = FALSE;
        found = FindNextFocusable(nullptr, reverse);
    }
    return found;
}

// Tree order: a window, then its subtree, then what follows it.
SWindow* FocusSearch::FindForward(SWindow* start, BOOL startCounts) const
{
    SWindow* const origin = startCounts ? nullptr : start;
    for (SWindow* w = startCounts ? start : Following(start); w; w = Following(w)) {
        if (SWindow* hit = Resolve(w, origin))
            return hit;
    }
    return nullptr;
}

// Exactly the reverse of the tree order. A start that could hold the focus
// itself is left backwards without visiting its children, which lie after it.
SWindow* FocusSearch::FindReverse(SWindow* start, BOOL startCounts) const
{
    SWindow* const origin = startCounts ? nullptr : start;
    SWindow* w = start;
    if (!startCounts)
        w = CanTakeFocus(start) ? Preceding(start) : LastDescendant(start);
    for (; w; w = Preceding(w)) {
        if (w == origin)
            continue;
        if (SWindow* hit = Resolve(w, origin))
            return hit;
    }
    return nullptr;
}

SWindow* FocusSearch::Following(SWindow* w) const
{
    if (SWindow* child = w->GetRelatedWindow(GSW_FIRSTCHILD))
        return child;
    for (; w && w != m_root; w = w->GetParent()) {
        if (SWindow* next = w->GetRelatedWindow(GSW_NEXTSIBLING))
            return next;
    }
    return nullptr;
}

// The root is the host itself and never a stop.
SWindow* FocusSearch::Preceding(SWindow* w) const
{
    if (w == m_root)
        return nullptr;
    if (SWindow* prev = w->GetRelatedWindow(GSW_PREVSIBLING))
        return LastDescendant(prev);
    SWindow* parent = w->GetParent();
    return parent == m_root ? nullptr : parent;
}

SWindow* FocusSearch::LastDescendant(SWindow* w) const
{
    while (SWindow* last = w->GetRelatedWindow(GSW_LASTCHILD))
        w = last;
    return w;
}

} // namespace DUI
