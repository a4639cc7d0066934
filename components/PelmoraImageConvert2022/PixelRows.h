#pragma once
// Rows of an image in the layout an encoder needs: gray or colour, with or
// without alpha, 8 or 16 bits. Alpha that the target lacks goes onto white.
#include "components/PelmoraImageConvert2022/PixelImage.h"

#include <cstdint>
#include <vector>

namespace pelmora {

class PixelRows {
public:
    PixelRows(const PixelImage& image, int channels, int depth);

    // Row y in the target layout; valid until the next call.
    const std::uint8_t* Row(std::uint32_t y);
    std::size_t Stride() const { return m_stride; }

private:
    const PixelImage& m_image;
    int m_channels;
    int m_depth;
    std::size_t m_stride;
    std::vector<std::uint8_t> m_scratch;
};

// Converts a whole image into another layout.
PixelImage ConvertLayout(const PixelImage& image, int channels, int depth);

}  // namespace pelmora
