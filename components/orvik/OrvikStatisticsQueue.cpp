#include "components/orvik/OrvikStatisticsQueue.h"

#include <map>

#include "app/core/TextEncoding.h"
#include "app/core/TextUtil.h"
#include "app/core/UrlText.h"
#include "components/orvik/OrvikHttp.h"

OrvikStatisticsQueue::OrvikStatisticsQueue(OrvikTimings timings) : m_timings(timings)
{
}

OrvikStatisticsQueue::~OrvikStatisticsQueue()
{
    Release(0);
}

void OrvikStatisticsQueue::SetServiceBase(const std::wstring& base)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_base = base;
}

void OrvikStatisticsQueue::SetApplicationKey(const std::wstring& key)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_key = key;
}

void OrvikStatisticsQueue::SetProductVersionId(const std::wstring& id)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_productVersionId = id;
}

void OrvikStatisticsQueue::SetMode(int mode)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_mode = mode;
}

void OrvikStatisticsQueue::Start()
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_sessionId = RandomString(32);
}

std::wstring OrvikStatisticsQueue::SessionId() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_sessionId;
}

void OrvikStatisticsQueue::Send(const std::wstring& eventCode, const std::wstring& json)
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (m_released) return;
    m_queue.push_back({eventCode, json, m_sessionId});
    // The thread starts with the first event: a run without events posts nothing.
    if (!m_thread.joinable()) m_thread = std::thread(&OrvikStatisticsQueue::Run, this);
    m_changed.notify_all();
}

void OrvikStatisticsQueue::Release(unsigned flushMs)
{
    std::unique_lock<std::mutex> lock(m_lock);
    m_released = true;
    m_changed.wait_for(lock, std::chrono::milliseconds(flushMs), [this] { return m_queue.empty() && !m_posting; });
    m_stop = true;
    m_queue.clear();
    m_changed.notify_all();
    lock.unlock();
    if (m_thread.joinable()) m_thread.join();
}

size_t OrvikStatisticsQueue::Pending() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_queue.size() + (m_posting ? 1 : 0);
}

size_t OrvikStatisticsQueue::Failed() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_failed;
}

std::wstring OrvikStatisticsQueue::LastError() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_lastError;
}

void OrvikStatisticsQueue::Run()
{
    std::unique_lock<std::mutex> lock(m_lock);
    while (true) {
        m_changed.wait(lock, [this] { return m_stop || !m_queue.empty(); });
        if (m_stop) break;
        const Event event = m_queue.front();
        m_queue.pop_front();
        m_posting = true;
        const std::wstring url = m_base.empty() ? std::wstring() : m_base + L"Api/Stat/Event";
        const std::string form = FormOf(event);
        lock.unlock();
        OrvikHttpResult reply;
        if (url.empty())
            reply.error = L"no statistics service address";
        else
            reply = OrvikHttpPost(url, form, {m_timings.connectTimeoutMs, m_timings.requestTimeoutMs, &m_stop});
        lock.lock();
        m_posting = false;
        if (!reply.Ok()) {
            ++m_failed;
            m_lastError = reply.error;
        }
        m_changed.notify_all();
    }
}

std::string OrvikStatisticsQueue::FormOf(const Event& event) const
{
    const auto escaped = [](const std::wstring& text) { return UrlEscape(ToUtf8(text), false); };
    const std::map<std::string, std::string> fields = {
        {"code", escaped(event.code)},
        {"data", escaped(event.json)},
        {"key", escaped(m_key)},
        {"mode", std::to_string(m_mode)},
        {"pvid", escaped(m_productVersionId)},
        {"session_id", escaped(event.sessionId)},
    };
    return BuildQueryString(fields);
}
