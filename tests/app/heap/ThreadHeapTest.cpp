// The per-thread heap that replaces malloc and free in this test program.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <random>
#include <set>
#include <thread>
#include <vector>

#include "app/heap/ThreadHeap.h"

namespace {

constexpr uintptr_t kSegmentMask = ~uintptr_t((1 << 20) - 1);

uintptr_t SegmentBase(const void* block)
{
    return reinterpret_cast<uintptr_t>(block) & kSegmentMask;
}

bool IsFilled(const void* block, size_t size, unsigned char value)
{
    const auto* bytes = static_cast<const unsigned char*>(block);
    for (size_t i = 0; i < size; ++i) {
        if (bytes[i] != value) return false;
    }
    return true;
}

std::vector<void*> AllocateMany(size_t count, size_t size)
{
    std::vector<void*> blocks;
    for (size_t i = 0; i < count; ++i) blocks.push_back(ThreadHeap::Allocate(size));
    return blocks;
}

TEST(ThreadHeap, ServesEverySizeAlignedAndWholly)
{
    struct Case {
        size_t size;
        bool small;
    };
    const Case kCases[] = {{0, true},        {1, true},       {15, true},     {16, true},     {17, true},
                           {255, true},      {256, true},     {257, true},    {1000, true},   {4096, true},
                           {40000, true},    {65535, true},   {65536, true},  {65537, false}, {1 << 20, false}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.size);
        void* block = ThreadHeap::Allocate(c.size);
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(ThreadHeap::Owns(block), c.small);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(block) % ThreadHeap::kAlignment, 0u);
        size_t usable = ThreadHeap::UsableSize(block);
        EXPECT_GE(usable, c.size);
        if (c.small) {
            EXPECT_LE(usable, c.size < 256 ? c.size + 16 : c.size + c.size / 4 + 16);
        }
        std::memset(block, 0x5a, usable);
        ThreadHeap::Free(block);
    }
}

TEST(ThreadHeap, BlocksOfOneSizeNeverOverlap)
{
    std::vector<void*> blocks = AllocateMany(3000, 48);  // more than one segment's worth of commit steps
    for (size_t i = 0; i < blocks.size(); ++i) std::memset(blocks[i], static_cast<int>(i & 0xff), 48);
    std::set<void*> distinct(blocks.begin(), blocks.end());
    EXPECT_EQ(distinct.size(), blocks.size());
    for (size_t i = 0; i < blocks.size(); ++i) {
        ASSERT_TRUE(IsFilled(blocks[i], 48, static_cast<unsigned char>(i & 0xff))) << i;
        ThreadHeap::Free(blocks[i]);
    }
}

TEST(ThreadHeap, ReallocKeepsTheContentsWhileGrowingAndShrinking)
{
    struct Case {
        const char* name;
        size_t from, to;
    };
    const Case kCases[] = {
        {"grow within small", 10, 300},        {"shrink within small", 300, 10},
        {"grow a little in place", 100, 110},  {"small to large", 2000, 200000},
        {"large to small", 200000, 2000},      {"largest small to tiny", 65536, 8},
        {"large to larger", 100000, 1 << 21},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        auto* block = static_cast<unsigned char*>(ThreadHeap::Allocate(c.from));
        ASSERT_NE(block, nullptr);
        for (size_t i = 0; i < c.from; ++i) block[i] = static_cast<unsigned char>(i * 7);
        auto* moved = static_cast<unsigned char*>(ThreadHeap::Reallocate(block, c.to));
        ASSERT_NE(moved, nullptr);
        EXPECT_GE(ThreadHeap::UsableSize(moved), c.to);
        size_t kept = c.from < c.to ? c.from : c.to;
        bool same = true;
        for (size_t i = 0; i < kept; ++i) same = same && moved[i] == static_cast<unsigned char>(i * 7);
        EXPECT_TRUE(same);
        std::memset(moved, 1, c.to);
        ThreadHeap::Free(moved);
    }
    void* fresh = ThreadHeap::Reallocate(nullptr, 40);
    ASSERT_NE(fresh, nullptr);
    EXPECT_TRUE(ThreadHeap::Owns(fresh));
    EXPECT_EQ(ThreadHeap::Reallocate(fresh, 0), nullptr);
}

TEST(ThreadHeap, ZeroedBlocksAreZeroEvenWhenReused)
{
    for (size_t size : {size_t(24), size_t(3000), size_t(70000)}) {
        SCOPED_TRACE(size);
        void* dirty = ThreadHeap::Allocate(size);
        std::memset(dirty, 0xab, size);
        ThreadHeap::Free(dirty);
        void* zeroed = ThreadHeap::AllocateZeroed(size / 4, 4);
        ASSERT_NE(zeroed, nullptr);
        EXPECT_TRUE(IsFilled(zeroed, size / 4 * 4, 0));
        ThreadHeap::Free(zeroed);
    }
    errno = 0;
    EXPECT_EQ(ThreadHeap::AllocateZeroed(SIZE_MAX / 2, 4), nullptr);
    EXPECT_EQ(errno, ENOMEM);
}

TEST(ThreadHeap, RuntimeBlocksGoBackToTheRuntime)
{
    char* copy = _strdup("made by the C runtime");
    ASSERT_NE(copy, nullptr);
    EXPECT_FALSE(ThreadHeap::Owns(copy));
    EXPECT_GE(ThreadHeap::UsableSize(copy), std::strlen(copy) + 1);
    auto* grown = static_cast<char*>(ThreadHeap::Reallocate(copy, 4096));
    ASSERT_NE(grown, nullptr);
    EXPECT_STREQ(grown, "made by the C runtime");
    ThreadHeap::Free(grown);
    wchar_t* full = _wfullpath(nullptr, L"x", 0);
    ASSERT_NE(full, nullptr);
    std::free(full);
}

TEST(ThreadHeap, MallocAndNewComeFromIt)
{
    void* block = std::malloc(100);
    auto* number = new int(7);
    EXPECT_TRUE(ThreadHeap::Owns(block));
    EXPECT_TRUE(ThreadHeap::Owns(number));
    delete number;
    std::free(block);
}

TEST(ThreadHeap, KeepsTheLastErrorOfItsCaller)
{
    // A thread's first block makes its heap; later ones only look it up.
    std::thread([] {
        for (int round = 0; round < 2; ++round) {
            SetLastError(ERROR_FILE_NOT_FOUND);
            void* block = std::malloc(32);
            EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND)) << round;
            SetLastError(ERROR_ACCESS_DENIED);
            std::free(block);
            EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED)) << round;
        }
    }).join();
}

TEST(ThreadHeap, BlocksFreedByAnotherThreadAreReusedByTheirOwner)
{
    std::vector<void*> first, again;
    std::thread owner([&] {
        first = AllocateMany(200, 96);
        std::thread([&] {
            for (void* block : first) ThreadHeap::Free(block);
        }).join();
        again = AllocateMany(200, 96);
        for (void* block : again) ThreadHeap::Free(block);
    });
    owner.join();
    std::set<void*> before(first.begin(), first.end());
    size_t reused = 0;
    for (void* block : again) reused += before.count(block);
    EXPECT_EQ(reused, again.size());
}

// A thread_local's destructor runs as its thread ends, around the time the
// thread's heap is given up.
struct FreesAtThreadEnd {
    void* block = nullptr;
    ~FreesAtThreadEnd()
    {
        ThreadHeap::Free(block);
        void* late = std::malloc(64);
        std::memset(late, 1, 64);
        std::free(late);
    }
};
thread_local FreesAtThreadEnd t_atEnd;

TEST(ThreadHeap, BlocksOutliveTheirThreadAndItsMemoryIsTakenOver)
{
    std::vector<void*> left;
    std::thread([&] {
        t_atEnd.block = ThreadHeap::Allocate(500);
        left = AllocateMany(100, 200);
        for (size_t i = 0; i < left.size(); ++i) std::memset(left[i], static_cast<int>(i), 200);
    }).join();
    for (size_t i = 0; i < left.size(); ++i) {
        ASSERT_TRUE(IsFilled(left[i], 200, static_cast<unsigned char>(i))) << i;
        ThreadHeap::Free(left[i]);
    }
    // The next thread starts with the ended thread's memory, freed blocks included.
    std::vector<void*> next;
    std::thread([&] {
        next = AllocateMany(100, 200);
        for (void* block : next) ThreadHeap::Free(block);
    }).join();
    std::set<void*> before(left.begin(), left.end());
    size_t reused = 0;
    for (void* block : next) reused += before.count(block);
    EXPECT_EQ(reused, next.size());
}

TEST(ThreadHeap, EmptySegmentsGoBackToTheSystem)
{
    // Fifteen blocks of the largest size fill one segment.
    std::vector<void*> blocks = AllocateMany(15 * 20, ThreadHeap::kLargestSmall);
    std::set<uintptr_t> segments;
    for (void* block : blocks) segments.insert(SegmentBase(block));
    ASSERT_GE(segments.size(), 20u);
    for (void* block : blocks) ThreadHeap::Free(block);
    size_t stillOurs = 0;
    for (uintptr_t segment : segments) stillOurs += ThreadHeap::Owns(reinterpret_cast<void*>(segment + 4096));
    EXPECT_LE(stillOurs, 1u);  // the one in use stays
}

// Many threads allocate blocks of every size, fill them, hand some to a
// neighbour that checks and frees them, and free the rest themselves.
TEST(ThreadHeap, ManyThreadsAllocateAndFreeAcrossEachOther)
{
    constexpr int kThreads = 8;
    constexpr int kRounds = 20000;
    struct Mailbox {
        std::mutex lock;
        std::vector<std::pair<unsigned char*, size_t>> blocks;
    };
    std::vector<Mailbox> mail(kThreads);
    std::atomic<int> damaged{0};
    auto check = [&](unsigned char* block, size_t size) {
        if (!IsFilled(block, size, static_cast<unsigned char>(size * 31))) ++damaged;
        ThreadHeap::Free(block);
    };
    auto run = [&](int id) {
        std::mt19937 random(id);
        std::vector<std::pair<unsigned char*, size_t>> mine;
        for (int round = 0; round < kRounds; ++round) {
            size_t size = random() % 8 == 0 ? random() % 100000 : random() % 512;
            auto* block = static_cast<unsigned char*>(ThreadHeap::Allocate(size));
            if (!block) {
                ++damaged;
                continue;
            }
            std::memset(block, static_cast<int>(size * 31 & 0xff), size);
            if (random() % 3 == 0) {
                std::lock_guard<std::mutex> hold(mail[(id + 1) % kThreads].lock);
                mail[(id + 1) % kThreads].blocks.emplace_back(block, size);
            } else {
                mine.emplace_back(block, size);
            }
            if (mine.size() > 64) {
                size_t pick = random() % mine.size();
                check(mine[pick].first, mine[pick].second);
                mine[pick] = mine.back();
                mine.pop_back();
            }
            if (round % 64 == 0) {
                std::vector<std::pair<unsigned char*, size_t>> received;
                {
                    std::lock_guard<std::mutex> hold(mail[id].lock);
                    received.swap(mail[id].blocks);
                }
                for (auto& [got, gotSize] : received) check(got, gotSize);
            }
        }
        for (auto& [block, size] : mine) check(block, size);
    };
    std::vector<std::thread> threads;
    for (int id = 0; id < kThreads; ++id) threads.emplace_back(run, id);
    for (auto& thread : threads) thread.join();
    for (auto& box : mail) {
        for (auto& [block, size] : box.blocks) check(block, size);
    }
    EXPECT_EQ(damaged.load(), 0);
}

}  // namespace
