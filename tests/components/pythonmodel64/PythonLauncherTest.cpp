// The stand-in python.exe seen from a Windows caller: output through a pipe,
// UTF-8 intact, the script's exit code, Windows paths turned into Unix ones,
// and a terminated launcher taking its Linux child with it.
#include "tests/support/ChildProcess.h"
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

    static std::wstring Launcher(const std::wstring& args)
    {
        return L"\"" + (fs::path(VESK_BIN_DIR) / L"pythonmodel64" / L"python.exe").wstring() + L"\" " + args;
    }
    static testsupport::ChildOptions Console()
    {
        testsupport::ChildOptions options;
        options.noWindow = true;
        return options;
    }
    static testsupport::ChildRun RunToEnd(const std::wstring& args)
    {
        testsupport::ChildRun run = testsupport::RunChild(Launcher(args), Console());
        EXPECT_TRUE(run.ended);
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
    testsupport::ChildRun run = RunToEnd(L"\"" + script.wstring() + L"\" \"" + m_dir.wstring() + L"\"");
    EXPECT_EQ(run.exitCode, 7u);
    // The folder argument arrives as a Unix path python can use.
    EXPECT_EQ(run.output.rfind("页 /", 0), 0u) << run.output;
    EXPECT_NE(run.output.find(" True"), std::string::npos) << run.output;
}

TEST_F(PythonLauncherTest, HandsOverPythonVariables)
{
    fs::path script = WriteScript("import os\nprint(os.environ.get('PYTHONVESKPROBE', 'missing'))\n");
    SetEnvironmentVariableW(L"PYTHONVESKPROBE", L"handed-over");
    testsupport::ChildRun run = RunToEnd(L"\"" + script.wstring() + L"\"");
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
    testsupport::ChildProcess launcher(Launcher(L"\"" + script.wstring() + L"\" \"" + marker.wstring() + L"\""), Console());
    ASSERT_NE(launcher.FirstOutput(), "");   // python is running now
    launcher.Terminate(1);
    // The launcher's watcher removes the output file right after it has ended
    // python: once the file is gone, python can no longer write the marker.
    EXPECT_TRUE(testsupport::PumpUntil([&] { return m_temp.Names() == std::vector<std::wstring>{L"script.py"}; }));
    EXPECT_FALSE(fs::exists(marker));
    // Python's output file went with it: only the script is left.
    EXPECT_EQ(m_temp.Names(), std::vector<std::wstring>{L"script.py"});
}

}  // namespace
