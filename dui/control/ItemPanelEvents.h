#pragma once
// The events of item panels: the wrapper in which every event of a row's
// windows reaches the view, and the mouse events of the row itself.
#include <winsock2.h>
#include <windows.h>

#include "dui/core/base/EventArgs.h"

namespace DUI {

class SItemPanel;

class EventOfPanel : public EventArgs
{
    DUI_EVENT_CLASS(EventOfPanel, 10006, L"on_event_of_panel")
public:
    SItemPanel* pItem = nullptr;
    EventArgs* pOrgEvt = nullptr;
};

// The mouse on a row: key flags and the point in item coordinates.
class EventItemPanelMouse : public EventArgs
{
public:
    using EventArgs::EventArgs;
    UINT nFlags = 0;
    POINT pt = {};
};

#define DUI_ITEM_MOUSE_EVENT(ThisClass, eventId, eventName)                                          \
    class ThisClass : public EventItemPanelMouse                                                     \
    {                                                                                                \
    public:                                                                                          \
        using EventItemPanelMouse::EventItemPanelMouse;                                              \
        static constexpr int EventID = eventId;                                                      \
        static LPCWSTR EventName() { return eventName; }                                             \
        int GetID() const override { return eventId; }                                               \
        LPCWSTR GetName() const override { return eventName; }                                       \
        LPCWSTR GetClassTag() const override { return eventName; }                                   \
        BOOL IsKindOf(LPCWSTR tag) const override                                                    \
        {                                                                                            \
            return tag && (std::wcscmp(tag, eventName) == 0 || std::wcscmp(tag, L"eventargs") == 0); \
        }                                                                                            \
    };

DUI_ITEM_MOUSE_EVENT(EventItemPanelClick, 10007, L"on_itempanel_click")
DUI_ITEM_MOUSE_EVENT(EventItemPanelDbclick, 10008, L"on_itempanel_dbclick")
DUI_ITEM_MOUSE_EVENT(EventItemPanelRclick, 10009, L"on_itemparem_rclick")
DUI_ITEM_MOUSE_EVENT(EventItemPanelHover, 10010, L"on_itempanel_hover")

#undef DUI_ITEM_MOUSE_EVENT

class EventItemPanelLeave : public EventArgs
{
    DUI_EVENT_CLASS(EventItemPanelLeave, 10011, L"on_itempanel_leave")
};

} // namespace DUI
