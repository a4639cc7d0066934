#pragma once
// JPEG through libjpeg-turbo: its error exit and warnings are caught, so a
// bad file fails its own conversion only; a truncated or corrupt stream is a
// failure, never a grey-padded picture.
#include "components/PelmoraImageConvert2022/Codecs.h"

namespace pelmora {

HeaderInfo ReadJpegHeader(const std::uint8_t* data, std::size_t size);
PixelImage DecodeJpeg(const std::uint8_t* data, std::size_t size, ProgressSink& progress);
ByteBuffer EncodeJpeg(const PixelImage& image, const EncodeSettings& settings, ProgressSink& progress);

}  // namespace pelmora
