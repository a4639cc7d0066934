#pragma once
// Finding a top-level window with a time-out and bringing it to the front,
// used when a second start of the program meets the running one.
#include <string>

#include <winsock2.h>
#include <windows.h>

// Polls every 100 ms until a window of that class and name exists or the
// time-out has passed; an empty class or name matches any.
HWND FindWindowWithTimeout(const std::wstring& className, const std::wstring& windowName, DWORD timeoutMs);

void ActivateWindow(HWND window);
void ActivateWindowRaise(HWND window);
