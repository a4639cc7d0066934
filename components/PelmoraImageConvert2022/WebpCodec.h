#pragma once
// WebP through libwebp: decoded incrementally in bands (the first frame of an
// animation), encoded lossy at the given quality with alpha kept; the colour
// profile travels in the container.
#include "components/PelmoraImageConvert2022/Codecs.h"

namespace pelmora {

HeaderInfo ReadWebpHeader(const std::uint8_t* data, std::size_t size);
PixelImage DecodeWebp(const std::uint8_t* data, std::size_t size, ProgressSink& progress);
ByteBuffer EncodeWebp(const PixelImage& image, const EncodeSettings& settings, ProgressSink& progress);

}  // namespace pelmora
