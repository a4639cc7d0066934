#include "dui/core/SDummyWnd.h"

namespace DUI {

BOOL SDummyWnd::ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM, LPARAM, LRESULT& result, DWORD mapId)
{
    if (mapId != 0 || msg != WM_PAINT)
        return FALSE;
    PAINTSTRUCT ps;
    ::BeginPaint(hwnd, &ps);
    ::EndPaint(hwnd, &ps);
    m_paintHost();
    result = 0;
    return TRUE;
}

BOOL SDummyWnd::CreateForHost()
{
    if (!CreateWindow(L"DUI_DUMMY_WND", WS_POPUP, WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, 0, 0, 10, 10, nullptr,
                      nullptr))
        return FALSE;
    ModifyStyleEx(0, WS_EX_LAYERED);
    ::SetLayeredWindowAttributes(GetHwnd(), 0, 0, LWA_ALPHA);
    ::ShowWindow(GetHwnd(), SW_SHOWNOACTIVATE);
    return TRUE;
}

} // namespace DUI
