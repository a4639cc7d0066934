#pragma once
// Decoded pixels with what travels with them: resolution, colour profile and
// the EXIF orientation still to be applied. Samples are interleaved gray,
// gray+alpha, RGB or RGBA, 8 or 16 bits (16-bit samples in machine order).
#include "components/PelmoraImageConvert2022/LargeBlocks.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace pelmora {

// Leaves new elements uninitialised: decoders overwrite every byte, and
// zero-filling a 400 MB image first would cost as much as a decode band.
// Large buffers come from the kept blocks, whose pages are already in memory.
template <typename T>
struct UninitAllocator : std::allocator<T> {
    template <typename U>
    struct rebind { using other = UninitAllocator<U>; };
    UninitAllocator() = default;
    template <typename U>
    UninitAllocator(const UninitAllocator<U>&) {}
    T* allocate(std::size_t n)
    {
        if (n * sizeof(T) < kLargeBlockMin) return std::allocator<T>::allocate(n);
        if (n > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_alloc();
        void* block = GetLargeBlock(n * sizeof(T));
        if (!block) throw std::bad_alloc();
        return static_cast<T*>(block);
    }
    void deallocate(T* p, std::size_t n)
    {
        if (n * sizeof(T) < kLargeBlockMin) return std::allocator<T>::deallocate(p, n);
        PutLargeBlock(p);
    }
    template <typename U>
    void construct(U* p) { ::new (static_cast<void*>(p)) U; }
    template <typename U, typename... Args>
    void construct(U* p, Args&&... args) { ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...); }
};
using ByteBuffer = std::vector<std::uint8_t, UninitAllocator<std::uint8_t>>;

// No image may hold more pixels than this, checked before anything is
// allocated: a header claiming 30000x30000 is refused, not attempted.
inline constexpr std::uint64_t kPixelBudget = std::uint64_t{1} << 28;

// Throws "图片尺寸过大" above the budget and "图片尺寸无效" for an empty size.
void CheckPixelBudget(std::uint64_t width, std::uint64_t height);

struct PixelImage {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    int channels = 0;        // 1 gray, 2 gray+alpha, 3 RGB, 4 RGBA
    int depth = 8;           // bits per sample: 8 or 16
    ByteBuffer pixels;
    double dpiX = 0;         // 0: the source gave none
    double dpiY = 0;
    std::vector<std::uint8_t> iccProfile;
    int orientation = 1;     // EXIF orientation not yet applied, 1 when upright

    bool Empty() const { return pixels.empty(); }
    bool HasAlpha() const { return channels == 2 || channels == 4; }
    bool IsGray() const { return channels <= 2; }
    std::size_t BytesPerPixel() const { return static_cast<std::size_t>(channels) * (depth / 8); }
    std::size_t Stride() const { return BytesPerPixel() * width; }
    std::uint8_t* Row(std::uint32_t y) { return pixels.data() + Stride() * y; }
    const std::uint8_t* Row(std::uint32_t y) const { return pixels.data() + Stride() * y; }

    // Sets the size and layout and allocates the pixels, within the budget.
    void Allocate(std::uint32_t w, std::uint32_t h, int channelCount, int bitDepth);
};

}  // namespace pelmora
