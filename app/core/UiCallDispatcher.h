#pragma once
// Carries calls from any thread to the user-interface thread: a call is
// posted (or sent, when its caller waits) to one target window as
// UM_UI_CALL, and that window's handler runs it. Calls submitted before the
// target window exists are held until the window is initialised. A call
// that cannot be delivered because the target window is gone is dropped.
#include <winsock2.h>
#include <windows.h>

#include <map>
#include <memory>
#include <mutex>

#include "app/core/UiCallRecord.h"

class UiCallReceiver;

// wParam: the receiver id; lParam: the address of the call record.
constexpr UINT UM_UI_CALL = 31027;

class UiCallDispatcher
{
public:
    // Made on first use; the thread that first uses it is the
    // user-interface thread.
    static UiCallDispatcher& Instance();

    UiCallDispatcher(const UiCallDispatcher&) = delete;
    UiCallDispatcher& operator=(const UiCallDispatcher&) = delete;

    void SetTargetWindow(HWND target);
    HWND GetTargetWindow() const;
    DWORD GetMainThreadId() const { return m_mainThreadId; }

    // Receivers register themselves while they live.
    void AddReceiver(UiCallReceiver* receiver);
    void RemoveReceiver(int receiverId);
    UiCallReceiver* FindReceiver(int receiverId) const;

    // Delivers the call to the target window, or holds it while there is
    // none. A synchronous call returns once the call has run; without a
    // target window it runs at once on the user-interface thread, and on
    // another thread it waits (in 100 ms steps) until a target is set.
    void Dispatch(int receiverId, std::shared_ptr<UiCallRecord> record, bool synchronous);
    // Delivers every held call once a target window exists: receivers in
    // ascending id, each one's calls in ascending call id. Calls of receivers
    // that are gone are dropped.
    void FlushPending();
    size_t HeldCallCount() const;

    // The target window's handling of UM_UI_CALL (`self` is the handling
    // window): runs the call when `self` is the target and the call is still
    // registered as runnable with its receiver, then removes it. Always 0.
    LRESULT HandleUiCallMessage(HWND self, WPARAM wp, LPARAM lp);

private:
    using HeldCalls = std::map<int, std::map<int, std::shared_ptr<UiCallRecord>>>;

    UiCallDispatcher();
    // Posts or sends; false when the target window is gone.
    static bool Deliver(HWND target, int receiverId, const UiCallRecord* record, bool synchronous);
    void Hold(int receiverId, std::shared_ptr<UiCallRecord> record);
    void RunOnThisThread(int receiverId, const std::shared_ptr<UiCallRecord>& record);
    void RunAndRemove(int receiverId, const UiCallRecord& record);
    HWND WaitForTarget() const;
    void Drop(int receiverId, const UiCallRecord& record);

    mutable std::mutex m_lock;
    const DWORD m_mainThreadId;
    HWND m_target = nullptr;
    HeldCalls m_held;
    std::map<int, UiCallReceiver*> m_receivers;
};
