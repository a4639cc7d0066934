#include "dui/res.mgr/SSkinButton.h"

#include <algorithm>
#include <cstdio>
#include "dui/core/base/SHandle.h"
#include "dui/core/base/SRefPtr.h"
#include "dui/res.mgr/SColorize.h"
#include "dui/res.mgr/SNamedValue.h"
#include "dui/res.mgr/SSkinColorRect.h"
#include "dui/res.mgr/SResProviderMgr.h"

namespace DUI {

namespace {

// Attribute names in colour order: border, top, bottom, each by state.
const wchar_t* const kColorNames[12] = {
    L"colorBorder", L"colorBorderHover", L"colorBorderPush", L"colorBorderDisable",
    L"colorUp",     L"colorUpHover",     L"colorUpPush",     L"colorUpDisable",
    L"colorDown",   L"colorDownHover",   L"colorDownPush",   L"colorDownDisable",
};

} // namespace

SSkinButton::SSkinButton()
    : m_colors{0x00707070, kColorUnset, kColorUnset, kColorUnset, 0x00EEEEEE, 0x00EEEEEE,
               0x00CECECE, 0x008E8E8E, 0x00D6D6D6, 0x00E0E0E0, 0x00C0C0C0, 0x00808080}
{
}

HRESULT SSkinButton::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    for (int i = 0; i < 12; ++i) {
        if (name.CompareNoCase(kColorNames[i]) != 0) continue;
        if (value.IsEmpty()) return AfterSetAttribute(name, value, loading, E_FAIL);
        m_colors[i] = ResolveNamedColor(value);
        return AfterSetAttribute(name, value, loading, 1);
    }
    if (name.CompareNoCase(L"cornerRadius") == 0) {
        m_radius = ReadInt(value);
    } else if (name.CompareNoCase(L"cornerPercent") == 0) {
        swscanf(value.c_str(), L"%f", &m_cornerPercent);
    } else {
        return SSkinObjBase::SetAttribute(name, value, loading);
    }
    return AfterSetAttribute(name, value, loading, 1);
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
