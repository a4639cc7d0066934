#include "components/PelmoraImageConvert2022/Jp2Codec.h"

#include "components/PelmoraImageConvert2022/ProgressSink.h"

#include <algorithm>
#include <cstring>

#include <openjpeg.h>

namespace pelmora {

namespace {

struct MemoryInput {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
};

OPJ_SIZE_T ReadProc(void* buffer, OPJ_SIZE_T length, void* user)
{
    auto* in = static_cast<MemoryInput*>(user);
    std::size_t n = std::min<std::size_t>(length, in->size - in->at);
    if (n == 0) return static_cast<OPJ_SIZE_T>(-1);
    std::memcpy(buffer, in->data + in->at, n);
    in->at += n;
    return n;
}

OPJ_OFF_T SkipProc(OPJ_OFF_T count, void* user)
{
    auto* in = static_cast<MemoryInput*>(user);
    if (count < 0) return -1;
    std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(count), in->size - in->at);
    in->at += n;
    return static_cast<OPJ_OFF_T>(n);
}

OPJ_BOOL SeekProc(OPJ_OFF_T at, void* user)
{
    auto* in = static_cast<MemoryInput*>(user);
    if (at < 0 || static_cast<std::size_t>(at) > in->size) return OPJ_FALSE;
    in->at = static_cast<std::size_t>(at);
    return OPJ_TRUE;
}

void Quiet(const char*, void*) {}

// Codec, stream and image of one decode, freed together.
class Jp2Decoder {
public:
    Jp2Decoder(SourceFormat format, const std::uint8_t* data, std::size_t size) : m_input{data, size}
    {
        m_codec = opj_create_decompress(format == SourceFormat::Jp2 ? OPJ_CODEC_JP2 : OPJ_CODEC_J2K);
        m_stream = opj_stream_default_create(OPJ_TRUE);
        if (!m_codec || !m_stream) Fail(texts::kOutOfMemory);
        opj_set_error_handler(m_codec, &Quiet, nullptr);
        opj_set_warning_handler(m_codec, &Quiet, nullptr);
        opj_set_info_handler(m_codec, &Quiet, nullptr);
        opj_stream_set_user_data(m_stream, &m_input, nullptr);
        opj_stream_set_user_data_length(m_stream, size);
        opj_stream_set_read_function(m_stream, &ReadProc);
        opj_stream_set_skip_function(m_stream, &SkipProc);
        opj_stream_set_seek_function(m_stream, &SeekProc);
        opj_dparameters_t parameters;
        opj_set_default_decoder_parameters(&parameters);
        if (!opj_setup_decoder(m_codec, &parameters) || !opj_read_header(m_stream, m_codec, &m_image) || !m_image)
            Fail(texts::kCorrupt);
    }
    ~Jp2Decoder()
    {
        if (m_image) opj_image_destroy(m_image);
        if (m_stream) opj_stream_destroy(m_stream);
        if (m_codec) opj_destroy_codec(m_codec);
    }
    Jp2Decoder(const Jp2Decoder&) = delete;
    Jp2Decoder& operator=(const Jp2Decoder&) = delete;

    std::uint32_t Width() const { return m_image->x1 - m_image->x0; }
    std::uint32_t Height() const { return m_image->y1 - m_image->y0; }
    opj_image_t* Image() const { return m_image; }
    void Decode()
    {
        if (!opj_decode(m_codec, m_stream, m_image) || !opj_end_decompress(m_codec, m_stream)) Fail(texts::kCorrupt);
    }

private:
    MemoryInput m_input;
    opj_codec_t* m_codec = nullptr;
    opj_stream_t* m_stream = nullptr;
    opj_image_t* m_image = nullptr;
};

// Components that make the picture: 1 gray, 2 gray+alpha, 3 colour, 4 colour+alpha.
int UsableComponents(const opj_image_t* image)
{
    int n = static_cast<int>(std::min<OPJ_UINT32>(image->numcomps, 4));
    for (int c = 0; c < n; ++c)
        if (!image->comps[c].data || image->comps[c].prec == 0 || image->comps[c].prec > 16) Fail(texts::kCorrupt);
    return n;
}

int Sample(const opj_image_comp_t& comp, std::uint32_t x, std::uint32_t y, int maxValue)
{
    std::uint32_t cx = std::min<std::uint32_t>(x / std::max<OPJ_UINT32>(comp.dx, 1), comp.w - 1);
    std::uint32_t cy = std::min<std::uint32_t>(y / std::max<OPJ_UINT32>(comp.dy, 1), comp.h - 1);
    int v = comp.data[static_cast<std::size_t>(cy) * comp.w + cx];
    if (comp.sgnd) v += 1 << (comp.prec - 1);
    int compMax = (1 << comp.prec) - 1;
    v = std::clamp(v, 0, compMax);
    return compMax == maxValue ? v : static_cast<int>((static_cast<long long>(v) * maxValue + compMax / 2) / compMax);
}

void YccToRgb(int* s, int maxValue)
{
    double half = (maxValue + 1) / 2.0;
    double y = s[0], cb = s[1] - half, cr = s[2] - half;
    s[0] = std::clamp(static_cast<int>(y + 1.402 * cr + 0.5), 0, maxValue);
    s[1] = std::clamp(static_cast<int>(y - 0.344136 * cb - 0.714136 * cr + 0.5), 0, maxValue);
    s[2] = std::clamp(static_cast<int>(y + 1.772 * cb + 0.5), 0, maxValue);
}

void CopyPixels(const opj_image_t* source, PixelImage& image, ProgressSink& progress)
{
    int maxValue = image.depth == 16 ? 65535 : 255;
    bool ycc = source->color_space == OPJ_CLRSPC_SYCC && image.channels >= 3;
    std::uint32_t band = RowsPerBand(image.width);
    for (std::uint32_t y = 0; y < image.height; ++y) {
        if (y % band == 0) progress.Report(kImageStageLoad, kLoadTag, y, image.height);
        std::uint8_t* row = image.Row(y);
        for (std::uint32_t x = 0; x < image.width; ++x) {
            int s[4];
            for (int c = 0; c < image.channels; ++c) s[c] = Sample(source->comps[c], x, y, maxValue);
            if (ycc) YccToRgb(s, maxValue);
            for (int c = 0; c < image.channels; ++c) {
                std::size_t i = static_cast<std::size_t>(x) * image.channels + c;
                if (image.depth == 16) { auto v = static_cast<std::uint16_t>(s[c]); std::memcpy(row + i * 2, &v, 2); }
                else row[i] = static_cast<std::uint8_t>(s[c]);
            }
        }
    }
    progress.Report(kImageStageLoad, kLoadTag, image.height, image.height);
}

}  // namespace

HeaderInfo ReadJp2Header(SourceFormat format, const std::uint8_t* data, std::size_t size)
{
    Jp2Decoder decoder(format, data, size);
    return {decoder.Width(), decoder.Height(), 1};
}

PixelImage DecodeJp2(SourceFormat format, const std::uint8_t* data, std::size_t size, ProgressSink& progress)
{
    Jp2Decoder decoder(format, data, size);
    CheckPixelBudget(decoder.Width(), decoder.Height());
    progress.Report(kImageStageLoad, kLoadTag, 0, decoder.Height());
    decoder.Decode();
    const opj_image_t* source = decoder.Image();
    int channels = UsableComponents(source);
    if (channels == 0) Fail(texts::kCorrupt);
    bool deep = source->comps[0].prec > 8;
    for (int c = 0; c < channels; ++c)
        if (source->comps[c].w == 0 || source->comps[c].h == 0) Fail(texts::kCorrupt);
    PixelImage image;
    image.Allocate(decoder.Width(), decoder.Height(), channels, deep ? 16 : 8);
    if (source->icc_profile_buf && source->icc_profile_len)
        image.iccProfile.assign(source->icc_profile_buf, source->icc_profile_buf + source->icc_profile_len);
    CopyPixels(source, image, progress);
    return image;
}

}  // namespace pelmora
