#include "LoopbackHttpServer.h"

#include <ws2tcpip.h>

LoopbackHttpServer::LoopbackHttpServer(std::string body) : m_body(std::move(body))
{
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    m_listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(m_listener, reinterpret_cast<sockaddr*>(&addr), sizeof(addr));
    int len = sizeof(addr);
    getsockname(m_listener, reinterpret_cast<sockaddr*>(&addr), &len);
    m_port = ntohs(addr.sin_port);
    listen(m_listener, 4);
    m_thread = std::thread([this] { Serve(); });
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    closesocket(m_listener);   // ends accept() in Serve
    if (m_thread.joinable()) m_thread.join();
    WSACleanup();
}

void LoopbackHttpServer::Serve()
{
    for (;;) {
        SOCKET client = accept(m_listener, nullptr, nullptr);
        if (client == INVALID_SOCKET) return;
        std::string request;
        char buf[4096];
        while (request.find("\r\n\r\n") == std::string::npos) {
            int got = recv(client, buf, sizeof(buf), 0);
            if (got <= 0) break;
            request.append(buf, got);
        }
        m_lastRequest = request;
        std::string reply = "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nConnection: close\r\nContent-Length: " +
                            std::to_string(m_body.size()) + "\r\n\r\n" + m_body;
        send(client, reply.data(), static_cast<int>(reply.size()), 0);
        shutdown(client, SD_SEND);
        closesocket(client);
    }
}
