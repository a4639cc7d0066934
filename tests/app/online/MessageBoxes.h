#pragma once
// Finds the message box a process shows, reads it and closes it, as a person
// would: the test never leaves a box open for another test to meet.
#include <winsock2.h>
#include <windows.h>

#include <string>

#include "tests/support/MessagePump.h"

struct SeenMessageBox {
    bool found = false;
    std::wstring title;
    std::wstring text;
};

namespace online_test {

inline std::wstring WindowText(HWND hwnd)
{
    wchar_t text[2048] = {};
    GetWindowTextW(hwnd, text, 2048);
    return text;
}

inline HWND FindMessageBoxOf(DWORD processId)
{
    struct Search {
        DWORD processId;
        HWND found;
    } search{processId, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            wchar_t cls[64] = {};
            GetClassNameW(hwnd, cls, 64);
            if (owner != s->processId || wcscmp(cls, L"#32770") != 0 || !IsWindowVisible(hwnd)) return TRUE;
            s->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Waits for the process's message box, reads title and text, presses its
// first button. Pumps this thread's messages while it waits.
inline SeenMessageBox ReadAndCloseMessageBox(DWORD processId, DWORD timeoutMs = testsupport::kPumpLimitMs)
{
    SeenMessageBox seen;
    HWND box = nullptr;
    if (!testsupport::PumpUntil([&] { return (box = FindMessageBoxOf(processId)) != nullptr; }, timeoutMs))
        return seen;
    seen.found = true;
    seen.title = WindowText(box);
    // The message text is the static control with the id 0xFFFF.
    if (HWND text = GetDlgItem(box, 0xFFFF)) seen.text = WindowText(text);
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    testsupport::PumpUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 10000);
    return seen;
}

} // namespace online_test
