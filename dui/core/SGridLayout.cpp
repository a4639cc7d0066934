#include "dui/core/SGridLayout.h"

#include "dui/core/SLayoutParamAttr.h"
#include "dui/core/SWindow.h"

namespace DUI {

namespace {

constexpr const char* kSetAttribute = "DUI::SGridLayout::SetAttribute";

} // namespace

HRESULT SGridLayout::SetAttribute(const SStringW& name, const SStringW& value, BOOL)
{
    if (name.CompareNoCase(L"columnCount") == 0) {
        m_columns = ReadInt(value, kSetAttribute);
    } else if (name.CompareNoCase(L"rowCount") == 0) {
        m_rows = ReadInt(value, kSetAttribute);
    } else if (name.CompareNoCase(L"xInterval") == 0) {
        m_xInterval = ReadDimension(value, kSetAttribute);
    } else if (name.CompareNoCase(L"yInterval") == 0) {
        m_yInterval = ReadDimension(value, kSetAttribute);
    } else if (name.CompareNoCase(L"interval") == 0) {
        m_xInterval = m_yInterval = ReadDimension(value, kSetAttribute);
    } else if (name.CompareNoCase(L"xGravity") == 0) {
        m_xGravity = GridGravityByName(value);
    } else if (name.CompareNoCase(L"yGravity") == 0) {
        m_yGravity = GridGravityByName(value);
    } else if (name.CompareNoCase(L"gravity") == 0) {
        m_xGravity = m_yGravity = GridGravityByName(value);
    } else {
        return E_NOTIMPL;
    }
    return S_OK;
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
