#pragma once
// libjpeg objects wrapped for this library: the error exit, which would end
// the process, jumps back to the step that started the libjpeg work, and
// warnings that mean lost picture data count as errors. Steps run inside
// Run, whose setjmp frame holds nothing with a destructor.
#include "components/PelmoraImageConvert2022/EngineFailure.h"
#include "components/PelmoraImageConvert2022/PixelImage.h"

#include <csetjmp>
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include <jpeglib.h>

namespace pelmora {

class ProgressSink;

struct JpegErrors {
    jpeg_error_mgr base;
    std::jmp_buf escape;
    bool dataLost = false;
    bool cancelled = false;
};

// Reports libjpeg's own progress, which it gives from inside its long
// calls, to a stage of the sink; a cancel leaves through the error exit.
struct JpegProgress {
    jpeg_progress_mgr base;
    ProgressSink* sink = nullptr;
    int stage = 0;
    const char* tag = "";
    JpegErrors* errors = nullptr;
    std::uint64_t reported = 0;   // per mille, never lowered
};

void InstallErrors(JpegErrors& errors);

class JpegReader {
public:
    JpegReader(const std::uint8_t* data, std::size_t size);
    ~JpegReader();
    JpegReader(const JpegReader&) = delete;
    JpegReader& operator=(const JpegReader&) = delete;

    template <typename Step>
    void Run(Step&& step)
    {
        if (setjmp(m_errors.escape)) Fail(m_errors.cancelled ? texts::kCancelled : texts::kCorrupt);
        step(m_info);
        if (m_errors.dataLost) Fail(texts::kCorrupt);
    }
    jpeg_decompress_struct& Info() { return m_info; }
    void ReportTo(ProgressSink& sink, int stage, const char* tag);

private:
    JpegErrors m_errors;
    JpegProgress m_progress;
    jpeg_decompress_struct m_info{};
};

// Writes into a growing buffer, so the file is written in one go only when
// the whole picture is encoded.
struct BufferDestination {
    jpeg_destination_mgr base;
    ByteBuffer* out;
};

class JpegWriter {
public:
    explicit JpegWriter(ByteBuffer& out);
    ~JpegWriter();
    JpegWriter(const JpegWriter&) = delete;
    JpegWriter& operator=(const JpegWriter&) = delete;

    template <typename Step>
    void Run(Step&& step)
    {
        if (setjmp(m_errors.escape)) Fail(m_errors.cancelled ? texts::kCancelled : texts::kCannotWrite);
        step(m_info);
    }
    jpeg_compress_struct& Info() { return m_info; }
    void ReportTo(ProgressSink& sink, int stage, const char* tag);

private:
    JpegErrors m_errors;
    JpegProgress m_progress;
    jpeg_compress_struct m_info{};
    BufferDestination m_dest{};
};

// Reads the header with the EXIF and ICC markers kept.
void ReadHeaderWithMarkers(JpegReader& reader);
int OrientationOf(const jpeg_decompress_struct& info);
double DpiOf(const jpeg_decompress_struct& info);
bool IsCmyk(const jpeg_decompress_struct& info);
// Reads the embedded colour profile, if any, into profile.
void ReadIcc(JpegReader& reader, std::vector<std::uint8_t>& profile);
// The JFIF density of the output: the asked dpi, else the source's, else none.
void SetDensity(jpeg_compress_struct& info, double askedDpi, double sourceDpi);

}  // namespace pelmora
