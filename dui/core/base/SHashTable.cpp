#include "dui/core/base/SHashTable.h"

namespace DUI {
namespace HashTableSizes {

namespace {
const uint32_t kPrimes[] = {
    17, 23, 29, 37, 41, 53, 67, 83, 103, 131, 163, 211, 257, 331, 409, 521, 647, 821, 1031,
    1291, 1627, 2053, 2591, 3251, 4099, 5167, 6521, 8209, 10331, 13007, 16411, 20663, 26017,
    32771, 41299, 52021, 65537, 82571, 104033, 131101, 165161, 208067, 262147, 330287, 416147,
    524309, 660563, 832291, 1048583, 1321139, 1664543, 2097169, 2642257, 3329023, 4194319,
    5284493, 6658049, 8388617, 10568993, 13316089,
};
} // namespace

uint32_t PickSize(uint64_t count, float optimalLoad)
{
    float wanted = static_cast<float>(count) / optimalLoad;
    uint32_t x = wanted >= 4294967295.0f ? 4294967295u : static_cast<uint32_t>(wanted);
    if (x <= kPrimes[0])
        return kPrimes[0];
    for (uint32_t p : kPrimes)
        if (p >= x)
            return p;
    return x;
}

} // namespace HashTableSizes
} // namespace DUI
