#pragma once
// Hands out SWNDs, the numbers by which windows refer to each other, and maps
// them back to live windows. A stale SWND finds nothing instead of freed memory.
#include <winsock2.h>
#include <windows.h>
#include "dui/core/base/SCmnMap.h"
#include "dui/core/base/SCriticalSection.h"
#include "dui/core/base/SSingleton2.h"

namespace DUI {

class SWindow;
using SWND = DWORD;  // 0 is no window

class SWindowMgr : public SSingleton2<SWindowMgr>
{
public:
    // What else ends with a window's SWND: the timer generator, which looks
    // windows up here, hands down how its timers of a window stop.
    using SwndGone = void (*)(SWND swnd);

    // Given from 1 upwards and never reused.
    SWND NewSwnd(SWindow* window);
    // Also stops the generator timers of the window at once.
    bool DestroySwnd(SWND swnd);
    SWindow* GetWindow(SWND swnd) const;

    static void SetSwndGone(SwndGone gone) { s_gone = gone; }

private:
    inline static SwndGone s_gone = nullptr;

    SCmnMap<SWindow*, SWND> m_windows;
    SWND m_lastSwnd = 0;
    mutable SCriticalSection m_lock;  // any thread may ask
};

} // namespace DUI
