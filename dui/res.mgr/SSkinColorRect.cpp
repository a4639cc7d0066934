#include "dui/res.mgr/SSkinColorRect.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include "dui/res.mgr/SResProviderMgr.h"
#include "dui/res.mgr/SNamedValue.h"
#include "dui/res.mgr/SSelectPen.h"

namespace DUI {

namespace {

const wchar_t* const kFillNames[4] = {L"normal", L"hover", L"pushdown", L"disable"};
const wchar_t* const kBorderNames[4] = {L"normalBorder", L"hoverBorder", L"pushdownBorder", L"disableBorder"};

int IndexOf(const SStringW& name, const wchar_t* const (&names)[4])
{
    for (int i = 0; i < 4; ++i)
        if (name.CompareNoCase(names[i]) == 0) return i;
    return -1;
}

} // namespace

SSkinColorRect::SSkinColorRect()
    : m_fill{0xFFFFFFFF, kColorUnset, kColorUnset, kColorUnset},
      m_border{kColorUnset, kColorUnset, kColorUnset, kColorUnset}
{
}

int SSkinColorRect::GetStates() const
{
    int states = 4;
    while (states > 0 && m_fill[states - 1] == kColorUnset) --states;
    return states;
}

COLORREF SSkinColorRect::FillColor(COLORREF color, BYTE alpha)
{
    if (alpha == 255) return color;
    return (color & 0x00FFFFFF) | ((((color >> 24) * alpha) >> 8) << 24);
}

HRESULT SSkinColorRect::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    HRESULT hr = 1;
    const int fill = IndexOf(name, kFillNames), border = IndexOf(name, kBorderNames);
    if (fill >= 0 || border >= 0) {
        if (value.IsEmpty()) return AfterSetAttribute(name, value, loading, E_FAIL);
        (fill >= 0 ? m_fill[fill] : m_border[border]) = ResolveNamedColor(value);
    } else if (name.CompareNoCase(L"borderWidth") == 0) {
        m_borderWidth = ResolveLayoutDim(value.c_str());
    } else if (name.CompareNoCase(L"cornerRadius") == 0) {
        m_radius = ResolveLayoutDim(value.c_str());
    } else if (name.CompareNoCase(L"cornerPercent") == 0) {
        swscanf(value.c_str(), L"%f", &m_cornerPercent);
    } else {
        return SSkinObjBase::SetAttribute(name, value, loading);
    }
    return AfterSetAttribute(name, value, loading, hr);
}

void SSkinColorRect::DrawImpl(IPaintSurface* rt, const RECT* rc, int index, BYTE alpha)
{
    if (index < 0 || index > 3) return;
    int r = m_radius.ToPixel(m_scale);
    if (m_cornerPercent > 0)
        r = static_cast<int>(std::min(rc->right - rc->left, rc->bottom - rc->top) * m_cornerPercent);
    const int colour = m_fill[index] != kColorUnset ? index : 0;
    const COLORREF fill = FillColor(m_fill[colour], alpha);
    if (r < 1)
        rt->FillRectColor(rc, fill);
    else
        rt->FillRoundRectColor(rc, {r, r}, fill);
    const int width = m_borderWidth.ToPixel(m_scale);
    if (width > 0 && m_border[colour] != kColorUnset) DrawOutline(rt, rc, r, m_border[colour], width);
}

void SSkinColorRect::DrawOutline(IPaintSurface* rt, const RECT* rc, int r, COLORREF color, int width)
{
    const SSelectPen pen(rt, PS_SOLID, color, width);
    if (!pen) return;
    if (r < 1)
        rt->DrawRectangle(rc);
    else
        rt->DrawRoundRect(rc, {r, r});
}

void SSkinColorRect::CopyTo(ISkinObj* target, int scale) const
{
    SSkinObjBase::CopyTo(target, scale);
    auto* to = dynamic_cast<SSkinColorRect*>(target);
    if (!to) return;
    to->m_radius = m_radius;
    to->m_borderWidth = m_borderWidth;
    to->m_cornerPercent = m_cornerPercent;
    std::copy(m_fill, m_fill + 4, to->m_fill);
    std::copy(m_border, m_border + 4, to->m_border);
}

} // namespace DUI
