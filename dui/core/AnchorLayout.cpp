#include "dui/core/AnchorLayout.h"

#include "dui/core/SWindow.h"

namespace DUI {

namespace {

// What a child whose parameter belongs to another layout is placed by.
const AnchorLayoutParamStruct kDefaultParam;

} // namespace

BOOL AnchorLayout::IsParamAcceptable(ILayoutParam* param) const
{
    return param && param->IsKindOf(AnchorLayoutParam::GetClassTagStatic());
}

void AnchorLayout::Collect(SWindow* window)
{
    m_children.Collect(window);
    m_records.clear();
    for (size_t i = 0; i < m_children.Count(); ++i) {
        ILayoutParam* param = m_children.At(i)->GetLayoutParam();
        const auto* data = IsParamAcceptable(param) ? static_cast<const AnchorLayoutParamStruct*>(param->GetRawData())
                                                    : &kDefaultParam;
        m_records.push_back({data, m_children.At(i)->GetID()});
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
