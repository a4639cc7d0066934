#pragma once
// A JPEG held as its quantised DCT coefficients. Written again as JPEG, it is
// requantised to the new quality and entropy-coded, skipping the inverse and
// forward transforms, the colour conversion and the chroma resampling that a
// round trip through pixels spends most of its time on, and losing no more
// than the requantisation. Anything that needs pixels decodes them from the
// kept file bytes.
#include "components/PelmoraImageConvert2022/Codecs.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace pelmora {

class JpegCoefficients {
public:
    // Whether a JPEG can be held this way: 8-bit YCbCr or gray (CMYK and
    // other colour spaces go through pixels). Reads the header only.
    static bool Suits(const std::uint8_t* data, std::size_t size);

    // Copies the bytes and reads the coefficients, reporting to the load
    // stage; fails like the pixel decoder on a corrupt or truncated stream.
    JpegCoefficients(const std::uint8_t* data, std::size_t size, ProgressSink& progress);
    ~JpegCoefficients();
    JpegCoefficients(const JpegCoefficients&) = delete;
    JpegCoefficients& operator=(const JpegCoefficients&) = delete;

    std::uint32_t Width() const;
    std::uint32_t Height() const;
    int Orientation() const { return m_orientation; }
    bool IsGray() const;

    // The picture re-encoded at the settings' quality; reports to the save stage.
    ByteBuffer Encode(const EncodeSettings& settings, ProgressSink& progress) const;
    // The pixels, decoded from the kept bytes.
    PixelImage DecodePixels(ProgressSink& progress) const;

private:
    struct Decoded;
    ByteBuffer m_bytes;
    std::unique_ptr<Decoded> m_decoded;
    int m_orientation = 1;
    double m_dpi = 0;
    std::vector<std::uint8_t> m_icc;
};

}  // namespace pelmora
