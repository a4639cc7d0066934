#include "components/PelmoraImageConvert2022/JpegSession.h"

#include "components/PelmoraImageConvert2022/Orientation.h"
#include "components/PelmoraImageConvert2022/ProgressSink.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include <jerror.h>

namespace pelmora {

namespace {

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

// Called by libjpeg, so nothing may be thrown through it: a cancel is
// noted and leaves through the same jump as an error.
void OnProgress(j_common_ptr cinfo)
{
    auto* p = reinterpret_cast<JpegProgress*>(cinfo->progress);
    const jpeg_progress_mgr& b = p->base;
    std::uint64_t limit = static_cast<std::uint64_t>(std::max(1L, b.pass_limit)) * std::max(1, b.total_passes);
    std::uint64_t done = static_cast<std::uint64_t>(std::max(0L, b.pass_counter)) +
                         static_cast<std::uint64_t>(std::max(0L, b.pass_limit)) * std::max(0, b.completed_passes);
    p->reported = std::max(p->reported, std::min<std::uint64_t>(done * 1000 / limit, 1000));
    bool stop = false;
    try {
        p->sink->Report(p->stage, p->tag, p->reported, 1000);
    } catch (...) {
        stop = true;
    }
    if (stop) {
        p->errors->cancelled = true;
        std::longjmp(p->errors->escape, 1);
    }
}

void Attach(JpegProgress& progress, JpegErrors& errors, ProgressSink& sink, int stage, const char* tag)
{
    progress.base.progress_monitor = &OnProgress;
    progress.sink = &sink;
    progress.stage = stage;
    progress.tag = tag;
    progress.errors = &errors;
    progress.reported = 0;
}

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

}  // namespace

void InstallErrors(JpegErrors& errors)
{
    jpeg_std_error(&errors.base);
    errors.base.error_exit = &OnError;
    errors.base.emit_message = &OnMessage;
}

JpegReader::JpegReader(const std::uint8_t* data, std::size_t size)
{
    InstallErrors(m_errors);
    m_info.err = &m_errors.base;
    jpeg_create_decompress(&m_info);
    jpeg_mem_src(&m_info, data, static_cast<unsigned long>(size));
}

JpegReader::~JpegReader() { jpeg_destroy_decompress(&m_info); }

void JpegReader::ReportTo(ProgressSink& sink, int stage, const char* tag)
{
    Attach(m_progress, m_errors, sink, stage, tag);
    m_info.progress = &m_progress.base;
}

JpegWriter::JpegWriter(ByteBuffer& out)
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

JpegWriter::~JpegWriter() { jpeg_destroy_compress(&m_info); }

void JpegWriter::ReportTo(ProgressSink& sink, int stage, const char* tag)
{
    Attach(m_progress, m_errors, sink, stage, tag);
    m_info.progress = &m_progress.base;
}

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

void ReadIcc(JpegReader& reader, std::vector<std::uint8_t>& profile)
{
    JOCTET* icc = nullptr;
    unsigned int length = 0;
    reader.Run([&](jpeg_decompress_struct& info) {
        if (jpeg_read_icc_profile(&info, &icc, &length)) {
            profile.assign(icc, icc + length);
            std::free(icc);
        }
    });
}

void SetDensity(jpeg_compress_struct& info, double askedDpi, double sourceDpi)
{
    double dpi = askedDpi > 0 ? askedDpi : sourceDpi;
    if (dpi <= 0) return;
    info.density_unit = 1;
    info.X_density = info.Y_density = static_cast<UINT16>(std::lround(dpi < 1 ? 1 : dpi > 65535 ? 65535 : dpi));
}

}  // namespace pelmora
