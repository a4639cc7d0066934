// SWindow: timers, the tooltip the host shows for the window, commands and
// the context menu. The timers and the tooltip text keep their own classes;
// the window passes on what they need of it.
#include "dui/core/SWindow.h"

#include "dui/core/SwndTimers.h"

namespace DUI {

BOOL SWindow::SetTimer(char id, UINT elapse)
{
    return SwndTimers::SetHostTimer(m_container ? m_container->GetHostHwnd() : nullptr, m_swnd, id, elapse);
}

void SWindow::KillTimer(char id)
{
    SwndTimers::KillHostTimer(m_container ? m_container->GetHostHwnd() : nullptr, m_swnd, id);
}

BOOL SWindow::SetTimerEx(UINT_PTR id, UINT elapse)
{
    return SwndTimers::SetGeneratorTimer(m_swnd, id, elapse);
}

void SWindow::KillTimerEx(UINT_PTR id)
{
    SwndTimers::KillGeneratorTimer(m_swnd, id);
}

void SWindow::SetToolTipText(LPCWSTR text)
{
    m_toolTip.SetText(SStringW(text));
    if (m_container && m_container->GetHover() == m_swnd)
        m_container->UpdateTooltip();
}

SStringW SWindow::GetToolTipText() const
{
    return m_toolTip.GetText();
}

BOOL SWindow::OnUpdateToolTip(const SwndToolTipKey&, SwndToolTipInfo& info)
{
    EventSwndUpdateTooltip e(this);
    FireEvent(e);
    return SwndToolTip::Answer(m_swnd, m_rcWindow, e.bUpdated, e.bUpdated ? e.strToolTip : GetToolTipText(), info);
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
