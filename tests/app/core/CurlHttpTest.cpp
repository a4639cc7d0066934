#include "app/core/CCurlHttpPost.h"
#include "app/core/CCurlHttpQuery.h"

#include "tests/app/core/DebugCapture.h"
#include "tests/support/HttpTestServer.h"

#include <gtest/gtest.h>
#include <curl/curl.h>

#include <stdexcept>

namespace {

std::wstring CurlTextW(CURLcode code)
{
    std::string narrow = curl_easy_strerror(code);
    return std::wstring(narrow.begin(), narrow.end());   // libcurl's texts are ASCII
}

HttpTestServer::Handler Body(std::string body)
{
    return [body](const HttpTestRequest&) {
        HttpTestReply reply;
        reply.body = body;
        return reply;
    };
}

} // namespace

TEST(CurlHttp, GetReturnsTheBodyAndSendsTheDefaultHeadersOncePerRequest)
{
    HttpTestServer server(Body("hello body"));
    CCurlHttpQuery query(server.Url("/path?q=1").c_str(), 0, 0);
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(query.Perform()) << query.ErrorText();
        EXPECT_STREQ(query.GetResponse(), "hello body");
        EXPECT_TRUE(query.IsDone());
        EXPECT_FALSE(query.IsBusy());
        EXPECT_FALSE(query.IsPerforming());
        EXPECT_EQ(query.ResultCode(), 0);
        EXPECT_STREQ(query.ErrorText(), L"");
    }
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    for (const auto& r : requests) {
        EXPECT_EQ(r.method, "GET");
        EXPECT_EQ(r.target, "/path?q=1");
        EXPECT_EQ(r.CountHeader("Connection: keep-alive"), 1);
        EXPECT_EQ(r.CountHeader("Cache-Control: no-cache"), 1);
    }
}

TEST(CurlHttp, AddressesAreSentEscaped)
{
    HttpTestServer server(Body("ok"));
    struct Case { const char* name; std::string path; std::string target; };
    const Case cases[] = {
        {"blank", "/a b", "/a%20b"},
        {"UTF-8 text", "/\xE4\xB8\xAD?x=\xE4\xB8\xAD", "/%E4%B8%AD?x=%E4%B8%AD"},
        {"existing escape of a separator stays", "/q?a=%26b", "/q?a=%26b"},
        {"separators stay", "/p?a=1&b=2", "/p?a=1&b=2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CCurlHttpQuery query(server.Url(c.path).c_str(), 0, 0);
        ASSERT_TRUE(query.Perform()) << query.ErrorText();
        EXPECT_EQ(server.Requests().back().target, c.target);
    }
}

TEST(CurlHttp, UrlOverrideIsSentInsteadOfTheUrl)
{
    HttpTestServer server(Body("ok"));
    CCurlHttpQuery query(HttpTestServer(Body("")).Url("/never").c_str(), 0, 0);
    query.SetUrlOverride(server.Url("/override"));
    ASSERT_TRUE(query.Perform()) << query.ErrorText();
    EXPECT_EQ(server.Requests().at(0).target, "/override");
}

TEST(CurlHttp, PostSendsTheFormBodyUpToItsFirstNul)
{
    HttpTestServer server(Body("posted"));
    struct Case { const char* name; std::string body; std::string sent; };
    const Case cases[] = {
        {"form", "a=1&b=%E4%B8%AD", "a=1&b=%E4%B8%AD"},
        {"embedded NUL", std::string("a=1\0b=2", 7), "a=1"},
        {"empty", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CCurlHttpPost post(server.Url("/DoLoadLog.php").c_str(), 0, 0);
        post.SetBody(c.body);
        ASSERT_TRUE(post.Perform()) << post.ErrorText();
        EXPECT_STREQ(post.GetResponse(), "posted");
        const auto r = server.Requests().back();
        EXPECT_EQ(r.method, "POST");
        EXPECT_EQ(r.body, c.sent);
        EXPECT_EQ(r.CountHeader("Content-Type: application/x-www-form-urlencoded"), 1);
    }
}

TEST(CurlHttp, ResponseBodiesAreKeptByteForByte)
{
    std::string binary;
    for (int i = 0; i < 256; ++i) binary += static_cast<char>(i);
    std::string large(5 * 1024 * 1024, '\0');
    for (size_t i = 0; i < large.size(); ++i) large[i] = static_cast<char>('a' + i % 23);
    struct Case { const char* name; std::string body; };
    const Case cases[] = {
        {"empty", ""},
        {"every byte value, NUL and non-UTF-8 included", binary},
        {"GBK text", "\xD6\xD0\xCE\xC4"},
        {"5 MB", large},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HttpTestServer server(Body(c.body));
        CCurlHttpQuery query(server.Url("/").c_str(), 0, 0);
        ASSERT_TRUE(query.Perform()) << query.ErrorText();
        EXPECT_TRUE(query.Response() == c.body) << query.Response().size() << " bytes";
    }
}

TEST(CurlHttp, AnyHttpStatusIsASuccessfulTransfer)
{
    HttpTestServer server([](const HttpTestRequest&) {
        HttpTestReply reply;
        reply.status = "404 Not Found";
        reply.body = "missing";
        return reply;
    });
    CCurlHttpQuery query(server.Url("/x").c_str(), 0, 0);
    EXPECT_TRUE(query.Perform());
    EXPECT_STREQ(query.GetResponse(), "missing");
}

TEST(CurlHttp, TransferFailuresBecomeTheErrorTextAndCode)
{
    HttpTestServer slow([](const HttpTestRequest&) {
        HttpTestReply reply;
        reply.body = std::string(64, 'x');
        reply.pieceBytes = 8;
        reply.pieceDelayMs = 1000;   // 7 s in all: far beyond the time-out even when the client is slow
        return reply;
    });
    const std::string refused = "http://127.0.0.1:" + std::to_string(HttpTestServer::ClosedPort()) + "/";
    struct Case { const char* name; std::string url; int totalMs; CURLcode code; };
    const Case cases[] = {
        {"connection refused", refused, 0, CURLE_COULDNT_CONNECT},
        {"total time-out", slow.Url("/slow"), 500, CURLE_OPERATION_TIMEDOUT},
        {"bad address", "http://127.0.0.1:99999/", 0, CURLE_URL_MALFORMAT},
        // libcurl refuses to take an option string above 8 MB.
        {"address too long to set", slow.Url("/" + std::string(9 * 1024 * 1024, 'a')), 0, CURLE_BAD_FUNCTION_ARGUMENT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CCurlHttpQuery query(c.url.c_str(), 0, c.totalMs);
        EXPECT_FALSE(query.Perform());
        EXPECT_EQ(query.ResultCode(), c.code);
        EXPECT_EQ(std::wstring(query.ErrorText()), CurlTextW(c.code));
        EXPECT_FALSE(query.IsDone());
        EXPECT_FALSE(query.IsBusy());
    }
}

namespace {

// A listener whose queue of waiting connections is full and never accepted:
// a further connect gets no answer at all.
class FullListener {
public:
    FullListener()
    {
        WSADATA wsa;
        WSAStartup(MAKEWORD(2, 2), &wsa);
        m_listener = HttpTestServer::LoopbackSocket(m_port);
        listen(m_listener, 1);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = htons(m_port);
        for (int i = 0; i < 8; ++i) {
            SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
            u_long nonBlocking = 1;
            ioctlsocket(s, FIONBIO, &nonBlocking);
            connect(s, reinterpret_cast<sockaddr*>(&addr), sizeof(addr));
            m_fillers.push_back(s);
        }
        Sleep(100);
    }
    ~FullListener()
    {
        for (SOCKET s : m_fillers) closesocket(s);
        closesocket(m_listener);
        WSACleanup();
    }
    std::string Url() const { return "http://127.0.0.1:" + std::to_string(m_port) + "/"; }

private:
    SOCKET m_listener;
    unsigned short m_port = 0;
    std::vector<SOCKET> m_fillers;
};

} // namespace

TEST(CurlHttp, ConnectTimeOutEndsAConnectThatGetsNoAnswer)
{
    FullListener listener;
    // The total time-out only bounds the test should the connect one be ignored;
    // the upper bound below lies well under it and still allows a loaded machine.
    CCurlHttpQuery query(listener.Url().c_str(), 400, 30000);
    const ULONGLONG start = GetTickCount64();
    EXPECT_FALSE(query.Perform());
    const ULONGLONG took = GetTickCount64() - start;
    EXPECT_EQ(query.ResultCode(), CURLE_OPERATION_TIMEDOUT);
    EXPECT_GE(took, 350u);
    EXPECT_LT(took, 10000u);
}

TEST(CurlHttp, NoTimeOutsLetASlowReplyFinish)
{
    HttpTestServer slow([](const HttpTestRequest&) {
        HttpTestReply reply;
        reply.delayMs = 700;
        reply.body = "late";
        return reply;
    });
    CCurlHttpQuery query(slow.Url("/").c_str(), 0, 0);
    ASSERT_TRUE(query.Perform()) << query.ErrorText();
    EXPECT_STREQ(query.GetResponse(), "late");
}

TEST(CurlHttp, ASuccessAfterAFailureClearsTheError)
{
    HttpTestServer server([](const HttpTestRequest& r) {
        HttpTestReply reply;
        reply.body = "fine";
        if (r.target == "/slow") reply.delayMs = 20000;   // the server's end cuts this short
        return reply;
    });
    CCurlHttpQuery query(server.Url("/slow").c_str(), 0, 300);
    ASSERT_FALSE(query.Perform());
    ASSERT_NE(std::wstring(query.ErrorText()), L"");
    query.SetUrlOverride(server.Url("/fast"));
    ASSERT_TRUE(query.Perform());
    EXPECT_STREQ(query.ErrorText(), L"");
    EXPECT_EQ(query.ResultCode(), 0);
    EXPECT_TRUE(query.IsDone());
    EXPECT_STREQ(query.GetResponse(), "fine");
}

TEST(CurlHttp, ProxyReceivesTheAbsoluteAddress)
{
    HttpTestServer proxy(Body("via proxy"));
    CCurlHttpQuery query("http://example.invalid/page?a=1", 0, 30000);
    query.SetProxy(proxy.Url(""));
    ASSERT_TRUE(query.Perform()) << query.ErrorText();
    EXPECT_STREQ(query.GetResponse(), "via proxy");
    EXPECT_EQ(proxy.Requests().at(0).target, "http://example.invalid/page?a=1");
}

namespace {

// Steps replaced the way a subclass of the program would.
class StepQuery : public CCurlHttpQuery {
public:
    using CCurlHttpQuery::CCurlHttpQuery;

    bool BeforePerform() override
    {
        if (throwBefore) throw std::runtime_error("prepare failed");
        return true;
    }
    bool AfterPerform(int code) override
    {
        afterCode = code;
        return afterResult;
    }
    int OnDebug(int type, const char* data, size_t length) override
    {
        ++debugCalls;
        return CCurlHttpQuery::OnDebug(type, data, length);
    }
    size_t OnWrite(const char* data, size_t size, size_t count) override
    {
        if (refuseWrite) return 0;
        if (reenter) nestedResult = DoPerform();
        return CCurlHttpQuery::OnWrite(data, size, count);
    }

    bool throwBefore = false;
    bool afterResult = true;
    bool refuseWrite = false;
    bool reenter = false;
    int afterCode = -1;
    int debugCalls = 0;
    bool nestedResult = false;
};

} // namespace

TEST(CurlHttp, SubclassStepsDecideTheResult)
{
    HttpTestServer server(Body("data"));
    {
        SCOPED_TRACE("after-perform refuses");
        StepQuery q(server.Url("/").c_str(), 0, 0);
        q.afterResult = false;
        EXPECT_FALSE(q.Perform());
        EXPECT_EQ(q.afterCode, CURLE_OK);
        EXPECT_EQ(q.ResultCode(), 0);
        EXPECT_STREQ(q.ErrorText(), L"");
        EXPECT_FALSE(q.IsDone());
    }
    {
        SCOPED_TRACE("write refused");
        StepQuery q(server.Url("/").c_str(), 0, 0);
        q.refuseWrite = true;
        EXPECT_FALSE(q.Perform());
        EXPECT_EQ(q.ResultCode(), CURLE_WRITE_ERROR);
        EXPECT_EQ(q.afterCode, CURLE_WRITE_ERROR);
    }
    {
        SCOPED_TRACE("a step throws");
        StepQuery q(server.Url("/").c_str(), 0, 0);
        q.throwBefore = true;
        EXPECT_FALSE(q.Perform());
        EXPECT_STREQ(q.ErrorText(), L"prepare failed");
        EXPECT_FALSE(q.IsBusy());
        EXPECT_FALSE(q.IsPerforming());
    }
    {
        SCOPED_TRACE("a request while one is under way does nothing");
        StepQuery q(server.Url("/").c_str(), 0, 0);
        q.reenter = true;
        EXPECT_TRUE(q.Perform());
        EXPECT_TRUE(q.nestedResult);
        EXPECT_STREQ(q.GetResponse(), "data");
    }
}

TEST(CurlHttp, VerboseModeReportsEveryLibraryMessage)
{
    HttpTestServer server(Body("data"));
    struct Case { const char* name; bool verbose; bool expectMessages; };
    for (const Case& c : {Case{"verbose", true, true}, Case{"quiet", false, false}}) {
        SCOPED_TRACE(c.name);
        StepQuery q(server.Url("/").c_str(), 0, 0);
        q.SetVerbose(c.verbose);
        DebugCapture debug;
        ASSERT_TRUE(q.Perform());
        EXPECT_EQ(q.debugCalls > 0, c.expectMessages);
        // Each message is one line "<time stamp> Type:<n>,<text>", then a separate line end.
        const std::vector<std::wstring> lines = debug.Lines();
        int messages = 0;
        for (size_t i = 0; i < lines.size(); ++i) {
            const size_t type = lines[i].find(L" Type:");
            if (type == std::wstring::npos || type == 0) continue;
            ++messages;
            ASSERT_LT(i + 1, lines.size());
            EXPECT_EQ(lines[i + 1], L"\r\n");
        }
        EXPECT_EQ(messages, q.debugCalls);
    }
}

TEST(CurlHttp, CleanupReleasesTheHandleAndTheObjectCanPerformAgain)
{
    HttpTestServer server(Body("again"));
    CCurlHttpQuery query(server.Url("/").c_str(), 0, 0);
    ASSERT_TRUE(query.Perform());
    EXPECT_TRUE(query.Cleanup(false));
    ASSERT_TRUE(query.Perform()) << query.ErrorText();
    EXPECT_STREQ(query.GetResponse(), "again");
    EXPECT_EQ(server.Requests().back().CountHeader("Connection: keep-alive"), 1);
}
