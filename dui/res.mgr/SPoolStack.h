#pragma once
// A stack of reference-counted pools, oldest first, each entry holding one
// reference: the style, template and skin stacks ask the newest pool first.
#include "dui/core/base/SLinkedList.h"

namespace DUI {

template <class Pool>
class SPoolStack
{
public:
    SPoolStack() = default;
    SPoolStack(const SPoolStack&) = delete;
    SPoolStack& operator=(const SPoolStack&) = delete;
    virtual ~SPoolStack() { RemoveAll(); }

    void PushPool(Pool* pool)
    {
        if (!pool) return;
        pool->AddRef();
        m_pools.AddTail(pool);
    }

    // With a pool: its oldest entry; with NULL: the newest entry. Returns the
    // removed pool, which the release may have freed (compare it only).
    Pool* PopPool(Pool* pool)
    {
        auto pos = pool ? m_pools.GetHeadPosition() : m_pools.GetTailPosition();
        while (pos && pool && m_pools.GetAt(pos) != pool) pos = pos->m_pNext;
        if (!pos) return nullptr;
        Pool* removed = m_pools.GetAt(pos);
        m_pools.RemoveAt(pos);
        removed->Release();
        return removed;
    }

    // Asks the pools from the newest to the oldest until `ask` returns true.
    template <class Ask>
    void AskNewestFirst(Ask ask) const
    {
        for (auto pos = m_pools.GetTailPosition(); pos; pos = pos->m_pPrev)
            if (ask(m_pools.GetAt(pos))) return;
    }

    size_t GetCount() const { return static_cast<size_t>(m_pools.GetCount()); }

protected:
    void RemoveAll()
    {
        for (auto pos = m_pools.GetHeadPosition(); pos;) m_pools.GetNext(pos)->Release();
        m_pools.RemoveAll();
    }

private:
    SLinkedList<Pool*> m_pools;
};

} // namespace DUI
