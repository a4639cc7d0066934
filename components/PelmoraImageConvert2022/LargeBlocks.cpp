#include "components/PelmoraImageConvert2022/LargeBlocks.h"

#include <winsock2.h>
#include <windows.h>

#include <mutex>
#include <unordered_map>
#include <vector>

namespace pelmora {

namespace {

// Enough for four workers each holding a large photo's buffers.
constexpr std::size_t kKeptBytesMax = std::size_t{640} << 20;

class BlockCache {
public:
    void* Get(std::size_t size)
    {
        std::size_t rounded = (size + kRound - 1) / kRound * kRound;
        {
            std::lock_guard<std::mutex> lock(m_lock);
            std::size_t best = m_kept.size();
            for (std::size_t i = 0; i < m_kept.size(); ++i) {
                std::size_t capacity = m_kept[i].capacity;
                // A block far larger than asked would hold memory idle.
                if (capacity >= rounded && capacity <= rounded + rounded / 4 &&
                    (best == m_kept.size() || capacity < m_kept[best].capacity))
                    best = i;
            }
            if (best < m_kept.size()) {
                Block block = m_kept[best];
                m_kept.erase(m_kept.begin() + static_cast<std::ptrdiff_t>(best));
                m_keptBytes -= block.capacity;
                m_capacity[block.address] = block.capacity;
                return block.address;
            }
        }
        void* address = VirtualAlloc(nullptr, rounded, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
        if (!address) return nullptr;
        std::lock_guard<std::mutex> lock(m_lock);
        m_capacity[address] = rounded;
        return address;
    }

    void Put(void* address)
    {
        if (!address) return;
        std::vector<void*> freed;
        {
            std::lock_guard<std::mutex> lock(m_lock);
            auto it = m_capacity.find(address);
            if (it == m_capacity.end()) return;
            m_kept.push_back({address, it->second});
            m_keptBytes += it->second;
            m_capacity.erase(it);
            while (m_keptBytes > kKeptBytesMax) {
                freed.push_back(m_kept.front().address);
                m_keptBytes -= m_kept.front().capacity;
                m_kept.erase(m_kept.begin());
            }
        }
        for (void* block : freed) VirtualFree(block, 0, MEM_RELEASE);
    }

private:
    static constexpr std::size_t kRound = std::size_t{64} << 10;
    struct Block {
        void* address;
        std::size_t capacity;
    };
    std::mutex m_lock;
    std::vector<Block> m_kept;                         // oldest first
    std::size_t m_keptBytes = 0;
    std::unordered_map<void*, std::size_t> m_capacity;   // blocks handed out
};

BlockCache& Cache()
{
    static BlockCache* cache = new BlockCache();   // outlives every converter, even at process exit
    return *cache;
}

}  // namespace

void* GetLargeBlock(std::size_t size) { return Cache().Get(size); }

void PutLargeBlock(void* block) { Cache().Put(block); }

}  // namespace pelmora
