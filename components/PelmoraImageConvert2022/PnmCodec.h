#pragma once
// The portable anymap family read by our own code: PBM, PGM and PPM in text
// and binary form (P1-P6) and PAM (P7), 8 or 16 bits.
#include "components/PelmoraImageConvert2022/Codecs.h"

namespace pelmora {

HeaderInfo ReadPnmHeader(const std::uint8_t* data, std::size_t size);
PixelImage DecodePnm(const std::uint8_t* data, std::size_t size, ProgressSink& progress);

}  // namespace pelmora
