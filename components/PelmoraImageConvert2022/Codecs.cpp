#include "components/PelmoraImageConvert2022/Codecs.h"

#include "components/PelmoraImageConvert2022/BmpCodec.h"
#include "components/PelmoraImageConvert2022/GifCodec.h"
#include "components/PelmoraImageConvert2022/IconCodec.h"
#include "components/PelmoraImageConvert2022/Jp2Codec.h"
#include "components/PelmoraImageConvert2022/JpegCodec.h"
#include "components/PelmoraImageConvert2022/PngCodec.h"
#include "components/PelmoraImageConvert2022/PnmCodec.h"
#include "components/PelmoraImageConvert2022/TgaCodec.h"
#include "components/PelmoraImageConvert2022/TiffCodec.h"
#include "components/PelmoraImageConvert2022/WebpCodec.h"

namespace pelmora {

HeaderInfo ReadHeader(SourceFormat format, const std::uint8_t* data, std::size_t size)
{
    switch (format) {
    case SourceFormat::Jpeg: return ReadJpegHeader(data, size);
    case SourceFormat::Png: return ReadPngHeader(data, size);
    case SourceFormat::Bmp: return ReadBmpHeader(data, size);
    case SourceFormat::Gif: return ReadGifHeader(data, size);
    case SourceFormat::Tiff: return ReadTiffHeader(data, size);
    case SourceFormat::WebP: return ReadWebpHeader(data, size);
    case SourceFormat::Jp2:
    case SourceFormat::J2k: return ReadJp2Header(format, data, size);
    case SourceFormat::Pnm: return ReadPnmHeader(data, size);
    case SourceFormat::Ico:
    case SourceFormat::Cur: return ReadIconHeader(data, size);
    case SourceFormat::Tga: return ReadTgaHeader(data, size);
    case SourceFormat::Unknown: break;
    }
    Fail(texts::kUnsupportedFormat);
}

PixelImage DecodeImage(SourceFormat format, const std::uint8_t* data, std::size_t size, ProgressSink& progress)
{
    switch (format) {
    case SourceFormat::Jpeg: return DecodeJpeg(data, size, progress);
    case SourceFormat::Png: return DecodePng(data, size, progress);
    case SourceFormat::Bmp: return DecodeBmp(data, size, progress);
    case SourceFormat::Gif: return DecodeGif(data, size, progress);
    case SourceFormat::Tiff: return DecodeTiff(data, size, progress);
    case SourceFormat::WebP: return DecodeWebp(data, size, progress);
    case SourceFormat::Jp2:
    case SourceFormat::J2k: return DecodeJp2(format, data, size, progress);
    case SourceFormat::Pnm: return DecodePnm(data, size, progress);
    case SourceFormat::Ico:
    case SourceFormat::Cur: return DecodeIcon(data, size, progress);
    case SourceFormat::Tga: return DecodeTga(data, size, progress);
    case SourceFormat::Unknown: break;
    }
    Fail(texts::kUnsupportedFormat);
}

ByteBuffer EncodeImage(OutputKind kind, const PixelImage& image, const EncodeSettings& settings, ProgressSink& progress)
{
    switch (kind) {
    case OutputKind::Jpeg: return EncodeJpeg(image, settings, progress);
    case OutputKind::Png:
    case OutputKind::Png8:
    case OutputKind::Png24:
    case OutputKind::Png32:
    case OutputKind::Png48:
    case OutputKind::Png64: return EncodePng(kind, image, settings, progress);
    case OutputKind::Bmp: return EncodeBmp(image, settings, progress);
    case OutputKind::Gif: return EncodeGif(image, settings, progress);
    case OutputKind::Tiff: return EncodeTiff(image, settings, progress);
    case OutputKind::WebP: return EncodeWebp(image, settings, progress);
    }
    Fail(texts::kUnsupportedFormat);
}

bool IsLossy(OutputKind kind)
{
    return kind == OutputKind::Jpeg || kind == OutputKind::WebP;
}

}  // namespace pelmora
