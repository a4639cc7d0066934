#include "components/PelmoraImageConvert2022/TiffCodec.h"

#include "components/PelmoraImageConvert2022/IccProfile.h"
#include "components/PelmoraImageConvert2022/PixelRows.h"
#include "components/PelmoraImageConvert2022/ProgressSink.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <tiffio.h>

namespace pelmora {

namespace {

// An in-memory file for libtiff: read from the mapped source, or written
// into a growing buffer (libtiff seeks back to patch its directory).
struct MemoryFile {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    ByteBuffer* out = nullptr;
    std::uint64_t at = 0;
};

tmsize_t ReadProc(thandle_t h, void* buffer, tmsize_t length)
{
    auto* f = static_cast<MemoryFile*>(h);
    std::size_t available = f->at < f->size ? f->size - static_cast<std::size_t>(f->at) : 0;
    std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(length), available);
    if (n) std::memcpy(buffer, f->data + f->at, n);
    f->at += n;
    return static_cast<tmsize_t>(n);
}

tmsize_t WriteProc(thandle_t h, void* buffer, tmsize_t length)
{
    auto* f = static_cast<MemoryFile*>(h);
    if (!f->out) return 0;
    std::size_t end = static_cast<std::size_t>(f->at) + static_cast<std::size_t>(length);
    // Gaps libtiff seeks over are zeros, not whatever the memory held.
    if (end > f->out->size()) f->out->resize(end, 0);
    std::memcpy(f->out->data() + f->at, buffer, static_cast<std::size_t>(length));
    f->at = end;
    return length;
}

toff_t SeekProc(thandle_t h, toff_t offset, int whence)
{
    auto* f = static_cast<MemoryFile*>(h);
    std::uint64_t size = f->out ? f->out->size() : f->size;
    std::uint64_t base = whence == SEEK_CUR ? f->at : whence == SEEK_END ? size : 0;
    f->at = base + offset;
    return f->at;
}

int CloseProc(thandle_t) { return 0; }

toff_t SizeProc(thandle_t h)
{
    auto* f = static_cast<MemoryFile*>(h);
    return f->out ? f->out->size() : f->size;
}

int MapProc(thandle_t, void**, toff_t*) { return 0; }
void UnmapProc(thandle_t, void*, toff_t) {}

int SilentHandler(TIFF*, void*, const char*, const char*, va_list) { return 1; }

class TiffFile {
public:
    TiffFile(MemoryFile& file, const char* mode)
    {
        TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
        TIFFOpenOptionsSetErrorHandlerExtR(options, &SilentHandler, nullptr);
        TIFFOpenOptionsSetWarningHandlerExtR(options, &SilentHandler, nullptr);
        m_tiff = TIFFClientOpenExt("image", mode, &file, &ReadProc, &WriteProc, &SeekProc, &CloseProc, &SizeProc,
                                   &MapProc, &UnmapProc, options);
        TIFFOpenOptionsFree(options);
        if (!m_tiff) Fail(file.out ? texts::kCannotWrite : texts::kCorrupt);
    }
    ~TiffFile() { if (m_tiff) TIFFClose(m_tiff); }
    TiffFile(const TiffFile&) = delete;
    TiffFile& operator=(const TiffFile&) = delete;
    TIFF* Get() const { return m_tiff; }
    void Close()
    {
        TIFF* t = m_tiff;
        m_tiff = nullptr;
        TIFFClose(t);
    }

private:
    TIFF* m_tiff = nullptr;
};

struct TiffLayout {
    std::uint32_t width = 0, height = 0;
    std::uint16_t bits = 1, samples = 1, photometric = 0, planar = PLANARCONFIG_CONTIG, orientation = ORIENTATION_TOPLEFT;
    std::uint16_t extraCount = 0;
    const std::uint16_t* extraKinds = nullptr;
    bool tiled = false;
};

TiffLayout ReadLayout(TIFF* tiff)
{
    TiffLayout l;
    if (!TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &l.width) || !TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &l.height)) Fail(texts::kCorrupt);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &l.bits);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &l.samples);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_PLANARCONFIG, &l.planar);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_ORIENTATION, &l.orientation);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_EXTRASAMPLES, &l.extraCount, &l.extraKinds);
    if (!TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &l.photometric)) l.photometric = PHOTOMETRIC_MINISBLACK;
    l.tiled = TIFFIsTiled(tiff) != 0;
    if (l.orientation < 1 || l.orientation > 8) l.orientation = ORIENTATION_TOPLEFT;
    return l;
}

// Gray or RGB of 8 or 16 bits, interleaved in strips, with at most one extra (alpha) sample.
bool ReadsDirectly(const TiffLayout& l)
{
    int colour = l.photometric == PHOTOMETRIC_RGB ? 3 : (l.photometric == PHOTOMETRIC_MINISBLACK ? 1 : 0);
    return colour && !l.tiled && l.planar == PLANARCONFIG_CONTIG && (l.bits == 8 || l.bits == 16) &&
           (l.samples == colour || (l.samples == colour + 1 && l.extraCount == 1));
}

void ReadExtras(TIFF* tiff, PixelImage& image)
{
    float resX = 0;
    std::uint16_t unit = RESUNIT_INCH;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_RESOLUTIONUNIT, &unit);
    if (TIFFGetField(tiff, TIFFTAG_XRESOLUTION, &resX) && resX > 0 && unit != RESUNIT_NONE)
        image.dpiX = image.dpiY = std::round(unit == RESUNIT_CENTIMETER ? resX * 2.54 : resX);
    std::uint32_t length = 0;
    void* profile = nullptr;
    if (TIFFGetField(tiff, TIFFTAG_ICCPROFILE, &length, &profile) && profile) {
        auto* p = static_cast<const std::uint8_t*>(profile);
        image.iccProfile.assign(p, p + length);
    }
}

void ReadScanlines(TIFF* tiff, PixelImage& image, ProgressSink& progress)
{
    if (static_cast<std::size_t>(TIFFScanlineSize64(tiff)) != image.Stride()) Fail(texts::kCorrupt);
    std::uint32_t band = RowsPerBand(image.width);
    for (std::uint32_t y = 0; y < image.height; ++y) {
        if (y % band == 0) progress.Report(kImageStageLoad, kLoadTag, y, image.height);
        if (TIFFReadScanline(tiff, image.Row(y), y, 0) < 0) Fail(texts::kCorrupt);
    }
}

// Reads through libtiff's RGBA interface in bands, rows top-down as stored.
void ReadRgba(TIFF* tiff, const TiffLayout& l, PixelImage& image, ProgressSink& progress)
{
    char message[1024] = {};
    TIFFRGBAImage reader;
    if (!TIFFRGBAImageOK(tiff, message) || !TIFFRGBAImageBegin(&reader, tiff, 0, message)) Fail(texts::kUnsupportedFormat);
    reader.req_orientation = l.orientation;
    std::uint32_t band = RowsPerBand(image.width);
    std::vector<std::uint32_t> raster(static_cast<std::size_t>(image.width) * band);
    bool ok = true;
    for (std::uint32_t y0 = 0; y0 < image.height && ok; y0 += band) {
        progress.Report(kImageStageLoad, kLoadTag, y0, image.height);
        std::uint32_t rows = std::min(band, image.height - y0);
        reader.row_offset = static_cast<int>(y0);
        reader.col_offset = 0;
        ok = TIFFRGBAImageGet(&reader, raster.data(), image.width, rows) != 0;
        for (std::uint32_t r = 0; r < rows && ok; ++r) {
            // Asked for the file's own orientation, the band comes in stored order.
            const std::uint32_t* src = raster.data() + static_cast<std::size_t>(r) * image.width;
            std::uint8_t* dst = image.Row(y0 + r);
            for (std::uint32_t x = 0; x < image.width; ++x, dst += image.channels) {
                dst[0] = static_cast<std::uint8_t>(TIFFGetR(src[x]));
                dst[1] = static_cast<std::uint8_t>(TIFFGetG(src[x]));
                dst[2] = static_cast<std::uint8_t>(TIFFGetB(src[x]));
                if (image.channels == 4) dst[3] = static_cast<std::uint8_t>(TIFFGetA(src[x]));
            }
        }
    }
    TIFFRGBAImageEnd(&reader);
    if (!ok) Fail(texts::kCorrupt);
}

void UnpremultiplyIfAssociated(const TiffLayout& l, PixelImage& image)
{
    if (!image.HasAlpha() || image.depth != 8 || !l.extraKinds || l.extraKinds[0] != EXTRASAMPLE_ASSOCALPHA) return;
    std::size_t n = static_cast<std::size_t>(image.width) * image.height;
    int ch = image.channels;
    for (std::size_t i = 0; i < n; ++i) {
        std::uint8_t* p = image.pixels.data() + i * ch;
        int a = p[ch - 1];
        for (int c = 0; c < ch - 1 && a > 0; ++c) p[c] = static_cast<std::uint8_t>(std::min(255, (p[c] * 255 + a / 2) / a));
    }
}

void WriteTags(TIFF* tiff, const PixelImage& image, const EncodeSettings& settings)
{
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, image.width);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, image.height);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, static_cast<std::uint16_t>(image.depth));
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, static_cast<std::uint16_t>(image.channels));
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, image.IsGray() ? PHOTOMETRIC_MINISBLACK : PHOTOMETRIC_RGB);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_ADOBE_DEFLATE);
    TIFFSetField(tiff, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tiff, 0));
    if (image.HasAlpha()) {
        std::uint16_t kind = EXTRASAMPLE_UNASSALPHA;
        TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, &kind);
    }
    double dpi = settings.dpi > 0 ? settings.dpi : image.dpiX;
    if (dpi > 0) {
        TIFFSetField(tiff, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
        TIFFSetField(tiff, TIFFTAG_XRESOLUTION, static_cast<float>(dpi));
        TIFFSetField(tiff, TIFFTAG_YRESOLUTION, static_cast<float>(dpi));
    }
    if (ProfileFits(image.iccProfile, image.IsGray()))
        TIFFSetField(tiff, TIFFTAG_ICCPROFILE, static_cast<std::uint32_t>(image.iccProfile.size()), image.iccProfile.data());
}

}  // namespace

HeaderInfo ReadTiffHeader(const std::uint8_t* data, std::size_t size)
{
    MemoryFile file{data, size};
    TiffFile tiff(file, "rm");
    TiffLayout l = ReadLayout(tiff.Get());
    return {l.width, l.height, l.orientation};
}

PixelImage DecodeTiff(const std::uint8_t* data, std::size_t size, ProgressSink& progress)
{
    MemoryFile file{data, size};
    TiffFile tiff(file, "rm");
    TiffLayout l = ReadLayout(tiff.Get());
    CheckPixelBudget(l.width, l.height);
    PixelImage image;
    bool direct = ReadsDirectly(l);
    bool alpha = direct ? l.extraCount == 1 : l.extraCount > 0;
    int colour = l.photometric == PHOTOMETRIC_MINISBLACK && direct ? 1 : 3;
    image.Allocate(l.width, l.height, colour + (alpha ? 1 : 0), direct ? l.bits : 8);
    ReadExtras(tiff.Get(), image);
    if (direct) {
        ReadScanlines(tiff.Get(), image, progress);
        UnpremultiplyIfAssociated(l, image);
    } else {
        // libtiff's RGBA reader turns CMYK and YCbCr into RGB: their profile no longer applies.
        if (ProfileSpace(image.iccProfile) != IccSpace::Rgb) image.iccProfile.clear();
        ReadRgba(tiff.Get(), l, image, progress);
    }
    image.orientation = l.orientation;
    progress.Report(kImageStageLoad, kLoadTag, image.height, image.height);
    return image;
}

ByteBuffer EncodeTiff(const PixelImage& image, const EncodeSettings& settings, ProgressSink& progress)
{
    ByteBuffer out;
    MemoryFile file;
    file.out = &out;
    TiffFile tiff(file, image.Stride() * image.height > 0xF0000000ull ? "w8" : "w");
    WriteTags(tiff.Get(), image, settings);
    std::uint32_t band = RowsPerBand(image.width);
    std::vector<std::uint8_t> row(image.Stride());
    for (std::uint32_t y = 0; y < image.height; ++y) {
        if (y % band == 0) progress.Report(kImageStageSave, kSaveTag, y, image.height);
        // libtiff may change the row it encodes (the predictor works in place).
        std::memcpy(row.data(), image.Row(y), row.size());
        if (TIFFWriteScanline(tiff.Get(), row.data(), y, 0) < 0) Fail(texts::kCannotWrite);
    }
    if (!TIFFFlush(tiff.Get())) Fail(texts::kCannotWrite);
    tiff.Close();
    progress.Report(kImageStageSave, kSaveTag, image.height, image.height);
    return out;
}

}  // namespace pelmora
