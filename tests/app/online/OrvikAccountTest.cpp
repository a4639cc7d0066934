// The account side of our orvik.dll, driven directly with short intervals
// and a clock of the test's own, against a local server.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>

#include "app/core/TextEncoding.h"
#include "app/online/IOrvikExport.h"
#include "components/orvik/OrvikAccount.h"
#include "tests/support/HttpTestServer.h"
#include "tests/support/MessagePump.h"
#include "tests/support/MessageWindow.h"

namespace {

using testsupport::PumpUntil;

const char kFullAnswer[] =
    R"({"latest_version":"206","channel":"1","startup":1,"adverts":true,"accounts":true,)"
    R"("config":{"ForceUpdate":"1","jcurl":"http://tutorial.test/"},)"
    R"("user":{"id":"u-7","name":"李雷","kind":"vip","logged_in":true}})";

OrvikProduct ProductFor(const HttpTestServer& server)
{
    return {L"205", L"001", L"206", L"KEY", L"http://127.0.0.1:" + std::to_wstring(server.Port()) + L"/", L"MCODE"};
}

size_t CountTargets(HttpTestServer& server, const std::string& prefix)
{
    size_t n = 0;
    for (const auto& r : server.Requests()) n += r.target.rfind(prefix, 0) == 0 ? 1 : 0;
    return n;
}

TEST(OrvikAccountTest, AnswerValuesReplaceTheOfflineOnes)
{
    HttpTestServer server([](const HttpTestRequest&) { return HttpTestReply{"200 OK", kFullAnswer}; });
    OrvikAccount account;
    account.Start(ProductFor(server));
    ASSERT_TRUE(PumpUntil([&] { return account.AnswerArrived(); }));

    EXPECT_EQ(account.LatestVersion(), L"206");
    EXPECT_EQ(account.Channel(), L"1");
    EXPECT_EQ(account.ConfigValue(L"ForceUpdate"), L"1");
    EXPECT_EQ(account.ConfigValue(L"jcurl"), L"http://tutorial.test/");
    EXPECT_EQ(account.ConfigValue(L"unknown"), L"");
    EXPECT_TRUE(account.AdvertsEnabled());
    const OrvikUser user = account.User();
    EXPECT_TRUE(user.loggedIn);
    EXPECT_EQ(user.id, L"u-7");
    EXPECT_EQ(user.name, L"李雷");
    EXPECT_EQ(user.kind, L"vip");

    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u) << "one GET of the client answer";
    EXPECT_EQ(requests[0].method, "GET");
    EXPECT_EQ(requests[0].target, "/Api/Client/Answer?version=205&code=001&product=206&key=KEY&machine=MCODE");
}

TEST(OrvikAccountTest, ReadersGetOfflineValuesAtOnceWhileTheServiceIsSlow)
{
    HttpTestServer server([](const HttpTestRequest&) {
        HttpTestReply reply{"200 OK", kFullAnswer};
        reply.delayMs = 20000;
        return reply;
    });
    OrvikAccount account;
    account.Start(ProductFor(server));
    ASSERT_TRUE(PumpUntil([&] { return server.Requests().size() == 1; }));

    const ULONGLONG start = GetTickCount64();
    EXPECT_EQ(account.StartupValue(), 1);
    EXPECT_EQ(account.LatestVersion(), L"205") << "latest = current until the service answers";
    EXPECT_FALSE(account.AdvertsEnabled());
    EXPECT_FALSE(account.User().loggedIn);
    EXPECT_EQ(account.Channel(), L"");
    EXPECT_LT(GetTickCount64() - start, 500u) << "no reader waits for the network";

    const ULONGLONG stopStart = GetTickCount64();
    account.Stop();
    EXPECT_LT(GetTickCount64() - stopStart, 5000u) << "stopping abandons the request in flight";
}

TEST(OrvikAccountTest, UnusableAnswersKeepTheOfflineValues)
{
    struct Case {
        const char* name;
        HttpTestReply reply;
        const wchar_t* error;   // a part of the reason kept
    };
    const Case cases[] = {
        {"not JSON", {"200 OK", "<html>busy</html>"}, L"not JSON"},
        {"not an object", {"200 OK", "[1,2]"}, L"not a JSON object"},
        {"refused", {"500 Internal Server Error", kFullAnswer}, L"500"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HttpTestServer server([&](const HttpTestRequest&) { return c.reply; });
        OrvikAccount account;
        account.Start(ProductFor(server));
        ASSERT_TRUE(PumpUntil([&] { return !account.LastError().empty(); }));
        EXPECT_NE(account.LastError().find(c.error), std::wstring::npos) << std::string(ToUtf8(account.LastError()));
        EXPECT_FALSE(account.AnswerArrived());
        EXPECT_EQ(account.StartupValue(), 1);
        EXPECT_EQ(account.LatestVersion(), L"205");
        EXPECT_FALSE(account.User().loggedIn);
    }
}

TEST(OrvikAccountTest, StartupValueChangesOnlyWhenTheServiceSaysSo)
{
    struct Case {
        const char* name;
        const char* answer;
        int expected;
    };
    const Case cases[] = {
        {"no member", R"({"latest_version":"206"})", 1},
        {"a text is no answer", R"({"startup":"0"})", 1},
        {"explicit 0", R"({"startup":0})", 0},
        {"explicit 1", R"({"startup":1})", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HttpTestServer server([&](const HttpTestRequest&) { return HttpTestReply{"200 OK", c.answer}; });
        OrvikAccount account;
        account.Start(ProductFor(server));
        ASSERT_TRUE(PumpUntil([&] { return account.AnswerArrived(); }));
        EXPECT_EQ(account.StartupValue(), c.expected);
    }
}

TEST(OrvikAccountTest, LatestVersionIsAskedAgainOnceItIsSixtySecondsOld)
{
    std::atomic<int> served{0};
    HttpTestServer server([&](const HttpTestRequest&) {
        const int n = ++served;
        return HttpTestReply{"200 OK", n == 1 ? R"({"latest_version":"206"})" : R"({"latest_version":"207"})"};
    });
    std::atomic<ULONGLONG> now{1000000};
    OrvikAccount account({}, [&] { return now.load(); });
    account.Start(ProductFor(server));
    ASSERT_TRUE(PumpUntil([&] { return account.AnswerArrived(); }));
    EXPECT_EQ(account.LatestVersion(), L"206");

    now += 59999;
    EXPECT_EQ(account.LatestVersion(), L"206");
    testsupport::PumpFor(100);
    EXPECT_EQ(served.load(), 1) << "not yet 60 s old";

    now += 1;
    EXPECT_EQ(account.LatestVersion(), L"206") << "the reader still gets the value it has";
    ASSERT_TRUE(PumpUntil([&] { return account.LatestVersion() == L"207"; }));
    EXPECT_EQ(served.load(), 2);
}

// The login watch posts to a window: a message window of the test collects them.
struct Posted {
    std::mutex lock;
    std::vector<std::pair<UINT, LPARAM>> messages;
    size_t Count(UINT message)
    {
        std::lock_guard<std::mutex> l(lock);
        size_t n = 0;
        for (const auto& m : messages) n += m.first == message ? 1 : 0;
        return n;
    }
};

testsupport::MessageWindow CollectingWindow(Posted& posted)
{
    return testsupport::MessageWindow([&](UINT msg, WPARAM, LPARAM lp, LRESULT&) {
        if (msg != UM_ACCOUNT_STATE_CHANGED && msg != UM_ACCOUNT_ERROR) return false;
        std::lock_guard<std::mutex> l(posted.lock);
        posted.messages.push_back({msg, lp});
        return true;
    });
}

OrvikTimings ShortPolls()
{
    OrvikTimings timings;
    timings.loginPollIntervalMs = 30;
    timings.loginPollForMs = 400;
    return timings;
}

TEST(OrvikAccountTest, LoginWatchPollsUntilTheUserLogsIn)
{
    std::atomic<int> polls{0};
    HttpTestServer server([&](const HttpTestRequest& r) {
        if (r.target.rfind("/Api/Client/Answer", 0) == 0) return HttpTestReply{"200 OK", "{}"};
        const bool in = ++polls >= 3;
        return HttpTestReply{"200 OK", in ? R"({"user":{"id":"u1","name":"Han","logged_in":true}})"
                                          : R"({"user":{"logged_in":false}})"};
    });
    Posted posted;
    testsupport::MessageWindow window = CollectingWindow(posted);
    OrvikAccount account(ShortPolls());
    account.SetNotifyWindow(window.Hwnd());
    account.Start(ProductFor(server));
    ASSERT_TRUE(PumpUntil([&] { return account.AnswerArrived(); }));

    account.WatchLogin();
    ASSERT_TRUE(PumpUntil([&] { return posted.Count(UM_ACCOUNT_STATE_CHANGED) == 1; }));
    EXPECT_TRUE(account.User().loggedIn);
    EXPECT_EQ(account.User().name, L"Han");
    EXPECT_FALSE(account.WatchingLogin()) << "the awaited login came";
    testsupport::PumpFor(200);
    EXPECT_EQ(polls.load(), 3) << "no poll after the login";
    EXPECT_EQ(CountTargets(server, "/Api/Client/User?"), 3u);
    EXPECT_EQ(posted.Count(UM_ACCOUNT_ERROR), 0u);
}

TEST(OrvikAccountTest, LoginWatchEndsWhenItsTimeIsOver)
{
    HttpTestServer server([](const HttpTestRequest& r) {
        if (r.target.rfind("/Api/Client/Answer", 0) == 0) return HttpTestReply{"200 OK", "{}"};
        return HttpTestReply{"200 OK", R"({"user":{"logged_in":false}})"};
    });
    OrvikAccount account(ShortPolls());
    account.Start(ProductFor(server));
    ASSERT_TRUE(PumpUntil([&] { return account.AnswerArrived(); }));
    EXPECT_EQ(CountTargets(server, "/Api/Client/User?"), 0u) << "nothing is polled before a login is awaited";

    account.WatchLogin();
    ASSERT_TRUE(PumpUntil([&] { return !account.WatchingLogin(); }));
    const size_t polls = CountTargets(server, "/Api/Client/User?");
    // 400 ms at one poll per 30 ms, on a machine that may be slow.
    EXPECT_GE(polls, 3u);
    EXPECT_LE(polls, 14u);
    testsupport::PumpFor(150);
    EXPECT_EQ(CountTargets(server, "/Api/Client/User?"), polls);
}

TEST(OrvikAccountTest, DeviceLimitIsPostedOnceAsAnAccountError)
{
    HttpTestServer server([](const HttpTestRequest& r) {
        if (r.target.rfind("/Api/Client/Answer", 0) == 0) return HttpTestReply{"200 OK", "{}"};
        return HttpTestReply{"200 OK", R"({"user":{"id":"u1","logged_in":false,"over_device_limit":true}})"};
    });
    Posted posted;
    testsupport::MessageWindow window = CollectingWindow(posted);
    OrvikAccount account(ShortPolls());
    account.SetNotifyWindow(window.Hwnd());
    account.Start(ProductFor(server));
    ASSERT_TRUE(PumpUntil([&] { return account.AnswerArrived(); }));
    account.WatchLogin();
    ASSERT_TRUE(PumpUntil([&] { return !account.WatchingLogin(); }));
    testsupport::PumpFor(50);

    std::lock_guard<std::mutex> l(posted.lock);
    const std::vector<std::pair<UINT, LPARAM>> expected = {{UM_ACCOUNT_STATE_CHANGED, 0},
                                                           {UM_ACCOUNT_ERROR, kAccountErrorDeviceLimit}};
    EXPECT_EQ(posted.messages, expected);
}

TEST(OrvikAccountTest, LogOutPostsTheChange)
{
    HttpTestServer server([](const HttpTestRequest&) { return HttpTestReply{"200 OK", kFullAnswer}; });
    Posted posted;
    testsupport::MessageWindow window = CollectingWindow(posted);
    OrvikAccount account;
    account.SetNotifyWindow(window.Hwnd());
    account.Start(ProductFor(server));
    ASSERT_TRUE(PumpUntil([&] { return posted.Count(UM_ACCOUNT_STATE_CHANGED) == 1; })) << "the answer's login";
    account.LogOut();
    ASSERT_TRUE(PumpUntil([&] { return posted.Count(UM_ACCOUNT_STATE_CHANGED) == 2; }));
    EXPECT_FALSE(account.User().loggedIn);
    EXPECT_EQ(account.User().id, L"");
}

} // namespace
