#pragma once
// TIFF through libtiff: the first page; gray and RGB of 8 or 16 bits with or
// without alpha read as they are, everything else (palette, CMYK, YCbCr,
// 1-bit, tiles) through libtiff's RGBA reader. Written deflate-compressed in
// the picture's own layout. libtiff's messages go to per-file handlers.
#include "components/PelmoraImageConvert2022/Codecs.h"

namespace pelmora {

HeaderInfo ReadTiffHeader(const std::uint8_t* data, std::size_t size);
PixelImage DecodeTiff(const std::uint8_t* data, std::size_t size, ProgressSink& progress);
ByteBuffer EncodeTiff(const PixelImage& image, const EncodeSettings& settings, ProgressSink& progress);

}  // namespace pelmora
