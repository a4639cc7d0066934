#include "app/modules/pdfcompress/CGhostScriptOperation.h"

#include <cstdio>
#include <mutex>

#include <iapi.h>
#include <ierrors.h>

namespace {

// The linked Ghostscript is built without thread support: it allows one
// interpreter instance per process and refuses a second one (fatal error)
// while another thread's run is going on. Runs therefore wait for each other.
std::mutex& InterpreterLock()
{
    static std::mutex lock;
    return lock;
}

}  // namespace

int CGhostScriptOperation::RunGhostscript(const std::vector<const char*>& args)
{
    std::lock_guard<std::mutex> hold(InterpreterLock());
    m_cancel = false;
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

int CGhostScriptOperation::StdinCallback(void*, char* buffer, int length)
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

int CGhostScriptOperation::StdoutCallback(void* self, const char* text, int length)
{
    return static_cast<CGhostScriptOperation*>(self)->OnStdout(std::string(text, length));
}

int CGhostScriptOperation::StderrCallback(void* self, const char* text, int length)
{
    return static_cast<CGhostScriptOperation*>(self)->OnStderr(std::string(text, length));
}

int CGhostScriptOperation::PollCallback(void* self)
{
    return static_cast<CGhostScriptOperation*>(self)->m_cancel ? -1 : 0;
}
