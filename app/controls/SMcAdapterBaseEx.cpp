#include "app/controls/SMcAdapterBaseEx.h"

namespace DUI {

SMcAdapterBaseEx::~SMcAdapterBaseEx()
{
    Empty();
}

void SMcAdapterBaseEx::Append(int row)
{
    if (m_selection.AddTail(row))
        ++m_index[row];
}

void SMcAdapterBaseEx::Empty()
{
    m_selection.RemoveAll();
    m_index.clear();
    m_indexStale = false;
}

void SMcAdapterBaseEx::AppendRun(int from, int to)
{
    const int step = to < from ? -1 : 1;
    for (long long r = from;; r += step) {
        Append(static_cast<int>(r));
        if (r == to)
            break;
    }
}

void SMcAdapterBaseEx::RebuildIndex()
{
    m_index.clear();
    for (auto pos = m_selection.GetHeadPosition(); pos; pos = pos->m_pNext)
        ++m_index[pos->m_value];
    m_indexStale = false;
}

SLinkedList<int>& SMcAdapterBaseEx::GetSelection()
{
    m_indexStale = true;
    return m_selection;
}

bool SMcAdapterBaseEx::IsSelected(int row)
{
    if (m_indexStale)
        RebuildIndex();
    return m_index.count(row) != 0;
}

void SMcAdapterBaseEx::ToggleSelect(int row)
{
    if (m_indexStale)
        RebuildIndex();
    if (auto pos = m_selection.Find(row)) {
        m_selection.RemoveAt(pos);
        if (--m_index[row] == 0)
            m_index.erase(row);
        return;
    }
    Append(row);
}

void SMcAdapterBaseEx::SelectRangeToLast(int row)
{
    if (m_selection.IsEmpty())
        return;
    const int last = m_selection.GetAt(m_selection.GetTailPosition());
    Empty();
    AppendRun(last, row);
    NotifyInvalidated();
}

void SMcAdapterBaseEx::ClearSelection()
{
    Empty();
}

void SMcAdapterBaseEx::SelectOnly(int row)
{
    Empty();
    Append(row);
    NotifyInvalidated();
}

void SMcAdapterBaseEx::SetAnchor(int row)
{
    m_anchor = row;
    Empty();
    Append(row);
    NotifyInvalidated();
}

void SMcAdapterBaseEx::ExtendSelection(int row)
{
    if (row == -1 || m_selection.IsEmpty())
        return;
    int& head = m_selection.GetAt(m_selection.GetHeadPosition());
    if (head == -1) {
        const int last = GetCount() - 1;
        if (row >= last) {
            head = row;
            RebuildIndex();
            NotifyInvalidated();
            return;
        }
        head = last;
    }
    const int start = m_anchor == -1 ? head : m_anchor;
    Empty();
    AppendRun(start, row);
    NotifyInvalidated();
}

void SMcAdapterBaseEx::DropSelectionAt(int row)
{
    if (row == -1 || IsSelected(row))
        return;
    const bool moved = MoveSelectedItems(row, m_selection);
    RebuildIndex();
    if (moved)
        NotifyInvalidated();
}

} // namespace DUI
