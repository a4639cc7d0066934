#pragma once
// A list of values in insertion order with an ordered index from key to
// position: the task manager keeps its named tasks in one, so tasks can be
// reached by name and by position, and names listed in key order.
#include <cstddef>
#include <map>
#include <vector>

template <class KEY, class VALUE>
class JNVector {
public:
    // Appends under a new key, or replaces the value of a listed key in place.
    void Set(const KEY& key, VALUE value)
    {
        auto it = m_index.find(key);
        if (it != m_index.end()) {
            m_values[it->second] = std::move(value);
            return;
        }
        m_index.emplace(key, m_values.size());
        m_values.push_back(std::move(value));
    }

    bool Has(const KEY& key) const { return m_index.count(key) != 0; }

    // Throws the wide text itself: callers of the task list catch a
    // const wchar_t* for an unknown name.
    const VALUE& Get(const KEY& key) const { return m_values[PositionOrThrow(key)]; }
    VALUE& Get(const KEY& key) { return m_values[PositionOrThrow(key)]; }

    // Position of the key, or -1 when it is not listed.
    std::ptrdiff_t PositionOf(const KEY& key) const
    {
        auto it = m_index.find(key);
        return it == m_index.end() ? -1 : static_cast<std::ptrdiff_t>(it->second);
    }

    // Empty value when pos is past the end.
    VALUE At(size_t pos) const { return pos < m_values.size() ? m_values[pos] : VALUE(); }
    // The stored value itself; pos must be below Size().
    VALUE& ValueAt(size_t pos) { return m_values[pos]; }

    size_t Size() const { return m_values.size(); }

    // Position of the first entry equal to value, or Size() when there is none.
    size_t IndexOf(const VALUE& value) const
    {
        for (size_t i = 0; i < m_values.size(); ++i)
            if (m_values[i] == value) return i;
        return m_values.size();
    }

    void EraseAt(size_t pos)
    {
        if (pos >= m_values.size()) return;
        for (auto it = m_index.begin(); it != m_index.end();) {
            if (it->second == pos) {
                it = m_index.erase(it);
                continue;
            }
            if (it->second > pos) --it->second;
            ++it;
        }
        m_values.erase(m_values.begin() + static_cast<std::ptrdiff_t>(pos));
    }

    void Clear()
    {
        m_index.clear();
        m_values.clear();
    }

    std::vector<KEY> Keys() const
    {
        std::vector<KEY> keys;
        keys.reserve(m_index.size());
        for (const auto& entry : m_index) keys.push_back(entry.first);
        return keys;
    }

private:
    size_t PositionOrThrow(const KEY& key) const
    {
        auto it = m_index.find(key);
        if (it == m_index.end())
            throw L"call JNVector<KEY, VALUE>::Get(KEY key):\n在数组中找不到对应的key";
        return it->second;
    }

    std::vector<VALUE> m_values;
    std::map<KEY, size_t> m_index;
};
