#include "app/core/WindowActivate.h"

HWND FindWindowWithTimeout(const std::wstring& className, const std::wstring& windowName, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        HWND found = FindWindowW(className.empty() ? nullptr : className.c_str(),
                                 windowName.empty() ? nullptr : windowName.c_str());
        // Unsigned difference: correct across the tick counter's wrap.
        if (found || GetTickCount() - start >= timeoutMs)
            return found;
        Sleep(100);
    }
}

void ActivateWindow(HWND window)
{
    ShowWindow(window, SW_SHOW);
    if (IsIconic(window)) {
        SendMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
        ShowWindow(window, SW_SHOWNORMAL);
    }
    // Windows only lets the foreground thread move the foreground; borrowing
    // its input queue for the call lifts that restriction.
    DWORD foregroundThread = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
    DWORD ownThread = GetCurrentThreadId();
    if (foregroundThread == ownThread) {
        SetForegroundWindow(window);
        return;
    }
    BOOL attached = AttachThreadInput(ownThread, foregroundThread, TRUE);
    SetForegroundWindow(window);
    if (attached == TRUE)
        AttachThreadInput(ownThread, foregroundThread, FALSE);
}

void ActivateWindowRaise(HWND window)
{
    ActivateWindow(window);
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}
