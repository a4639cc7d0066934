#pragma once
// The timing every tooltip shares: a tip shows once the mouse has rested
// over its tool for the show delay and hides again after the hide delay.
// The two timers are the tip window's own (ids 1 and 2), so a host's
// timers passing through the same window are told apart by id.
#include <winsock2.h>
#include <windows.h>

namespace DUI {

class STipTimer
{
public:
    enum TipTimer : UINT_PTR { kShowTimer = 1, kHideTimer = 2 };
    enum class Step { None, Show, Hide };
    static constexpr int kHideDelay = 5000;

    explicit STipTimer(int showDelay) : m_showDelay(showDelay) {}

    static bool IsTipTimer(UINT_PTR id) { return id == kShowTimer || id == kHideTimer; }

    // A mouse move over the tool: the rest starts again.
    void RestartShow(HWND tip) const;
    void StopHide(HWND tip) const;
    // The tip's WM_TIMER: what the tip does now. After Show the hide timer runs.
    Step OnTimer(HWND tip, UINT_PTR id) const;

    int ShowDelay() const { return m_showDelay; }
    int HideDelay() const { return kHideDelay; }

private:
    int m_showDelay;
};

} // namespace DUI
