#include "dui/core/STimer2.h"

#include <vector>

#include "dui/core/base/DuiLog.h"

namespace DUI {

STimer2::STimer2()
{
    SWindowMgr::SetSwndGone(&STimer2::OnSwndGone);
}

STimer2::~STimer2()
{
    SWindowMgr::SetSwndGone(nullptr);
    // Left running, the system timers would tick into a generator that no
    // longer knows them for the rest of the thread's life.
    for (auto pos = m_timers.GetStartPosition(); pos; pos = m_timers.GetNext(pos))
        ::KillTimer(nullptr, static_cast<UINT_PTR>(pos->m_key));
    m_timers.RemoveAll();
}

BOOL STimer2::SetTimer(SWND swnd, UINT_PTR windowTimerId, UINT elapse)
{
    KillTimer(swnd, windowTimerId);
    // Without a window the system picks the id; the requested one is ignored.
    const UINT_PTR win32Id = ::SetTimer(nullptr, windowTimerId, elapse, &STimer2::OnTimer);
    if (win32Id == 0)
        return FALSE;
    m_timers.SetAt(win32Id, tagTIMERINFO{swnd, windowTimerId});
    return TRUE;
}

void STimer2::KillTimer(SWND swnd, UINT_PTR windowTimerId)
{
    for (auto pos = m_timers.GetStartPosition(); pos; pos = m_timers.GetNext(pos)) {
        if (pos->m_value.swnd == swnd && pos->m_value.uTimerID == windowTimerId) {
            const UINT64 win32Id = pos->m_key;
            ::KillTimer(nullptr, static_cast<UINT_PTR>(win32Id));
            m_timers.RemoveKey(win32Id);
            return;
        }
    }
}

void STimer2::KillTimersOf(SWND swnd)
{
    // Removing while walking could rehash the table under the walk.
    std::vector<UINT64> ids;
    for (auto pos = m_timers.GetStartPosition(); pos; pos = m_timers.GetNext(pos)) {
        if (pos->m_value.swnd == swnd)
            ids.push_back(pos->m_key);
    }
    for (UINT64 id : ids) {
        ::KillTimer(nullptr, static_cast<UINT_PTR>(id));
        m_timers.RemoveKey(id);
    }
}

void STimer2::OnSwndGone(SWND swnd)
{
    if (STimer2* self = GetInstance())
        self->KillTimersOf(swnd);
}

VOID CALLBACK STimer2::OnTimer(HWND, UINT, UINT_PTR win32Id, DWORD)
{
    STimer2* self = GetInstance();
    SWindowMgr* windows = SWindowMgr::GetInstance();
    if (!self || !windows)
        return;
    tagTIMERINFO info;
    if (!self->m_timers.Lookup(win32Id, info))
        return;
    // An entry whose window is gone stays until it is killed.
    SWindow* window = windows->GetWindow(info.swnd);
    if (window && s_deliver)
        CallGuarded(__FILE__, __LINE__, __func__, [&] { s_deliver(window, info.uTimerID); });
}

} // namespace DUI
