#pragma once
// Where each row of a list view lies: heights and positions in pixels at
// the current scale, measured from the top of the first row.
#include "dui/control/ILvAdapter.h"

namespace DUI {

struct IListViewItemLocator : IObjRef
{
    virtual void SetAdapter(ILvAdapter* adapter) = 0;
    virtual void OnDataSetChanged() = 0;
    virtual BOOL IsFixHeight() const = 0;
    virtual int GetItemHeight(int row) const = 0;
    virtual void SetItemHeight(int row, int height) = 0;
    virtual int GetTotalHeight() = 0;
    virtual int Item2Position(int row) = 0;
    // The row at the position; -1 for none.
    virtual int Position2Item(int position) = 0;
    virtual int GetScrollLineSize() const = 0;
    virtual int GetDividerSize() const = 0;
    virtual void SetScale(int scale) = 0;
};

} // namespace DUI
