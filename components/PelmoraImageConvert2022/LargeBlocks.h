#pragma once
// Large blocks kept for reuse across conversions. Each fresh page of a large
// allocation costs a page fault when first touched, and the system frees
// large blocks at once, so a converter that allocated a 40 MB picture for
// every file spent more time faulting in pages than coding them. Blocks come
// back here instead and the next picture of about the same size reuses them.
#include <cstddef>

namespace pelmora {

// Sizes from which blocks are kept.
inline constexpr std::size_t kLargeBlockMin = std::size_t{1} << 20;

// A block of at least size bytes, from the kept ones when one fits; null when
// memory is out.
void* GetLargeBlock(std::size_t size);
// Gives a block from GetLargeBlock back; the oldest kept blocks are freed
// while more than a fixed amount is kept.
void PutLargeBlock(void* block);

}  // namespace pelmora
