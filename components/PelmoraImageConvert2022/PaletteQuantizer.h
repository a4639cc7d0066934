#pragma once
// Up to 256 colours for palette outputs (PNG8, GIF, compressed PNG): exact
// when the picture has few enough colours, otherwise a median cut of a
// colour histogram and Floyd-Steinberg dithering onto it.
#include "components/PelmoraImageConvert2022/PixelImage.h"

#include <array>
#include <cstdint>
#include <vector>

namespace pelmora {

class ProgressSink;

struct PalettedImage {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::array<std::uint8_t, 4>> palette;   // RGBA
    ByteBuffer indices;                                  // one per pixel, rows top-down
    int transparentIndex = -1;                           // with binary alpha: the one clear entry
};

enum class AlphaMode { Graded, Binary };

// Graded keeps alpha levels in the palette (PNG); Binary makes pixels below
// half opacity one transparent entry and the rest opaque (GIF).
PalettedImage QuantizeImage(const PixelImage& image, int maxColors, AlphaMode alpha, ProgressSink& progress);

}  // namespace pelmora
