#pragma once
// Events of the column header: clicks, resizing, moving and relayout.
#include "dui/core/base/EventArgs.h"

namespace DUI {

class EventHeaderClick : public EventArgs
{
    DUI_EVENT_CLASS(EventHeaderClick, 18000, L"on_header_click")
public:
    int iItem = -1;
};

class EventHeaderItemChanging : public EventArgs
{
    DUI_EVENT_CLASS(EventHeaderItemChanging, 18001, L"on_header_item_changing")
public:
    int iItem = -1;
    int nWidth = 0;
};

class EventHeaderItemChanged : public EventArgs
{
    DUI_EVENT_CLASS(EventHeaderItemChanged, 18002, L"on_header_item_changed")
public:
    int iItem = -1;
    int nWidth = 0;
};

class EventHeaderItemSwap : public EventArgs
{
    DUI_EVENT_CLASS(EventHeaderItemSwap, 18003, L"on_header_item_swap")
public:
    int iOldIndex = -1;
    int iNewIndex = -1;
};

class EventHeaderRelayout : public EventArgs
{
    DUI_EVENT_CLASS(EventHeaderRelayout, 18004, L"on_header_relayout")
};

} // namespace DUI
