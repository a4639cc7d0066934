// The tab control's painting and its per-tab tooltips.
#include "dui/control/STabCtrl.h"

#include <algorithm>

#include "dui/control/SControlSkin.h"
#include "dui/res.mgr/SNamedValue.h"

namespace DUI {

namespace {

constexpr UINT kKeepHorizontal = 0x8023;   // DT_CENTER | DT_RIGHT | DT_SINGLELINE | DT_END_ELLIPSIS
constexpr UINT kKeepVertical = 0x802C;     // DT_VCENTER | DT_BOTTOM | DT_SINGLELINE | DT_END_ELLIPSIS

} // namespace

void STabCtrl::BeforePaint(IPaintSurface* rt, SPaintState& state)
{
    if (IFont* font = GetStyle().GetTextFont(0))
        rt->SelectObject(font, state.font.Put());
    const COLORREF color = GetStyle().GetTextColor(0);
    if (color != kColorUnset)
        state.color = rt->SetTextColor(color);
}

void STabCtrl::OnPaint(IPaintSurface* rt)
{
    if (!rt)
        return;
    SPaintState state;
    BeforePaint(rt, state);
    const RECT band = GetTitleRect();
    rt->PushClipRect(&band, RGN_OP_AND);
    RECT prev = {};
    BOOL havePrev = FALSE;
    for (int i = 0; i < GetItemCount(); ++i) {
        RECT rc = {};
        if (!GetItemRect(i, &rc) || ::IsRectEmpty(&rc))
            continue;
        if (i > 0 && m_separatorSkin && havePrev)
            PaintSeparators(rt, i, rc, prev);
        const DWORD tabState = i == m_curSel ? WndState_PushDown : (i == m_hover ? WndState_Hover : WndState_Normal);
        DrawItem(rt, rc, i, tabState);
        prev = rc;
        havePrev = TRUE;
    }
    rt->PopClip();
    if (m_frameSkin) {
        RECT area = {};
        GetChildArea(&area);
        m_frameSkin->DrawByState(rt, &area, 0);
    }
    RECT current = {};
    if (IsFocused() && IsFocusable() && (GetFlags() & Flag_DrawFocusRect) && GetItemRect(m_curSel, &current)) {
        ::InflateRect(&current, -2, -2);
        DrawDefFocusRect(rt, current);
    }
    AfterPaint(rt, state);
}

void STabCtrl::PaintSeparators(IPaintSurface* rt, int, const RECT& rc, RECT& prev)
{
    const int spacing = m_spacing.ToPixel(GetScale());
    RECT gap = rc;
    if (IsVerticalBand()) {
        gap.top = prev.bottom;
        gap.bottom = gap.top + spacing;
    } else {
        gap.left = prev.right;
        gap.right = gap.left + spacing;
    }
    m_separatorSkin->DrawByState(rt, &gap, 0);
}

void STabCtrl::DrawItem(IPaintSurface* rt, const RECT& rc, int index, DWORD state)
{
    if (::IsRectEmpty(&rc))
        return;
    const int stateIndex = (state & (WndState_PushDown | WndState_Check)) ? 2 : ((state & WndState_Hover) ? 1 : 0);
    if (m_tabSkin)
        m_tabSkin->DrawByState(rt, &rc, stateIndex);
    SRefPtr<IPaintObject> oldFont;
    if (IFont* font = GetStyle().GetTextFont(stateIndex))
        rt->SelectObject(font, oldFont.Put());
    const COLORREF color = GetStyle().GetTextColor(stateIndex);
    const COLORREF oldColor = color != kColorUnset ? rt->SetTextColor(color) : kColorUnset;
    STabPage* page = GetItem(index);
    if (m_iconSkin) {
        const int scale = GetScale();
        const SIZE size = SkinSizeOf(m_iconSkin.Get());
        const int x = rc.left + m_iconX.ToPixel(scale), y = rc.top + m_iconY.ToPixel(scale);
        const RECT icon = {x, y, x + size.cx, y + size.cy};
        const int iconIndex = page && page->GetIconIndex() != -1 ? page->GetIconIndex() : index;
        m_iconSkin->DrawByState(rt, &icon, iconIndex);
    }
    if (page)
        DrawTitle(rt, rc, page->GetTitle(), stateIndex);
    if (oldFont)
        rt->SelectObject(oldFont.Get(), nullptr);
    if (oldColor != kColorUnset)
        rt->SetTextColor(oldColor);
}

void STabCtrl::DrawTitle(IPaintSurface* rt, const RECT& rc, const SStringW& title, int)
{
    const int scale = GetScale();
    const float tx = m_textX.GetValue(), ty = m_textY.GetValue();
    const int dx = tx > 0 ? m_textX.ToPixel(scale) : 0, dy = ty > 0 ? m_textY.ToPixel(scale) : 0;
    if (tx >= 1 && ty >= 1) {
        const POINT at = {rc.left + dx, rc.top + dy};
        if (m_verticalText) {
            DrawVerticalText(rt, title, at, nullptr);
        } else {
            RECT box = {at.x, at.y, std::max(rc.right, at.x), std::max(rc.bottom, at.y)};
            rt->DrawTextBox(title, title.GetLength(), &box, DT_SINGLELINE | DT_NOCLIP | DT_LEFT | DT_TOP);
        }
        return;
    }
    RECT box = rc;
    UINT format = GetStyle().GetTextAlign();
    if (tx < 0 && ty > 0) {
        box.top += dy;
        format &= kKeepHorizontal;
    } else if (tx > 0 && ty < 0) {
        box.left += dx;
        format &= kKeepVertical;
    }
    if (m_verticalText)
        DrawVerticalText(rt, title, POINT{}, &box);
    else
        DrawText(rt, title, title.GetLength(), &box, format);
}

// One character under the other, each its own measured height; a column
// centred in `centreIn` when given, else starting at `at`.
void STabCtrl::DrawVerticalText(IPaintSurface* rt, const SStringW& text, POINT at, const RECT* centreIn)
{
    const int count = text.GetLength();
    SIZE column = {};
    for (int i = 0; i < count; ++i) {
        SIZE ch = {};
        rt->MeasureText(text.c_str() + i, 1, &ch);
        column.cx = std::max(column.cx, ch.cx);
        column.cy += ch.cy;
    }
    if (centreIn) {
        at.x = (centreIn->left + centreIn->right - column.cx) / 2;
        at.y = (centreIn->top + centreIn->bottom - column.cy) / 2;
    }
    for (int i = 0; i < count; ++i) {
        SIZE ch = {};
        rt->MeasureText(text.c_str() + i, 1, &ch);
        RECT box = {at.x, at.y, at.x + column.cx, at.y + ch.cy};
        rt->DrawTextBox(text.c_str() + i, 1, &box, DT_SINGLELINE | DT_NOCLIP | DT_CENTER | DT_TOP);
        at.y += ch.cy;
    }
}

BOOL STabCtrl::OnUpdateToolTip(const SwndToolTipKey&, SwndToolTipInfo& info)
{
    STabPage* page = GetItem(m_hover);
    if (!page || page->GetToolTipText().IsEmpty())
        return FALSE;
    info.swnd = GetSwnd();
    info.cookie = static_cast<DWORD>(m_hover);
    GetItemRect(m_hover, &info.rcTarget);
    info.strTip = page->GetToolTipText();
    return TRUE;
}

} // namespace DUI
