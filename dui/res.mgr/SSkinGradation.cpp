#include "dui/res.mgr/SSkinGradation.h"

#include "dui/res.mgr/SColorize.h"
#include "dui/res.mgr/SResProviderMgr.h"

namespace DUI {

HRESULT SSkinGradation::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    HRESULT hr = 1;
    if (name.CompareNoCase(L"colorFrom") == 0 || name.CompareNoCase(L"colorTo") == 0) {
        if (value.IsEmpty()) return AfterSetAttribute(name, value, loading, E_FAIL);
        (name.CompareNoCase(L"colorFrom") == 0 ? m_from : m_to) = ResolveNamedColor(value);
    } else if (name.CompareNoCase(L"vertical") == 0) {
        m_vertical = ReadInt(value);
    } else {
        return SSkinObjBase::SetAttribute(name, value, loading);
    }
    return AfterSetAttribute(name, value, loading, hr);
}

void SSkinGradation::DrawImpl(IPaintSurface* rt, const RECT* rc, int, BYTE alpha)
{
    rt->FillGradientRect(rc, m_vertical, m_from, m_to, alpha);
}

// Tints start from the colours as loaded; 0 gives them back.
void SSkinGradation::OnColorize(COLORREF color)
{
    if (!m_enableColorize || color == m_colorize) return;
    if (m_colorize == 0) {
        m_savedFrom = m_from;
        m_savedTo = m_to;
    } else {
        m_from = m_savedFrom;
        m_to = m_savedTo;
    }
    m_colorize = color;
    if (color == 0) return;
    ColorizeColor(m_from, color);
    ColorizeColor(m_to, color);
}

void SSkinGradation::CopyTo(ISkinObj* target, int scale) const
{
    SSkinObjBase::CopyTo(target, scale);
    auto* to = dynamic_cast<SSkinGradation*>(target);
    if (!to) return;
    to->m_from = m_from;
    to->m_to = m_to;
    to->m_vertical = m_vertical;
    to->m_savedFrom = m_savedFrom;
    to->m_savedTo = m_savedTo;
}

} // namespace DUI
