#pragma once
// The crash catcher's working part: the observers, in the order they were
// added, and the report of one crash. Each observer runs on a thread of its
// own, so a crash on an exhausted stack (a stack overflow) still reports;
// the catcher waits for each before the next one and then ends the process
// with the exception code, without the system's crash dialog.
#include <winsock2.h>
#include <windows.h>

#include <mutex>
#include <string>
#include <vector>

#include "app/online/IDumpCatchMgr.h"

class DumpCatcher final : public IDumpCatchObserverHost, public IDumpCatchMgr {
public:
    static constexpr int kMaxFrames = 32;

    // The one the library's export hands out.
    static DumpCatcher& Instance();

    void AddObserver(CDumpCatchObserverBase* observer) override;
    IDumpCatchObserverHost* GetObserverHost() override { return this; }

    // Becomes the process's last chance for unhandled exceptions.
    void Install();
    // Tells every observer about the crash, in order; returns when all are done.
    void Report(EXCEPTION_POINTERS* pointers, DWORD threadId);

    // The text the observers get, in the ANSI code page: the code, where it
    // happened as module+offset, the thread and up to kMaxFrames frames.
    static std::string DescribeCrash(const EXCEPTION_POINTERS* pointers, DWORD threadId);
    // "name.dll+0x1A2B", or the bare address outside any module.
    static std::string DescribeAddress(DWORD64 address);

private:
    static LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* pointers);
    static void StartWatcher();

    std::mutex m_lock;
    std::vector<CDumpCatchObserverBase*> m_observers;
};
