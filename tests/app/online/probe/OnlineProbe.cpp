// The child program of the online tests: takes the account-service facade
// and the crash catcher the way the program's start-up does, then does what
// the test asks. Modes:
//   facade                    make the facade, print "facade loaded"
//   catcher                   bind the crash catcher, print "ran on" whatever happened
//   crash PORT access|stack   point the services at 127.0.0.1:PORT, bind, crash
#include <winsock2.h>
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "app/online/AccountServiceStartup.h"
#include "app/online/CAccountService.h"
#include "app/online/CBLLDumpCatchUpload.h"
#include "app/online/CrashCatcherBinding.h"
#include "app/online/ServiceAddresses.h"

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
    return 2;
}
