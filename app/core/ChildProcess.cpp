#include "app/core/ChildProcess.h"

#include "app/core/CDebugStr.h"
#include "app/core/TextUtil.h"

namespace {

// CreateProcessW's limit for lpCommandLine, terminator included.
constexpr size_t kMaxCommandLine = 0x8000;

} // namespace

ChildProcess::~ChildProcess()
{
    WaitAndRelease();
}

void ChildProcess::SetStdHandles(HANDLE input, HANDLE output)
{
    m_stdIn = input;
    m_stdOut = output;
}

std::wstring ChildProcess::BuildCommandLine(const std::wstring& program, const std::vector<std::wstring>& args)
{
    std::wstring line;
    line.reserve(8192);
    line += program;
    line += L' ';
    for (const auto& arg : args) {
        line += arg;
        line += L' ';
    }
    // The trailing blank's place becomes the terminator.
    line.pop_back();
    return line;
}

int ChildProcess::Start(const std::wstring& program, const std::vector<std::wstring>& args, bool hidden)
{
    std::wstring line = BuildCommandLine(program, args);
    if (line.size() + 1 >= kMaxCommandLine) return kFailed;
    m_commandLine = line;

    STARTUPINFOW si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    si.wShowWindow = hidden ? SW_HIDE : SW_SHOWNORMAL;
    si.hStdInput = m_stdIn;
    si.hStdOutput = m_stdOut;
    si.hStdError = m_stdOut;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
        const DWORD error = GetLastError();
        // Callers only see the result code: the reason stays in the debug output.
        CDebugStr::WriteLine(FormatWString(L"CreateProcessW failed (%lu): %s\n", error, m_commandLine.c_str()).c_str());
        return error == ERROR_FILE_NOT_FOUND ? kNotFound : kFailed;
    }
    // A record is meant to be started once; a second start closes the first
    // child's handles instead of leaking them.
    m_process.Reset(pi.hProcess);
    m_thread.Reset(pi.hThread);
    return kStarted;
}

bool ChildProcess::Terminate()
{
    if (!m_process) return true;
    return TerminateProcess(m_process.Get(), 1) != FALSE;
}

void ChildProcess::WaitAndRelease()
{
    if (!m_process) return;
    WaitForSingleObject(m_process.Get(), INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(m_process.Get(), &code);
    m_process.Reset();
    m_thread.Reset();
}

void PipeHandles::Close()
{
    // Each end on its own: callers close their copy of the write end right
    // after the start so that reads see the end of the child's output.
    write.Reset();
    read.Reset();
}
