#pragma once
// GIF through giflib: the first frame of an animation, drawn on the logical
// screen; written as one dithered 256-colour frame with one clear entry for
// pixels below half opacity.
#include "components/PelmoraImageConvert2022/Codecs.h"

namespace pelmora {

HeaderInfo ReadGifHeader(const std::uint8_t* data, std::size_t size);
PixelImage DecodeGif(const std::uint8_t* data, std::size_t size, ProgressSink& progress);
ByteBuffer EncodeGif(const PixelImage& image, const EncodeSettings& settings, ProgressSink& progress);

}  // namespace pelmora
