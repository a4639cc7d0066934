#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "dui/core/base/Events.h"
#include "dui/core/base/SEventSet.h"

using namespace DUI;

namespace {

// A subscriber that records its calls and answers as told.
struct Listener
{
    std::string name;
    std::vector<std::string>* log;
    bool answer = true;
    bool stopBubble = false;

    bool OnEvent(EventArgs* e)
    {
        log->push_back(name);
        if (stopBubble)
            e->bubbleUp = FALSE;
        return answer;
    }
    bool OnCmd(EventCmd*)
    {
        log->push_back(name + ":cmd");
        return true;
    }
};

class FakeSender : public SObjectImpl<IObject>
{
public:
    int GetID() const override { return 42; }
    LPCWSTR GetName() const override { return L"btn_ok"; }
};

int g_freeCalls = 0;
bool FreeHandler(EventArgs*)
{
    ++g_freeCalls;
    return true;
}

class EventSetTest : public testing::Test
{
protected:
    void SetUp() override { m_set.AddEvent(EventCmd::EventID, EventCmd::EventName()); }

    SEventSet m_set;
    std::vector<std::string> m_log;
};

} // namespace

TEST_F(EventSetTest, NewestSubscriberFirstAndBubbleRule)
{
    struct Case
    {
        const char* name;
        bool bAnswers, bStops;
        std::vector<std::string> calls;
        UINT handled;
        BOOL bubbleAfter;
    };
    const Case cases[] = {
        {"all handle, bubble kept", true, false, {"C", "B", "A"}, 3, TRUE},
        {"B handles and stops", true, true, {"C", "B"}, 2, FALSE},
        {"B stops but does not handle", false, true, {"C", "B", "A"}, 2, FALSE},
        {"B neither handles nor stops", false, false, {"C", "B", "A"}, 2, TRUE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> log;
        Listener a{"A", &log}, b{"B", &log, c.bAnswers, c.bStops}, cc{"C", &log};
        SEventSet set;
        set.AddEvent(EventCmd::EventID, EventCmd::EventName());
        ASSERT_TRUE(set.SubscribeEvent(EventCmd::EventID, Subscriber(&Listener::OnEvent, &a)));
        ASSERT_TRUE(set.SubscribeEvent(EventCmd::EventID, Subscriber(&Listener::OnEvent, &b)));
        ASSERT_TRUE(set.SubscribeEvent(EventCmd::EventID, Subscriber(&Listener::OnEvent, &cc)));
        EventCmd e(nullptr);
        set.FireEvent(e);
        EXPECT_EQ(log, c.calls);
        EXPECT_EQ(e.handled, c.handled);
        EXPECT_EQ(e.bubbleUp, c.bubbleAfter);
    }
}

TEST_F(EventSetTest, DuplicateSubscriptions)
{
    Listener a{"A", &m_log};
    EXPECT_TRUE(m_set.SubscribeEvent(EventCmd::EventID, Subscriber(&Listener::OnEvent, &a)));
    EXPECT_FALSE(m_set.SubscribeEvent(EventCmd::EventID, Subscriber(&Listener::OnEvent, &a)));
    Listener other{"B", &m_log};
    EXPECT_TRUE(m_set.SubscribeEvent(EventCmd::EventID, Subscriber(&Listener::OnEvent, &other)));
    EXPECT_TRUE(m_set.SubscribeEvent(EventCmd::EventID, Subscriber(&Listener::OnCmd, &a)));

    EXPECT_TRUE(m_set.SubscribeEvent(EventCmd::EventID, Subscriber(FreeHandler)));
    EXPECT_FALSE(m_set.SubscribeEvent(EventCmd::EventID, Subscriber(FreeHandler)));

    StdFunctionSlot lambda([](EventArgs*) { return false; });
    EXPECT_TRUE(m_set.SubscribeEvent(EventCmd::EventID, lambda));
    EXPECT_TRUE(m_set.SubscribeEvent(EventCmd::EventID, lambda));

    EXPECT_EQ(m_set.GetEventObject(EventCmd::EventID)->GetSubscriberCount(), 6u);
}

TEST_F(EventSetTest, UnknownIdAndMutedSet)
{
    Listener a{"A", &m_log};
    EXPECT_FALSE(m_set.SubscribeEvent(EventSwndSize::EventID, Subscriber(&Listener::OnEvent, &a)));
    EXPECT_FALSE(m_set.SubscribeEvent(L"on_size", Subscriber(&Listener::OnEvent, &a)));

    ASSERT_TRUE(m_set.SubscribeEvent(EventCmd::EventID, Subscriber(&Listener::OnEvent, &a)));
    EventSwndSize size(nullptr);
    m_set.FireEvent(size);
    EXPECT_TRUE(m_log.empty());

    m_set.SetMutedState(TRUE);
    EventCmd cmd(nullptr);
    m_set.FireEvent(cmd);
    EXPECT_TRUE(m_log.empty());
    EXPECT_EQ(cmd.handled, 0u);

    m_set.SetMutedState(FALSE);
    m_set.FireEvent(cmd);
    EXPECT_EQ(m_log, std::vector<std::string>{"A"});
}

TEST_F(EventSetTest, SubscribeAndUnsubscribeByName)
{
    Listener a{"A", &m_log};
    EXPECT_TRUE(m_set.SubscribeEvent(L"on_command", Subscriber(&Listener::OnEvent, &a)));
    EXPECT_FALSE(m_set.SubscribeEvent(L"On_Command", Subscriber(&Listener::OnCmd, &a)));
    EventCmd e(nullptr);
    m_set.FireEvent(e);
    EXPECT_TRUE(m_set.UnsubscribeEvent(L"on_command", Subscriber(&Listener::OnEvent, &a)));
    EXPECT_FALSE(m_set.UnsubscribeEvent(L"on_command", Subscriber(&Listener::OnEvent, &a)));
    m_set.FireEvent(e);
    EXPECT_EQ(m_log, std::vector<std::string>{"A"});
}

TEST_F(EventSetTest, AddEventKeepsTheFirstName)
{
    SEvent* first = m_set.AddEvent(EventCmd::EventID, L"on_other");
    EXPECT_EQ(first, m_set.GetEventObject(EventCmd::EventID));
    EXPECT_STREQ(first->GetName(), L"on_command");
    EXPECT_EQ(m_set.GetEventObject(L"on_other"), nullptr);
}

TEST_F(EventSetTest, ScriptHandlersByExactName)
{
    EXPECT_TRUE(m_set.SetEventScriptHandler(L"on_command", "onOk"));
    EXPECT_FALSE(m_set.SetEventScriptHandler(L"ON_COMMAND", "x"));
    EXPECT_FALSE(m_set.SetEventScriptHandler(L"on_size", "x"));
    EXPECT_STREQ(m_set.GetEventScriptHandler(L"on_command"), "onOk");
    EXPECT_TRUE(m_set.GetEventScriptHandler(L"on_size").IsEmpty());
}

TEST_F(EventSetTest, TypedHandlerSeesOnlyItsEventClass)
{
    SEventSet set;
    set.AddEvent(EventSwndSize::EventID, EventSwndSize::EventName());
    Listener a{"A", &m_log};
    // A handler written for on_command subscribed to on_size by mistake
    // must not be handed an on_size event as if it were on_command.
    ASSERT_TRUE(set.SubscribeEvent(EventSwndSize::EventID, Subscriber(&Listener::OnCmd, &a)));
    EventSwndSize size(nullptr);
    set.FireEvent(size);
    EXPECT_TRUE(m_log.empty());
    EXPECT_EQ(size.handled, 0u);
}

TEST_F(EventSetTest, HandlersMaySubscribeAndUnsubscribeWhileFiring)
{
    Listener late{"late", &m_log};
    Listener victim{"victim", &m_log};
    // Subscribed first, called last: must not run once removed by a newer handler.
    ASSERT_TRUE(m_set.SubscribeEvent(EventCmd::EventID, Subscriber(&Listener::OnEvent, &victim)));
    StdFunctionSlot remover([&](EventArgs*) {
        m_log.push_back("remover");
        // Removing itself while it runs: its captures must stay valid here.
        m_set.UnsubscribeEvent(EventCmd::EventID, Subscriber(&Listener::OnEvent, &victim));
        m_set.SubscribeEvent(EventCmd::EventID, Subscriber(&Listener::OnEvent, &late));
        m_log.push_back("remover done");
        return true;
    });
    ASSERT_TRUE(m_set.SubscribeEvent(EventCmd::EventID, remover));

    EventCmd first(nullptr);
    m_set.FireEvent(first);
    EXPECT_EQ(m_log, (std::vector<std::string>{"remover", "remover done"}));
    EXPECT_EQ(first.handled, 1u);

    m_log.clear();
    EventCmd second(nullptr);
    m_set.FireEvent(second);
    EXPECT_EQ(m_log, (std::vector<std::string>{"late", "remover", "remover done"}));
    EXPECT_EQ(m_set.GetEventObject(EventCmd::EventID)->GetSubscriberCount(), 2u);
}

namespace {

// Unsubscribes itself from inside Invoke and then checks that its copy in the
// event set is still alive.
class SelfRemovingSlot : public ISlotFunctor
{
public:
    SelfRemovingSlot(SEventSet* set, int* alive, std::vector<std::string>* log)
        : m_set(set), m_alive(alive), m_log(log) { ++*m_alive; }
    ~SelfRemovingSlot() override { --*m_alive; }

    bool Invoke(EventArgs*) override
    {
        const int before = *m_alive;
        m_set->UnsubscribeEvent(EventCmd::EventID, *this);
        m_log->push_back(*m_alive == before ? "still alive" : "freed while running");
        return true;
    }
    ISlotFunctor* Clone() const override { return new SelfRemovingSlot(m_set, m_alive, m_log); }
    bool Equals(const ISlotFunctor& other) const override
    {
        auto* same = dynamic_cast<const SelfRemovingSlot*>(&other);
        return same && same->m_set == m_set;
    }
    int GetSlotKind() const override { return Slot_MemberFunction; }

private:
    SEventSet* m_set;
    int* m_alive;
    std::vector<std::string>* m_log;
};

} // namespace

TEST_F(EventSetTest, HandlerRemovesItselfWhileRunning)
{
    int alive = 0;
    {
        SelfRemovingSlot slot(&m_set, &alive, &m_log);
        ASSERT_TRUE(m_set.SubscribeEvent(EventCmd::EventID, slot));
    }
    ASSERT_EQ(alive, 1);  // the set's own copy
    EventCmd e(nullptr);
    m_set.FireEvent(e);
    EXPECT_EQ(m_log, std::vector<std::string>{"still alive"});
    EXPECT_EQ(alive, 0);  // freed once the firing ended
    EXPECT_EQ(m_set.GetEventObject(EventCmd::EventID)->GetSubscriberCount(), 0u);
}

TEST_F(EventSetTest, AThrowingHandlerStillEndsTheFiring)
{
    StdFunctionSlot thrower([](EventArgs*) -> bool { throw std::runtime_error("handler failed"); });
    ASSERT_TRUE(m_set.SubscribeEvent(EventCmd::EventID, thrower));
    int alive = 0;
    {
        SelfRemovingSlot slot(&m_set, &alive, &m_log);   // newest: runs first, then the thrower
        ASSERT_TRUE(m_set.SubscribeEvent(EventCmd::EventID, slot));
    }
    EventCmd e(nullptr);
    EXPECT_THROW(m_set.FireEvent(e), std::runtime_error);
    // The firing ended with the exception: the slot that removed itself is
    // freed, as after a normal return, and not kept until the event dies.
    EXPECT_EQ(alive, 0);
    EXPECT_EQ(m_set.GetEventObject(EventCmd::EventID)->GetSubscriberCount(), 1u);
}

// Empty callables handle nothing and do not stop the older subscribers.
TEST_F(EventSetTest, EmptyCallablesAreNotHandlers)
{
    Listener older{"older", &m_log};
    ASSERT_TRUE(m_set.SubscribeEvent(EventCmd::EventID, Subscriber(&Listener::OnEvent, &older)));
    ASSERT_TRUE(m_set.SubscribeEvent(EventCmd::EventID, StdFunctionSlot(StdFunctionSlot::Function())));
    ASSERT_TRUE(m_set.SubscribeEvent(EventCmd::EventID, FreeFunctionSlot(nullptr)));
    EventCmd e(nullptr);
    e.bubbleUp = FALSE;
    EXPECT_NO_THROW(m_set.FireEvent(e));
    EXPECT_EQ(m_log, std::vector<std::string>{"older"});
    EXPECT_EQ(e.handled, 1u);
}

TEST_F(EventSetTest, HandlerRemovesItselfDuringNestedFiring)
{
    Listener a{"A", &m_log};
    int depth = 0;
    ASSERT_TRUE(m_set.SubscribeEvent(EventCmd::EventID, Subscriber(&Listener::OnEvent, &a)));
    StdFunctionSlot reenter([&](EventArgs*) {
        if (depth++ == 0) {
            EventCmd inner(nullptr);
            m_set.FireEvent(inner);
            m_set.UnsubscribeEvent(EventCmd::EventID, Subscriber(&Listener::OnEvent, &a));
        }
        return false;
    });
    ASSERT_TRUE(m_set.SubscribeEvent(EventCmd::EventID, reenter));
    EventCmd outer(nullptr);
    m_set.FireEvent(outer);
    // Inner firing: reenter (depth 1) then A; outer: A was removed before its turn.
    EXPECT_EQ(m_log, std::vector<std::string>{"A"});
    EXPECT_EQ(m_set.GetEventObject(EventCmd::EventID)->GetSubscriberCount(), 1u);
}

TEST(EventArgs, IdentityAndCast)
{
    FakeSender sender;
    EventCmd cmd(&sender);
    EXPECT_EQ(cmd.idFrom, 42);
    EXPECT_STREQ(cmd.nameFrom, L"btn_ok");
    EXPECT_EQ(cmd.GetSender<FakeSender>(), &sender);
    EXPECT_EQ(cmd.bubbleUp, TRUE);
    EXPECT_EQ(cmd.handled, 0u);
    EXPECT_EQ(cmd.GetID(), 10000);
    EXPECT_STREQ(cmd.GetName(), L"on_command");
    EXPECT_STREQ(cmd.GetClassTag(), L"on_command");
    EXPECT_TRUE(cmd.IsKindOf(L"eventargs"));
    EXPECT_FALSE(cmd.IsKindOf(L"on_size"));

    EventArgs* base = &cmd;
    EXPECT_EQ(EventCast<EventCmd>(base), &cmd);
    EXPECT_EQ(EventCast<EventSwndSize>(base), nullptr);
    EXPECT_EQ(EventCast<EventArgs>(base), base);

    EventCtxMenu menu(nullptr);
    EXPECT_EQ(menu.idFrom, 0);
    EXPECT_EQ(menu.nameFrom, nullptr);
    EXPECT_STREQ(menu.GetName(), L"on_conext_menu");
    EXPECT_EQ(menu.bCancel, FALSE);
}

TEST(EventArgs, CoreEventTable)
{
    struct Case { std::unique_ptr<EventArgs> e; int id; const wchar_t* name; };
    Case cases[] = {
        {std::make_unique<EventInit>(nullptr), 8000, L"on_init"},
        {std::make_unique<EventExit>(nullptr), 8001, L"on_exit"},
        {std::make_unique<EventTimer>(nullptr), 8002, L"on_timer"},
        {std::make_unique<EventSetFocus>(nullptr), 8100, L"on_set_focus"},
        {std::make_unique<EventKillFocus>(nullptr), 8101, L"on_kill_focus"},
        {std::make_unique<EventSwndCreate>(nullptr), 8102, L"on_create"},
        {std::make_unique<EventSwndDestroy>(nullptr), 8103, L"on_destroy"},
        {std::make_unique<EventSwndSize>(nullptr), 8104, L"on_size"},
        {std::make_unique<EventSwndVisibleChanged>(nullptr), 8105, L"on_visible_changed"},
        {std::make_unique<EventSwndStateChanged>(nullptr), 8106, L"on_state_changed"},
        {std::make_unique<EventLButtonDown>(nullptr), 8107, L"on_mouse_lbutton_down"},
        {std::make_unique<EventLButtonUp>(nullptr), 8108, L"on_mouse_lbutton_up"},
        {std::make_unique<EventSwndUpdateTooltip>(nullptr), 8109, L"on_update_tooltip"},
        {std::make_unique<EventSwndMouseHover>(nullptr), 9000, L"on_mouse_hover"},
        {std::make_unique<EventSwndMouseLeave>(nullptr), 9001, L"on_mouse_leave"},
        {std::make_unique<EventCmd>(nullptr), 10000, L"on_command"},
        {std::make_unique<EventCtxMenu>(nullptr), 10001, L"on_conext_menu"},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(c.e->GetID(), c.id);
        EXPECT_STREQ(c.e->GetName(), c.name);
        EXPECT_TRUE(c.e->IsKindOf(c.name));
        EXPECT_TRUE(c.e->IsKindOf(L"eventargs"));
    }
}
