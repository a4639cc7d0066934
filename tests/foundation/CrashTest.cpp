// A crashed windowed program must end at once with a failure code: no
// debugger, no crash dialog, no exit code 0.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/ChildProcess.h"

namespace {

// A process that waits on a debugger or a dialog would wait for ever: the
// limit ends it, and the test fails.
testsupport::ChildRun RunProbe(const wchar_t* name)
{
    return testsupport::RunChild(L"\"" + (std::filesystem::path(VESK_BIN_DIR) / name).wstring() + L"\"", {}, 60000);
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
        const testsupport::ChildRun run = RunProbe(c.probe);
        ASSERT_TRUE(run.ended) << run.output;
        EXPECT_EQ(run.exitCode, static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION)) << run.output;
        // It got as far as its window and its drawing before it crashed.
        EXPECT_NE(run.output.find("crashing"), std::string::npos) << run.output;
        EXPECT_EQ(run.output.find(report) != std::string::npos, c.reported) << run.output;
    }
}

} // namespace
