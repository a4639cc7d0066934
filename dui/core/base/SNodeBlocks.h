#pragma once
// Node storage shared by the hash table and the linked list: nodes are carved
// from blocks (each block starts with the link to the next block) and
// recycled through a free list linked by the nodes' m_pNext field.
#include "xml/MemWrapper.h"

namespace DUI {

template <class Node>
class SNodeBlocks
{
public:
    explicit SNodeBlocks(int blockSize) : m_nBlockSize(blockSize > 0 ? blockSize : 10) {}
    SNodeBlocks(const SNodeBlocks&) = delete;
    SNodeBlocks& operator=(const SNodeBlocks&) = delete;
    ~SNodeBlocks() { FreeAll(); }

    // Raw storage for one node; null when a new block cannot be allocated.
    Node* Take()
    {
        if (!m_pFree && !AddBlock())
            return nullptr;
        Node* n = m_pFree;
        m_pFree = n->m_pNext;
        return n;
    }
    void Give(Node* n)
    {
        n->m_pNext = m_pFree;
        m_pFree = n;
    }
    void FreeAll()
    {
        m_pFree = nullptr;
        while (m_pBlocks) {
            void** next = static_cast<void**>(*m_pBlocks);
            MemFree(m_pBlocks);
            m_pBlocks = next;
        }
    }
    bool HasBlocks() const { return m_pBlocks != nullptr; }

private:
    // The block's first node is handed out first.
    bool AddBlock()
    {
        size_t bytes = sizeof(void*) + sizeof(Node) * static_cast<size_t>(m_nBlockSize);
        void** block = static_cast<void**>(MemMalloc(bytes));
        if (!block)
            return false;
        *block = m_pBlocks;
        m_pBlocks = block;
        Node* nodes = reinterpret_cast<Node*>(block + 1);
        for (int i = m_nBlockSize - 1; i >= 0; --i)
            Give(&nodes[i]);
        return true;
    }

    void** m_pBlocks = nullptr;
    Node* m_pFree = nullptr;
    int m_nBlockSize;
};

} // namespace DUI
