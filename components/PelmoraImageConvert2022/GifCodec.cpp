#include "components/PelmoraImageConvert2022/GifCodec.h"

#include "components/PelmoraImageConvert2022/PaletteQuantizer.h"
#include "components/PelmoraImageConvert2022/ProgressSink.h"

#include <algorithm>
#include <cstring>

#include <gif_lib.h>

namespace pelmora {

namespace {

struct MemoryInput {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
};

int ReadFromMemory(GifFileType* gif, GifByteType* out, int length)
{
    auto* in = static_cast<MemoryInput*>(gif->UserData);
    std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(length), in->size - in->at);
    std::memcpy(out, in->data + in->at, n);
    in->at += n;
    return static_cast<int>(n);
}

class GifReader {
public:
    GifReader(const std::uint8_t* data, std::size_t size) : m_input{data, size}
    {
        int error = 0;
        m_gif = DGifOpen(&m_input, &ReadFromMemory, &error);
        if (!m_gif) Fail(texts::kCorrupt);
    }
    ~GifReader() { int error = 0; DGifCloseFile(m_gif, &error); }
    GifReader(const GifReader&) = delete;
    GifReader& operator=(const GifReader&) = delete;
    GifFileType* operator->() const { return m_gif; }
    GifFileType* Get() const { return m_gif; }

private:
    MemoryInput m_input;
    GifFileType* m_gif = nullptr;
};

// The transparent index of a graphic control block, -1 when none.
int TransparentIndex(const GifByteType* block)
{
    if (block[0] >= 4 && (block[1] & 1)) return block[4];
    return -1;
}

// Walks records up to the first image; returns its transparent index.
int SeekFirstImage(GifReader& gif)
{
    int transparent = -1;
    for (;;) {
        GifRecordType type;
        if (DGifGetRecordType(gif.Get(), &type) == GIF_ERROR) Fail(texts::kCorrupt);
        if (type == IMAGE_DESC_RECORD_TYPE) return transparent;
        if (type == TERMINATE_RECORD_TYPE) Fail(texts::kCorrupt);
        if (type != EXTENSION_RECORD_TYPE) continue;
        int code = 0;
        GifByteType* block = nullptr;
        if (DGifGetExtension(gif.Get(), &code, &block) == GIF_ERROR) Fail(texts::kCorrupt);
        if (code == GRAPHICS_EXT_FUNC_CODE && block) transparent = TransparentIndex(block);
        while (block)
            if (DGifGetExtensionNext(gif.Get(), &block) == GIF_ERROR) Fail(texts::kCorrupt);
    }
}

// The canvas: the logical screen, grown to hold the frame when the screen is
// smaller (some writers leave it 0).
void CanvasSize(GifReader& gif, std::uint32_t& width, std::uint32_t& height)
{
    const GifImageDesc& d = gif->Image;
    width = std::max<std::uint32_t>(static_cast<std::uint32_t>(gif->SWidth), static_cast<std::uint32_t>(d.Left + d.Width));
    height = std::max<std::uint32_t>(static_cast<std::uint32_t>(gif->SHeight), static_cast<std::uint32_t>(d.Top + d.Height));
}

void ReadFrame(GifReader& gif, PixelImage& image, int transparent, ProgressSink& progress)
{
    const GifImageDesc& d = gif->Image;
    const ColorMapObject* map = d.ColorMap ? d.ColorMap : gif->SColorMap;
    if (!map || d.Width <= 0 || d.Height <= 0) Fail(texts::kCorrupt);
    std::fill(image.pixels.begin(), image.pixels.end(), 0);
    std::vector<GifPixelType> line(static_cast<std::size_t>(d.Width));
    static const int kStarts[] = {0, 4, 2, 1}, kSteps[] = {8, 8, 4, 2};
    int passes = d.Interlace ? 4 : 1;
    std::uint32_t band = RowsPerBand(static_cast<std::uint32_t>(d.Width)), done = 0;
    for (int pass = 0; pass < passes; ++pass) {
        for (int row = d.Interlace ? kStarts[pass] : 0; row < d.Height; row += d.Interlace ? kSteps[pass] : 1, ++done) {
            if (done % band == 0) progress.Report(kImageStageLoad, kLoadTag, done, static_cast<std::uint64_t>(d.Height));
            if (DGifGetLine(gif.Get(), line.data(), d.Width) == GIF_ERROR) Fail(texts::kCorrupt);
            std::uint8_t* out = image.Row(static_cast<std::uint32_t>(d.Top + row)) + static_cast<std::size_t>(d.Left) * 4;
            for (int x = 0; x < d.Width; ++x, out += 4) {
                int index = line[static_cast<std::size_t>(x)];
                if (index == transparent || index >= map->ColorCount) continue;
                const GifColorType& c = map->Colors[index];
                out[0] = c.Red; out[1] = c.Green; out[2] = c.Blue; out[3] = 255;
            }
        }
    }
    progress.Report(kImageStageLoad, kLoadTag, static_cast<std::uint64_t>(d.Height), static_cast<std::uint64_t>(d.Height));
}

bool FullyOpaque(const PixelImage& image)
{
    for (std::size_t i = 3; i < image.pixels.size(); i += 4)
        if (image.pixels[i] != 255) return false;
    return true;
}

int WriteToBuffer(GifFileType* gif, const GifByteType* data, int length)
{
    auto* out = static_cast<ByteBuffer*>(gif->UserData);
    out->insert(out->end(), data, data + length);
    return length;
}

int PaletteBits(std::size_t colours)
{
    int bits = 1;
    while ((std::size_t{1} << bits) < colours) ++bits;
    return bits;
}

class GifWriter {
public:
    explicit GifWriter(ByteBuffer& out)
    {
        int error = 0;
        m_gif = EGifOpen(&out, &WriteToBuffer, &error);
        if (!m_gif) Fail(texts::kOutOfMemory);
    }
    ~GifWriter() { if (m_gif) { int error = 0; EGifCloseFile(m_gif, &error); } }
    GifWriter(const GifWriter&) = delete;
    GifWriter& operator=(const GifWriter&) = delete;
    GifFileType* Get() const { return m_gif; }
    void Close()
    {
        int error = 0;
        GifFileType* gif = m_gif;
        m_gif = nullptr;
        if (EGifCloseFile(gif, &error) == GIF_ERROR) Fail(texts::kCannotWrite);
    }

private:
    GifFileType* m_gif = nullptr;
};

void WriteHeaderAndPalette(GifWriter& writer, const PalettedImage& paletted, int width, int height)
{
    int bits = PaletteBits(paletted.palette.size());
    ColorMapObject* map = GifMakeMapObject(1 << bits, nullptr);
    if (!map) Fail(texts::kOutOfMemory);
    for (std::size_t i = 0; i < paletted.palette.size(); ++i)
        map->Colors[i] = {paletted.palette[i][0], paletted.palette[i][1], paletted.palette[i][2]};
    EGifSetGifVersion(writer.Get(), true);
    bool ok = EGifPutScreenDesc(writer.Get(), width, height, bits, 0, map) != GIF_ERROR;
    if (ok && paletted.transparentIndex >= 0) {
        GifByteType control[4] = {1, 0, 0, static_cast<GifByteType>(paletted.transparentIndex)};
        ok = EGifPutExtension(writer.Get(), GRAPHICS_EXT_FUNC_CODE, 4, control) != GIF_ERROR;
    }
    ok = ok && EGifPutImageDesc(writer.Get(), 0, 0, width, height, false, nullptr) != GIF_ERROR;
    GifFreeMapObject(map);
    if (!ok) Fail(texts::kCannotWrite);
}

}  // namespace

HeaderInfo ReadGifHeader(const std::uint8_t* data, std::size_t size)
{
    GifReader gif(data, size);
    SeekFirstImage(gif);
    if (DGifGetImageDesc(gif.Get()) == GIF_ERROR) Fail(texts::kCorrupt);
    HeaderInfo header;
    CanvasSize(gif, header.width, header.height);
    return header;
}

PixelImage DecodeGif(const std::uint8_t* data, std::size_t size, ProgressSink& progress)
{
    GifReader gif(data, size);
    int transparent = SeekFirstImage(gif);
    if (DGifGetImageDesc(gif.Get()) == GIF_ERROR) Fail(texts::kCorrupt);
    std::uint32_t width = 0, height = 0;
    CanvasSize(gif, width, height);
    CheckPixelBudget(width, height);
    PixelImage image;
    image.Allocate(width, height, 4, 8);
    ReadFrame(gif, image, transparent, progress);
    if (FullyOpaque(image)) image = [&] {
        PixelImage rgb;
        rgb.Allocate(width, height, 3, 8);
        for (std::size_t i = 0, n = static_cast<std::size_t>(width) * height; i < n; ++i)
            std::memcpy(rgb.pixels.data() + i * 3, image.pixels.data() + i * 4, 3);
        return rgb;
    }();
    return image;
}

ByteBuffer EncodeGif(const PixelImage& image, const EncodeSettings& settings, ProgressSink& progress)
{
    if (image.width > 65535 || image.height > 65535) Fail(texts::kTooLargeForFormat);
    PalettedImage paletted = QuantizeImage(image, 256, AlphaMode::Binary, progress);
    ByteBuffer out;
    GifWriter writer(out);
    int width = static_cast<int>(image.width), height = static_cast<int>(image.height);
    WriteHeaderAndPalette(writer, paletted, width, height);
    std::uint32_t band = RowsPerBand(image.width);
    for (std::uint32_t y = 0; y < image.height; ++y) {
        if (y % band == 0) progress.Report(kImageStageSave, kSaveTag, y, image.height);
        GifPixelType* row = paletted.indices.data() + static_cast<std::size_t>(y) * image.width;
        if (EGifPutLine(writer.Get(), row, width) == GIF_ERROR) Fail(texts::kCannotWrite);
    }
    writer.Close();
    progress.Report(kImageStageSave, kSaveTag, image.height, image.height);
    return out;
}

}  // namespace pelmora
