#pragma once
// Filtered resizing: a separable Catmull-Rom filter widened when shrinking,
// so every source pixel counts; alpha is premultiplied while filtering, so
// transparent pixels lend no colour to their neighbours. Source rows are
// filtered across once and kept only while output rows need them.
#include "components/PelmoraImageConvert2022/PixelImage.h"

namespace pelmora {

class ProgressSink;

PixelImage ResizeImage(const PixelImage& image, std::uint32_t width, std::uint32_t height, ProgressSink& progress);

}  // namespace pelmora
