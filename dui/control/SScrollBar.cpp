#include "dui/control/SScrollBar.h"

#include <algorithm>

#include "dui/control/ScrollEvents.h"
#include "dui/core/SLayoutParamAttr.h"
#include "dui/core/base/SMsgPoint.h"
#include "dui/res.mgr/SSkinPoolMgr.h"
#include "dui/res.mgr/SSkinScrollbar.h"
#include "dui/control/SControlAttr.h"

namespace DUI {

namespace {

constexpr char kSetAttribute[] = "DUI::SScrollBar::SetAttribute";

constexpr int kSystemScrollbarSkin = 5;
constexpr int kThumb = SB_THUMBTRACK;
constexpr char kRepeatTimer = 1, kSecondTimer = 2;

BOOL IsArrow(int part)
{
    return part == SB_LINEUP || part == SB_LINEDOWN;
}

} // namespace

SScrollBar::SScrollBar()
{
    if (SSkinPoolMgr* skins = SSkinPoolMgr::GetInstance())
        m_barSkin.Reset(skins->GetSystemSkin(kSystemScrollbarSkin, 100));
    GetEventSet()->AddEvent(EventScroll::EventID, EventScroll::EventName());
}

SScrollBar::~SScrollBar() = default;

struct SScrollBar::AttrRows
{
    using Row = SAttrRow<SScrollBar>;

    // A name the pools do not know keeps the skin the bar had.
    static HRESULT Skin(SScrollBar& bar, const SStringW& value, BOOL)
    {
        SSkinPoolMgr* skins = SSkinPoolMgr::GetInstance();
        if (ISkinObj* skin = skins ? skins->GetSkin(value, bar.GetScale()) : nullptr)
            bar.m_barSkin.Reset(skin);
        return S_OK;
    }
    template <auto field>
    static constexpr auto Info = &layoutattr::Int<SScrollBar, kSetAttribute, &SScrollBar::m_si, field>;

    static constexpr Row kRows[] = {
        {L"skin", &Skin, AttrEffect::None},
        {L"arrowSize", &layoutattr::Int<SScrollBar, kSetAttribute, &SScrollBar::m_arrowSize>, AttrEffect::None},
        {L"min", Info<&SCROLLINFO::nMin>, AttrEffect::None},
        {L"max", Info<&SCROLLINFO::nMax>, AttrEffect::None},
        {L"page", Info<&SCROLLINFO::nPage>, AttrEffect::None},
        {L"value", Info<&SCROLLINFO::nPos>, AttrEffect::None},
        {L"vertical", &ctrlattr::Flag<SScrollBar, &SScrollBar::m_vertical, kSetAttribute>, AttrEffect::None},
    };
    static constexpr SAttrTable kTable{kRows};
};

HRESULT SScrollBar::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    return AttrRows::kTable.Dispatch(*this, name, value, loading,
                                     [&] { return SWindow::SetAttribute(name, value, loading); });
}

void SScrollBar::OnInitFinished(xmldom::xml_node element)
{
    SWindow::OnInitFinished(element);
    if (m_arrowSize == -1 && m_barSkin)
        m_arrowSize = m_barSkin->GetSkinSize().cx / 9;
}

BOOL SScrollBar::OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    const POINT pt = PointFromLParam(lp);
    result = 0;
    switch (msg) {
    case SBM_SETSCROLLINFO:
        result = SetScrollInfo(static_cast<BOOL>(wp), reinterpret_cast<const SCROLLINFO*>(lp));
        return TRUE;
    case SBM_GETSCROLLINFO:
        result = GetScrollInfo(reinterpret_cast<SCROLLINFO*>(lp));
        return TRUE;
    case WM_LBUTTONDOWN:
        OnPress(pt);
        return TRUE;
    case WM_LBUTTONUP:
        OnRelease(pt);
        return TRUE;
    case WM_MOUSEMOVE:
        OnMove(pt);
        return TRUE;
    case WM_MOUSELEAVE:
        if (!m_dragging && m_hoverPart != -1)
            TrackHover(POINT{GetWindowRect().left - 1, GetWindowRect().top - 1});
        return TRUE;
    case WM_TIMER:
        if (wp == static_cast<WPARAM>(kRepeatTimer))
            OnRepeatTimer();
        return TRUE;
    default:
        return SWindow::OnSwndMessage(msg, wp, lp, result);
    }
}

LRESULT SScrollBar::SetScrollInfo(BOOL redraw, const SCROLLINFO* si)
{
    if (!si)
        return FALSE;
    if (si->fMask & SIF_PAGE)
        m_si.nPage = si->nPage;
    if (si->fMask & SIF_POS)
        m_si.nPos = si->nPos;
    if (si->fMask & SIF_RANGE) {
        m_si.nMin = si->nMin;
        m_si.nMax = si->nMax;
    }
    m_si.nPos = std::min(std::max(m_si.nPos, m_si.nMin), ScrollBarGeometry::LastPos(m_si));
    if (redraw)
        InvalidateClient();
    return TRUE;
}

LRESULT SScrollBar::GetScrollInfo(SCROLLINFO* si) const
{
    if (!si)
        return FALSE;
    if (si->fMask & SIF_PAGE)
        si->nPage = m_si.nPage;
    if (si->fMask & SIF_POS)
        si->nPos = m_si.nPos;
    if (si->fMask & SIF_TRACKPOS)
        si->nTrackPos = m_si.nTrackPos;
    if (si->fMask & SIF_RANGE) {
        si->nMin = m_si.nMin;
        si->nMax = m_si.nMax;
    }
    return TRUE;
}

ScrollBarGeometry SScrollBar::Geometry(const SCROLLINFO& si) const
{
    const RECT rc = GetWindowRect();
    return ScrollBarGeometry::Measure(IsVertical() ? rc.bottom - rc.top : rc.right - rc.left, m_arrowSize, si);
}

RECT SScrollBar::GetPartRect(int part) const
{
    return Geometry(m_si).PartRect(GetWindowRect(), IsVertical(), part);
}

int SScrollBar::HitTest(POINT pt) const
{
    return Geometry(m_si).HitTest(GetWindowRect(), IsVertical(), pt);
}

void SScrollBar::OnPaint(IPaintSurface* rt)
{
    if (!m_barSkin || !rt)
        return;
    const int state = IsDisabled(TRUE) ? ScrollBarGeometry::State_Disabled : ScrollBarGeometry::State_Normal;
    for (int part : {SB_LINEUP, SB_PAGEUP, kThumb, SB_PAGEDOWN, SB_LINEDOWN}) {
        const RECT rc = GetPartRect(part);
        if (!::IsRectEmpty(&rc))
            m_barSkin->DrawByState(rt, &rc, SSkinScrollbar::MakeIndex(part, state, IsVertical()));
    }
}

void SScrollBar::DrawPartNow(int part, int state)
{
    const RECT rc = GetPartRect(part);
    if (!m_barSkin || part < 0 || ::IsRectEmpty(&rc) || !IsVisible(TRUE))
        return;
    IPaintSurface* rt = GetRenderTarget(&rc, PaintFlag_Background, FALSE);
    if (!rt)
        return;
    m_barSkin->DrawByState(rt, &rc, SSkinScrollbar::MakeIndex(part, state, IsVertical()));
    ReleaseRenderTarget(rt);
}

void SScrollBar::FireScroll(int code, int pos)
{
    EventScroll e(this);
    e.nSbCode = code;
    e.nPos = pos;
    e.bVertical = IsVertical();
    FireEvent(e);
}

void SScrollBar::OnPress(POINT pt)
{
    SetCapture();
    const int part = HitTest(pt);
    if (part == kThumb) {
        m_si.nTrackPos = m_dragStartPos = m_si.nPos;
        m_dragging = TRUE;
        m_dragStart = pt;
        return;
    }
    m_pressedPart = part;
    if (IsArrow(part))
        DrawPartNow(part, ScrollBarGeometry::State_Pushed);
    if (part >= SB_LINEUP && part <= SB_PAGEDOWN)
        FireScroll(part, m_si.nPos);
}

void SScrollBar::OnRelease(POINT pt)
{
    ReleaseCapture();
    if (m_dragging) {
        m_si.nPos = m_si.nTrackPos;
        m_si.nTrackPos = -1;
        m_dragging = FALSE;
        TrackHover(pt);
        FireScroll(SB_THUMBPOSITION, m_si.nPos);
        return;
    }
    if (m_timerFlag) {
        KillTimer(kRepeatTimer);
        m_timerFlag = 0;
    } else {
        KillTimer(kSecondTimer);
    }
    if (IsArrow(m_pressedPart))
        DrawPartNow(m_pressedPart, ScrollBarGeometry::State_Normal);
    m_pressedPart = -1;
}

void SScrollBar::OnMove(POINT pt)
{
    if (m_dragging)
        DragTo(pt);
    else
        TrackHover(pt);
}

void SScrollBar::DragTo(POINT pt)
{
    const RECT rc = GetWindowRect();
    const int length = IsVertical() ? rc.bottom - rc.top : rc.right - rc.left;
    const int rail = std::max(length - 2 * std::max(m_arrowSize, 0), 0);
    const int dist = IsVertical() ? pt.y - m_dragStart.y : pt.x - m_dragStart.x;
    const int next = ScrollBarGeometry::DragPos(m_si, m_dragStartPos, dist, rail);
    if (next == m_si.nTrackPos)
        return;
    const RECT oldThumb = GetPartRect(kThumb);
    m_si.nTrackPos = next;
    const RECT newThumb = GetPartRect(kThumb);
    RECT area;
    ::UnionRect(&area, &oldThumb, &newThumb);
    if (m_barSkin && IsVisible(TRUE) && !::IsRectEmpty(&area)) {
        if (IPaintSurface* rt = GetRenderTarget(&area, PaintFlag_Background, FALSE)) {
            RECT railRect = GetPartRect(SB_PAGEUP);
            ::UnionRect(&railRect, &railRect, &newThumb);
            const RECT after = GetPartRect(SB_PAGEDOWN);
            ::UnionRect(&railRect, &railRect, &after);
            m_barSkin->DrawByState(rt, &railRect, SSkinScrollbar::MakeIndex(SB_PAGEUP, 0, IsVertical()));
            m_barSkin->DrawByState(rt, &newThumb, SSkinScrollbar::MakeIndex(kThumb, 1, IsVertical()));
            ReleaseRenderTarget(rt);
        }
    }
    FireScroll(SB_THUMBTRACK, m_si.nTrackPos);
}

void SScrollBar::TrackHover(POINT pt)
{
    const int part = HitTest(pt);
    if (part == m_hoverPart)
        return;
    DrawPartNow(m_hoverPart, ScrollBarGeometry::State_Normal);
    DrawPartNow(part, ScrollBarGeometry::State_Hover);
    m_hoverPart = part;
}

// The repeat stops where it would do nothing more: at the arrow's end of the
// range, or once the thumb has come under the mouse on the rail.
void SScrollBar::OnRepeatTimer()
{
    BOOL stop = (m_pressedPart == SB_LINEUP && m_si.nPos == m_si.nMin) ||
                (m_pressedPart == SB_LINEDOWN && m_si.nPos == m_si.nMax);
    if (!stop && (m_pressedPart == SB_PAGEUP || m_pressedPart == SB_PAGEDOWN) && GetContainer()) {
        POINT cursor = {};
        ::GetCursorPos(&cursor);
        ::ScreenToClient(GetContainer()->GetHostHwnd(), &cursor);
        stop = HitTest(cursor) == kThumb;
    }
    if (stop)
        KillTimer(kRepeatTimer);
}

} // namespace DUI
