#pragma once
// The small borderless splash window: the current state text and a progress
// bar. Its window text mirrors both ("<state> <n>%") so other programs can read them.
#include <winsock2.h>
#include <windows.h>

#include <string>

#include "dui/core/base/SHandle.h"

class SplashWindow {
public:
    static constexpr const wchar_t* kClassName = L"TorvaneSetupLoadingWnd";

    SplashWindow() = default;
    ~SplashWindow();
    SplashWindow(const SplashWindow&) = delete;
    SplashWindow& operator=(const SplashWindow&) = delete;

    // Ends by itself once the process `parentPid` is gone (0: never).
    bool Create(HINSTANCE instance, DWORD parentPid);
    HWND Handle() const { return m_window; }
    int RunLoop();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnPaint();
    void OnParentCheck();
    void UpdateText();

    HWND m_window = nullptr;
    DUI::SKernelHandle m_parent;
    std::wstring m_state = L"...";
    int m_progress = 0;
};
