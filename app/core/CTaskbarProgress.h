#pragma once
// Mirrors a run's progress on the program's taskbar button through the
// system's taskbar object. When that object cannot be made, every
// operation does nothing. Used on the user-interface thread only.
#include <winsock2.h>
#include <windows.h>
#include <shobjidl.h>

#include "dui/core/base/SRefPtr.h"

class CTaskbarProgress
{
public:
    // `taskbar` stands in for the system's object when given (a reference of
    // our own is taken); otherwise EnsureInit makes the system's.
    explicit CTaskbarProgress(ITaskbarList4* taskbar = nullptr);

    // The process-wide object the main window sets up and the modules use.
    static CTaskbarProgress& Instance();

    // Makes the system's taskbar object once.
    void EnsureInit();
    // The window whose taskbar button shows progress; a new window starts
    // without a bar.
    void SetWindow(HWND window);
    HWND GetWindow() const { return m_window; }
    // Shows done of total; once done reaches total the bar goes.
    void SetProgress(ULONGLONG done, ULONGLONG total);
    // Removes the bar.
    void Clear();
    // For callers that drive the bar directly; null without one.
    ITaskbarList4* GetTaskbar() const { return m_taskbar.Get(); }

private:
    DUI::SComPtr<ITaskbarList4> m_taskbar;
    HWND m_window = nullptr;
};
