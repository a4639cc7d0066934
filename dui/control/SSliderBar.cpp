#include "dui/control/SSliderBar.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "dui/control/SControlSkin.h"
#include "dui/core/SLayoutParamAttr.h"
#include "dui/core/base/SMsgPoint.h"
#include "dui/control/SControlAttr.h"

namespace DUI {

namespace {

constexpr char kSetAttribute[] = "DUI::SSliderBar::SetAttribute";

constexpr int kContentLength = 100;


// Extents along the slider's axis and across it, swapped for a vertical one.
struct AxisSpan
{
    int along;
    int across;
};

AxisSpan SpanOf(SIZE size, BOOL vertical)
{
    return vertical ? AxisSpan{size.cy, size.cx} : AxisSpan{size.cx, size.cy};
}

} // namespace

SSliderBar::SSliderBar() : m_thumbSkin(FindSystemSkin(SysSkin_SliderThumb))
{
    GetEventSet()->AddEvent(EventSliderPos::EventID, EventSliderPos::EventName());
}

SSliderBar::~SSliderBar() = default;

struct SSliderBar::AttrRows
{
    using Row = SAttrRow<SSliderBar>;

    static constexpr Row kRows[] = {
        {L"thumbSkin", &ctrlattr::Skin<SSliderBar, &SSliderBar::m_thumbSkin>, AttrEffect::Redraw},
        {L"thumbInRail", &ctrlattr::Flag<SSliderBar, &SSliderBar::m_thumbInRail, kSetAttribute>, AttrEffect::Redraw},
    };
    static constexpr SAttrTable kTable{kRows};
};

HRESULT SSliderBar::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    return AttrRows::kTable.Dispatch(*this, name, value, loading,
                                     [&] { return SProgress::SetAttribute(name, value, loading); });
}

void SSliderBar::SetColorize(COLORREF color)
{
    SProgress::SetColorize(color);
    ColorizeSkin(m_thumbSkin.Get(), color);
}

void SSliderBar::OnScaleChanged(int scale)
{
    SProgress::OnScaleChanged(scale);
    RescaleSkin(m_thumbSkin, scale);
}

SIZE SSliderBar::MeasureContent(int, int)
{
    const SIZE bkgnd = SkinSizeOf(BkgndSkin());
    const SIZE thumb = SkinSizeOf(m_thumbSkin.Get());
    if (IsVertical())
        return SIZE{std::max(bkgnd.cx, thumb.cx), kContentLength};
    return SIZE{kContentLength, std::max(bkgnd.cy, thumb.cy)};
}

// Along the axis each part runs between two offsets from the client's start;
// across it, every part is centred in the band of the thicker skin, and all
// but the thumb again to the background's thickness.
RECT SSliderBar::GetPartRect(Part part) const
{
    const RECT client = GetClientRect();
    const BOOL vertical = IsVertical();
    const AxisSpan clientSpan = SpanOf({client.right - client.left, client.bottom - client.top}, vertical);
    const AxisSpan thumb = SpanOf(SkinSizeOf(m_thumbSkin.Get()), vertical);
    const AxisSpan bkgnd = SpanOf(SkinSizeOf(BkgndSkin()), vertical);
    const int length = clientSpan.along;
    const int half = thumb.along / 2;
    const int offset = ScaleToRange(std::max(0, length - thumb.along));

    int from = half, to = length - half;
    if (part == Part_Filled) {
        from = m_thumbInRail ? 0 : half;
        to = half + offset;
    } else if (part == Part_Thumb) {
        from = offset;
        to = offset + thumb.along;
    } else if (part == Part_RailBkgnd && m_thumbInRail) {
        from = 0;
        to = length;
    }

    const int band = std::max(thumb.across, bkgnd.across);
    int inset = (clientSpan.across - band) / 2;
    if (part != Part_Thumb)
        inset += (band - bkgnd.across) / 2;
    const int acrossFrom = inset, acrossTo = clientSpan.across - inset;
    if (vertical)
        return RECT{client.left + acrossFrom, client.top + from, client.left + acrossTo, client.top + to};
    return RECT{client.left + from, client.top + acrossFrom, client.left + to, client.top + acrossTo};
}

SSliderBar::Part SSliderBar::HitTest(POINT pt) const
{
    for (Part part : {Part_Thumb, Part_Filled, Part_Rail}) {
        const RECT rc = GetPartRect(part);
        if (::PtInRect(&rc, pt))
            return part;
    }
    return Part_None;
}

int SSliderBar::ThumbState() const
{
    if (IsDisabled(TRUE))
        return 3;
    if (m_dragging)
        return 2;
    return m_hotPart == Part_Thumb ? 1 : 0;
}

void SSliderBar::OnPaint(IPaintSurface* rt)
{
    if (!rt)
        return;
    SPaintState state;
    BeforePaint(rt, state);
    if (ISkinObj* bkgnd = BkgndSkin()) {
        const RECT rc = GetPartRect(Part_RailBkgnd);
        bkgnd->DrawByState(rt, &rc, 0);
    }
    if (ISkinObj* pos = PosSkin(); pos && GetValue() != GetMinimum()) {
        const RECT rc = GetPartRect(Part_Filled);
        pos->DrawByState(rt, &rc, 0);
    }
    if (m_thumbSkin) {
        const RECT rc = GetPartRect(Part_Thumb);
        m_thumbSkin->DrawByState(rt, &rc, ThumbState());
    }
    AfterPaint(rt, state);
}

BOOL SSliderBar::OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (msg != WM_MOUSEMOVE)
        return SProgress::OnSwndMessage(msg, wp, lp, result);
    OnMouseMove(PointFromLParam(lp));
    return TRUE;
}

// A press on the thumb only starts a drag; anywhere else the thumb first
// jumps to the press, and the drag goes on from there.
void SSliderBar::OnLButtonDown(UINT, POINT pt)
{
    SetCapture();
    const BOOL onThumb = HitTest(pt) == Part_Thumb;
    if (!onThumb)
        SetValue(ValueAtRailPoint(pt));
    m_dragging = 1;
    m_dragStart = pt;
    m_dragValue = GetValue();
    InvalidateClient();
    if (!onThumb)
        FirePos();
}

int SSliderBar::ValueAtRailPoint(POINT pt) const
{
    const RECT rail = GetPartRect(Part_Rail);
    const int length = AxisLength(rail);
    if (length <= 0)
        return GetValue();
    const int start = IsVertical() ? rail.top : rail.left;
    // Products in 64 bits: a wide range times a long rail overflows 32.
    const int64_t span = static_cast<int64_t>(GetMaximum()) - GetMinimum() + 1;
    return ClampToRange(GetMinimum() + span * (AlongAxis(pt) - start) / length, INT_MIN, INT_MAX);
}

// The pushed look that hovering back under the capture gave the window goes
// with the capture.
void SSliderBar::OnLButtonUp(UINT, POINT pt)
{
    ReleaseCapture();
    ModifyState(0, WndState_PushDown);
    if (m_dragging) {
        m_dragging = 0;
        const RECT thumb = GetPartRect(Part_Thumb);
        InvalidateRect(&thumb);
    }
    OnMouseMove(pt);
    EventLButtonUp e(this);
    e.pt = pt;
    FireEvent(e);
}

void SSliderBar::OnMouseMove(POINT pt)
{
    if (m_dragging)
        DragTo(pt);
    else
        TrackHotPart(pt);
}

void SSliderBar::DragTo(POINT pt)
{
    const int length = AxisLength(GetPartRect(Part_Rail));
    if (length <= 0)
        return;
    const int moved = AlongAxis(pt) - AlongAxis(m_dragStart);
    const int64_t span = static_cast<int64_t>(GetMaximum()) - GetMinimum() + 1;
    const int value = ClampToRange(span * moved / length + m_dragValue, GetMinimum(), GetMaximum());
    if (value == GetValue())
        return;
    StoreValue(value);
    InvalidateClient();
    FirePos();
}

// Only entering or leaving the thumb changes the look.
void SSliderBar::TrackHotPart(POINT pt)
{
    const Part hit = HitTest(pt);
    if ((hit == Part_Thumb) == (m_hotPart == Part_Thumb))
        return;
    m_hotPart = hit;
    const RECT thumb = GetPartRect(Part_Thumb);
    InvalidateRect(&thumb);
}

// The window's own leave handling also runs, so the hover state it set on
// entry does not outlive the mouse.
void SSliderBar::OnMouseLeave()
{
    if (!m_dragging && m_hotPart == Part_Thumb) {
        const RECT thumb = GetPartRect(Part_Thumb);
        InvalidateRect(&thumb);
        InvalidateClient();
        m_hotPart = Part_None;
    }
    SProgress::OnMouseLeave();
}

void SSliderBar::FirePos()
{
    EventSliderPos e(this);
    e.nPos = GetValue();
    FireEvent(e);
}

} // namespace DUI
