#include "dui/core/SLayoutChildren.h"

#include "dui/core/SWindow.h"

namespace DUI {

void SLayoutChildren::Collect(const SWindow* parent)
{
    m_windows.clear();
    m_swnds.clear();
    for (SWindow* child = parent->GetNextLayoutChild(nullptr); child; child = parent->GetNextLayoutChild(child)) {
        m_windows.push_back(child);
        m_swnds.push_back(child->GetSwnd());
    }
}

void SLayoutChildren::Place(size_t index, const RECT& rc) const
{
    const SWindowMgr* windows = SWindowMgr::GetInstance();
    SWindow* child = windows ? windows->GetWindow(m_swnds[index]) : m_windows[index];
    if (child) child->OnRectChanged(rc);
}

SIZE SLayoutChildren::MeasureChild(size_t index, int width, int height)
{
    return m_windows[index]->MeasureDesiredSize(width, height);
}

SIZE SLayoutChildren::MeasureChildFixed(size_t index, int orientation, int mainPixels, bool crossWrap)
{
    SWindow* child = m_windows[index];
    const int width = orientation == Horz ? mainPixels : -1;
    const int height = orientation == Vert ? mainPixels : -1;
    ILayoutParam* param = child->GetLayoutParam();
    if (!param) return child->MeasureDesiredSize(width, height);
    // The two sizes are kept aside and put back rather than the whole
    // parameter copied: a pass then allocates nothing for it.
    const int cross = 1 - orientation;
    const SLayoutSize mainSize = param->GetSpecifiedSize(orientation), crossSize = param->GetSpecifiedSize(cross);
    param->SetSpecifiedSize(orientation, SLayoutSize(static_cast<float>(mainPixels), SLayoutSize::px));
    if (crossWrap) param->SetWrapContent(cross);
    const SIZE size = child->MeasureDesiredSize(width, height);
    param->SetSpecifiedSize(orientation, mainSize);
    param->SetSpecifiedSize(cross, crossSize);
    // Tells the child its parameter is its own again.
    child->SetLayoutParam(param);
    return size;
}

} // namespace DUI
