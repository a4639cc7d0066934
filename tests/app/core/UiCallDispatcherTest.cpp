#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

#include "app/core/UiCallDispatcher.h"
#include "app/core/UiCallReceiver.h"
#include "tests/app/core/TestSync.h"
#include "tests/support/MessagePump.h"
#include "tests/support/MessageWindow.h"

namespace {

// A window on the test's thread that handles the two messages as the
// program's dialog windows do: WM_INITDIALOG releases held calls, UM_UI_CALL
// runs one.
class CallTarget {
public:
    HWND Window() const { return m_window.Hwnd(); }
    void Destroy() { m_window.Destroy(); }

    // Messages posted to one window arrive in the order they were posted:
    // once a sentinel posted now has arrived, every call posted to the window
    // before it has been handled.
    bool Drain()
    {
        const WPARAM mark = ++m_posted;
        return PostMessageW(Window(), kSentinel, mark, 0) && testsupport::PumpUntil([&] { return m_arrived == mark; });
    }

private:
    static constexpr UINT kSentinel = WM_APP + 1;

    WPARAM m_posted = 0;
    WPARAM m_arrived = 0;
    testsupport::MessageWindow m_window{[this](UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
        if (msg == kSentinel) {
            m_arrived = wp;
            return true;
        }
        if (msg == WM_INITDIALOG) {
            UiCallDispatcher::Instance().FlushPending();
            result = TRUE;
            return true;
        }
        if (msg != UM_UI_CALL)
            return false;
        result = UiCallDispatcher::Instance().HandleUiCallMessage(Window(), wp, lp);
        return true;
    }};
};

using testsupport::PumpFor;
using testsupport::PumpUntil;

// What the calls saw: arguments and thread, in the order they ran. Calls
// run on the test's thread only, so no lock is needed.
struct Ran {
    UINT arg1;
    ULONGLONG arg2;
    DWORD thread;
};

std::shared_ptr<UiCallRecord> NewCall(UiCallReceiver& receiver, std::vector<Ran>& log, UINT arg1, ULONGLONG arg2,
                                      UiCallReceiver::Registry where = UiCallReceiver::Registry::Runnable)
{
    auto record = std::make_shared<UiCallRecord>();
    record->arg1 = arg1;
    record->arg2 = arg2;
    record->function = [&log](UINT a1, ULONGLONG a2, ULONGLONG) -> LRESULT {
        log.push_back({a1, a2, GetCurrentThreadId()});
        return 0;
    };
    receiver.AddCall(record, where);
    return record;
}

class UiCallDispatcherTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(m_dispatcher.GetMainThreadId(), GetCurrentThreadId());
        m_dispatcher.SetTargetWindow(nullptr);
    }
    void TearDown() override
    {
        m_dispatcher.SetTargetWindow(nullptr);
        EXPECT_EQ(m_dispatcher.HeldCallCount(), 0u);
    }

    UiCallDispatcher& m_dispatcher = UiCallDispatcher::Instance();
    std::vector<Ran> m_log;
};

TEST_F(UiCallDispatcherTest, CallsFromFourThreadsRunInOrderOnTheUiThread)
{
    constexpr int kThreads = 4, kCalls = 300;
    CallTarget target;
    m_dispatcher.SetTargetWindow(target.Window());
    UiCallReceiver receiver;
    std::vector<std::weak_ptr<UiCallRecord>> records(kThreads * kCalls);

    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < kCalls; ++i) {
                auto call = NewCall(receiver, m_log, t, i);
                records[t * kCalls + i] = call;
                m_dispatcher.Dispatch(receiver.GetId(), std::move(call), false);
            }
        });
    EXPECT_TRUE(PumpUntil([&] { return m_log.size() == kThreads * kCalls; }));
    for (auto& th : threads)
        th.join();
    ASSERT_TRUE(target.Drain());  // nothing more arrives

    ASSERT_EQ(m_log.size(), static_cast<size_t>(kThreads * kCalls));
    std::vector<ULONGLONG> next(kThreads, 0);
    for (const Ran& r : m_log) {
        ASSERT_LT(r.arg1, static_cast<UINT>(kThreads));
        EXPECT_EQ(r.arg2, next[r.arg1]++) << "thread " << r.arg1;
        EXPECT_EQ(r.thread, GetCurrentThreadId());
    }
    for (const auto& record : records)
        EXPECT_TRUE(record.expired()) << "a call that ran is freed";
}

TEST_F(UiCallDispatcherTest, HeldCallsRunOnceWhenTheTargetIsInitialised)
{
    auto late = std::make_unique<UiCallReceiver>();
    auto early = std::make_unique<UiCallReceiver>();
    auto gone = std::make_unique<UiCallReceiver>();
    std::weak_ptr<UiCallRecord> goneCall;
    std::thread([&] {
        m_dispatcher.Dispatch(gone->GetId(), NewCall(*gone, m_log, 9, 0), false);
        auto watched = NewCall(*gone, m_log, 9, 1);
        goneCall = watched;
        m_dispatcher.Dispatch(gone->GetId(), std::move(watched), false);
        m_dispatcher.Dispatch(late->GetId(), NewCall(*late, m_log, 2, 0), false);
        m_dispatcher.Dispatch(early->GetId(), NewCall(*early, m_log, 1, 0), false);
        m_dispatcher.Dispatch(early->GetId(), NewCall(*early, m_log, 1, 1), false);
    }).join();
    EXPECT_EQ(m_dispatcher.HeldCallCount(), 5u);
    gone.reset();
    EXPECT_TRUE(goneCall.expired()) << "a receiver takes its held calls with it";
    EXPECT_EQ(m_dispatcher.HeldCallCount(), 3u);

    m_dispatcher.FlushPending();  // no target yet: kept
    EXPECT_EQ(m_dispatcher.HeldCallCount(), 3u);
    CallTarget target;
    m_dispatcher.SetTargetWindow(target.Window());
    ASSERT_TRUE(target.Drain());
    EXPECT_TRUE(m_log.empty()) << "held until the window is initialised";

    SendMessageW(target.Window(), WM_INITDIALOG, 0, 0);
    EXPECT_EQ(m_dispatcher.HeldCallCount(), 0u);
    EXPECT_TRUE(PumpUntil([&] { return m_log.size() == 3; }));
    ASSERT_TRUE(target.Drain());
    SendMessageW(target.Window(), WM_INITDIALOG, 0, 0);  // a second flush finds nothing
    ASSERT_TRUE(target.Drain());
    ASSERT_EQ(m_log.size(), 3u);
    // Receivers by ascending id (early was made after late), calls by id.
    const UINT order[][2] = {{2, 0}, {1, 0}, {1, 1}};
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(m_log[i].arg1, order[i][0]);
        EXPECT_EQ(m_log[i].arg2, order[i][1]);
        EXPECT_EQ(m_log[i].thread, GetCurrentThreadId());
    }
}

TEST_F(UiCallDispatcherTest, SynchronousCallsReturnAfterTheyRan)
{
    UiCallReceiver receiver;

    // On the UI thread without a target: at once.
    auto now = NewCall(receiver, m_log, 1, 0);
    m_dispatcher.Dispatch(receiver.GetId(), now, true);
    ASSERT_EQ(m_log.size(), 1u);
    EXPECT_FALSE(receiver.HasCall(now->callId));

    // From a worker before the target exists: waits for it.
    size_t seenByWorker = 0;
    std::atomic<bool> returned{false};
    std::thread worker([&] {
        m_dispatcher.Dispatch(receiver.GetId(), NewCall(receiver, m_log, 2, 0), true);
        seenByWorker = m_log.size();
        returned = true;
    });
    PumpFor(250);
    EXPECT_FALSE(returned) << "no target yet";
    CallTarget target;
    m_dispatcher.SetTargetWindow(target.Window());
    EXPECT_TRUE(PumpUntil([&] { return returned.load(); }));
    worker.join();
    EXPECT_EQ(seenByWorker, 2u) << "the call ran before Dispatch returned";

    // From a worker with a target.
    std::thread withTarget([&] { m_dispatcher.Dispatch(receiver.GetId(), NewCall(receiver, m_log, 3, 0), true); });
    EXPECT_TRUE(PumpUntil([&] { return m_log.size() == 3; }));
    withTarget.join();
}

TEST_F(UiCallDispatcherTest, HandlerRunsOnlyRegisteredCallsAtTheTarget)
{
    CallTarget target, other;
    m_dispatcher.SetTargetWindow(target.Window());
    UiCallReceiver receiver;
    const auto send = [](HWND to, int receiverId, const UiCallRecord* record) {
        return SendMessageW(to, UM_UI_CALL, static_cast<WPARAM>(receiverId), reinterpret_cast<LPARAM>(record));
    };

    auto runnable = NewCall(receiver, m_log, 1, 0);
    EXPECT_EQ(send(other.Window(), receiver.GetId(), runnable.get()), 0);
    EXPECT_EQ(send(target.Window(), receiver.GetId() + 1000, runnable.get()), 0);
    auto kept = NewCall(receiver, m_log, 2, 0, UiCallReceiver::Registry::Kept);
    EXPECT_EQ(send(target.Window(), receiver.GetId(), kept.get()), 0);
    UiCallRecord stranger;  // never registered
    EXPECT_EQ(send(target.Window(), receiver.GetId(), &stranger), 0);
    EXPECT_TRUE(m_log.empty());
    EXPECT_TRUE(receiver.HasCall(runnable->callId)) << "left alone";
    EXPECT_TRUE(receiver.HasCall(kept->callId));

    EXPECT_EQ(send(target.Window(), receiver.GetId(), runnable.get()), 0);
    ASSERT_EQ(m_log.size(), 1u);
    EXPECT_FALSE(receiver.HasCall(runnable->callId));
    EXPECT_EQ(send(target.Window(), receiver.GetId(), runnable.get()), 0);
    EXPECT_EQ(m_log.size(), 1u) << "a call runs once";

    EXPECT_TRUE(receiver.RemoveCall(kept->callId));
    EXPECT_FALSE(receiver.HasCall(kept->callId));
}

TEST_F(UiCallDispatcherTest, CallThatDestroysItsReceiverEndsCleanly)
{
    CallTarget target;
    m_dispatcher.SetTargetWindow(target.Window());
    auto receiver = std::make_unique<UiCallReceiver>();
    auto record = std::make_shared<UiCallRecord>();
    int runs = 0;
    record->function = [&](UINT, ULONGLONG, ULONGLONG) -> LRESULT {
        ++runs;
        receiver.reset();
        return 0;
    };
    receiver->AddCall(record);
    std::weak_ptr<UiCallRecord> watch = record;
    m_dispatcher.Dispatch(receiver->GetId(), std::move(record), false);
    EXPECT_TRUE(PumpUntil([&] { return runs == 1; }));
    EXPECT_EQ(receiver, nullptr);
    EXPECT_TRUE(watch.expired());
}

// The target window is gone, or the receiver went while its call was on
// the way: nothing runs, nothing stays behind.
TEST_F(UiCallDispatcherTest, CallsThatCannotArriveAreDropped)
{
    CallTarget target;
    m_dispatcher.SetTargetWindow(target.Window());
    UiCallReceiver receiver;
    target.Destroy();

    for (bool synchronous : {false, true}) {
        SCOPED_TRACE(synchronous ? "sent" : "posted");
        std::weak_ptr<UiCallRecord> watch;
        int callId = 0;
        std::thread([&] {
            auto call = NewCall(receiver, m_log, 1, 0);
            watch = call;
            callId = call->callId;
            m_dispatcher.Dispatch(receiver.GetId(), std::move(call), synchronous);
        }).join();
        EXPECT_FALSE(receiver.HasCall(callId));
        EXPECT_TRUE(watch.expired());
    }

    CallTarget live;
    m_dispatcher.SetTargetWindow(live.Window());
    auto leaving = std::make_unique<UiCallReceiver>();
    std::weak_ptr<UiCallRecord> watch;
    {
        auto call = NewCall(*leaving, m_log, 2, 0);
        watch = call;
        m_dispatcher.Dispatch(leaving->GetId(), std::move(call), false);
    }
    leaving.reset();
    EXPECT_TRUE(watch.expired());
    ASSERT_TRUE(live.Drain());  // the message arrives for a receiver that is gone
    EXPECT_TRUE(m_log.empty());
}

TEST(UiCallRecord, InvokeByKind)
{
    struct Doubler : IUiCallable {
        LRESULT Call(UINT a1, ULONGLONG a2, ULONGLONG a3) override { return 2 * (a1 + a2 + a3); }
    };
    const auto sum = [](UINT a1, ULONGLONG a2, ULONGLONG a3) -> LRESULT { return a1 + a2 + a3; };
    struct Case {
        const char* name;
        int kind;
        bool withCallable, withFunction;
        LRESULT want;
    };
    const Case cases[] = {
        {"callable object", UiCallRecord::Kind_Callable, true, true, 12},
        {"function object", UiCallRecord::Kind_Function, true, true, 6},
        {"callable object missing", UiCallRecord::Kind_Callable, false, true, 0},
        {"function object missing", UiCallRecord::Kind_Function, true, false, 0},
        {"unknown kind", 7, true, true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        UiCallRecord record;
        record.kind = c.kind;
        record.arg1 = 1;
        record.arg2 = 2;
        record.arg3 = 3;
        if (c.withCallable)
            record.callable = std::make_shared<Doubler>();
        if (c.withFunction)
            record.function = sum;
        EXPECT_EQ(record.Invoke(), c.want);
    }
}

} // namespace
