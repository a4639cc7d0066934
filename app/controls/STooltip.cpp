#include "app/controls/STooltip.h"

namespace DUI {

STooltip::STooltip(LPCWSTR layout) : STooltipWnd(layout, 0) {}

SStringW STooltip::TextToShow(LPCWSTR text) const
{
    SStringW shown = text ? text : L"";
    shown.Replace(L"\\n", L"\n");
    return shown;
}

void STooltip::OnToolChanged(SWND tool)
{
    SWindowMgr* mgr = SWindowMgr::GetInstance();
    SWindow* window = mgr ? mgr->GetWindow(tool) : nullptr;
    ISwndContainer* container = window ? window->GetContainer() : nullptr;
    m_anchor = container ? container->GetHostHwnd() : nullptr;
}

RECT STooltip::BubbleOver(const RECT& tool, SIZE size)
{
    const int left = (tool.left + tool.right) / 2 - size.cx / 2;
    const int bottom = tool.top - kToolGap;
    return RECT{left, bottom - size.cy, left + size.cx, bottom};
}

RECT STooltip::ToolOnScreen() const
{
    RECT rc = GetToolRect();
    if (m_anchor)
        ::MapWindowPoints(m_anchor, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

POINT STooltip::WaitingPlace(const MSG& move)
{
    m_anchor = move.hwnd;
    const RECT now = GetNativeWindowRect();
    const RECT rc = BubbleOver(ToolOnScreen(), SIZE{now.right - now.left, now.bottom - now.top});
    return POINT{rc.left, rc.top};
}

RECT STooltip::ShowingPlace(SIZE size)
{
    return BubbleOver(ToolOnScreen(), size);
}

} // namespace DUI
