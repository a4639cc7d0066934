#pragma once
// Selection events of the adapter-driven list views.
#include "dui/core/base/EventArgs.h"

namespace DUI {

class EventLVSelChanging : public EventArgs
{
    DUI_EVENT_CLASS(EventLVSelChanging, 15100, L"on_listview_select_changing")
public:
    int iOldSel = -1;
    int iNewSel = -1;
    BOOL bCancel = FALSE;
};

class EventLVSelChanged : public EventArgs
{
    DUI_EVENT_CLASS(EventLVSelChanged, 15101, L"on_listview_select_changed")
public:
    int iOldSel = -1;
    int iNewSel = -1;
};

} // namespace DUI
