#include "components/PelmoraImageConvert2022/TgaCodec.h"

#include "components/PelmoraImageConvert2022/ByteReader.h"
#include "components/PelmoraImageConvert2022/ProgressSink.h"

#include <array>
#include <cstring>
#include <vector>

namespace pelmora {

namespace {

struct TgaHeader {
    int idLength = 0, mapType = 0, imageType = 0;
    int mapFirst = 0, mapLength = 0, mapBits = 0;
    std::uint32_t width = 0, height = 0;
    int bits = 0, descriptor = 0;
    bool Rle() const { return imageType >= 9; }
    bool Mapped() const { return imageType == 1 || imageType == 9; }
    bool Gray() const { return imageType == 3 || imageType == 11; }
    int AlphaBits() const { return descriptor & 15; }
};

TgaHeader ReadTga(const ByteReader& in)
{
    TgaHeader h;
    h.idLength = in.U8(0); h.mapType = in.U8(1); h.imageType = in.U8(2);
    h.mapFirst = in.Le16(3); h.mapLength = in.Le16(5); h.mapBits = in.U8(7);
    h.width = in.Le16(12); h.height = in.Le16(14);
    h.bits = in.U8(16); h.descriptor = in.U8(17);
    bool bitsOk = h.Mapped() ? h.bits == 8 : h.Gray() ? (h.bits == 8 || h.bits == 16) : (h.bits == 15 || h.bits == 16 || h.bits == 24 || h.bits == 32);
    if (!bitsOk || (h.Mapped() && h.mapBits != 15 && h.mapBits != 16 && h.mapBits != 24 && h.mapBits != 32)) Fail(texts::kUnsupportedFormat);
    return h;
}

using Rgba = std::array<std::uint8_t, 4>;

Rgba Colour(const std::uint8_t* p, int bits, bool gray, bool useAlpha)
{
    if (gray) return {p[0], p[0], p[0], bits == 16 && useAlpha ? p[1] : std::uint8_t{255}};
    if (bits == 15 || bits == 16) {
        int v = p[0] | p[1] << 8;
        auto five = [](int x) { return static_cast<std::uint8_t>((x << 3) | (x >> 2)); };
        return {five(v >> 10 & 31), five(v >> 5 & 31), five(v & 31), bits == 16 && useAlpha && !(v & 0x8000) ? std::uint8_t{0} : std::uint8_t{255}};
    }
    return {p[2], p[1], p[0], bits == 32 && useAlpha ? p[3] : std::uint8_t{255}};
}

std::vector<Rgba> ReadColourMap(const ByteReader& in, const TgaHeader& h, std::size_t at)
{
    std::vector<Rgba> map(static_cast<std::size_t>(h.mapFirst + h.mapLength), Rgba{0, 0, 0, 255});
    int bytes = (h.mapBits + 7) / 8;
    for (int i = 0; i < h.mapLength; ++i)
        map[static_cast<std::size_t>(h.mapFirst + i)] = Colour(in.At(at + static_cast<std::size_t>(i) * bytes, bytes), h.mapBits, false, true);
    return map;
}

// Pixels in file order, run-length encoding undone.
class PixelStream {
public:
    PixelStream(const ByteReader& in, std::size_t at, int bytes, bool rle) : m_in(in), m_at(at), m_bytes(bytes), m_rle(rle) {}
    const std::uint8_t* Next()
    {
        if (!m_rle) { const std::uint8_t* p = m_in.At(m_at, static_cast<std::size_t>(m_bytes)); m_at += static_cast<std::size_t>(m_bytes); return p; }
        if (m_left == 0) {
            std::uint8_t packet = m_in.U8(m_at++);
            m_left = (packet & 0x7F) + 1;
            m_repeat = (packet & 0x80) != 0;
            if (m_repeat) { m_value = m_in.At(m_at, static_cast<std::size_t>(m_bytes)); m_at += static_cast<std::size_t>(m_bytes); }
        }
        --m_left;
        if (m_repeat) return m_value;
        const std::uint8_t* p = m_in.At(m_at, static_cast<std::size_t>(m_bytes));
        m_at += static_cast<std::size_t>(m_bytes);
        return p;
    }

private:
    const ByteReader& m_in;
    std::size_t m_at;
    int m_bytes;
    bool m_rle;
    int m_left = 0;
    bool m_repeat = false;
    const std::uint8_t* m_value = nullptr;
};

}  // namespace

HeaderInfo ReadTgaHeader(const std::uint8_t* data, std::size_t size)
{
    TgaHeader h = ReadTga(ByteReader(data, size));
    return {h.width, h.height, 1};
}

PixelImage DecodeTga(const std::uint8_t* data, std::size_t size, ProgressSink& progress)
{
    ByteReader in(data, size);
    TgaHeader h = ReadTga(in);
    CheckPixelBudget(h.width, h.height);
    std::size_t at = 18 + static_cast<std::size_t>(h.idLength);
    std::vector<Rgba> map;
    if (h.mapType == 1) {
        map = ReadColourMap(in, h, at);
        at += static_cast<std::size_t>(h.mapLength) * ((h.mapBits + 7) / 8);
    }
    int bytes = (h.bits + 7) / 8;
    if (!h.Rle()) in.Need(at, static_cast<std::size_t>(h.width) * h.height * bytes);
    bool useAlpha = h.AlphaBits() > 0 || (h.bits == 32 && !h.Gray());
    bool alpha = useAlpha && (h.bits == 32 || h.bits == 16 || (h.Mapped() && h.mapBits == 32));
    PixelImage image;
    image.Allocate(h.width, h.height, h.Gray() ? (alpha ? 2 : 1) : (alpha ? 4 : 3), 8);
    bool topDown = (h.descriptor & 0x20) != 0, rightToLeft = (h.descriptor & 0x10) != 0;
    PixelStream pixels(in, at, bytes, h.Rle());
    std::uint32_t band = RowsPerBand(h.width);
    for (std::uint32_t row = 0; row < h.height; ++row) {
        if (row % band == 0) progress.Report(kImageStageLoad, kLoadTag, row, h.height);
        std::uint8_t* out = image.Row(topDown ? row : h.height - 1 - row);
        for (std::uint32_t i = 0; i < h.width; ++i) {
            const std::uint8_t* p = pixels.Next();
            Rgba c = h.Mapped() ? (p[0] < map.size() ? map[p[0]] : Rgba{0, 0, 0, 255}) : Colour(p, h.bits, h.Gray(), useAlpha);
            std::uint32_t x = rightToLeft ? h.width - 1 - i : i;
            if (h.Gray()) { out[x * image.channels] = c[0]; if (alpha) out[x * 2 + 1] = c[3]; }
            else { std::memcpy(out + x * image.channels, c.data(), static_cast<std::size_t>(image.channels)); }
        }
    }
    progress.Report(kImageStageLoad, kLoadTag, h.height, h.height);
    return image;
}

}  // namespace pelmora
