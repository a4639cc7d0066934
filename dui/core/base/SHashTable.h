#pragma once
// Chained hash table behind SCmnMap: prime bin counts, growth past 2.25
// entries per bin and shrinking below 0.25, nodes carved from blocks of ten
// and recycled through a free list so insert/remove cycles avoid the heap.
#include "xml/MemWrapper.h"
#include "dui/core/base/SHashKeyTraits.h"
#include "dui/core/base/SNodeBlocks.h"

#include <cstdint>
#include <cstring>
#include <new>

namespace DUI {

namespace HashTableSizes {
uint32_t PickSize(uint64_t count, float optimalLoad);
} // namespace HashTableSizes

template <class K, class V, class KeyTraits = SHashKeyTraits<K>>
class SHashTable
{
public:
    struct Node
    {
        K m_key;
        V m_value;
        Node* m_pNext;
        uint32_t m_nHash;
    };
    using Position = Node*;

    SHashTable() { UpdateThresholds(); }
    SHashTable(const SHashTable&) = delete;
    SHashTable& operator=(const SHashTable&) = delete;
    ~SHashTable() { RemoveAll(); }

    uint64_t GetCount() const { return m_nCount; }
    bool IsEmpty() const { return m_nCount == 0; }
    uint32_t GetBinCount() const { return m_nBins; }
    bool HasBins() const { return m_ppBins != nullptr; }
    bool HasNodeBlocks() const { return m_nodes.HasBlocks(); }
    uint64_t GetHighRehashCount() const { return m_nHiRehash; }
    uint64_t GetLowRehashCount() const { return m_nLoRehash; }

    Node* GetNode(const K& key, uint32_t& bin, uint32_t& hash, Node*& prev) const
    {
        hash = KeyTraits::Hash(key);
        bin = hash % m_nBins;
        prev = nullptr;
        if (!m_ppBins)
            return nullptr;
        for (Node* n = m_ppBins[bin]; n; prev = n, n = n->m_pNext)
            if (n->m_nHash == hash && KeyTraits::Equal(n->m_key, key))
                return n;
        return nullptr;
    }
    Node* Find(const K& key) const
    {
        uint32_t bin, hash;
        Node* prev;
        return GetNode(key, bin, hash, prev);
    }

    // Null only when memory for the bins or a node block runs out; the
    // table is then unchanged.
    Node* SetAt(const K& key, const V& value)
    {
        uint32_t bin, hash;
        Node* prev;
        if (Node* n = GetNode(key, bin, hash, prev)) {
            n->m_value = value;
            return n;
        }
        if (!m_ppBins && !InitHashTable(m_nBins, true))
            return nullptr;
        return NewNode(key, value, bin, hash);
    }

    bool RemoveKey(const K& key)
    {
        uint32_t bin, hash;
        Node* prev;
        Node* n = GetNode(key, bin, hash, prev);
        if (!n)
            return false;
        RemoveNode(n, prev, bin);
        return true;
    }

    void RemoveAll()
    {
        ++m_nLockCount;
        if (m_ppBins) {
            for (uint32_t i = 0; i < m_nBins; ++i) {
                Node* n = m_ppBins[i];
                m_ppBins[i] = nullptr;
                while (n) {
                    Node* next = n->m_pNext;
                    FreeNode(n);
                    n = next;
                }
            }
        }
        MemFree(m_ppBins);
        m_ppBins = nullptr;
        m_nCount = 0;
        m_nodes.FreeAll();
        --m_nLockCount;
    }

    Position GetStartPosition() const
    {
        return m_ppBins ? FirstFrom(0) : nullptr;
    }
    Position GetNext(Position pos) const
    {
        if (!pos)
            return nullptr;
        if (pos->m_pNext)
            return pos->m_pNext;
        return FirstFrom(pos->m_nHash % m_nBins + 1);
    }

    void Rehash(uint32_t n = 0)
    {
        if (n == 0)
            n = HashTableSizes::PickSize(m_nCount, m_fOptimalLoad);
        if (n == m_nBins)
            return;
        if (!m_ppBins) {
            m_nBins = n;
            UpdateThresholds();
            return;
        }
        Node** bins = static_cast<Node**>(MemCalloc(n, sizeof(Node*)));
        if (!bins)
            return; // stays correct at the old size, with longer chains
        for (uint32_t i = 0; i < m_nBins; ++i) {
            for (Node* node = m_ppBins[i]; node;) {
                Node* next = node->m_pNext;
                uint32_t to = node->m_nHash % n;
                node->m_pNext = bins[to];
                bins[to] = node;
                node = next;
            }
        }
        MemFree(m_ppBins);
        m_ppBins = bins;
        m_nBins = n;
        UpdateThresholds();
    }

    bool InitHashTable(uint32_t n, bool allocateNow)
    {
        if (m_ppBins) {
            MemFree(m_ppBins);
            m_ppBins = nullptr;
        }
        if (allocateNow) {
            m_ppBins = static_cast<Node**>(MemCalloc(n, sizeof(Node*)));
            if (!m_ppBins)
                return false;
        }
        m_nBins = n;
        UpdateThresholds();
        return true;
    }

    void DisableAutoRehash() { ++m_nLockCount; }
    void EnableAutoRehash() { --m_nLockCount; }

private:
    static const uint32_t kMinBins = 17;

    void UpdateThresholds()
    {
        m_nHiRehash = static_cast<uint64_t>(static_cast<float>(m_nBins) * m_fHiThreshold);
        m_nLoRehash = static_cast<uint64_t>(static_cast<float>(m_nBins) * m_fLoThreshold);
        if (m_nLoRehash < kMinBins)
            m_nLoRehash = 0;
    }

    Position FirstFrom(uint32_t bin) const
    {
        for (; bin < m_nBins; ++bin)
            if (m_ppBins[bin])
                return m_ppBins[bin];
        return nullptr;
    }

    Node* NewNode(const K& key, const V& value, uint32_t bin, uint32_t hash)
    {
        Node* n = m_nodes.Take();
        if (!n)
            return nullptr;
        new (&n->m_key) K(key);
        new (&n->m_value) V(value);
        n->m_nHash = hash;
        n->m_pNext = m_ppBins[bin];
        m_ppBins[bin] = n;
        ++m_nCount;
        if (m_nCount > m_nHiRehash && m_nLockCount == 0)
            Rehash(HashTableSizes::PickSize(m_nCount, m_fOptimalLoad));
        return n;
    }

    void RemoveNode(Node* n, Node* prev, uint32_t bin)
    {
        if (prev)
            prev->m_pNext = n->m_pNext;
        else
            m_ppBins[bin] = n->m_pNext;
        FreeNode(n);
    }

    void FreeNode(Node* n)
    {
        n->m_key.~K();
        n->m_value.~V();
        m_nodes.Give(n);
        --m_nCount;
        if (m_nCount < m_nLoRehash && m_nLockCount == 0)
            Rehash(HashTableSizes::PickSize(m_nCount, m_fOptimalLoad));
        if (m_nCount == 0)
            m_nodes.FreeAll();
    }

    Node** m_ppBins = nullptr;
    uint64_t m_nCount = 0;
    uint32_t m_nBins = kMinBins;
    float m_fOptimalLoad = 0.75f;
    float m_fLoThreshold = 0.25f;
    float m_fHiThreshold = 2.25f;
    uint64_t m_nHiRehash = 0;
    uint64_t m_nLoRehash = 0;
    int m_nLockCount = 0;
    SNodeBlocks<Node> m_nodes{10};
};

} // namespace DUI
