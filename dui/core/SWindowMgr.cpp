#include "dui/core/SWindowMgr.h"

#include "dui/core/STimer2.h"

namespace DUI {

namespace {

class Guard
{
public:
    explicit Guard(SCriticalSection& lock) : m_lock(lock) { m_lock.Enter(); }
    ~Guard() { m_lock.Leave(); }
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;

private:
    SCriticalSection& m_lock;
};

} // namespace

SWND SWindowMgr::NewSwnd(SWindow* window)
{
    Guard guard(m_lock);
    const SWND swnd = ++m_lastSwnd;
    if (!m_windows.HasKey(swnd))
        m_windows.SetAt(swnd, window);
    return swnd;
}

bool SWindowMgr::DestroySwnd(SWND swnd)
{
    Guard guard(m_lock);
    if (!m_windows.RemoveKey(swnd))
        return false;
    if (STimer2* timers = STimer2::GetInstance())
        timers->KillTimersOf(swnd);
    return true;
}

SWindow* SWindowMgr::GetWindow(SWND swnd) const
{
    if (swnd == 0)
        return nullptr;
    Guard guard(m_lock);
    SWindow* window = nullptr;
    m_windows.Lookup(swnd, window);
    return window;
}

} // namespace DUI
