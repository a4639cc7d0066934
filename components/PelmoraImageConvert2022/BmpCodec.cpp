#include "components/PelmoraImageConvert2022/BmpCodec.h"

#include "components/PelmoraImageConvert2022/ByteReader.h"
#include "components/PelmoraImageConvert2022/PixelRows.h"
#include "components/PelmoraImageConvert2022/ProgressSink.h"

#include <bit>
#include <cmath>
#include <cstring>

namespace pelmora {

namespace {

constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitfields = 3, kAlphaBitfields = 6;

struct BmpLayout {
    std::uint32_t pixelOffset = 0;
    std::uint32_t headerSize = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;   // negative: top-down
    int bits = 0;
    std::uint32_t compression = kRgb;
    std::uint32_t masks[4] = {};
    std::uint32_t paletteCount = 0;
    std::size_t paletteOffset = 0;
    int paletteEntrySize = 4;
    double dpi = 0;
};

void ReadMasks(const ByteReader& in, BmpLayout& l)
{
    if (l.compression == kBitfields || l.compression == kAlphaBitfields) {
        // The masks follow a 40-byte header, or sit inside a larger one.
        for (int i = 0; i < (l.compression == kAlphaBitfields || l.headerSize >= 56 ? 4 : 3); ++i)
            l.masks[i] = in.Le32(14 + 40 + 4 * static_cast<std::size_t>(i));
    } else if (l.bits == 16) {
        l.masks[0] = 0x7C00; l.masks[1] = 0x03E0; l.masks[2] = 0x001F;
    } else if (l.bits == 32) {
        l.masks[0] = 0xFF0000; l.masks[1] = 0xFF00; l.masks[2] = 0xFF;
    }
}

BmpLayout ReadLayout(const std::uint8_t* data, std::size_t size)
{
    ByteReader in(data, size);
    BmpLayout l;
    l.pixelOffset = in.Le32(10);
    l.headerSize = in.Le32(14);
    if (l.headerSize == 12) {
        l.width = in.Le16(18);
        l.height = in.Le16(20);
        l.bits = in.Le16(24);
        l.paletteEntrySize = 3;
    } else if (l.headerSize >= 40) {
        l.width = static_cast<std::int32_t>(in.Le32(18));
        l.height = static_cast<std::int32_t>(in.Le32(22));
        l.bits = in.Le16(28);
        l.compression = in.Le32(30);
        std::int32_t ppm = static_cast<std::int32_t>(in.Le32(38));
        if (ppm > 0) l.dpi = std::round(ppm * 0.0254);
        l.paletteCount = in.Le32(46);
    } else {
        Fail(texts::kCorrupt);
    }
    if (l.bits <= 8 && l.paletteCount == 0) l.paletteCount = 1u << l.bits;
    l.paletteOffset = 14 + l.headerSize + ((l.compression == kBitfields && l.headerSize == 40) ? 12 : 0) +
                      (l.compression == kAlphaBitfields && l.headerSize == 40 ? 16 : 0);
    ReadMasks(in, l);
    return l;
}

void CheckLayout(const BmpLayout& l)
{
    bool bitsOk = l.bits == 1 || l.bits == 4 || l.bits == 8 || l.bits == 16 || l.bits == 24 || l.bits == 32;
    bool compressionOk = l.compression == kRgb || (l.compression == kRle8 && l.bits == 8) ||
                         (l.compression == kRle4 && l.bits == 4) ||
                         ((l.compression == kBitfields || l.compression == kAlphaBitfields) && (l.bits == 16 || l.bits == 32));
    if (!bitsOk || !compressionOk || l.width <= 0 || l.height == 0 || l.height == INT32_MIN) Fail(texts::kUnsupportedFormat);
    if (l.bits <= 8 && l.paletteCount > 256) Fail(texts::kCorrupt);
}

// Scales a masked field to 8 bits.
std::uint8_t Field(std::uint32_t value, std::uint32_t mask)
{
    if (mask == 0) return 255;
    int shift = std::countr_zero(mask);
    int width = std::popcount(mask);
    std::uint32_t v = (value & mask) >> shift;
    std::uint32_t max = width >= 32 ? 0xFFFFFFFFu : (1u << width) - 1;
    return static_cast<std::uint8_t>((static_cast<std::uint64_t>(v) * 255 + max / 2) / max);
}

struct Palette {
    std::uint8_t rgb[256][3] = {};
};

Palette ReadPalette(const ByteReader& in, const BmpLayout& l)
{
    Palette p;
    for (std::uint32_t i = 0; i < l.paletteCount && i < 256; ++i) {
        const std::uint8_t* e = in.At(l.paletteOffset + i * static_cast<std::size_t>(l.paletteEntrySize), 3);
        p.rgb[i][0] = e[2]; p.rgb[i][1] = e[1]; p.rgb[i][2] = e[0];
    }
    return p;
}

void PutIndex(std::uint8_t* out, const Palette& p, std::uint32_t index)
{
    std::memcpy(out, p.rgb[index & 0xFF], 3);
}

void DecodeRow(const std::uint8_t* src, const BmpLayout& l, const Palette& p, std::uint32_t width, std::uint8_t* out, int channels)
{
    for (std::uint32_t x = 0; x < width; ++x) {
        std::uint8_t* o = out + static_cast<std::size_t>(x) * channels;
        switch (l.bits) {
        case 1: PutIndex(o, p, src[x >> 3] >> (7 - (x & 7)) & 1); break;
        case 4: PutIndex(o, p, src[x >> 1] >> ((x & 1) ? 0 : 4) & 15); break;
        case 8: PutIndex(o, p, src[x]); break;
        case 24: o[0] = src[x * 3 + 2]; o[1] = src[x * 3 + 1]; o[2] = src[x * 3]; break;
        default: {
            std::uint32_t v = l.bits == 16 ? static_cast<std::uint32_t>(src[x * 2] | src[x * 2 + 1] << 8)
                                           : static_cast<std::uint32_t>(src[x * 4] | src[x * 4 + 1] << 8 | src[x * 4 + 2] << 16) |
                                                 static_cast<std::uint32_t>(src[x * 4 + 3]) << 24;
            o[0] = Field(v, l.masks[0]); o[1] = Field(v, l.masks[1]); o[2] = Field(v, l.masks[2]);
            if (channels == 4) o[3] = Field(v, l.masks[3]);
        }
        }
    }
}

// Expands RLE8/RLE4 into one index per byte, bottom-up rows; skipped pixels stay 0.
std::vector<std::uint8_t> ExpandRle(const ByteReader& in, const BmpLayout& l, std::uint32_t width, std::uint32_t height)
{
    std::vector<std::uint8_t> indices(static_cast<std::size_t>(width) * height, 0);
    std::size_t at = l.pixelOffset;
    std::uint32_t x = 0, y = 0;
    while (y < height) {
        std::uint8_t count = in.U8(at), code = in.U8(at + 1);
        at += 2;
        if (count > 0) {
            for (std::uint32_t i = 0; i < count && x < width; ++i, ++x)
                indices[static_cast<std::size_t>(y) * width + x] = l.bits == 8 ? code : (i & 1 ? code & 15 : code >> 4);
        } else if (code == 0) {
            x = 0; ++y;
        } else if (code == 1) {
            break;
        } else if (code == 2) {
            x += in.U8(at); y += in.U8(at + 1); at += 2;
        } else {
            std::size_t bytes = l.bits == 8 ? code : (code + 1u) / 2;
            const std::uint8_t* run = in.At(at, bytes);
            for (std::uint32_t i = 0; i < code && x < width; ++i, ++x)
                indices[static_cast<std::size_t>(y) * width + x] = l.bits == 8 ? run[i] : (i & 1 ? run[i / 2] & 15 : run[i / 2] >> 4);
            at += (bytes + 1) & ~std::size_t{1};
        }
    }
    return indices;
}

bool HasAlphaChannel(const BmpLayout& l)
{
    return (l.bits == 32 || l.bits == 16) && l.masks[3] != 0;
}

}  // namespace

HeaderInfo ReadBmpHeader(const std::uint8_t* data, std::size_t size)
{
    BmpLayout l = ReadLayout(data, size);
    CheckLayout(l);
    return {static_cast<std::uint32_t>(l.width), static_cast<std::uint32_t>(l.height < 0 ? -l.height : l.height), 1};
}

PixelImage DecodeBmp(const std::uint8_t* data, std::size_t size, ProgressSink& progress)
{
    ByteReader in(data, size);
    BmpLayout l = ReadLayout(data, size);
    CheckLayout(l);
    std::uint32_t width = static_cast<std::uint32_t>(l.width);
    std::uint32_t height = static_cast<std::uint32_t>(l.height < 0 ? -l.height : l.height);
    CheckPixelBudget(width, height);
    bool topDown = l.height < 0;
    std::size_t stride = ((static_cast<std::size_t>(width) * l.bits + 31) / 32) * 4;
    bool rle = l.compression == kRle8 || l.compression == kRle4;
    if (!rle) in.Need(l.pixelOffset, stride * height);
    Palette palette = l.bits <= 8 ? ReadPalette(in, l) : Palette{};
    std::vector<std::uint8_t> indices = rle ? ExpandRle(in, l, width, height) : std::vector<std::uint8_t>{};
    BmpLayout rowLayout = l;
    if (rle) rowLayout.bits = 8;

    PixelImage image;
    int channels = HasAlphaChannel(l) ? 4 : 3;
    image.Allocate(width, height, channels, 8);
    image.dpiX = image.dpiY = l.dpi;
    std::uint32_t band = RowsPerBand(width);
    for (std::uint32_t y = 0; y < height; ++y) {
        if (y % band == 0) progress.Report(kImageStageLoad, kLoadTag, y, height);
        std::uint32_t stored = topDown ? y : height - 1 - y;
        const std::uint8_t* src = rle ? indices.data() + static_cast<std::size_t>(stored) * width : data + l.pixelOffset + stride * stored;
        DecodeRow(src, rowLayout, palette, width, image.Row(y), channels);
    }
    progress.Report(kImageStageLoad, kLoadTag, height, height);
    return image;
}

ByteBuffer EncodeBmp(const PixelImage& image, const EncodeSettings& settings, ProgressSink& progress)
{
    if (image.width > 0x7FFFFFFF || image.height > 0x7FFFFFFF) Fail(texts::kTooLargeForFormat);
    std::size_t stride = (static_cast<std::size_t>(image.width) * 3 + 3) & ~std::size_t{3};
    std::uint64_t total = 54 + static_cast<std::uint64_t>(stride) * image.height;
    if (total > 0xFFFFFFFFull) Fail(texts::kTooLargeForFormat);
    ByteBuffer out(static_cast<std::size_t>(total), 0);
    double dpi = settings.dpi > 0 ? settings.dpi : image.dpiX;
    std::uint32_t ppm = dpi > 0 ? static_cast<std::uint32_t>(std::lround(dpi / 0.0254)) : 2835;
    auto put32 = [&](std::size_t at, std::uint32_t v) { for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(v >> (8 * i)); };
    out[0] = 'B'; out[1] = 'M';
    put32(2, static_cast<std::uint32_t>(total));
    put32(10, 54);
    put32(14, 40);
    put32(18, image.width);
    put32(22, image.height);
    out[26] = 1; out[28] = 24;
    put32(34, static_cast<std::uint32_t>(stride * image.height));
    put32(38, ppm);
    put32(42, ppm);
    PixelRows rows(image, 3, 8);
    std::uint32_t band = RowsPerBand(image.width);
    for (std::uint32_t y = 0; y < image.height; ++y) {
        if (y % band == 0) progress.Report(kImageStageSave, kSaveTag, y, image.height);
        const std::uint8_t* src = rows.Row(y);
        std::uint8_t* dst = out.data() + 54 + stride * (image.height - 1 - y);
        for (std::uint32_t x = 0; x < image.width; ++x) {
            dst[x * 3] = src[x * 3 + 2]; dst[x * 3 + 1] = src[x * 3 + 1]; dst[x * 3 + 2] = src[x * 3];
        }
    }
    progress.Report(kImageStageSave, kSaveTag, image.height, image.height);
    return out;
}

}  // namespace pelmora
