#pragma once
// Runs this thread's messages while a test waits for its windows and timers.
// Every wait ends on a condition; the limit only ends a wait that a fault
// made endless, so it allows a slow, loaded machine.
#include <winsock2.h>
#include <windows.h>

#include "tests/support/MessageWindow.h"

namespace testsupport {

inline constexpr DWORD kPumpLimitMs = 30000;

// How a message is handled while a test waits: translated and dispatched.
// A test's own way may also look at each message first, or run it through
// its message loop; it answers false to end the wait at once (a WM_QUIT it
// handed on).
struct Dispatch
{
    bool operator()(MSG& msg) const
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
        return true;
    }
};

// Dispatches until done() holds or timeoutMs passes; true when it held.
template <class Done, class Handle = Dispatch>
bool PumpUntil(Done done, DWORD timeoutMs = kPumpLimitMs, Handle handle = {})
{
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    while (!done()) {
        if (::GetTickCount64() >= end)
            return false;
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!handle(msg))
                return done();
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return true;
}

// Dispatches whatever arrives within ms.
inline void PumpFor(DWORD ms)
{
    PumpUntil([] { return false; }, ms);
}

// Dispatches until a timer of ms, started now on this thread, has fired; true
// when it did. The timers of one thread fire in the order they fall due, so
// by then every timer of this thread that was due before it (a delay, a
// repeat) has fired too: the sentinel shows what did not happen.
inline bool PumpPastTimer(DWORD ms)
{
    bool fired = false;
    MessageWindow sentinel([&](UINT msg, WPARAM, LPARAM, LRESULT&) {
        fired = fired || msg == WM_TIMER;
        return msg == WM_TIMER;
    });
    return sentinel.Hwnd() && ::SetTimer(sentinel.Hwnd(), 1, ms, nullptr) &&
           PumpUntil([&] { return fired; }, ms + kPumpLimitMs);
}

} // namespace testsupport
