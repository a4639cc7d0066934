#pragma once
// The statistics side of the library: events are queued and posted in order
// to the second service by a thread of their own, so a sender never waits
// for the network. The session id is empty until the statistics start.
#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

#include "components/orvik/OrvikTimings.h"

class OrvikStatisticsQueue {
public:
    explicit OrvikStatisticsQueue(OrvikTimings timings = {});
    ~OrvikStatisticsQueue();
    OrvikStatisticsQueue(const OrvikStatisticsQueue&) = delete;
    OrvikStatisticsQueue& operator=(const OrvikStatisticsQueue&) = delete;

    // The second service's base address, ending in "/".
    void SetServiceBase(const std::wstring& base);
    void SetApplicationKey(const std::wstring& key);
    void SetProductVersionId(const std::wstring& id);
    void SetMode(int mode);

    // Opens a session: a new session id.
    void Start();
    std::wstring SessionId() const;

    void Send(const std::wstring& eventCode, const std::wstring& json);
    // Posts what is queued for at most `flushMs`, then stops; what is left is
    // dropped, and so is everything sent afterwards.
    void Release(unsigned flushMs = 1000);
    // Events not posted yet, the one being posted included.
    size_t Pending() const;
    // Events a post failed for, and the last reason.
    size_t Failed() const;
    std::wstring LastError() const;

private:
    struct Event {
        std::wstring code;
        std::wstring json;
        std::wstring sessionId;
    };

    void Run();
    // The form body of one event, every value escaped.
    std::string FormOf(const Event& event) const;

    const OrvikTimings m_timings;
    mutable std::mutex m_lock;
    std::condition_variable m_changed;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    bool m_released = false;
    std::deque<Event> m_queue;
    bool m_posting = false;
    size_t m_failed = 0;
    std::wstring m_lastError;
    std::wstring m_base;
    std::wstring m_key;
    std::wstring m_productVersionId;
    int m_mode = 0;
    std::wstring m_sessionId;
};
