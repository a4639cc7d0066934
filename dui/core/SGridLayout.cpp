#include "dui/core/SGridLayout.h"

#include "dui/core/SLayoutParamAttr.h"
#include "dui/core/SWindow.h"
#include "dui/core/base/SAttrTable.h"

namespace DUI {

namespace {

constexpr char kSetAttribute[] = "DUI::SGridLayout::SetAttribute";

} // namespace

struct SGridLayout::AttrRows
{
    using Row = SAttrRow<SGridLayout>;

    template <auto... fields>
    static HRESULT Dimension(SGridLayout& g, const SStringW& value, BOOL)
    {
        const SLayoutSize size = ReadDimension(value, kSetAttribute);
        ((g.*fields = size), ...);
        return S_OK;
    }
    // An unknown name is taken too, as no gravity (-1).
    template <auto... fields>
    static HRESULT Gravity(SGridLayout& g, const SStringW& value, BOOL)
    {
        const int gravity = GridGravityByName(value);
        ((g.*fields = gravity), ...);
        return S_OK;
    }
    template <auto field>
    static constexpr auto Int = &layoutattr::Int<SGridLayout, kSetAttribute, field>;

    static constexpr Row kRows[] = {
        {L"columnCount", Int<&SGridLayout::m_columns>, AttrEffect::Redraw},
        {L"rowCount", Int<&SGridLayout::m_rows>, AttrEffect::Redraw},
        {L"xInterval", &Dimension<&SGridLayout::m_xInterval>, AttrEffect::Redraw},
        {L"yInterval", &Dimension<&SGridLayout::m_yInterval>, AttrEffect::Redraw},
        {L"interval", &Dimension<&SGridLayout::m_xInterval, &SGridLayout::m_yInterval>, AttrEffect::Redraw},
        {L"xGravity", &Gravity<&SGridLayout::m_xGravity>, AttrEffect::Redraw},
        {L"yGravity", &Gravity<&SGridLayout::m_yGravity>, AttrEffect::Redraw},
        {L"gravity", &Gravity<&SGridLayout::m_xGravity, &SGridLayout::m_yGravity>, AttrEffect::Redraw},
    };
    static constexpr SAttrTable kTable{kRows};
};

// Names the class does not know are E_NOTIMPL, for the owner to try next.
HRESULT SGridLayout::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    return AttrRows::kTable.Answer(*this, name, value, loading);
}

GridSpec SGridLayout::Collect(SWindow* window)
{
    m_children.Collect(window);
    m_records.clear();
    for (size_t i = 0; i < m_children.Count(); ++i) {
        m_records.push_back({DataOf(m_children.At(i)->GetLayoutParam()), RECT{}, false});
    }
    const int scale = window->GetScale();
    return {m_columns, m_rows, m_xInterval.ToPixel(scale), m_yInterval.ToPixel(scale), m_xGravity, m_yGravity};
}

void SGridLayout::LayoutChildren(SWindow* window)
{
    const GridSpec spec = Collect(window);
    RECT area;
    window->GetChildArea(&area);
    if (!m_placer.Layout(m_records.data(), m_records.size(), area, spec, m_children)) return;
    for (size_t i = 0; i < m_records.size(); ++i)
        if (m_records[i].placed) m_children.Place(i, m_records[i].rc);
}

SIZE SGridLayout::MeasureChildren(SWindow* window, int, int)
{
    const GridSpec spec = Collect(window);
    return m_placer.Measure(m_records.data(), m_records.size(), spec, m_children);
}

} // namespace DUI
