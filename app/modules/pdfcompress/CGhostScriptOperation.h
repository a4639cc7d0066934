#pragma once
// Runs the Ghostscript interpreter in-process and hands every piece of its
// output to OnStdout/OnStderr, so a derived class can follow a run as it goes.
#include <atomic>
#include <string>
#include <vector>

class CGhostScriptOperation {
public:
    CGhostScriptOperation() = default;
    virtual ~CGhostScriptOperation() = default;
    CGhostScriptOperation(const CGhostScriptOperation&) = delete;
    CGhostScriptOperation& operator=(const CGhostScriptOperation&) = delete;

    // The first element takes the program-name place and is not read as an
    // option. 0 on success, otherwise the interpreter's error code. Runs on
    // different threads go on at once, each with its own interpreter.
    int RunGhostscript(const std::vector<const char*>& args);

    // Each returns the number of bytes taken; anything but the piece's length
    // makes the interpreter fail the run.
    virtual int OnStdout(const std::string& text);
    virtual int OnStderr(const std::string& text);

    const std::string& GetStdout() const { return m_stdout; }
    const std::string& GetStderr() const { return m_stderr; }

    // Set by the owner from another thread; cleared when a run starts.
    std::atomic<bool> m_cancel{false};

private:
    static int StdinCallback(void* self, char* buffer, int length) noexcept;
    static int StdoutCallback(void* self, const char* text, int length) noexcept;
    static int StderrCallback(void* self, const char* text, int length) noexcept;
    static int PollCallback(void* self) noexcept;
    static int Deliver(void* self, const char* text, int length,
                       int (CGhostScriptOperation::*handler)(const std::string&)) noexcept;

    void* m_instance = nullptr;
    bool m_handlerFailed = false;  // an output handler threw during the run
    std::string m_stdout;
    std::string m_stderr;
};
