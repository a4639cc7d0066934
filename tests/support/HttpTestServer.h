#pragma once
// An HTTP/1.1 server on 127.0.0.1 for tests of HTTP clients. Each request
// gets the reply the test's handler returns, sent after an optional delay,
// optionally in small slow pieces; every connection is closed after one reply.
#include <winsock2.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct HttpTestRequest {
    std::string method;
    std::string target;
    std::string head;   // request line and header lines as received
    std::string body;

    // How many header lines read exactly "Name: value".
    int CountHeader(const std::string& line) const;
    bool HasHeaderName(const std::string& name) const;
};

struct HttpTestReply {
    std::string status = "200 OK";
    std::string body;
    std::vector<std::string> headers;
    int delayMs = 0;        // before anything is sent
    int pieceBytes = 0;     // with pieceDelayMs: send the body this many bytes at a time
    int pieceDelayMs = 0;
};

class HttpTestServer {
public:
    using Handler = std::function<HttpTestReply(const HttpTestRequest&)>;

    explicit HttpTestServer(Handler handler);
    ~HttpTestServer();
    HttpTestServer(const HttpTestServer&) = delete;
    HttpTestServer& operator=(const HttpTestServer&) = delete;

    unsigned short Port() const { return m_port; }
    std::string Url(const std::string& path) const;
    std::vector<HttpTestRequest> Requests();

    // A loopback port nobody listens on: connecting is refused.
    static unsigned short ClosedPort();
    // A TCP socket bound to a free loopback port, not yet listening.
    static SOCKET LoopbackSocket(unsigned short& port);

private:
    void AcceptLoop();
    void Serve(SOCKET client);
    bool ReadRequest(SOCKET client, HttpTestRequest& request);
    void SendReply(SOCKET client, const HttpTestReply& reply);
    bool Pause(int ms);

    Handler m_handler;
    SOCKET m_listener = INVALID_SOCKET;
    unsigned short m_port = 0;
    HANDLE m_stop = nullptr;
    std::mutex m_lock;
    std::vector<HttpTestRequest> m_requests;
    std::vector<std::thread> m_connections;
    std::thread m_acceptor;
};
