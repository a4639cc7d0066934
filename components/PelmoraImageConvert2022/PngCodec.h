#pragma once
// PNG through libpng, whose error and warning handlers are replaced: its
// default error handler ends the process. Written losslessly at zlib's best
// compression, or as a dithered palette for PNG8 and for compression below
// quality 90.
#include "components/PelmoraImageConvert2022/Codecs.h"

namespace pelmora {

HeaderInfo ReadPngHeader(const std::uint8_t* data, std::size_t size);
PixelImage DecodePng(const std::uint8_t* data, std::size_t size, ProgressSink& progress);
ByteBuffer EncodePng(OutputKind kind, const PixelImage& image, const EncodeSettings& settings, ProgressSink& progress);

}  // namespace pelmora
