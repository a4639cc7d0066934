#pragma once
// Image bytes into premultiplied BGRA through WIC. Safe on any thread that
// has COM initialised.
#include "components/node/DecodedImage.h"

#include <memory>
#include <string>

namespace node {

// Null when the bytes are no image WIC knows, or larger than 16384 pixels a side.
std::shared_ptr<DecodedImage> DecodeImage(const std::string& bytes);

} // namespace node
