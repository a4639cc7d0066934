#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <thread>
#include <vector>

#include "dui/core/SScriptTimer.h"
#include "dui/core/STimer2.h"
#include "dui/core/SWindowFinder.h"
#include "dui/core/SWindowMgr.h"
#include "tests/support/MessagePump.h"

using namespace DUI;
using testsupport::PumpUntil;

namespace {

// Stand-ins for windows: the managers only store and hand back the pointers.
int g_windowSlots[8];
SWindow* FakeWindow(int i)
{
    return reinterpret_cast<SWindow*>(&g_windowSlots[i]);
}

struct Tick
{
    SWindow* window;
    UINT_PTR id;
    bool operator==(const Tick&) const = default;
};
std::vector<Tick> g_ticks;

void RecordTick(SWindow* window, UINT_PTR id)
{
    g_ticks.push_back({window, id});
}

void ThrowingTick(SWindow* window, UINT_PTR id)
{
    RecordTick(window, id);
    throw std::runtime_error("tick failed");
}

size_t TicksOf(SWindow* window, UINT_PTR id)
{
    return std::count(g_ticks.begin(), g_ticks.end(), Tick{window, id});
}

class TimerTest : public testing::Test
{
protected:
    void SetUp() override
    {
        g_ticks.clear();
        STimer2::SetTickDelivery(&RecordTick);
    }
    void TearDown() override { STimer2::SetTickDelivery(nullptr); }

    SWindowMgr m_windows;
    STimer2 m_timers;
};

} // namespace

TEST(WindowMgr, HandlesStartAtOneAndAreNeverReused)
{
    SWindowMgr mgr;
    EXPECT_EQ(SWindowMgr::GetInstance(), &mgr);
    const SWND first = mgr.NewSwnd(FakeWindow(0));
    EXPECT_EQ(first, 1u);
    EXPECT_EQ(mgr.GetWindow(first), FakeWindow(0));
    EXPECT_TRUE(mgr.DestroySwnd(first));
    EXPECT_FALSE(mgr.DestroySwnd(first));
    EXPECT_EQ(mgr.GetWindow(first), nullptr);

    const SWND second = mgr.NewSwnd(FakeWindow(1));
    EXPECT_EQ(second, 2u);
    EXPECT_EQ(mgr.GetWindow(second), FakeWindow(1));
    EXPECT_EQ(mgr.GetWindow(0), nullptr);
    EXPECT_EQ(mgr.GetWindow(99), nullptr);
}

TEST(WindowMgr, ConcurrentCreationGivesDistinctHandles)
{
    SWindowMgr mgr;
    constexpr int kThreads = 8, kEach = 500;
    std::vector<std::vector<SWND>> given(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < kEach; ++i) {
                const SWND swnd = mgr.NewSwnd(FakeWindow(t));
                given[t].push_back(swnd);
                if (i % 2)
                    mgr.DestroySwnd(swnd);
            }
        });
    }
    for (auto& th : threads)
        th.join();
    std::vector<SWND> all;
    for (int t = 0; t < kThreads; ++t) {
        for (size_t i = 0; i < given[t].size(); ++i) {
            all.push_back(given[t][i]);
            EXPECT_EQ(mgr.GetWindow(given[t][i]), i % 2 ? nullptr : FakeWindow(t));
        }
    }
    std::sort(all.begin(), all.end());
    EXPECT_EQ(std::adjacent_find(all.begin(), all.end()), all.end());
    EXPECT_EQ(all.front(), 1u);
    EXPECT_EQ(all.back(), static_cast<SWND>(kThreads * kEach));
}

TEST_F(TimerTest, TicksReachTheirWindowById)
{
    const SWND a = m_windows.NewSwnd(FakeWindow(0));
    const SWND b = m_windows.NewSwnd(FakeWindow(1));
    ASSERT_TRUE(m_timers.SetTimer(a, 7, 10));
    ASSERT_TRUE(m_timers.SetTimer(b, 7, 10));
    ASSERT_TRUE(m_timers.SetTimer(b, 8, 10));
    PumpUntil([&] {
        return TicksOf(FakeWindow(0), 7) && TicksOf(FakeWindow(1), 7) && TicksOf(FakeWindow(1), 8);
    });
    EXPECT_GT(TicksOf(FakeWindow(0), 7), 0u);
    EXPECT_GT(TicksOf(FakeWindow(1), 7), 0u);
    EXPECT_GT(TicksOf(FakeWindow(1), 8), 0u);
    EXPECT_EQ(TicksOf(FakeWindow(0), 8), 0u);
}

TEST_F(TimerTest, AThrowingTickStopsAtTheTimerAndTicksGoOn)
{
    STimer2::SetTickDelivery(&ThrowingTick);
    const SWND a = m_windows.NewSwnd(FakeWindow(0));
    ASSERT_TRUE(m_timers.SetTimer(a, 7, 10));
    // Through the system's timer dispatch an exception would end the process.
    PumpUntil([&] { return TicksOf(FakeWindow(0), 7) >= 2; });
    EXPECT_GE(TicksOf(FakeWindow(0), 7), 2u);
}

TEST_F(TimerTest, SettingTwiceLeavesOneSystemTimer)
{
    const SWND a = m_windows.NewSwnd(FakeWindow(0));
    const SWND witness = m_windows.NewSwnd(FakeWindow(1));
    ASSERT_TRUE(m_timers.SetTimer(a, 3, 10));
    ASSERT_TRUE(m_timers.SetTimer(a, 3, 10));
    m_timers.KillTimer(a, 3);
    // A timer of the same period elsewhere shows that time has passed.
    ASSERT_TRUE(m_timers.SetTimer(witness, 3, 10));
    PumpUntil([&] { return TicksOf(FakeWindow(1), 3) >= 3; });
    EXPECT_GE(TicksOf(FakeWindow(1), 3), 3u);
    EXPECT_EQ(TicksOf(FakeWindow(0), 3), 0u);
}

TEST_F(TimerTest, KillingOneTimerLeavesTheOthers)
{
    const SWND a = m_windows.NewSwnd(FakeWindow(0));
    ASSERT_TRUE(m_timers.SetTimer(a, 1, 10));
    ASSERT_TRUE(m_timers.SetTimer(a, 2, 10));
    m_timers.KillTimer(a, 1);
    m_timers.KillTimer(a, 99);  // unknown: nothing happens
    PumpUntil([&] { return TicksOf(FakeWindow(0), 2) >= 3; });
    EXPECT_EQ(TicksOf(FakeWindow(0), 1), 0u);
    EXPECT_GT(TicksOf(FakeWindow(0), 2), 0u);
}

TEST_F(TimerTest, DestroyingAWindowStopsItsTimersAtOnce)
{
    const SWND gone = m_windows.NewSwnd(FakeWindow(0));
    const SWND kept = m_windows.NewSwnd(FakeWindow(1));
    for (UINT_PTR id = 1; id <= 3; ++id)
        ASSERT_TRUE(m_timers.SetTimer(gone, id, 10));
    ASSERT_TRUE(m_timers.SetTimer(kept, 1, 10));
    EXPECT_TRUE(m_windows.DestroySwnd(gone));
    PumpUntil([&] { return TicksOf(FakeWindow(1), 1) >= 3; });
    EXPECT_EQ(std::count_if(g_ticks.begin(), g_ticks.end(), [](const Tick& t) { return t.window == FakeWindow(0); }), 0);
    EXPECT_GT(TicksOf(FakeWindow(1), 1), 0u);
}

TEST(WindowFinder, CachedAnswersAndTheirLimits)
{
    SWindowMgr windows;
    SWindowFinder finder;
    const SWND dialog = windows.NewSwnd(FakeWindow(0));
    const SWND ok = windows.NewSwnd(FakeWindow(1));
    const SWND other = windows.NewSwnd(FakeWindow(2));

    EXPECT_EQ(finder.FindByName(dialog, L"ok", -1), nullptr);
    finder.CacheByName(dialog, L"ok", -1, ok);
    finder.CacheByID(dialog, 5, 1, ok);
    finder.CacheByID(dialog, 5, -1, other);

    struct Case { const char* name; SWindow* found; SWindow* want; };
    const Case cases[] = {
        {"by name", finder.FindByName(dialog, L"ok", -1), FakeWindow(1)},
        {"name is case-sensitive", finder.FindByName(dialog, L"OK", -1), nullptr},
        {"other depth by name", finder.FindByName(dialog, L"ok", 1), nullptr},
        {"other parent", finder.FindByName(other, L"ok", -1), nullptr},
        {"id depth 1", finder.FindByID(dialog, 5, 1), FakeWindow(1)},
        {"id any depth", finder.FindByID(dialog, 5, -1), FakeWindow(2)},
        {"other id", finder.FindByID(dialog, 6, 1), nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.found, c.want);
    }

    // A destroyed window drops out; the others stay until the cache is cleared.
    windows.DestroySwnd(other);
    EXPECT_EQ(finder.FindByID(dialog, 5, -1), nullptr);
    windows.NewSwnd(FakeWindow(2));
    EXPECT_EQ(finder.FindByID(dialog, 5, -1), nullptr);
    EXPECT_EQ(finder.FindByName(dialog, L"ok", -1), FakeWindow(1));
    finder.Clear();
    EXPECT_EQ(finder.FindByName(dialog, L"ok", -1), nullptr);
    EXPECT_EQ(finder.FindByID(dialog, 5, 1), nullptr);
}

TEST(WindowFinder, KeyHashAndEquality)
{
    SFindKey byId;
    byId.parent = 0x01234567;
    byId.id = 3;
    byId.depth = -1;
    EXPECT_EQ(byId.GetHash(), (3u << 16) + (0x234567u | (0x7Fu << 24)));

    SFindKey byName;
    byName.parent = 2;
    byName.byName = true;
    byName.name = L"ab";
    byName.depth = 1;
    EXPECT_EQ(byName.GetHash(), (97u * 33 + 98) + (2u | (((1u << 7) | 1u) << 24)));

    SFindKey sameNameOtherId = byName;
    sameNameOtherId.id = 9;  // ignored by name
    EXPECT_TRUE(byName == sameNameOtherId);
    SFindKey otherDepth = byName;
    otherDepth.depth = 2;
    EXPECT_FALSE(byName == otherDepth);
}

TEST(Singletons, ReachableOnlyWhileAlive)
{
    auto* timers = new SScriptTimer;
    EXPECT_EQ(SScriptTimer::GetInstance(), timers);
    delete timers;
    EXPECT_EQ(SScriptTimer::GetInstance(), nullptr);
}
