// The stand-in python.exe seen from a Windows caller: output through a pipe,
// UTF-8 intact, the script's exit code, Windows paths turned into Unix ones,
// and a terminated launcher taking its Linux child with it.
#include "tests/support/MessagePump.h"
#include "tests/support/TempFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct RunResult {
    DWORD exitCode = 0;
    std::string output;
};

class PythonLauncherTest : public ::testing::Test {
protected:
    // The launcher's own output file goes to the temporary folder: ours, so
    // that nothing it leaves behind outlives the test.
    void SetUp() override
    {
        SetEnvironmentVariableW(L"TMP", m_dir.c_str());
        SetEnvironmentVariableW(L"TEMP", m_dir.c_str());
    }
    void TearDown() override
    {
        Restore(L"TMP", m_savedTmp);
        Restore(L"TEMP", m_savedTemp);
    }

    fs::path WriteScript(const std::string& text)
    {
        fs::path script = m_dir / L"script.py";
        std::ofstream(script, std::ios::binary) << text;
        return script;
    }

    // Starts python.exe with a redirected output pipe; the caller waits or terminates.
    PROCESS_INFORMATION Start(const std::wstring& args, HANDLE* readEnd)
    {
        SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, TRUE};
        HANDLE writeEnd = nullptr;
        EXPECT_TRUE(CreatePipe(readEnd, &writeEnd, &sa, 0));
        SetHandleInformation(*readEnd, HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOW si{sizeof(si)};
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdOutput = si.hStdError = writeEnd;
        std::wstring cmd = L"\"" + (fs::path(VESK_BIN_DIR) / L"pythonmodel64" / L"python.exe").wstring() + L"\" " + args;
        PROCESS_INFORMATION pi{};
        EXPECT_TRUE(CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi));
        CloseHandle(writeEnd);
        return pi;
    }

    RunResult RunToEnd(const std::wstring& args)
    {
        HANDLE readEnd = nullptr;
        PROCESS_INFORMATION pi = Start(args, &readEnd);
        RunResult run;
        char buf[4096];
        DWORD got = 0;
        while (ReadFile(readEnd, buf, sizeof(buf), &got, nullptr) && got > 0) run.output.append(buf, got);
        EXPECT_EQ(WaitForSingleObject(pi.hProcess, 30000), WAIT_OBJECT_0);
        GetExitCodeProcess(pi.hProcess, &run.exitCode);
        CloseHandle(readEnd);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        return run;
    }

    static std::wstring SavedVariable(const wchar_t* name)
    {
        wchar_t value[MAX_PATH] = {};
        GetEnvironmentVariableW(name, value, MAX_PATH);
        return value;
    }
    static void Restore(const wchar_t* name, const std::wstring& value)
    {
        SetEnvironmentVariableW(name, value.empty() ? nullptr : value.c_str());
    }

    const std::wstring m_savedTmp = SavedVariable(L"TMP");
    const std::wstring m_savedTemp = SavedVariable(L"TEMP");
    const testsupport::TempFolder m_temp{L"vesk_py"};
    const fs::path m_dir = m_temp.Path();
};

TEST_F(PythonLauncherTest, PassesOutputExitCodeAndPaths)
{
    fs::path script = WriteScript(
        "import sys, os\n"
        "sys.stdout.buffer.write(('页 ' + sys.argv[1] + ' ' + str(os.path.isdir(sys.argv[1])) + '\\n').encode('utf-8'))\n"
        "sys.exit(7)\n");
    RunResult run = RunToEnd(L"\"" + script.wstring() + L"\" \"" + m_dir.wstring() + L"\"");
    EXPECT_EQ(run.exitCode, 7u);
    // The folder argument arrives as a Unix path python can use.
    EXPECT_EQ(run.output.rfind("页 /", 0), 0u) << run.output;
    EXPECT_NE(run.output.find(" True"), std::string::npos) << run.output;
}

TEST_F(PythonLauncherTest, HandsOverPythonVariables)
{
    fs::path script = WriteScript("import os\nprint(os.environ.get('PYTHONVESKPROBE', 'missing'))\n");
    SetEnvironmentVariableW(L"PYTHONVESKPROBE", L"handed-over");
    RunResult run = RunToEnd(L"\"" + script.wstring() + L"\"");
    SetEnvironmentVariableW(L"PYTHONVESKPROBE", nullptr);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.output.substr(0, run.output.find_first_of("\r\n")), "handed-over");
}

TEST_F(PythonLauncherTest, TerminatingTheLauncherEndsThePythonChild)
{
    fs::path marker = m_dir / L"still-running";
    // Long enough that a loaded machine still terminates the launcher before
    // python would write the marker.
    fs::path script = WriteScript("import sys, time\nprint('started', flush=True)\ntime.sleep(5)\nopen(sys.argv[1], 'w').close()\n");
    HANDLE readEnd = nullptr;
    PROCESS_INFORMATION pi = Start(L"\"" + script.wstring() + L"\" \"" + marker.wstring() + L"\"", &readEnd);
    char buf[64];
    DWORD got = 0;
    ASSERT_TRUE(ReadFile(readEnd, buf, sizeof(buf), &got, nullptr));   // python is running now
    TerminateProcess(pi.hProcess, 1);
    WaitForSingleObject(pi.hProcess, 10000);
    // The launcher's watcher removes the output file right after it has ended
    // python: once the file is gone, python can no longer write the marker.
    EXPECT_TRUE(testsupport::PumpUntil([&] { return m_temp.Names() == std::vector<std::wstring>{L"script.py"}; }));
    EXPECT_FALSE(fs::exists(marker));
    // Python's output file went with it: only the script is left.
    EXPECT_EQ(m_temp.Names(), std::vector<std::wstring>{L"script.py"});
    CloseHandle(readEnd);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

}  // namespace
