// The panel's bars on screen: their painting, the mouse on them, the
// auto-repeat of held parts and the wheel.
#include "dui/control/SPanel.h"

#include <algorithm>
#include <cstdlib>

#include "dui/res.mgr/SSkinScrollbar.h"

namespace DUI {

namespace {

constexpr UINT kRepeatDelay = 500, kRepeatPeriod = 50;
constexpr int kNormal = ScrollBarGeometry::State_Normal, kHover = ScrollBarGeometry::State_Hover,
              kPushed = ScrollBarGeometry::State_Pushed, kDisabled = ScrollBarGeometry::State_Disabled,
              kInactive = ScrollBarGeometry::State_Inactive;
constexpr int kThumb = SB_THUMBTRACK;
// The whole rail: the skin draws both rail codes alike.
constexpr int kRail = SB_PAGEUP;

BOOL IsArrow(int part)
{
    return part == SB_LINEUP || part == SB_LINEDOWN;
}

} // namespace

void SPanel::DrawPartAt(IPaintSurface* rt, const RECT& rc, BOOL vertical, int part, int state)
{
    if (m_sbSkin && !::IsRectEmpty(&rc))
        m_sbSkin->DrawByState(rt, &rc, SSkinScrollbar::MakeIndex(part, state, vertical));
}

void SPanel::DrawPart(IPaintSurface* rt, BOOL vertical, int part, int state)
{
    const RECT rc = part == SB_PAGEUP || part == SB_PAGEDOWN ? GetSbRailRect(vertical) : GetSbPartRect(vertical, part);
    DrawPartAt(rt, rc, vertical, part, state);
}

template <class Fn>
void SPanel::DrawWithin(const RECT& rc, Fn draw)
{
    if (!m_sbSkin || !IsVisible(TRUE) || ::IsRectEmpty(&rc))
        return;
    IPaintSurface* rt = GetRenderTarget(&rc, PaintFlag_Background, FALSE);
    if (!rt)
        return;
    draw(rt);
    ReleaseRenderTarget(rt);
}

void SPanel::DrawRailAndThumb(BOOL vertical, int railState, int thumbState)
{
    DrawWithin(GetSbRailRect(vertical), [&](IPaintSurface* rt) {
        DrawPart(rt, vertical, SB_PAGEDOWN, railState);
        InfoOf(vertical).nTrackPos = -1;
        DrawPart(rt, vertical, kThumb, thumbState);
    });
}

// The bar the mouse is on: arrows and thumb normal, the rail lit, and the
// part under the mouse hot.
void SPanel::DrawWholeBar(BOOL vertical, int arrowState, int railState, int thumbState, int hotPart)
{
    DrawWithin(GetScrollBarRect(vertical), [&](IPaintSurface* rt) {
        for (int part : {SB_LINEUP, kRail, SB_LINEDOWN, kThumb}) {
            if (part == hotPart)
                continue;
            DrawPart(rt, vertical, part, part == kRail ? railState : part == kThumb ? thumbState : arrowState);
        }
        if (IsArrow(hotPart) || hotPart == kThumb)
            DrawPart(rt, vertical, hotPart, kHover);
    });
}

// A part the mouse came onto or left: an arrow alone, the thumb with the
// rail behind it; rail parts show no hover.
void SPanel::DrawHoverChange(BOOL vertical, int part, BOOL hot)
{
    if (!IsArrow(part) && part != kThumb)
        return;
    DrawWithin(part == kThumb ? GetSbRailRect(vertical) : GetSbPartRect(vertical, part), [&](IPaintSurface* rt) {
        if (part == kThumb)
            DrawPart(rt, vertical, kRail, hot ? kNormal : kHover);
        DrawPart(rt, vertical, part, hot ? kHover : kNormal);
    });
}

void SPanel::OnNcPaintBars(IPaintSurface* rt)
{
    if (!rt || !m_sbSkin)
        return;
    for (BOOL vertical : {TRUE, FALSE}) {
        if (!HasScrollBar(vertical))
            continue;
        const int base = !IsDisabled(TRUE) && IsBarEnabled(vertical) ? kInactive : kDisabled;
        const BOOL dragged = m_dragMode == (vertical ? 1 : 2);
        const BOOL hotThumb = m_hotPart == MakeHotPart(kThumb, vertical);
        DrawPart(rt, vertical, SB_LINEUP, base);
        DrawPart(rt, vertical, kRail, dragged ? kHover : base);
        DrawPart(rt, vertical, kThumb, dragged ? kPushed : hotThumb ? kHover : base);
        DrawPart(rt, vertical, SB_LINEDOWN, base);
    }
    if (HasScrollBar(TRUE) && HasScrollBar(FALSE)) {
        RECT corner = SWindow::GetClientRect();
        const int width = GetScrollBarWidth();
        corner.left = corner.right - width;
        corner.top = corner.bottom - width;
        DrawPartAt(rt, corner, FALSE, SSkinScrollbar::Corner, kNormal);
    }
}

void SPanel::OnNcLButtonDown(POINT pt)
{
    m_hotPart = HitTestScrollBar(pt);
    const int part = PartOf(m_hotPart);
    const BOOL vertical = IsVertOf(m_hotPart);
    if (part == static_cast<int>(kNoPart) || !IsBarEnabled(vertical))
        return;
    SetCapture();
    if (part == kThumb) {
        m_dragMode = vertical ? 1 : 2;
        m_dragStart = pt;
        m_dragStartPos = InfoOf(vertical).nPos;
        m_lastRepaint = ::GetTickCount() - static_cast<DWORD>(std::max(m_updateInterval, 0));
        const RECT thumb = GetSbPartRect(vertical, kThumb);
        DrawWithin(thumb, [&](IPaintSurface* rt) {
            DrawPartAt(rt, thumb, vertical, kRail, kHover);
            DrawPartAt(rt, thumb, vertical, kThumb, kPushed);
        });
        return;
    }
    if (IsArrow(part)) {
        const RECT arrow = GetSbPartRect(vertical, part);
        DrawWithin(arrow, [&](IPaintSurface* rt) { DrawPartAt(rt, arrow, vertical, part, kPushed); });
    }
    if (part >= SB_LINEUP && part <= SB_PAGEDOWN) {
        OnScroll(vertical, part, InfoOf(vertical).nPos);
        SetTimer(Timer_Delay, kRepeatDelay);
    }
}

void SPanel::OnNcLButtonUp(POINT pt)
{
    ReleaseCapture();
    const int part = PartOf(m_hotPart);
    const BOOL vertical = IsVertOf(m_hotPart);
    if (m_dragMode != 0) {
        const BOOL dragVertical = m_dragMode == 1;
        m_dragMode = 0;
        SCROLLINFO& si = InfoOf(dragVertical);
        if (si.nTrackPos != -1)
            OnScroll(dragVertical, SB_THUMBPOSITION, si.nTrackPos);
        DrawRailAndThumb(dragVertical, kNormal, kNormal);
        si.nTrackPos = -1;
    } else if (IsArrow(part) && IsBarEnabled(vertical)) {
        const RECT arrow = GetSbPartRect(vertical, part);
        DrawWithin(arrow, [&](IPaintSurface* rt) { DrawPartAt(rt, arrow, vertical, part, kNormal); });
    }
    KillTimer(Timer_Delay);
    KillTimer(Timer_Repeat);
    m_hotPart = (m_hotPart & 0xFFFF0000u) | kNoPart;
    TrackHover(pt);
}

void SPanel::OnNcMouseMove(POINT pt)
{
    if (m_dragMode == 0)
        TrackHover(pt);
    else if (PartOf(m_hotPart) == kThumb)
        DragThumb(pt);
}

// The thumb follows the mouse to the pixel; the position follows in steps.
void SPanel::DragThumb(POINT pt)
{
    const BOOL vertical = m_dragMode == 1;
    SCROLLINFO& si = InfoOf(vertical);
    const RECT rail = GetSbRailRect(vertical);
    int dist = vertical ? pt.y - m_dragStart.y : pt.x - m_dragStart.x;
    const int next = ScrollBarGeometry::DragPos(si, m_dragStartPos, dist, vertical ? rail.bottom - rail.top
                                                                                    : rail.right - rail.left);
    SCROLLINFO start = si;
    start.nPos = m_dragStartPos;
    start.nTrackPos = -1;
    const RECT bar = GetScrollBarRect(vertical);
    const ScrollBarGeometry g = ScrollBarGeometry::Measure(vertical ? bar.bottom - bar.top : bar.right - bar.left,
                                                           GetSbArrowSize(), start);
    RECT thumb = g.PartRect(bar, vertical, kThumb);
    const int before = vertical ? rail.top - thumb.top : rail.left - thumb.left;
    const int after = vertical ? rail.bottom - thumb.bottom : rail.right - thumb.right;
    dist = before > after ? 0 : std::clamp(dist, before, after);
    ::OffsetRect(&thumb, vertical ? 0 : dist, vertical ? dist : 0);
    DrawWithin(rail, [&](IPaintSurface* rt) {
        DrawPartAt(rt, rail, vertical, kRail, kHover);
        DrawPartAt(rt, thumb, vertical, kThumb, kPushed);
    });
    if (next != si.nTrackPos) {
        si.nTrackPos = next;
        OnScroll(vertical, SB_THUMBTRACK, next);
    }
}

void SPanel::TrackHover(POINT pt)
{
    const DWORD hit = HitTestScrollBar(pt);
    if (PartOf(hit) == static_cast<int>(kNoPart)) {
        OnNcMouseLeave();
        return;
    }
    if (hit == m_hotPart)
        return;
    const int part = PartOf(hit);
    const BOOL vertical = IsVertOf(hit);
    const BOOL hotSet = PartOf(m_hotPart) != static_cast<int>(kNoPart);
    if (hotSet && IsVertOf(m_hotPart) == vertical) {
        if (IsBarEnabled(vertical)) {
            DrawHoverChange(vertical, PartOf(m_hotPart), FALSE);
            DrawHoverChange(vertical, part, TRUE);
        }
        m_hotPart = hit;
        return;
    }
    if (hotSet)
        OnNcMouseLeave();
    if (IsBarEnabled(vertical))
        DrawWholeBar(vertical, kNormal, kHover, kNormal, part);
    m_hotPart = hit;
}

void SPanel::OnNcMouseLeave()
{
    if (m_dragMode != 0 || PartOf(m_hotPart) == static_cast<int>(kNoPart) || !IsVisible(TRUE))
        return;
    const BOOL vertical = IsVertOf(m_hotPart);
    if (IsBarEnabled(vertical))
        DrawWholeBar(vertical, kInactive, kInactive, kInactive, -1);
    m_hotPart = kNoPart;
}

// Timer 1 waits out the first delay; timer 2 repeats whatever part the
// mouse is on now.
void SPanel::OnRepeatTimer(char id)
{
    if (id == Timer_Delay) {
        KillTimer(Timer_Delay);
        SetTimer(Timer_Repeat, kRepeatPeriod);
    } else if (id != Timer_Repeat) {
        return;
    }
    const int part = PartOf(m_hotPart);
    if (part >= SB_LINEUP && part <= SB_PAGEDOWN)
        OnScroll(IsVertOf(m_hotPart), part, 0);
}

LRESULT SPanel::OnWheel(WPARAM wp, LPARAM lp)
{
    const UINT keys = LOWORD(wp);
    // Summed in int: a delta near the 16-bit limit plus a remainder would wrap.
    const int sum = static_cast<short>(HIWORD(wp)) + m_wheelRemainder;
    const int notches = sum / WHEEL_DELTA;
    m_wheelRemainder = static_cast<short>(sum - notches * WHEEL_DELTA);
    const int wanted = std::abs(notches);
    const BOOL vertical = !(keys & MK_SHIFT);
    const UINT code = notches > 0 ? SB_LINEUP : SB_LINEDOWN;
    int moved = 0;
    while (moved < wanted && OnScroll(vertical, code, 0)) {
        ++moved;
        UpdateThrottled();
    }
    if (moved < wanted) {
        const int rest = (wanted - moved) * WHEEL_DELTA;
        SWindow::OnMouseWheel(MAKEWPARAM(keys, notches > 0 ? rest : -rest), lp);
    }
    HWND host = GetContainer() ? GetContainer()->GetHostHwnd() : nullptr;
    if (wanted > 0 && host) {
        // Hover and cursor follow the content that moved under the mouse.
        ::SendMessageW(host, WM_MOUSEMOVE, keys, lp);
        ::SendMessageW(host, WM_SETCURSOR, reinterpret_cast<WPARAM>(host), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    }
    return 0;
}

} // namespace DUI
