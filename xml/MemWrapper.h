#pragma once
// Every string block, array buffer, hash-table block and XML page of the
// framework goes through these four calls, so one place decides the heap.
// They sit in the bottom library, which the rest of the framework links.
#include <cstdlib>

namespace DUI {

inline void* MemMalloc(size_t size) { return std::malloc(size); }
inline void* MemCalloc(size_t count, size_t size) { return std::calloc(count, size); }
inline void* MemRealloc(void* p, size_t size) { return std::realloc(p, size); }
inline void MemFree(void* p) { std::free(p); }

} // namespace DUI
