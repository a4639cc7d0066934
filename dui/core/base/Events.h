#pragma once
// The event classes of the framework core. Controls add their own classes on
// the same base in their own headers.
#include "dui/core/base/EventArgs.h"

namespace DUI {

class EventInit : public EventArgs
{
    DUI_EVENT_CLASS(EventInit, 8000, L"on_init")
};

class EventExit : public EventArgs
{
    DUI_EVENT_CLASS(EventExit, 8001, L"on_exit")
};

class EventTimer : public EventArgs
{
    DUI_EVENT_CLASS(EventTimer, 8002, L"on_timer")
public:
    UINT uID = 0;
};

class EventSetFocus : public EventArgs
{
    DUI_EVENT_CLASS(EventSetFocus, 8100, L"on_set_focus")
};

class EventKillFocus : public EventArgs
{
    DUI_EVENT_CLASS(EventKillFocus, 8101, L"on_kill_focus")
};

class EventSwndCreate : public EventArgs
{
    DUI_EVENT_CLASS(EventSwndCreate, 8102, L"on_create")
};

class EventSwndDestroy : public EventArgs
{
    DUI_EVENT_CLASS(EventSwndDestroy, 8103, L"on_destroy")
};

class EventSwndSize : public EventArgs
{
    DUI_EVENT_CLASS(EventSwndSize, 8104, L"on_size")
public:
    SIZE szWnd = {};
};

class EventSwndVisibleChanged : public EventArgs
{
    DUI_EVENT_CLASS(EventSwndVisibleChanged, 8105, L"on_visible_changed")
};

class EventSwndStateChanged : public EventArgs
{
    DUI_EVENT_CLASS(EventSwndStateChanged, 8106, L"on_state_changed")
public:
    DWORD dwOldState = 0;
    DWORD dwNewState = 0;
};

class EventLButtonDown : public EventArgs
{
    DUI_EVENT_CLASS(EventLButtonDown, 8107, L"on_mouse_lbutton_down")
public:
    POINT pt = {};
};

class EventLButtonUp : public EventArgs
{
    DUI_EVENT_CLASS(EventLButtonUp, 8108, L"on_mouse_lbutton_up")
public:
    POINT pt = {};
};

class EventSwndUpdateTooltip : public EventArgs
{
    DUI_EVENT_CLASS(EventSwndUpdateTooltip, 8109, L"on_update_tooltip")
public:
    SStringW strToolTip;
    BOOL bUpdated = FALSE;
};

class EventSwndMouseHover : public EventArgs
{
    DUI_EVENT_CLASS(EventSwndMouseHover, 9000, L"on_mouse_hover")
};

class EventSwndMouseLeave : public EventArgs
{
    DUI_EVENT_CLASS(EventSwndMouseLeave, 9001, L"on_mouse_leave")
};

class EventCmd : public EventArgs
{
    DUI_EVENT_CLASS(EventCmd, 10000, L"on_command")
};

class EventCtxMenu : public EventArgs
{
    DUI_EVENT_CLASS(EventCtxMenu, 10001, L"on_conext_menu")
public:
    POINT pt = {};
    BOOL bCancel = FALSE;
};

} // namespace DUI
