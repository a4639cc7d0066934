#include "app/core/TaskManager.h"

#include "tests/app/core/DebugCapture.h"
#include "tests/app/core/TestSync.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <random>
#include <set>
#include <stdexcept>

namespace {

// Records what the manager does with it. Run waits for the gate (when given)
// or until it is cancelled, so tests can hold a task "running".
class ProbeTask : public ITask {
public:
    explicit ProbeTask(Gate* gate = nullptr, std::function<void()> body = nullptr)
        : m_gate(gate), m_body(std::move(body))
    {
    }

    bool Run() override
    {
        runThread = GetCurrentThreadId();
        ++runs;
        started.Open();
        if (m_body) m_body();
        if (m_gate) {
            while (!m_gate->Wait(5)) {
                if (m_stop.load()) break;
            }
        }
        finished.Open();
        return true;
    }

    bool OnCancel() override
    {
        cancelThread = GetCurrentThreadId();
        ++cancels;
        m_stop = true;
        if (onCancel) onCancel();
        return true;
    }

    void MarkSuspended() { SetStateBits(TASK_SUSPENDED); }

    std::function<void()> onCancel;   // runs on the cancelling thread

    std::atomic<int> runs{0};
    std::atomic<int> cancels{0};
    std::atomic<DWORD> runThread{0};
    std::atomic<DWORD> cancelThread{0};
    Gate started;
    Gate finished;

private:
    Gate* m_gate;
    std::function<void()> m_body;
    std::atomic<bool> m_stop{false};
};

std::shared_ptr<ProbeTask> MakeTask(Gate* gate = nullptr, std::function<void()> body = nullptr)
{
    return std::make_shared<ProbeTask>(gate, std::move(body));
}

int CountMessages(const std::vector<MSG>& msgs, UINT id)
{
    return static_cast<int>(std::count_if(msgs.begin(), msgs.end(), [id](const MSG& m) { return m.message == id; }));
}

bool HasDrained(const std::vector<MSG>& msgs)
{
    return CountMessages(msgs, UM_TASKPOOL_DRAINED) > 0;
}

} // namespace

TEST(TaskManager, OneWorkerRunsTasksInOrderThenPostsIdleAndDrainedOnce)
{
    MessageSink sink;
    ASSERT_NE(sink.Window(), nullptr);
    TaskManager manager;
    manager.SetNotifyWindow(sink.Window());
    Gate hold;
    std::mutex orderLock;
    std::vector<int> order;
    std::atomic<int> inside{0};
    std::atomic<int> mostInside{0};
    std::vector<std::shared_ptr<ProbeTask>> tasks;
    for (int i = 0; i < 3; ++i) {
        tasks.push_back(MakeTask(i == 0 ? &hold : nullptr, [&, i] {
            int now = ++inside;
            mostInside = std::max(mostInside.load(), now);
            {
                std::lock_guard<std::mutex> lock(orderLock);
                order.push_back(i);
            }
            Sleep(5);
            --inside;
        }));
        manager.AddTask(L"t" + std::to_wstring(i), tasks.back());
    }
    hold.Open();
    sink.Pump(kTestWaitMs, HasDrained);
    EXPECT_EQ(manager.GetTaskAt(0), nullptr);
    // Anything posted after the drain shows up once the workers are joined.
    manager.CancelAll(true);
    ASSERT_TRUE(sink.PumpPastSentinel());

    EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(mostInside.load(), 1);
    const auto& msgs = sink.Received();
    ASSERT_EQ(msgs.size(), 2u);
    EXPECT_EQ(msgs[0].message, UM_TASKPOOL_IDLE);
    EXPECT_EQ(msgs[1].message, UM_TASKPOOL_DRAINED);
    for (const MSG& m : msgs) {
        EXPECT_EQ(m.wParam, 0u);
        EXPECT_EQ(m.lParam, reinterpret_cast<LPARAM>(&manager));
    }
}

TEST(TaskManager, NotifyContextPointerIsTheWParam)
{
    MessageSink sink;
    TaskManager manager;
    auto context = std::make_shared<int>(7);
    manager.SetNotifyWindow(sink.Window());
    manager.SetNotifyContext(context);
    manager.AddTask(L"x", MakeTask());
    sink.Pump(kTestWaitMs, HasDrained);
    ASSERT_FALSE(sink.Received().empty());
    for (const MSG& m : sink.Received()) EXPECT_EQ(m.wParam, reinterpret_cast<WPARAM>(context.get()));
}

TEST(TaskManager, AddingUnderAListedNameKeepsTheFirstTask)
{
    TaskManager manager;
    Gate hold;
    auto first = MakeTask(&hold);
    auto second = MakeTask();
    manager.AddTask(L"same", first);
    ASSERT_TRUE(first->started.Wait());
    manager.AddTask(L"same", second);

    EXPECT_EQ(manager.GetTask(L"same"), first);
    EXPECT_EQ(manager.GetTaskNames().size(), 1u);
    hold.Open();
    ASSERT_TRUE(first->finished.Wait());
    ASSERT_TRUE(WaitUntil([&] { return !manager.HasTask(L"same"); }));
    EXPECT_EQ(second->runs.load(), 0);
    // Once the name has left the list it can be used again.
    auto third = MakeTask();
    manager.AddTask(L"same", third);
    EXPECT_TRUE(third->finished.Wait());
}

TEST(TaskManager, QueriesByNameAndPosition)
{
    TaskManager manager;
    Gate hold;
    auto b = MakeTask(&hold);
    auto a = MakeTask();
    manager.AddTask(L"b", b);
    manager.AddTask(L"a", a);

    EXPECT_EQ(manager.GetTaskNames(), (std::vector<std::wstring>{L"a", L"b"}));
    EXPECT_EQ(manager.GetTaskAt(0), b);
    EXPECT_EQ(manager.GetTaskAt(1), a);
    EXPECT_EQ(manager.GetTaskAt(2), nullptr);
    EXPECT_TRUE(manager.HasTask(L"a"));
    EXPECT_FALSE(manager.HasTask(L"c"));
    const wchar_t* thrown = nullptr;
    try {
        manager.GetTask(L"c");
    } catch (const wchar_t* text) {
        thrown = text;
    }
    ASSERT_NE(thrown, nullptr);
    EXPECT_NE(std::wstring(thrown).find(L"在数组中找不到对应的key"), std::wstring::npos);
    // The list lock was released on the way out.
    EXPECT_TRUE(manager.HasTask(L"b"));
    hold.Open();
}

TEST(TaskManager, CancellingAQueuedTaskRemovesItWithoutRunning)
{
    TaskManager manager;
    Gate hold;
    auto running = MakeTask(&hold);
    auto queued = MakeTask();
    manager.AddTask(L"running", running);
    manager.AddTask(L"queued", queued);
    ASSERT_TRUE(running->started.Wait());

    EXPECT_TRUE(manager.CancelTask(L"queued"));
    EXPECT_FALSE(manager.CancelTask(L"unknown"));
    EXPECT_FALSE(manager.HasTask(L"queued"));
    EXPECT_EQ(queued->cancels.load(), 1);
    EXPECT_EQ(queued->cancelThread.load(), GetCurrentThreadId());
    EXPECT_TRUE(queued->HasState(TASK_CANCELLED));
    EXPECT_FALSE(queued->HasState(TASK_QUEUED));
    hold.Open();
    ASSERT_TRUE(WaitUntil([&] { return !manager.HasTask(L"running"); }));
    manager.CancelAll(true);   // every worker has ended: none can run it now
    EXPECT_EQ(queued->runs.load(), 0);
}

TEST(TaskManager, CancellingARunningTaskKeepsItListedUntilRunReturns)
{
    TaskManager manager;
    Gate hold;
    auto task = MakeTask(nullptr, [&] { hold.Wait(); });   // ignores the cancel until let go
    manager.AddTask(L"job", task);
    ASSERT_TRUE(task->started.Wait());

    EXPECT_TRUE(manager.CancelTask(L"job"));
    EXPECT_EQ(task->cancels.load(), 1);
    EXPECT_EQ(task->cancelThread.load(), GetCurrentThreadId());
    EXPECT_NE(task->runThread.load(), GetCurrentThreadId());
    EXPECT_TRUE(manager.HasTask(L"job"));
    EXPECT_TRUE(task->HasState(TASK_RUNNING | TASK_CANCELLED));
    EXPECT_FALSE(task->HasState(TASK_CANCEL_REQUESTED));
    hold.Open();
    ASSERT_TRUE(task->finished.Wait());
    ASSERT_TRUE(WaitUntil([&] { return !manager.HasTask(L"job"); }));
    EXPECT_EQ(task->runs.load(), 1);
}

TEST(TaskManager, CancelAllWithoutWaitAsksRunningTasksAgainAfterEachRemoval)
{
    TaskManager manager;
    Gate hold;
    // a ignores its cancels and stays in Run until we have looked.
    auto a = MakeTask(nullptr, [&] { hold.Wait(); });
    auto b = MakeTask();
    auto c = MakeTask();
    manager.AddTask(L"a", a);
    ASSERT_TRUE(a->started.Wait());
    manager.AddTask(L"b", b);
    manager.AddTask(L"c", c);

    struct Case { const char* name; ProbeTask* task; int cancels; };
    EXPECT_TRUE(manager.CancelAll(false));
    const Case cases[] = {{"running a", a.get(), 3}, {"queued b", b.get(), 1}, {"queued c", c.get(), 1}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        EXPECT_EQ(k.task->cancels.load(), k.cancels);
        EXPECT_TRUE(k.task->HasState(TASK_CANCELLED));
    }
    EXPECT_EQ(manager.GetTaskNames(), std::vector<std::wstring>{L"a"});
    EXPECT_EQ(b->runs.load() + c->runs.load(), 0);
    hold.Open();
    ASSERT_TRUE(a->finished.Wait());
    ASSERT_TRUE(WaitUntil([&] { return manager.GetTaskNames().empty(); }));
}

// The running task leaves the list while CancelAll is still walking it, so the
// queued task behind it moves to a position the walk has passed.
TEST(TaskManager, CancelAllReachesATaskThatMovedUpDuringTheWalk)
{
    TaskManager manager;
    Gate never;
    auto first = MakeTask(&never);   // returns once cancelled
    auto second = MakeTask(&never);
    first->onCancel = [&] { WaitUntil([&] { return !manager.HasTask(L"first"); }); };
    manager.AddTask(L"first", first);
    ASSERT_TRUE(first->started.Wait());
    manager.AddTask(L"second", second);

    manager.CancelAll(false);
    EXPECT_TRUE(second->HasState(TASK_CANCELLED));
    EXPECT_EQ(second->cancels.load(), 1);
    // Queued or already taken by the worker, it stops either way.
    ASSERT_TRUE(WaitUntil([&] { return manager.GetTaskNames().empty(); }));
}

TEST(TaskManager, TwoWorkersNeverRunMoreThanTwoTasksAtOnce)
{
    MessageSink sink;
    TaskManager manager;
    manager.SetMaxWorkers(2);
    manager.SetNotifyWindow(sink.Window());
    std::atomic<int> inside{0};
    std::atomic<int> mostInside{0};
    // Each task stays until two were inside at once, so the second worker is
    // seen however late it starts; a pool that never runs two only costs the
    // time-out before it fails.
    Gate twoInside;
    std::vector<std::shared_ptr<ProbeTask>> tasks;
    for (int i = 0; i < 4; ++i) {
        tasks.push_back(MakeTask(nullptr, [&] {
            int now = ++inside;
            int seen = mostInside.load();
            while (now > seen && !mostInside.compare_exchange_weak(seen, now)) {
            }
            if (now >= 2) twoInside.Open();
            twoInside.Wait(10000);
            Sleep(30);
            --inside;
        }));
        manager.AddTask(std::to_wstring(i), tasks.back());
    }
    sink.Pump(kTestWaitMs, HasDrained);
    for (auto& t : tasks) EXPECT_EQ(t->runs.load(), 1);
    EXPECT_EQ(mostInside.load(), 2);
    EXPECT_EQ(CountMessages(sink.Received(), UM_TASKPOOL_IDLE), 1);
}

TEST(TaskManager, AMaximumBelowOneStillRunsTasksOneAtATime)
{
    for (int maximum : {0, -3}) {
        SCOPED_TRACE(maximum);
        TaskManager manager;
        manager.SetMaxWorkers(maximum);
        auto task = MakeTask();
        manager.AddTask(L"t", task);
        EXPECT_TRUE(task->finished.Wait());
    }
}

TEST(TaskManager, WorksWithoutOwnerWindowAndAfterItIsGone)
{
    TaskManager manager;
    auto first = MakeTask();
    manager.AddTask(L"1", first);
    ASSERT_TRUE(first->finished.Wait());
    HWND gone;
    {
        MessageSink sink;
        gone = sink.Window();
    }
    manager.SetNotifyWindow(gone);
    auto second = MakeTask();
    manager.AddTask(L"2", second);
    EXPECT_TRUE(second->finished.Wait());
}

TEST(TaskManager, CancelAllWithWaitStopsEveryWorkerAndEmptiesTheList)
{
    TaskManager manager;
    manager.SetMaxWorkers(3);
    Gate never;
    std::vector<std::shared_ptr<ProbeTask>> tasks;
    for (int i = 0; i < 8; ++i) {
        tasks.push_back(MakeTask(&never));
        manager.AddTask(std::to_wstring(i), tasks.back());
    }
    ASSERT_TRUE(WaitUntil([&] { return tasks[0]->runs + tasks[1]->runs + tasks[2]->runs == 3; }));
    DebugCapture debug;
    EXPECT_TRUE(manager.CancelAll(true));

    EXPECT_TRUE(manager.GetTaskNames().empty());
    int ran = 0;
    std::set<std::wstring> workerIds;
    for (auto& t : tasks) {
        ran += t->runs.load();
        EXPECT_TRUE(t->HasState(TASK_CANCELLED));
        if (t->runs.load()) {
            EXPECT_TRUE(t->finished.IsOpen());   // no Run is still going
            workerIds.insert(std::to_wstring(t->runThread.load()));
        }
    }
    EXPECT_EQ(ran, 3);
    // One line per joined worker, naming it by its system thread id.
    const std::wstring prefixes[] = {L"线程取消： id ", DebugCapture::AnsiForm(L"线程取消： id ")};
    std::set<std::wstring> joinedIds;
    for (const std::wstring& line : debug.Lines()) {
        for (const std::wstring& prefix : prefixes) {
            if (line.rfind(prefix, 0) != 0) continue;
            ASSERT_EQ(line.back(), L'\n');
            joinedIds.insert(line.substr(prefix.size(), line.size() - prefix.size() - 1));
        }
    }
    EXPECT_EQ(joinedIds, workerIds);
}

TEST(TaskManager, ASuspendedTaskStaysListedAndACancelResumesIt)
{
    MessageSink sink;
    TaskManager manager;
    manager.SetNotifyWindow(sink.Window());
    std::shared_ptr<ProbeTask> task;
    task = MakeTask(nullptr, [&] { task->MarkSuspended(); });
    manager.AddTask(L"parked", task);
    ASSERT_TRUE(task->finished.Wait());
    // The worker is done with the task once the pool has gone idle.
    sink.Pump(kTestWaitMs, [](const std::vector<MSG>& got) { return CountMessages(got, UM_TASKPOOL_IDLE) > 0; });
    ASSERT_EQ(CountMessages(sink.Received(), UM_TASKPOOL_IDLE), 1);
    EXPECT_TRUE(manager.HasTask(L"parked"));

    EXPECT_TRUE(manager.CancelTask(L"parked"));
    EXPECT_FALSE(task->HasState(TASK_SUSPENDED));
    EXPECT_TRUE(task->HasState(TASK_RESUMED | TASK_CANCELLED));
    EXPECT_EQ(task->cancels.load(), 1);
}

// A task that parks its own worker and is then cancelled: the cancel wakes
// the worker, which goes on as the same one worker of the pool.
TEST(TaskManager, CancellingAParkedTaskWakesItsWorkerAndThePoolRunsOn)
{
    TaskManager manager;
    std::shared_ptr<ProbeTask> parked;
    parked = MakeTask(nullptr, [&] {
        parked->MarkSuspended();
        SuspendThread(GetCurrentThread());
    });
    manager.AddTask(L"parked", parked);
    ASSERT_TRUE(parked->started.Wait());
    DUI::SKernelHandle worker(OpenThread(THREAD_SUSPEND_RESUME, FALSE, parked->runThread.load()));
    ASSERT_TRUE(worker);
    ASSERT_TRUE(WaitUntil([&] {
        const DWORD before = SuspendThread(worker.Get());
        ResumeThread(worker.Get());
        return before != static_cast<DWORD>(-1) && before >= 1;
    }));

    EXPECT_TRUE(manager.CancelTask(L"parked"));
    ASSERT_TRUE(parked->finished.Wait());
    ASSERT_TRUE(WaitUntil([&] { return !manager.HasTask(L"parked"); }));
    auto next = MakeTask();
    manager.AddTask(L"next", next);
    EXPECT_TRUE(next->finished.Wait()) << "no worker was started for a new task";
}

// A task added just as the only worker decides to leave must still run. The
// worker's way out (its last search of the list, then the counters) is
// shorter than one thread switch, so two helpers keep the counter lock busy:
// a worker that waits there gives AddTask time to slip in between. Each round
// also adds the next task a little later after the previous one finished,
// sweeping the moment across the way out.
TEST(TaskManager, TaskAddedWhileTheWorkerLeavesIsNeverStranded)
{
    TaskManager manager;
    std::atomic<bool> stop{false};
    std::vector<std::thread> contenders;
    for (int i = 0; i < 2; ++i)
        contenders.emplace_back([&] {
            while (!stop.load()) manager.SetMaxWorkers(1);   // same value: only takes the lock
        });
    std::shared_ptr<ProbeTask> previous = MakeTask();
    manager.AddTask(L"first", previous);
    int stranded = -1;
    for (int i = 0; i < 400 && stranded < 0; ++i) {
        if (!previous->finished.Wait(10000)) stranded = i;
        const ULONGLONG until = GetTickCount64() + (i % 3);
        for (int spin = 0; spin < (i % 40) * 50 || GetTickCount64() < until; ++spin) YieldProcessor();
        previous = MakeTask();
        manager.AddTask(L"t" + std::to_wstring(i), previous);
    }
    if (stranded < 0 && !previous->finished.Wait(10000)) stranded = 400;
    stop = true;
    for (auto& t : contenders) t.join();
    EXPECT_EQ(stranded, -1) << "task " << stranded << " was never run";
}

// Hundreds of tasks on four workers while the caller cancels at random:
// every task ends up run exactly once or cancelled before it ran, and the
// pool reports idle exactly once at the end.
TEST(TaskManager, StressCancelsRacingCompletions)
{
    MessageSink sink;
    TaskManager manager;
    manager.SetMaxWorkers(4);
    manager.SetNotifyWindow(sink.Window());
    std::mt19937 random(GetCurrentProcessId());
    std::vector<std::shared_ptr<ProbeTask>> tasks;
    for (int i = 0; i < 400; ++i) {
        tasks.push_back(MakeTask(nullptr, [i] { if (i % 7 == 0) Sleep(1); }));
        manager.AddTask(L"task" + std::to_wstring(i), tasks.back());
        if (random() % 3 == 0) manager.CancelTask(L"task" + std::to_wstring(random() % (i + 1)));
        if (i == 200) manager.CancelAll(false);
        sink.Pump(0);
    }
    ASSERT_TRUE(WaitUntil([&] { return manager.GetTaskNames().empty(); }));
    // Every worker has posted what it will post once it is joined.
    manager.CancelAll(true);
    ASSERT_TRUE(sink.PumpPastSentinel());
    // Without parked tasks the busy and live counts fall to 0 together, so
    // each time the pool goes idle both messages come, once each.
    const int idle = CountMessages(sink.Received(), UM_TASKPOOL_IDLE);
    EXPECT_GE(idle, 1);
    EXPECT_EQ(CountMessages(sink.Received(), UM_TASKPOOL_DRAINED), idle);
    ASSERT_FALSE(sink.Received().empty());
    EXPECT_EQ(sink.Received().back().message, UM_TASKPOOL_DRAINED);

    // One last task after the others: the pool goes idle once more, once.
    sink.Received().clear();
    auto last = MakeTask();
    manager.AddTask(L"last", last);
    sink.Pump(kTestWaitMs, HasDrained);
    manager.CancelAll(true);   // the last worker has posted what it will post
    ASSERT_TRUE(sink.PumpPastSentinel());
    EXPECT_EQ(CountMessages(sink.Received(), UM_TASKPOOL_IDLE), 1);
    EXPECT_EQ(CountMessages(sink.Received(), UM_TASKPOOL_DRAINED), 1);

    for (size_t i = 0; i < tasks.size(); ++i) {
        SCOPED_TRACE(i);
        const auto& t = tasks[i];
        EXPECT_LE(t->runs.load(), 1);
        // Either it ran, or a cancel took it out of the queue before it could.
        if (t->runs.load() == 0) {
            EXPECT_TRUE(t->HasState(TASK_CANCELLED));
            EXPECT_GE(t->cancels.load(), 1);
        }
    }
}

TEST(TaskManager, StressManyManagersFromManyThreads)
{
    struct Round {
        bool cancelled = false;
        bool finished = true;   // the manager left alone ran everything
        std::vector<std::shared_ptr<ProbeTask>> tasks;
    };
    constexpr int kCallers = 4, kRounds = 10, kTasks = 20;
    std::vector<Round> rounds(kCallers * kRounds);
    std::vector<std::thread> callers;
    for (int c = 0; c < kCallers; ++c) {
        callers.emplace_back([&rounds, c] {
            for (int round = 0; round < kRounds; ++round) {
                Round& r = rounds[c * kRounds + round];
                r.cancelled = round % 2 != 0;
                TaskManager manager;
                manager.SetMaxWorkers(1 + (round + c) % 3);
                for (int i = 0; i < kTasks; ++i) {
                    r.tasks.push_back(MakeTask());
                    manager.AddTask(std::to_wstring(i), r.tasks.back());
                }
                if (r.cancelled)
                    manager.CancelAll(false);
                else
                    r.finished = WaitUntil([&] { return manager.GetTaskNames().empty(); });
                // The destructor cancels what is left and joins every worker.
            }
        });
    }
    for (auto& t : callers) t.join();
    for (size_t i = 0; i < rounds.size(); ++i) {
        SCOPED_TRACE(i);
        const Round& r = rounds[i];
        EXPECT_TRUE(r.finished);
        for (const auto& t : r.tasks) {
            // Once the manager is gone no Run is still going, and none ran twice.
            EXPECT_EQ(t->finished.IsOpen(), t->runs.load() == 1);
            if (!r.cancelled) {
                EXPECT_EQ(t->runs.load(), 1);
            } else if (t->runs.load() == 0) {
                EXPECT_TRUE(t->HasState(TASK_CANCELLED));
            } else {
                EXPECT_EQ(t->runs.load(), 1);
            }
        }
    }
}

// The first adder is held inside AddTask, after it found the name free, until
// a second adder of the same name has returned: a second that could get in
// would list its own task, then lose it to the first. With the test and the
// insert in one step the second waits instead; the hold then ends at its
// time limit, and the second finds the first's task listed.
TEST(TaskManager, OneNameAddedFromTwoThreadsAtOnceListsOneTask)
{
    TaskManager manager;
    Gate hold;
    auto blocker = MakeTask(&hold);   // keeps the only worker busy: nothing leaves the list
    manager.AddTask(L"blocker", blocker);
    ASSERT_TRUE(blocker->started.Wait());

    Gate firstInside, secondDone;
    std::atomic<int> probes{0};
    manager.SetAddTaskProbe([&] {
        if (++probes > 1) return;
        firstInside.Open();
        secondDone.Wait(2000);
    });
    const auto first = MakeTask(), second = MakeTask();
    std::shared_ptr<ITask> seenBySecond;
    std::thread secondAdder([&] {
        firstInside.Wait();
        manager.AddTask(L"same", second);
        seenBySecond = manager.GetTask(L"same");
        secondDone.Open();
    });
    std::thread firstAdder([&] { manager.AddTask(L"same", first); });
    firstAdder.join();
    secondAdder.join();
    ASSERT_TRUE(firstInside.IsOpen());
    EXPECT_EQ(manager.GetTaskNames(), (std::vector<std::wstring>{L"blocker", L"same"}));
    EXPECT_EQ(manager.GetTask(L"same"), first);
    EXPECT_EQ(seenBySecond, first) << "the second task was listed, then replaced";

    hold.Open();
    ASSERT_TRUE(WaitUntil([&] { return manager.GetTaskNames().empty(); }));
    EXPECT_EQ(first->runs.load(), 1);
    EXPECT_EQ(second->runs.load(), 0);
}

TEST(TaskManager, AThrowingTaskLeavesItsMessageInTheDebugOutputAndTheWorkerGoesOn)
{
    DebugCapture debug;
    TaskManager manager;
    manager.SetMaxWorkers(1);
    auto thrower = MakeTask(nullptr, [] { throw std::runtime_error("disk full"); });
    auto next = MakeTask();
    manager.AddTask(L"thrower", thrower);
    manager.AddTask(L"next", next);
    ASSERT_TRUE(WaitUntil([&] { return next->finished.IsOpen(); }));
    EXPECT_EQ(next->runThread.load(), thrower->runThread.load());   // the same worker took it
    const std::wstring want = L"TaskManager: exception from Run: disk full\n";
    const std::vector<std::wstring> lines = debug.Lines();
    EXPECT_TRUE(std::find(lines.begin(), lines.end(), want) != lines.end() ||
                std::find(lines.begin(), lines.end(), DebugCapture::AnsiForm(want)) != lines.end());
}
