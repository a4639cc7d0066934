#pragma once
// The animation's side of the start-up pipe: connects as the client, says
// "hello" once the window shows, and turns the received lines into window
// messages for the splash window.
#include <winsock2.h>
#include <windows.h>

#include <string>

#include "dui/core/base/SHandle.h"

// Messages the reader thread posts to the splash window.
constexpr UINT WM_SPLASH_PROGRESS = WM_APP + 1;   // wParam: percent
constexpr UINT WM_SPLASH_STATE = WM_APP + 2;      // lParam: std::wstring*, the window takes it over
constexpr UINT WM_SPLASH_EXIT = WM_APP + 3;       // "exit:" or the pipe went away

struct SplashLine {
    enum class Kind { Progress, State, Exit, Unknown } kind = Kind::Unknown;
    int progress = 0;
    std::string state;   // UTF-8
};

class SplashClient {
public:
    SplashClient() = default;
    // Ends the reader thread before the pipe it reads goes.
    ~SplashClient();
    SplashClient(const SplashClient&) = delete;
    SplashClient& operator=(const SplashClient&) = delete;

    // Retries for a while: the program may still be creating the pipe.
    bool Connect(const std::wstring& pipeName, DWORD timeoutMs);
    bool SayHello();
    // Reads on a thread of its own until "exit:" or the end of the pipe.
    void StartReading(HWND window);

    static SplashLine ParseLine(const std::string& line);

private:
    static DWORD WINAPI ReaderEntry(void* self);
    void ReadLoop();
    static void PostLine(HWND window, const SplashLine& line);

    DUI::SFileHandle m_pipe;
    HWND m_window = nullptr;
    // A Win32 thread, so that a blocked ReadFile can be cancelled through its handle.
    DUI::SKernelHandle m_reader;
};
