#pragma once
// What a message loop offers its clients: filters see each message before it
// is dispatched (tooltips are filters), idle callbacks run while the queue is
// empty. The loop holds plain pointers; a client removes itself before it dies.
#include <winsock2.h>
#include <windows.h>

namespace DUI {

struct IMessageFilter
{
    // TRUE takes the message: it is neither translated nor dispatched.
    virtual BOOL PreTranslateMessage(MSG* msg) = 0;

protected:
    ~IMessageFilter() = default;
};

struct IIdleCallback
{
    virtual void OnIdle() = 0;

protected:
    ~IIdleCallback() = default;
};

} // namespace DUI
