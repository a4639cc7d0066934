#include "components/TorvaneSetupLoading/SplashClient.h"

#include <cstdlib>
#include <memory>

#include "app/core/SplashProtocol.h"
#include "dui/core/base/SCodePage.h"

namespace {

std::wstring FromUtf8(const std::string& text)
{
    std::wstring out;
    return DUI::MultiToWide(CP_UTF8, text.data(), static_cast<int>(text.size()), out) ? out : std::wstring();
}

bool StartsWith(const std::string& text, std::string_view prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

} // namespace

SplashClient::~SplashClient()
{
    if (!m_reader) return;
    // A cancel that comes before the thread enters ReadFile is lost, so it is
    // repeated until the thread has ended; only then may the pipe go.
    do {
        CancelSynchronousIo(m_reader);
    } while (WaitForSingleObject(m_reader, 100) == WAIT_TIMEOUT);
}

bool SplashClient::Connect(const std::wstring& pipeName, DWORD timeoutMs)
{
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        m_pipe.Reset(CreateFileW(pipeName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        if (m_pipe) return true;
        if (GetTickCount64() >= end) return false;
        Sleep(50);
    }
}

bool SplashClient::SayHello()
{
    DWORD written = 0;
    const std::string_view hello = SplashProtocol::kHello;
    return WriteFile(m_pipe, hello.data(), static_cast<DWORD>(hello.size()), &written, nullptr) &&
           written == hello.size();
}

void SplashClient::StartReading(HWND window)
{
    m_window = window;
    m_reader.Reset(CreateThread(nullptr, 0, &SplashClient::ReaderEntry, this, 0, nullptr));
    if (!m_reader) PostMessageW(window, WM_SPLASH_EXIT, 0, 0);
}

DWORD WINAPI SplashClient::ReaderEntry(void* self)
{
    auto* client = static_cast<SplashClient*>(self);
    // Nothing may leave a thread entry: a reader that fails ends the splash
    // as a broken pipe would.
    try {
        client->ReadLoop();
        return 0;
    } catch (...) {
        OutputDebugStringW(L"TorvaneSetupLoading: exception stopped at the pipe reader\n");
        PostMessageW(client->m_window, WM_SPLASH_EXIT, 0, 0);
        return 1;
    }
}

SplashLine SplashClient::ParseLine(const std::string& line)
{
    SplashLine parsed;
    if (StartsWith(line, SplashProtocol::kProgress)) {
        parsed.kind = SplashLine::Kind::Progress;
        parsed.progress = std::atoi(line.c_str() + SplashProtocol::kProgress.size());
        if (parsed.progress < 0) parsed.progress = 0;
        if (parsed.progress > 100) parsed.progress = 100;
    } else if (StartsWith(line, SplashProtocol::kState)) {
        parsed.kind = SplashLine::Kind::State;
        parsed.state = line.substr(SplashProtocol::kState.size());
    } else if (StartsWith(line, SplashProtocol::kExit)) {
        parsed.kind = SplashLine::Kind::Exit;
    }
    return parsed;
}

void SplashClient::ReadLoop()
{
    const HWND window = m_window;
    std::string pending;
    char buffer[1024];
    DWORD got = 0;
    while (ReadFile(m_pipe, buffer, sizeof(buffer), &got, nullptr) && got) {
        pending.append(buffer, got);
        for (size_t end; (end = pending.find(SplashProtocol::kLineEnd)) != std::string::npos;) {
            const SplashLine line = ParseLine(pending.substr(0, end));
            pending.erase(0, end + 1);
            PostLine(window, line);
            if (line.kind == SplashLine::Kind::Exit) return;
        }
    }
    PostMessageW(window, WM_SPLASH_EXIT, 0, 0);
}

void SplashClient::PostLine(HWND window, const SplashLine& line)
{
    switch (line.kind) {
    case SplashLine::Kind::Progress:
        PostMessageW(window, WM_SPLASH_PROGRESS, static_cast<WPARAM>(line.progress), 0);
        break;
    case SplashLine::Kind::State: {
        auto text = std::make_unique<std::wstring>(FromUtf8(line.state));
        if (PostMessageW(window, WM_SPLASH_STATE, 0, reinterpret_cast<LPARAM>(text.get()))) text.release();
        break;
    }
    case SplashLine::Kind::Exit:
        PostMessageW(window, WM_SPLASH_EXIT, 0, 0);
        break;
    case SplashLine::Kind::Unknown:
        break;
    }
}
