#include "components/PelmoraImageConvert2022/PixelImage.h"

#include "components/PelmoraImageConvert2022/EngineFailure.h"

namespace pelmora {

void CheckPixelBudget(std::uint64_t width, std::uint64_t height)
{
    if (width == 0 || height == 0) Fail(texts::kBadSize);
    // Each side alone is bounded first, so the product cannot wrap.
    if (width > kPixelBudget || height > kPixelBudget || width * height > kPixelBudget) Fail(texts::kTooLarge);
}

void PixelImage::Allocate(std::uint32_t w, std::uint32_t h, int channelCount, int bitDepth)
{
    CheckPixelBudget(w, h);
    width = w;
    height = h;
    channels = channelCount;
    depth = bitDepth;
    pixels.clear();
    pixels.shrink_to_fit();
    pixels.resize(Stride() * h);
}

}  // namespace pelmora
