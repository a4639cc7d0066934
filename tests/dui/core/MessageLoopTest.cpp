// The message loop on the test thread: the order in which filters and idle
// callbacks see things, how a loop ends, and loops running inside loops.
// Messages are posted to the thread; nothing needs a window. The filter
// interface is named with its namespace: the system has one of that name.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "dui/core/SMessageLoop.h"

using namespace DUI;

namespace {

constexpr UINT kMsgA = WM_APP + 1;
constexpr UINT kMsgB = WM_APP + 2;
constexpr UINT kMsgC = WM_APP + 3;

// Leaves no message behind for the next test.
void DrainQueue()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
}

void Post(UINT message, WPARAM wp = 0)
{
    PostThreadMessageW(GetCurrentThreadId(), message, wp, 0);
}

// A filter that writes "<name>:<message>" to the log and takes what `take`
// says; `then` runs after it has been asked.
struct LogFilter : DUI::IMessageFilter
{
    LogFilter(std::string n, std::string& l) : name(std::move(n)), log(l) {}
    BOOL PreTranslateMessage(MSG* msg) override
    {
        log += name + ":" + std::to_string(static_cast<int>(msg->message - WM_APP)) + " ";
        const BOOL taken = take(msg->message);
        if (then)
            then(msg->message);
        return taken;
    }
    std::string name;
    std::string& log;
    std::function<BOOL(UINT)> take = [](UINT) { return FALSE; };
    std::function<void(UINT)> then;
};

struct LogIdle : DUI::IIdleCallback
{
    LogIdle(std::string n, std::string& l) : name(std::move(n)), log(l) {}
    void OnIdle() override { log += name + " "; }
    std::string name;
    std::string& log;
};

// Logs each idle call with its count; `script` decides whether to go on idling.
class ScriptedLoop : public SMessageLoop
{
public:
    explicit ScriptedLoop(std::string& l) : log(l) {}
    BOOL OnIdle(int count) override
    {
        SMessageLoop::OnIdle(count);
        log += "i" + std::to_string(count) + " ";
        return script(count);
    }
    std::string& log;
    std::function<BOOL(int)> script = [](int) { return FALSE; };
};

class MessageLoopTest : public ::testing::Test
{
protected:
    void SetUp() override { DrainQueue(); }
    void TearDown() override { DrainQueue(); }
    std::string log;
};

} // namespace

TEST_F(MessageLoopTest, NewestFilterIsAskedFirstAndTakingStopsTheRest)
{
    SMessageLoop loop;
    LogFilter a("A", log), b("B", log);
    EXPECT_TRUE(loop.AddMessageFilter(&a));
    EXPECT_TRUE(loop.AddMessageFilter(&b));
    b.take = [](UINT m) { return m == kMsgB; };
    MSG msg = {};
    msg.message = kMsgA;
    EXPECT_FALSE(loop.PreTranslateMessage(&msg));
    msg.message = kMsgB;
    EXPECT_TRUE(loop.PreTranslateMessage(&msg));
    EXPECT_EQ(log, "B:1 A:1 B:2 ");

    // A filter added twice is asked twice; removing takes out one entry.
    log.clear();
    EXPECT_TRUE(loop.AddMessageFilter(&a));
    msg.message = kMsgA;
    loop.PreTranslateMessage(&msg);
    EXPECT_EQ(log, "A:1 B:1 A:1 ");
    log.clear();
    EXPECT_TRUE(loop.RemoveMessageFilter(&a));   // the oldest entry: B keeps its place before the newer A
    loop.PreTranslateMessage(&msg);
    EXPECT_EQ(log, "A:1 B:1 ");
    EXPECT_TRUE(loop.RemoveMessageFilter(&a));
    EXPECT_FALSE(loop.RemoveMessageFilter(&a));
    EXPECT_TRUE(loop.RemoveMessageFilter(&b));
    EXPECT_FALSE(loop.RemoveMessageFilter(&b));   // empty list
}

TEST_F(MessageLoopTest, FilterRemovingItselfWhileAskedLetsTheOthersSeeTheMessage)
{
    SMessageLoop loop;
    LogFilter a("A", log), b("B", log), c("C", log);
    loop.AddMessageFilter(&a);
    loop.AddMessageFilter(&b);
    loop.AddMessageFilter(&c);
    c.then = [&](UINT) { loop.RemoveMessageFilter(&c); loop.RemoveMessageFilter(&b); };
    MSG msg = {};
    msg.message = kMsgA;
    EXPECT_FALSE(loop.PreTranslateMessage(&msg));
    EXPECT_EQ(log, "C:1 A:1 ");
}

TEST_F(MessageLoopTest, IdleRunsWhileQueueIsEmptyAndMouseMovesDoNotRestartIt)
{
    ScriptedLoop loop(log);
    LogIdle h1("h1", log), h2("h2", log);
    loop.AddIdleHandler(&h1);
    loop.AddIdleHandler(&h2);
    LogFilter seen("m", log);
    loop.AddMessageFilter(&seen);
    int phase = 0;
    loop.script = [&](int count) {
        if (phase == 0 && count == 2) {
            Post(WM_MOUSEMOVE);
            Post(WM_MOUSEMOVE);
            Post(WM_PAINT);
            Post(kMsgA);
            ++phase;
            return FALSE;
        }
        if (phase == 1) {
            loop.RemoveIdleHandler(&h1);
            PostQuitMessage(7);
            return FALSE;
        }
        return TRUE;
    };
    EXPECT_EQ(loop.Run(), 7);
    const std::string mm = "m:" + std::to_string(WM_MOUSEMOVE - WM_APP) + " ";
    const std::string paint = "m:" + std::to_string(WM_PAINT - WM_APP) + " ";
    // Idle counts 0, 1, 2 until the script says no more; the mouse moves and
    // the paint leave idling off; kMsgA turns it on again from count 0.
    EXPECT_EQ(log, "h1 h2 i0 h1 h2 i1 h1 h2 i2 " + mm + mm + paint + "m:1 h1 h2 i0 ");
    EXPECT_FALSE(loop.IsRunning());
}

TEST_F(MessageLoopTest, QuitEndsAfterTheCurrentMessageWithItsWParam)
{
    SMessageLoop loop;
    LogFilter f("f", log);
    f.then = [&](UINT m) {
        EXPECT_TRUE(loop.IsRunning());
        if (m == kMsgB)
            loop.Quit();
    };
    loop.AddMessageFilter(&f);
    Post(kMsgA, 1);
    Post(kMsgB, 42);
    Post(kMsgC, 3);
    EXPECT_EQ(loop.Run(), 42);
    EXPECT_EQ(log, "f:1 f:2 ");
    EXPECT_FALSE(loop.IsRunning());

    // The unread message stays queued for the next run; a Quit while no
    // run is active is forgotten.
    loop.Quit();
    log.clear();
    f.then = [&](UINT) { PostQuitMessage(9); };
    EXPECT_EQ(loop.Run(), 9);
    EXPECT_EQ(log, "f:3 ");
}

TEST_F(MessageLoopTest, QuitFromAnIdleCallbackEndsWithoutWaitingForAMessage)
{
    ScriptedLoop loop(log);
    loop.script = [&](int count) {
        if (count == 1)
            loop.Quit();
        return TRUE;
    };
    EXPECT_EQ(loop.Run(), 0);
    EXPECT_EQ(log, "i0 i1 ");
}

TEST_F(MessageLoopTest, NestedLoopRunsWithItsOwnFiltersAndHandsBackToTheOuter)
{
    SMessageLoop outer, inner;
    LogFilter outerFilter("o", log), innerFilter("i", log);
    outer.AddMessageFilter(&outerFilter);
    inner.AddMessageFilter(&innerFilter);
    bool bothRunning = false;
    outerFilter.then = [&](UINT m) {
        if (m == kMsgA) {
            Post(kMsgB);
            EXPECT_EQ(inner.Run(), 0);
            Post(kMsgC, 5);
        } else if (m == kMsgC) {
            outer.Quit();
        }
    };
    innerFilter.then = [&](UINT m) {
        bothRunning = outer.IsRunning() && inner.IsRunning();
        if (m == kMsgB)
            inner.Quit();
    };
    Post(kMsgA);
    EXPECT_EQ(outer.Run(), 5);
    EXPECT_EQ(log, "o:1 i:2 o:3 ");
    EXPECT_TRUE(bothRunning);
    EXPECT_FALSE(inner.IsRunning());
}

TEST_F(MessageLoopTest, WmQuitInsideANestedLoopEndsOnlyThatLoopUntilPostedAgain)
{
    SMessageLoop outer, inner;
    LogFilter outerFilter("o", log);
    outer.AddMessageFilter(&outerFilter);
    int innerResult = -1;
    outerFilter.then = [&](UINT m) {
        if (m != kMsgA)
            return;
        PostQuitMessage(3);
        innerResult = inner.Run();
        PostQuitMessage(innerResult);   // what a modal dialog does for the loops around it
    };
    Post(kMsgA);
    EXPECT_EQ(outer.Run(), 3);
    EXPECT_EQ(innerResult, 3);
}
