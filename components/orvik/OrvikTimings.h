#pragma once
// How often and how long the library talks to the service, and the clock it
// measures ages with. Tests pass short intervals and their own clock.
#include <winsock2.h>
#include <windows.h>

#include <functional>

struct OrvikTimings {
    int loginPollIntervalMs = 2000;        // between two asks for the user
    int loginPollForMs = 5 * 60 * 1000;    // how long a login is waited for
    int latestVersionMaxAgeMs = 60 * 1000; // the newest version is asked again after this
    int connectTimeoutMs = 5000;
    int requestTimeoutMs = 15000;
};

// Milliseconds on a steady clock.
using OrvikClock = std::function<ULONGLONG()>;

inline ULONGLONG OrvikSystemClock()
{
    return ::GetTickCount64();
}
