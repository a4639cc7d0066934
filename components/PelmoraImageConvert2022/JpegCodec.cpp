#include "components/PelmoraImageConvert2022/JpegCodec.h"

#include "components/PelmoraImageConvert2022/IccProfile.h"
#include "components/PelmoraImageConvert2022/Orientation.h"
#include "components/PelmoraImageConvert2022/PixelRows.h"
#include "components/PelmoraImageConvert2022/ProgressSink.h"

#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jerror.h>
#include <jpeglib.h>

namespace pelmora {

namespace {

// libjpeg's error exit ends the process; here it jumps back to the call that
// started the libjpeg work. Warnings that mean lost picture data count as errors.
struct JpegErrors {
    jpeg_error_mgr base;
    std::jmp_buf escape;
    bool dataLost = false;
};

void OnError(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<JpegErrors*>(cinfo->err)->escape, 1);
}

void OnMessage(j_common_ptr cinfo, int level)
{
    auto* errors = reinterpret_cast<JpegErrors*>(cinfo->err);
    if (level >= 0) return;
    switch (errors->base.msg_code) {
    case JWRN_JPEG_EOF:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_HIT_MARKER:
    case JWRN_MUST_RESYNC:
    case JWRN_NOT_SEQUENTIAL:
    case JWRN_BOGUS_PROGRESSION:
        errors->dataLost = true;
        break;
    default:
        break;
    }
}

void InstallErrors(JpegErrors& errors)
{
    jpeg_std_error(&errors.base);
    errors.base.error_exit = &OnError;
    errors.base.emit_message = &OnMessage;
}

// A decompressor over a byte range; libjpeg calls run inside Run, whose
// setjmp catches the error exit. Nothing with a destructor lives in Run's frame.
class JpegReader {
public:
    JpegReader(const std::uint8_t* data, std::size_t size)
    {
        InstallErrors(m_errors);
        m_info.err = &m_errors.base;
        jpeg_create_decompress(&m_info);
        jpeg_mem_src(&m_info, data, static_cast<unsigned long>(size));
    }
    ~JpegReader() { jpeg_destroy_decompress(&m_info); }
    JpegReader(const JpegReader&) = delete;
    JpegReader& operator=(const JpegReader&) = delete;

    template <typename Step>
    void Run(Step&& step)
    {
        if (setjmp(m_errors.escape)) Fail(texts::kCorrupt);
        step(m_info);
        if (m_errors.dataLost) Fail(texts::kCorrupt);
    }
    jpeg_decompress_struct& Info() { return m_info; }

private:
    JpegErrors m_errors;
    jpeg_decompress_struct m_info{};
};

void ReadHeaderWithMarkers(JpegReader& reader)
{
    reader.Run([](jpeg_decompress_struct& info) {
        jpeg_save_markers(&info, JPEG_APP0 + 1, 0xFFFF);
        jpeg_save_markers(&info, JPEG_APP0 + 2, 0xFFFF);
        jpeg_read_header(&info, TRUE);
    });
}

int OrientationOf(const jpeg_decompress_struct& info)
{
    for (jpeg_saved_marker_ptr m = info.marker_list; m; m = m->next)
        if (m->marker == JPEG_APP0 + 1 && m->data_length > 6 && std::memcmp(m->data, "Exif\0\0", 6) == 0)
            return ExifOrientation(m->data + 6, m->data_length - 6);
    return 1;
}

double DpiOf(const jpeg_decompress_struct& info)
{
    if (!info.saw_JFIF_marker || info.X_density == 0) return 0;
    if (info.density_unit == 1) return info.X_density;
    if (info.density_unit == 2) return std::round(info.X_density * 2.54);
    return 0;
}

bool IsCmyk(const jpeg_decompress_struct& info)
{
    return info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
}

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

void ReadIcc(JpegReader& reader, PixelImage& image)
{
    JOCTET* icc = nullptr;
    unsigned int length = 0;
    reader.Run([&](jpeg_decompress_struct& info) {
        if (jpeg_read_icc_profile(&info, &icc, &length)) {
            image.iccProfile.assign(icc, icc + length);
            std::free(icc);
        }
    });
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

// Writes into a growing buffer, so the file is written in one go only when
// the whole picture is encoded.
struct BufferDestination {
    jpeg_destination_mgr base;
    ByteBuffer* out;
};

void InitDestination(j_compress_ptr cinfo)
{
    auto* dest = reinterpret_cast<BufferDestination*>(cinfo->dest);
    dest->out->resize(1 << 16);
    dest->base.next_output_byte = dest->out->data();
    dest->base.free_in_buffer = dest->out->size();
}

boolean GrowDestination(j_compress_ptr cinfo)
{
    auto* dest = reinterpret_cast<BufferDestination*>(cinfo->dest);
    std::size_t used = dest->out->size();
    dest->out->resize(used * 2);
    dest->base.next_output_byte = dest->out->data() + used;
    dest->base.free_in_buffer = dest->out->size() - used;
    return TRUE;
}

void TermDestination(j_compress_ptr cinfo)
{
    auto* dest = reinterpret_cast<BufferDestination*>(cinfo->dest);
    dest->out->resize(dest->out->size() - dest->base.free_in_buffer);
}

class JpegWriter {
public:
    explicit JpegWriter(ByteBuffer& out)
    {
        InstallErrors(m_errors);
        m_info.err = &m_errors.base;
        jpeg_create_compress(&m_info);
        m_dest.base.init_destination = &InitDestination;
        m_dest.base.empty_output_buffer = &GrowDestination;
        m_dest.base.term_destination = &TermDestination;
        m_dest.out = &out;
        m_info.dest = &m_dest.base;
    }
    ~JpegWriter() { jpeg_destroy_compress(&m_info); }
    JpegWriter(const JpegWriter&) = delete;
    JpegWriter& operator=(const JpegWriter&) = delete;

    template <typename Step>
    void Run(Step&& step)
    {
        if (setjmp(m_errors.escape)) Fail(texts::kCannotWrite);
        step(m_info);
    }
    jpeg_compress_struct& Info() { return m_info; }

private:
    JpegErrors m_errors;
    jpeg_compress_struct m_info{};
    BufferDestination m_dest{};
};

void SetUpCompression(jpeg_compress_struct& info, const PixelImage& image, const EncodeSettings& settings)
{
    info.image_width = image.width;
    info.image_height = image.height;
    info.input_components = image.IsGray() ? 1 : 3;
    info.in_color_space = image.IsGray() ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, settings.quality, TRUE);
    info.optimize_coding = settings.smallest ? TRUE : FALSE;
    double dpi = settings.dpi > 0 ? settings.dpi : image.dpiX;
    if (dpi > 0) {
        info.density_unit = 1;
        info.X_density = info.Y_density = static_cast<UINT16>(std::lround(dpi < 1 ? 1 : dpi > 65535 ? 65535 : dpi));
    }
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
    if (!cmyk) ReadIcc(reader, image);
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
