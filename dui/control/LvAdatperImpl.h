#pragma once
// The defaults every adapter shares: the observer list (one entry and one
// reference per observer, notices in registration order) and the answers an
// adapter need not give itself. `SAdapterBase` is what single-column
// adapters derive from.
#include <vector>

#include "dui/control/ILvAdapter.h"
#include "dui/control/SItemPanel.h"
#include "dui/core/base/SLinkedList.h"
#include "dui/core/base/TObjRefImpl.h"

namespace DUI {

template <class I>
class LvAdatperImpl : public I
{
public:
    LvAdatperImpl() = default;
    LvAdatperImpl(const LvAdatperImpl&) = delete;
    LvAdatperImpl& operator=(const LvAdatperImpl&) = delete;

    // Releases every observer still registered, head to tail.
    ~LvAdatperImpl()
    {
        for (auto pos = m_observers.GetHeadPosition(); pos; pos = pos->m_pNext)
            pos->m_value->Release();
        m_observers.RemoveAll();
    }

    void RegisterObserver(ILvDataSetObserver* observer) override
    {
        if (!observer || m_observers.Find(observer))
            return;
        if (m_observers.AddTail(observer))
            observer->AddRef();
    }

    void UnregisterObserver(ILvDataSetObserver* observer) override
    {
        auto pos = m_observers.Find(observer);
        if (!pos)
            return;
        m_observers.RemoveAt(pos);
        observer->Release();
    }

    void NotifyDataSetChanged()
    {
        Notify([](ILvDataSetObserver* o) { o->OnChanged(); });
    }
    void NotifyInvalidated()
    {
        Notify([](ILvDataSetObserver* o) { o->OnInvalidated(); });
    }
    void NotifyItemDataChanged(int index)
    {
        Notify([index](ILvDataSetObserver* o) { o->OnItemChanged(index); });
    }

    int GetItemViewTypeEx(int position, DWORD) override { return GetItemViewType(position); }
    int GetViewTypeCount() override { return 1; }
    SIZE GetViewDesiredSize(int, SItemPanel* item, const RECT& rcParent) override
    {
        return item->MeasureContent(rcParent.right - rcParent.left, rcParent.bottom - rcParent.top);
    }
    bool IsEmpty() override { return this->GetCount() < 1; }
    ULONGLONG GetItemData(int) override { return 0; }
    SStringW GetItemDesc(int) override { return SStringW(); }
    void InitByTemplate(xmldom::xml_node) override {}

    virtual int GetItemId(int position) { return position; }
    virtual int GetItemViewType(int) { return 0; }

    size_t GetObserverCount() const { return static_cast<size_t>(m_observers.GetCount()); }

private:
    // An observer may unregister itself or another one from inside its
    // notice, so the walk goes over a copy, each held by a reference, and
    // skips those that are no longer registered.
    template <class Fn>
    void Notify(Fn notice)
    {
        std::vector<ILvDataSetObserver*> copy;
        copy.reserve(GetObserverCount());
        for (auto pos = m_observers.GetHeadPosition(); pos; pos = pos->m_pNext) {
            pos->m_value->AddRef();
            copy.push_back(pos->m_value);
        }
        for (ILvDataSetObserver* o : copy) {
            if (m_observers.Find(o))
                notice(o);
        }
        for (ILvDataSetObserver* o : copy)
            o->Release();
    }

    SLinkedList<ILvDataSetObserver*> m_observers;
};

class SAdapterBase : public TObjRefImpl<LvAdatperImpl<ILvAdapter>>
{
};

} // namespace DUI
