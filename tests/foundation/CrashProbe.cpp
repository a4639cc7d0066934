// A windowed program that crashes on purpose, like a test binary that uses
// user32 and GDI: for the tests that a crash under Wine ends the process at
// once with a failure code instead of waiting on a debugger or a dialog.
#include <winsock2.h>
#include <windows.h>

#include <cstdio>

int main()
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VeskCrashProbe";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"crash probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    if (!window) {
        std::puts("no window");
        return 2;
    }
    HDC dc = GetDC(window);
    Rectangle(dc, 10, 10, 60, 60);
    ReleaseDC(window, dc);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    std::puts("crashing");
    std::fflush(stdout);
    volatile int* p = nullptr;
    *p = 1;
    return 0;
}
