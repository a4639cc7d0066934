#include "dui/core/SLayoutChildren.h"

#include "dui/core/SRefPtr.h"
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
    const SRefPtr<ILayoutParam> saved = SRefPtr<ILayoutParam>::Adopt(param->Clone());
    param->SetSpecifiedSize(orientation, SLayoutSize(static_cast<float>(mainPixels), SLayoutSize::px));
    if (crossWrap) param->SetWrapContent(1 - orientation);
    const SIZE size = child->MeasureDesiredSize(width, height);
    child->SetLayoutParam(saved.Get());
    return size;
}

} // namespace DUI
