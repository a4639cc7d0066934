#pragma once
// The events of the rich edit: a key before the engine sees it, the
// engine's notifications and the chosen command of its context menu.
#include <winsock2.h>
#include <windows.h>

#include "dui/core/base/EventArgs.h"

namespace DUI {

class EventKeyDown : public EventArgs
{
    DUI_EVENT_CLASS(EventKeyDown, 8200, L"on_key_down")
public:
    UINT nChar = 0;
    UINT nFlags = 0;  // the high word of the key message's lParam
    bool bCancel = false;
};

class EventRENotify : public EventArgs
{
    DUI_EVENT_CLASS(EventRENotify, 16000, L"on_richedit_notify")
public:
    DWORD iNotify = 0;
    LPVOID pv = nullptr;
    HRESULT hr = S_OK;
};

class EventREMenu : public EventArgs
{
    DUI_EVENT_CLASS(EventREMenu, 16001, L"on_richedit_menu")
public:
    UINT uCmd = 0;
};

} // namespace DUI
