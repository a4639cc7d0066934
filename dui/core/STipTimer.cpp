#include "dui/core/STipTimer.h"

namespace DUI {

void STipTimer::RestartShow(HWND tip) const
{
    ::KillTimer(tip, kShowTimer);
    ::SetTimer(tip, kShowTimer, static_cast<UINT>(m_showDelay), nullptr);
}

void STipTimer::StopHide(HWND tip) const
{
    ::KillTimer(tip, kHideTimer);
}

STipTimer::Step STipTimer::OnTimer(HWND tip, UINT_PTR id) const
{
    if (id == kShowTimer) {
        ::KillTimer(tip, kShowTimer);
        ::SetTimer(tip, kHideTimer, static_cast<UINT>(kHideDelay), nullptr);
        return Step::Show;
    }
    return id == kHideTimer ? Step::Hide : Step::None;
}

} // namespace DUI
