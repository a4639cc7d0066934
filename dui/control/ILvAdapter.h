#pragma once
// What an adapter-driven view asks of its rows' source: how many rows, of
// which view type, and to fill a row's windows; and the observers through
// which the source tells the views that its rows changed. Views never own
// row data.
#include "dui/core/base/IObjRef.h"
#include "dui/core/base/TStringT.h"
#include "xml/xmldom.h"

namespace DUI {

class SItemPanel;

struct ILvDataSetObserver : IObjRef
{
    // The whole data set changed.
    virtual void OnChanged() = 0;
    // The data set is no longer valid.
    virtual void OnInvalidated() = 0;
    // One row's data changed.
    virtual void OnItemChanged(int index) = 0;
};

// Item state bits handed to GetItemViewTypeEx.
enum LvItemState : DWORD
{
    LvItem_Hover = 0x1,
    LvItem_Selected = 0x4,
};

struct ILvAdapter : IObjRef
{
    virtual void RegisterObserver(ILvDataSetObserver* observer) = 0;
    virtual void UnregisterObserver(ILvDataSetObserver* observer) = 0;
    virtual int GetCount() = 0;
    // Fills or creates the row's child windows in the panel.
    virtual void GetView(int position, SItemPanel* item, xmldom::xml_node xmlTemplate) = 0;
    virtual int GetItemViewTypeEx(int position, DWORD state) = 0;
    virtual int GetViewTypeCount() = 0;
    virtual SIZE GetViewDesiredSize(int position, SItemPanel* item, const RECT& rcParent) = 0;
    virtual bool IsEmpty() = 0;
    virtual ULONGLONG GetItemData(int position) = 0;
    virtual SStringW GetItemDesc(int position) = 0;
    virtual void InitByTemplate(xmldom::xml_node xmlTemplate) = 0;
};

struct IMcAdapter : ILvAdapter
{
    // The name of the row window that shows the column of that id.
    virtual SStringW GetColumnName(int column) = 0;
    // `position`: the item's place in the header.
    virtual bool IsColumnVisible(int position) = 0;
    // TRUE: the view copies the flags back into the header and refreshes.
    virtual bool OnSort(int column, UINT* flags, int count) = 0;
};

} // namespace DUI
