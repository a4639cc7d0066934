#pragma once
// Starts an outside program from a path and an argument vector with standard
// handles chosen by the caller, and later terminates, waits for and releases it.
#include <winsock2.h>

#include "dui/core/base/SHandle.h"

#include <string>
#include <vector>

class ChildProcess {
public:
    static constexpr int kStarted = 0;
    static constexpr int kFailed = -22;
    static constexpr int kNotFound = -23;

    ChildProcess() = default;
    // Waits for a held process to end: stop it with Terminate first to end early.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Handles the child gets as standard input and as standard output and
    // error; the caller keeps owning them and makes them inheritable.
    void SetStdHandles(HANDLE input, HANDLE output);

    // Joins program and arguments with single blanks and adds no quotes:
    // callers quote paths with blanks themselves. kStarted, kNotFound when
    // the program does not exist, kFailed otherwise (also for a command line
    // of 32768 characters or more).
    [[nodiscard]] int Start(const std::wstring& program, const std::vector<std::wstring>& args, bool hidden);
    bool Terminate();

    const std::wstring& CommandLine() const { return m_commandLine; }
    HANDLE Process() const { return m_process.Get(); }
    HANDLE Thread() const { return m_thread.Get(); }

private:
    static std::wstring BuildCommandLine(const std::wstring& program, const std::vector<std::wstring>& args);
    void WaitAndRelease();

    std::wstring m_commandLine;
    HANDLE m_stdIn = INVALID_HANDLE_VALUE;
    HANDLE m_stdOut = INVALID_HANDLE_VALUE;
    DUI::SKernelHandle m_process;
    DUI::SKernelHandle m_thread;
};

// The two ends of an anonymous pipe handed to a child as its output.
struct PipeHandles {
    // Closes every end still open, the write end first; safe to call again.
    void Close();

    DUI::SFileHandle read;
    DUI::SFileHandle write;
};
