#include "app/controls/SDlgBase.h"

#include <dwmapi.h>

#include <cstdio>

#include "app/controls/CModalStack.h"
#include "app/controls/WindowDpiPercent.h"
#include "dui/core/base/DuiLog.h"
#include "dui/core/SApplication.h"

namespace DUI {

namespace {

constexpr LPCWSTR kMaskLayout = L"LAYOUTGLOBAL:dlg_mask";

bool IsDialogPartMessage(UINT msg)
{
    return msg == WM_COPYDATA || msg == WM_COMMAND || msg == WM_TIMER || msg >= WM_USER;
}

} // namespace

SDlgBase::SDlgBase(LPCWSTR layout) : SHostDialog(layout) {}

SDlgBase::~SDlgBase()
{
    // As in the window base: the window goes while this map still runs.
    if (CSimpleWnd::GetHwnd() && ::IsWindow(CSimpleWnd::GetHwnd())) {
        AddRef();
        ::DestroyWindow(CSimpleWnd::GetHwnd());
    }
    m_mask.Reset();
}

int SDlgBase::GetWindowDpiPercent(HWND hwnd)
{
    return WindowDpiPercent(hwnd);
}

RECT SDlgBase::MaskRect(HWND owner, POINT* corner)
{
    const LONG exStyle = ::GetWindowLongW(owner, GWL_EXSTYLE);
    bool refuseFrame = false;
    ShadowMargins margins;
    ::SendMessageW(owner, UM_QUERY_SHADOW_MARGINS, reinterpret_cast<WPARAM>(&refuseFrame),
                   reinterpret_cast<LPARAM>(&margins));
    if (corner)
        *corner = POINT{margins.cornerWidth, margins.cornerHeight};
    RECT rc = {};
    ::GetWindowRect(owner, &rc);
    if (margins.marginsGiven) {
        rc.left -= margins.left;
        rc.top -= margins.top;
        rc.right += margins.right;
        rc.bottom += margins.bottom;
    } else if (!(exStyle & WS_EX_LAYERED) && !refuseFrame) {
        // A layered owner draws its shadow frame inside its own rectangle.
        ::InflateRect(&rc, kMaskFrame, kMaskFrame);
    }
    return rc;
}

bool SDlgBase::CreateMask(HWND owner)
{
    POINT corner = {-1, -1};
    const RECT rc = MaskRect(owner, &corner);
    m_mask = SRefPtr<SDlgBaseWnd>::Adopt(new SDlgBaseWnd(kMaskLayout));
    HWND mask = m_mask->Create(owner, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    if (!mask) {
        DUI_LOG_WARNING("app", "SDlgBase::DoModal", L"the mask over the owner cannot be made");
        m_mask.Reset();
        return false;
    }
    if (corner.x != -1 || corner.y != -1) {
        if (SWindow* bg = m_mask->FindChildByName(L"bg_mask", -1)) {
            wchar_t round[32];
            std::swprintf(round, 32, L"%d,%d", static_cast<int>(corner.x), static_cast<int>(corner.y));
            bg->SetAttribute(L"round", round, FALSE);
        }
    }
    const BOOL disableTransitions = TRUE;
    ::DwmSetWindowAttribute(mask, DWMWA_TRANSITIONS_FORCEDISABLED, &disableTransitions, sizeof(disableTransitions));
    ::ShowWindow(mask, SW_SHOWNOACTIVATE);
    ::EnableWindow(owner, FALSE);
    ::EnableWindow(mask, FALSE);
    return true;
}

void SDlgBase::DropMask(HWND owner, bool ownerHadFocus)
{
    if (HWND mask = m_mask->CSimpleWnd::GetHwnd()) {
        ::ShowWindow(mask, SW_HIDE);
        m_mask->DestroyWindow();
    }
    m_mask.Reset();
    if (!::IsWindow(owner))
        return;
    ::SetForegroundWindow(owner);
    ::EnableWindow(owner, TRUE);
    if (ownerHadFocus)
        ::SetFocus(owner);
}

INT_PTR SDlgBase::DoModal(HWND owner)
{
    // A handler may release the dialog while its loop runs.
    const SRefPtr<SWindow> keep = SRefPtr<SWindow>::Share(this);
    CModalStack::Instance().Push(this);
    const bool ownerHadFocus = owner && ::GetFocus() == owner;
    HWND runOwner = owner;
    if (m_useMask && owner && owner != ::GetDesktopWindow() && ::IsWindowVisible(owner)) {
        m_owner = owner;
        if (CreateMask(owner))
            runOwner = m_mask->CSimpleWnd::GetHwnd();
    }
    m_runningModal = true;
    const INT_PTR code = SHostDialog::DoModal(runOwner);
    m_runningModal = false;
    if (m_mask)
        DropMask(owner, ownerHadFocus);
    // A dialog that never ran, or whose loop WM_QUIT ended, never called
    // EndDialog: it must not keep the registered windows disabled.
    CModalStack::Instance().Pop(this);
    return code;
}

INT_PTR SDlgBase::DoModalAuto()
{
    CModalStack& stack = CModalStack::Instance();
    HWND owner = stack.GetOwnerWindow();
    if (owner == ::GetDesktopWindow() && !stack.GetRegisteredWindows().empty())
        owner = stack.GetRegisteredWindows().back();
    return DoModal(owner);
}

void SDlgBase::EndDialog(INT_PTR code)
{
    if (m_mask && CSimpleWnd::GetHwnd())
        CSimpleWnd::KillTimer(TIMER_MASK_TRACK);
    CModalStack::Instance().Pop(this);
    SHostDialog::EndDialog(code);
}

INT_PTR SDlgBase::Recall()
{
    EndDialog(kRecalled);
    return kRecalled;
}

SMessageLoop* SDlgBase::GetMsgLoop()
{
    if (m_runningModal)
        return SHostDialog::GetMsgLoop();
    SApplication* app = SApplication::GetInstance();
    return app ? app->GetMsgLoop() : nullptr;
}

BOOL SDlgBase::ApplyXmlNode(xmldom::xml_node element, int cx, int cy)
{
    m_common.ApplyThemedStyles(element);
    return SHostDialog::ApplyXmlNode(element, cx, cy);
}

void SDlgBase::TrackOwner()
{
    const RECT rc = MaskRect(m_owner);
    const RECT now = m_mask->GetNativeWindowRect();
    // Without activation: the mask must never take it from the dialog.
    if (!::EqualRect(&rc, &now))
        ::SetWindowPos(m_mask->CSimpleWnd::GetHwnd(), nullptr, rc.left, rc.top, rc.right - rc.left,
                       rc.bottom - rc.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL SDlgBase::RunOwnMessages(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_DESTROY:
        m_common.RemoveTooltipManager();
        return FALSE;   // the host dialog's own handling runs as well
    case WM_INITDIALOG:
        CSimpleWnd::SetTimer(TIMER_MASK_TRACK, kMaskTrackPeriod);
        return FALSE;
    case WM_TIMER:
        if (wp == TIMER_MASK_TRACK && m_mask && m_mask->CSimpleWnd::GetHwnd()) {
            TrackOwner();
            return TRUE;
        }
        break;
    default:
        break;
    }
    return m_common.RunSharedMessages(
        msg, wp, lp, result, [this](CREATESTRUCTW* cs) { return OnNativeCreate(cs); }, &IsDialogPartMessage);
}

BOOL SDlgBase::ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result, DWORD mapId)
{
    if (mapId != 0)
        return FALSE;
    result = 0;
    if (SDlgCommon::Reflect(*this, msg, wp, lp, result))
        return TRUE;
    if (RunOwnMessages(msg, wp, lp, result))
        return TRUE;
    if (SHostDialog::ProcessWindowMessage(hwnd, msg, wp, lp, result, mapId))
        return TRUE;
    m_common.ScaleOnDpiMessage(msg, wp, lp, *this);
    result = 0;
    return FALSE;
}

void SDlgBase::OnDpiChanged(int scale, const RECT& rc)
{
    m_common.Rescale(scale, rc);
}

} // namespace DUI
