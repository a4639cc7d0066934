#include "dui/core/SHostDialog.h"

#include "dui/core/SApplication.h"
#include "dui/core/SMessageLoop.h"

namespace DUI {

SHostDialog::SHostDialog(LPCWSTR layout) : SHostWnd(layout)
{
    SApplication* app = SApplication::GetInstance();
    m_loopFactory = SRefPtr<IMsgLoopFactory>::Share(app ? app->GetMsgLoopFactory() : nullptr);
    if (m_loopFactory)
        m_loop = m_loopFactory->CreateMsgLoop();
}

SHostDialog::~SHostDialog()
{
    // The window needs its loop while it goes (its tooltip filters it).
    if (GetHwnd() && ::IsWindow(GetHwnd())) {
        AddRef();
        ::DestroyWindow(GetHwnd());
    }
    if (m_loopFactory)
        m_loopFactory->DestroyMsgLoop(m_loop);
    m_loop = nullptr;
}

INT_PTR SHostDialog::DoModal(HWND owner)
{
    // A handler may release the dialog while its loop runs.
    const SRefPtr<SWindow> keep = SRefPtr<SWindow>::Share(this);
    HWND active = ::GetActiveWindow();
    if (!owner)
        owner = active;
    bool reenable = false;
    if (owner && owner != ::GetDesktopWindow() && ::IsWindowEnabled(owner)) {
        ::EnableWindow(owner, FALSE);
        reenable = true;
    }
    if (!CreateEx(owner, WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, 0, 0)) {
        if (reenable)
            ::EnableWindow(owner, TRUE);
        return 0;
    }
    CenterWindow(owner);
    ::SendMessageW(GetHwnd(), WM_INITDIALOG, reinterpret_cast<WPARAM>(GetHwnd()), 0);
    if (m_code == kRunning && GetHwnd() && m_loop) {
        ::SetActiveWindow(GetHwnd());
        const bool tool = (::GetWindowLongW(GetHwnd(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
        ::ShowWindow(GetHwnd(), tool ? SW_SHOWNOACTIVATE : SW_SHOWNORMAL);
        const int exit = m_loop->Run();
        if (m_code == kRunning)
            ::PostQuitMessage(exit);   // the outer loops end too
        if (GetHwnd())
            HideDialog();
        if (reenable)
            ::EnableWindow(owner, TRUE);
        if (active && ::IsWindow(active))
            ::SetActiveWindow(active);
    } else if (reenable) {
        ::EnableWindow(owner, TRUE);
    }
    // Taken before the window goes: its WM_DESTROY would end a dialog that
    // WM_QUIT ended with IDCLOSE.
    const INT_PTR code = m_code;
    if (GetHwnd())
        DestroyWindow();
    return code;
}

void SHostDialog::EndDialog(INT_PTR code)
{
    if (m_code != kRunning)
        return;
    m_code = code;
    if (m_loop)
        m_loop->Quit();
    if (GetHwnd())
        HideDialog();
    // To the thread, not the window: a window on its way out drops what is
    // posted to it, and the loop would sleep on.
    ::PostThreadMessageW(::GetCurrentThreadId(), WM_NULL, 0, 0);
}

void SHostDialog::HideDialog()
{
    ::SetWindowPos(GetHwnd(), nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
}

BOOL SHostDialog::HandleEvent(EventArgs* e)
{
    if (!EventCast<EventCmd>(e))
        return FALSE;
    switch (e->idFrom) {
    case IDOK:
    case IDCANCEL:
    case IDCLOSE:
        e->bubbleUp = FALSE;
        EndDialog(e->idFrom);
        return TRUE;
    default:
        return FALSE;
    }
}

void SHostDialog::OnDialogKeyDown(WPARAM key, LPARAM lp)
{
    OnKeyEvent(WM_KEYDOWN, key, lp);
    if (IsHostHandled() || (key != VK_ESCAPE && key != VK_RETURN))
        return;
    if (SWindow* button = FindChildByID(key == VK_ESCAPE ? IDCANCEL : IDOK, -1))
        button->FireCommand();
}

BOOL SHostDialog::ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result, DWORD mapId)
{
    if (mapId != 0)
        return FALSE;
    switch (msg) {
    case WM_DESTROY:
        if (m_code == kRunning)
            EndDialog(IDCLOSE);
        break;   // the host's own WM_DESTROY handling runs as well
    case WM_CLOSE:
        OnCancel();
        result = 0;
        return TRUE;
    case WM_KEYDOWN: {
        const SRefPtr<SWindow> keep = SRefPtr<SWindow>::Share(this);
        OnDialogKeyDown(wp, lp);
        result = 0;
        return TRUE;
    }
    default:
        break;
    }
    if (SHostWnd::ProcessWindowMessage(hwnd, msg, wp, lp, result, mapId))
        return TRUE;
    BOOL reflected = FALSE;
    result = ReflectNotifications(msg, wp, lp, reflected);
    if (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC && result == 0)
        reflected = FALSE;
    return reflected;
}

} // namespace DUI
