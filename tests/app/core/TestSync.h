#pragma once
// Small waiting helpers for the threaded tests of this folder.
#include <winsock2.h>
#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "tests/support/MessageWindow.h"

// How long a test waits for something that should happen soon. Only a fault
// makes a test wait this long, so it allows a slow, loaded machine.
constexpr int kTestWaitMs = 30000;

// A one-way door: threads wait until some thread opens it.
class Gate {
public:
    void Open()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_open = true;
        m_cv.notify_all();
    }
    bool Wait(int timeoutMs = kTestWaitMs)
    {
        std::unique_lock<std::mutex> lock(m_lock);
        return m_cv.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return m_open; });
    }
    bool IsOpen()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_open;
    }

private:
    std::mutex m_lock;
    std::condition_variable m_cv;
    bool m_open = false;
};

// Polls cond every few milliseconds; false when it is still unmet at the end.
inline bool WaitUntil(const std::function<bool()>& cond, int timeoutMs = kTestWaitMs)
{
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!cond()) {
        if (GetTickCount64() >= end) return false;
        Sleep(2);
    }
    return true;
}

// A message-only window that records the messages posted to it.
class MessageSink {
public:
    HWND Window() const { return m_window.Hwnd(); }

    // Pumps this window's queue for up to timeoutMs, or until stop says so.
    void Pump(int timeoutMs, const std::function<bool(const std::vector<MSG>&)>& stop = nullptr)
    {
        const ULONGLONG end = GetTickCount64() + timeoutMs;
        for (;;) {
            MSG msg;
            while (PeekMessageW(&msg, Window(), 0, 0, PM_REMOVE)) m_received.push_back(msg);
            if (stop && stop(m_received)) return;
            if (GetTickCount64() >= end) return;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
    }

    // Messages posted to one window arrive in the order they were posted:
    // pumps until a sentinel posted now has arrived, so that everything
    // posted before it (say, by threads since joined) is in Received().
    bool PumpPastSentinel()
    {
        if (!PostMessageW(Window(), kSentinel, 0, 0)) return false;
        bool arrived = false;
        Pump(kTestWaitMs, [&](const std::vector<MSG>& got) {
            arrived = !got.empty() && got.back().message == kSentinel;
            return arrived;
        });
        if (arrived) m_received.pop_back();
        return arrived;
    }

    std::vector<MSG>& Received() { return m_received; }

private:
    static constexpr UINT kSentinel = WM_APP + 1;

    testsupport::MessageWindow m_window;
    std::vector<MSG> m_received;
};
