#include "dui/core/SLinearLayout.h"

#include "dui/core/SLayoutParamAttr.h"
#include "dui/core/SWindow.h"

namespace DUI {

namespace {

constexpr const char* kSetAttribute = "DUI::SLinearLayout::SetAttribute";

} // namespace

HRESULT SLinearLayout::SetAttribute(const SStringW& name, const SStringW& value, BOOL)
{
    if (name.CompareNoCase(L"orientation") == 0) {
        if (value.Compare(L"horizontal") == 0)
            m_orientation = Horz;
        else if (value.Compare(L"vertical") == 0)
            m_orientation = Vert;
        else
            return E_FAIL;
    } else if (name.CompareNoCase(L"gravity") == 0) {
        const int gravity = LinearGravityByName(value);
        if (gravity == kGravityUnset) return E_FAIL;
        m_gravity = gravity;
    } else if (name.CompareNoCase(L"interval") == 0) {
        m_interval = ReadDimension(value, kSetAttribute);
    } else {
        return E_NOTIMPL;
    }
    return S_OK;
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
