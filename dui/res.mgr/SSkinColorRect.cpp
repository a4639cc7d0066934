#include "dui/res.mgr/SSkinColorRect.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include "dui/res.mgr/SResProviderMgr.h"
#include "dui/res.mgr/SNamedValue.h"
#include "dui/res.mgr/SSelectPen.h"
#include "dui/res.mgr/SSkinAttr.h"

namespace DUI {

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

struct SSkinColorRect::AttrRows
{
    using Row = SAttrRow<SSkinColorRect>;

    template <int i>
    static constexpr auto Fill = &skinattr::ColorAt<SSkinColorRect, &SSkinColorRect::m_fill, i>;
    template <int i>
    static constexpr auto Border = &skinattr::ColorAt<SSkinColorRect, &SSkinColorRect::m_border, i>;

    static constexpr Row kRows[] = {
        {L"normal", Fill<0>, AttrEffect::None},
        {L"hover", Fill<1>, AttrEffect::None},
        {L"pushdown", Fill<2>, AttrEffect::None},
        {L"disable", Fill<3>, AttrEffect::None},
        {L"normalBorder", Border<0>, AttrEffect::None},
        {L"hoverBorder", Border<1>, AttrEffect::None},
        {L"pushdownBorder", Border<2>, AttrEffect::None},
        {L"disableBorder", Border<3>, AttrEffect::None},
        {L"borderWidth", skinattr::LayoutDim<SSkinColorRect, &SSkinColorRect::m_borderWidth>, AttrEffect::None},
        {L"cornerRadius", skinattr::LayoutDim<SSkinColorRect, &SSkinColorRect::m_radius>, AttrEffect::None},
        {L"cornerPercent", &skinattr::ScanFloat<SSkinColorRect, &SSkinColorRect::m_cornerPercent>, AttrEffect::None},
    };
    static constexpr SAttrTable kTable{kRows};
};

HRESULT SSkinColorRect::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    return AttrRows::kTable.Dispatch(*this, name, value, loading,
                                     [&] { return SSkinObjBase::SetAttribute(name, value, loading); });
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
