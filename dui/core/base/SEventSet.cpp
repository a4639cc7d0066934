#include "dui/core/base/SEventSet.h"

#include <algorithm>
#include <cwchar>

namespace DUI {

// Counts the nesting of Fire; the outermost one ends by compacting, also
// when a handler throws.
class SEvent::FiringScope
{
public:
    explicit FiringScope(SEvent& ev) : m_ev(ev) { ++m_ev.m_firing; }
    ~FiringScope()
    {
        if (--m_ev.m_firing == 0)
            m_ev.Compact();
    }
    FiringScope(const FiringScope&) = delete;
    FiringScope& operator=(const FiringScope&) = delete;

private:
    SEvent& m_ev;
};

SEvent::SEvent(int id, const SStringW& name) : m_id(id), m_name(name) {}

size_t SEvent::GetSubscriberCount() const
{
    return std::count_if(m_slots.begin(), m_slots.end(), [](const auto& s) { return s != nullptr; });
}

BOOL SEvent::Subscribe(const ISlotFunctor& slot)
{
    for (const auto& held : m_slots) {
        if (held && held->Equals(slot))
            return FALSE;
    }
    m_slots.emplace_back(slot.Clone());
    return TRUE;
}

BOOL SEvent::Unsubscribe(const ISlotFunctor& slot)
{
    auto it = std::find_if(m_slots.begin(), m_slots.end(),
                           [&](const auto& held) { return held && held->Equals(slot); });
    if (it == m_slots.end())
        return FALSE;
    if (m_firing > 0)
        m_removed.push_back(std::move(*it));   // leaves a null in its place
    else
        m_slots.erase(it);
    return TRUE;
}

void SEvent::Fire(EventArgs& args)
{
    const FiringScope firing(*this);
    // Subscribers added by a handler land above the starting index and wait
    // for the next firing.
    for (size_t i = m_slots.size(); i-- > 0;) {
        ISlotFunctor* slot = m_slots[i].get();
        if (!slot || !slot->Invoke(&args))
            continue;
        ++args.handled;
        if (!args.bubbleUp)
            break;
    }
}

void SEvent::Compact()
{
    m_slots.erase(std::remove(m_slots.begin(), m_slots.end(), nullptr), m_slots.end());
    m_removed.clear();
}

SEvent* SEventSet::AddEvent(int id, const SStringW& name)
{
    if (SEvent* existing = GetEventObject(id))
        return existing;
    m_events.push_back(std::make_unique<SEvent>(id, name));
    return m_events.back().get();
}

SEvent* SEventSet::GetEventObject(int id) const
{
    for (const auto& ev : m_events) {
        if (ev->GetID() == id)
            return ev.get();
    }
    return nullptr;
}

SEvent* SEventSet::GetEventObject(LPCWSTR name) const
{
    if (!name)
        return nullptr;
    for (const auto& ev : m_events) {
        if (std::wcscmp(ev->GetName(), name) == 0)
            return ev.get();
    }
    return nullptr;
}

namespace {

BOOL SubscribeTo(SEvent* ev, const ISlotFunctor& slot)
{
    return ev ? ev->Subscribe(slot) : FALSE;
}

BOOL UnsubscribeFrom(SEvent* ev, const ISlotFunctor& slot)
{
    return ev ? ev->Unsubscribe(slot) : FALSE;
}

} // namespace

BOOL SEventSet::SubscribeEvent(int id, const ISlotFunctor& slot)
{
    return SubscribeTo(GetEventObject(id), slot);
}

BOOL SEventSet::SubscribeEvent(LPCWSTR name, const ISlotFunctor& slot)
{
    return SubscribeTo(GetEventObject(name), slot);
}

BOOL SEventSet::UnsubscribeEvent(int id, const ISlotFunctor& slot)
{
    return UnsubscribeFrom(GetEventObject(id), slot);
}

BOOL SEventSet::UnsubscribeEvent(LPCWSTR name, const ISlotFunctor& slot)
{
    return UnsubscribeFrom(GetEventObject(name), slot);
}

void SEventSet::FireEvent(EventArgs& args)
{
    if (m_muted)
        return;
    if (SEvent* ev = GetEventObject(args.GetID()))
        ev->Fire(args);
}

SStringA SEventSet::GetEventScriptHandler(LPCWSTR name) const
{
    SEvent* ev = GetEventObject(name);
    return ev ? ev->GetScriptHandler() : SStringA();
}

BOOL SEventSet::SetEventScriptHandler(LPCWSTR name, const SStringA& handler)
{
    SEvent* ev = GetEventObject(name);
    if (!ev)
        return FALSE;
    ev->SetScriptHandler(handler);
    return TRUE;
}

} // namespace DUI
