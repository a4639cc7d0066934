#pragma once
// Runs a Python script of this folder on the host's python3 (with Pillow)
// through the stand-in python.exe; absolute Windows paths among the arguments
// arrive as Unix paths.
#include <winsock2.h>
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/ChildProcess.h"

namespace pelmoratest {

using ScriptRun = testsupport::ChildRun;

inline ScriptRun RunHostPython(const std::wstring& script, const std::vector<std::wstring>& args)
{
    namespace fs = std::filesystem;
    std::wstring cmd = L"\"" + (fs::path(VESK_BIN_DIR) / L"pythonmodel64" / L"python.exe").wstring() + L"\" \"" +
                       (fs::path(VESK_TESTS_DIR) / L"components" / L"PelmoraImageConvert2022" / script).wstring() + L"\"";
    for (const std::wstring& a : args) cmd += L" \"" + a + L"\"";
    testsupport::ChildOptions options;
    options.noWindow = true;
    // The checks of every fixture take minutes on a loaded machine; the limit
    // only ends a hang.
    return testsupport::RunChild(cmd, options, 600000);
}

}  // namespace pelmoratest
