#pragma once
// BMP and DIB files: uncompressed 1, 4, 8, 16, 24 and 32 bits and RLE8/RLE4
// read; 24-bit written, alpha onto white.
#include "components/PelmoraImageConvert2022/Codecs.h"

namespace pelmora {

HeaderInfo ReadBmpHeader(const std::uint8_t* data, std::size_t size);
PixelImage DecodeBmp(const std::uint8_t* data, std::size_t size, ProgressSink& progress);
ByteBuffer EncodeBmp(const PixelImage& image, const EncodeSettings& settings, ProgressSink& progress);

}  // namespace pelmora
