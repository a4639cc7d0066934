#include "app/core/UiCallReceiver.h"

#include <atomic>

#include "app/core/UiCallDispatcher.h"

namespace {

// Ids are never reused, so a stale id finds no receiver rather than another one.
int NewReceiverId()
{
    static std::atomic<int> last{0};
    return ++last;
}

} // namespace

UiCallReceiver::UiCallReceiver() : m_id(NewReceiverId())
{
    UiCallDispatcher::Instance().AddReceiver(this);
}

UiCallReceiver::~UiCallReceiver()
{
    UiCallDispatcher::Instance().RemoveReceiver(m_id);
}

int UiCallReceiver::AddCall(const std::shared_ptr<UiCallRecord>& record, Registry where)
{
    std::lock_guard<std::mutex> lock(m_lock);
    record->receiver = this;
    record->callId = ++m_lastCallId;
    (where == Registry::Runnable ? m_runnable : m_kept)[record->callId] = record;
    return record->callId;
}

bool UiCallReceiver::RemoveCall(int callId)
{
    // Both records (when the two registries hold different ones) are let go
    // after the lock, as freeing a call may run code of its own.
    std::shared_ptr<UiCallRecord> runnable, kept;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        if (auto it = m_runnable.find(callId); it != m_runnable.end()) {
            runnable = std::move(it->second);
            m_runnable.erase(it);
        }
        if (auto it = m_kept.find(callId); it != m_kept.end()) {
            kept = std::move(it->second);
            m_kept.erase(it);
        }
    }
    return true;
}

std::shared_ptr<UiCallRecord> UiCallReceiver::FindRunnable(const UiCallRecord* record) const
{
    std::lock_guard<std::mutex> lock(m_lock);
    for (const auto& [id, held] : m_runnable)
        if (held.get() == record)
            return held;
    return nullptr;
}

bool UiCallReceiver::HasCall(int callId) const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_runnable.count(callId) || m_kept.count(callId);
}
