#pragma once
// Runs this thread's messages while a test waits for its windows and timers.
// Every wait ends on a condition; the limit only ends a wait that a fault
// made endless, so it allows a slow, loaded machine.
#include <winsock2.h>
#include <windows.h>

namespace testsupport {

inline constexpr DWORD kPumpLimitMs = 30000;

// Dispatches until done() holds or timeoutMs passes; true when it held.
template <class Done>
bool PumpUntil(Done done, DWORD timeoutMs = kPumpLimitMs)
{
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    while (!done()) {
        if (::GetTickCount64() >= end)
            return false;
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
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

} // namespace testsupport
