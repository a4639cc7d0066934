#pragma once
// Serves small blocks from memory that belongs to the allocating thread, so
// threads that allocate a lot (poppler, splash and libjpeg do) never queue on
// one lock: under Wine every C runtime malloc and free takes the lock of a
// single heap, and page rendering on several threads spent most of its time
// waiting there. A block freed by another thread goes back to its owner
// through a lock-free list; a thread's memory outlives the thread and is taken
// over by the next thread that starts. Blocks larger than kLargestSmall, and
// every block this heap did not make (the C runtime's own, from _strdup or
// _wfullpath say), go to the C runtime.
#include <cstddef>

class ThreadHeap {
public:
    static constexpr size_t kLargestSmall = 64 * 1024;
    static constexpr size_t kAlignment = 16;

    // The C runtime's malloc semantics: a unique block for size 0, null with
    // errno ENOMEM on failure.
    static void* Allocate(size_t size);
    static void* AllocateZeroed(size_t count, size_t size);
    // realloc's: null block allocates, size 0 frees and gives null; on
    // failure the block stays as it was.
    static void* Reallocate(void* block, size_t size);
    static void Free(void* block);

    // True for blocks made by this heap (not by the C runtime).
    static bool Owns(const void* block);
    // The bytes the caller may use in a block of this heap.
    static size_t UsableSize(const void* block);
};
