#pragma once
// The base of the file lists' adapters: a multi-column adapter that keeps
// the selection as an ordered list of rows (the marker -1 standing for a
// gesture that began outside every row) and the anchor of a drag selection.
// Selection changes are told to the observers as "invalidated": the view
// refills its rows once, at its next paint.
#include <unordered_map>

#include "app/controls/IMcAdapterEx.h"
#include "dui/control/LvAdatperImpl.h"

namespace DUI {

class SMcAdapterBaseEx : public TObjRefImpl<LvAdatperImpl<IMcAdapterEx>>
{
public:
    SMcAdapterBaseEx() = default;
    ~SMcAdapterBaseEx() override;

    void ToggleSelect(int row) override;
    void SelectRangeToLast(int row) override;
    void ClearSelection() override;
    void SelectOnly(int row) override;
    bool IsSelected(int row) override;
    void SetAnchor(int row) override;
    void ExtendSelection(int row) override;
    bool IsColumnVisible(int) override { return true; }
    void OnSelectionChanged() override {}
    void DropSelectionAt(int row) override;
    SLinkedList<int>& GetSelection() override;

    int GetAnchor() const { return m_anchor; }

private:
    void Append(int row);
    void Empty();
    // Every row from `from` to `to` inclusive, stepping towards `to`.
    void AppendRun(int from, int to);
    void RebuildIndex();

    SLinkedList<int> m_selection;
    int m_anchor = -1;
    // How often each row stands in the list: the list is searched for every
    // row painted, and with every row selected a walk from the head would
    // cost the whole list each time. Rebuilt after the list was handed out,
    // since its holder may rewrite values in place.
    std::unordered_map<int, int> m_index;
    bool m_indexStale = false;
};

} // namespace DUI
