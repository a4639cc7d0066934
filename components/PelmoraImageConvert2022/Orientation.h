#pragma once
// EXIF orientation: read from an EXIF block, applied to the pixels.
#include "components/PelmoraImageConvert2022/PixelImage.h"

#include <cstddef>
#include <cstdint>

namespace pelmora {

class ProgressSink;

// The orientation tag (1-8) of a TIFF-structured EXIF block (after "Exif\0\0"); 1 when absent or unreadable.
int ExifOrientation(const std::uint8_t* tiff, std::size_t size);

// Orientations 5-8 swap width and height.
bool SwapsAxes(int orientation);

// Turns the pixels upright and sets the orientation to 1.
void ApplyOrientation(PixelImage& image, ProgressSink& progress);

}  // namespace pelmora
