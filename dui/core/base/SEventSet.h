#pragma once
// The event table of one window: the events it fires, each with its
// subscribers (called newest first) and an optional script handler.
#include <memory>
#include <vector>
#include "dui/core/base/SlotFunctor.h"

namespace DUI {

class SEvent
{
public:
    SEvent(int id, const SStringW& name);
    SEvent(const SEvent&) = delete;
    SEvent& operator=(const SEvent&) = delete;

    int GetID() const { return m_id; }
    const SStringW& GetName() const { return m_name; }
    const SStringA& GetScriptHandler() const { return m_scriptHandler; }
    void SetScriptHandler(const SStringA& handler) { m_scriptHandler = handler; }
    size_t GetSubscriberCount() const;

    BOOL Subscribe(const ISlotFunctor& slot);
    BOOL Unsubscribe(const ISlotFunctor& slot);
    void Fire(EventArgs& args);

private:
    class FiringScope;
    void Compact();

    int m_id;
    SStringW m_name;
    SStringA m_scriptHandler;  // UTF-8
    // Oldest first. While the event fires, removed subscribers leave a null
    // in their slot and are deleted once the outermost Fire has ended, so a
    // handler may unsubscribe itself or others safely.
    std::vector<std::unique_ptr<ISlotFunctor>> m_slots;
    std::vector<std::unique_ptr<ISlotFunctor>> m_removed;
    int m_firing = 0;
};

class SEventSet
{
public:
    SEventSet() = default;
    SEventSet(const SEventSet&) = delete;
    SEventSet& operator=(const SEventSet&) = delete;

    // Room for `count` events, for sets whose events are known up front.
    void Reserve(size_t count) { m_events.reserve(count); }
    // A name given as a string is shared, not copied.
    SEvent* AddEvent(int id, const SStringW& name);
    SEvent* GetEventObject(int id) const;
    SEvent* GetEventObject(LPCWSTR name) const;

    BOOL SubscribeEvent(int id, const ISlotFunctor& slot);
    BOOL SubscribeEvent(LPCWSTR name, const ISlotFunctor& slot);
    BOOL UnsubscribeEvent(int id, const ISlotFunctor& slot);
    BOOL UnsubscribeEvent(LPCWSTR name, const ISlotFunctor& slot);

    void FireEvent(EventArgs& args);

    SStringA GetEventScriptHandler(LPCWSTR name) const;
    BOOL SetEventScriptHandler(LPCWSTR name, const SStringA& handler);

    BOOL IsMuted() const { return m_muted; }
    void SetMutedState(BOOL muted) { m_muted = muted; }

private:
    std::vector<std::unique_ptr<SEvent>> m_events;  // registration order
    BOOL m_muted = FALSE;
};

} // namespace DUI
