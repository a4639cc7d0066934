#include "app/core/TaskManager.h"

#include <pthread.h>

#include <exception>
#include <string>

#include "app/core/CDebugStr.h"
#include "app/core/TextEncoding.h"
#include "dui/core/base/DuiLog.h"

namespace {

void DebugLine(const std::wstring& text)
{
    CDebugStr::WriteLine(text.c_str());
}

// Exceptions must not leave a worker thread or the cancelling caller's loop;
// what they said is kept in the debugger output.
template <class Fn>
void CallGuarded(const wchar_t* what, Fn&& fn)
{
    (void)DUI::CallGuardedReporting(std::forward<Fn>(fn), [what](const char* text) {
        std::wstring line = std::wstring(L"TaskManager: exception from ") + what;
        std::wstring wide;
        if (text && AnsiToWide(text, wide))
            line += L": " + wide;
        DebugLine(line + L"\n");
    });
}

// std::thread::id is the threading library's own counter here, not the
// number a debugger or a task's GetCurrentThreadId shows.
DWORD WindowsThreadId(std::thread& thread)
{
    return GetThreadId(static_cast<HANDLE>(pthread_gethandle(thread.native_handle())));
}

} // namespace

TaskManager::~TaskManager()
{
    CancelAll(true);
}

void TaskManager::SetMaxWorkers(int count)
{
    std::lock_guard<std::mutex> lock(m_counterLock);
    // With no worker allowed, queued tasks would wait forever.
    m_maximum = count < 1 ? 1 : count;
}

void TaskManager::SetNotifyWindow(HWND window)
{
    std::lock_guard<std::mutex> lock(m_notifyLock);
    m_notifyWindow = window;
}

void TaskManager::SetNotifyContext(std::shared_ptr<void> context)
{
    std::lock_guard<std::mutex> lock(m_notifyLock);
    m_notifyContext = std::move(context);
}

void TaskManager::AddTask(std::wstring name, std::shared_ptr<ITask> task)
{
    if (!task) return;
    {
        // Test and insert in one step: a second task under a listed name
        // would otherwise replace a queued one, which then never runs.
        std::lock_guard<std::mutex> lock(m_listLock);
        if (m_tasks.Has(name)) return;
        if (m_addTaskProbe) m_addTaskProbe();
        m_tasks.Set(name, task);
    }
    {
        // The worker is counted busy when it is decided on, so quick
        // successive calls never start more workers than the maximum.
        std::lock_guard<std::mutex> lock(m_counterLock);
        if (m_busy >= m_maximum) return;
        ++m_live;
        ++m_busy;
    }
    ReapFinishedWorkers();
    try {
        StartWorker();
    } catch (...) {
        {
            std::lock_guard<std::mutex> lock(m_counterLock);
            --m_live;
            --m_busy;
        }
        RemoveTask(task);
        throw;
    }
}

void TaskManager::SetAddTaskProbe(std::function<void()> probe)
{
    std::lock_guard<std::mutex> lock(m_listLock);
    m_addTaskProbe = std::move(probe);
}

bool TaskManager::HasTask(std::wstring name)
{
    std::lock_guard<std::mutex> lock(m_listLock);
    return m_tasks.Has(name);
}

std::shared_ptr<ITask> TaskManager::GetTask(std::wstring name)
{
    std::lock_guard<std::mutex> lock(m_listLock);
    return m_tasks.Get(name);
}

std::shared_ptr<ITask> TaskManager::GetTaskAt(unsigned pos)
{
    std::lock_guard<std::mutex> lock(m_listLock);
    return m_tasks.At(pos);
}

std::vector<std::wstring> TaskManager::GetTaskNames()
{
    std::lock_guard<std::mutex> lock(m_listLock);
    return m_tasks.Keys();
}

bool TaskManager::CancelTask(std::wstring name)
{
    TaskPtr task;
    {
        std::lock_guard<std::mutex> lock(m_listLock);
        if (!m_tasks.Has(name)) return false;
        task = m_tasks.Get(name);
    }
    CancelOne(task);
    return true;
}

bool TaskManager::CancelAll(bool wait)
{
    // Workers remove finished tasks while we walk by position, so a pass can
    // step over a queued task; passes repeat until every listed task is marked.
    do {
        CancelPass();
    } while (!AllListedCancelled());
    if (wait) {
        JoinAllWorkers();
        std::lock_guard<std::mutex> lock(m_listLock);
        m_tasks.Clear();
    }
    return true;
}

void TaskManager::CancelPass()
{
    size_t pos = 0;
    for (;;) {
        TaskPtr task;
        {
            std::lock_guard<std::mutex> lock(m_listLock);
            if (pos >= m_tasks.Size()) break;
            task = m_tasks.At(pos);
        }
        if (!task) break;
        // A removed task shifts the list: start again from the front.
        pos = CancelOne(task) == CancelRequest::Removed ? 0 : pos + 1;
    }
}

bool TaskManager::AllListedCancelled()
{
    std::lock_guard<std::mutex> lock(m_listLock);
    for (size_t i = 0; i < m_tasks.Size(); ++i)
        if (!m_tasks.At(i)->HasState(TASK_CANCELLED)) return false;
    return true;
}

TaskManager::CancelRequest TaskManager::CancelOne(const TaskPtr& task)
{
    const CancelRequest result = RequestCancel(task);
    CompleteCancel(task);
    return result;
}

// A queued task leaves the list at once; a running one is only marked and
// stays listed until its Run returns.
TaskManager::CancelRequest TaskManager::RequestCancel(const TaskPtr& task)
{
    std::lock_guard<std::mutex> lock(task->m_lock);
    task->SetStateBits(TASK_CANCEL_REQUESTED);
    if (task->HasState(TASK_RUNNING)) return CancelRequest::StillRunning;
    task->ClearStateBits(TASK_QUEUED);
    RemoveTask(task);
    return CancelRequest::Removed;
}

void TaskManager::CompleteCancel(const TaskPtr& task)
{
    HANDLE parked = nullptr;   // the worker a suspended task stopped, to be woken
    {
        std::lock_guard<std::mutex> lock(task->m_lock);
        // Another cancelling thread may have completed this request already.
        if (!task->HasState(TASK_CANCEL_REQUESTED)) return;
        if (task->HasState(TASK_SUSPENDED)) {
            task->ClearStateBits(TASK_SUSPENDED);
            task->SetStateBits(TASK_RESUMED);
            parked = task->m_thread.Get();
        }
        task->ClearStateBits(TASK_CANCEL_REQUESTED);
        task->SetStateBits(TASK_CANCELLED);
    }
    // The parked worker never stopped counting as busy, and unlike a resume by
    // another worker no worker leaves to make up for an extra count: raising it
    // here would leave the pool one worker short for good.
    if (parked) ResumeThread(parked);
    CallGuarded(L"OnCancel", [&] { task->OnCancel(); });
}

void TaskManager::StartWorker()
{
    auto worker = std::make_unique<Worker>();
    Worker* self = worker.get();
    std::lock_guard<std::mutex> lock(m_workerLock);
    worker->thread = std::thread([this, self] {
        // A thread entry: nothing may leave it, and the worker can be joined whatever happened.
        CallGuarded(L"WorkerLoop", [&] { WorkerLoop(self); });
        self->finished.store(true);
    });
    m_workers.push_back(std::move(worker));
}

// Workers are not reused; ended ones are joined here so that a long-lived
// manager does not pile up finished threads until its destruction.
void TaskManager::ReapFinishedWorkers()
{
    std::lock_guard<std::mutex> lock(m_workerLock);
    for (auto it = m_workers.begin(); it != m_workers.end();) {
        if (!(*it)->finished.load()) {
            ++it;
            continue;
        }
        if ((*it)->thread.joinable()) (*it)->thread.join();
        it = m_workers.erase(it);
    }
}

void TaskManager::JoinAllWorkers()
{
    for (;;) {
        std::unique_ptr<Worker> worker;
        {
            std::lock_guard<std::mutex> lock(m_workerLock);
            if (m_workers.empty()) break;
            worker = std::move(m_workers.front());
            m_workers.pop_front();
        }
        DebugLine(L"线程取消： id " + std::to_wstring(WindowsThreadId(worker->thread)) + L"\n");
        if (worker->thread.joinable()) worker->thread.join();
    }
}

void TaskManager::WorkerLoop(Worker* self)
{
    bool idle = false;
    bool drained = false;
    for (;;) {
        bool over;
        {
            std::lock_guard<std::mutex> lock(m_counterLock);
            over = m_busy > m_maximum;
        }
        if (!over) {
            if (TaskPtr task = FindFirst(TASK_RESUME_REQUESTED)) {
                ResumeTask(task);
                continue;
            }
            if (TaskPtr task = FindFirst(TASK_QUEUED)) {
                RunTask(task);
                continue;
            }
        }
        if (TryLeave(idle, drained)) break;
    }
    if (idle) Notify(UM_TASKPOOL_IDLE);
    if (drained) Notify(UM_TASKPOOL_DRAINED);
    self->finished.store(true);
}

// Leaving and AddTask's "is a worker busy?" test meet under the counter lock:
// a task added after our last search is seen here, or AddTask sees us gone
// and starts a new worker. Either way no queued task is left without one.
bool TaskManager::TryLeave(bool& idle, bool& drained)
{
    std::lock_guard<std::mutex> lock(m_counterLock);
    if (m_busy <= m_maximum && HasWork()) return false;
    --m_live;
    --m_busy;
    idle = m_busy <= 0;
    drained = m_live <= 0;
    return true;
}

bool TaskManager::HasWork()
{
    std::lock_guard<std::mutex> lock(m_listLock);
    for (size_t i = 0; i < m_tasks.Size(); ++i) {
        const TaskPtr& task = m_tasks.At(i);
        if (task->HasState(TASK_QUEUED) || task->HasState(TASK_RESUME_REQUESTED)) return true;
    }
    return false;
}

TaskManager::TaskPtr TaskManager::FindFirst(unsigned mask)
{
    std::lock_guard<std::mutex> lock(m_listLock);
    for (size_t i = 0; i < m_tasks.Size(); ++i) {
        TaskPtr task = m_tasks.At(i);
        if (task->HasState(mask)) return task;
    }
    return nullptr;
}

void TaskManager::RunTask(const TaskPtr& task)
{
    {
        std::lock_guard<std::mutex> lock(task->m_lock);
        // A cancel or another worker may have come first.
        if (!task->HasState(TASK_QUEUED)) return;
        task->ClearStateBits(TASK_QUEUED);
        task->SetStateBits(TASK_RUNNING);
        HANDLE thread = nullptr;
        if (DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &thread, 0, FALSE,
                            DUPLICATE_SAME_ACCESS))
            task->m_thread.Reset(thread);
    }
    CallGuarded(L"Run", [&] { task->Run(); });
    // Only the worker that ran the task takes it off the list: a worker that
    // lost the race above must not remove a task another worker is running.
    if (!task->HasState(TASK_SUSPENDED)) RemoveTask(task);
}

void TaskManager::ResumeTask(const TaskPtr& task)
{
    HANDLE thread = nullptr;
    {
        std::lock_guard<std::mutex> lock(task->m_lock);
        if (!task->HasState(TASK_RESUME_REQUESTED)) return;
        task->ClearStateBits(TASK_RESUME_REQUESTED | TASK_SUSPENDED);
        task->SetStateBits(TASK_RESUMED);
        thread = task->m_thread.Get();
    }
    {
        std::lock_guard<std::mutex> lock(m_counterLock);
        ++m_busy;
    }
    if (thread) ResumeThread(thread);
}

void TaskManager::RemoveTask(const TaskPtr& task)
{
    std::lock_guard<std::mutex> lock(m_listLock);
    size_t pos = m_tasks.IndexOf(task);
    if (pos < m_tasks.Size()) m_tasks.EraseAt(pos);
}

void TaskManager::Notify(UINT message)
{
    HWND window;
    std::shared_ptr<void> context;
    {
        std::lock_guard<std::mutex> lock(m_notifyLock);
        window = m_notifyWindow;
        context = m_notifyContext;
    }
    if (window && IsWindow(window))
        PostMessageW(window, message, reinterpret_cast<WPARAM>(context.get()), reinterpret_cast<LPARAM>(this));
}
