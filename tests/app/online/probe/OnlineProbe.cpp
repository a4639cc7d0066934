// The child program of the online tests: takes the account-service facade
// and the crash catcher the way the program's start-up does, then does what
// the test asks. Modes:
//   facade                    make the facade, print "facade loaded"
//   catcher                   bind the crash catcher, print "ran on" whatever happened
//   crash PORT access|stack   point the services at 127.0.0.1:PORT, bind, crash
//   wkebind                   bind node.dll, print what was bound
//   wkeexit PORT              bind node.dll, load 127.0.0.1:PORT in a view, end
//                             without wkeShutdown (as a program that crashes out)
#include <winsock2.h>
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "app/online/AccountServiceStartup.h"
#include "app/online/CAccountService.h"
#include "app/online/CBLLDumpCatchUpload.h"
#include "app/online/CrashCatcherBinding.h"
#include "app/online/ServiceAddresses.h"
#include "app/online/WkeBinding.h"

namespace {

void Say(const char* text)
{
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, static_cast<DWORD>(strlen(text)), &written, nullptr);
}

// Recursion the optimiser cannot turn into a loop: the frame is used after the call.
int __attribute__((noinline)) Deeper(int depth)
{
    volatile char frame[512];
    frame[depth % 512] = static_cast<char>(depth);
    return Deeper(depth + 1) + frame[0];
}

void PointServicesAt(const std::wstring& port)
{
    const std::wstring base = L"http://127.0.0.1:" + port + L"/";
    ServiceAddresses::Set(ServiceAddress::AccountService, base);
    ServiceAddresses::Set(ServiceAddress::SecondService, base);
    ServiceAddresses::Set(ServiceAddress::CrashLog, base + L"DoLoadLog.php");
}

int Crash(const std::wstring& port, const std::wstring& kind)
{
    PointServicesAt(port);
    InitAccountServiceOnce(L"");
    CBLLDumpCatchUpload observer;
    if (!BindCrashCatcher(observer)) return 3;
    Say("bound\n");
    if (kind == L"stack") return Deeper(0);
    volatile int* nowhere = nullptr;
    return *nowhere;
}

int BindWke()
{
    const int bound = LoadWkeApi();
    std::string line = "bound " + std::to_string(bound);
    line += g_wke.wkeGetCaret ? " caret" : " no caret";
    line += g_wke.wkeCreateWebView ? " view\n" : " no view\n";
    Say(line.c_str());
    return 0;
}

bool g_finished = false;

int LoadAndEnd(const std::wstring& port)
{
    if (LoadWkeApi() != 1 || !g_wke.wkeCreateWebView) return 3;
    wkeWebView view = g_wke.wkeCreateWebView();
    g_wke.wkeOnLoadingFinish(view, [](wkeWebView, void*, const wkeString, wkeLoadingResult, const wkeString) {
        g_finished = true;
    }, nullptr);
    g_wke.wkeLoadURLW(view, (L"http://127.0.0.1:" + port + L"/").c_str());
    const ULONGLONG end = GetTickCount64() + 20000;
    while (!g_finished && GetTickCount64() < end) {
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    Say(g_finished ? "loaded\n" : "not loaded\n");
    return 0;
}

} // namespace

int main()
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (mode == L"facade") {
        CAccountService::Instance();
        Say("facade loaded\n");
        CAccountService::DestroyInstance();
        return 0;
    }
    if (mode == L"catcher") {
        CBLLDumpCatchUpload observer;
        const bool bound = BindCrashCatcher(observer);
        Say(bound ? "bound\nran on\n" : "not bound\nran on\n");
        return 0;
    }
    if (mode == L"crash" && argc > 3) return Crash(argv[2], argv[3]);
    if (mode == L"wkebind") return BindWke();
    if (mode == L"wkeexit" && argc > 2) return LoadAndEnd(argv[2]);
    return 2;
}
