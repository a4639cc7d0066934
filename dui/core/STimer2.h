#pragma once
// The timer generator: runs thread timers on behalf of windows and delivers
// each tick to the window by SWND, so a tick for a destroyed window is dropped.
// UI thread only.
#include <winsock2.h>
#include <windows.h>
#include "dui/core/base/SCmnMap.h"
#include "dui/core/base/SSingleton2.h"
#include "dui/core/SWindowMgr.h"

namespace DUI {

// The message a window receives for each generator tick (wParam: its timer id).
constexpr UINT UM_SWND_TIMER = 0x1938;

struct tagTIMERINFO
{
    SWND swnd = 0;
    UINT_PTR uTimerID = 0;  // the window's own timer id
};

class STimer2 : public SSingleton2<STimer2>
{
public:
    // How a tick reaches a live window: the window layer passes it on as
    // UM_SWND_TIMER through the window's own message delivery.
    using TickDelivery = void (*)(SWindow* window, UINT_PTR windowTimerId);

    STimer2();
    ~STimer2() override;

    BOOL SetTimer(SWND swnd, UINT_PTR windowTimerId, UINT elapse);
    void KillTimer(SWND swnd, UINT_PTR windowTimerId);
    void KillTimersOf(SWND swnd);

    static void SetTickDelivery(TickDelivery deliver) { s_deliver = deliver; }

private:
    static VOID CALLBACK OnTimer(HWND, UINT, UINT_PTR win32Id, DWORD);
    static void OnSwndGone(SWND swnd);

    SCmnMap<tagTIMERINFO, UINT64> m_timers;
    inline static TickDelivery s_deliver = nullptr;
};

} // namespace DUI
