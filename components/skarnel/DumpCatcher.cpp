#include "components/skarnel/DumpCatcher.h"

#include <algorithm>
#include <atomic>
#include <cstdarg>
#include <cstdio>

namespace {

struct ObserverCall {
    CDumpCatchObserverBase* observer;
    EXCEPTION_POINTERS* pointers;
    const char* text;
};

DWORD WINAPI RunObserver(void* parameter)
{
    auto* call = static_cast<ObserverCall*>(parameter);
    call->observer->OnDump(call->pointers, call->text);
    return 0;
}

// A stack walk over a broken stack must not crash the catcher itself.
bool ReadAddress(DWORD64 at, DWORD64& value)
{
    SIZE_T read = 0;
    return ReadProcessMemory(GetCurrentProcess(), reinterpret_cast<const void*>(at), &value, sizeof(value), &read) &&
           read == sizeof(value);
}

std::vector<DWORD64> WalkStack(const CONTEXT& start)
{
    std::vector<DWORD64> frames;
    CONTEXT context = start;
    while (frames.size() < static_cast<size_t>(DumpCatcher::kMaxFrames) && context.Rip) {
        frames.push_back(context.Rip);
        DWORD64 imageBase = 0;
        PRUNTIME_FUNCTION function = RtlLookupFunctionEntry(context.Rip, &imageBase, nullptr);
        if (function) {
            void* handlerData = nullptr;
            DWORD64 establisher = 0;
            RtlVirtualUnwind(UNW_FLAG_NHANDLER, imageBase, context.Rip, function, &context, &handlerData,
                             &establisher, nullptr);
        } else {
            // A leaf function: the return address is on top of the stack.
            DWORD64 returnAddress = 0;
            if (!ReadAddress(context.Rsp, returnAddress)) break;
            context.Rip = returnAddress;
            context.Rsp += sizeof(DWORD64);
        }
    }
    return frames;
}

std::string Format(const char* format, ...)
{
    char buffer[512];
    va_list args;
    va_start(args, format);
    const int length = std::vsnprintf(buffer, sizeof(buffer), format, args);
    va_end(args);
    return length > 0 ? std::string(buffer, std::min<size_t>(length, sizeof(buffer) - 1)) : std::string();
}

} // namespace

DumpCatcher& DumpCatcher::Instance()
{
    // Never destroyed: a crash may come while the process is ending.
    static DumpCatcher* catcher = new DumpCatcher();
    return *catcher;
}

void DumpCatcher::AddObserver(CDumpCatchObserverBase* observer)
{
    if (!observer) return;
    std::lock_guard<std::mutex> lock(m_lock);
    m_observers.push_back(observer);
}

void DumpCatcher::Install()
{
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    // Room on this thread's stack for the handler after a stack overflow.
    ULONG guarantee = 64 * 1024;
    SetThreadStackGuarantee(&guarantee);
    StartWatcher();
    SetUnhandledExceptionFilter(&DumpCatcher::OnUnhandledException);
}

void DumpCatcher::Report(EXCEPTION_POINTERS* pointers, DWORD threadId)
{
    const std::string text = DescribeCrash(pointers, threadId);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    std::vector<CDumpCatchObserverBase*> observers;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        observers = m_observers;
    }
    for (CDumpCatchObserverBase* observer : observers) {
        ObserverCall call{observer, pointers, text.c_str()};
        HANDLE thread = CreateThread(nullptr, 0, &RunObserver, &call, 0, nullptr);
        if (!thread) continue;
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
    }
}

std::string DumpCatcher::DescribeAddress(DWORD64 address)
{
    HMODULE module = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCSTR>(address), &module)) {
        return Format("0x%016llX", static_cast<unsigned long long>(address));
    }
    char path[MAX_PATH] = {};
    GetModuleFileNameA(module, path, MAX_PATH);
    const char* name = path;
    for (const char* p = path; *p; ++p) {
        if (*p == '\\' || *p == '/') name = p + 1;
    }
    return Format("%s+0x%llX", name, static_cast<unsigned long long>(address - reinterpret_cast<DWORD64>(module)));
}

std::string DumpCatcher::DescribeCrash(const EXCEPTION_POINTERS* pointers, DWORD threadId)
{
    const EXCEPTION_RECORD* record = pointers ? pointers->ExceptionRecord : nullptr;
    std::string text = Format("Exception code: 0x%08lX\r\n", record ? record->ExceptionCode : 0UL);
    const DWORD64 at = record ? reinterpret_cast<DWORD64>(record->ExceptionAddress) : 0;
    text += "Address: " + DescribeAddress(at) + "\r\n";
    text += Format("Thread: %lu\r\n", threadId);
    text += "Stack:\r\n";
    if (pointers && pointers->ContextRecord) {
        int index = 0;
        for (DWORD64 frame : WalkStack(*pointers->ContextRecord))
            text += Format("#%02d ", index++) + DescribeAddress(frame) + "\r\n";
    }
    return text;
}

namespace {

// The crash is handed to a thread made at installation: the crashed thread's
// stack may be exhausted (a stack overflow) and must do as little as possible.
struct HandOver {
    HANDLE crashed = nullptr;
    EXCEPTION_POINTERS* pointers = nullptr;
    DWORD threadId = 0;
    std::atomic<bool> taken{false};
} g_handOver;

DWORD WINAPI WatchForCrash(void*)
{
    WaitForSingleObject(g_handOver.crashed, INFINITE);
    const DWORD code = g_handOver.pointers->ExceptionRecord->ExceptionCode;
    DumpCatcher::Instance().Report(g_handOver.pointers, g_handOver.threadId);
    TerminateProcess(GetCurrentProcess(), code);
    return 0;
}

LONG HandOverCrash(EXCEPTION_POINTERS* pointers)
{
    // A second crash, in an observer too, ends the process at once.
    if (g_handOver.taken.exchange(true) || !g_handOver.crashed)
        TerminateProcess(GetCurrentProcess(), pointers->ExceptionRecord->ExceptionCode);
    g_handOver.pointers = pointers;
    g_handOver.threadId = GetCurrentThreadId();
    SetEvent(g_handOver.crashed);
    Sleep(INFINITE);
    return EXCEPTION_EXECUTE_HANDLER;
}

// Nobody handles a stack overflow: it is taken before the search for a
// handler would need more of the exhausted stack.
LONG WINAPI OnStackOverflow(EXCEPTION_POINTERS* pointers)
{
    if (pointers->ExceptionRecord->ExceptionCode != EXCEPTION_STACK_OVERFLOW) return EXCEPTION_CONTINUE_SEARCH;
    return HandOverCrash(pointers);
}

} // namespace

void DumpCatcher::StartWatcher()
{
    g_handOver.crashed = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE watcher = CreateThread(nullptr, 0, &WatchForCrash, nullptr, 0, nullptr);
    if (watcher) CloseHandle(watcher);
    AddVectoredExceptionHandler(1, &OnStackOverflow);
}

LONG WINAPI DumpCatcher::OnUnhandledException(EXCEPTION_POINTERS* pointers)
{
    return HandOverCrash(pointers);
}
