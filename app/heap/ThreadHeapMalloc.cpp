// The C runtime's allocation entry points, routed to ThreadHeap for every
// program this file is linked into (operator new and delete come through
// malloc and free). Blocks the C runtime itself hands out still go back to it.
// _msize and _expand stay the runtime's (headers import them directly): no
// code linked with this may call them.
#include <cstddef>

#include "app/heap/ThreadHeap.h"

extern "C" {

void* __cdecl malloc(size_t size)
{
    return ThreadHeap::Allocate(size);
}

void* __cdecl calloc(size_t count, size_t size)
{
    return ThreadHeap::AllocateZeroed(count, size);
}

void* __cdecl realloc(void* block, size_t size)
{
    return ThreadHeap::Reallocate(block, size);
}

void __cdecl free(void* block)
{
    ThreadHeap::Free(block);
}

}  // extern "C"
