#include "app/core/ChildProcess.h"

#include "tests/app/core/TestPaths.h"
#include "tests/app/core/TempFolder.h"

#include <gtest/gtest.h>


namespace {

DWORD ExitCodeOf(const ChildProcess& child)
{
    WaitForSingleObject(child.Process(), 10000);
    DWORD code = 0;
    GetExitCodeProcess(child.Process(), &code);
    return code;
}

// Runs the probe with its output going into an inheritable pipe and returns
// everything it wrote.
std::string RunProbeCapturing(const std::vector<std::wstring>& args, std::wstring* commandLine = nullptr)
{
    SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, TRUE};
    PipeHandles pipe;
    if (!CreatePipe(pipe.read.Put(), pipe.write.Put(), &sa, 0)) return "<no pipe>";
    SetHandleInformation(pipe.read, HANDLE_FLAG_INHERIT, 0);
    std::string output;
    {
        ChildProcess child;
        child.SetStdHandles(INVALID_HANDLE_VALUE, pipe.write);
        if (child.Start(ProbePath(), args, true) != ChildProcess::kStarted) return "<not started>";
        if (commandLine) *commandLine = child.CommandLine();
        // Our copy of the write end must go, or the read never sees the end.
        pipe.write.Reset();
        char buf[256];
        DWORD got = 0;
        while (ReadFile(pipe.read, buf, sizeof(buf), &got, nullptr) && got) output.append(buf, got);
    }
    return output;
}

} // namespace

TEST(ChildProcess, ArgumentsAreJoinedWithBlanksAndNotQuoted)
{
    struct Case {
        const char* name;
        std::vector<std::wstring> args;
        std::string output;
        std::wstring tail;   // the command line after the program path
    };
    const Case cases[] = {
        {"one word each", {L"echo", L"a", L"b"}, "a\nb\nstderr\n", L" echo a b"},
        {"a blank splits an argument", {L"echo", L"a b", L"c"}, "a\nb\nc\nstderr\n", L" echo a b c"},
        {"quotes are the caller's", {L"echo", L"\"a b\"", L"c"}, "a b\nc\nstderr\n", L" echo \"a b\" c"},
        {"non-ASCII", {L"echo", L"加载中"}, "\xE5\x8A\xA0\xE8\xBD\xBD\xE4\xB8\xAD\nstderr\n", L" echo 加载中"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::wstring line;
        EXPECT_EQ(RunProbeCapturing(c.args, &line), c.output);
        EXPECT_EQ(line, ProbePath() + c.tail);
    }
}

TEST(ChildProcess, NoArgumentsGiveTheProgramPathAlone)
{
    ChildProcess child;
    ASSERT_EQ(child.Start(ProbePath(), {}, true), ChildProcess::kStarted);
    EXPECT_EQ(child.CommandLine(), ProbePath());
    EXPECT_EQ(ExitCodeOf(child), 99u);   // the probe's answer to "no mode"
}

TEST(ChildProcess, HiddenFlagPicksTheShowCommand)
{
    struct Case { const char* name; bool hidden; DWORD show; };
    const Case cases[] = {{"hidden", true, SW_HIDE}, {"shown", false, SW_SHOWNORMAL}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ChildProcess child;
        ASSERT_EQ(child.Start(ProbePath(), {L"show"}, c.hidden), ChildProcess::kStarted);
        EXPECT_EQ(ExitCodeOf(child), c.show);
    }
}

TEST(ChildProcess, ExitCodeIsTheChildsOwn)
{
    for (DWORD code : {0u, 7u, 200u}) {
        SCOPED_TRACE(code);
        ChildProcess child;
        ASSERT_EQ(child.Start(ProbePath(), {L"exit", std::to_wstring(code)}, true), ChildProcess::kStarted);
        EXPECT_EQ(ExitCodeOf(child), code);
    }
}

TEST(ChildProcess, StartResults)
{
    TempFolder temp;
    const std::wstring notAProgram = temp / L"notes.exe";
    TempFolder::WriteFile(notAProgram, "plain text, not a program");
    // Fills the command line to `total` characters, terminator included.
    auto filler = [](size_t total) { return std::wstring(total - ProbePath().size() - 2, L'x'); };
    struct Case { const char* name; std::wstring program; std::vector<std::wstring> args; int result; };
    const Case cases[] = {
        {"missing program", temp / L"missing.exe", {}, ChildProcess::kNotFound},
        {"not a program", notAProgram, {}, ChildProcess::kFailed},
        {"command line too long", ProbePath(), {filler(32768)}, ChildProcess::kFailed},
        {"longest command line", ProbePath(), {filler(32767)}, ChildProcess::kStarted},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ChildProcess child;
        EXPECT_EQ(child.Start(c.program, c.args, true), c.result);
        const bool started = c.result == ChildProcess::kStarted;
        EXPECT_EQ(child.Process() != nullptr, started);
        EXPECT_EQ(child.Thread() != nullptr, started);
        if (started) {
            EXPECT_EQ(ExitCodeOf(child), 99u);   // the probe's answer to an unknown mode
        } else {
            EXPECT_TRUE(child.Terminate());   // nothing held: nothing to do
        }
    }
}

TEST(ChildProcess, TerminateEndsTheChildWithCodeOne)
{
    ChildProcess child;
    ASSERT_EQ(child.Start(ProbePath(), {L"sleep", L"60000"}, true), ChildProcess::kStarted);
    EXPECT_TRUE(child.Terminate());
    EXPECT_EQ(ExitCodeOf(child), 1u);
    EXPECT_NE(child.Process(), nullptr);   // handles stay until the record goes
}

TEST(ChildProcess, DestructorWaitsForTheChild)
{
    HANDLE process = nullptr;
    {
        ChildProcess child;
        ASSERT_EQ(child.Start(ProbePath(), {L"sleep", L"300"}, true), ChildProcess::kStarted);
        DuplicateHandle(GetCurrentProcess(), child.Process(), GetCurrentProcess(), &process, 0, FALSE,
                        DUPLICATE_SAME_ACCESS);
    }
    EXPECT_EQ(WaitForSingleObject(process, 0), WAIT_OBJECT_0);
    CloseHandle(process);
}

TEST(ChildProcess, PipeHandlesCloseEachOpenEndOnce)
{
    SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, FALSE};
    struct Case { const char* name; bool closeWriteFirst; };
    for (const Case& c : {Case{"both open", false}, Case{"write end already closed", true}}) {
        SCOPED_TRACE(c.name);
        PipeHandles pipe;
        ASSERT_TRUE(CreatePipe(pipe.read.Put(), pipe.write.Put(), &sa, 0));
        HANDLE read = pipe.read.Get();
        if (c.closeWriteFirst) {
            pipe.write.Reset();
        }
        pipe.Close();
        DWORD flags = 0;
        EXPECT_FALSE(GetHandleInformation(read, &flags));   // the read end is gone too
        EXPECT_FALSE(pipe.read);
        pipe.Close();   // again: nothing left to close
    }
    PipeHandles never;
    never.Close();
}
