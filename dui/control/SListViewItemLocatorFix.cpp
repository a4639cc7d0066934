#include "dui/control/SListViewItemLocatorFix.h"

#include <algorithm>
#include <climits>

namespace DUI {

namespace {

// Positions are ints; a product that does not fit stops at the largest.
int ClampToInt(long long v)
{
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

} // namespace

SListViewItemLocatorFix::SListViewItemLocatorFix(const SLayoutSize& height, const SLayoutSize& divider)
    : m_height(height), m_divider(divider)
{
}

void SListViewItemLocatorFix::SetAdapter(ILvAdapter* adapter)
{
    if (adapter != m_adapter.Get())
        m_adapter = SRefPtr<ILvAdapter>::Share(adapter);
}

int SListViewItemLocatorFix::Height() const
{
    return std::max(m_height.ToPixel(m_scale), 0);
}

int SListViewItemLocatorFix::Count() const
{
    return m_adapter ? std::max(m_adapter->GetCount(), 0) : 0;
}

int SListViewItemLocatorFix::GetItemHeight(int) const
{
    return Height();
}

int SListViewItemLocatorFix::GetScrollLineSize() const
{
    return Height() + GetDividerSize();
}

int SListViewItemLocatorFix::GetDividerSize() const
{
    return std::max(m_divider.ToPixel(m_scale), 0);
}

int SListViewItemLocatorFix::GetTotalHeight()
{
    const int n = Count();
    if (n == 0)
        return 0;
    return ClampToInt(static_cast<long long>(n) * GetScrollLineSize() - GetDividerSize());
}

int SListViewItemLocatorFix::Item2Position(int row)
{
    return ClampToInt(static_cast<long long>(row) * GetScrollLineSize());
}

int SListViewItemLocatorFix::Position2Item(int position)
{
    if (!m_adapter)
        return -1;
    const int line = GetScrollLineSize();
    if (line <= 0)
        return 0;
    return std::clamp(position / line, 0, Count());
}

} // namespace DUI
