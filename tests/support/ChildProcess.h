#pragma once
// A program a test starts as a child process, its output (standard output and
// error together) collected through a pipe. Every wait is bounded: a child
// that hangs, or a pipe whose writing end outlives the child (Wine's desktop
// process has been seen to keep it), fails the test instead of stopping the
// whole run. A child still running when the object goes is terminated.
#include <winsock2.h>
#include <windows.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/support/MessagePump.h"

namespace testsupport {

struct ChildOptions {
    std::wstring folder;      // current directory of the child; empty: the test's own
    bool noWindow = false;    // CREATE_NO_WINDOW, for console programs
    bool keepInput = false;   // hand the test's standard input on
};

class ChildProcess {
public:
    ChildProcess(std::wstring commandLine, const ChildOptions& options = {})
    {
        SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
        HANDLE write = nullptr;
        if (!CreatePipe(&m_read, &write, &inherit, 0))
            return;
        SetHandleInformation(m_read, HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOW start{sizeof(start)};
        start.dwFlags = STARTF_USESTDHANDLES;
        start.hStdOutput = start.hStdError = write;
        if (options.keepInput)
            start.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        PROCESS_INFORMATION info{};
        const DWORD flags = options.noWindow ? CREATE_NO_WINDOW : 0;
        const wchar_t* folder = options.folder.empty() ? nullptr : options.folder.c_str();
        if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, flags, nullptr, folder, &start, &info)) {
            CloseHandle(info.hThread);
            m_process = info.hProcess;
            m_id = info.dwProcessId;
        }
        CloseHandle(write);
    }
    ~ChildProcess()
    {
        if (m_process) {
            if (!Ended())
                TerminateProcess(m_process, 99);
            CloseHandle(m_process);
        }
        if (m_read)
            CloseHandle(m_read);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return m_process != nullptr; }
    DWORD Id() const { return m_id; }
    HANDLE Handle() const { return m_process; }
    bool Ended() const { return m_process && WaitForSingleObject(m_process, 0) == WAIT_OBJECT_0; }

    // Waits for the end, running this thread's messages (the child may send
    // to the test's windows); false when the limit passed first.
    bool WaitForEnd(DWORD limitMs = kPumpLimitMs)
    {
        return Started() && PumpUntil([&] { TakeOutput(); return Ended(); }, limitMs);
    }
    // The exit code once ended, or -2 when it did not end within the limit.
    long ExitCode(DWORD limitMs = kPumpLimitMs)
    {
        if (!WaitForEnd(limitMs))
            return -2;
        DWORD code = 0;
        GetExitCodeProcess(m_process, &code);
        return static_cast<long>(code);
    }
    void Terminate(UINT code = 1)
    {
        if (m_process && !Ended()) {
            TerminateProcess(m_process, code);
            WaitForSingleObject(m_process, kPumpLimitMs);
        }
    }
    // Everything written so far, once the child has ended; what it wrote just
    // before its end is still read then.
    std::string Output(DWORD limitMs = kPumpLimitMs)
    {
        PumpUntil([&] { return TakeOutput() == 0 && Ended(); }, limitMs);
        TakeOutput();
        return m_output;
    }
    // Waits until the child has written something (or ended, or the limit
    // passed) and returns what came so far.
    std::string FirstOutput(DWORD limitMs = kPumpLimitMs)
    {
        PumpUntil([&] { TakeOutput(); return !m_output.empty() || Ended(); }, limitMs);
        return m_output;
    }

private:
    // Reads what the pipe holds now, without waiting; returns the bytes read.
    size_t TakeOutput()
    {
        size_t taken = 0;
        char buffer[4096];
        DWORD ready = 0, read = 0;
        while (m_read && PeekNamedPipe(m_read, nullptr, 0, nullptr, &ready, nullptr) && ready > 0 &&
               ReadFile(m_read, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
            m_output.append(buffer, read);
            taken += read;
        }
        return taken;
    }

    HANDLE m_process = nullptr;
    HANDLE m_read = nullptr;
    DWORD m_id = 0;
    std::string m_output;
};

// What a child that ran to its end left.
struct ChildRun {
    bool ended = false;   // false: it hung and was terminated
    DWORD exitCode = 0;
    std::string output;

    std::vector<std::string> Lines() const
    {
        std::vector<std::string> lines;
        std::istringstream in(output);
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (!line.empty())
                lines.push_back(line);
        }
        return lines;
    }
};

// Under a loaded Wine a child now and then ends at its very start, before any
// of its code ran: a failure code and no output. The test runner starts such a
// process once more; so does a test that asks for it with restartSilentStart.
inline ChildRun RunChild(const std::wstring& commandLine, const ChildOptions& options = {},
                         DWORD limitMs = kPumpLimitMs, bool restartSilentStart = false)
{
    ChildRun run;
    for (int attempt = 0; attempt < (restartSilentStart ? 2 : 1); ++attempt) {
        ChildProcess child(commandLine, options);
        if (!child.Started())
            return run;
        run.ended = child.WaitForEnd(limitMs);
        const long code = run.ended ? child.ExitCode(0) : -2;
        run.exitCode = static_cast<DWORD>(code);
        run.output = child.Output(run.ended ? limitMs : 0);
        if (!run.ended || code == 0 || !run.output.empty())
            break;
    }
    return run;
}

}  // namespace testsupport
