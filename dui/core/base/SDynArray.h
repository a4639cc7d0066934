#pragma once
// Growable array of small elements (pointers, handles, strings). Elements are
// moved as raw bytes when the buffer grows, so they must not depend on their
// own address.
#include "xml/MemWrapper.h"

#include <cstdint>
#include <cstring>
#include <new>
#include <type_traits>

namespace DUI {

template <class T>
class SDynArray
{
public:
    SDynArray() = default;
    explicit SDynArray(int growBy) : m_nGrowBy(growBy) {}
    SDynArray(const SDynArray& other) { Copy(other); }
    SDynArray& operator=(const SDynArray& other)
    {
        if (this != &other)
            Copy(other);
        return *this;
    }
    ~SDynArray() { RemoveAll(); }

    size_t GetCount() const { return static_cast<size_t>(m_nCount); }
    size_t GetCapacity() const { return static_cast<size_t>(m_nCapacity); }
    bool IsEmpty() const { return m_nCount == 0; }
    T* GetData() { return m_pItems; }
    const T* GetData() const { return m_pItems; }
    T& GetAt(size_t i) { return m_pItems[i]; }
    const T& GetAt(size_t i) const { return m_pItems[i]; }
    T& operator[](size_t i) { return m_pItems[i]; }
    const T& operator[](size_t i) const { return m_pItems[i]; }
    void SetAt(size_t i, const T& value) { m_pItems[i] = value; }

    // Returns the new element's index, or -1 when the buffer cannot grow.
    long long Add(const T& element)
    {
        if (m_nCount >= m_nCapacity) {
            T keep(element); // element may live in the buffer that moves
            if (!GrowTo(m_nCount + 1))
                return -1;
            new (m_pItems + m_nCount) T(keep);
        } else {
            new (m_pItems + m_nCount) T(element);
        }
        return static_cast<long long>(m_nCount++);
    }

    bool SetCount(size_t n, int growBy = -1)
    {
        if (growBy != -1)
            m_nGrowBy = growBy;
        if (n == 0) {
            RemoveAll();
            return true;
        }
        if (n > m_nCapacity && !GrowTo(n))
            return false;
        if (n < m_nCount)
            DestroyRange(n, m_nCount - n);
        else
            ConstructRange(m_nCount, n - m_nCount);
        m_nCount = n;
        return true;
    }

    bool Copy(const SDynArray& other)
    {
        if (this == &other)
            return true;
        if (!SetCount(other.m_nCount))
            return false;
        for (uint64_t i = 0; i < m_nCount; ++i)
            m_pItems[i] = other.m_pItems[i];
        return true;
    }

    void RemoveAt(size_t index, size_t n = 1)
    {
        if (index >= m_nCount || n == 0)
            return;
        if (n > m_nCount - index)
            n = m_nCount - index;
        DestroyRange(index, n);
        RelocateElements(m_pItems + index, m_pItems + index + n, m_nCount - index - n);
        m_nCount -= n;
    }

    bool RemoveFirst(const T& value)
    {
        long long i = Find(value);
        if (i < 0)
            return false;
        RemoveAt(static_cast<size_t>(i));
        return true;
    }

    long long Find(const T& value) const
    {
        for (uint64_t i = 0; i < m_nCount; ++i)
            if (m_pItems[i] == value)
                return static_cast<long long>(i);
        return -1;
    }

    void RemoveAll()
    {
        DestroyRange(0, m_nCount);
        MemFree(m_pItems);
        m_pItems = nullptr;
        m_nCount = m_nCapacity = 0;
    }

    bool GrowTo(size_t needed)
    {
        if (m_nCapacity >= needed)
            return true;
        uint64_t capacity;
        if (!m_pItems) {
            capacity = needed > static_cast<uint64_t>(m_nGrowBy > 0 ? m_nGrowBy : 0)
                ? needed : static_cast<uint64_t>(m_nGrowBy);
        } else {
            uint64_t step = m_nGrowBy > 0 ? static_cast<uint64_t>(m_nGrowBy) : m_nCount / 8;
            if (m_nGrowBy <= 0)
                step = step < 4 ? 4 : (step > 1024 ? 1024 : step);
            capacity = m_nCapacity + step > needed ? m_nCapacity + step : needed;
        }
        T* items = static_cast<T*>(MemCalloc(static_cast<size_t>(capacity), sizeof(T)));
        if (!items)
            return false;
        if (m_pItems)
            RelocateElements(items, m_pItems, m_nCount);
        MemFree(m_pItems);
        m_pItems = items;
        m_nCapacity = capacity;
        return true;
    }

    static void RelocateElements(T* dest, T* src, size_t n)
    {
        if (n)
            std::memmove(static_cast<void*>(dest), static_cast<const void*>(src), n * sizeof(T));
    }

private:
    void DestroyRange(uint64_t first, uint64_t n)
    {
        if constexpr (!std::is_trivially_destructible_v<T>)
            for (uint64_t i = first; i < first + n; ++i)
                m_pItems[i].~T();
    }
    // Trivial elements gained by growth read as zero (the buffer is zeroed);
    // others (strings) must be constructed, a zeroed string is no string.
    void ConstructRange(uint64_t first, uint64_t n)
    {
        if constexpr (!std::is_trivially_default_constructible_v<T>)
            for (uint64_t i = first; i < first + n; ++i)
                new (m_pItems + i) T();
        else
            std::memset(static_cast<void*>(m_pItems + first), 0, n * sizeof(T));
    }

    T* m_pItems = nullptr;
    uint64_t m_nCount = 0;
    uint64_t m_nCapacity = 0;
    int m_nGrowBy = 0;
};

} // namespace DUI
