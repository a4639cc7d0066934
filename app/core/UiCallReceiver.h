#pragma once
// Owns calls that other threads may have carried to the user-interface
// thread. A call runs there only while it is registered among the receiver's
// runnable calls, so a call removed in the meantime never runs. Receivers
// are made and destroyed on the user-interface thread, where their calls
// run; calls may be added and removed from any thread.
#include <map>
#include <memory>
#include <mutex>

#include "app/core/UiCallRecord.h"

class UiCallReceiver
{
public:
    // Where a call is registered: among those that run when their message
    // arrives, or only kept until it is removed.
    enum class Registry
    {
        Runnable,
        Kept,
    };

    // Registers the receiver with the dispatcher under an id of its own.
    UiCallReceiver();
    // Unregisters it; its calls go with it, whether delivered or not.
    ~UiCallReceiver();
    UiCallReceiver(const UiCallReceiver&) = delete;
    UiCallReceiver& operator=(const UiCallReceiver&) = delete;

    int GetId() const { return m_id; }

    // Gives the record this receiver and a new call id, and registers it.
    // Returns the call id.
    int AddCall(const std::shared_ptr<UiCallRecord>& record, Registry where = Registry::Runnable);
    // Forgets the call with that id in both registries; always true.
    bool RemoveCall(int callId);
    // The record at that address when it is a registered runnable call, else
    // null; the address is compared, never read, as the record may be gone.
    std::shared_ptr<UiCallRecord> FindRunnable(const UiCallRecord* record) const;
    bool HasCall(int callId) const;

private:
    using CallMap = std::map<int, std::shared_ptr<UiCallRecord>>;

    const int m_id;
    mutable std::mutex m_lock;
    CallMap m_runnable;
    CallMap m_kept;
    int m_lastCallId = 0;
};
