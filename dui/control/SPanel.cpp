#include "dui/control/SPanel.h"

#include <algorithm>
#include <climits>

#include "dui/core/SLayoutParamAttr.h"
#include "dui/core/base/SAttrTable.h"
#include "dui/core/base/SMsgPoint.h"
#include "dui/res.mgr/SResProviderMgr.h"
#include "dui/res.mgr/SSkinPoolMgr.h"
#include "dui/res.mgr/SSkinScrollbar.h"

namespace DUI {

namespace {

constexpr int kSystemScrollbarSkin = 5;

SSkinScrollbar* AsScrollbarSkin(ISkinObj* skin)
{
    auto* object = dynamic_cast<IObject*>(skin);
    return object && object->IsKindOf(SSkinScrollbar::GetClassTagStatic()) ? dynamic_cast<SSkinScrollbar*>(skin)
                                                                             : nullptr;
}

int AlongLength(const RECT& rc, BOOL vertical)
{
    return vertical ? rc.bottom - rc.top : rc.right - rc.left;
}

} // namespace

SPanel::SPanel()
{
    SSkinPoolMgr* skins = SSkinPoolMgr::GetInstance();
    ISkinObj* skin = skins ? skins->GetSystemSkin(kSystemScrollbarSkin, 100) : nullptr;
    if (AsScrollbarSkin(skin))
        m_sbSkin.Reset(skin);
}

SPanel::~SPanel() = default;

SCROLLINFO SPanel::NewScrollInfo()
{
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.nTrackPos = -1;
    return si;
}

// The readers of the panel's attributes; a member, so they reach the fields.
struct SPanel::AttrRows
{
    using Row = SAttrRow<SPanel>;

    static HRESULT Skin(SPanel& p, const SStringW& value, BOOL) { return p.SetSkinAttribute(value); }
    template <SLayoutSize SPanel::*size>
    static HRESULT Size(SPanel& p, const SStringW& value, BOOL)
    {
        p.SetSizeAttribute(p.*size, value);
        return S_OK;
    }
    template <int SPanel::*field>
    static HRESULT Int(SPanel& p, const SStringW& value, BOOL)
    {
        p.*field = ReadInt(value, "DUI::SPanel::SetAttribute");
        return S_OK;
    }

    static constexpr Row kRows[] = {
        {L"sbSkin", &Skin, AttrEffect::RedrawLater},
        {L"sbArrowSize", &Size<&SPanel::m_arrowSize>, AttrEffect::None},
        {L"sbWid", &Size<&SPanel::m_barWidth>, AttrEffect::Redraw},
        {L"sbEnable", &Int<&SPanel::m_barEnabled>, AttrEffect::Redraw},
        {L"updateInterval", &Int<&SPanel::m_updateInterval>, AttrEffect::None},
        {L"scrollSpeed", &Int<&SPanel::m_lineSize>, AttrEffect::None},
        {L"sbLeft", &Size<&SPanel::m_sbLeft>, AttrEffect::Redraw},
        {L"sbRight", &Size<&SPanel::m_sbRight>, AttrEffect::Redraw},
        {L"sbTop", &Size<&SPanel::m_sbTop>, AttrEffect::Redraw},
        {L"sbBottom", &Size<&SPanel::m_sbBottom>, AttrEffect::Redraw},
    };
    static constexpr SAttrTable kTable{kRows};
};

HRESULT SPanel::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    return AttrRows::kTable.Dispatch(*this, name, value, loading,
                                     [&] { return SWindow::SetAttribute(name, value, loading); });
}

HRESULT SPanel::SetSkinAttribute(const SStringW& value)
{
    SSkinPoolMgr* skins = SSkinPoolMgr::GetInstance();
    ISkinObj* skin = skins ? skins->GetSkin(value, GetScale()) : nullptr;
    if (!AsScrollbarSkin(skin))
        return E_FAIL;
    m_sbSkin.Reset(skin);
    return S_OK;
}

// A bar's thickness decides the client area, so a change after loading
// recomputes it.
void SPanel::SetSizeAttribute(SLayoutSize& size, const SStringW& value)
{
    size = ResolveLayoutDim(value.c_str());
    if (GetContainer())
        DeliverSwndMessage(WM_NCCALCSIZE);
}

int SPanel::ToPixel(const SLayoutSize& size) const
{
    return std::max(size.ToPixel(GetScale()), 0);
}

RECT SPanel::GetClientRect() const
{
    return m_rcClient;
}

void SPanel::SetColorize(COLORREF color)
{
    SWindow::SetColorize(color);
    if (m_sbSkin)
        m_sbSkin->OnColorize(color);
}

BOOL SPanel::IsPointOutsideClient(POINT pt) const
{
    return m_dragMode != 0 || !::PtInRect(&m_rcClient, pt);
}

void SPanel::OnScaleChanged(int scale)
{
    SWindow::OnScaleChanged(scale);
    if (!m_sbSkin)
        return;
    RescaleSkin(m_sbSkin, scale);
    DeliverSwndMessage(WM_NCCALCSIZE);
}

BOOL SPanel::OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    const POINT pt = PointFromLParam(lp);
    result = 0;
    switch (msg) {
    case WM_NCCALCSIZE: {
        RECT rc = SWindow::GetClientRect();
        const int width = GetScrollBarWidth();
        if (HasScrollBar(TRUE))
            rc.right = std::max(rc.left, rc.right - width);
        if (HasScrollBar(FALSE))
            rc.bottom = std::max(rc.top, rc.bottom - width);
        m_rcClient = rc;
        InvalidateRect(nullptr);
        return TRUE;
    }
    case WM_NCPAINT:
        OnNcPaint(reinterpret_cast<IPaintSurface*>(wp));
        OnNcPaintBars(reinterpret_cast<IPaintSurface*>(wp));
        return TRUE;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        OnNcLButtonDown(pt);
        return TRUE;
    case WM_NCLBUTTONUP:
        OnNcLButtonUp(pt);
        return TRUE;
    case WM_NCMOUSEMOVE:
        OnNcMouseMove(pt);
        return TRUE;
    case WM_NCMOUSELEAVE:
        OnNcMouseLeave();
        return TRUE;
    case WM_SHOWWINDOW:
        // Hidden mid-drag: the drag ends as a release away from the bars.
        if (!wp && m_dragMode != 0)
            OnNcLButtonUp(POINT{INT_MIN / 2, INT_MIN / 2});
        return SWindow::OnSwndMessage(msg, wp, lp, result);
    case WM_TIMER:
        OnRepeatTimer(static_cast<char>(wp));
        return TRUE;
    case WM_VSCROLL:
    case WM_HSCROLL:
        OnScroll(msg == WM_VSCROLL, LOWORD(wp), static_cast<short>(HIWORD(wp)));
        return TRUE;
    case WM_MOUSEWHEEL:
        result = OnWheel(wp, lp);
        return TRUE;
    default:
        return SWindow::OnSwndMessage(msg, wp, lp, result);
    }
}

int SPanel::GetScrollLineSize(BOOL)
{
    return m_lineSize;
}

BOOL SPanel::OnScroll(BOOL vertical, UINT code, int pos)
{
    SCROLLINFO& si = InfoOf(vertical);
    long long next = si.nPos;
    switch (code) {
    case SB_LINEUP: next -= GetScrollLineSize(vertical); break;
    case SB_LINEDOWN: next += GetScrollLineSize(vertical); break;
    case SB_PAGEUP: next -= static_cast<long long>(si.nPage); break;
    case SB_PAGEDOWN: next += static_cast<long long>(si.nPage); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: next = pos; break;
    case SB_TOP: next = si.nMin; break;
    case SB_BOTTOM: next = static_cast<long long>(si.nMax) - static_cast<long long>(si.nPage) + 1; break;
    default: break;
    }
    const int clamped = ScrollBarGeometry::ClampPos(si, next);
    if (clamped == si.nPos)
        return FALSE;
    si.nPos = clamped;
    if (code != SB_THUMBTRACK) {
        if (IsVisible(TRUE) && IsBarEnabled(vertical))
            DrawRailAndThumb(vertical, ScrollBarGeometry::State_Normal, ScrollBarGeometry::State_Normal);
        si.nTrackPos = -1;
    }
    InvalidateClient();
    return TRUE;
}

BOOL SPanel::SetScrollPos(BOOL vertical, int pos, BOOL redraw)
{
    const SCROLLINFO& si = InfoOf(vertical);
    pos = std::min(std::max(pos, si.nMin), ScrollBarGeometry::LastPos(si));
    LockUpdate();
    const BOOL moved = OnScroll(vertical, SB_THUMBPOSITION, pos);
    UnlockUpdate();
    if (!moved)
        return FALSE;
    if (redraw) {
        const RECT bar = GetScrollBarRect(vertical);
        InvalidateRect(&bar);
    }
    InvalidateClient();
    return TRUE;
}

int SPanel::GetScrollPos(BOOL vertical) const
{
    return InfoOf(vertical).nPos;
}

BOOL SPanel::SetScrollRange(BOOL vertical, int min, int max, BOOL redraw)
{
    SCROLLINFO& si = InfoOf(vertical);
    const BOOL changed = si.nMin != min || si.nMax != max;
    si.nMin = min;
    si.nMax = max;
    si.nPos = std::min(std::max(si.nPos, si.nMin), ScrollBarGeometry::LastPos(si));
    if (changed || redraw) {
        const RECT bar = GetScrollBarRect(vertical);
        InvalidateRect(&bar);
    }
    return TRUE;
}

BOOL SPanel::ShowScrollBar(int barMask, BOOL show)
{
    m_barShown = show ? (m_barShown | barMask) : (m_barShown & ~barMask);
    DeliverSwndMessage(WM_NCCALCSIZE);
    InvalidateClient();
    return TRUE;
}

BOOL SPanel::EnableScrollBar(int barMask, BOOL enable)
{
    m_barEnabled = enable ? (m_barEnabled | barMask) : (m_barEnabled & ~barMask);
    for (BOOL vertical : {TRUE, FALSE}) {
        if (barMask & BarBit(vertical)) {
            const RECT bar = GetScrollBarRect(vertical);
            InvalidateRect(&bar);
        }
    }
    return TRUE;
}

BOOL SPanel::HasScrollBar(BOOL vertical) const
{
    return (m_barShown & BarBit(vertical)) != 0;
}

int SPanel::GetScrollBarWidth() const
{
    if (m_barWidth.IsSet())
        return ToPixel(m_barWidth);
    SSkinScrollbar* skin = AsScrollbarSkin(m_sbSkin.Get());
    return skin ? skin->GetIdealSize() : 0;
}

int SPanel::GetSbArrowSize() const
{
    if (m_arrowSize.IsSet())
        return ToPixel(m_arrowSize);
    SSkinScrollbar* skin = AsScrollbarSkin(m_sbSkin.Get());
    return skin && skin->HasArrow() ? skin->GetIdealSize() : 0;
}

RECT SPanel::GetScrollBarRect(BOOL vertical) const
{
    if (!HasScrollBar(vertical))
        return RECT{0, 0, 0, 0};
    RECT rc = SWindow::GetClientRect();
    const int width = GetScrollBarWidth();
    if (vertical) {
        rc.left = std::max(rc.left, rc.right - width);
        if (HasScrollBar(FALSE))
            rc.bottom -= width;
        rc.top += ToPixel(m_sbTop);
        rc.bottom -= ToPixel(m_sbBottom);
        rc.bottom = std::max(rc.top, rc.bottom);
    } else {
        rc.top = std::max(rc.top, rc.bottom - width);
        if (HasScrollBar(TRUE))
            rc.right -= width;
        rc.left += ToPixel(m_sbLeft);
        rc.right -= ToPixel(m_sbRight);
        rc.right = std::max(rc.left, rc.right);
    }
    return rc;
}

ScrollBarGeometry SPanel::GeometryOf(BOOL vertical) const
{
    return ScrollBarGeometry::Measure(AlongLength(GetScrollBarRect(vertical), vertical), GetSbArrowSize(),
                                      InfoOf(vertical));
}

RECT SPanel::GetSbRailRect(BOOL vertical) const
{
    RECT rc = GetScrollBarRect(vertical);
    if (::IsRectEmpty(&rc))
        return rc;
    const ScrollBarGeometry g = GeometryOf(vertical);
    LONG& from = vertical ? rc.top : rc.left;
    LONG& to = vertical ? rc.bottom : rc.right;
    to = from + g.length - g.arrow;
    from += g.arrow;
    to = std::max(from, to);
    return rc;
}

RECT SPanel::GetSbPartRect(BOOL vertical, int part) const
{
    return GeometryOf(vertical).PartRect(GetScrollBarRect(vertical), vertical, part);
}

DWORD SPanel::HitTestScrollBar(POINT pt) const
{
    for (BOOL vertical : {FALSE, TRUE}) {
        const RECT bar = GetScrollBarRect(vertical);
        if (!::PtInRect(&bar, pt))
            continue;
        const int part = GeometryOf(vertical).HitTest(bar, vertical, pt);
        return MakeHotPart(part < 0 ? static_cast<int>(kNoPart) : part, vertical);
    }
    return kNoPart;
}

void SPanel::UpdateThrottled()
{
    const DWORD now = ::GetTickCount();
    if (now - m_lastRepaint < static_cast<DWORD>(std::max(m_updateInterval, 0)))
        return;
    UpdateWindow();
    m_lastRepaint = now;
}

} // namespace DUI
