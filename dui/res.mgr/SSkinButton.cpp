#include "dui/res.mgr/SSkinButton.h"

#include <algorithm>
#include <cstdio>
#include "dui/core/base/SHandle.h"
#include "dui/core/base/SRefPtr.h"
#include "dui/res.mgr/SColorize.h"
#include "dui/res.mgr/SNamedValue.h"
#include "dui/res.mgr/SSkinColorRect.h"
#include "dui/res.mgr/SResProviderMgr.h"
#include "dui/res.mgr/SSkinAttr.h"

namespace DUI {

SSkinButton::SSkinButton()
    : m_colors{0x00707070, kColorUnset, kColorUnset, kColorUnset, 0x00EEEEEE, 0x00EEEEEE,
               0x00CECECE, 0x008E8E8E, 0x00D6D6D6, 0x00E0E0E0, 0x00C0C0C0, 0x00808080}
{
}

struct SSkinButton::AttrRows
{
    using Row = SAttrRow<SSkinButton>;

    // Colours in order: border, top, bottom, each by state.
    template <int i>
    static constexpr auto Colour = &skinattr::ColorAt<SSkinButton, &SSkinButton::m_colors, i>;

    static constexpr Row kRows[] = {
        {L"colorBorder", Colour<0>, AttrEffect::None},
        {L"colorBorderHover", Colour<1>, AttrEffect::None},
        {L"colorBorderPush", Colour<2>, AttrEffect::None},
        {L"colorBorderDisable", Colour<3>, AttrEffect::None},
        {L"colorUp", Colour<4>, AttrEffect::None},
        {L"colorUpHover", Colour<5>, AttrEffect::None},
        {L"colorUpPush", Colour<6>, AttrEffect::None},
        {L"colorUpDisable", Colour<7>, AttrEffect::None},
        {L"colorDown", Colour<8>, AttrEffect::None},
        {L"colorDownHover", Colour<9>, AttrEffect::None},
        {L"colorDownPush", Colour<10>, AttrEffect::None},
        {L"colorDownDisable", Colour<11>, AttrEffect::None},
        {L"cornerRadius", skinattr::Int<SSkinButton, &SSkinButton::m_radius>, AttrEffect::None},
        {L"cornerPercent", &skinattr::ScanFloat<SSkinButton, &SSkinButton::m_cornerPercent>, AttrEffect::None},
    };
    static constexpr SAttrTable kTable{kRows};
};

HRESULT SSkinButton::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    return AttrRows::kTable.Dispatch(*this, name, value, loading,
                                     [&] { return SSkinObjBase::SetAttribute(name, value, loading); });
}

void SSkinButton::DrawImpl(IPaintSurface* rt, const RECT* rc, int index, BYTE alpha)
{
    if (index < 0 || index > 3) return;
    int r = m_radius;
    if (m_cornerPercent > 0)
        r = static_cast<int>(std::min(rc->right - rc->left, rc->bottom - rc->top) * m_cornerPercent);
    const COLORREF up = GetColor(Up, index), down = GetColor(Down, index);
    if (up == down) {
        const COLORREF fill = SSkinColorRect::FillColor(up, alpha);
        if (r < 1)
            rt->FillRectColor(rc, fill);
        else
            rt->FillRoundRectColor(rc, {r, r}, fill);
    } else {
        bool clipped = false;
        if (r > 2) {
            const SGdiObject<HRGN> rgn(
                CreateRoundRectRgn(rc->left, rc->top, rc->right + 1, rc->bottom + 1, r * 2, r * 2));
            SRefPtr<IPaintRegion> region;
            if (rgn && SUCCEEDED(rt->CreateRegion(region.Put())) && region) {
                region->CopyFromHRGN(rgn);
                clipped = SUCCEEDED(rt->PushClipRegion(region.Get(), RGN_OP_AND));
            }
        }
        const RECT inner = {rc->left + 1, rc->top + 1, rc->right - 1, rc->bottom - 1};
        rt->FillGradientRect(&inner, TRUE, up, down, alpha);
        if (clipped) rt->PopClip();
    }
    const COLORREF border = GetColor(Border, index) != kColorUnset ? GetColor(Border, index) : GetColor(Border, 0);
    SSkinColorRect::DrawOutline(rt, rc, r, border, 1);
}

// Tints start from the colours as loaded; 0 gives them back.
void SSkinButton::OnColorize(COLORREF color)
{
    if (!m_enableColorize || color == m_colorize) return;
    if (m_colorize == 0)
        std::copy(m_colors, m_colors + 12, m_saved);
    else
        std::copy(m_saved, m_saved + 12, m_colors);
    m_colorize = color;
    if (color == 0) return;
    for (COLORREF& c : m_colors) ColorizeColor(c, color);
}

void SSkinButton::CopyTo(ISkinObj* target, int scale) const
{
    SSkinObjBase::CopyTo(target, scale);
    auto* to = dynamic_cast<SSkinButton*>(target);
    if (!to) return;
    std::copy(m_colors, m_colors + 12, to->m_colors);
    std::copy(m_saved, m_saved + 12, to->m_saved);
    to->m_radius = m_radius;
    to->m_cornerPercent = m_cornerPercent;
}

} // namespace DUI
