#include "dui/res.mgr/SSkinGradation.h"

#include "dui/res.mgr/SColorize.h"
#include "dui/res.mgr/SResProviderMgr.h"
#include "dui/res.mgr/SSkinAttr.h"

namespace DUI {

struct SSkinGradation::AttrRows
{
    using Row = SAttrRow<SSkinGradation>;

    static constexpr Row kRows[] = {
        {L"colorFrom", &skinattr::Color<SSkinGradation, &SSkinGradation::m_from>, AttrEffect::None},
        {L"colorTo", &skinattr::Color<SSkinGradation, &SSkinGradation::m_to>, AttrEffect::None},
        {L"vertical", skinattr::Int<SSkinGradation, &SSkinGradation::m_vertical>, AttrEffect::None},
    };
    static constexpr SAttrTable kTable{kRows};
};

HRESULT SSkinGradation::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    return AttrRows::kTable.Dispatch(*this, name, value, loading,
                                     [&] { return SSkinObjBase::SetAttribute(name, value, loading); });
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
