#include "app/core/SplashPipe.h"

#include <cstring>

#include "app/core/CDebugStr.h"
#include "app/core/SplashProtocol.h"
#include "app/core/TextUtil.h"

namespace {

constexpr DWORD kPipeBufferBytes = 10240;
constexpr int kHelloBudgetMs = 5000;
constexpr int kHelloPollMs = 100;
// How long SendExit lets the animation finish before it is ended for good: a
// hung animation must not hold up the main window.
constexpr DWORD kExitWaitMs = 5000;

} // namespace

SplashPipe& SplashPipe::Instance()
{
    static SplashPipe channel;
    return channel;
}

SplashPipe::SplashPipe() : SplashPipe(Names{})
{
}

SplashPipe::SplashPipe(Names names) : m_names(std::move(names))
{
    m_pipe.Reset(CreateNamedPipeW(m_names.pipe.c_str(),
                                  PIPE_ACCESS_DUPLEX | WRITE_DAC | FILE_FLAG_FIRST_PIPE_INSTANCE,
                                  PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1,
                                  kPipeBufferBytes, kPipeBufferBytes, 0, nullptr));
    // Without the pipe every message is dropped quietly: the reason stays in the debug output.
    if (!m_pipe)
        CDebugStr::WriteLine(FormatWString(L"CreateNamedPipeW failed (%lu): %s\n", GetLastError(),
                                           m_names.pipe.c_str()).c_str());
}

SplashPipe::~SplashPipe()
{
    EndJob();
    m_pipe.Reset();
    // m_child's destructor then waits for the ended process and closes its handles.
}

int SplashPipe::LaunchLoadingSplash()
{
    const std::vector<std::wstring> args = {SplashProtocol::kPipeNameArg, m_names.pipe, SplashProtocol::kPidArg,
                                            std::to_wstring(GetCurrentProcessId()),
                                            SplashProtocol::kResourceDirArg, L"loading_uires"};
    const int result = m_child.Start(m_names.program, args, false);
    if (result != ChildProcess::kStarted) return result;
    WaitForHello();
    JoinJob();
    return 0;
}

void SplashPipe::WaitForHello()
{
    char buffer[1024];
    for (int budget = kHelloBudgetMs;; budget -= kHelloPollMs) {
        HANDLE process = m_child.Process();
        if (!process) return;
        if (WaitForSingleObject(process, 0) == WAIT_OBJECT_0) return;
        if (budget <= 0) {
            TerminateProcess(process, 1);
            return;
        }
        // Exactly these bytes: "hello" with anything after it is not the signal.
        DWORD available = 0;
        if (PeekNamedPipe(m_pipe.Get(), buffer, sizeof(buffer), nullptr, &available, nullptr) &&
            available == SplashProtocol::kHello.size() &&
            std::memcmp(buffer, SplashProtocol::kHello.data(), available) == 0) {
            DWORD read = 0;
            ReadFile(m_pipe.Get(), buffer, sizeof(buffer), &read, nullptr);
            return;
        }
        Sleep(kHelloPollMs);
    }
}

void SplashPipe::JoinJob()
{
    m_job.Reset(CreateJobObjectW(nullptr, m_names.job.c_str()));
    if (!m_job) return;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(m_job.Get(), JobObjectExtendedLimitInformation, &limits, sizeof(limits));
    AssignProcessToJobObject(m_job.Get(), m_child.Process());
}

void SplashPipe::EndJob()
{
    m_job.Reset();
    if (m_child.Process()) TerminateProcess(m_child.Process(), 1);
}

void SplashPipe::WriteLine(std::string_view prefix, const std::string& text)
{
    Write(std::string(prefix) + text + SplashProtocol::kLineEnd);
}

void SplashPipe::Write(const std::string& bytes)
{
    if (!m_pipe) return;   // no pipe: every message is dropped quietly
    DWORD written = 0;
    WriteFile(m_pipe.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void SplashPipe::SendProgress(int value)
{
    WriteLine(SplashProtocol::kProgress, std::to_string(value < 0 ? 0 : value));
}

void SplashPipe::SendState(std::string text)
{
    WriteLine(SplashProtocol::kState, text);
}

void SplashPipe::SendExit()
{
    WriteLine(SplashProtocol::kExit, std::string());
    CDebugStr::WriteLine(L"等待启动动画退出\n");
    if (HANDLE process = m_child.Process()) {
        WaitForSingleObject(process, kExitWaitMs);
        DWORD code = 0;
        GetExitCodeProcess(process, &code);
    }
    CDebugStr::WriteLine(L"动画退出成功\n");
    EndJob();
}
