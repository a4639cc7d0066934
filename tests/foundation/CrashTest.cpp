// A crashed program must fail fast: no debugger, no crash dialog, no exit code 0.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

TEST(WinePrefix, CrashedProgramEndsWithFailureCode)
{
    std::wstring cmd = L"\"" + (std::filesystem::path(VESK_BIN_DIR) / L"crash_probe.exe").wstring() + L"\"";
    STARTUPINFOW si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi));
    ASSERT_EQ(WaitForSingleObject(pi.hProcess, 30000), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    EXPECT_NE(code, 0u);
}
