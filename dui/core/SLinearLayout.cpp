#include "dui/core/SLinearLayout.h"

#include "dui/core/SLayoutParamAttr.h"
#include "dui/core/SWindow.h"
#include "dui/core/base/SAttrTable.h"

namespace DUI {

namespace {

constexpr char kSetAttribute[] = "DUI::SLinearLayout::SetAttribute";

} // namespace

struct SLinearLayout::AttrRows
{
    using Row = SAttrRow<SLinearLayout>;

    static HRESULT Orientation(SLinearLayout& l, const SStringW& value, BOOL)
    {
        if (value.Compare(L"horizontal") == 0)
            l.m_orientation = Horz;
        else if (value.Compare(L"vertical") == 0)
            l.m_orientation = Vert;
        else
            return E_FAIL;
        return S_OK;
    }
    static HRESULT Gravity(SLinearLayout& l, const SStringW& value, BOOL)
    {
        const int gravity = LinearGravityByName(value);
        if (gravity == kGravityUnset)
            return E_FAIL;
        l.m_gravity = gravity;
        return S_OK;
    }

    static constexpr Row kRows[] = {
        {L"orientation", &Orientation, AttrEffect::Redraw},
        {L"gravity", &Gravity, AttrEffect::Redraw},
        {L"interval", &layoutattr::Dimension<SLinearLayout, kSetAttribute, &SLinearLayout::m_interval>, AttrEffect::Redraw},
    };
    static constexpr SAttrTable kTable{kRows};
};

// Names the class does not know are E_NOTIMPL, for the owner to try next.
HRESULT SLinearLayout::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    return AttrRows::kTable.Answer(*this, name, value, loading);
}

LinearSpec SLinearLayout::Collect(SWindow* window)
{
    m_children.Collect(window);
    m_records.clear();
    for (size_t i = 0; i < m_children.Count(); ++i) {
        SWindow* child = m_children.At(i);
        m_records.push_back({DataOf(child->GetLayoutParam()), child->GetScale()});
    }
    return {m_orientation, m_gravity, m_interval.ToPixel(window->GetScale())};
}

void SLinearLayout::LayoutChildren(SWindow* window)
{
    const LinearSpec spec = Collect(window);
    if (m_records.empty()) return;
    RECT area;
    window->GetChildArea(&area);
    LayoutLinear(m_records.data(), m_records.size(), area, spec, m_children);
    for (size_t i = 0; i < m_records.size(); ++i) m_children.Place(i, m_records[i].rc);
}

SIZE SLinearLayout::MeasureChildren(SWindow* window, int width, int height)
{
    const LinearSpec spec = Collect(window);
    const ILayoutParam* own = window->GetLayoutParam();
    const bool wrapW = own && own->IsWrapContent(Horz), wrapH = own && own->IsWrapContent(Vert);
    return MeasureLinear(m_records.data(), m_records.size(), width, height, wrapW, wrapH, spec, m_children);
}

} // namespace DUI
