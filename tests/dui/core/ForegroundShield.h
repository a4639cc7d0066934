#pragma once
// While it lives, a host window keeps its activation, its keyboard focus and
// the mouse capture when a window of another process takes the foreground.
// Tests in other processes show and activate their own windows at any time;
// a test that types into a focused control, or holds a press, would otherwise
// lose the focus or the press in the middle of its own input. Deactivation
// and focus moves that this process makes itself still go through.
#include <winsock2.h>
#include <windows.h>

namespace hosttest {

class ForegroundShield
{
public:
    explicit ForegroundShield(HWND hwnd) : m_hwnd(hwnd)
    {
        if (!m_hwnd || !::SetPropW(m_hwnd, kProp, this))
            return;
        m_previous = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
        if (!m_previous)
            ::RemovePropW(m_hwnd, kProp);
    }
    ~ForegroundShield()
    {
        if (!m_previous || !::IsWindow(m_hwnd))
            return;
        ::SetWindowLongPtrW(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previous));
        ::RemovePropW(m_hwnd, kProp);
    }
    ForegroundShield(const ForegroundShield&) = delete;
    ForegroundShield& operator=(const ForegroundShield&) = delete;

    bool Active() const { return m_previous != nullptr; }

private:
    static constexpr const wchar_t* kProp = L"vesk.test.foregroundShield";

    // A window of no process of ours: the system names none when the
    // foreground went to another process.
    static bool IsForeign(HWND other)
    {
        DWORD pid = 0;
        return !other || !::GetWindowThreadProcessId(other, &pid) || pid != ::GetCurrentProcessId();
    }
    static bool IsForeignLoss(UINT msg, WPARAM wp, LPARAM lp)
    {
        switch (msg) {
        case WM_ACTIVATE:
            return LOWORD(wp) == WA_INACTIVE && IsForeign(reinterpret_cast<HWND>(lp));
        case WM_KILLFOCUS:
            return IsForeign(reinterpret_cast<HWND>(wp));
        case WM_ACTIVATEAPP:
            return !wp;
        case WM_CANCELMODE:   // the system's way of taking the capture back
            return true;
        default:
            return false;
        }
    }
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
    {
        auto* self = static_cast<ForegroundShield*>(::GetPropW(hwnd, kProp));
        if (!self)
            return ::DefWindowProcW(hwnd, msg, wp, lp);
        if (IsForeignLoss(msg, wp, lp))
            return 0;
        return ::CallWindowProcW(self->m_previous, hwnd, msg, wp, lp);
    }

    HWND m_hwnd;
    WNDPROC m_previous = nullptr;
};

} // namespace hosttest
