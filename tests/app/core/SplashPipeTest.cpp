#include "app/core/SplashPipe.h"

#include "tests/app/core/TestPaths.h"
#include "tests/app/core/TempFolder.h"
#include "tests/app/core/TestSync.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

// A channel of its own per test (pipe and job names carry our process id),
// started on the probe program, which acts as the animation as told by
// VESK_PROBE_SPLASH and logs what it receives to VESK_PROBE_LOG.
class SplashPipeTest : public ::testing::Test {
protected:
    SplashPipe::Names ProbeNames()
    {
        static std::atomic<int> counter{0};
        const std::wstring unique = std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(++counter);
        SplashPipe::Names names;
        names.pipe = L"\\\\.\\pipe\\VeskSplashTest_" + unique;
        names.program = ProbePath();
        names.job = L"VeskSplashTestJob_" + unique;
        return names;
    }
    void ProbeActs(const wchar_t* mode)
    {
        SetEnvironmentVariableW(L"VESK_PROBE_SPLASH", mode);
        SetEnvironmentVariableW(L"VESK_PROBE_LOG", m_log.c_str());
    }
    std::string Received() { return TempFolder::ReadFile(m_log); }
    void TearDown() override
    {
        SetEnvironmentVariableW(L"VESK_PROBE_SPLASH", nullptr);
        SetEnvironmentVariableW(L"VESK_PROBE_LOG", nullptr);
    }

    TempFolder m_temp;
    std::wstring m_log = m_temp / L"received.txt";
};

DWORD ExitCode(HANDLE process, DWORD waitMs = 10000)
{
    WaitForSingleObject(process, waitMs);
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    return code;
}

// Waiting out the hello budget takes at least this long, however loaded the
// machine, since every poll sleeps: a launch that ends sooner did not wait it out.
constexpr ULONGLONG kSoonerThanTheBudgetMs = 4500;
// Ending after the budget or the exit wait may be slow on a loaded machine; it
// must still end.
constexpr ULONGLONG kLongAfterTheBudgetMs = 30000;

ULONGLONG MillisecondsOf(const std::function<void()>& step)
{
    const ULONGLONG start = GetTickCount64();
    step();
    return GetTickCount64() - start;
}

} // namespace

TEST_F(SplashPipeTest, SendsStateProgressAndExitLines)
{
    ProbeActs(L"hello");
    const SplashPipe::Names names = ProbeNames();
    SplashPipe channel(names);
    int result = -1;
    EXPECT_LT(MillisecondsOf([&] { result = channel.LaunchLoadingSplash(); }), kSoonerThanTheBudgetMs);
    ASSERT_EQ(result, 0);
    // The animation program reads these names, the misspelt one included.
    EXPECT_EQ(channel.CommandLine(), names.program + L" --pipename " + names.pipe + L" --pid " +
                                         std::to_wstring(GetCurrentProcessId()) + L" --resoure_dir loading_uires");
    ASSERT_NE(channel.Process(), nullptr);
    BOOL inJob = FALSE;
    EXPECT_TRUE(IsProcessInJob(channel.Process(), nullptr, &inJob) && inJob);

    const std::string loading = "加载中...";
    ASSERT_EQ(loading.size(), 12u);
    channel.SendState(loading);
    channel.SendProgress(-5);
    channel.SendProgress(30);
    channel.SendProgress(100);
    channel.SendExit();

    EXPECT_EQ(ExitCode(channel.Process(), 0), 0u);   // it ended on its own after "exit:"
    EXPECT_EQ(Received(), "state:" + loading + "\nprogress:0\nprogress:30\nprogress:100\nexit:\n");
}

TEST_F(SplashPipeTest, MissingProgramLosesEverySendQuietly)
{
    SplashPipe::Names names = ProbeNames();
    names.program = m_temp / L"TorvaneSetupLoading.exe";
    SplashPipe channel(names);
    int result = 0;
    EXPECT_LT(MillisecondsOf([&] { result = channel.LaunchLoadingSplash(); }), kSoonerThanTheBudgetMs);
    EXPECT_EQ(result, ChildProcess::kNotFound);
    EXPECT_EQ(channel.Process(), nullptr);
    EXPECT_LT(MillisecondsOf([&] {
                  channel.SendState("x");
                  channel.SendProgress(50);
                  channel.SendExit();
              }),
              kSoonerThanTheBudgetMs);
}

TEST_F(SplashPipeTest, ClosingTheChannelEndsTheAnimation)
{
    ProbeActs(L"hello");
    HANDLE process = nullptr;
    {
        SplashPipe channel(ProbeNames());
        ASSERT_EQ(channel.LaunchLoadingSplash(), 0);
        DuplicateHandle(GetCurrentProcess(), channel.Process(), GetCurrentProcess(), &process, 0, FALSE,
                        DUPLICATE_SAME_ACCESS);
        EXPECT_EQ(WaitForSingleObject(process, 100), static_cast<DWORD>(WAIT_TIMEOUT));   // still waiting for lines
    }
    // No exit line was sent: it was ended (by the job or by us), and so never
    // got to write its log.
    EXPECT_EQ(WaitForSingleObject(process, 0), WAIT_OBJECT_0);
    EXPECT_FALSE(TempFolder::Exists(m_log));
    CloseHandle(process);
}

TEST_F(SplashPipeTest, AnAnimationThatIgnoresExitIsEndedAfterAWhile)
{
    ProbeActs(L"deaf");
    SplashPipe channel(ProbeNames());
    ASSERT_EQ(channel.LaunchLoadingSplash(), 0);
    const ULONGLONG took = MillisecondsOf([&] { channel.SendExit(); });
    EXPECT_GE(took, 4500u);
    EXPECT_LT(took, kLongAfterTheBudgetMs);
    EXPECT_EQ(WaitForSingleObject(channel.Process(), 10000), WAIT_OBJECT_0);
}

// The pipe name is already served by someone else: our pipe cannot be made,
// the animation's hello goes elsewhere and it is ended after the wait.
TEST_F(SplashPipeTest, WithoutAPipeTheAnimationIsEndedAfterTheWait)
{
    ProbeActs(L"hello");
    SplashPipe::Names names = ProbeNames();
    HANDLE other = CreateNamedPipeW(names.pipe.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_FIRST_PIPE_INSTANCE,
                                    PIPE_TYPE_BYTE | PIPE_WAIT, 1, 1024, 1024, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    {
        SplashPipe channel(names);
        EXPECT_GE(MillisecondsOf([&] { EXPECT_EQ(channel.LaunchLoadingSplash(), 0); }), 4500u);
        EXPECT_EQ(ExitCode(channel.Process()), 1u);
        channel.SendProgress(10);   // dropped, nothing blocks
    }
    CloseHandle(other);
}

struct ReadyCase {
    const char* name;
    const wchar_t* mode;
    bool stillRunning;     // after the launch
    DWORD exitCode;        // when not running
    ULONGLONG minMs, maxMs;
};

void PrintTo(const ReadyCase& c, std::ostream* os)
{
    *os << c.name;
}

class SplashReadyTest : public SplashPipeTest, public ::testing::WithParamInterface<ReadyCase> {};

TEST_P(SplashReadyTest, ReadinessIsExactlyFiveBytesOfHello)
{
    const ReadyCase& c = GetParam();
    ProbeActs(c.mode);
    SplashPipe channel(ProbeNames());
    int result = -1;
    const ULONGLONG took = MillisecondsOf([&] { result = channel.LaunchLoadingSplash(); });
    EXPECT_EQ(result, 0);
    EXPECT_GE(took, c.minMs);
    EXPECT_LT(took, c.maxMs);
    if (c.stillRunning) {
        EXPECT_EQ(WaitForSingleObject(channel.Process(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
        channel.SendExit();
        EXPECT_EQ(ExitCode(channel.Process(), 0), 0u);
        EXPECT_EQ(Received(), "exit:\n");
    } else {
        EXPECT_EQ(ExitCode(channel.Process()), c.exitCode);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Animation, SplashReadyTest,
    // The late hello is told apart from a waited-out budget by the animation
    // still running, so its upper bound only has to allow a loaded machine.
    ::testing::Values(ReadyCase{"prompt_hello", L"hello", true, 0, 0, kSoonerThanTheBudgetMs},
                      ReadyCase{"hello_after_3s", L"late", true, 0, 2900, kLongAfterTheBudgetMs},
                      ReadyCase{"hello_with_line_feed", L"hello-newline", false, 1, 4500, kLongAfterTheBudgetMs},
                      ReadyCase{"never_says_hello", L"silent", false, 1, 4500, kLongAfterTheBudgetMs},
                      ReadyCase{"ends_before_hello", L"quit", false, 3, 0, kSoonerThanTheBudgetMs}),
    [](const ::testing::TestParamInfo<ReadyCase>& info) { return std::string(info.param.name); });

// The real names and our own animation program, end to end. Kept in one test:
// the pipe and job names are system-wide.
TEST(SplashAnimation, RealChannelDrivesTheSplashWindow)
{
    // Made once, also when several threads ask first at the same time.
    std::vector<SplashPipe*> seen(8, nullptr);
    std::vector<std::thread> askers;
    for (auto& slot : seen) askers.emplace_back([&slot] { slot = &SplashPipe::Instance(); });
    for (auto& t : askers) t.join();
    SplashPipe& channel = SplashPipe::Instance();
    for (SplashPipe* p : seen) EXPECT_EQ(p, &channel);
    int result = -1;
    EXPECT_LT(MillisecondsOf([&] { result = channel.LaunchLoadingSplash(); }), kSoonerThanTheBudgetMs);
    ASSERT_EQ(result, 0) << "TorvaneSetupLoading.exe should sit beside the tests";
    ASSERT_EQ(WaitForSingleObject(channel.Process(), 0), static_cast<DWORD>(WAIT_TIMEOUT))
        << "the animation ended with " << ExitCode(channel.Process(), 0);

    HWND splash = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        splash = FindWindowW(L"TorvaneSetupLoadingWnd", nullptr);
        DWORD pid = 0;
        if (splash) GetWindowThreadProcessId(splash, &pid);
        return splash && pid == GetProcessId(channel.Process());
    }, 30000));
    EXPECT_TRUE(IsWindowVisible(splash));

    channel.SendState("加载中...");
    channel.SendProgress(30);
    channel.SendProgress(60);
    std::wstring title;
    EXPECT_TRUE(WaitUntil([&] {
        wchar_t text[256] = {};
        GetWindowTextW(splash, text, 256);
        title = text;
        return title == L"加载中... 60%";
    }, 30000)) << "window text: " << std::string(title.begin(), title.end());

    channel.SendProgress(100);
    channel.SendExit();
    EXPECT_EQ(ExitCode(channel.Process(), 0), 0u);
    EXPECT_FALSE(IsWindow(splash));
}
