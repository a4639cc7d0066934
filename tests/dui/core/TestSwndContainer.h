#pragma once
// A container with the host's part stubbed: optionally bound to a native
// window (for drag and drop and focus), with the wheel routing switch a host
// would read from its attributes. Windows of class "logwnd" log each input
// message they get as "name:MESSAGE", and run a hook a test may set.
#include <functional>
#include <string>
#include <vector>

#include "WindowTestEnv.h"
#include "dui/core/SwndContainerImpl.h"
#include "tests/dui/core/StubHostPart.h"

namespace ctrtest {

class TestSwndContainer : public wndtest::StubHostPart<DUI::SwndContainerImpl>
{
public:
    RECT GetContainerRect() const override { return GetWindowRect(); }
};

// Short names of the input messages, for readable expectations.
inline std::wstring MessageTag(UINT msg)
{
    struct Name
    {
        UINT msg;
        const wchar_t* name;
    };
    static const Name kNames[] = {
        {WM_MOUSEMOVE, L"move"},         {WM_NCMOUSEMOVE, L"ncmove"},     {WM_MOUSEHOVER, L"hover"},
        {WM_NCMOUSEHOVER, L"nchover"},   {WM_MOUSELEAVE, L"leave"},       {WM_NCMOUSELEAVE, L"ncleave"},
        {WM_LBUTTONDOWN, L"ldown"},      {WM_LBUTTONUP, L"lup"},          {WM_NCLBUTTONDOWN, L"ncldown"},
        {WM_NCLBUTTONUP, L"nclup"},      {WM_RBUTTONDOWN, L"rdown"},      {WM_RBUTTONUP, L"rup"},
        {WM_MOUSEWHEEL, L"wheel"},       {WM_MOUSEHWHEEL, L"hwheel"},     {WM_KEYDOWN, L"keydown"},
        {WM_KEYUP, L"keyup"},            {WM_CHAR, L"char"},              {WM_SYSCHAR, L"syschar"},
        {WM_SETFOCUS, L"setfocus"},      {WM_KILLFOCUS, L"killfocus"},    {WM_ACTIVATEAPP, L"activateapp"},
        {WM_IME_CHAR, L"imechar"},
    };
    for (const Name& n : kNames)
        if (n.msg == msg)
            return n.name;
    return std::wstring();
}

class LogWnd : public DUI::SWindow
{
    DUI_CLASS_NAME(LogWnd, DUI::SWindow, L"logwnd", DUI::Window_Kind)
public:
    using Hook = std::function<void(LogWnd* self, UINT msg, WPARAM wp)>;
    static inline std::vector<std::wstring> log;
    static inline Hook hook;
    // Messages the window claims as handled, beyond what its base handles.
    static inline std::vector<UINT> takes;

    BOOL OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override
    {
        const std::wstring name = MessageTag(msg);
        if (!name.empty())
            log.push_back(std::wstring(GetName()) + L":" + name);
        // The window may not outlive the hook otherwise: the hook may
        // destroy it, and the base map then runs on the last reference.
        const DUI::SRefPtr<SWindow> keep = DUI::SRefPtr<SWindow>::Share(this);
        if (hook)
            hook(this, msg, wp);
        for (UINT t : takes)
            if (t == msg)
                return TRUE;
        return SWindow::OnSwndMessage(msg, wp, lp, result);
    }
};

// The log since the last call, joined by spaces.
inline std::wstring TakeLog()
{
    std::wstring out;
    for (const std::wstring& line : LogWnd::log)
        out += (out.empty() ? L"" : L" ") + line;
    LogWnd::log.clear();
    return out;
}

} // namespace ctrtest
