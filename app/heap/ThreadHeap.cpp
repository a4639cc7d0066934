#include "app/heap/ThreadHeap.h"

#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <new>

// Everything here may run before static constructors and after static
// destructors, and must never call malloc itself: plain zero-initialised data
// and Win32 calls only.
namespace {

// Small blocks live in segments of 1 MB, each on a 1 MB boundary, so a block's
// segment (and whether the block is ours at all) follows from its address.
constexpr size_t kSegmentShift = 20;
constexpr size_t kSegmentBytes = size_t(1) << kSegmentShift;
constexpr size_t kCommitStep = 64 * 1024;
constexpr size_t kHeaderBytes = 256;
// 16-byte steps up to 256, then four classes between powers of two.
constexpr int kFineClasses = 16;
constexpr int kClasses = kFineClasses + 4 * 8;

static_assert(std::has_single_bit(ThreadHeap::kLargestSmall) && ThreadHeap::kLargestSmall == 256u << 8);

int ClassOf(size_t size)
{
    if (size <= 256) return size == 0 ? 0 : static_cast<int>((size + 15) / 16) - 1;
    int power = std::bit_width(size - 1) - 1;  // 2^power < size <= 2^(power+1)
    size_t step = (size_t(1) << power) / 4;
    int quarter = static_cast<int>((size - (size_t(1) << power) + step - 1) / step);
    return kFineClasses + (power - 8) * 4 + quarter - 1;
}

size_t BlockSizeOf(int sizeClass)
{
    if (sizeClass < kFineClasses) return size_t(sizeClass + 1) * 16;
    int power = 8 + (sizeClass - kFineClasses) / 4;
    size_t step = (size_t(1) << power) / 4;
    return (size_t(1) << power) + step * size_t((sizeClass - kFineClasses) % 4 + 1);
}

struct FreeBlock {
    FreeBlock* next;
};

struct Heap;

// The header at the start of every segment. Only its owner touches it, but
// for remoteFree (and owner, which never changes).
struct Segment {
    Heap* owner;
    void* reservation;  // what VirtualFree gets back
    Segment* prev;
    Segment* next;
    size_t blockSize;
    char* bump;  // blocks below it were handed out at least once
    char* committed;
    char* end;
    FreeBlock* localFree;
    size_t used;
    int sizeClass;
    alignas(64) std::atomic<FreeBlock*> remoteFree;
};
static_assert(sizeof(Segment) <= kHeaderBytes && kHeaderBytes % ThreadHeap::kAlignment == 0);

// One per thread; taken over by a new thread once its thread has ended.
struct Heap {
    Segment* segments[kClasses];  // per class, the one in use first
    Heap* nextAbandoned;
};

// One bit per megabyte of the 47-bit user address space, in leaves of 64 K
// bits made on demand.
constexpr size_t kAddressBits = 47;
constexpr size_t kLeafShift = 16;
constexpr size_t kLeafWords = (size_t(1) << kLeafShift) / 64;
constexpr size_t kLeaves = size_t(1) << (kAddressBits - kSegmentShift - kLeafShift);

struct SegmentLeaf {
    std::atomic<uint64_t> bits[kLeafWords];
};

std::atomic<SegmentLeaf*> g_leaves[kLeaves];

using MallocFn = void*(__cdecl*)(size_t);
using CallocFn = void*(__cdecl*)(size_t, size_t);
using ReallocFn = void*(__cdecl*)(void*, size_t);
using FreeFn = void(__cdecl*)(void*);
using MsizeFn = size_t(__cdecl*)(void*);

struct CrtHeap {
    MallocFn malloc;
    CallocFn calloc;
    ReallocFn realloc;
    FreeFn free;
    MsizeFn msize;
};

CrtHeap g_crt;
DWORD g_tlsIndex = TLS_OUT_OF_INDEXES;
DWORD g_flsIndex = FLS_OUT_OF_INDEXES;
INIT_ONCE g_once = INIT_ONCE_STATIC_INIT;
SRWLOCK g_abandonedLock = SRWLOCK_INIT;
Heap* g_abandoned = nullptr;
// A thread whose heap went at its exit allocates from the C runtime after.
Heap* const kThreadEnded = reinterpret_cast<Heap*>(uintptr_t(1));

void OnThreadEnd(void* value);

BOOL CALLBACK InitOnce(PINIT_ONCE, void*, void**)
{
    HMODULE crt = GetModuleHandleW(L"msvcrt.dll");
    if (!crt) return FALSE;
    g_crt.malloc = reinterpret_cast<MallocFn>(reinterpret_cast<void*>(GetProcAddress(crt, "malloc")));
    g_crt.calloc = reinterpret_cast<CallocFn>(reinterpret_cast<void*>(GetProcAddress(crt, "calloc")));
    g_crt.realloc = reinterpret_cast<ReallocFn>(reinterpret_cast<void*>(GetProcAddress(crt, "realloc")));
    g_crt.free = reinterpret_cast<FreeFn>(reinterpret_cast<void*>(GetProcAddress(crt, "free")));
    g_crt.msize = reinterpret_cast<MsizeFn>(reinterpret_cast<void*>(GetProcAddress(crt, "_msize")));
    g_tlsIndex = TlsAlloc();
    g_flsIndex = FlsAlloc(&OnThreadEnd);
    return g_crt.malloc && g_crt.calloc && g_crt.realloc && g_crt.free && g_crt.msize;
}

const CrtHeap& Crt()
{
    if (!InitOnceExecuteOnce(&g_once, &InitOnce, nullptr, nullptr)) {
        // Without the C runtime's heap nothing can work; say so and stop.
        FatalAppExitW(0, L"ThreadHeap: msvcrt.dll's heap functions were not found");
    }
    return g_crt;
}

// ---- Which addresses are ours ----

std::atomic<uint64_t>* BitWord(uintptr_t address, bool create, uint64_t& mask)
{
    uintptr_t index = address >> kSegmentShift;
    if (index >> (kAddressBits - kSegmentShift)) return nullptr;
    std::atomic<SegmentLeaf*>& slot = g_leaves[index >> kLeafShift];
    SegmentLeaf* leaf = slot.load(std::memory_order_acquire);
    if (!leaf && create) {
        auto* made = static_cast<SegmentLeaf*>(VirtualAlloc(nullptr, sizeof(SegmentLeaf), MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        if (!made) return nullptr;
        if (slot.compare_exchange_strong(leaf, made, std::memory_order_acq_rel)) {
            leaf = made;
        } else {
            VirtualFree(made, 0, MEM_RELEASE);  // another thread made it first
        }
    }
    if (!leaf) return nullptr;
    size_t bit = index & ((size_t(1) << kLeafShift) - 1);
    mask = uint64_t(1) << (bit % 64);
    return &leaf->bits[bit / 64];
}

bool MarkSegment(void* segment, bool ours)
{
    uint64_t mask = 0;
    std::atomic<uint64_t>* word = BitWord(reinterpret_cast<uintptr_t>(segment), ours, mask);
    if (!word) return false;
    if (ours) {
        word->fetch_or(mask, std::memory_order_release);
    } else {
        word->fetch_and(~mask, std::memory_order_release);
    }
    return true;
}

Segment* SegmentOf(const void* block)
{
    if (!block) return nullptr;
    uint64_t mask = 0;
    std::atomic<uint64_t>* word = BitWord(reinterpret_cast<uintptr_t>(block), false, mask);
    if (!word || !(word->load(std::memory_order_acquire) & mask)) return nullptr;
    return reinterpret_cast<Segment*>(reinterpret_cast<uintptr_t>(block) & ~(kSegmentBytes - 1));
}

// ---- Segments ----

Segment* NewSegment(Heap* owner, int sizeClass)
{
    // Twice the size is reserved so that an aligned megabyte lies inside;
    // only that one is ever committed.
    char* reservation = static_cast<char*>(VirtualAlloc(nullptr, 2 * kSegmentBytes, MEM_RESERVE, PAGE_NOACCESS));
    if (!reservation) return nullptr;
    char* base = reinterpret_cast<char*>((reinterpret_cast<uintptr_t>(reservation) + kSegmentBytes - 1) & ~(kSegmentBytes - 1));
    if (!VirtualAlloc(base, kCommitStep, MEM_COMMIT, PAGE_READWRITE) || !MarkSegment(base, true)) {
        VirtualFree(reservation, 0, MEM_RELEASE);
        return nullptr;
    }
    auto* segment = new (base) Segment{};
    segment->owner = owner;
    segment->reservation = reservation;
    segment->sizeClass = sizeClass;
    segment->blockSize = BlockSizeOf(sizeClass);
    segment->bump = base + kHeaderBytes;
    segment->committed = base + kCommitStep;
    segment->end = base + kSegmentBytes;
    return segment;
}

void ReleaseSegment(Segment* segment)
{
    MarkSegment(segment, false);
    VirtualFree(segment->reservation, 0, MEM_RELEASE);
}

// Takes the blocks other threads gave back.
void CollectRemote(Segment* segment)
{
    FreeBlock* list = segment->remoteFree.exchange(nullptr, std::memory_order_acquire);
    while (list) {
        FreeBlock* next = list->next;
        list->next = segment->localFree;
        segment->localFree = list;
        --segment->used;
        list = next;
    }
}

void* TakeBlock(Segment* segment)
{
    if (!segment->localFree) CollectRemote(segment);
    if (FreeBlock* block = segment->localFree) {
        segment->localFree = block->next;
        ++segment->used;
        return block;
    }
    if (static_cast<size_t>(segment->end - segment->bump) < segment->blockSize) return nullptr;
    char* block = segment->bump;
    if (block + segment->blockSize > segment->committed) {
        size_t grow = (block + segment->blockSize - segment->committed + kCommitStep - 1) / kCommitStep * kCommitStep;
        if (grow > static_cast<size_t>(segment->end - segment->committed)) grow = segment->end - segment->committed;
        if (!VirtualAlloc(segment->committed, grow, MEM_COMMIT, PAGE_READWRITE)) return nullptr;
        segment->committed += grow;
    }
    segment->bump += segment->blockSize;
    ++segment->used;
    return block;
}

void Unlink(Heap* heap, Segment* segment)
{
    if (segment->prev) {
        segment->prev->next = segment->next;
    } else {
        heap->segments[segment->sizeClass] = segment->next;
    }
    if (segment->next) segment->next->prev = segment->prev;
    segment->prev = segment->next = nullptr;
}

void PushFront(Heap* heap, Segment* segment)
{
    Segment*& first = heap->segments[segment->sizeClass];
    segment->prev = nullptr;
    segment->next = first;
    if (first) first->prev = segment;
    first = segment;
}

void* AllocateSmall(Heap* heap, int sizeClass)
{
    // The segment in use first, then the others (which may have had blocks
    // given back), then a new one.
    for (Segment* segment = heap->segments[sizeClass]; segment; segment = segment->next) {
        if (void* block = TakeBlock(segment)) {
            if (segment->prev) {
                Unlink(heap, segment);
                PushFront(heap, segment);
            }
            return block;
        }
    }
    Segment* segment = NewSegment(heap, sizeClass);
    if (!segment) return nullptr;
    PushFront(heap, segment);
    return TakeBlock(segment);
}

void FreeLocal(Heap* heap, Segment* segment, void* block)
{
    auto* node = static_cast<FreeBlock*>(block);
    node->next = segment->localFree;
    segment->localFree = node;
    // An empty segment goes back to the system unless it is the one in use.
    if (--segment->used == 0 && heap->segments[segment->sizeClass] != segment) {
        Unlink(heap, segment);
        ReleaseSegment(segment);
    }
}

void FreeRemote(Segment* segment, void* block)
{
    auto* node = static_cast<FreeBlock*>(block);
    FreeBlock* head = segment->remoteFree.load(std::memory_order_relaxed);
    do {
        node->next = head;
    } while (!segment->remoteFree.compare_exchange_weak(head, node, std::memory_order_release, std::memory_order_relaxed));
}

// ---- Threads ----

// TlsGetValue clears the last error on success; callers of malloc do not
// expect that.
Heap* CurrentHeapValue()
{
    DWORD error = GetLastError();
    auto* heap = static_cast<Heap*>(TlsGetValue(g_tlsIndex));
    SetLastError(error);
    return heap;
}

Heap* AdoptOrMakeHeap()
{
    Heap* heap = nullptr;
    AcquireSRWLockExclusive(&g_abandonedLock);
    if (g_abandoned) {
        heap = g_abandoned;
        g_abandoned = heap->nextAbandoned;
        heap->nextAbandoned = nullptr;
    }
    ReleaseSRWLockExclusive(&g_abandonedLock);
    if (!heap) heap = static_cast<Heap*>(VirtualAlloc(nullptr, sizeof(Heap), MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    return heap;
}

// Null when this thread has to use the C runtime's heap instead.
Heap* CurrentHeap()
{
    Crt();
    Heap* heap = CurrentHeapValue();
    if (heap == kThreadEnded) return nullptr;
    if (heap) return heap;
    DWORD error = GetLastError();
    heap = AdoptOrMakeHeap();
    // The fibre-local slot only tells us when the thread ends.
    if (heap && (!TlsSetValue(g_tlsIndex, heap) || !FlsSetValue(g_flsIndex, heap))) {
        TlsSetValue(g_tlsIndex, nullptr);
        OnThreadEnd(heap);
        heap = nullptr;
    }
    SetLastError(error);
    return heap;
}

void WINAPI OnThreadEnd(void* value)
{
    auto* heap = static_cast<Heap*>(value);
    if (!heap) return;
    // Whatever this thread still frees of its own goes back as another
    // thread's would, so the next owner may start at once.
    if (TlsGetValue(g_tlsIndex) == heap) TlsSetValue(g_tlsIndex, kThreadEnded);
    AcquireSRWLockExclusive(&g_abandonedLock);
    heap->nextAbandoned = g_abandoned;
    g_abandoned = heap;
    ReleaseSRWLockExclusive(&g_abandonedLock);
}

}  // namespace

void* ThreadHeap::Allocate(size_t size)
{
    if (size <= kLargestSmall) {
        if (Heap* heap = CurrentHeap()) {
            if (void* block = AllocateSmall(heap, ClassOf(size))) return block;
            errno = ENOMEM;
            return nullptr;
        }
    }
    return Crt().malloc(size);
}

void* ThreadHeap::AllocateZeroed(size_t count, size_t size)
{
    if (size != 0 && count > SIZE_MAX / size) {
        errno = ENOMEM;
        return nullptr;
    }
    size_t bytes = count * size;
    if (bytes > kLargestSmall) return Crt().calloc(count, size);
    void* block = Allocate(bytes);
    if (block) std::memset(block, 0, bytes);
    return block;
}

void* ThreadHeap::Reallocate(void* block, size_t size)
{
    if (!block) return Allocate(size);
    if (size == 0) {
        Free(block);
        return nullptr;
    }
    Segment* segment = SegmentOf(block);
    if (!segment) return Crt().realloc(block, size);
    // Stays put while it fits and is not much too large.
    if (size <= segment->blockSize && (size > segment->blockSize / 2 || segment->blockSize <= 256)) return block;
    void* moved = Allocate(size);
    if (!moved) return nullptr;
    std::memcpy(moved, block, size < segment->blockSize ? size : segment->blockSize);
    Free(block);
    return moved;
}

void ThreadHeap::Free(void* block)
{
    if (!block) return;
    Segment* segment = SegmentOf(block);
    if (!segment) {
        Crt().free(block);
        return;
    }
    Heap* heap = CurrentHeapValue();
    if (heap == segment->owner) {
        FreeLocal(heap, segment, block);
    } else {
        FreeRemote(segment, block);
    }
}

bool ThreadHeap::Owns(const void* block)
{
    return SegmentOf(block) != nullptr;
}

size_t ThreadHeap::UsableSize(const void* block)
{
    if (!block) return 0;
    if (Segment* segment = SegmentOf(block)) return segment->blockSize;
    return Crt().msize(const_cast<void*>(block));
}
