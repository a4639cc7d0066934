#pragma once
// Subscribers of events. An event keeps its own heap copy (Clone) of every
// subscriber; Equals keeps a member or free function from being stored twice.
#include <functional>
#include "dui/core/base/EventArgs.h"

namespace DUI {

enum SlotKind : int
{
    Slot_FreeFunction = 0,
    Slot_MemberFunction = 1,
    Slot_StdFunction = 2,
};

struct ISlotFunctor
{
    virtual ~ISlotFunctor() = default;
    virtual bool Invoke(EventArgs* e) = 0;
    virtual ISlotFunctor* Clone() const = 0;
    virtual bool Equals(const ISlotFunctor& other) const = 0;
    virtual int GetSlotKind() const = 0;
};

class FreeFunctionSlot : public ISlotFunctor
{
public:
    using Function = bool (*)(EventArgs*);

    explicit FreeFunctionSlot(Function fn) : m_fn(fn) {}

    bool Invoke(EventArgs* e) override { return m_fn ? m_fn(e) : false; }
    ISlotFunctor* Clone() const override { return new FreeFunctionSlot(m_fn); }
    bool Equals(const ISlotFunctor& other) const override
    {
        return other.GetSlotKind() == Slot_FreeFunction &&
               static_cast<const FreeFunctionSlot&>(other).m_fn == m_fn;
    }
    int GetSlotKind() const override { return Slot_FreeFunction; }

private:
    Function m_fn;
};

// A handler for a specific event class A is called only with events that
// are of that class; any other event is left unhandled rather than passed
// on under the wrong type.
template <class T, class A = EventArgs>
class MemberFunctionSlot : public ISlotFunctor
{
public:
    using Function = bool (T::*)(A*);

    MemberFunctionSlot(Function fn, T* obj) : m_fn(fn), m_obj(obj) {}

    bool Invoke(EventArgs* e) override
    {
        A* args = EventCast<A>(e);
        return args ? (m_obj->*m_fn)(args) : false;
    }
    ISlotFunctor* Clone() const override { return new MemberFunctionSlot(m_fn, m_obj); }
    bool Equals(const ISlotFunctor& other) const override
    {
        auto* same = dynamic_cast<const MemberFunctionSlot*>(&other);
        return same && same->m_fn == m_fn && same->m_obj == m_obj;
    }
    int GetSlotKind() const override { return Slot_MemberFunction; }

private:
    Function m_fn;
    T* m_obj;
};

// Two callable objects cannot be compared, so each subscription is stored.
class StdFunctionSlot : public ISlotFunctor
{
public:
    using Function = std::function<bool(EventArgs*)>;

    explicit StdFunctionSlot(Function fn) : m_fn(std::move(fn)) {}

    // An empty callable handles nothing; calling it would throw out of the
    // message that fired the event.
    bool Invoke(EventArgs* e) override { return m_fn ? m_fn(e) : false; }
    ISlotFunctor* Clone() const override { return new StdFunctionSlot(m_fn); }
    bool Equals(const ISlotFunctor&) const override { return false; }
    int GetSlotKind() const override { return Slot_StdFunction; }

private:
    Function m_fn;
};

inline FreeFunctionSlot Subscriber(FreeFunctionSlot::Function fn)
{
    return FreeFunctionSlot(fn);
}

template <class T, class A>
MemberFunctionSlot<T, A> Subscriber(bool (T::*fn)(A*), T* obj)
{
    return MemberFunctionSlot<T, A>(fn, obj);
}

} // namespace DUI
