#pragma once
// Truevision TGA read by our own code: colour-mapped, true-colour and gray,
// plain or run-length encoded, either origin.
#include "components/PelmoraImageConvert2022/Codecs.h"

namespace pelmora {

HeaderInfo ReadTgaHeader(const std::uint8_t* data, std::size_t size);
PixelImage DecodeTga(const std::uint8_t* data, std::size_t size, ProgressSink& progress);

}  // namespace pelmora
