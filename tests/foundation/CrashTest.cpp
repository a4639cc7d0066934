// A crashed windowed program must end at once with a failure code: no
// debugger, no crash dialog, no exit code 0.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

struct ProbeRun {
    DWORD wait = WAIT_FAILED;
    DWORD exitCode = 0;
    std::string output;
};

ProbeRun RunProbe(const wchar_t* name)
{
    ProbeRun run;
    SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &sa, 0)) return run;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW si{sizeof(si)};
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = si.hStdError = writeEnd;
    std::wstring cmd = L"\"" + (std::filesystem::path(VESK_BIN_DIR) / name).wstring() + L"\"";
    PROCESS_INFORMATION pi{};
    const BOOL started = CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    CloseHandle(writeEnd);
    if (started) {
        // A process that waits on a debugger or a dialog would wait for ever.
        run.wait = WaitForSingleObject(pi.hProcess, 60000);
        if (run.wait != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
        GetExitCodeProcess(pi.hProcess, &run.exitCode);
        // Take what the ended probe wrote, without waiting for the end of the
        // pipe: a process it started (Wine's desktop) may hold the pipe open.
        char buf[4096];
        DWORD ready = 0, got = 0;
        while (PeekNamedPipe(readEnd, nullptr, 0, nullptr, &ready, nullptr) && ready > 0 &&
               ReadFile(readEnd, buf, sizeof(buf), &got, nullptr) && got > 0)
            run.output.append(buf, got);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    CloseHandle(readEnd);
    return run;
}

TEST(WinePrefix, CrashedWindowedProgramEndsAtOnceWithTheExceptionCode)
{
    struct Case { const char* name; const wchar_t* probe; bool reported; };
    const Case cases[] = {
        {"bare, as the program runs", L"crash_probe.exe", false},
        {"with the test binaries' crash report", L"crash_probe_reported.exe", true},
    };
    const std::string report = "crash: unhandled exception 0xC0000005 at ";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ProbeRun run = RunProbe(c.probe);
        ASSERT_EQ(run.wait, WAIT_OBJECT_0) << run.output;
        EXPECT_EQ(run.exitCode, static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION)) << run.output;
        // It got as far as its window and its drawing before it crashed.
        EXPECT_NE(run.output.find("crashing"), std::string::npos) << run.output;
        EXPECT_EQ(run.output.find(report) != std::string::npos, c.reported) << run.output;
    }
}

} // namespace
