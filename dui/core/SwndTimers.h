#pragma once
// The timers of a windowless window. Host timers (ids 0-127) run on the host
// window and tick as WM_TIMER with the id in wParam; generator timers run on
// the timer generator and tick as UM_SWND_TIMER.
#include <winsock2.h>
#include <windows.h>

#include "dui/core/SWindowMgr.h"

namespace DUI {

class SwndTimers
{
public:
    // Without a host window the system would make a thread timer with an id
    // of its own choosing, which no one could kill by this id: FALSE then.
    static BOOL SetHostTimer(HWND host, SWND swnd, char id, UINT elapse);
    static void KillHostTimer(HWND host, SWND swnd, char id);
    static BOOL SetGeneratorTimer(SWND swnd, UINT_PTR id, UINT elapse);
    static void KillGeneratorTimer(SWND swnd, UINT_PTR id);
};

} // namespace DUI
