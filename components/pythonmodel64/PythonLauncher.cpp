// python.exe for the program's "pythonmodel64" folder when it runs under Wine:
// it runs the host's /usr/bin/python3 with the same arguments. Wine cannot
// give a Windows caller a handle to a Linux process, nor connect the child's
// output to a Windows pipe, so this program stands between them: the child
// writes into a file that is copied to our standard output as it grows, our
// exit code is the child's, and the child ends when we are terminated.
#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "dui/core/base/SCodePage.h"
#include "dui/core/base/SHandle.h"

namespace {

using SpawnFn = NTSTATUS(CDECL*)(char* const argv[], int wait);
using UnixNameFn = char*(CDECL*)(const wchar_t* dosName);

std::string ToUtf8(const std::wstring& w)
{
    std::string out;
    return DUI::WideToMulti(CP_UTF8, w.data(), static_cast<int>(w.size()), out) ? out : std::string();
}

bool IsAbsoluteWindowsPath(const std::wstring& a)
{
    return a.size() >= 3 && iswalpha(a[0]) && a[1] == L':' && (a[2] == L'\\' || a[2] == L'/');
}

// Windows paths among the arguments become the Unix paths python can open.
std::string ToUnixArgument(const std::wstring& arg, UnixNameFn unixName)
{
    if (!IsAbsoluteWindowsPath(arg) || !unixName) return ToUtf8(arg);
    char* name = unixName(arg.c_str());
    if (!name) return ToUtf8(arg);
    std::string s(name);
    HeapFree(GetProcessHeap(), 0, name);
    return s;
}

// The Unix child sees Wine's Unix environment, not ours: hand over the
// variables meant for Python explicitly.
std::vector<std::string> PythonEnvironment()
{
    std::vector<std::string> vars;
    wchar_t* block = GetEnvironmentStringsW();
    for (const wchar_t* p = block; p && *p; p += wcslen(p) + 1) {
        std::wstring var(p);
        if (_wcsnicmp(var.c_str(), L"PYTHON", 6) == 0) vars.push_back(ToUtf8(var));
    }
    FreeEnvironmentStringsW(block);
    return vars;
}

// sh runs python in the background and ends it when our Wine process (its
// parent) disappears, which is what TerminateProcess on us amounts to; the
// output file, which we would have deleted, goes with it.
const char kScript[] =
    "out=\"$1\"; shift; \"$@\" >\"$out\" 2>&1 & child=$!; parent=$PPID; "
    "while kill -0 \"$child\" 2>/dev/null; do "
    "  kill -0 \"$parent\" 2>/dev/null || { kill \"$child\"; rm -f \"$out\"; exit 1; }; sleep 0.1; "
    "done; wait \"$child\"";

void CopyNewOutput(HANDLE file, HANDLE out)
{
    char buf[8192];
    DWORD got = 0, written = 0;
    while (ReadFile(file, buf, sizeof(buf), &got, nullptr) && got > 0) WriteFile(out, buf, got, &written, nullptr);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    auto spawn = reinterpret_cast<SpawnFn>(reinterpret_cast<void*>(GetProcAddress(ntdll, "__wine_unix_spawnvp")));
    auto unixName = reinterpret_cast<UnixNameFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!spawn || !unixName) {
        const char msg[] = "python: this stand-in interpreter runs only under Wine\n";
        DWORD written = 0;
        WriteFile(GetStdHandle(STD_ERROR_HANDLE), msg, sizeof(msg) - 1, &written, nullptr);
        return 9009;
    }

    wchar_t tempDir[MAX_PATH], outPath[MAX_PATH];
    GetTempPathW(MAX_PATH, tempDir);
    GetTempFileNameW(tempDir, L"pyo", 0, outPath);

    std::vector<std::string> args = {"/bin/sh", "-c", kScript, "sh", ToUnixArgument(outPath, unixName), "/usr/bin/env"};
    for (const auto& var : PythonEnvironment()) args.push_back(var);
    args.push_back("/usr/bin/python3");
    for (int i = 1; i < argc; ++i) args.push_back(ToUnixArgument(argv[i], unixName));
    std::vector<char*> cargs;
    for (auto& a : args) cargs.push_back(a.data());
    cargs.push_back(nullptr);

    DUI::SFileHandle file(CreateFileW(outPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::atomic<bool> done{false};
    NTSTATUS status = 0;
    std::thread child([&] {
        status = spawn(cargs.data(), 1);
        done = true;
    });
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    while (!done) {
        CopyNewOutput(file, out);
        Sleep(20);
    }
    child.join();
    CopyNewOutput(file, out);
    file.Reset();   // closed before the file can go
    DeleteFileW(outPath);
    return static_cast<int>(status);
}
