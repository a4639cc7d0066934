#pragma once
// A native window owned by an object: after the first message, every message
// reaches the object through a small thunk that puts the object's address in
// place of the HWND, so no lookup happens per message.
#include <winsock2.h>
#include <windows.h>
#include "dui/core/CMessageMap.h"

// The Win32 macro of that name would rename the member below.
#ifdef CreateWindow
#undef CreateWindow
#endif

namespace DUI {

// The message being handled; it lives on the window procedure's stack.
struct SCurrentMsg
{
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result;
};

class CSimpleWnd : public CMessageMap
{
public:
    explicit CSimpleWnd(HWND hwnd = nullptr) : m_hwnd(hwnd) {}
    CSimpleWnd(const CSimpleWnd&) = delete;
    CSimpleWnd& operator=(const CSimpleWnd&) = delete;

    BOOL ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result, DWORD mapId) override;
    virtual ~CSimpleWnd();
    // Runs once the native window is gone and its last message has returned;
    // the object may delete itself here.
    virtual void OnFinalMessage(HWND hwnd);

    HWND CreateWindow(LPCWSTR title, DWORD style, DWORD exStyle, int x, int y, int cx, int cy, HWND parent,
                      LPVOID param);
    HWND GetHwnd() const { return m_hwnd; }
    const SCurrentMsg* GetCurrentMessage() const { return m_currentMsg; }

    LRESULT DefWindowProc(UINT msg, WPARAM wp, LPARAM lp);
    BOOL CenterWindow(HWND centreOn = nullptr);
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags = 0);
    RECT GetWindowRect() const;
    RECT GetClientRect() const;
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse);
    BOOL KillTimer(UINT_PTR id);
    LRESULT ReflectNotifications(UINT msg, WPARAM wp, LPARAM lp, BOOL& handled);

    // Where a window of size `window` goes to be centred on `centre` and
    // kept inside `area` (left and top edges win over right and bottom).
    static POINT CenteredPosition(const RECT& window, const RECT& area, const RECT& centre);
    // The control a notification concerns, or NULL.
    static HWND NotificationTarget(HWND parent, UINT msg, WPARAM wp, LPARAM lp);

    static LRESULT CALLBACK StartWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

private:
    static LRESULT CALLBACK ObjectWindowProc(HWND self, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT PassOnFinalMessage(UINT msg, WPARAM wp, LPARAM lp);
    void WriteThunk();
    void FreeThunk();
    BOOL ModifyLong(int index, DWORD remove, DWORD add, UINT swpFlags);

    SCurrentMsg* m_currentMsg = nullptr;
    int m_destroyed = 0;
    HWND m_hwnd;
    void* m_thunk = nullptr;
    WNDPROC m_prevProc = ::DefWindowProcW;
};

} // namespace DUI
