#include <gtest/gtest.h>

#include <ole2.h>

#include <stdexcept>
#include <thread>
#include <vector>

#include "dui/core/base/DuiLog.h"
#include "dui/core/base/SRefPtr.h"
#include "dui/core/base/TComObject.h"
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

namespace {

class DropTarget : public TComObject<IDropTarget>
{
public:
    DropTarget(ULONG first, int* deaths) : TComObject<IDropTarget>(IID_IDropTarget, first), m_deaths(deaths) {}
    ~DropTarget() override { ++*m_deaths; }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject*, DWORD, POINTL, DWORD*) override { return S_OK; }

private:
    int* m_deaths;
};

// The first count is the owner's choice: an object the engine adopts starts
// at 0, one made for its creator at 1; the last release deletes it.
TEST(ComObject, CountsFromTheFirstCountAndAnswersItsInterfaces)
{
    for (ULONG first : {0UL, 1UL}) {
        SCOPED_TRACE(first);
        int deaths = 0;
        auto* target = new DropTarget(first, &deaths);
        void* got = nullptr;
        ASSERT_EQ(target->QueryInterface(IID_IUnknown, &got), S_OK);
        EXPECT_EQ(got, static_cast<IDropTarget*>(target));
        ASSERT_EQ(target->QueryInterface(IID_IDropTarget, &got), S_OK);
        got = target;
        EXPECT_EQ(target->QueryInterface(IID_IDataObject, &got), E_NOINTERFACE);
        EXPECT_EQ(got, nullptr);
        EXPECT_EQ(target->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
        EXPECT_EQ(target->AddRef(), first + 3);
        for (ULONG left = first + 2; left > 0; --left) EXPECT_EQ(target->Release(), left);
        EXPECT_EQ(deaths, 0);
        EXPECT_EQ(target->Release(), 0UL);
        EXPECT_EQ(deaths, 1);
    }
}

// What a guarded edge returns: the body's result, or the failure value when
// the body threw, whatever it threw; the message goes to the report.
TEST(CallGuarded, StopsEveryExceptionAndReportsItsMessage)
{
    struct Case { const char* name; int throws; HRESULT want; const char* reported; };
    const Case kCases[] = {
        {"returns", 0, S_FALSE, nullptr},
        {"std::exception", 1, E_UNEXPECTED, "disk full"},
        {"anything else", 2, E_UNEXPECTED, "(none)"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        auto body = [&]() -> HRESULT {
            if (c.throws == 1) throw std::runtime_error("disk full");
            if (c.throws == 2) throw 42;
            return S_FALSE;
        };
        EXPECT_EQ(CallGuardedOr(__FILE__, __LINE__, __func__, E_UNEXPECTED, body), c.want);
        std::string reported;
        bool called = false;
        const bool ran = CallGuardedReporting([&] { (void)body(); }, [&](const char* what) {
            called = true;
            reported = what ? what : "(none)";
            throw std::runtime_error("a report that throws is stopped too");
        });
        EXPECT_EQ(ran, c.throws == 0);
        EXPECT_EQ(called, c.reported != nullptr);
        if (c.reported) EXPECT_EQ(reported, c.reported);
    }
}

} // namespace
