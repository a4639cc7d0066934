#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "dui/core/base/SRefPtr.h"
#include "dui/core/base/TObjRefImpl.h"

using namespace DUI;

namespace {

class Counted : public TObjRefImpl<IObjRef>
{
public:
    explicit Counted(int* deaths) : m_deaths(deaths) {}
    ~Counted() override { ++*m_deaths; }

private:
    int* m_deaths;
};

// IObjRef is not the first base here, so the last release must free the
// whole object, not only its counting part.
struct Payload
{
    virtual ~Payload() = default;
    int data[4] = {};
};

class SecondBase : public Payload, public TObjRefImpl2<IObjRef, SecondBase>
{
public:
    explicit SecondBase(int* deaths) : m_deaths(deaths) {}
    ~SecondBase() override { ++*m_deaths; }

private:
    int* m_deaths;
};

} // namespace

TEST(RefCount, LastReleaseDeletesOnce)
{
    int deaths = 0;
    auto* obj = new Counted(&deaths);
    EXPECT_EQ(obj->GetRefCount(), 1);
    EXPECT_EQ(obj->AddRef(), 2);
    EXPECT_EQ(obj->Release(), 1);
    EXPECT_EQ(deaths, 0);
    EXPECT_EQ(obj->Release(), 0);
    EXPECT_EQ(deaths, 1);

    auto* second = new SecondBase(&deaths);
    IObjRef* ref = second;
    EXPECT_EQ(ref->AddRef(), 2);
    EXPECT_EQ(ref->Release(), 1);
    EXPECT_EQ(ref->Release(), 0);
    EXPECT_EQ(deaths, 2);
}

TEST(RefCount, CountsSurviveRacingThreads)
{
    int deaths = 0;
    auto* obj = new Counted(&deaths);
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t) {
        threads.emplace_back([obj] {
            for (int i = 0; i < 20000; ++i) {
                obj->AddRef();
                obj->Release();
            }
        });
    }
    for (auto& th : threads)
        th.join();
    EXPECT_EQ(obj->GetRefCount(), 1);
    EXPECT_EQ(deaths, 0);
    obj->Release();
    EXPECT_EQ(deaths, 1);
}

TEST(RefCount, SmartPointerOwnership)
{
    int deaths = 0;
    auto* a = new Counted(&deaths);
    {
        auto held = SRefPtr<Counted>::Adopt(a);  // takes the creator's reference
        EXPECT_EQ(a->GetRefCount(), 1);
        auto shared = SRefPtr<Counted>::Share(a);
        EXPECT_EQ(a->GetRefCount(), 2);

        shared.Reset(a);  // the object already held: nothing changes
        EXPECT_EQ(a->GetRefCount(), 2);

        auto* b = new Counted(&deaths);
        shared.Reset(b);  // b gains one, a loses one
        EXPECT_EQ(a->GetRefCount(), 1);
        EXPECT_EQ(b->GetRefCount(), 2);
        b->Release();  // only the pointer's reference is left

        SRefPtr<Counted> moved = std::move(shared);
        EXPECT_FALSE(shared);
        EXPECT_EQ(moved.Get(), b);
        moved = held;  // copy-assign: b released, a shared
        EXPECT_EQ(deaths, 1);
        EXPECT_EQ(a->GetRefCount(), 2);
    }
    EXPECT_EQ(deaths, 2);
}
