#pragma once
// A multi-column adapter that owns the list's selection: the extended list
// view asks it row by row and changes the selection only through it, and a
// drag of selected rows ends in its move of the underlying items.
#include "dui/control/ILvAdapter.h"
#include "dui/core/base/SLinkedList.h"

namespace DUI {

struct IMcAdapterEx : IMcAdapter
{
    virtual void ToggleSelect(int row) = 0;
    virtual void SelectRangeToLast(int row) = 0;
    virtual void ClearSelection() = 0;
    virtual void SelectOnly(int row) = 0;
    virtual bool IsSelected(int row) = 0;
    virtual void SetAnchor(int row) = 0;
    virtual void ExtendSelection(int row) = 0;
    // Called after each selection gesture of the user.
    virtual void OnSelectionChanged() = 0;
    virtual void DropSelectionAt(int row) = 0;
    // Moves the selected items, kept together in their former order, to the
    // insertion position `row` (counted before the move) and writes their
    // new positions into `selection`; false when nothing moved.
    virtual bool MoveSelectedItems(int row, SLinkedList<int>& selection) = 0;
    // The adapter's own list: a caller may rewrite its values.
    virtual SLinkedList<int>& GetSelection() = 0;
};

} // namespace DUI
