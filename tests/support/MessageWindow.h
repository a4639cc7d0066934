#pragma once
// A message-only window on the test's thread: its messages go to a handler
// first, the rest to DefWindowProcW. Destroyed with the object.
#include <winsock2.h>
#include <windows.h>

#include <functional>
#include <utility>

namespace testsupport {

class MessageWindow
{
public:
    // True when the handler answered the message; its answer goes in `result`.
    using Handler = std::function<bool(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)>;

    explicit MessageWindow(Handler handler = nullptr) : m_handler(std::move(handler))
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &MessageWindow::Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = kClass;
        ::RegisterClassW(&wc);   // fails harmlessly once registered
        m_hwnd = ::CreateWindowExW(0, kClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, this);
    }
    ~MessageWindow() { Destroy(); }
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;

    HWND Hwnd() const { return m_hwnd; }
    void Destroy()
    {
        if (m_hwnd)
            ::DestroyWindow(std::exchange(m_hwnd, nullptr));
    }

private:
    static constexpr wchar_t kClass[] = L"VeskTestMessageWindow";

    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
    {
        if (msg == WM_NCCREATE)
            ::SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                                reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
        auto* self = reinterpret_cast<MessageWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (msg == WM_NCDESTROY)
            ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        LRESULT result = 0;
        if (self && self->m_handler && self->m_handler(msg, wp, lp, result))
            return result;
        return ::DefWindowProcW(hwnd, msg, wp, lp);
    }

    Handler m_handler;
    HWND m_hwnd = nullptr;
};

} // namespace testsupport
