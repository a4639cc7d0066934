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

// Holds an SCriticalSection for one scope, so every Enter meets its Leave
// also when the guarded code returns early or throws.
class SAutoLock
{
public:
    explicit SAutoLock(SCriticalSection& cs) : m_cs(cs) { m_cs.Enter(); }
    ~SAutoLock() { m_cs.Leave(); }
    SAutoLock(const SAutoLock&) = delete;
    SAutoLock& operator=(const SAutoLock&) = delete;

private:
    SCriticalSection& m_cs;
};

} // namespace DUI
