// SWindow: timers on the host window and on the timer generator, the
// tooltip the host shows for the window, commands and the context menu.
#include "dui/core/SWindow.h"

#include "dui/core/HostGeometry.h"
#include "dui/core/STimer2.h"

namespace DUI {

namespace {

void DeliverGeneratorTick(SWindow* window, UINT_PTR id)
{
    window->DeliverSwndMessage(UM_SWND_TIMER, id, 0);
}

} // namespace

// Without a host window the system would make a thread timer with an id of
// its own choosing, which no one could kill by this id.
BOOL SWindow::SetTimer(char id, UINT elapse)
{
    HWND host = m_container ? m_container->GetHostHwnd() : nullptr;
    if (!host)
        return FALSE;
    return ::SetTimer(host, MakeWindowTimer(m_swnd, id), elapse, nullptr) != 0;
}

void SWindow::KillTimer(char id)
{
    if (HWND host = m_container ? m_container->GetHostHwnd() : nullptr)
        ::KillTimer(host, MakeWindowTimer(m_swnd, id));
}

BOOL SWindow::SetTimerEx(UINT_PTR id, UINT elapse)
{
    STimer2* timers = STimer2::GetInstance();
    if (!timers)
        return FALSE;
    STimer2::SetTickDelivery(&DeliverGeneratorTick);
    return timers->SetTimer(m_swnd, id, elapse);
}

void SWindow::KillTimerEx(UINT_PTR id)
{
    if (STimer2* timers = STimer2::GetInstance())
        timers->KillTimer(m_swnd, id);
}

void SWindow::SetToolTipText(LPCWSTR text)
{
    m_toolTip.SetText(SStringW(text));
    if (m_container && m_container->GetHover() == m_swnd)
        m_container->UpdateTooltip();
}

SStringW SWindow::GetToolTipText() const
{
    return m_toolTip.GetText(FALSE);
}

BOOL SWindow::OnUpdateToolTip(const SwndToolTipKey&, SwndToolTipInfo& info)
{
    info.swnd = m_swnd;
    info.cookie = 0;
    info.rcTarget = m_rcWindow;
    EventSwndUpdateTooltip e(this);
    FireEvent(e);
    if (e.bUpdated) {
        info.strTip = e.strToolTip;
        return !info.strTip.IsEmpty();
    }
    const SStringW own = GetToolTipText();
    if (own.IsEmpty())
        return FALSE;
    info.strTip = own;
    return TRUE;
}

BOOL SWindow::FireCommand()
{
    EventCmd e(this);
    return FireEvent(e);
}

BOOL SWindow::FireCtxMenu(POINT pt)
{
    EventCtxMenu e(this);
    e.pt = pt;
    FireEvent(e);
    return e.bCancel;
}

} // namespace DUI
