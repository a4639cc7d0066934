#include "components/PelmoraImageConvert2022/Codecs.h"

#include "components/PelmoraImageConvert2022/BmpCodec.h"
#include "components/PelmoraImageConvert2022/JpegCodec.h"

namespace pelmora {

HeaderInfo ReadHeader(SourceFormat format, const std::uint8_t* data, std::size_t size)
{
    switch (format) {
    case SourceFormat::Jpeg: return ReadJpegHeader(data, size);
    case SourceFormat::Bmp: return ReadBmpHeader(data, size);
    default: Fail(texts::kUnsupportedFormat);
    }
}

PixelImage DecodeImage(SourceFormat format, const std::uint8_t* data, std::size_t size, ProgressSink& progress)
{
    switch (format) {
    case SourceFormat::Jpeg: return DecodeJpeg(data, size, progress);
    case SourceFormat::Bmp: return DecodeBmp(data, size, progress);
    default: Fail(texts::kUnsupportedFormat);
    }
}

ByteBuffer EncodeImage(OutputKind kind, const PixelImage& image, const EncodeSettings& settings, ProgressSink& progress)
{
    switch (kind) {
    case OutputKind::Jpeg: return EncodeJpeg(image, settings, progress);
    case OutputKind::Bmp: return EncodeBmp(image, settings, progress);
    default: Fail(texts::kUnsupportedFormat);
    }
}

bool IsLossy(OutputKind kind)
{
    return kind == OutputKind::Jpeg || kind == OutputKind::WebP;
}

}  // namespace pelmora
