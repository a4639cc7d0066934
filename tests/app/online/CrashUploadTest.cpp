// The program's crash observer, called as the catcher would call it, against
// a local crash-log service; the test reads and closes the box it shows.
#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "app/core/OsInfo.h"
#include "app/core/TextEncoding.h"
#include "app/online/CAccountService.h"
#include "app/online/CBLLDumpCatchUpload.h"
#include "app/online/ServiceAddresses.h"
#include "tests/app/online/MessageBoxes.h"
#include "tests/support/HttpTestServer.h"

namespace {

class CrashUploadTest : public ::testing::Test {
protected:
    void Serve(HttpTestReply reply)
    {
        m_server = std::make_unique<HttpTestServer>([reply](const HttpTestRequest&) { return reply; });
        ServiceAddresses::Set(ServiceAddress::CrashLog,
                              L"http://127.0.0.1:" + std::to_wstring(m_server->Port()) + L"/DoLoadLog.php");
    }
    void TearDown() override
    {
        CAccountService::DestroyInstance();
        ServiceAddresses::Reset();
    }
    // OnDump on a thread of its own, as the catcher calls it; the box it
    // shows is read and closed here.
    SeenMessageBox Dump(CBLLDumpCatchUpload& observer, EXCEPTION_POINTERS* pointers, const char* text)
    {
        auto done = std::async(std::launch::async, [&] { return observer.OnDump(pointers, text); });
        SeenMessageBox seen = online_test::ReadAndCloseMessageBox(GetCurrentProcessId());
        EXPECT_EQ(done.get(), 1);
        return seen;
    }

    std::unique_ptr<HttpTestServer> m_server;
};

TEST_F(CrashUploadTest, PostsOnceAndShowsTheReply)
{
    Serve({"200 OK", "日志已收到"});
    CBLLDumpCatchUpload observer;
    const SeenMessageBox box = Dump(observer, nullptr, "crash a&b=c");
    EXPECT_TRUE(box.found);
    EXPECT_EQ(box.title, L"提示");
    EXPECT_EQ(box.text, L"日志已收到");

    auto second = std::async(std::launch::async, [&] { return observer.OnDump(nullptr, "again"); });
    EXPECT_EQ(second.get(), 1);

    const auto requests = m_server->Requests();
    ASSERT_EQ(requests.size(), 1u) << "one report per run";
    EXPECT_EQ(requests[0].method, "POST");
    EXPECT_EQ(requests[0].target, "/DoLoadLog.php");
    IOrvikServerInfo* server = CAccountService::Instance()->GetServerInfo();
    const std::string expected = "exception=crash a&b=c&mcode=" + ToUtf8(server->GetMachineCode()) +
                                 "&uid=&vform=" + ToUtf8(server->GetVersionInformation());
    EXPECT_EQ(requests[0].body, expected) << "keys in order, nothing escaped";
}

TEST_F(CrashUploadTest, TheExceptionLineFollowsTheCatchersText)
{
    Serve({"200 OK", "ok"});
    EXCEPTION_RECORD record = {};
    record.ExceptionCode = EXCEPTION_ACCESS_VIOLATION;
    record.ExceptionFlags = 1;
    record.ExceptionAddress = reinterpret_cast<void*>(0x7FF6A1B2C3D4ull);
    record.NumberParameters = 2;
    CONTEXT context = {};
    EXCEPTION_POINTERS pointers{&record, &context};
    CBLLDumpCatchUpload observer;
    Dump(observer, &pointers, "text\r\n");

    const std::string line = "ExceptionCode:0xc0000005,ExceptionFlags:0x00000001,SysName:" + ToUtf8(GetOSProductName()) +
                             ",ExceptionAddress:0x00007FF6A1B2C3D4,NumberParameters:0x00000002\n\n\n";
    EXPECT_EQ(CBLLDumpCatchUpload::FormatExceptionText(record, GetOSProductName()), line);
    ASSERT_EQ(m_server->Requests().size(), 1u);
    const std::string body = m_server->Requests()[0].body;
    EXPECT_EQ(body.rfind("exception=text\r\n" + line + "&mcode=", 0), 0u) << body;
}

TEST_F(CrashUploadTest, FailuresShowAnError)
{
    struct Case {
        const char* name;
        bool closed;
        HttpTestReply reply;
        const wchar_t* part;   // a part of the text shown
    };
    const Case cases[] = {
        {"refused with 500", false, {"500 Internal Server Error", "boom"}, L"500"},
        {"not found", false, {"404 Not Found", "gone"}, L"404"},
        {"nobody listens", true, {}, L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.closed) {
            m_server.reset();
            ServiceAddresses::Set(ServiceAddress::CrashLog,
                                  L"http://127.0.0.1:" + std::to_wstring(HttpTestServer::ClosedPort()) + L"/DoLoadLog.php");
        } else {
            Serve(c.reply);
        }
        CBLLDumpCatchUpload observer;
        const SeenMessageBox box = Dump(observer, nullptr, "x");
        EXPECT_TRUE(box.found);
        EXPECT_EQ(box.title, L"错误");
        EXPECT_FALSE(box.text.empty());
        EXPECT_NE(box.text.find(c.part), std::wstring::npos) << ToUtf8(box.text);
    }
}

TEST(CrashUploadFieldsTest, SetReportFieldsStoresTheThree)
{
    CBLLDumpCatchUpload observer;
    observer.SetReportFields("v", "u", "m");
    const std::map<std::string, std::string> expected = {{"mcode", "m"}, {"uid", "u"}, {"vform", "v"}};
    EXPECT_EQ(observer.Form(), expected);
}

} // namespace
