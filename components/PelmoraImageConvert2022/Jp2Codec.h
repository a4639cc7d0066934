#pragma once
// JPEG 2000 (JP2 files and bare J2K/J2C streams) read through openjpeg.
#include "components/PelmoraImageConvert2022/Codecs.h"

namespace pelmora {

HeaderInfo ReadJp2Header(SourceFormat format, const std::uint8_t* data, std::size_t size);
PixelImage DecodeJp2(SourceFormat format, const std::uint8_t* data, std::size_t size, ProgressSink& progress);

}  // namespace pelmora
