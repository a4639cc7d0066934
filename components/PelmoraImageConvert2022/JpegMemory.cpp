// libjpeg's system-dependent memory manager, in place of its plain malloc
// one: large objects (whole-image coefficient arrays, row buffers) come from
// the kept large blocks, so a worker converting photo after photo reuses
// pages already in memory. Defining every function of that manager here
// keeps the library's own from being linked.
#include "components/PelmoraImageConvert2022/LargeBlocks.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include <jerror.h>
#include <jpeglib.h>

namespace {

// A header before each large object tells which allocator it came from.
constexpr std::size_t kHeader = 16;
constexpr std::uint32_t kFromBlocks = 0x4B4C4250;   // "PBLK"
constexpr std::uint32_t kFromHeap = 0x50414548;     // "HEAP"

void* Tag(void* base, std::uint32_t from)
{
    if (!base) return nullptr;
    *static_cast<std::uint32_t*>(base) = from;
    return static_cast<char*>(base) + kHeader;
}

}  // namespace

extern "C" {

void* jpeg_get_small(j_common_ptr, size_t size) { return std::malloc(size); }

void jpeg_free_small(j_common_ptr, void* object, size_t) { std::free(object); }

void* jpeg_get_large(j_common_ptr, size_t size)
{
    if (size + kHeader >= pelmora::kLargeBlockMin) return Tag(pelmora::GetLargeBlock(size + kHeader), kFromBlocks);
    return Tag(std::malloc(size + kHeader), kFromHeap);
}

void jpeg_free_large(j_common_ptr, void* object, size_t)
{
    if (!object) return;
    void* base = static_cast<char*>(object) - kHeader;
    if (*static_cast<std::uint32_t*>(base) == kFromBlocks)
        pelmora::PutLargeBlock(base);
    else
        std::free(base);
}

size_t jpeg_mem_available(j_common_ptr cinfo, size_t, size_t max_bytes_needed, size_t already_allocated)
{
    if (cinfo->mem->max_memory_to_use) {
        size_t limit = static_cast<size_t>(cinfo->mem->max_memory_to_use);
        return limit > already_allocated ? limit - already_allocated : 0;
    }
    return max_bytes_needed;
}

// Everything is kept in memory: libjpeg asks for backing store only past
// max_memory_to_use, which stays unset.
void jpeg_open_backing_store(j_common_ptr cinfo, void*, long)
{
    cinfo->err->msg_code = JERR_NO_BACKING_STORE;
    (*cinfo->err->error_exit)(cinfo);
}

long jpeg_mem_init(j_common_ptr) { return 0; }

void jpeg_mem_term(j_common_ptr) {}

}  // extern "C"
