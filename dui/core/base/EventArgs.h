#pragma once
// Base of every event object. Events are made on the firing function's stack;
// their reference count exists for the object shape and never frees them.
#include <cwchar>
#include "dui/core/base/SObjectImpl.h"
#include "dui/core/base/TObjRefImpl.h"

namespace DUI {

class EventArgs : public TObjRefImpl<IObjRef>, public SObjectImpl<IObject>
{
public:
    static LPCWSTR EventName() { return L"eventargs"; }

    explicit EventArgs(IObject* sender)
        : idFrom(sender ? sender->GetID() : 0), nameFrom(sender ? sender->GetName() : nullptr), sender(sender)
    {
    }

    BOOL IsKindOf(LPCWSTR tag) const override { return tag && std::wcscmp(tag, L"eventargs") == 0; }
    LPCWSTR GetClassTag() const override { return L"eventargs"; }

    // The firing window; its IObject part is the window itself, so callers
    // that know the window type cast it back with GetSender<SWindow>().
    template <class W>
    W* GetSender() const { return static_cast<W*>(sender); }

    BOOL bubbleUp = TRUE;  // cleared by a subscriber to stop the event where it is
    UINT handled = 0;      // subscribers that answered TRUE
    int idFrom = 0;
    LPCWSTR nameFrom = nullptr;  // not copied: lives as long as the sender
    IObject* sender = nullptr;   // no reference held
};

// A pointer to EventArgs is a given event class only when the object says so.
template <class E>
E* EventCast(EventArgs* e)
{
    return e && e->IsKindOf(E::EventName()) ? static_cast<E*>(e) : nullptr;
}

} // namespace DUI

// Declares id and name of an event class, made like EventArgs from its
// sender; the object answers both as its identity and as its class tag.
#define DUI_EVENT_CLASS(ThisClass, eventId, eventName)                                    \
public:                                                                                   \
    using EventArgs::EventArgs;                                                           \
    static constexpr int EventID = eventId;                                               \
    static LPCWSTR EventName() { return eventName; }                                      \
    int GetID() const override { return eventId; }                                        \
    LPCWSTR GetName() const override { return eventName; }                                \
    LPCWSTR GetClassTag() const override { return eventName; }                            \
    BOOL IsKindOf(LPCWSTR tag) const override                                             \
    {                                                                                     \
        return tag && (std::wcscmp(tag, eventName) == 0 || std::wcscmp(tag, L"eventargs") == 0); \
    }
