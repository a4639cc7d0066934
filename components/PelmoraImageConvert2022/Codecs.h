#pragma once
// The codecs behind one door: header reading, decoding and encoding by format.
#include "components/PelmoraImageConvert2022/EngineFailure.h"
#include "components/PelmoraImageConvert2022/ImageFormat.h"
#include "components/PelmoraImageConvert2022/PixelImage.h"

#include <cstddef>
#include <cstdint>

namespace pelmora {

class ProgressSink;

struct HeaderInfo {
    std::uint32_t width = 0;   // as stored, before the orientation is applied
    std::uint32_t height = 0;
    int orientation = 1;
};

struct EncodeSettings {
    int quality = 90;        // 1-100
    double dpi = 0;          // 0: the image's own, if any
    bool smallest = false;   // spend time for fewer bytes (target-size search)
};

HeaderInfo ReadHeader(SourceFormat format, const std::uint8_t* data, std::size_t size);
PixelImage DecodeImage(SourceFormat format, const std::uint8_t* data, std::size_t size, ProgressSink& progress);
ByteBuffer EncodeImage(OutputKind kind, const PixelImage& image, const EncodeSettings& settings, ProgressSink& progress);

// Whether quality changes the size of this output, so a target size can be searched.
bool IsLossy(OutputKind kind);

// Tags of the monitors' steps.
inline constexpr const char* kLoadTag = "Load/Image";
inline constexpr const char* kSaveTag = "Save/Image";
inline constexpr const char* kResizeTag = "Resize/Image";
inline constexpr const char* kClassifyTag = "Dither/Classify";
inline constexpr const char* kDitherTag = "Dither/Image";

}  // namespace pelmora
