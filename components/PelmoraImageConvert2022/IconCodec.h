#pragma once
// ICO and CUR read through the system's imaging component (WIC): the largest
// picture of the file. A cursor is the icon layout with hot spots in place of
// planes and bit counts, so it is read as an icon.
#include "components/PelmoraImageConvert2022/Codecs.h"

namespace pelmora {

HeaderInfo ReadIconHeader(const std::uint8_t* data, std::size_t size);
PixelImage DecodeIcon(const std::uint8_t* data, std::size_t size, ProgressSink& progress);

}  // namespace pelmora
