// A child program for the application-core tests. The first argument picks
// what it does:
//   echo ARG...      writes each argument on its own line to standard output
//                    and "stderr" to standard error
//   show             exits with the wShowWindow value it was started with
//   exit N           exits with code N
//   sleep MS         sleeps, then exits 0
//   --pipename NAME  acts as the start-up animation client; the environment
//                    variable VESK_PROBE_SPLASH picks its behaviour: hello,
//                    late (hello after 3 s), hello-newline, silent (no hello),
//                    deaf (hello, then never reads), quit (ends at once)
#include <winsock2.h>
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "dui/core/base/SCodePage.h"

namespace {

void WriteAll(HANDLE out, const std::string& bytes)
{
    DWORD written = 0;
    WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::string ToUtf8(const std::wstring& text)
{
    std::string out;
    return DUI::WideToMulti(CP_UTF8, text.data(), static_cast<int>(text.size()), out) ? out : std::string();
}

std::wstring Env(const wchar_t* name)
{
    wchar_t buf[1024] = {};
    DWORD n = GetEnvironmentVariableW(name, buf, 1024);
    return n && n < 1024 ? std::wstring(buf, n) : std::wstring();
}

HANDLE OpenPipe(const std::wstring& name)
{
    for (int i = 0; i < 100; ++i) {
        HANDLE pipe = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (pipe != INVALID_HANDLE_VALUE) return pipe;
        Sleep(20);
    }
    return INVALID_HANDLE_VALUE;
}

// Says what the mode asks, then copies everything it receives into the file
// named by VESK_PROBE_LOG until "exit:" or the pipe closes.
int Splash(const std::wstring& pipeName)
{
    const std::wstring mode = Env(L"VESK_PROBE_SPLASH");
    if (mode == L"quit") return 3;
    HANDLE pipe = OpenPipe(pipeName);
    if (pipe == INVALID_HANDLE_VALUE) return 2;
    if (mode == L"late") Sleep(3000);
    if (mode == L"hello" || mode == L"late") WriteAll(pipe, "hello");
    if (mode == L"hello-newline") WriteAll(pipe, "hello\n");
    if (mode == L"deaf") {   // ready, then never reads again
        WriteAll(pipe, "hello");
        Sleep(60000);
        return 4;
    }
    std::string received;
    char buf[512];
    DWORD got = 0;
    while (received.find("exit:\n") == std::string::npos && ReadFile(pipe, buf, sizeof(buf), &got, nullptr) && got)
        received.append(buf, got);
    const std::wstring log = Env(L"VESK_PROBE_LOG");
    if (!log.empty()) {
        HANDLE file = CreateFileW(log.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        WriteAll(file, received);
        CloseHandle(file);
    }
    CloseHandle(pipe);
    return 0;
}

} // namespace

int main()
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (mode == L"echo") {
        for (int i = 2; i < argc; ++i) WriteAll(GetStdHandle(STD_OUTPUT_HANDLE), ToUtf8(argv[i]) + "\n");
        WriteAll(GetStdHandle(STD_ERROR_HANDLE), "stderr\n");
        return 0;
    }
    if (mode == L"show") {
        STARTUPINFOW si{};
        si.cb = sizeof(si);
        GetStartupInfoW(&si);
        return (si.dwFlags & STARTF_USESHOWWINDOW) ? si.wShowWindow : 100;
    }
    if (mode == L"exit" && argc > 2) return _wtoi(argv[2]);
    if (mode == L"sleep" && argc > 2) {
        Sleep(static_cast<DWORD>(_wtoi(argv[2])));
        return 0;
    }
    if (mode == L"--pipename" && argc > 2) return Splash(argv[2]);
    return 99;
}
