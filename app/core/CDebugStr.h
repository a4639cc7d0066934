#pragma once
// The application core's diagnostics to the debugger output: stamped lines,
// and the core's fixed messages as they stand. Callers of the stamped line
// send the line end themselves as a second output.
#include <string>

class CDebugStr {
public:
    virtual ~CDebugStr() = default;
    virtual bool Open() { return true; }
    virtual bool Flush() { return true; }
    virtual bool Close() { return true; }
    virtual void Enable() { m_enabled = true; }
    virtual void Reserved() {}

    // Writes "yyyymmdd hh-mm-ss.mmm Type:<type>,<text>" whatever the flag says.
    void WriteDebugLog(int type, const wchar_t* text);

    // Sends the text unchanged: every debugger output of the core passes here.
    static void WriteLine(const wchar_t* text);

    // The line for a given stamp; the "Type:" part is empty when it cannot be formatted.
    static std::wstring FormatLine(const std::wstring& stamp, int type, const wchar_t* text);
    static const wchar_t* StampFormat() { return L"%.4d%.2d%.2d %.2d-%.2d-%.2d.%.3d"; }

    bool IsEnabled() const { return m_enabled; }

private:
    bool m_enabled = true;
};
