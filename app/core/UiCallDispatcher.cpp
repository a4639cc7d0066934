#include "app/core/UiCallDispatcher.h"

#include <utility>

#include "app/core/UiCallReceiver.h"

UiCallDispatcher& UiCallDispatcher::Instance()
{
    static UiCallDispatcher dispatcher;
    return dispatcher;
}

UiCallDispatcher::UiCallDispatcher() : m_mainThreadId(GetCurrentThreadId()) {}

void UiCallDispatcher::SetTargetWindow(HWND target)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_target = target;
}

HWND UiCallDispatcher::GetTargetWindow() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_target;
}

void UiCallDispatcher::AddReceiver(UiCallReceiver* receiver)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_receivers[receiver->GetId()] = receiver;
}

void UiCallDispatcher::RemoveReceiver(int receiverId)
{
    HeldCalls::mapped_type orphans;  // freed after the lock
    std::lock_guard<std::mutex> lock(m_lock);
    m_receivers.erase(receiverId);
    if (auto it = m_held.find(receiverId); it != m_held.end()) {
        orphans.swap(it->second);
        m_held.erase(it);
    }
}

UiCallReceiver* UiCallDispatcher::FindReceiver(int receiverId) const
{
    std::lock_guard<std::mutex> lock(m_lock);
    auto it = m_receivers.find(receiverId);
    return it == m_receivers.end() ? nullptr : it->second;
}

size_t UiCallDispatcher::HeldCallCount() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    size_t count = 0;
    for (const auto& [id, calls] : m_held)
        count += calls.size();
    return count;
}

void UiCallDispatcher::Dispatch(int receiverId, std::shared_ptr<UiCallRecord> record, bool synchronous)
{
    if (!record)
        return;
    HWND target = GetTargetWindow();
    if (!target) {
        if (!synchronous) {
            Hold(receiverId, std::move(record));
            return;
        }
        if (GetCurrentThreadId() == m_mainThreadId) {
            RunOnThisThread(receiverId, record);
            return;
        }
        target = WaitForTarget();
    }
    if (!Deliver(target, receiverId, record.get(), synchronous))
        Drop(receiverId, *record);
}

bool UiCallDispatcher::Deliver(HWND target, int receiverId, const UiCallRecord* record, bool synchronous)
{
    const auto wp = static_cast<WPARAM>(static_cast<INT_PTR>(receiverId));
    const auto lp = reinterpret_cast<LPARAM>(record);
    if (!synchronous)
        return PostMessageW(target, UM_UI_CALL, wp, lp) != FALSE;
    // SendMessageW answers 0 both for a handled call and for a window that is
    // gone; only the error code tells them apart.
    SetLastError(ERROR_SUCCESS);
    SendMessageW(target, UM_UI_CALL, wp, lp);
    return GetLastError() != ERROR_INVALID_WINDOW_HANDLE;
}

void UiCallDispatcher::Hold(int receiverId, std::shared_ptr<UiCallRecord> record)
{
    std::shared_ptr<UiCallRecord> replaced;  // freed after the lock
    std::lock_guard<std::mutex> lock(m_lock);
    auto& slot = m_held[receiverId][record->callId];
    replaced = std::exchange(slot, std::move(record));
}

void UiCallDispatcher::RunOnThisThread(int receiverId, const std::shared_ptr<UiCallRecord>& record)
{
    UiCallReceiver* receiver = FindReceiver(receiverId);
    if (receiver && receiver == record->receiver)
        RunAndRemove(receiverId, *record);
}

void UiCallDispatcher::RunAndRemove(int receiverId, const UiCallRecord& record)
{
    record.Invoke();
    // The call may have destroyed its receiver; ids are never reused.
    if (UiCallReceiver* still = FindReceiver(receiverId))
        still->RemoveCall(record.callId);
}

HWND UiCallDispatcher::WaitForTarget() const
{
    for (;;) {
        if (HWND target = GetTargetWindow())
            return target;
        Sleep(100);
    }
}

void UiCallDispatcher::Drop(int receiverId, const UiCallRecord& record)
{
    // Under the lock, so the receiver cannot finish going away meanwhile.
    std::lock_guard<std::mutex> lock(m_lock);
    auto it = m_receivers.find(receiverId);
    if (it != m_receivers.end() && it->second == record.receiver)
        it->second->RemoveCall(record.callId);
}

void UiCallDispatcher::FlushPending()
{
    HeldCalls held;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        if (!m_target)
            return;
        held.swap(m_held);
    }
    for (const auto& [receiverId, calls] : held) {
        if (!FindReceiver(receiverId))
            continue;
        for (const auto& [callId, record] : calls)
            Dispatch(receiverId, record, record->synchronous);
    }
}

LRESULT UiCallDispatcher::HandleUiCallMessage(HWND self, WPARAM wp, LPARAM lp)
{
    if (!self || self != GetTargetWindow())
        return 0;
    const int receiverId = static_cast<int>(static_cast<INT_PTR>(wp));
    UiCallReceiver* receiver = FindReceiver(receiverId);
    if (!receiver)
        return 0;
    const std::shared_ptr<UiCallRecord> record = receiver->FindRunnable(reinterpret_cast<const UiCallRecord*>(lp));
    if (record)
        RunAndRemove(receiverId, *record);
    return 0;
}
