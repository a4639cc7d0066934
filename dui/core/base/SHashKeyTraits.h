#pragma once
// How the hash table hashes and matches its keys. Strings hash h*33+c over
// their code units and match case-sensitively; integers hash to themselves;
// composite keys supply GetHash() and operator==.
#include "dui/core/base/TStringT.h"

#include <cstdint>
#include <type_traits>

namespace DUI {

template <class K>
struct SHashKeyTraits
{
    static uint32_t Hash(const K& key)
    {
        if constexpr ((std::is_integral_v<K> || std::is_enum_v<K>) && sizeof(K) <= 4) {
            // Through the unsigned type: a negative key keeps its own 32 bits
            // instead of being sign-extended first.
            return static_cast<uint32_t>(key);
        } else if constexpr (std::is_integral_v<K> || std::is_enum_v<K>) {
            uint64_t v = static_cast<uint64_t>(key);
            return static_cast<uint32_t>(v ^ (v >> 32));
        } else if constexpr (std::is_pointer_v<K>) {
            uint64_t v = reinterpret_cast<uintptr_t>(key);
            return static_cast<uint32_t>(v ^ (v >> 32));
        } else {
            return key.GetHash();
        }
    }
    static bool Equal(const K& a, const K& b) { return a == b; }
};

template <class T, class Traits>
struct SHashKeyTraits<TStringT<T, Traits>>
{
    static uint32_t Hash(const TStringT<T, Traits>& key)
    {
        uint32_t h = 0;
        const T* p = key.c_str();
        for (int i = 0, n = key.GetLength(); i < n; ++i)
            h = h * 33 + static_cast<uint32_t>(static_cast<std::make_unsigned_t<T>>(p[i]));
        return h;
    }
    static bool Equal(const TStringT<T, Traits>& a, const TStringT<T, Traits>& b)
    {
        return a.Compare(b.c_str()) == 0;
    }
};

} // namespace DUI
