#pragma once
// The framework's message pump for one thread: filters first (newest first),
// idle callbacks while the queue is empty, and an end on WM_QUIT or on Quit.
// Modal dialogs run loops of their own inside the main one.
#include "dui/core/IMessageFilter.h"
#include "dui/core/base/SDynArray.h"

namespace DUI {

class SMessageLoop
{
public:
    SMessageLoop() = default;
    virtual ~SMessageLoop() = default;
    SMessageLoop(const SMessageLoop&) = delete;
    SMessageLoop& operator=(const SMessageLoop&) = delete;

    // A filter added twice is asked twice. FALSE only when the list cannot grow.
    BOOL AddMessageFilter(IMessageFilter* filter);
    // Removes the oldest entry equal to the filter.
    BOOL RemoveMessageFilter(IMessageFilter* filter);
    BOOL AddIdleHandler(IIdleCallback* handler);
    BOOL RemoveIdleHandler(IIdleCallback* handler);

    virtual BOOL PreTranslateMessage(MSG* msg);
    // Runs every idle callback; FALSE: the loop waits for the next message.
    virtual BOOL OnIdle(int count);
    // Returns WM_QUIT's code, or the last message's wParam when Quit ended it.
    virtual int Run();
    virtual BOOL IsRunning() const { return m_running; }
    virtual void OnMsg(MSG* msg);
    // Ends Run after the message being handled; posts nothing, so a loop
    // blocked in GetMessageW needs a message to wake up.
    virtual void Quit();

private:
    // Messages that arrive continually and must not restart idle processing.
    static bool IsIdleNeutral(UINT message);

    SDynArray<IMessageFilter*> m_filters;
    SDynArray<IIdleCallback*> m_idleHandlers;
    MSG m_msg = {};
    BOOL m_running = FALSE;
    BOOL m_quit = FALSE;
};

} // namespace DUI
