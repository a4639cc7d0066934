#pragma once
// Base of every unit of background work run by TaskManager. Derived classes
// do their work in Run and make a running Run stop soon in OnCancel.
#include <winsock2.h>

#include "dui/core/base/SHandle.h"

#include <atomic>
#include <mutex>

enum TaskState : unsigned {
    TASK_QUEUED = 0x01,
    TASK_RUNNING = 0x02,
    TASK_CANCEL_REQUESTED = 0x04,
    TASK_CANCELLED = 0x08,
    TASK_SUSPENDED = 0x20,
    TASK_RESUME_REQUESTED = 0x40,
    TASK_RESUMED = 0x80,
};

class ITask {
public:
    ITask() = default;
    virtual ~ITask() = default;
    ITask(const ITask&) = delete;
    ITask& operator=(const ITask&) = delete;

    // The work, called once on a worker thread. The result is not used.
    virtual bool Run() = 0;
    // Called on the cancelling thread, possibly more than once per task.
    virtual bool OnCancel() = 0;
    virtual bool CheckReady() { return true; }

    unsigned GetState() const { return m_state.load(); }
    // True when every bit of mask is set.
    bool HasState(unsigned mask) const { return (m_state.load() & mask) == mask; }

protected:
    // A task that parks its own worker (suspends it) marks that here, so the
    // manager keeps it listed and a cancel resumes it.
    void SetStateBits(unsigned bits) { m_state.fetch_or(bits); }
    void ClearStateBits(unsigned bits) { m_state.fetch_and(~bits); }

private:
    friend class TaskManager;

    std::mutex m_lock;
    std::atomic<unsigned> m_state{TASK_QUEUED};
    DUI::SKernelHandle m_thread;   // the worker that took the task, for ResumeThread
};
