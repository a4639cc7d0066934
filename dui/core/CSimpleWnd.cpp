#include "dui/core/CSimpleWnd.h"

#include <algorithm>
#include <cstring>

#include "dui/core/CSimpleWndHelper.h"
#include "dui/core/base/DuiLog.h"

namespace DUI {

namespace {

// mov rcx, <object>; mov rax, <procedure>; jmp rax
constexpr size_t kThunkSize = 22;
// Notifications come back to their control as message + this (OCM__BASE).
constexpr UINT kReflectBase = 0x2000;

} // namespace

CSimpleWnd::~CSimpleWnd() = default;

BOOL CSimpleWnd::ProcessWindowMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&, DWORD)
{
    return FALSE;
}

void CSimpleWnd::OnFinalMessage(HWND)
{
    FreeThunk();
}

HWND CSimpleWnd::CreateWindow(LPCWSTR title, DWORD style, DWORD exStyle, int x, int y, int cx, int cy,
                              HWND parent, LPVOID param)
{
    CSimpleWndHelper* helper = CSimpleWndHelper::GetInstance();
    if (!helper || !helper->GetHeap() || !helper->GetClassAtom() || m_hwnd) {
        DUI_LOG_WARNING("dui", "CSimpleWnd::CreateWindow", L"no window class, or the window exists already");
        return nullptr;
    }
    m_thunk = ::HeapAlloc(helper->GetHeap(), HEAP_ZERO_MEMORY, kThunkSize);
    if (!m_thunk)
        return nullptr;
    helper->LockCreation(this);
    HWND hwnd = ::CreateWindowExW(exStyle, MAKEINTATOM(helper->GetClassAtom()), title, style, x, y, cx, cy, parent,
                                  nullptr, helper->GetModule(), param);
    const DWORD error = ::GetLastError();
    helper->UnlockCreation();
    if (!hwnd) {
        // A window that got as far as WM_NCDESTROY has already given its thunk back.
        FreeThunk();
        m_hwnd = nullptr;
        DUI_LOG_WARNING("dui", "CSimpleWnd::CreateWindow", L"CreateWindowExW failed (%lu)", error);
    }
    return hwnd;
}

LRESULT CALLBACK CSimpleWnd::StartWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    CSimpleWndHelper* helper = CSimpleWndHelper::GetInstance();
    CSimpleWnd* wnd = helper ? helper->TakeCreatingWindow() : nullptr;
    if (!wnd || !wnd->m_thunk)
        return ::DefWindowProcW(hwnd, msg, wp, lp);
    wnd->m_hwnd = hwnd;
    wnd->WriteThunk();
    auto thunk = reinterpret_cast<WNDPROC>(wnd->m_thunk);
    ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(thunk));
    return thunk(hwnd, msg, wp, lp);
}

void CSimpleWnd::WriteThunk()
{
    auto* code = static_cast<unsigned char*>(m_thunk);
    const void* object = this;
    const auto proc = reinterpret_cast<void*>(&CSimpleWnd::ObjectWindowProc);
    code[0] = 0x48;
    code[1] = 0xB9;
    std::memcpy(code + 2, &object, 8);
    code[10] = 0x48;
    code[11] = 0xB8;
    std::memcpy(code + 12, &proc, 8);
    code[20] = 0xFF;
    code[21] = 0xE0;
    ::FlushInstructionCache(::GetCurrentProcess(), m_thunk, kThunkSize);
}

void CSimpleWnd::FreeThunk()
{
    CSimpleWndHelper* helper = CSimpleWndHelper::GetInstance();
    if (m_thunk && helper)
        ::HeapFree(helper->GetHeap(), 0, m_thunk);
    m_thunk = nullptr;
}

// The thunk passes the object where the system passed the HWND.
LRESULT CALLBACK CSimpleWnd::ObjectWindowProc(HWND self, UINT msg, WPARAM wp, LPARAM lp)
{
    return reinterpret_cast<CSimpleWnd*>(self)->Dispatch(msg, wp, lp);
}

LRESULT CSimpleWnd::Dispatch(UINT msg, WPARAM wp, LPARAM lp)
{
    const HWND hwnd = m_hwnd;
    SCurrentMsg record = {hwnd, msg, wp, lp, 0};
    SCurrentMsg* const outer = m_currentMsg;
    m_currentMsg = &record;
    BOOL handled = FALSE;
    // A handler that throws leaves the message to the previous procedure, so
    // creation and destruction still run their course.
    if (!CallGuarded("dui", __LINE__, "CSimpleWnd::WindowProc",
                     [&] { handled = ProcessWindowMessage(hwnd, msg, wp, lp, record.result, 0); }))
        handled = FALSE;
    if (!handled) {
        record.result = msg == WM_NCDESTROY ? PassOnFinalMessage(msg, wp, lp)
                                            : ::CallWindowProcW(m_prevProc, hwnd, msg, wp, lp);
    }
    const LRESULT result = record.result;
    if (m_destroyed && !outer) {
        const HWND old = m_hwnd;
        m_hwnd = nullptr;
        m_destroyed = 0;
        m_currentMsg = nullptr;
        OnFinalMessage(old);   // may delete this
    } else {
        m_currentMsg = outer;
    }
    return result;
}

LRESULT CSimpleWnd::PassOnFinalMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    const LONG_PTR ours = ::GetWindowLongPtrW(m_hwnd, GWLP_WNDPROC);
    const LRESULT result = ::CallWindowProcW(m_prevProc, m_hwnd, msg, wp, lp);
    // Give the window back to the procedure we replaced, unless someone
    // replaced ours in the meantime.
    if (m_prevProc != ::DefWindowProcW && ::GetWindowLongPtrW(m_hwnd, GWLP_WNDPROC) == ours)
        ::SetWindowLongPtrW(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_prevProc));
    m_destroyed = 1;
    return result;
}

LRESULT CSimpleWnd::DefWindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    return ::CallWindowProcW(m_prevProc, m_hwnd, msg, wp, lp);
}

POINT CSimpleWnd::CenteredPosition(const RECT& window, const RECT& area, const RECT& centre)
{
    const int w = window.right - window.left;
    const int h = window.bottom - window.top;
    int x = (centre.left + centre.right) / 2 - w / 2;
    int y = (centre.top + centre.bottom) / 2 - h / 2;
    if (x + w > area.right)
        x = area.right - w;
    if (y + h > area.bottom)
        y = area.bottom - h;
    return POINT{std::max<int>(x, area.left), std::max<int>(y, area.top)};
}

BOOL CSimpleWnd::CenterWindow(HWND centreOn)
{
    const LONG style = ::GetWindowLongW(m_hwnd, GWL_STYLE);
    const bool child = (style & WS_CHILD) != 0;
    HWND centre = centreOn;
    if (!centre)
        centre = child ? ::GetParent(m_hwnd) : ::GetWindow(m_hwnd, GW_OWNER);
    if (!centre)
        centre = ::GetActiveWindow();
    RECT area = {}, c = {};
    if (child) {
        HWND parent = ::GetParent(m_hwnd);
        ::GetClientRect(parent, &area);
        ::GetClientRect(centre, &c);
        ::MapWindowPoints(centre, parent, reinterpret_cast<POINT*>(&c), 2);
    } else {
        if (centre) {
            const LONG cs = ::GetWindowLongW(centre, GWL_STYLE);
            if (!(cs & WS_VISIBLE) || (cs & WS_MINIMIZE))
                centre = nullptr;
        }
        MONITORINFO mi = {sizeof(mi)};
        ::GetMonitorInfoW(::MonitorFromWindow(centre ? centre : m_hwnd, MONITOR_DEFAULTTONEAREST), &mi);
        area = mi.rcWork;
        if (centre)
            ::GetWindowRect(centre, &c);
        else
            c = area;
    }
    const POINT p = CenteredPosition(GetWindowRect(), area, c);
    return ::SetWindowPos(m_hwnd, nullptr, p.x, p.y, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CSimpleWnd::ModifyLong(int index, DWORD remove, DWORD add, UINT swpFlags)
{
    const DWORD old = static_cast<DWORD>(::GetWindowLongPtrW(m_hwnd, index));
    const DWORD now = (old & ~remove) | add;
    if (now == old)
        return FALSE;
    ::SetWindowLongPtrW(m_hwnd, index, static_cast<LONG_PTR>(now));
    if (swpFlags)
        ::SetWindowPos(m_hwnd, nullptr, 0, 0, 0, 0,
                       swpFlags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

BOOL CSimpleWnd::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags)
{
    return ModifyLong(GWL_STYLE, remove, add, swpFlags);
}

BOOL CSimpleWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags)
{
    return ModifyLong(GWL_EXSTYLE, remove, add, swpFlags);
}

RECT CSimpleWnd::GetWindowRect() const
{
    RECT rc = {};
    if (!::GetWindowRect(m_hwnd, &rc))
        rc = RECT{};
    return rc;
}

RECT CSimpleWnd::GetClientRect() const
{
    RECT rc = {};
    if (!::GetClientRect(m_hwnd, &rc))
        rc = RECT{};
    return rc;
}

UINT_PTR CSimpleWnd::SetTimer(UINT_PTR id, UINT elapse)
{
    return ::SetTimer(m_hwnd, id, elapse, nullptr);
}

BOOL CSimpleWnd::KillTimer(UINT_PTR id)
{
    return ::KillTimer(m_hwnd, id);
}

HWND CSimpleWnd::NotificationTarget(HWND parent, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_COMMAND:
        return reinterpret_cast<HWND>(lp);
    case WM_NOTIFY:
        return lp ? reinterpret_cast<const NMHDR*>(lp)->hwndFrom : nullptr;
    case WM_PARENTNOTIFY: {
        const WORD event = LOWORD(wp);
        if (event == WM_CREATE || event == WM_DESTROY)
            return reinterpret_cast<HWND>(lp);
        return ::GetDlgItem(parent, HIWORD(wp));
    }
    case WM_DRAWITEM:
        return wp && lp ? reinterpret_cast<const DRAWITEMSTRUCT*>(lp)->hwndItem : nullptr;
    case WM_DELETEITEM:
        return wp && lp ? reinterpret_cast<const DELETEITEMSTRUCT*>(lp)->hwndItem : nullptr;
    case WM_COMPAREITEM:
        return wp && lp ? reinterpret_cast<const COMPAREITEMSTRUCT*>(lp)->hwndItem : nullptr;
    case WM_MEASUREITEM:
        return wp && lp ? ::GetDlgItem(parent, reinterpret_cast<const MEASUREITEMSTRUCT*>(lp)->CtlID) : nullptr;
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
        return reinterpret_cast<HWND>(lp);
    default:
        if (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC)
            return reinterpret_cast<HWND>(lp);
        return nullptr;
    }
}

LRESULT CSimpleWnd::ReflectNotifications(UINT msg, WPARAM wp, LPARAM lp, BOOL& handled)
{
    HWND child = NotificationTarget(m_hwnd, msg, wp, lp);
    if (!child) {
        handled = FALSE;
        return 1;
    }
    handled = TRUE;
    return ::SendMessageW(child, kReflectBase + msg, wp, lp);
}

} // namespace DUI
