#pragma once
// Runs a Python script of this folder on the host's python3 (with Pillow)
// through the stand-in python.exe; absolute Windows paths among the arguments
// arrive as Unix paths.
#include <winsock2.h>
#include <windows.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace pelmoratest {

struct ScriptRun {
    DWORD exitCode = 1;
    std::string output;

    std::vector<std::string> Lines() const
    {
        std::vector<std::string> lines;
        std::istringstream in(output);
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (!line.empty()) lines.push_back(line);
        }
        return lines;
    }
};

inline ScriptRun RunHostPython(const std::wstring& script, const std::vector<std::wstring>& args)
{
    namespace fs = std::filesystem;
    std::wstring cmd = L"\"" + (fs::path(VESK_BIN_DIR) / L"pythonmodel64" / L"python.exe").wstring() + L"\" \"" +
                       (fs::path(VESK_TESTS_DIR) / L"components" / L"PelmoraImageConvert2022" / script).wstring() + L"\"";
    for (const std::wstring& a : args) cmd += L" \"" + a + L"\"";
    SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    ScriptRun run;
    if (!CreatePipe(&readEnd, &writeEnd, &sa, 0)) return run;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW si{sizeof(si)};
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = si.hStdError = writeEnd;
    PROCESS_INFORMATION pi{};
    BOOL started = CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi);
    CloseHandle(writeEnd);
    if (started) {
        char buf[4096];
        DWORD got = 0;
        while (ReadFile(readEnd, buf, sizeof buf, &got, nullptr) && got > 0) run.output.append(buf, got);
        WaitForSingleObject(pi.hProcess, INFINITE);
        GetExitCodeProcess(pi.hProcess, &run.exitCode);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    CloseHandle(readEnd);
    return run;
}

}  // namespace pelmoratest
