#include "tests/support/HttpTestServer.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <sstream>

namespace {

bool SendAll(SOCKET s, const char* data, size_t size)
{
    while (size) {
        int sent = send(s, data, static_cast<int>(std::min<size_t>(size, 65536)), 0);
        if (sent <= 0) return false;
        data += sent;
        size -= sent;
    }
    return true;
}

} // namespace

SOCKET HttpTestServer::LoopbackSocket(unsigned short& port)
{
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof(addr));
    int len = sizeof(addr);
    getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len);
    port = ntohs(addr.sin_port);
    return s;
}

int HttpTestRequest::CountHeader(const std::string& line) const
{
    int count = 0;
    for (size_t pos = head.find("\r\n" + line + "\r\n"); pos != std::string::npos;
         pos = head.find("\r\n" + line + "\r\n", pos + 2))
        ++count;
    return count;
}

bool HttpTestRequest::HasHeaderName(const std::string& name) const
{
    return head.find("\r\n" + name + ":") != std::string::npos;
}

HttpTestServer::HttpTestServer(Handler handler) : m_handler(std::move(handler))
{
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    m_stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_listener = LoopbackSocket(m_port);
    listen(m_listener, 16);
    m_acceptor = std::thread([this] { AcceptLoop(); });
}

HttpTestServer::~HttpTestServer()
{
    SetEvent(m_stop);
    closesocket(m_listener);   // ends accept()
    m_acceptor.join();
    for (auto& t : m_connections) t.join();
    CloseHandle(m_stop);
    WSACleanup();
}

std::string HttpTestServer::Url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

std::vector<HttpTestRequest> HttpTestServer::Requests()
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_requests;
}

unsigned short HttpTestServer::ClosedPort()
{
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    unsigned short port = 0;
    closesocket(LoopbackSocket(port));
    WSACleanup();
    return port;
}

void HttpTestServer::AcceptLoop()
{
    for (;;) {
        SOCKET client = accept(m_listener, nullptr, nullptr);
        if (client == INVALID_SOCKET) return;
        std::lock_guard<std::mutex> lock(m_lock);
        m_connections.emplace_back([this, client] { Serve(client); });
    }
}

void HttpTestServer::Serve(SOCKET client)
{
    HttpTestRequest request;
    if (ReadRequest(client, request)) {
        {
            std::lock_guard<std::mutex> lock(m_lock);
            m_requests.push_back(request);
        }
        SendReply(client, m_handler(request));
    }
    shutdown(client, SD_SEND);
    closesocket(client);
}

bool HttpTestServer::ReadRequest(SOCKET client, HttpTestRequest& request)
{
    std::string data;
    char buf[8192];
    size_t headEnd;
    while ((headEnd = data.find("\r\n\r\n")) == std::string::npos) {
        int got = recv(client, buf, sizeof(buf), 0);
        if (got <= 0) return false;
        data.append(buf, got);
    }
    request.head = data.substr(0, headEnd + 2);
    std::istringstream line(request.head);
    line >> request.method >> request.target;
    size_t length = 0;
    const size_t at = request.head.find("\r\nContent-Length: ");
    if (at != std::string::npos) length = std::stoul(request.head.substr(at + 18));
    request.body = data.substr(headEnd + 4);
    while (request.body.size() < length) {
        int got = recv(client, buf, sizeof(buf), 0);
        if (got <= 0) return false;
        request.body.append(buf, got);
    }
    return true;
}

void HttpTestServer::SendReply(SOCKET client, const HttpTestReply& reply)
{
    if (!Pause(reply.delayMs)) return;
    std::string head = "HTTP/1.1 " + reply.status + "\r\nConnection: close\r\nContent-Length: " +
                       std::to_string(reply.body.size()) + "\r\n";
    for (const auto& h : reply.headers) head += h + "\r\n";
    head += "\r\n";
    if (!SendAll(client, head.data(), head.size())) return;
    const size_t piece = reply.pieceBytes > 0 ? reply.pieceBytes : reply.body.size();
    for (size_t pos = 0; pos < reply.body.size(); pos += piece) {
        if (pos && !Pause(reply.pieceDelayMs)) return;
        if (!SendAll(client, reply.body.data() + pos, std::min(piece, reply.body.size() - pos))) return;
    }
}

// False when the server is stopping.
bool HttpTestServer::Pause(int ms)
{
    return ms <= 0 || WaitForSingleObject(m_stop, ms) == WAIT_TIMEOUT;
}
