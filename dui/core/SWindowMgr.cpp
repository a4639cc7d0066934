#include "dui/core/SWindowMgr.h"

namespace DUI {

SWND SWindowMgr::NewSwnd(SWindow* window)
{
    SAutoLock guard(m_lock);
    const SWND swnd = ++m_lastSwnd;
    if (!m_windows.HasKey(swnd))
        m_windows.SetAt(swnd, window);
    return swnd;
}

bool SWindowMgr::DestroySwnd(SWND swnd)
{
    SAutoLock guard(m_lock);
    if (!m_windows.RemoveKey(swnd))
        return false;
    if (s_gone)
        s_gone(swnd);
    return true;
}

SWindow* SWindowMgr::GetWindow(SWND swnd) const
{
    if (swnd == 0)
        return nullptr;
    SAutoLock guard(m_lock);
    SWindow* window = nullptr;
    m_windows.Lookup(swnd, window);
    return window;
}

} // namespace DUI
