#pragma once
// A small pool of worker threads for named background tasks. Tasks run in
// insertion order on at most N workers; cancelling is cooperative. The owner
// window learns through two posted messages when the workers have gone idle.
#include "app/core/ITask.h"
#include "app/core/JNVector.h"

#include <atomic>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// wParam: the notification context's raw pointer; lParam: the TaskManager.
constexpr UINT UM_TASKPOOL_IDLE = 1956;
constexpr UINT UM_TASKPOOL_DRAINED = 1957;

class TaskManager {
public:
    TaskManager() = default;
    ~TaskManager();
    TaskManager(const TaskManager&) = delete;
    TaskManager& operator=(const TaskManager&) = delete;

    void SetMaxWorkers(int count);
    void SetNotifyWindow(HWND window);
    void SetNotifyContext(std::shared_ptr<void> context);

    // Does nothing while a task of that name is still listed.
    void AddTask(std::wstring name, std::shared_ptr<ITask> task);
    // For tests of adds that overlap: called inside AddTask once the name is
    // found free and before the task is listed. The program sets none.
    void SetAddTaskProbe(std::function<void()> probe);
    bool HasTask(std::wstring name);
    // Throws const wchar_t* when the name is not listed.
    std::shared_ptr<ITask> GetTask(std::wstring name);
    std::shared_ptr<ITask> GetTaskAt(unsigned pos);
    std::vector<std::wstring> GetTaskNames();
    bool CancelTask(std::wstring name);
    // With wait, also joins every worker and clears the list; must not run on
    // a worker of this manager. Always true.
    bool CancelAll(bool wait);

private:
    enum class CancelRequest { StillRunning, Removed };
    struct Worker {
        std::thread thread;
        std::atomic<bool> finished{false};
    };
    using TaskPtr = std::shared_ptr<ITask>;

    void StartWorker();
    void ReapFinishedWorkers();
    void JoinAllWorkers();
    void WorkerLoop(Worker* self);
    bool TryLeave(bool& idle, bool& drained);
    bool HasWork();
    TaskPtr FindFirst(unsigned mask);
    void RunTask(const TaskPtr& task);
    void ResumeTask(const TaskPtr& task);
    void RemoveTask(const TaskPtr& task);
    CancelRequest CancelOne(const TaskPtr& task);
    CancelRequest RequestCancel(const TaskPtr& task);
    void CompleteCancel(const TaskPtr& task);
    void CancelPass();
    bool AllListedCancelled();
    void Notify(UINT message);

    std::mutex m_workerLock;
    std::list<std::unique_ptr<Worker>> m_workers;
    // Lock order: counter lock before list lock (a leaving worker rechecks the
    // list), task lock before list lock (cancel); no other nesting.
    std::mutex m_counterLock;
    int m_live = 0;
    int m_busy = 0;
    int m_maximum = 1;
    JNVector<std::wstring, TaskPtr> m_tasks;
    std::mutex m_listLock;
    std::function<void()> m_addTaskProbe;
    std::mutex m_notifyLock;
    HWND m_notifyWindow = nullptr;
    std::shared_ptr<void> m_notifyContext;
};
