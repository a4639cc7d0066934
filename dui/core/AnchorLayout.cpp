#include "dui/core/AnchorLayout.h"

#include "dui/core/SDefaultLayout.h"

#include "dui/core/SWindow.h"

namespace DUI {

ILayout* NewDefaultLayout()
{
    return new AnchorLayout();
}

void AnchorLayout::Collect(SWindow* window)
{
    m_children.Collect(window);
    m_records.clear();
    for (size_t i = 0; i < m_children.Count(); ++i) {
        SWindow* child = m_children.At(i);
        m_records.push_back({DataOf(child->GetLayoutParam()), child->GetID()});
    }
}

void AnchorLayout::LayoutChildren(SWindow* window)
{
    Collect(window);
    if (m_records.empty()) return;
    RECT area;
    window->GetChildArea(&area);
    CalcAnchorPositions(m_records.data(), m_records.size(), area.right - area.left, area.bottom - area.top,
                        window->GetScale(), m_children);
    for (size_t i = 0; i < m_records.size(); ++i) {
        RECT rc = m_records[i].rc;
        OffsetRect(&rc, area.left, area.top);
        m_children.Place(i, rc);
    }
}

SIZE AnchorLayout::MeasureChildren(SWindow* window, int width, int height)
{
    Collect(window);
    CalcAnchorPositions(m_records.data(), m_records.size(), width, height, window->GetScale(), m_children);
    return AnchorChildrenExtent(m_records.data(), m_records.size(), window->GetScale());
}

} // namespace DUI
