#include "dui/control/SCheckSkins.h"

#include <algorithm>

#include "dui/core/SWindow.h"

namespace DUI {

SCheckSkins::SCheckSkins(SysSkinIndex box, SysSkinIndex focus)
    : m_box(FindSystemSkin(box)), m_focus(FindSystemSkin(focus))
{
}

int SCheckSkins::StateIndex(DWORD state)
{
    const int base = (state & WndState_Check) ? 4 : 0;
    if (state & WndState_Disable)
        return base + 3;
    if (state & WndState_PushDown)
        return base + 2;
    return base + ((state & WndState_Hover) ? 1 : 0);
}

BOOL SCheckSkins::SetSkinAttribute(const SStringW& name, const SStringW& value, int scale)
{
    if (name.CompareNoCase(L"skin") == 0)
        m_box = FindNamedSkin(value, scale);
    else if (name.CompareNoCase(L"focusSkin") == 0)
        m_focus = FindNamedSkin(value, scale);
    else
        return FALSE;
    return TRUE;
}

void SCheckSkins::Colorize(COLORREF color)
{
    ColorizeSkin(m_box.Get(), color);
    ColorizeSkin(m_focus.Get(), color);
}

void SCheckSkins::Rescale(int scale)
{
    SWindow::RescaleSkin(m_box, scale);
    SWindow::RescaleSkin(m_focus, scale);
}

SIZE SCheckSkins::ContentSize(SIZE text) const
{
    const SIZE box = BoxSize();
    return SIZE{text.cx + box.cx + kTextGap, std::max(text.cy, box.cy)};
}

void SCheckSkins::DrawBox(IPaintSurface* rt, const RECT& rc, DWORD state) const
{
    if (m_box)
        m_box->DrawByState(rt, &rc, StateIndex(state));
}

BOOL SCheckSkins::DrawFocusMark(IPaintSurface* rt, const RECT& rc) const
{
    if (!m_focus)
        return FALSE;
    m_focus->DrawByState(rt, &rc, 0);
    return TRUE;
}

} // namespace DUI
