// The start-up's bindings in a child process, as the program has them: a
// missing or broken orvik.dll, a missing skarnel.dll, and real crashes
// reported through the catcher to a local crash-log service.
#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "app/core/TextEncoding.h"
#include "tests/app/online/MessageBoxes.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/HttpTestServer.h"
#include "tests/support/MessagePump.h"

namespace {

const std::wstring kBin = L"" VESK_BIN_DIR;

// The probe program of a folder, started there.
class Probe : public testsupport::ChildProcess {
public:
    Probe(const std::wstring& folder, const std::wstring& arguments)
        : ChildProcess(L"\"" + folder + L"\\online_probe.exe\" " + arguments, Options(folder))
    {
    }

private:
    static testsupport::ChildOptions Options(const std::wstring& folder)
    {
        testsupport::ChildOptions options;
        options.folder = folder;
        options.keepInput = true;
        return options;
    }
};

TEST(ProbeTest, MissingAccountLibraryEndsTheProgramWithItsMessage)
{
    struct Case {
        const char* name;
        std::wstring folder;
        const wchar_t* text;
    };
    const Case cases[] = {
        {"no orvik.dll", kBin + L"\\online-probe-bare", L"can't load orvik"},
        {"orvik.dll without GetOrvikExport", kBin + L"\\online-probe-noexport",
         L"can't load orvik: orvik.dll has no GetOrvikExport"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Probe probe(c.folder, L"facade");
        ASSERT_TRUE(probe.Started());
        const SeenMessageBox box = online_test::ReadAndCloseMessageBox(probe.Id());
        EXPECT_TRUE(box.found);
        EXPECT_EQ(box.title, L"Tip");
        EXPECT_EQ(box.text, c.text);
        EXPECT_EQ(probe.ExitCode(), -1);
        EXPECT_EQ(probe.Output(), "") << "nothing ran after the message";
    }
}

TEST(ProbeTest, TheRealAccountLibraryLoads)
{
    Probe probe(kBin, L"facade");
    ASSERT_TRUE(probe.Started());
    EXPECT_EQ(probe.ExitCode(), 0);
    EXPECT_EQ(probe.Output(), "facade loaded\n");
}

TEST(ProbeTest, AfterTheCrashCatcherMessageTheProgramRunsOn)
{
    Probe probe(kBin + L"\\online-probe-bare", L"catcher");
    ASSERT_TRUE(probe.Started());
    const SeenMessageBox box = online_test::ReadAndCloseMessageBox(probe.Id());
    EXPECT_EQ(box.title, L"提示");
    EXPECT_EQ(box.text, L"无法加载DLL,skarnel.dll");
    EXPECT_EQ(probe.ExitCode(), 0);
    EXPECT_EQ(probe.Output(), "not bound\nran on\n");
}

TEST(ProbeTest, CrashesArePostedOnceThenTheProcessEndsWithTheCode)
{
    struct Case {
        const char* name;
        const wchar_t* kind;
        DWORD code;
        const char* codeText;
        const char* codeLine;   // as the exception line writes it
    };
    const Case cases[] = {
        {"access violation", L"access", EXCEPTION_ACCESS_VIOLATION, "0xC0000005", "ExceptionCode:0xc0000005,"},
        {"stack overflow", L"stack", EXCEPTION_STACK_OVERFLOW, "0xC00000FD", "ExceptionCode:0xc00000fd,"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HttpTestServer server([](const HttpTestRequest& r) {
            if (r.target == "/DoLoadLog.php") return HttpTestReply{"200 OK", "report 1 stored"};
            return HttpTestReply{"404 Not Found", ""};
        });
        Probe probe(kBin, L"crash " + std::to_wstring(server.Port()) + L" " + c.kind);
        ASSERT_TRUE(probe.Started());
        const SeenMessageBox box = online_test::ReadAndCloseMessageBox(probe.Id());
        EXPECT_EQ(box.title, L"提示");
        EXPECT_EQ(box.text, L"report 1 stored");
        EXPECT_EQ(static_cast<DWORD>(probe.ExitCode()), c.code);
        EXPECT_EQ(online_test::FindMessageBoxOf(probe.Id()), nullptr) << "no crash dialog";
        EXPECT_EQ(probe.Output().rfind("bound\n", 0), 0u);

        std::vector<HttpTestRequest> posts;
        for (const auto& r : server.Requests())
            if (r.target == "/DoLoadLog.php") posts.push_back(r);
        ASSERT_EQ(posts.size(), 1u);
        const std::string& body = posts[0].body;
        EXPECT_EQ(body.rfind(std::string("exception=Exception code: ") + c.codeText + "\r\nAddress: ", 0), 0u) << body;
        EXPECT_NE(body.find("Thread: "), std::string::npos);
        EXPECT_NE(body.find("#00 online_probe.exe+0x"), std::string::npos) << body;
        EXPECT_NE(body.find(c.codeLine), std::string::npos)
            << "the exception line follows";
        EXPECT_NE(body.find("&mcode="), std::string::npos);
        EXPECT_NE(body.find("&vform=VeskPDF2Image 205"), std::string::npos) << body;
    }
}

TEST(ProbeTest, AnEngineLackingAnEntryPointIsNamedAndTheRestIsBound)
{
    Probe probe(kBin + L"\\online-probe-nodeless", L"wkebind");
    ASSERT_TRUE(probe.Started());
    const SeenMessageBox box = online_test::ReadAndCloseMessageBox(probe.Id());
    EXPECT_TRUE(box.found);
    EXPECT_EQ(box.title, L"wkeGetCaret");
    EXPECT_EQ(box.text, L"wke api not found");
    EXPECT_EQ(online_test::FindMessageBoxOf(probe.Id()), nullptr) << "one box, for the one missing entry point";
    EXPECT_EQ(probe.ExitCode(), 0);
    EXPECT_EQ(probe.Output(), "bound 1 no caret view\n");
}

TEST(ProbeTest, TheRealEngineBindsEveryEntryPointWithoutAMessage)
{
    Probe probe(kBin, L"wkebind");
    ASSERT_TRUE(probe.Started());
    EXPECT_EQ(probe.ExitCode(), 0);
    EXPECT_EQ(online_test::FindMessageBoxOf(probe.Id()), nullptr);
    EXPECT_EQ(probe.Output(), "bound 1 caret view\n");
}

// A program that ends without wkeShutdown while the engine's fetch workers
// are idle must still end: its end once waited for ever on those workers.
TEST(ProbeTest, AProgramThatLoadedAPageEndsWithoutShuttingTheEngineDown)
{
    std::atomic<int> requests{0};
    HttpTestServer server([&](const HttpTestRequest&) {
        ++requests;
        HttpTestReply r;
        r.body = "<body>page</body>";
        r.headers.push_back("Content-Type: text/html");
        return r;
    });
    testsupport::ChildOptions options;
    options.folder = kBin;
    options.keepInput = true;
    const auto run = testsupport::RunChild(L"\"" + kBin + L"\\online_probe.exe\" wkeexit " + std::to_wstring(server.Port()),
                                           options, testsupport::kPumpLimitMs, true);
    ASSERT_TRUE(run.ended) << "the process never ended";
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.output, "loaded\n");
    EXPECT_GE(requests.load(), 1) << "the page came from the server";
}

} // namespace
