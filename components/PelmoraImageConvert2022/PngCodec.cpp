#include "components/PelmoraImageConvert2022/PngCodec.h"

#include "components/PelmoraImageConvert2022/IccProfile.h"
#include "components/PelmoraImageConvert2022/Orientation.h"
#include "components/PelmoraImageConvert2022/PaletteQuantizer.h"
#include "components/PelmoraImageConvert2022/PixelRows.h"
#include "components/PelmoraImageConvert2022/ProgressSink.h"

#include <cmath>
#include <cstring>

#include <png.h>

namespace pelmora {

namespace {

void OnPngError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

struct MemoryInput {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length)
{
    auto* in = static_cast<MemoryInput*>(png_get_io_ptr(png));
    if (length > in->size - in->at) png_error(png, "truncated");
    std::memcpy(out, in->data + in->at, length);
    in->at += length;
}

// A reader whose libpng calls run inside Run, where setjmp catches the error
// exit; nothing with a destructor lives in Run's frame.
class PngReader {
public:
    PngReader(const std::uint8_t* data, std::size_t size) : m_input{data, size}
    {
        m_png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, &OnPngError, &OnPngWarning);
        if (m_png) m_info = png_create_info_struct(m_png);
        if (!m_png || !m_info) Fail(texts::kOutOfMemory);
        png_set_read_fn(m_png, &m_input, &ReadFromMemory);
        // Chunk sizes are bounded, so a bogus length cannot ask for gigabytes.
        png_set_chunk_malloc_max(m_png, 64u << 20);
    }
    ~PngReader() { png_destroy_read_struct(&m_png, &m_info, nullptr); }
    PngReader(const PngReader&) = delete;
    PngReader& operator=(const PngReader&) = delete;

    template <typename Step>
    void Run(Step&& step)
    {
        if (setjmp(png_jmpbuf(m_png))) Fail(texts::kCorrupt);
        step(m_png, m_info);
    }

private:
    MemoryInput m_input;
    png_structp m_png = nullptr;
    png_infop m_info = nullptr;
};

int PngOrientation(png_structp png, png_infop info)
{
    png_uint_32 length = 0;
    png_bytep exif = nullptr;
    if (png_get_eXIf_1(png, info, &length, &exif) && exif) {
        // Some writers keep the "Exif\0\0" prefix inside the chunk.
        if (length > 6 && std::memcmp(exif, "Exif\0\0", 6) == 0) return ExifOrientation(exif + 6, length - 6);
        return ExifOrientation(exif, length);
    }
    return 1;
}

void ReadExtras(png_structp png, png_infop info, PixelImage& image)
{
    image.orientation = PngOrientation(png, info);
    png_uint_32 resX = 0, resY = 0;
    int unit = 0;
    if (png_get_pHYs(png, info, &resX, &resY, &unit) && unit == PNG_RESOLUTION_METER && resX > 0) {
        image.dpiX = std::round(resX * 0.0254);
        image.dpiY = std::round(resY * 0.0254);
    }
    png_charp name = nullptr;
    int compression = 0;
    png_bytep profile = nullptr;
    png_uint_32 length = 0;
    if (png_get_iCCP(png, info, &name, &compression, &profile, &length) && profile)
        image.iccProfile.assign(profile, profile + length);
}

// Sets the transforms that turn any PNG into gray, gray+alpha, RGB or RGBA
// of 8 or 16 bits; returns the channel count.
int SetUpTransforms(png_structp png, png_infop info, int& depth)
{
    int colorType = png_get_color_type(png, info);
    int bits = png_get_bit_depth(png, info);
    if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colorType == PNG_COLOR_TYPE_GRAY && bits < 8) png_set_expand_gray_1_2_4_to_8(png);
    bool transparency = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    if (transparency) png_set_tRNS_to_alpha(png);
    if (bits == 16) png_set_swap(png);
    depth = bits == 16 ? 16 : 8;
    bool gray = colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA;
    bool alpha = (colorType & PNG_COLOR_MASK_ALPHA) != 0 || transparency;
    return (gray ? 1 : 3) + (alpha ? 1 : 0);
}

void ReadRows(PngReader& reader, PixelImage& image, int passes, ProgressSink& progress)
{
    std::uint32_t band = RowsPerBand(image.width);
    std::uint64_t total = static_cast<std::uint64_t>(passes) * image.height;
    for (int pass = 0; pass < passes; ++pass) {
        for (std::uint32_t y0 = 0; y0 < image.height; y0 += band) {
            progress.Report(kImageStageLoad, kLoadTag, static_cast<std::uint64_t>(pass) * image.height + y0, total);
            reader.Run([&](png_structp png, png_infop) {
                for (std::uint32_t y = y0; y < image.height && y < y0 + band; ++y) png_read_row(png, image.Row(y), nullptr);
            });
        }
    }
    reader.Run([](png_structp png, png_infop) { png_read_end(png, nullptr); });
    progress.Report(kImageStageLoad, kLoadTag, total, total);
}

void WriteToBuffer(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<ByteBuffer*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void FlushNothing(png_structp) {}

class PngWriter {
public:
    explicit PngWriter(ByteBuffer& out)
    {
        m_png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, &OnPngError, &OnPngWarning);
        if (m_png) m_info = png_create_info_struct(m_png);
        if (!m_png || !m_info) Fail(texts::kOutOfMemory);
        png_set_write_fn(m_png, &out, &WriteToBuffer, &FlushNothing);
    }
    ~PngWriter() { png_destroy_write_struct(&m_png, &m_info); }
    PngWriter(const PngWriter&) = delete;
    PngWriter& operator=(const PngWriter&) = delete;

    template <typename Step>
    void Run(Step&& step)
    {
        if (setjmp(png_jmpbuf(m_png))) Fail(texts::kCannotWrite);
        step(m_png, m_info);
    }

private:
    png_structp m_png = nullptr;
    png_infop m_info = nullptr;
};

void WriteHeader(png_structp png, png_infop info, const PixelImage& image, int colorType, int depth, const EncodeSettings& settings)
{
    png_set_IHDR(png, info, image.width, image.height, depth, colorType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 9);
    double dpi = settings.dpi > 0 ? settings.dpi : image.dpiX;
    if (dpi > 0) {
        auto ppm = static_cast<png_uint_32>(std::lround(dpi / 0.0254));
        png_set_pHYs(png, info, ppm, ppm, PNG_RESOLUTION_METER);
    }
    bool gray = colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA;
    if (ProfileFits(image.iccProfile, gray))
        png_set_iCCP(png, info, "icc", PNG_COMPRESSION_TYPE_BASE, image.iccProfile.data(),
                     static_cast<png_uint_32>(image.iccProfile.size()));
}

ByteBuffer EncodeTrueColour(const PixelImage& image, int channels, int depth, const EncodeSettings& settings, ProgressSink& progress)
{
    static const int kTypes[] = {0, PNG_COLOR_TYPE_GRAY, PNG_COLOR_TYPE_GRAY_ALPHA, PNG_COLOR_TYPE_RGB, PNG_COLOR_TYPE_RGB_ALPHA};
    ByteBuffer out;
    PngWriter writer(out);
    PixelRows rows(image, channels, depth);
    writer.Run([&](png_structp png, png_infop info) {
        WriteHeader(png, info, image, kTypes[channels], depth, settings);
        png_write_info(png, info);
        if (depth == 16) png_set_swap(png);
    });
    std::uint32_t band = RowsPerBand(image.width);
    for (std::uint32_t y0 = 0; y0 < image.height; y0 += band) {
        progress.Report(kImageStageSave, kSaveTag, y0, image.height);
        writer.Run([&](png_structp png, png_infop) {
            for (std::uint32_t y = y0; y < image.height && y < y0 + band; ++y) png_write_row(png, rows.Row(y));
        });
    }
    writer.Run([](png_structp png, png_infop info) { png_write_end(png, info); });
    progress.Report(kImageStageSave, kSaveTag, image.height, image.height);
    return out;
}

ByteBuffer EncodePalette(const PixelImage& image, const EncodeSettings& settings, ProgressSink& progress)
{
    PalettedImage paletted = QuantizeImage(image, 256, AlphaMode::Graded, progress);
    ByteBuffer out;
    PngWriter writer(out);
    writer.Run([&](png_structp png, png_infop info) {
        WriteHeader(png, info, image, PNG_COLOR_TYPE_PALETTE, 8, settings);
        png_color colours[256];
        png_byte alphas[256];
        int count = static_cast<int>(paletted.palette.size()), lastTranslucent = -1;
        for (int i = 0; i < count; ++i) {
            const auto& e = paletted.palette[static_cast<std::size_t>(i)];
            colours[i] = {e[0], e[1], e[2]};
            alphas[i] = e[3];
            if (e[3] != 255) lastTranslucent = i;
        }
        png_set_PLTE(png, info, colours, count);
        if (lastTranslucent >= 0) png_set_tRNS(png, info, alphas, lastTranslucent + 1, nullptr);
        png_write_info(png, info);
    });
    std::uint32_t band = RowsPerBand(image.width);
    for (std::uint32_t y0 = 0; y0 < image.height; y0 += band) {
        progress.Report(kImageStageSave, kSaveTag, y0, image.height);
        writer.Run([&](png_structp png, png_infop) {
            for (std::uint32_t y = y0; y < image.height && y < y0 + band; ++y)
                png_write_row(png, paletted.indices.data() + static_cast<std::size_t>(y) * image.width);
        });
    }
    writer.Run([](png_structp png, png_infop info) { png_write_end(png, info); });
    progress.Report(kImageStageSave, kSaveTag, image.height, image.height);
    return out;
}

}  // namespace

HeaderInfo ReadPngHeader(const std::uint8_t* data, std::size_t size)
{
    PngReader reader(data, size);
    HeaderInfo header;
    reader.Run([&](png_structp png, png_infop info) {
        png_read_info(png, info);
        header.width = png_get_image_width(png, info);
        header.height = png_get_image_height(png, info);
        header.orientation = PngOrientation(png, info);
    });
    return header;
}

PixelImage DecodePng(const std::uint8_t* data, std::size_t size, ProgressSink& progress)
{
    PngReader reader(data, size);
    PixelImage image;
    std::uint32_t width = 0, height = 0;
    int channels = 0, depth = 8, passes = 1;
    reader.Run([&](png_structp png, png_infop info) {
        png_set_user_limits(png, 0x7FFFFFFF, 0x7FFFFFFF);
        png_read_info(png, info);
        width = png_get_image_width(png, info);
        height = png_get_image_height(png, info);
    });
    CheckPixelBudget(width, height);
    reader.Run([&](png_structp png, png_infop info) {
        channels = SetUpTransforms(png, info, depth);
        passes = png_set_interlace_handling(png);
        png_read_update_info(png, info);
        ReadExtras(png, info, image);
    });
    std::vector<std::uint8_t> profile = std::move(image.iccProfile);
    int orientation = image.orientation;
    double dpiX = image.dpiX, dpiY = image.dpiY;
    image.Allocate(width, height, channels, depth);
    image.iccProfile = std::move(profile);
    image.orientation = orientation;
    image.dpiX = dpiX;
    image.dpiY = dpiY;
    ReadRows(reader, image, passes, progress);
    return image;
}

ByteBuffer EncodePng(OutputKind kind, const PixelImage& image, const EncodeSettings& settings, ProgressSink& progress)
{
    switch (kind) {
    case OutputKind::Png8: return EncodePalette(image, settings, progress);
    case OutputKind::Png24: return EncodeTrueColour(image, 3, 8, settings, progress);
    case OutputKind::Png32: return EncodeTrueColour(image, 4, 8, settings, progress);
    case OutputKind::Png48: return EncodeTrueColour(image, 3, 16, settings, progress);
    case OutputKind::Png64: return EncodeTrueColour(image, 4, 16, settings, progress);
    default:
        if (settings.quality < 90) return EncodePalette(image, settings, progress);
        return EncodeTrueColour(image, image.channels, image.depth, settings, progress);
    }
}

}  // namespace pelmora
