#pragma once
// A one-request-at-a-time HTTP server on 127.0.0.1 for tests: it answers every
// request with a fixed body and remembers the last request's text.
#include <winsock2.h>
#include <string>
#include <thread>

class LoopbackHttpServer {
public:
    explicit LoopbackHttpServer(std::string body);
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    unsigned short Port() const { return m_port; }
    std::string LastRequest() const { return m_lastRequest; }

private:
    void Serve();

    std::string m_body;
    std::string m_lastRequest;
    SOCKET m_listener = INVALID_SOCKET;
    unsigned short m_port = 0;
    std::thread m_thread;
};
