#include "app/controls/SStarsRating.h"

#include <algorithm>
#include <cstdint>

#include "dui/control/SControlSkin.h"
#include "dui/core/SLayoutParamAttr.h"
#include "dui/core/base/SMsgPoint.h"

namespace DUI {

namespace {

constexpr char kSetAttribute[] = "DUI::SStarsRating::SetAttribute";

} // namespace

HRESULT SStarsRating::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    if (name.CompareNoCase(L"starfore") == 0)
        m_fore = FindNamedSkin(value, GetScale());
    else if (name.CompareNoCase(L"starchoose") == 0)
        m_choose = FindNamedSkin(value, GetScale());
    else if (name.CompareNoCase(L"stargap") == 0)
        m_gap = ReadInt(value, kSetAttribute);
    else if (name.CompareNoCase(L"starnums") == 0)
        m_count = ReadInt(value, kSetAttribute);
    else if (name.CompareNoCase(L"starchoosenums") == 0)
        m_chosen = ReadInt(value, kSetAttribute);
    else
        return SWindow::SetAttribute(name, value, loading);
    return AfterSetAttribute(name, value, loading, S_OK);
}

SIZE SStarsRating::MeasureContent(int parentWidth, int parentHeight)
{
    if (!m_fore)
        return SWindow::MeasureContent(parentWidth, parentHeight);
    const SIZE star = SkinSizeOf(m_fore.Get());
    const RECT margin = GetStyle().GetMargin();
    const int64_t width = static_cast<int64_t>(star.cx) * m_count + static_cast<int64_t>(m_count - 1) * m_gap +
                          margin.left + margin.right;
    return SIZE{static_cast<LONG>(std::clamp<int64_t>(width, 0, INT32_MAX)),
                star.cy + margin.top + margin.bottom};
}

// Stars past the client's right edge are not drawn: a row of a million
// stars costs no more than the ones that show.
void SStarsRating::DrawStars(IPaintSurface* rt, ISkinObj* skin, int count)
{
    if (!skin)
        return;
    const RECT client = GetClientRect();
    const SIZE star = SkinSizeOf(skin);
    const int64_t step = static_cast<int64_t>(star.cx) + m_gap;
    for (int i = 0; i < count; ++i) {
        const int64_t left = client.left + i * step;
        if (left >= client.right || (step <= 0 && i > 0))
            break;
        const RECT rc = {static_cast<LONG>(left), client.top, static_cast<LONG>(left + star.cx), client.top + star.cy};
        skin->DrawByState(rt, &rc, 0);
    }
}

void SStarsRating::OnPaint(IPaintSurface* rt)
{
    if (!rt)
        return;
    SPaintState state;
    BeforePaint(rt, state);
    DrawStars(rt, m_fore.Get(), m_count);
    DrawStars(rt, m_choose.Get(), m_chosen);
    AfterPaint(rt, state);
    SWindow::OnPaint(rt);
}

// The first star i (from 1) whose slot ends right of the pointer becomes the
// count; a pointer past the last slot changes nothing.
void SStarsRating::OnMouseMove(POINT pt)
{
    if (!m_fore)
        return;
    const int64_t step = static_cast<int64_t>(SkinSizeOf(m_fore.Get()).cx) + m_gap;
    const int64_t dx = static_cast<int64_t>(pt.x) - GetClientRect().left;
    int64_t chosen = 0;
    if (dx < step)
        chosen = 1;
    else if (step > 0)
        chosen = dx / step + 1;
    if (chosen < 1 || chosen > m_count)
        return;
    m_chosen = static_cast<int>(chosen);
    InvalidateClient();
}

BOOL SStarsRating::OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (msg != WM_MOUSEMOVE)
        return SWindow::OnSwndMessage(msg, wp, lp, result);
    OnMouseMove(PointFromLParam(lp));
    return TRUE;
}

} // namespace DUI
