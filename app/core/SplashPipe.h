#pragma once
// The channel to the start-up animation program: starts it, waits briefly for
// its "hello", ties it to a kill-on-close job so it cannot outlive us, and
// drives it over a named pipe with state, progress and exit lines.
#include <winsock2.h>

#include "app/core/ChildProcess.h"
#include "dui/core/base/SHandle.h"

#include <string>
#include <string_view>

class SplashPipe {
public:
    struct Names {
        std::wstring pipe = L"\\\\.\\pipe\\VeskPDF2Image";
        std::wstring program = L"TorvaneSetupLoading.exe";
        std::wstring job = L"VeskPDF2ImageLoading";
    };

    // The process-wide channel, made (and its pipe created) on first use.
    static SplashPipe& Instance();

    SplashPipe();
    // Other names let several channels live side by side (one per test).
    explicit SplashPipe(Names names);
    ~SplashPipe();
    SplashPipe(const SplashPipe&) = delete;
    SplashPipe& operator=(const SplashPipe&) = delete;

    // ChildProcess::Start's result; 0 when the animation program was started.
    int LaunchLoadingSplash();
    // Negative values are sent as 0.
    void SendProgress(int value);
    // UTF-8 text, sent unchanged.
    void SendState(std::string text);
    // Asks the animation to end and waits (bounded) until it has.
    void SendExit();

    HANDLE Process() const { return m_child.Process(); }
    const std::wstring& CommandLine() const { return m_child.CommandLine(); }

private:
    void WaitForHello();
    void JoinJob();
    void EndJob();
    void WriteLine(std::string_view prefix, const std::string& text);
    void Write(const std::string& bytes);

    Names m_names;
    DUI::SKernelHandle m_job;
    ChildProcess m_child;
    DUI::SFileHandle m_pipe;
};
