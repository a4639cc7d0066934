#pragma once
// While it lives, the mouse messages queued for this thread's windows are
// dropped before they are dispatched, so only the mouse input a test sends
// (SendMessage) reaches its hosts. Hosts are centred on the test display,
// where the real cursor may rest: a host that appears under it, or that it
// leaves, would otherwise get the system's own moves and leaves
// (TrackMouseEvent) in the middle of the test's input.
#include <winsock2.h>
#include <windows.h>

namespace hosttest {

class QueuedMouseFilter
{
public:
    QueuedMouseFilter() : m_hook(::SetWindowsHookExW(WH_GETMESSAGE, &Drop, nullptr, ::GetCurrentThreadId())) {}
    ~QueuedMouseFilter()
    {
        if (m_hook)
            ::UnhookWindowsHookEx(m_hook);
    }
    QueuedMouseFilter(const QueuedMouseFilter&) = delete;
    QueuedMouseFilter& operator=(const QueuedMouseFilter&) = delete;

    bool Active() const { return m_hook != nullptr; }

private:
    static bool IsMouseMessage(UINT msg)
    {
        return (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) || (msg >= WM_NCMOUSEMOVE && msg <= WM_NCXBUTTONDBLCLK) ||
               msg == WM_MOUSELEAVE || msg == WM_NCMOUSELEAVE || msg == WM_MOUSEHOVER || msg == WM_NCMOUSEHOVER;
    }
    static LRESULT CALLBACK Drop(int code, WPARAM removed, LPARAM lp)
    {
        if (code == HC_ACTION && removed == PM_REMOVE) {
            auto* msg = reinterpret_cast<MSG*>(lp);
            if (IsMouseMessage(msg->message))
                msg->message = WM_NULL;
        }
        return ::CallNextHookEx(nullptr, code, removed, lp);
    }

    HHOOK m_hook;
};

} // namespace hosttest
