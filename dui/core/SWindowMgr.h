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
    // Given from 1 upwards and never reused.
    SWND NewSwnd(SWindow* window);
    // Also stops the generator timers of the window at once.
    bool DestroySwnd(SWND swnd);
    SWindow* GetWindow(SWND swnd) const;

private:
    SCmnMap<SWindow*, SWND> m_windows;
    SWND m_lastSwnd = 0;
    mutable SCriticalSection m_lock;  // any thread may ask
};

} // namespace DUI
