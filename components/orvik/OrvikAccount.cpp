#include "components/orvik/OrvikAccount.h"

#include <utility>

#include "app/core/TextEncoding.h"
#include "app/core/UrlText.h"
#include "app/online/IOrvikExport.h"
#include "components/orvik/OrvikHttp.h"

OrvikAccount::OrvikAccount(OrvikTimings timings, OrvikClock clock)
    : m_timings(timings), m_clock(std::move(clock))
{
}

OrvikAccount::~OrvikAccount()
{
    Stop();
}

void OrvikAccount::Start(const OrvikProduct& product)
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (m_started) return;
    m_started = true;
    m_product = product;
    m_latestVersion = product.versionCode;
    m_answerWanted = true;
    m_askedAt = m_clock();
    m_thread = std::thread(&OrvikAccount::Run, this);
}

void OrvikAccount::Stop()
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_stop = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable()) m_thread.join();
}

void OrvikAccount::SetNotifyWindow(HWND window)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_notify = window;
}

std::wstring OrvikAccount::CurrentVersion() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_product.versionCode;
}

std::wstring OrvikAccount::LatestVersion()
{
    std::lock_guard<std::mutex> lock(m_lock);
    const bool old = m_clock() - m_askedAt >= static_cast<ULONGLONG>(m_timings.latestVersionMaxAgeMs);
    if (m_started && old && !m_answerWanted && !m_answerInFlight) {
        m_answerWanted = true;
        m_askedAt = m_clock();
        m_wake.notify_all();
    }
    return m_latestVersion;
}

std::wstring OrvikAccount::Channel() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_channel;
}

std::wstring OrvikAccount::ConfigValue(const std::wstring& name) const
{
    std::lock_guard<std::mutex> lock(m_lock);
    const auto found = m_config.find(name);
    return found == m_config.end() ? std::wstring() : found->second;
}

bool OrvikAccount::AdvertsEnabled() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_adverts;
}

bool OrvikAccount::AccountsEnabled() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_accounts;
}

int OrvikAccount::StartupValue() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_startup;
}

OrvikUser OrvikAccount::User() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_user;
}

bool OrvikAccount::AnswerArrived() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_answered;
}

std::wstring OrvikAccount::LastError() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_lastError;
}

void OrvikAccount::WatchLogin()
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (!m_started) return;
    const ULONGLONG now = m_clock();
    m_watching = true;
    m_watchUntil = now + m_timings.loginPollForMs;
    m_nextPoll = now + m_timings.loginPollIntervalMs;
    m_wake.notify_all();
}

bool OrvikAccount::WatchingLogin() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_watching;
}

void OrvikAccount::LogOut()
{
    TakeUser(OrvikUser());
}

void OrvikAccount::Run()
{
    std::unique_lock<std::mutex> lock(m_lock);
    while (!m_stop) {
        if (m_answerWanted) {
            m_answerWanted = false;
            m_answerInFlight = true;
            lock.unlock();
            FetchAnswer();
            lock.lock();
            m_answerInFlight = false;
            continue;
        }
        const ULONGLONG now = m_clock();
        if (m_watching && now >= m_watchUntil) m_watching = false;
        if (m_watching && now >= m_nextPoll) {
            m_nextPoll = now + m_timings.loginPollIntervalMs;
            lock.unlock();
            PollUser();
            lock.lock();
            continue;
        }
        if (m_watching) {
            const ULONGLONG due = m_nextPoll < m_watchUntil ? m_nextPoll : m_watchUntil;
            m_wake.wait_for(lock, std::chrono::milliseconds(due - now));
        } else {
            m_wake.wait(lock);
        }
    }
}

std::wstring OrvikAccount::ServiceUrl(const wchar_t* path) const
{
    std::lock_guard<std::mutex> lock(m_lock);
    const auto value = [](const std::wstring& text) { return FromUtf8(UrlEscape(ToUtf8(text), false)); };
    return m_product.serviceBase + path + L"?version=" + value(m_product.versionCode) + L"&code=" +
           value(m_product.code) + L"&product=" + value(m_product.productCode) + L"&key=" +
           value(m_product.applicationKey) + L"&machine=" + value(m_product.machineCode);
}

void OrvikAccount::FetchAnswer()
{
    const OrvikHttpResult reply =
        OrvikHttpGet(ServiceUrl(L"Api/Client/Answer"),
                     {m_timings.connectTimeoutMs, m_timings.requestTimeoutMs, &m_stop});
    if (!reply.Ok()) return Fail(L"no client answer: " + reply.error);
    OrvikAnswer answer;
    std::wstring error;
    if (!ParseClientAnswer(reply.body, answer, error)) return Fail(error);
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_answered = true;
        m_lastError.clear();
        if (answer.latestVersion) m_latestVersion = *answer.latestVersion;
        if (answer.channel) m_channel = *answer.channel;
        if (answer.startup) m_startup = *answer.startup;
        if (answer.adverts) m_adverts = *answer.adverts;
        if (answer.accounts) m_accounts = *answer.accounts;
        for (const auto& [name, value] : answer.config) m_config[name] = value;
    }
    if (answer.user) TakeUser(*answer.user);
}

void OrvikAccount::PollUser()
{
    const OrvikHttpResult reply =
        OrvikHttpGet(ServiceUrl(L"Api/Client/User"),
                     {m_timings.connectTimeoutMs, m_timings.requestTimeoutMs, &m_stop});
    if (!reply.Ok()) return Fail(L"no user answer: " + reply.error);
    OrvikUser user;
    std::wstring error;
    if (!ParseUserAnswer(reply.body, user, error)) return Fail(error);
    TakeUser(user);
}

void OrvikAccount::TakeUser(const OrvikUser& user)
{
    bool loginChanged = false;
    bool limitReached = false;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        loginChanged = user.loggedIn != m_user.loggedIn || user.id != m_user.id || user.name != m_user.name;
        limitReached = user.overDeviceLimit && !m_user.overDeviceLimit;
        m_user = user;
        // The awaited login has happened: nothing more to watch for.
        if (user.loggedIn) m_watching = false;
    }
    if (loginChanged) Post(UM_ACCOUNT_STATE_CHANGED, 0);
    if (limitReached) Post(UM_ACCOUNT_ERROR, kAccountErrorDeviceLimit);
}

void OrvikAccount::Fail(const std::wstring& reason)
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_lastError = reason;
    }
    OutputDebugStringW((L"orvik: " + reason + L"\n").c_str());
}

void OrvikAccount::Post(UINT message, LPARAM lParam) const
{
    HWND window = nullptr;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        window = m_notify;
    }
    if (window) PostMessageW(window, message, 0, lParam);
}
