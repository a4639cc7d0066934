// Linked into every test binary and benchmark: a crash ends the process at
// once, naming the exception on standard error, whatever the system's own
// crash handling (a debugger, a crash dialog) would do. Without a line on
// the console a crashed test's output would just stop.
#include <winsock2.h>
#include <windows.h>

#include <cstdio>

namespace {

LONG WINAPI ReportAndEnd(EXCEPTION_POINTERS* info)
{
    const EXCEPTION_RECORD* record = info->ExceptionRecord;
    char text[128];
    const int length = std::snprintf(text, sizeof(text), "crash: unhandled exception 0x%08lX at %p\n",
                                     record->ExceptionCode, record->ExceptionAddress);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), text, static_cast<DWORD>(length), &written, nullptr);
    // Wine passes only the low byte of an exit code to the shell: keep it non-zero.
    UINT code = record->ExceptionCode;
    if ((code & 0xFF) == 0) code |= 1;
    TerminateProcess(GetCurrentProcess(), code);
    return EXCEPTION_EXECUTE_HANDLER;
}

// Installed before main by the C runtime's constructor pass, after its own filter.
const bool kInstalled = (SetUnhandledExceptionFilter(ReportAndEnd), true);

} // namespace
