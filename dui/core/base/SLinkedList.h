#pragma once
// Doubly linked list whose nodes come from blocks of ten and are recycled.
// Callers that call out while walking copy the list first (AppendTo).
#include "dui/core/base/SNodeBlocks.h"

#include <cstdint>
#include <new>

namespace DUI {

template <class T>
class SLinkedList
{
public:
    struct Node
    {
        Node* m_pNext;
        Node* m_pPrev;
        T m_value;
    };
    using Position = Node*;

    explicit SLinkedList(int blockSize = 10) : m_nodes(blockSize) {}
    SLinkedList(const SLinkedList&) = delete;
    SLinkedList& operator=(const SLinkedList&) = delete;
    ~SLinkedList() { RemoveAll(); }

    uint64_t GetCount() const { return m_nCount; }
    bool IsEmpty() const { return m_nCount == 0; }
    Position GetHeadPosition() const { return m_pHead; }
    Position GetTailPosition() const { return m_pTail; }
    T& GetAt(Position pos) { return pos->m_value; }
    const T& GetAt(Position pos) const { return pos->m_value; }
    // Returns the value at pos and moves pos on to the next node.
    T& GetNext(Position& pos)
    {
        Node* n = pos;
        pos = n->m_pNext;
        return n->m_value;
    }

    // Null only when a new node block cannot be allocated.
    Position AddTail(const T& value)
    {
        Node* n = NewNode(value, m_pTail, nullptr);
        if (!n)
            return nullptr;
        if (m_pTail)
            m_pTail->m_pNext = n;
        else
            m_pHead = n;
        m_pTail = n;
        return n;
    }

    Position Find(const T& value) const
    {
        for (Node* n = m_pHead; n; n = n->m_pNext)
            if (n->m_value == value)
                return n;
        return nullptr;
    }

    void RemoveAt(Position pos)
    {
        if (pos == m_pHead)
            m_pHead = pos->m_pNext;
        else
            pos->m_pPrev->m_pNext = pos->m_pNext;
        if (pos == m_pTail)
            m_pTail = pos->m_pPrev;
        else
            pos->m_pNext->m_pPrev = pos->m_pPrev;
        FreeNode(pos);
        if (m_nCount == 0)
            RemoveAll();
    }

    void RemoveAll()
    {
        for (Node* n = m_pHead; n;) {
            Node* next = n->m_pNext;
            n->m_value.~T();
            n = next;
        }
        m_nodes.FreeAll();
        m_pHead = m_pTail = nullptr;
        m_nCount = 0;
    }

    // Adds a copy of every value, head to tail, at the destination's tail.
    void AppendTo(SLinkedList& dest) const
    {
        for (Node* n = m_pHead; n; n = n->m_pNext)
            dest.AddTail(n->m_value);
    }

    Node* NewNode(const T& value, Node* prev, Node* next)
    {
        Node* n = m_nodes.Take();
        if (!n)
            return nullptr;
        new (&n->m_value) T(value);
        n->m_pPrev = prev;
        n->m_pNext = next;
        ++m_nCount;
        return n;
    }

private:
    void FreeNode(Node* n)
    {
        n->m_value.~T();
        m_nodes.Give(n);
        --m_nCount;
    }

    Node* m_pHead = nullptr;
    Node* m_pTail = nullptr;
    uint64_t m_nCount = 0;
    SNodeBlocks<Node> m_nodes;
};

} // namespace DUI
