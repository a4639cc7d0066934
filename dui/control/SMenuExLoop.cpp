// SMenuEx: the menu loop. It reads the thread's queue itself, so that the
// menus see the keyboard while the focus stays with their owner, and ends
// the run on a click outside every menu, on Alt, or when another window
// comes to the foreground.
#include "dui/control/SMenuEx.h"

#include "dui/control/SMenuExRunData.h"
#include "dui/core/base/SMsgPoint.h"

namespace DUI {

namespace {

bool IsMenuKey(const MSG& msg)
{
    switch (msg.message) {
    case WM_KEYDOWN: case WM_KEYUP: case WM_SYSKEYDOWN: case WM_SYSKEYUP:
        return msg.wParam == VK_MENU;
    default:
        return false;
    }
}

bool IsKeyboardMessage(UINT message)
{
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_CHAR;
}

bool IsNonClientMouse(UINT message)
{
    return message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK;
}

bool IsClientMouse(UINT message)
{
    return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST && message != WM_MOUSEWHEEL &&
           message != WM_MOUSEHWHEEL;
}

// The screen point of a mouse message.
POINT ScreenPoint(const MSG& msg)
{
    POINT pt = PointFromLParam(msg.lParam);
    if (!IsNonClientMouse(msg.message) && msg.hwnd)
        ::ClientToScreen(msg.hwnd, &pt);
    return pt;
}

// Addresses a mouse message to the menu under its point. The top menu
// holds the capture, so moves and clicks over its sub-menus arrive at it.
void Retarget(MSG& msg, SMenuEx* menu)
{
    if (!menu || menu->GetHwnd() == msg.hwnd || !IsClientMouse(msg.message))
        return;
    POINT pt = ScreenPoint(msg);
    ::ScreenToClient(menu->GetHwnd(), &pt);
    msg.hwnd = menu->GetHwnd();
    msg.lParam = MAKELPARAM(pt.x, pt.y);
}

void RemoveMessage(const MSG& seen)
{
    MSG msg;
    ::PeekMessageW(&msg, seen.hwnd, seen.message, seen.message, PM_REMOVE);
}

} // namespace

UINT SMenuEx::TrackPopupMenu(UINT flags, int x, int y, HWND owner, int scale)
{
    if (!GetHwnd())
        return static_cast<UINT>(-1);
    SRefPtr<SMenuExRunData> run;
    if (SMenuExRunData* current = SMenuExRunData::GetCurrent())
        run = SRefPtr<SMenuExRunData>::Share(current);
    else
        run = SRefPtr<SMenuExRunData>::Adopt(new SMenuExRunData(owner, scale));
    // A command handler may release the menu while its loop runs.
    const SRefPtr<SMenuEx> keep = SRefPtr<SMenuEx>::Share(this);

    HWND reactivate = owner && ::IsWindow(owner) && ::IsWindowEnabled(owner) ? owner : ::GetActiveWindow();
    HWND top = reactivate;
    for (HWND parent = top ? ::GetParent(top) : nullptr; parent; parent = ::GetParent(top))
        top = parent;
    if (top)
        ::SetForegroundWindow(top);
    ShowMenu(flags, x, y);
    ::SetCapture(GetHwnd());
    ::SendMessageW(GetHwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(GetHwnd()), 0x02000001);
    // What is in front now is what the run expects: a request the system
    // refused must not end the menu before it is seen.
    RunMenuLoop(run.Get(), ::GetForegroundWindow());
    HideMenu(FALSE);

    if (reactivate && ::IsWindow(reactivate)) {
        POINT pt = {};
        ::GetCursorPos(&pt);
        ::ScreenToClient(reactivate, &pt);
        ::PostMessageW(reactivate, WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
    }
    const int result = run->GetResult();
    run.Reset();
    if (flags & TPM_RETURNCMD)
        return static_cast<UINT>(result);
    if (owner && ::IsWindow(owner))
        ::SendMessageW(owner, WM_COMMAND, MAKEWPARAM(LOWORD(result), 0), 0);
    return 1;
}

void SMenuEx::RunMenuLoop(SMenuExRunData* run, HWND foreground)
{
    m_lastMouseMenu = nullptr;
    for (;;) {
        if (run->IsExiting() || ::GetForegroundWindow() != foreground)
            return;
        MSG msg;
        if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            ::WaitMessage();
            continue;
        }
        // A hook may take any message but the wheel, which scrolls menus.
        if (msg.message != WM_MOUSEWHEEL && ::CallMsgFilterW(&msg, MSGF_MENU)) {
            RemoveMessage(msg);
            continue;
        }
        if (!HandleQueuedMessage(run, msg))
            return;
    }
}

BOOL SMenuEx::HandleQueuedMessage(SMenuExRunData* run, MSG& msg)
{
    if (IsMenuKey(msg)) {
        // Alt closes the menu and stays queued for the owner's menu bar.
        run->Exit(0);
        return FALSE;
    }
    switch (msg.message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
        return HandleButtonDown(run, msg);
    case WM_QUIT: {
        RemoveMessage(msg);
        ::PostQuitMessage(static_cast<int>(msg.wParam));
        return FALSE;
    }
    case WM_MOUSEWHEEL:
        RemoveMessage(msg);
        ::SendMessageW(GetHwnd(), msg.message, msg.wParam, msg.lParam);
        return TRUE;
    default:
        DispatchMenuMessage(run, msg);
        return TRUE;
    }
}

BOOL SMenuEx::HandleButtonDown(SMenuExRunData* run, MSG& msg)
{
    SMenuEx* hit = run->MenuAtPoint(ScreenPoint(msg));
    if (!hit) {
        run->Exit(0);
        // A left click outside is spent on closing the menu; other clicks
        // go on to the window they hit.
        if (msg.message == WM_LBUTTONDOWN)
            RemoveMessage(msg);
        return FALSE;
    }
    if (SMenuEx* open = hit->GetOpenSubMenu())
        open->HideMenu(FALSE);
    DispatchMenuMessage(run, msg);
    return TRUE;
}

void SMenuEx::DispatchMenuMessage(SMenuExRunData* run, MSG& msg)
{
    RemoveMessage(msg);
    if (IsClientMouse(msg.message))
        Retarget(msg, run->MenuAtPoint(ScreenPoint(msg)));
    if (msg.message == WM_MOUSEMOVE)
        TrackMouseOver(run, msg);
    SMenuEx* target = run->FindMenu(msg.hwnd);
    SMenuEx* keyboard = run->Innermost();
    // Keys reach the menu being navigated, once.
    if (IsKeyboardMessage(msg.message) && target) {
        if (keyboard && keyboard->GetHwnd())
            ::SendMessageW(keyboard->GetHwnd(), msg.message, msg.wParam, msg.lParam);
        return;
    }
    if (target && target->GetToolTip())
        target->GetToolTip()->RelayEvent(&msg);
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
    if (IsKeyboardMessage(msg.message) && keyboard && keyboard->GetHwnd())
        ::SendMessageW(keyboard->GetHwnd(), msg.message, msg.wParam, msg.lParam);
}

void SMenuEx::TrackMouseOver(SMenuExRunData* run, const MSG& msg)
{
    if (msg.hwnd == m_lastMouseMenu)
        return;
    if (m_lastMouseMenu && run->FindMenu(m_lastMouseMenu))
        ::SendMessageW(m_lastMouseMenu, WM_MOUSELEAVE, 0, 0);
    m_lastMouseMenu = run->FindMenu(msg.hwnd) ? msg.hwnd : nullptr;
}

} // namespace DUI
