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

    std::vector<MSG>& Received() { return m_received; }

private:
    testsupport::MessageWindow m_window;
    std::vector<MSG> m_received;
};
