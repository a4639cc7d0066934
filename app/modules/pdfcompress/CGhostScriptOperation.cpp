#include "app/modules/pdfcompress/CGhostScriptOperation.h"

#include <cstdio>

#include <iapi.h>
#include <ierrors.h>
#include "app/core/CallStatus.h"

// Every run has an interpreter instance of its own (the library is built
// thread-safe), so runs on different threads go on at once, unlocked.
int CGhostScriptOperation::RunGhostscript(const std::vector<const char*>& args)
{
    m_cancel = false;
    m_handlerFailed = false;
    m_stdout.clear();
    m_stderr.clear();
    int code = gsapi_new_instance(&m_instance, nullptr);
    if (code < 0) {
        m_instance = nullptr;
        return code;
    }
    gsapi_set_stdio_with_handle(m_instance, &StdinCallback, &StdoutCallback, &StderrCallback, this);
    gsapi_set_poll_with_handle(m_instance, &PollCallback, this);
    int kept = gsapi_set_arg_encoding(m_instance, GS_ARG_ENCODING_UTF8);
    if (kept == 0)
        kept = gsapi_init_with_args(m_instance, static_cast<int>(args.size()), const_cast<char**>(args.data()));
    int result = gsapi_exit(m_instance);
    // "quit" is how a finished job may leave the interpreter; not a failure.
    if (kept != 0 && kept != gs_error_Quit) result = kept;
    gsapi_delete_instance(m_instance);
    m_instance = nullptr;
    // A handler that failed has lost output the caller relies on.
    if (result == 0 && m_handlerFailed) result = gs_error_Fatal;
    return result;
}

int CGhostScriptOperation::OnStdout(const std::string& text)
{
    m_stdout += text;
    return static_cast<int>(text.size());
}

int CGhostScriptOperation::OnStderr(const std::string& text)
{
    m_stderr += text;
    return static_cast<int>(text.size());
}

int CGhostScriptOperation::StdinCallback(void*, char* buffer, int length) noexcept
{
    int stored = 0;
    while (stored < length) {
        int c = std::fgetc(stdin);
        if (c == EOF) return 0;
        buffer[stored++] = static_cast<char>(c);
        if (c == '\n') break;
    }
    return stored;
}

// The interpreter is C: nothing thrown may pass back into it. A handler that
// throws ends the run as a failure.
int CGhostScriptOperation::Deliver(void* self, const char* text, int length,
                                   int (CGhostScriptOperation::*handler)(const std::string&)) noexcept
{
    auto* op = static_cast<CGhostScriptOperation*>(self);
    try {
        return (op->*handler)(std::string(text, length));
    } catch (...) {
        LogCaughtException(L"CGhostScriptOperation: output callback");
        op->m_handlerFailed = true;
        return -1;
    }
}

int CGhostScriptOperation::StdoutCallback(void* self, const char* text, int length) noexcept
{
    return Deliver(self, text, length, &CGhostScriptOperation::OnStdout);
}

int CGhostScriptOperation::StderrCallback(void* self, const char* text, int length) noexcept
{
    return Deliver(self, text, length, &CGhostScriptOperation::OnStderr);
}

int CGhostScriptOperation::PollCallback(void* self) noexcept
{
    auto* op = static_cast<CGhostScriptOperation*>(self);
    return op->m_cancel || op->m_handlerFailed ? -1 : 0;
}
