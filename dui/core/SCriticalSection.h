#pragma once
// The framework's lock: a Win32 critical section, re-entrant for its owner.
#include <winsock2.h>
#include <windows.h>

namespace DUI {

class SCriticalSection
{
public:
    SCriticalSection() { InitializeCriticalSection(&m_cs); }
    SCriticalSection(const SCriticalSection&) = delete;
    SCriticalSection& operator=(const SCriticalSection&) = delete;
    virtual ~SCriticalSection() { DeleteCriticalSection(&m_cs); }

    void Enter() { EnterCriticalSection(&m_cs); }
    void Leave() { LeaveCriticalSection(&m_cs); }

private:
    CRITICAL_SECTION m_cs;
};

} // namespace DUI
