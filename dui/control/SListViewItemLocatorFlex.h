#pragma once
// Rows of their own heights. Heights are kept in segments of 50 rows under
// a tree of branch sums, so a position is found in logarithmic steps; a row
// never measured counts one line (default height plus divider).
#include <vector>

#include "dui/control/IListViewItemLocator.h"
#include "dui/core/base/CSTree.h"
#include "dui/core/base/SLayoutSize.h"
#include "dui/core/base/SRefPtr.h"
#include "dui/core/base/TObjRefImpl.h"

namespace DUI {

class SListViewItemLocatorFlex : public TObjRefImpl<IListViewItemLocator>
{
public:
    static constexpr int kSegmentRows = 50;

    struct BranchInfo
    {
        long long height = 0;   // the stored heights of every row below
        int size = 0;           // the rows below
        int segment = -1;       // a leaf's segment, -1 for a branch
    };
    using Tree = CSTree<BranchInfo>;

    SListViewItemLocatorFlex(const SLayoutSize& defHeight, const SLayoutSize& divider);

    void SetAdapter(ILvAdapter* adapter) override;
    void OnDataSetChanged() override;
    BOOL IsFixHeight() const override { return FALSE; }
    int GetItemHeight(int row) const override;
    void SetItemHeight(int row, int height) override;
    int GetTotalHeight() override;
    int Item2Position(int row) override;
    int Position2Item(int position) override;
    int GetScrollLineSize() const override;
    int GetDividerSize() const override;
    void SetScale(int scale) override;

    const Tree& GetTree() const { return m_tree; }

private:
    struct Segment
    {
        Tree::Handle node;
        std::vector<int> heights;   // divider included; -1 not measured
    };

    void BuildBranch(Tree::Handle parent, int rows, long long capacity);
    // The stored height of a row with the line size for -1.
    int Stored(const Segment& seg, int place) const;
    long long TotalStored() const;

    SLayoutSize m_defHeight;
    SLayoutSize m_divider;
    int m_scale = 100;
    SRefPtr<ILvAdapter> m_adapter;
    Tree m_tree;
    std::vector<Segment> m_segments;
};

} // namespace DUI
