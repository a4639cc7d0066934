#include "app/controls/SWitchControl.h"

#include <algorithm>
#include <cstdint>

#include "dui/control/SControlSkin.h"
#include "dui/core/SLayoutParamAttr.h"
#include "dui/core/base/SMsgPoint.h"

namespace DUI {

namespace {

constexpr char kSetAttribute[] = "DUI::SWitchControl::SetAttribute";

// A rectangle in axis terms: "along" the switch's travel and "across" it.
struct AxisRect
{
    int alongFrom, acrossFrom, alongTo, acrossTo;
};

RECT ToRect(const AxisRect& a, BOOL vertical)
{
    return vertical ? RECT{a.acrossFrom, a.alongFrom, a.acrossTo, a.alongTo}
                    : RECT{a.alongFrom, a.acrossFrom, a.alongTo, a.acrossTo};
}

AxisRect ToAxis(const RECT& rc, BOOL vertical)
{
    return vertical ? AxisRect{rc.top, rc.left, rc.bottom, rc.right} : AxisRect{rc.left, rc.top, rc.right, rc.bottom};
}

int Along(SIZE size, BOOL vertical) { return vertical ? size.cy : size.cx; }
int Across(SIZE size, BOOL vertical) { return vertical ? size.cx : size.cy; }

// Shrinks [from, to) evenly to `extent`.
void CentreTo(int& from, int& to, int extent)
{
    const int inset = (to - from - extent) / 2;
    from += inset;
    to -= inset;
}

} // namespace

SWitchControl::SWitchControl()
{
    GetEventSet()->AddEvent(EventWBSelChanging::EventID, EventWBSelChanging::EventName());
}

SWitchControl::~SWitchControl() = default;

// The slide's timer stops while the host that runs it still exists; by the
// destructor the host may be gone.
void SWitchControl::OnDestroy()
{
    KillTimer(kSlideTimer);
    m_animating = FALSE;
    SSliderBar::OnDestroy();
}

HRESULT SWitchControl::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    HRESULT hr = S_FALSE;
    if (name.CompareNoCase(L"left-margin") == 0)
        m_leftMargin = ReadInt(value, kSetAttribute);
    else if (name.CompareNoCase(L"right-margin") == 0)
        m_rightMargin = ReadInt(value, kSetAttribute);
    else if (name.CompareNoCase(L"top-margin") == 0)
        m_topMargin = ReadInt(value, kSetAttribute);
    else if (name.CompareNoCase(L"bottom-margin") == 0)
        m_bottomMargin = ReadInt(value, kSetAttribute);
    else if (name.CompareNoCase(L"changeTime") == 0)
        m_changeTime = ReadInt(value, kSetAttribute);
    else if (name.CompareNoCase(L"bkgndSkinSelect") == 0) {
        m_bkgndSelect = FindNamedSkin(value, GetScale());
        hr = S_OK;
    } else if (name.CompareNoCase(L"currentState") == 0) {
        if (ReadBool(value) != m_state)
            Toggle();
    } else if (name.CompareNoCase(L"thumbSkin") == 0 || name.CompareNoCase(L"thumbInRail") == 0)
        return SSliderBar::SetAttribute(name, value, loading);
    else
        return SProgress::SetAttribute(name, value, loading);
    return AfterSetAttribute(name, value, loading, hr);
}

void SWitchControl::OnScaleChanged(int scale)
{
    RescaleSkin(m_bkgndSelect, scale);
    SSliderBar::OnScaleChanged(scale);
}

void SWitchControl::Toggle()
{
    if (m_animating)
        return;
    m_state = !m_state;
    int lo = 0, hi = 0;
    GetRange(&lo, &hi);
    // A switch that cannot run its timer yet (not in a host) or whose thumb
    // would never reach the end switches at once rather than stay "sliding".
    if (m_changeTime > 0 && m_step > 0) {
        const int64_t interval = (static_cast<int64_t>(hi) - lo) * m_step / m_changeTime;
        if (SetTimer(kSlideTimer, static_cast<UINT>(std::clamp<int64_t>(interval, 0, INT32_MAX)))) {
            m_animating = TRUE;
            return;
        }
    }
    SetValue(m_state ? hi : lo);
    FireChange();
    InvalidateClient();
}

void SWitchControl::OnTimerTick(char id)
{
    int lo = 0, hi = 0;
    GetRange(&lo, &hi);
    const int value = GetValue();
    if (m_state && value < hi) {
        SetValue(static_cast<int>(std::min<int64_t>(static_cast<int64_t>(value) + m_step, hi)));
        return;
    }
    if (!m_state && value > lo) {
        SetValue(static_cast<int>(std::max<int64_t>(static_cast<int64_t>(value) - m_step, lo)));
        return;
    }
    m_animating = FALSE;
    KillTimer(id);
    if (id == kSlideTimer)
        FireChange();
}

void SWitchControl::FireChange()
{
    EventWBSelChanging e(this);
    e.bState = m_state ? 1 : 0;
    FireEvent(e);
}

BOOL SWitchControl::OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_TIMER:
        if (wp != static_cast<WPARAM>(kSlideTimer) && wp != static_cast<WPARAM>(kSpareTimer))
            break;
        OnTimerTick(static_cast<char>(wp));
        return TRUE;
    case WM_LBUTTONDOWN: {
        const POINT pt = PointFromLParam(lp);
        const RECT thumb = GetThumbRect(), rail = GetRailRect();
        if (::PtInRect(&thumb, pt) || ::PtInRect(&rail, pt)) {
            m_pressed = TRUE;
            SetCapture();
        }
        return TRUE;
    }
    case WM_LBUTTONUP:
        if (m_pressed) {
            m_pressed = FALSE;
            ReleaseCapture();
            Toggle();
        }
        return TRUE;
    default:
        break;
    }
    return SSliderBar::OnSwndMessage(msg, wp, lp, result);
}

RECT SWitchControl::GetRailRect() const
{
    const BOOL vertical = IsVertical();
    const SIZE thumb = SkinSizeOf(ThumbSkin()), rail = SkinSizeOf(BkgndSkin());
    AxisRect band = ToAxis(GetClientRect(), vertical);
    CentreTo(band.acrossFrom, band.acrossTo, std::max(Across(thumb, vertical), Across(rail, vertical)));
    CentreTo(band.acrossFrom, band.acrossTo, Across(rail, vertical));
    return ToRect(band, vertical);
}

int SWitchControl::ThumbOffset(int travel) const
{
    int lo = 0, hi = 0;
    GetRange(&lo, &hi);
    if (hi == lo)
        return 0;   // a switch without travel keeps its thumb at the start
    return static_cast<int>(static_cast<int64_t>(travel) * (GetValue() - lo) / (static_cast<int64_t>(hi) - lo));
}

RECT SWitchControl::GetThumbRect() const
{
    const BOOL vertical = IsVertical();
    const SIZE thumb = SkinSizeOf(ThumbSkin()), rail = SkinSizeOf(BkgndSkin());
    const AxisRect client = ToAxis(GetClientRect(), vertical);
    const int length = Along(thumb, vertical);
    AxisRect rc = client;
    rc.alongFrom = client.alongFrom + ThumbOffset(client.alongTo - client.alongFrom - length);
    rc.alongTo = rc.alongFrom + length;
    CentreTo(rc.acrossFrom, rc.acrossTo, std::max(Across(thumb, vertical), Across(rail, vertical)));
    if (!vertical) {
        rc.acrossFrom += m_topMargin;
        rc.acrossTo -= m_bottomMargin;
        int lo = 0, hi = 0;
        GetRange(&lo, &hi);
        const int shift = GetValue() == hi ? -m_rightMargin : m_leftMargin;
        rc.alongFrom += shift;
        rc.alongTo += shift;
    }
    return ToRect(rc, vertical);
}

void SWitchControl::OnPaint(IPaintSurface* rt)
{
    if (!rt)
        return;
    SPaintState state;
    BeforePaint(rt, state);
    const RECT rail = GetRailRect();
    if (ISkinObj* skin = m_state ? m_bkgndSelect.Get() : BkgndSkin())
        skin->DrawByState(rt, &rail, 0);
    if (ISkinObj* thumb = ThumbSkin()) {
        const RECT rc = GetThumbRect();
        thumb->DrawByState(rt, &rc, 0);
    }
    AfterPaint(rt, state);
}

} // namespace DUI
