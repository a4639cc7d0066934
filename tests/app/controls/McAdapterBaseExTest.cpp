// The selection the file lists' adapter keeps: ranges, anchors, toggles,
// the marker of a gesture that began outside every row, drops and what the
// observers are told.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/controls/SMcAdapterBaseEx.h"

namespace {

using namespace DUI;

class TenRows : public SMcAdapterBaseEx
{
public:
    int count = 10;
    std::function<bool(int, SLinkedList<int>&)> move;
    std::vector<int> moveAskedAt;

    int GetCount() override { return count; }
    void GetView(int, SItemPanel*, xmldom::xml_node) override {}
    SStringW GetColumnName(int) override { return SStringW(); }
    bool OnSort(int, UINT*, int) override { return false; }
    bool MoveSelectedItems(int row, SLinkedList<int>& selection) override
    {
        moveAskedAt.push_back(row);
        return move ? move(row, selection) : false;
    }
};

class Notes : public TObjRefImpl<ILvDataSetObserver>
{
public:
    int invalidated = 0, other = 0;
    void OnChanged() override { ++other; }
    void OnInvalidated() override { ++invalidated; }
    void OnItemChanged(int) override { ++other; }
};

std::vector<int> Items(SMcAdapterBaseEx& a)
{
    std::vector<int> out;
    const SLinkedList<int>& list = a.GetSelection();
    for (auto pos = list.GetHeadPosition(); pos; pos = pos->m_pNext)
        out.push_back(pos->m_value);
    return out;
}

using Step = std::function<void(TenRows&)>;

TEST(McAdapterBaseExTest, SelectionOperationsFromTheirTable)
{
    struct Case
    {
        const char* name;
        std::vector<Step> steps;
        std::vector<int> selection;
        int notices;
    };
    auto only = [](int r) { return Step([r](TenRows& a) { a.SelectOnly(r); }); };
    auto range = [](int r) { return Step([r](TenRows& a) { a.SelectRangeToLast(r); }); };
    auto anchor = [](int r) { return Step([r](TenRows& a) { a.SetAnchor(r); }); };
    auto extend = [](int r) { return Step([r](TenRows& a) { a.ExtendSelection(r); }); };
    auto toggle = [](int r) { return Step([r](TenRows& a) { a.ToggleSelect(r); }); };
    const Case cases[] = {
        {"a range up from 2", {only(2), range(5)}, {2, 3, 4, 5}, 2},
        {"a range down from 9", {only(9), range(5)}, {9, 8, 7, 6, 5}, 2},
        {"a range to the same row", {only(4), range(4)}, {4}, 2},
        {"a range from the last toggled", {only(1), toggle(7), range(5)}, {7, 6, 5}, 2},
        {"a range without a selection", {range(5)}, {}, 0},
        {"anchored outside the rows, extended up to 3", {anchor(-1), extend(3)}, {9, 8, 7, 6, 5, 4, 3}, 2},
        {"anchored outside the rows, extended to the last", {anchor(-1), extend(9)}, {9}, 2},
        {"anchored outside the rows, extended past the last", {anchor(-1), extend(12)}, {12}, 2},
        {"anchored at 4, extended to 1", {anchor(4), extend(1)}, {4, 3, 2, 1}, 2},
        {"anchored at 4, extended to 1 then 6", {anchor(4), extend(1), extend(6)}, {4, 5, 6}, 3},
        {"extending to -1 does nothing", {anchor(4), extend(-1)}, {4}, 1},
        {"extending an empty selection does nothing", {extend(3)}, {}, 0},
        {"a toggle twice", {only(1), toggle(3), toggle(3)}, {1}, 1},
        {"clearing tells no one", {only(1), Step([](TenRows& a) { a.ClearSelection(); })}, {}, 1},
        {"only the marker", {only(-1)}, {-1}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto adapter = SRefPtr<TenRows>::Adopt(new TenRows());
        auto notes = SRefPtr<Notes>::Adopt(new Notes());
        adapter->RegisterObserver(notes.Get());
        for (const Step& step : c.steps)
            step(*adapter);
        EXPECT_EQ(Items(*adapter), c.selection);
        EXPECT_EQ(notes->invalidated, c.notices);
        EXPECT_EQ(notes->other, 0);
        for (int row = -1; row < 13; ++row) {
            const bool in = std::find(c.selection.begin(), c.selection.end(), row) != c.selection.end();
            EXPECT_EQ(adapter->IsSelected(row), in) << row;
        }
    }
}

TEST(McAdapterBaseExTest, DropsMoveThroughTheDerivedAdapterAndTellOnlyWhenItMoved)
{
    auto adapter = SRefPtr<TenRows>::Adopt(new TenRows());
    auto notes = SRefPtr<Notes>::Adopt(new Notes());
    adapter->RegisterObserver(notes.Get());
    adapter->SetAnchor(2);
    adapter->ExtendSelection(3);   // [2, 3]
    const int before = notes->invalidated;

    adapter->DropSelectionAt(3);   // onto a selected row
    adapter->DropSelectionAt(-1);
    EXPECT_TRUE(adapter->moveAskedAt.empty());
    adapter->DropSelectionAt(7);   // the adapter refuses
    EXPECT_EQ(adapter->moveAskedAt, std::vector<int>{7});
    EXPECT_EQ(notes->invalidated, before);

    // Moved to the insertion place 7: rows 2 and 3 become 5 and 6, written
    // into the list in place; the lookup follows.
    adapter->move = [](int row, SLinkedList<int>& selection) {
        int at = row - static_cast<int>(selection.GetCount());
        for (auto pos = selection.GetHeadPosition(); pos; pos = pos->m_pNext)
            pos->m_value = at++;
        return true;
    };
    adapter->DropSelectionAt(7);
    EXPECT_EQ(notes->invalidated, before + 1);
    EXPECT_EQ(Items(*adapter), (std::vector<int>{5, 6}));
    EXPECT_TRUE(adapter->IsSelected(5));
    EXPECT_FALSE(adapter->IsSelected(2));

    // A holder of the list may rewrite it too.
    adapter->GetSelection().GetAt(adapter->GetSelection().GetHeadPosition()) = 1;
    EXPECT_TRUE(adapter->IsSelected(1));
    EXPECT_FALSE(adapter->IsSelected(5));
}

TEST(McAdapterBaseExTest, EveryRowSelectedIsLookedUpWithoutWalkingTheList)
{
    auto adapter = SRefPtr<TenRows>::Adopt(new TenRows());
    adapter->count = 1000000;
    adapter->SelectOnly(0);
    adapter->SelectRangeToLast(999999);
    EXPECT_EQ(adapter->GetSelection().GetCount(), 1000000u);
    int found = 0;
    for (int i = 0; i < 1000000; i += 7)
        found += adapter->IsSelected(i);
    EXPECT_EQ(found, (1000000 + 6) / 7);
    EXPECT_FALSE(adapter->IsSelected(1000000));
}

} // namespace
