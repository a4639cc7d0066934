// Adapters and their observers: one entry and one reference per observer,
// notices in registration order, observers that leave during a notice.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dui/control/LvAdatperImpl.h"

namespace {

using namespace DUI;

class LogObserver : public TObjRefImpl<ILvDataSetObserver>
{
public:
    LogObserver(std::string name, std::vector<std::string>& log) : m_name(std::move(name)), m_log(log) {}
    void OnChanged() override
    {
        m_log.push_back(m_name);
        if (onChanged)
            onChanged();
    }
    void OnInvalidated() override { m_log.push_back(m_name + ":invalid"); }
    void OnItemChanged(int index) override { m_log.push_back(m_name + ":" + std::to_string(index)); }

    std::function<void()> onChanged;

private:
    std::string m_name;
    std::vector<std::string>& m_log;
};

class CountAdapter : public SAdapterBase
{
public:
    int count = 0;
    int GetCount() override { return count; }
    void GetView(int, SItemPanel*, xmldom::xml_node) override {}
};

class TypedAdapter : public CountAdapter
{
public:
    int GetItemViewType(int position) override { return position % 3; }
};

struct Fixture
{
    std::vector<std::string> log;
    SRefPtr<LogObserver> a = SRefPtr<LogObserver>::Adopt(new LogObserver("a", log));
    SRefPtr<LogObserver> b = SRefPtr<LogObserver>::Adopt(new LogObserver("b", log));
    SRefPtr<LogObserver> c = SRefPtr<LogObserver>::Adopt(new LogObserver("c", log));
    SRefPtr<CountAdapter> adapter = SRefPtr<CountAdapter>::Adopt(new CountAdapter());
};

TEST(LvAdapterTest, AnObserverIsRegisteredOnceWithOneReference)
{
    Fixture f;
    f.adapter->RegisterObserver(f.a.Get());
    f.adapter->RegisterObserver(f.a.Get());
    EXPECT_EQ(f.adapter->GetObserverCount(), 1u);
    EXPECT_EQ(f.a->GetRefCount(), 2);
    f.adapter->NotifyDataSetChanged();
    EXPECT_EQ(f.log, std::vector<std::string>{"a"});

    f.adapter->UnregisterObserver(f.b.Get());   // never registered
    EXPECT_EQ(f.adapter->GetObserverCount(), 1u);
    EXPECT_EQ(f.b->GetRefCount(), 1);
    f.adapter->UnregisterObserver(f.a.Get());
    EXPECT_EQ(f.adapter->GetObserverCount(), 0u);
    EXPECT_EQ(f.a->GetRefCount(), 1);
    f.adapter->UnregisterObserver(f.a.Get());
    EXPECT_EQ(f.a->GetRefCount(), 1);

    // After the list emptied (its blocks freed) it takes observers again.
    f.adapter->RegisterObserver(f.b.Get());
    f.adapter->NotifyItemDataChanged(7);
    EXPECT_EQ(f.log.back(), "b:7");
}

TEST(LvAdapterTest, NoticesGoInRegistrationOrder)
{
    Fixture f;
    for (auto* o : {f.c.Get(), f.a.Get(), f.b.Get()})
        f.adapter->RegisterObserver(o);
    f.adapter->NotifyDataSetChanged();
    f.adapter->NotifyInvalidated();
    EXPECT_EQ(f.log, (std::vector<std::string>{"c", "a", "b", "c:invalid", "a:invalid", "b:invalid"}));
}

TEST(LvAdapterTest, ObserversLeavingDuringANoticeAreNotCalledAndNotFreedEarly)
{
    struct Case
    {
        const char* name;
        int who;                          // 0: a, the first, leaves during its notice...
        std::vector<int> leave;           // ...taking these with it
        std::vector<std::string> heard;
    };
    const Case cases[] = {
        {"itself", 0, {0}, {"a", "b", "c"}},
        {"the next one", 0, {1}, {"a", "c"}},
        {"itself and the next one", 0, {0, 1}, {"a", "c"}},
        {"all three from the middle", 1, {0, 1, 2}, {"a", "b"}},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.name);
        Fixture f;
        LogObserver* all[] = {f.a.Get(), f.b.Get(), f.c.Get()};
        for (auto* o : all)
            f.adapter->RegisterObserver(o);
        all[t.who]->onChanged = [&] {
            for (int i : t.leave)
                f.adapter->UnregisterObserver(all[i]);
        };
        // The fixture's references are the only ones left after leaving:
        // drop them so a node freed too early would be a freed observer.
        f.adapter->NotifyDataSetChanged();
        EXPECT_EQ(f.log, t.heard);
        for (int i : t.leave)
            EXPECT_EQ(all[i]->GetRefCount(), 1);
        EXPECT_EQ(f.adapter->GetObserverCount(), 3u - t.leave.size());
    }
}

TEST(LvAdapterTest, DestroyingTheAdapterReleasesEachObserverOnce)
{
    Fixture f;
    f.adapter->RegisterObserver(f.a.Get());
    f.adapter->RegisterObserver(f.b.Get());
    EXPECT_EQ(f.a->GetRefCount(), 2);
    f.adapter.Reset();
    EXPECT_EQ(f.a->GetRefCount(), 1);
    EXPECT_EQ(f.b->GetRefCount(), 1);
}

TEST(LvAdapterTest, DefaultsAndTheViewTypeOfTheDerivedClass)
{
    const SRefPtr<CountAdapter> plain = SRefPtr<CountAdapter>::Adopt(new CountAdapter());
    const SRefPtr<TypedAdapter> typed = SRefPtr<TypedAdapter>::Adopt(new TypedAdapter());
    for (int count : {0, -3}) {
        plain->count = count;
        EXPECT_TRUE(plain->IsEmpty()) << count;
    }
    plain->count = 1;
    EXPECT_FALSE(plain->IsEmpty());
    for (int row : {0, 1, 2, 5}) {
        EXPECT_EQ(plain->GetItemViewTypeEx(row, LvItem_Selected), 0);
        EXPECT_EQ(typed->GetItemViewTypeEx(row, LvItem_Hover), row % 3);
        EXPECT_EQ(plain->GetItemId(row), row);
    }
    EXPECT_EQ(plain->GetViewTypeCount(), 1);
    EXPECT_EQ(plain->GetItemData(3), 0u);
    EXPECT_TRUE(plain->GetItemDesc(3).IsEmpty());
}

} // namespace
