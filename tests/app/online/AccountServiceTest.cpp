// The account-service facade over our orvik.dll, with the services pointed
// at a local server: page addresses, the once-flag, statistics events.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "app/core/SStringBridge.h"
#include "app/core/TextEncoding.h"
#include "app/online/AccountServiceStartup.h"
#include "app/online/CAccountService.h"
#include "app/online/CCodeData.h"
#include "app/online/ServiceAddresses.h"
#include "app/online/StatisticsEvents.h"
#include "tests/app/core/AppDataGuard.h"
#include "tests/app/online/PageCodecs.h"
#include "tests/support/HttpTestServer.h"
#include "tests/support/MessagePump.h"

namespace {

using online_test::ParsePageAddress;
using online_test::SystemBase64Decode;
using online_test::SystemMd5Hex;
using testsupport::PumpUntil;

// A service whose client answer the test picks; events and answers are recorded.
class AccountServiceTest : public ::testing::Test {
protected:
    void StartService(std::string answer)
    {
        m_answer = std::move(answer);
        m_server = std::make_unique<HttpTestServer>([this](const HttpTestRequest& r) {
            if (r.target.rfind("/account/Api/Client/Answer", 0) == 0) return HttpTestReply{"200 OK", m_answer};
            return HttpTestReply{"200 OK", "ok"};
        });
        const std::wstring base = L"http://127.0.0.1:" + std::to_wstring(m_server->Port()) + L"/";
        ServiceAddresses::Set(ServiceAddress::AccountService, base + L"account/");
        ServiceAddresses::Set(ServiceAddress::SecondService, base + L"second/");
        ServiceAddresses::Set(ServiceAddress::FeedbackService, base + L"feedback/");
        InitAccountServiceOnce(L"C:\\nowhere\\config.ini");
        // As the caption's set-up does: statistics go to the second service.
        Facade()->GetRoot()->SetStartupText(ServiceAddresses::Get(ServiceAddress::SecondService).c_str(), 0);
        ASSERT_TRUE(PumpUntil([&] { return AnswerCount() == 1; }));
    }
    // The answer has been applied once a value that only it sets is seen.
    void WaitForUser(const std::wstring& id)
    {
        ASSERT_TRUE(PumpUntil([&] { return Facade()->GetUserInfo()->GetUserId() == id; }));
    }
    void TearDown() override
    {
        CAccountService::DestroyInstance();
        ServiceAddresses::Reset();
    }
    static CAccountService* Facade() { return CAccountService::Instance(); }
    size_t AnswerCount() { return Count("/account/Api/Client/Answer"); }
    size_t Count(const std::string& prefix)
    {
        size_t n = 0;
        for (const auto& r : m_server->Requests()) n += r.target.rfind(prefix, 0) == 0 ? 1 : 0;
        return n;
    }
    // The decoded "data" of every statistics post, in order.
    std::vector<std::string> EventsSent()
    {
        std::vector<std::string> events;
        for (const auto& r : m_server->Requests()) {
            if (r.target != "/second/Api/Stat/Event") continue;
            const size_t data = r.body.find("data=");
            const size_t end = r.body.find('&', data);
            const std::string code = r.body.substr(r.body.find("code=") + 5, 1);
            events.push_back(code + " " +
                             online_test::PercentDecode(FromUtf8(r.body.substr(data + 5, end - data - 5))));
        }
        return events;
    }
    // Statistics are flushed by the library's Release.
    void FlushStatistics() { Facade()->GetStatistics()->Release(); }

    std::string m_answer;
    std::unique_ptr<HttpTestServer> m_server;
};

TEST_F(AccountServiceTest, PageRecordsGoUnescapedIntoTheAddresses)
{
    StartService(R"({"user":{"id":"a\"b","kind":"vip","logged_in":true}})");
    WaitForUser(L"a\"b");
    const std::wstring account = ServiceAddresses::Get(ServiceAddress::AccountService);
    const std::wstring feedback = ServiceAddresses::Get(ServiceAddress::FeedbackService);

    struct Case {
        const char* name;
        std::wstring url;
        std::wstring prefix;
        std::string record;
    };
    const std::string plain = R"({"u_id":"a"b","theme":"default","dev":"dui"})";
    const Case cases[] = {
        {"login", ToStdString(Facade()->GetLoginPageUrl()), account + L"Index/UserLogin/DoMergeLogin?", plain},
        {"user centre", ToStdString(Facade()->GetUserCenterPageUrl()), account + L"Index/UserLogin/UserCenterNew?",
         plain},
        {"about", ToStdString(Facade()->GetAboutPageUrl()), account + L"Index/UserLogin/About?", plain},
        {"feedback", ToStdString(Facade()->GetFeedbackPageUrl()), feedback + L"QuestionAdvice/questionAdvice?",
         R"({"u_id":"a"b","theme":"default","dev":"dui","session_id":"isNothing"})"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto parsed = ParsePageAddress(c.url);
        ASSERT_TRUE(parsed.parsed) << ToUtf8(c.url);
        EXPECT_EQ(parsed.prefix, c.prefix);
        EXPECT_EQ(parsed.record, c.record);
    }

    const auto fb = ParsePageAddress(cases[3].url);
    const std::wstring signedPart = cases[3].url.substr(0, cases[3].url.find(L"&sign="));
    EXPECT_EQ(fb.sign, SystemMd5Hex(ToUtf8(signedPart + L"Gh3sWq8LmZt5Rv1NcYe6Kp0XuBd2")));
    EXPECT_EQ(fb.rest, L"&orvik_type=vip");
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(ParsePageAddress(cases[i].url).sign.empty()) << cases[i].name;
}

TEST_F(AccountServiceTest, FeedbackCarriesTheSessionOnceStatisticsStarted)
{
    StartService(R"({"user":{"id":"u1"}})");
    WaitForUser(L"u1");
    Facade()->GetStatistics()->Start();
    const std::wstring session = Facade()->GetStatistics()->GetSessionId();
    ASSERT_FALSE(session.empty());
    const auto parsed = ParsePageAddress(ToStdString(Facade()->GetFeedbackPageUrl()));
    EXPECT_EQ(parsed.record, R"({"u_id":"u1","theme":"default","dev":"dui","session_id":")" + ToUtf8(session) + "\"}");
    EXPECT_EQ(parsed.rest, L"&orvik_type=") << "an empty account kind";
}

TEST_F(AccountServiceTest, SecondInitChangesNothing)
{
    StartService("{}");
    EXPECT_TRUE(CAccountService::IsInitialised());
    ServiceAddresses::Set(ServiceAddress::AccountService, L"http://127.0.0.1:1/other/");
    InitAccountServiceOnce(L"C:\\elsewhere\\config.ini");
    EXPECT_EQ(Facade()->AccountServiceBase(),
              L"http://127.0.0.1:" + std::to_wstring(m_server->Port()) + L"/account/");
    testsupport::PumpFor(100);
    EXPECT_EQ(AnswerCount(), 1u) << "one client answer per run";
}

TEST_F(AccountServiceTest, ModuleEventsCarryTheirRecord)
{
    AppDataGuard appData;   // the account flags live in the global settings
    StartService("{}");
    ReportModuleEvent(L"MainWnd", L"<开始转换>按钮", L"click", {{L"count", L"3"}});
    ReportModuleEvent(L"MainWnd", L"b", L"click", {{L"user_type", L"9"}, {L"event_type", L"mine"}});
    FlushStatistics();
    const std::vector<std::string> expected = {
        R"(1 {"button":"<开始转换>按钮","ext_data":{"count":"3","event_type":"parameter","user_type":"0"},"type":"click","window":"MainWnd"})",
        R"(1 {"button":"b","ext_data":{"event_type":"parameter","user_type":"9"},"type":"click","window":"MainWnd"})",
    };
    EXPECT_EQ(EventsSent(), expected);
    EXPECT_EQ(GetStatContext().at(L"trigger_position"), L"title");
}

TEST_F(AccountServiceTest, PageLoadFailuresAreSentOnlyOnChannelOne)
{
    struct Case {
        const char* name;
        const char* answer;
        bool sent;
    };
    const Case cases[] = {
        {"channel 1", R"({"channel":"1"})", true},
        {"channel 0", R"({"channel":"0"})", false},
        {"no channel", R"({})", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartService(c.answer);
        // The channel is set by the answer: wait until the facade reads it.
        testsupport::PumpUntil([&] { return std::wstring(Facade()->GetProductInfo()->GetChannelText()) != L""; }, 500);
        ReportPageLoadFailure(L"http://页面.test/a?b=1");
        FlushStatistics();
        const auto events = EventsSent();
        if (c.sent) {
            ASSERT_EQ(events.size(), 1u);
            const std::string prefix = R"(3 {"button":"","ext_data":{"describe":"load_web_page_fail","url":")";
            ASSERT_EQ(events[0].rfind(prefix, 0), 0u) << events[0];
            const std::string url = events[0].substr(prefix.size(), events[0].find('"', prefix.size()) - prefix.size());
            EXPECT_EQ(SystemBase64Decode(url), "http://页面.test/a?b=1");
            EXPECT_NE(events[0].find(R"("type":"process","window":"")"), std::string::npos);
        } else {
            EXPECT_TRUE(events.empty());
        }
        CAccountService::DestroyInstance();
    }
}

TEST(CCodeDataTest, WritesCompactSortedJson)
{
    CCodeData record;
    record.SetWindow(L"w");
    record.SetType(L"t");
    record.SetButton(L"按钮");
    record.Ext().Strings()[L"z"] = L"1";
    record.Ext().Strings()[L"a"] = L"\"q\"";
    EXPECT_EQ(record.ToString(), R"({"button":"按钮","ext_data":{"a":"\"q\"","z":"1"},"type":"t","window":"w"})");
}

} // namespace
