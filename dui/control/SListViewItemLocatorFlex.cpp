#include "dui/control/SListViewItemLocatorFlex.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace DUI {

namespace {

int ClampToInt(long long v)
{
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

} // namespace

SListViewItemLocatorFlex::SListViewItemLocatorFlex(const SLayoutSize& defHeight, const SLayoutSize& divider)
    : m_defHeight(defHeight), m_divider(divider)
{
}

void SListViewItemLocatorFlex::SetAdapter(ILvAdapter* adapter)
{
    if (adapter != m_adapter.Get())
        m_adapter = SRefPtr<ILvAdapter>::Share(adapter);
    OnDataSetChanged();
}

void SListViewItemLocatorFlex::SetScale(int scale)
{
    m_scale = scale;
    OnDataSetChanged();
}

int SListViewItemLocatorFlex::GetScrollLineSize() const
{
    return std::max(m_defHeight.ToPixel(m_scale), 0) + GetDividerSize();
}

int SListViewItemLocatorFlex::GetDividerSize() const
{
    return std::max(m_divider.ToPixel(m_scale), 0);
}

// Capacity C = 50 x 10^k, k the smallest integer not below log10 of the
// number of segments: every level splits into tenths, the leaves hold 50.
void SListViewItemLocatorFlex::OnDataSetChanged()
{
    m_tree.DeleteAllItems();
    m_segments.clear();
    if (!m_adapter)
        return;
    const int n = std::max(m_adapter->GetCount(), 0);
    const int g = (n + kSegmentRows - 1) / kSegmentRows;
    const int k = n == 0 ? 0 : static_cast<int>(std::ceil(std::log(static_cast<double>(g)) / std::log(10.0)));
    long long capacity = kSegmentRows;
    for (int i = 0; i < k; ++i)
        capacity *= 10;
    m_segments.reserve(static_cast<size_t>(g));
    BuildBranch(nullptr, n, capacity);
}

void SListViewItemLocatorFlex::BuildBranch(Tree::Handle parent, int rows, long long capacity)
{
    const long long line = GetScrollLineSize();
    Tree::Handle node = m_tree.InsertItem(BranchInfo{rows * line, rows, -1}, parent);
    if (rows <= kSegmentRows) {
        Tree::GetItem(node).segment = static_cast<int>(m_segments.size());
        m_segments.push_back(Segment{node, std::vector<int>(static_cast<size_t>(rows), -1)});
        return;
    }
    const long long part = capacity / 10;
    for (long long done = 0; done < rows; done += part)
        BuildBranch(node, static_cast<int>(std::min<long long>(part, rows - done)), part);
}

int SListViewItemLocatorFlex::Stored(const Segment& seg, int place) const
{
    const int h = seg.heights[static_cast<size_t>(place)];
    return h == -1 ? GetScrollLineSize() : h;
}

long long SListViewItemLocatorFlex::TotalStored() const
{
    Tree::Handle top = m_tree.GetRootItem();
    return top ? Tree::GetItem(top).height : 0;
}

int SListViewItemLocatorFlex::GetItemHeight(int row) const
{
    if (!m_adapter)
        return 0;
    const size_t s = static_cast<size_t>(row / kSegmentRows);
    if (row < 0 || s >= m_segments.size() || row % kSegmentRows >= static_cast<int>(m_segments[s].heights.size()))
        return GetScrollLineSize() - GetDividerSize();
    return Stored(m_segments[s], row % kSegmentRows) - GetDividerSize();
}

void SListViewItemLocatorFlex::SetItemHeight(int row, int height)
{
    if (!m_adapter || row < 0)
        return;
    const size_t s = static_cast<size_t>(row / kSegmentRows);
    const int place = row % kSegmentRows;
    if (s >= m_segments.size() || place >= static_cast<int>(m_segments[s].heights.size()))
        return;
    Segment& seg = m_segments[s];
    const int stored = ClampToInt(static_cast<long long>(std::max(height, 0)) + GetDividerSize());
    const long long diff = static_cast<long long>(stored) - Stored(seg, place);
    seg.heights[static_cast<size_t>(place)] = stored;
    if (diff == 0)
        return;
    for (Tree::Handle n = seg.node; n; n = Tree::GetParentItem(n))
        Tree::GetItem(n).height += diff;
}

int SListViewItemLocatorFlex::GetTotalHeight()
{
    if (!m_adapter)
        return 0;
    const long long total = TotalStored();
    return ClampToInt(m_segments.empty() || Tree::GetItem(m_tree.GetRootItem()).size == 0
                          ? total
                          : total - GetDividerSize());
}

int SListViewItemLocatorFlex::Item2Position(int row)
{
    if (!m_adapter || row < 0)
        return 0;
    const size_t s = static_cast<size_t>(row / kSegmentRows);
    if (s >= m_segments.size())
        return GetTotalHeight();
    const Segment& seg = m_segments[s];
    long long pos = 0;
    for (Tree::Handle n = seg.node; n; n = Tree::GetParentItem(n)) {
        for (Tree::Handle p = Tree::GetPrevSiblingItem(n); p; p = Tree::GetPrevSiblingItem(p))
            pos += Tree::GetItem(p).height;
    }
    const int place = std::min(row % kSegmentRows, static_cast<int>(seg.heights.size()));
    for (int j = 0; j < place; ++j)
        pos += Stored(seg, j);
    return ClampToInt(pos);
}

// A position on the border between two rows belongs to the upper one.
int SListViewItemLocatorFlex::Position2Item(int position)
{
    if (!m_adapter || position < 0 || position >= GetTotalHeight())
        return -1;
    Tree::Handle node = m_tree.GetRootItem();
    long long rest = position;
    int firstRow = 0;
    while (node && Tree::GetChildItem(node)) {
        Tree::Handle child = Tree::GetChildItem(node);
        while (child && Tree::GetItem(child).height < rest) {
            rest -= Tree::GetItem(child).height;
            firstRow += Tree::GetItem(child).size;
            child = Tree::GetNextSiblingItem(child);
        }
        node = child;
    }
    if (!node || Tree::GetItem(node).segment < 0)
        return -1;
    const Segment& seg = m_segments[static_cast<size_t>(Tree::GetItem(node).segment)];
    for (int j = 0; j < static_cast<int>(seg.heights.size()); ++j) {
        if (Stored(seg, j) >= rest)
            return firstRow + j;
        rest -= Stored(seg, j);
    }
    return -1;
}

} // namespace DUI
