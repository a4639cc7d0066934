// Start-up animation: shows a splash window while the main program starts and
// follows its pipe. Command line: --pipename NAME --pid PID --resoure_dir DIR.
#include <winsock2.h>
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "app/core/SplashProtocol.h"
#include "components/TorvaneSetupLoading/SplashClient.h"
#include "components/TorvaneSetupLoading/SplashWindow.h"

namespace {

struct Options {
    std::wstring pipeName;
    DWORD parentPid = 0;
};

Options ReadOptions()
{
    Options options;
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    for (int i = 1; argv && i + 1 < argc; i += 2) {
        const std::wstring name = argv[i];
        if (name == SplashProtocol::kPipeNameArg) options.pipeName = argv[i + 1];
        if (name == SplashProtocol::kPidArg) options.parentPid = static_cast<DWORD>(_wtoi(argv[i + 1]));
        // --resoure_dir: this animation draws itself and needs no resources.
    }
    LocalFree(argv);
    return options;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    const Options options = ReadOptions();
    if (options.pipeName.empty()) return 1;
    SplashClient client;
    if (!client.Connect(options.pipeName, 3000)) return 2;
    SplashWindow window;
    if (!window.Create(instance, options.parentPid)) return 3;
    client.SayHello();
    client.StartReading(window.Handle());
    return window.RunLoop();
}
