#include "components/PelmoraImageConvert2022/WebpCodec.h"

#include "components/PelmoraImageConvert2022/IccProfile.h"
#include "components/PelmoraImageConvert2022/Orientation.h"
#include "components/PelmoraImageConvert2022/PixelRows.h"
#include "components/PelmoraImageConvert2022/ProgressSink.h"

#include <algorithm>
#include <cstring>

#include <webp/decode.h>
#include <webp/demux.h>
#include <webp/encode.h>
#include <webp/mux.h>

namespace pelmora {

namespace {

class Demuxer {
public:
    Demuxer(const std::uint8_t* data, std::size_t size)
    {
        WebPData bytes{data, size};
        m_demux = WebPDemux(&bytes);
        if (!m_demux) Fail(texts::kCorrupt);
    }
    ~Demuxer() { WebPDemuxDelete(m_demux); }
    Demuxer(const Demuxer&) = delete;
    Demuxer& operator=(const Demuxer&) = delete;
    WebPDemuxer* Get() const { return m_demux; }

    std::vector<std::uint8_t> Chunk(const char* fourcc) const
    {
        WebPChunkIterator it;
        std::vector<std::uint8_t> bytes;
        if (WebPDemuxGetChunk(m_demux, fourcc, 1, &it)) bytes.assign(it.chunk.bytes, it.chunk.bytes + it.chunk.size);
        WebPDemuxReleaseChunkIterator(&it);
        return bytes;
    }

private:
    WebPDemuxer* m_demux = nullptr;
};

int OrientationOf(const Demuxer& demux)
{
    std::vector<std::uint8_t> exif = demux.Chunk("EXIF");
    if (exif.size() > 6 && std::memcmp(exif.data(), "Exif\0\0", 6) == 0) return ExifOrientation(exif.data() + 6, exif.size() - 6);
    return ExifOrientation(exif.data(), exif.size());
}

class IncrementalDecoder {
public:
    IncrementalDecoder(PixelImage& image)
    {
        m_decoder = WebPINewRGB(image.channels == 4 ? MODE_RGBA : MODE_RGB, image.pixels.data(), image.pixels.size(),
                                static_cast<int>(image.Stride()));
        if (!m_decoder) Fail(texts::kOutOfMemory);
    }
    ~IncrementalDecoder() { WebPIDelete(m_decoder); }
    IncrementalDecoder(const IncrementalDecoder&) = delete;
    IncrementalDecoder& operator=(const IncrementalDecoder&) = delete;
    WebPIDecoder* Get() const { return m_decoder; }

private:
    WebPIDecoder* m_decoder = nullptr;
};

// Feeds the frame in pieces and reports the rows decoded so far.
void DecodeFrame(const std::uint8_t* data, std::size_t size, PixelImage& image, ProgressSink& progress)
{
    IncrementalDecoder decoder(image);
    constexpr std::size_t kPiece = 64 * 1024;
    VP8StatusCode status = VP8_STATUS_SUSPENDED;
    for (std::size_t at = 0; at < size && status == VP8_STATUS_SUSPENDED; at += kPiece) {
        status = WebPIAppend(decoder.Get(), data + at, std::min(kPiece, size - at));
        int lastRow = 0;
        WebPIDecGetRGB(decoder.Get(), &lastRow, nullptr, nullptr, nullptr);
        progress.Report(kImageStageLoad, kLoadTag, static_cast<std::uint64_t>(std::max(lastRow, 0)), image.height);
    }
    if (status != VP8_STATUS_OK) Fail(texts::kCorrupt);
}

struct Picture {
    WebPPicture picture;
    Picture() { WebPPictureInit(&picture); }
    ~Picture() { WebPPictureFree(&picture); }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
};

struct MemoryWriter {
    WebPMemoryWriter writer;
    MemoryWriter() { WebPMemoryWriterInit(&writer); }
    ~MemoryWriter() { WebPMemoryWriterClear(&writer); }
    MemoryWriter(const MemoryWriter&) = delete;
    MemoryWriter& operator=(const MemoryWriter&) = delete;
};

struct EncodeContext {
    ProgressSink* progress;
    std::uint32_t height;
    bool stopped = false;
};

// A C callback: what the monitors throw stops here and becomes a 0.
int OnEncodeProgress(int percent, const WebPPicture* picture)
{
    auto* context = static_cast<EncodeContext*>(picture->user_data);
    try {
        context->progress->Report(kImageStageSave, kSaveTag, static_cast<std::uint64_t>(percent), 100);
        return 1;
    } catch (...) {
        context->stopped = true;
        return 0;
    }
}

ByteBuffer AddProfile(const WebPMemoryWriter& written, const std::vector<std::uint8_t>& profile)
{
    WebPData image{written.mem, written.size}, icc{profile.data(), profile.size()}, assembled{};
    WebPMux* mux = WebPMuxCreate(&image, 0);
    bool ok = mux && WebPMuxSetChunk(mux, "ICCP", &icc, 1) == WEBP_MUX_OK && WebPMuxAssemble(mux, &assembled) == WEBP_MUX_OK;
    WebPMuxDelete(mux);
    ByteBuffer out;
    if (ok) out.assign(assembled.bytes, assembled.bytes + assembled.size);
    WebPDataClear(&assembled);
    if (!ok) Fail(texts::kCannotWrite);
    return out;
}

}  // namespace

HeaderInfo ReadWebpHeader(const std::uint8_t* data, std::size_t size)
{
    WebPBitstreamFeatures features;
    if (WebPGetFeatures(data, size, &features) != VP8_STATUS_OK) Fail(texts::kCorrupt);
    Demuxer demux(data, size);
    return {static_cast<std::uint32_t>(WebPDemuxGetI(demux.Get(), WEBP_FF_CANVAS_WIDTH)),
            static_cast<std::uint32_t>(WebPDemuxGetI(demux.Get(), WEBP_FF_CANVAS_HEIGHT)), OrientationOf(demux)};
}

PixelImage DecodeWebp(const std::uint8_t* data, std::size_t size, ProgressSink& progress)
{
    Demuxer demux(data, size);
    WebPIterator frame;
    if (!WebPDemuxGetFrame(demux.Get(), 1, &frame)) Fail(texts::kCorrupt);
    const std::uint8_t* frameData = frame.fragment.bytes;
    std::size_t frameSize = frame.fragment.size;
    std::uint32_t width = static_cast<std::uint32_t>(frame.width), height = static_cast<std::uint32_t>(frame.height);
    bool alpha = frame.has_alpha != 0;
    WebPDemuxReleaseIterator(&frame);
    CheckPixelBudget(width, height);
    PixelImage image;
    image.Allocate(width, height, alpha ? 4 : 3, 8);
    image.orientation = OrientationOf(demux);
    image.iccProfile = demux.Chunk("ICCP");
    DecodeFrame(frameData, frameSize, image, progress);
    return image;
}

ByteBuffer EncodeWebp(const PixelImage& image, const EncodeSettings& settings, ProgressSink& progress)
{
    if (image.width > WEBP_MAX_DIMENSION || image.height > WEBP_MAX_DIMENSION) Fail(texts::kTooLargeForFormat);
    WebPConfig config;
    if (!WebPConfigInit(&config)) Fail(texts::kOutOfMemory);
    config.quality = static_cast<float>(settings.quality);
    config.method = settings.smallest ? 5 : 4;
    Picture picture;
    picture.picture.width = static_cast<int>(image.width);
    picture.picture.height = static_cast<int>(image.height);
    picture.picture.use_argb = 1;
    int channels = image.HasAlpha() ? 4 : 3;
    PixelImage rgb = image.channels == channels && image.depth == 8 ? PixelImage{} : ConvertLayout(image, channels, 8);
    const PixelImage& source = rgb.Empty() ? image : rgb;
    int stride = static_cast<int>(source.Stride());
    bool imported = channels == 4 ? WebPPictureImportRGBA(&picture.picture, source.pixels.data(), stride)
                                  : WebPPictureImportRGB(&picture.picture, source.pixels.data(), stride);
    if (!imported) Fail(texts::kOutOfMemory);
    EncodeContext context{&progress, image.height};
    picture.picture.user_data = &context;
    picture.picture.progress_hook = &OnEncodeProgress;
    MemoryWriter memory;
    picture.picture.writer = &WebPMemoryWrite;
    picture.picture.custom_ptr = &memory.writer;
    bool ok = WebPEncode(&config, &picture.picture) != 0;
    if (context.stopped) Fail(texts::kCancelled);
    if (!ok) Fail(texts::kCannotWrite);
    if (ProfileFits(image.iccProfile, false)) return AddProfile(memory.writer, image.iccProfile);
    return ByteBuffer(memory.writer.mem, memory.writer.mem + memory.writer.size);
}

}  // namespace pelmora
