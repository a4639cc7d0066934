#include "dui/core/SScriptTimer.h"

namespace DUI {

SScriptTimer::~SScriptTimer()
{
    for (auto pos = m_timers.GetStartPosition(); pos; pos = m_timers.GetNext(pos))
        ::KillTimer(nullptr, static_cast<UINT_PTR>(pos->m_key));
    m_timers.RemoveAll();
}

} // namespace DUI
