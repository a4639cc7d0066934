#pragma once
// Keyed map of the framework (value type first, key type second). An optional
// callback releases what the values point to when the map is emptied.
#include <memory>

#include "dui/core/base/SHashTable.h"

namespace DUI {

template <class V, class K, class KeyTraits = SHashKeyTraits<K>>
class SCmnMap
{
public:
    using Table = SHashTable<K, V, KeyTraits>;
    using Node = typename Table::Node;
    using Position = typename Table::Position;
    using ValueReleaser = void (*)(V* value);

    explicit SCmnMap(ValueReleaser onRemove = nullptr)
        : m_pfnRelease(onRemove), m_pTable(std::make_unique<Table>())
    {
    }
    SCmnMap(const SCmnMap&) = delete;
    SCmnMap& operator=(const SCmnMap&) = delete;
    virtual ~SCmnMap()
    {
        RemoveAll();
    }

    Node* SetAt(const K& key, const V& value) { return m_pTable->SetAt(key, value); }
    V* Lookup(const K& key) const
    {
        Node* n = m_pTable->Find(key);
        return n ? &n->m_value : nullptr;
    }
    bool Lookup(const K& key, V& value) const
    {
        Node* n = m_pTable->Find(key);
        if (n)
            value = n->m_value;
        return n != nullptr;
    }
    bool HasKey(const K& key) const { return m_pTable->Find(key) != nullptr; }
    // The value-release callback is not called: only what the node holds goes.
    bool RemoveKey(const K& key) { return m_pTable->RemoveKey(key); }
    void RemoveAll()
    {
        if (m_pfnRelease)
            for (Position p = m_pTable->GetStartPosition(); p; p = m_pTable->GetNext(p))
                m_pfnRelease(&p->m_value);
        m_pTable->RemoveAll();
    }
    uint64_t GetCount() const { return m_pTable->GetCount(); }
    bool IsEmpty() const { return m_pTable->IsEmpty(); }
    Position GetStartPosition() const { return m_pTable->GetStartPosition(); }
    Position GetNext(Position pos) const { return m_pTable->GetNext(pos); }
    const Table& GetTable() const { return *m_pTable; }

private:
    ValueReleaser m_pfnRelease = nullptr;
    std::unique_ptr<Table> m_pTable;
};

} // namespace DUI
