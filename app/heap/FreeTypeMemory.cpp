// FreeType's Windows build takes its memory straight from the process heap,
// whose single lock every thread drawing glyphs then queues on. The programs
// that link ThreadHeap link with --wrap for FreeType's two memory functions,
// so FreeType libraries made through FT_Init_FreeType (poppler's) allocate
// through malloc instead.
#include <cstdlib>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYSTEM_H

namespace {

void* Allocate(FT_Memory, long size)
{
    return std::malloc(static_cast<size_t>(size));
}

void* Reallocate(FT_Memory, long, long size, void* block)
{
    return std::realloc(block, static_cast<size_t>(size));
}

void Free(FT_Memory, void* block)
{
    std::free(block);
}

}  // namespace

extern "C" {

FT_Memory __wrap_FT_New_Memory(void)
{
    auto* memory = static_cast<FT_Memory>(std::malloc(sizeof(FT_MemoryRec_)));
    if (!memory) return nullptr;
    memory->user = nullptr;
    memory->alloc = &Allocate;
    memory->realloc = &Reallocate;
    memory->free = &Free;
    return memory;
}

void __wrap_FT_Done_Memory(FT_Memory memory)
{
    std::free(memory);
}

}  // extern "C"
