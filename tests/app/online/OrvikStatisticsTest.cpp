// The statistics side of our orvik.dll: events are queued, posted in order
// to the second service, and flushed for at most a second at the end.
#include <gtest/gtest.h>

#include <map>

#include "components/orvik/OrvikStatisticsQueue.h"
#include "tests/support/HttpTestServer.h"
#include "tests/support/MessagePump.h"

namespace {

using testsupport::PumpUntil;

std::map<std::string, std::string> FormFields(const std::string& body)
{
    std::map<std::string, std::string> fields;
    size_t start = 0;
    while (start <= body.size()) {
        const size_t end = body.find('&', start);
        const std::string pair = body.substr(start, end == std::string::npos ? std::string::npos : end - start);
        const size_t eq = pair.find('=');
        fields[pair.substr(0, eq)] = eq == std::string::npos ? "" : pair.substr(eq + 1);
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return fields;
}

std::wstring BaseOf(const HttpTestServer& server)
{
    return L"http://127.0.0.1:" + std::to_wstring(server.Port()) + L"/";
}

TEST(OrvikStatisticsTest, EventsArePostedInOrderWithTheSessionOnceStarted)
{
    HttpTestServer server([](const HttpTestRequest&) { return HttpTestReply{"200 OK", "ok"}; });
    OrvikStatisticsQueue queue;
    queue.SetServiceBase(BaseOf(server));
    queue.SetApplicationKey(L"KEY");
    queue.SetProductVersionId(L"206205000");
    queue.SetMode(0);
    EXPECT_EQ(queue.SessionId(), L"") << "no session before Start";
    queue.Send(L"1", L"{\"a\":\"x y&z\"}");
    queue.Start();
    const std::wstring session = queue.SessionId();
    EXPECT_EQ(session.size(), 32u);
    queue.Send(L"3", L"{\"b\":\"中\"}");
    ASSERT_TRUE(PumpUntil([&] { return queue.Pending() == 0 && server.Requests().size() == 2; }));

    const auto requests = server.Requests();
    EXPECT_EQ(requests[0].method, "POST");
    EXPECT_EQ(requests[0].target, "/Api/Stat/Event");
    const auto first = FormFields(requests[0].body);
    EXPECT_EQ(first.at("code"), "1");
    EXPECT_EQ(first.at("data"), "%7B%22a%22%3A%22x%20y%26z%22%7D");
    EXPECT_EQ(first.at("session_id"), "") << "sent before Start";
    EXPECT_EQ(first.at("key"), "KEY");
    EXPECT_EQ(first.at("pvid"), "206205000");
    EXPECT_EQ(first.at("mode"), "0");
    const auto second = FormFields(requests[1].body);
    EXPECT_EQ(second.at("code"), "3");
    EXPECT_EQ(second.at("data"), "%7B%22b%22%3A%22%E4%B8%AD%22%7D");
    EXPECT_EQ(second.at("session_id"), std::string(session.begin(), session.end()));
    EXPECT_EQ(queue.Failed(), 0u);
}

TEST(OrvikStatisticsTest, ReleaseFlushesForAtMostOneSecond)
{
    HttpTestServer server([](const HttpTestRequest&) {
        HttpTestReply reply{"200 OK", "ok"};
        reply.delayMs = 20000;
        return reply;
    });
    OrvikStatisticsQueue queue;
    queue.SetServiceBase(BaseOf(server));
    for (int i = 0; i < 3; ++i) queue.Send(L"1", L"{}");
    ASSERT_TRUE(PumpUntil([&] { return server.Requests().size() == 1; }));

    const ULONGLONG start = GetTickCount64();
    queue.Release();
    const ULONGLONG took = GetTickCount64() - start;
    EXPECT_GE(took, 900u) << "the queue was given its second";
    EXPECT_LT(took, 3000u) << "and not much more";
    queue.Send(L"1", L"{}");
    EXPECT_EQ(queue.Pending(), 0u) << "nothing is queued after Release";
    EXPECT_EQ(server.Requests().size(), 1u);
}

TEST(OrvikStatisticsTest, ReleaseReturnsAtOnceWhenAllIsSent)
{
    HttpTestServer server([](const HttpTestRequest&) { return HttpTestReply{"200 OK", "ok"}; });
    OrvikStatisticsQueue queue;
    queue.SetServiceBase(BaseOf(server));
    queue.Send(L"1", L"{}");
    ASSERT_TRUE(PumpUntil([&] { return queue.Pending() == 0; }));
    const ULONGLONG start = GetTickCount64();
    queue.Release();
    EXPECT_LT(GetTickCount64() - start, 500u);
}

TEST(OrvikStatisticsTest, RefusedAndUnreachablePostsAreCountedNotRetried)
{
    HttpTestServer server([](const HttpTestRequest&) { return HttpTestReply{"500 Internal Server Error", "no"}; });
    OrvikStatisticsQueue queue;
    queue.SetServiceBase(BaseOf(server));
    queue.Send(L"1", L"{}");
    ASSERT_TRUE(PumpUntil([&] { return queue.Failed() == 1; }));
    EXPECT_NE(queue.LastError().find(L"500"), std::wstring::npos);

    OrvikStatisticsQueue closed;
    closed.SetServiceBase(L"http://127.0.0.1:" + std::to_wstring(HttpTestServer::ClosedPort()) + L"/");
    closed.Send(L"1", L"{}");
    ASSERT_TRUE(PumpUntil([&] { return closed.Failed() == 1; }));
    EXPECT_FALSE(closed.LastError().empty());
    EXPECT_EQ(server.Requests().size(), 1u);
}

} // namespace
