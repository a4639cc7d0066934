#include "components/TorvaneSetupLoading/SplashWindow.h"

#include <memory>

#include "components/TorvaneSetupLoading/SplashClient.h"

namespace {

constexpr int kWidth = 360;
constexpr int kHeight = 110;
constexpr UINT_PTR kParentTimer = 1;

void FillRectColor(HDC dc, const RECT& rect, COLORREF color)
{
    const DUI::SGdiObject<HBRUSH> brush(CreateSolidBrush(color));
    FillRect(dc, &rect, brush);
}

} // namespace

SplashWindow::~SplashWindow()
{
    if (m_window) DestroyWindow(m_window);
}

bool SplashWindow::Create(HINSTANCE instance, DWORD parentPid)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = &SplashWindow::WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    RegisterClassW(&wc);
    const int x = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
    m_window = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kClassName, L"", WS_POPUP, x, y, kWidth, kHeight,
                               nullptr, nullptr, instance, this);
    if (!m_window) return false;
    if (parentPid) {
        m_parent.Reset(OpenProcess(SYNCHRONIZE, FALSE, parentPid));
        SetTimer(m_window, kParentTimer, 500, nullptr);
    }
    UpdateText();
    ShowWindow(m_window, SW_SHOWNORMAL);
    UpdateWindow(m_window);
    return true;
}

int SplashWindow::RunLoop()
{
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

LRESULT CALLBACK SplashWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        // Messages arrive before CreateWindowExW returns: keep the handle now.
        static_cast<SplashWindow*>(create->lpCreateParams)->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<SplashWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    // Nothing may unwind through the system's message dispatch.
    try {
        return self->OnMessage(message, wParam, lParam);
    } catch (...) {
        OutputDebugStringW(L"TorvaneSetupLoading: exception stopped at the window procedure\n");
        return 0;
    }
}

LRESULT SplashWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SPLASH_PROGRESS:
        m_progress = static_cast<int>(wParam);
        UpdateText();
        return 0;
    case WM_SPLASH_STATE: {
        const std::unique_ptr<std::wstring> text(reinterpret_cast<std::wstring*>(lParam));
        m_state = *text;
        UpdateText();
        return 0;
    }
    case WM_SPLASH_EXIT:
        DestroyWindow(m_window);
        return 0;
    case WM_TIMER:
        if (wParam == kParentTimer) OnParentCheck();
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_DESTROY:
        m_window = nullptr;
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(m_window, message, wParam, lParam);
    }
}

void SplashWindow::OnParentCheck()
{
    if (m_parent && WaitForSingleObject(m_parent, 0) == WAIT_OBJECT_0) DestroyWindow(m_window);
}

void SplashWindow::UpdateText()
{
    SetWindowTextW(m_window, (m_state + L" " + std::to_wstring(m_progress) + L"%").c_str());
    InvalidateRect(m_window, nullptr, TRUE);
}

void SplashWindow::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_window, &ps);
    RECT client;
    GetClientRect(m_window, &client);
    FillRectColor(dc, client, RGB(250, 250, 252));
    RECT textRect{16, 20, client.right - 16, 56};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(40, 40, 48));
    DrawTextW(dc, m_state.c_str(), -1, &textRect, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    RECT track{16, 70, client.right - 16, 80};
    FillRectColor(dc, track, RGB(222, 226, 235));
    RECT bar = track;
    bar.right = track.left + (track.right - track.left) * m_progress / 100;
    FillRectColor(dc, bar, RGB(52, 120, 246));
    EndPaint(m_window, &ps);
}
