#pragma once
// Rows of one height: every position is a multiplication away.
#include "dui/control/IListViewItemLocator.h"
#include "dui/core/base/SLayoutSize.h"
#include "dui/core/base/SRefPtr.h"
#include "dui/core/base/TObjRefImpl.h"

namespace DUI {

class SListViewItemLocatorFix : public TObjRefImpl<IListViewItemLocator>
{
public:
    SListViewItemLocatorFix(const SLayoutSize& height, const SLayoutSize& divider);

    void SetAdapter(ILvAdapter* adapter) override;
    void OnDataSetChanged() override {}
    BOOL IsFixHeight() const override { return TRUE; }
    int GetItemHeight(int row) const override;
    void SetItemHeight(int, int) override {}
    int GetTotalHeight() override;
    int Item2Position(int row) override;
    int Position2Item(int position) override;
    int GetScrollLineSize() const override;
    int GetDividerSize() const override;
    void SetScale(int scale) override { m_scale = scale; }

private:
    int Height() const;
    int Count() const;

    SLayoutSize m_height;
    SLayoutSize m_divider;
    int m_scale = 100;
    SRefPtr<ILvAdapter> m_adapter;
};

} // namespace DUI
