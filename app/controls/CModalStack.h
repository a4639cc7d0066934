#pragma once
// The program's open modal dialogs, oldest first. While any is open the
// registered top-level windows are disabled; ending a dialog also recalls
// the dialogs opened after it; a new dialog or shell action asks it for
// its owner window.
#include <winsock2.h>
#include <windows.h>

#include <vector>

#include "app/controls/IDlgRecall.h"

class CModalStack
{
public:
    enum Mode : int
    {
        Mode_RecallLater = 0,   // ending a dialog recalls those opened after it
        Mode_RemoveOnly = 1,    // ending a dialog removes only that one
    };
    static constexpr int kPushed = 101;
    static constexpr int kPopped = 100;

    static CModalStack& Instance();

    int Push(IDlgRecall* dialog);
    int Pop(IDlgRecall* dialog);
    // The newest open dialog that is shown and not minimised, else the main
    // window, else the newest such registered window, else the desktop.
    HWND GetOwnerWindow() const;

    // Windows to disable while any dialog is open.
    void RegisterWindow(HWND hwnd);
    void UnregisterWindow(HWND hwnd);
    const std::vector<HWND>& GetRegisteredWindows() const { return m_registered; }
    void SetMainWindow(HWND hwnd) { m_mainWindow = hwnd; }
    void SetMode(Mode mode) { m_mode = mode; }
    const std::vector<IDlgRecall*>& GetOpenDialogs() const { return m_open; }
    bool IsOpen(const IDlgRecall* dialog) const;

private:
    CModalStack() = default;
    void EnableRegistered(BOOL enable) const;

    int m_mode = Mode_RecallLater;
    std::vector<IDlgRecall*> m_open;
    std::vector<HWND> m_registered;
    HWND m_mainWindow = nullptr;
};
