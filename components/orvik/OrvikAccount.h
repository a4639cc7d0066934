#pragma once
// The account side of the library: the client answer, fetched once on the
// library's own thread when the library is initialised, the newest version
// asked again once it is old, and the user watched while a login is
// awaited. Readers take copies under a short lock and never wait for the
// network: until an answer came they get the offline values (logged out,
// latest version = this version, adverts off, start-up value 1).
#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include "components/orvik/OrvikAnswer.h"
#include "components/orvik/OrvikTimings.h"

struct OrvikProduct {
    std::wstring versionCode;
    std::wstring code;
    std::wstring productCode;
    std::wstring applicationKey;
    std::wstring serviceBase;   // ends in "/"
    std::wstring machineCode;
};

class OrvikAccount {
public:
    explicit OrvikAccount(OrvikTimings timings = {}, OrvikClock clock = &OrvikSystemClock);
    ~OrvikAccount();
    OrvikAccount(const OrvikAccount&) = delete;
    OrvikAccount& operator=(const OrvikAccount&) = delete;

    // Starts the thread and its one request for the client answer; once.
    void Start(const OrvikProduct& product);
    // Abandons any request and ends the thread.
    void Stop();

    // Login changes and device-limit errors are posted to this window.
    void SetNotifyWindow(HWND window);

    std::wstring CurrentVersion() const;
    // Also asks the service again when the value is older than allowed.
    std::wstring LatestVersion();
    std::wstring Channel() const;
    std::wstring ConfigValue(const std::wstring& name) const;
    bool AdvertsEnabled() const;
    bool AccountsEnabled() const;
    int StartupValue() const;
    OrvikUser User() const;
    bool AnswerArrived() const;
    // The last reason an answer could not be used, empty when none.
    std::wstring LastError() const;

    // Asks for the user every poll interval until logged in or the poll time is over.
    void WatchLogin();
    bool WatchingLogin() const;
    void LogOut();

private:
    void Run();
    void FetchAnswer();
    void PollUser();
    // Takes the new user and posts what changed; called without the lock.
    void TakeUser(const OrvikUser& user);
    void Fail(const std::wstring& reason);
    std::wstring ServiceUrl(const wchar_t* path) const;
    void Post(UINT message, LPARAM lParam) const;

    const OrvikTimings m_timings;
    const OrvikClock m_clock;

    mutable std::mutex m_lock;
    std::condition_variable m_wake;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    bool m_started = false;
    OrvikProduct m_product;
    HWND m_notify = nullptr;

    // Work the thread picks up.
    bool m_answerWanted = false;
    bool m_answerInFlight = false;
    ULONGLONG m_askedAt = 0;
    bool m_watching = false;
    ULONGLONG m_watchUntil = 0;
    ULONGLONG m_nextPoll = 0;

    // What the service said; offline values until then.
    bool m_answered = false;
    std::wstring m_latestVersion;
    std::wstring m_channel;
    int m_startup = 1;
    bool m_adverts = false;
    bool m_accounts = true;
    std::map<std::wstring, std::wstring> m_config;
    OrvikUser m_user;
    std::wstring m_lastError;
};
