#include "components/PelmoraImageConvert2022/JpegCoefficients.h"

#include "components/PelmoraImageConvert2022/IccProfile.h"
#include "components/PelmoraImageConvert2022/JpegCodec.h"
#include "components/PelmoraImageConvert2022/JpegSession.h"
#include "components/PelmoraImageConvert2022/ProgressSink.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace pelmora {

struct JpegCoefficients::Decoded {
    JpegReader reader;
    jvirt_barray_ptr* arrays = nullptr;
    Decoded(const std::uint8_t* data, std::size_t size) : reader(data, size) {}
};

namespace {

bool HeaderSuits(const jpeg_decompress_struct& info)
{
    bool gray = info.num_components == 1 && info.jpeg_color_space == JCS_GRAYSCALE;
    bool ycc = info.num_components == 3 && info.jpeg_color_space == JCS_YCbCr;
    return (gray || ycc) && info.data_precision == 8;
}

// Each new coefficient is the old one scaled by old step / new step and
// rounded half away from zero, as libjpeg's own quantiser rounds.
using StepRatios = std::array<float, DCTSIZE2>;

StepRatios RatiosFor(const JQUANT_TBL& from, const JQUANT_TBL& to)
{
    StepRatios ratios{};
    for (int k = 0; k < DCTSIZE2; ++k)
        ratios[static_cast<std::size_t>(k)] = static_cast<float>(from.quantval[k]) / static_cast<float>(to.quantval[k]);
    return ratios;
}

void RequantizeRow(const JBLOCKROW from, JBLOCKROW to, JDIMENSION blocks, const StepRatios& ratios)
{
    for (JDIMENSION b = 0; b < blocks; ++b) {
        const JCOEF* in = from[b];
        JCOEF* out = to[b];
        for (int k = 0; k < DCTSIZE2; ++k) {
            float v = static_cast<float>(in[k]) * ratios[static_cast<std::size_t>(k)];
            out[k] = static_cast<JCOEF>(v >= 0 ? v + 0.5f : v - 0.5f);
        }
    }
}

// A component's blocks padded to whole MCUs, as libjpeg reads and writes them.
struct BlockSize {
    JDIMENSION width;
    JDIMENSION height;
};

BlockSize PaddedBlocks(const jpeg_component_info& comp)
{
    auto up = [](JDIMENSION n, int step) { return (n + step - 1) / step * step; };
    return {up(comp.width_in_blocks, comp.h_samp_factor), up(comp.height_in_blocks, comp.v_samp_factor)};
}

// The standard tables at the asked quality: luminance for the first
// component, chrominance for the others, whatever tables the source used.
void SetQuality(jpeg_compress_struct& info, int quality)
{
    jpeg_set_quality(&info, quality, TRUE);
    for (int c = 0; c < info.num_components; ++c) info.comp_info[c].quant_tbl_no = c == 0 ? 0 : 1;
}

}  // namespace

bool JpegCoefficients::Suits(const std::uint8_t* data, std::size_t size)
{
    JpegReader reader(data, size);
    ReadHeaderWithMarkers(reader);
    return HeaderSuits(reader.Info());
}

JpegCoefficients::JpegCoefficients(const std::uint8_t* data, std::size_t size, ProgressSink& progress)
    : m_bytes(data, data + size)
{
    m_decoded = std::make_unique<Decoded>(m_bytes.data(), m_bytes.size());
    JpegReader& reader = m_decoded->reader;
    ReadHeaderWithMarkers(reader);
    jpeg_decompress_struct& info = reader.Info();
    if (!HeaderSuits(info)) Fail(texts::kUnsupportedFormat);
    CheckPixelBudget(info.image_width, info.image_height);
    m_orientation = OrientationOf(info);
    m_dpi = DpiOf(info);
    ReadIcc(reader, m_icc);
    reader.ReportTo(progress, kImageStageLoad, kLoadTag);
    jvirt_barray_ptr* arrays = nullptr;
    reader.Run([&](jpeg_decompress_struct& i) { arrays = jpeg_read_coefficients(&i); });
    if (!arrays) Fail(texts::kCorrupt);
    m_decoded->arrays = arrays;
    info.progress = nullptr;   // the sink is asked again only through Encode's own writer
    progress.Report(kImageStageLoad, kLoadTag, 1, 1);
}

JpegCoefficients::~JpegCoefficients() = default;

std::uint32_t JpegCoefficients::Width() const { return m_decoded->reader.Info().image_width; }
std::uint32_t JpegCoefficients::Height() const { return m_decoded->reader.Info().image_height; }
bool JpegCoefficients::IsGray() const { return m_decoded->reader.Info().num_components == 1; }

ByteBuffer JpegCoefficients::Encode(const EncodeSettings& settings, ProgressSink& progress) const
{
    jpeg_decompress_struct& source = m_decoded->reader.Info();
    ByteBuffer out;
    JpegWriter writer(out);
    jvirt_barray_ptr arrays[MAX_COMPONENTS] = {};
    writer.Run([&](jpeg_compress_struct& info) {
        jpeg_copy_critical_parameters(&source, &info);
        SetQuality(info, settings.quality);
        info.optimize_coding = settings.smallest ? TRUE : FALSE;
        SetDensity(info, settings.dpi, m_dpi);
        for (int c = 0; c < info.num_components; ++c) {
            BlockSize size = PaddedBlocks(source.comp_info[c]);
            arrays[c] = info.mem->request_virt_barray(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE, FALSE,
                                                      size.width, size.height,
                                                      static_cast<JDIMENSION>(source.comp_info[c].v_samp_factor));
        }
        info.mem->realize_virt_arrays(reinterpret_cast<j_common_ptr>(&info));
    });
    jpeg_compress_struct& info = writer.Info();
    for (int c = 0; c < info.num_components; ++c) {
        const jpeg_component_info& comp = source.comp_info[c];
        StepRatios ratios = RatiosFor(*comp.quant_table, *info.quant_tbl_ptrs[info.comp_info[c].quant_tbl_no]);
        BlockSize size = PaddedBlocks(comp);
        std::uint32_t band = RowsPerBand(size.width * DCTSIZE2);
        for (JDIMENSION row = 0; row < size.height; ++row) {
            // Only a check for a cancel: libjpeg reports the save itself below.
            if (row % band == 0) progress.Report(kImageStageSave, kSaveTag, 0, 1);
            JBLOCKARRAY from = nullptr;
            m_decoded->reader.Run([&](jpeg_decompress_struct& s) {
                from = s.mem->access_virt_barray(reinterpret_cast<j_common_ptr>(&s), m_decoded->arrays[c], row, 1, FALSE);
            });
            writer.Run([&](jpeg_compress_struct& i) {
                JBLOCKARRAY to = i.mem->access_virt_barray(reinterpret_cast<j_common_ptr>(&i), arrays[c], row, 1, TRUE);
                RequantizeRow(from[0], to[0], size.width, ratios);
            });
        }
    }
    writer.ReportTo(progress, kImageStageSave, kSaveTag);
    writer.Run([&](jpeg_compress_struct& i) {
        jpeg_write_coefficients(&i, arrays);
        if (ProfileFits(m_icc, IsGray()))
            jpeg_write_icc_profile(&i, m_icc.data(), static_cast<unsigned int>(m_icc.size()));
        jpeg_finish_compress(&i);
    });
    progress.Report(kImageStageSave, kSaveTag, 1, 1);
    return out;
}

PixelImage JpegCoefficients::DecodePixels(ProgressSink& progress) const
{
    return DecodeJpeg(m_bytes.data(), m_bytes.size(), progress);
}

}  // namespace pelmora
