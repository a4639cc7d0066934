#include "components/PelmoraImageConvert2022/JpegCodec.h"

#include "components/PelmoraImageConvert2022/IccProfile.h"
#include "components/PelmoraImageConvert2022/JpegSession.h"
#include "components/PelmoraImageConvert2022/PixelRows.h"
#include "components/PelmoraImageConvert2022/ProgressSink.h"

#include <cstring>

namespace pelmora {

namespace {

void CmykRowToRgb(std::uint8_t* row, std::uint32_t width, bool inverted)
{
    for (std::uint32_t x = 0; x < width; ++x) {
        const std::uint8_t* s = row + x * 4;
        int c = s[0], m = s[1], y = s[2], k = s[3];
        if (!inverted) { c = 255 - c; m = 255 - m; y = 255 - y; k = 255 - k; }
        std::uint8_t* d = row + x * 3;
        d[0] = static_cast<std::uint8_t>(c * k / 255);
        d[1] = static_cast<std::uint8_t>(m * k / 255);
        d[2] = static_cast<std::uint8_t>(y * k / 255);
    }
}

void ReadRows(JpegReader& reader, PixelImage& image, bool cmyk, ProgressSink& progress)
{
    jpeg_decompress_struct& info = reader.Info();
    std::uint32_t band = RowsPerBand(image.width);
    std::vector<std::uint8_t> cmykRow(cmyk ? static_cast<std::size_t>(image.width) * 4 : 0);
    bool inverted = info.saw_Adobe_marker;
    while (info.output_scanline < info.output_height) {
        std::uint32_t y0 = info.output_scanline;
        progress.Report(kImageStageLoad, kLoadTag, y0, image.height);
        reader.Run([&](jpeg_decompress_struct& i) {
            while (i.output_scanline < i.output_height && i.output_scanline < y0 + band) {
                JSAMPROW row = cmyk ? cmykRow.data() : image.Row(i.output_scanline);
                std::uint32_t y = i.output_scanline;
                if (jpeg_read_scanlines(&i, &row, 1) != 1) break;
                if (cmyk) {
                    CmykRowToRgb(cmykRow.data(), image.width, inverted);
                    std::memcpy(image.Row(y), cmykRow.data(), static_cast<std::size_t>(image.width) * 3);
                }
            }
        });
        if (info.output_scanline == y0) Fail(texts::kCorrupt);
    }
    progress.Report(kImageStageLoad, kLoadTag, image.height, image.height);
}

void SetUpCompression(jpeg_compress_struct& info, const PixelImage& image, const EncodeSettings& settings)
{
    info.image_width = image.width;
    info.image_height = image.height;
    info.input_components = image.IsGray() ? 1 : 3;
    info.in_color_space = image.IsGray() ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, settings.quality, TRUE);
    info.optimize_coding = settings.smallest ? TRUE : FALSE;
    SetDensity(info, settings.dpi, image.dpiX);
}

}  // namespace

HeaderInfo ReadJpegHeader(const std::uint8_t* data, std::size_t size)
{
    JpegReader reader(data, size);
    ReadHeaderWithMarkers(reader);
    return {reader.Info().image_width, reader.Info().image_height, OrientationOf(reader.Info())};
}

PixelImage DecodeJpeg(const std::uint8_t* data, std::size_t size, ProgressSink& progress)
{
    JpegReader reader(data, size);
    ReadHeaderWithMarkers(reader);
    jpeg_decompress_struct& info = reader.Info();
    CheckPixelBudget(info.image_width, info.image_height);
    bool cmyk = IsCmyk(info);
    bool gray = info.num_components == 1;
    info.out_color_space = cmyk ? JCS_CMYK : gray ? JCS_GRAYSCALE : JCS_RGB;
    PixelImage image;
    image.orientation = OrientationOf(info);
    image.dpiX = image.dpiY = DpiOf(info);
    // A CMYK profile describes the ink values, which become RGB here.
    if (!cmyk) ReadIcc(reader, image.iccProfile);
    reader.Run([](jpeg_decompress_struct& i) { jpeg_start_decompress(&i); });
    image.Allocate(info.output_width, info.output_height, gray ? 1 : 3, 8);
    ReadRows(reader, image, cmyk, progress);
    return image;
}

ByteBuffer EncodeJpeg(const PixelImage& image, const EncodeSettings& settings, ProgressSink& progress)
{
    if (image.width > JPEG_MAX_DIMENSION || image.height > JPEG_MAX_DIMENSION) Fail(texts::kTooLargeForFormat);
    ByteBuffer out;
    JpegWriter writer(out);
    PixelRows rows(image, image.IsGray() ? 1 : 3, 8);
    writer.Run([&](jpeg_compress_struct& info) {
        SetUpCompression(info, image, settings);
        jpeg_start_compress(&info, TRUE);
        if (ProfileFits(image.iccProfile, image.IsGray()))
            jpeg_write_icc_profile(&info, image.iccProfile.data(), static_cast<unsigned int>(image.iccProfile.size()));
    });
    std::uint32_t band = RowsPerBand(image.width);
    jpeg_compress_struct& info = writer.Info();
    while (info.next_scanline < info.image_height) {
        std::uint32_t y0 = info.next_scanline;
        progress.Report(kImageStageSave, kSaveTag, y0, image.height);
        writer.Run([&](jpeg_compress_struct& i) {
            while (i.next_scanline < i.image_height && i.next_scanline < y0 + band) {
                JSAMPROW row = const_cast<JSAMPROW>(rows.Row(i.next_scanline));
                jpeg_write_scanlines(&i, &row, 1);
            }
        });
    }
    writer.Run([](jpeg_compress_struct& i) { jpeg_finish_compress(&i); });
    progress.Report(kImageStageSave, kSaveTag, image.height, image.height);
    return out;
}

}  // namespace pelmora
