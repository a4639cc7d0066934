#include "components/PelmoraImageConvert2022/PnmCodec.h"

#include "components/PelmoraImageConvert2022/ProgressSink.h"

#include <cstring>
#include <string>

namespace pelmora {

namespace {

struct PnmHeader {
    int kind = 0;                // the digit after 'P'
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t maxValue = 1;
    int channels = 1;
    std::size_t dataStart = 0;
};

class Scanner {
public:
    Scanner(const std::uint8_t* data, std::size_t size, std::size_t at) : m_data(data), m_size(size), m_at(at) {}

    // The next number, skipping blanks and comments.
    std::uint32_t Number()
    {
        SkipBlanks();
        std::uint64_t value = 0;
        std::size_t start = m_at;
        while (m_at < m_size && m_data[m_at] >= '0' && m_data[m_at] <= '9') {
            value = value * 10 + (m_data[m_at++] - '0');
            if (value > 0xFFFFFFFFu) Fail(texts::kCorrupt);
        }
        if (m_at == start) Fail(texts::kCorrupt);
        return static_cast<std::uint32_t>(value);
    }
    std::string Word()
    {
        SkipBlanks();
        std::string word;
        while (m_at < m_size && !IsBlank(m_data[m_at])) word += static_cast<char>(m_data[m_at++]);
        return word;
    }
    void SkipLine()
    {
        while (m_at < m_size && m_data[m_at] != '\n') ++m_at;
        if (m_at < m_size) ++m_at;
    }
    void SkipOneBlank() { if (m_at < m_size && IsBlank(m_data[m_at])) ++m_at; }
    std::size_t At() const { return m_at; }
    // One PBM text digit.
    int Bit()
    {
        SkipBlanks();
        if (m_at >= m_size || (m_data[m_at] != '0' && m_data[m_at] != '1')) Fail(texts::kCorrupt);
        return m_data[m_at++] - '0';
    }

private:
    static bool IsBlank(std::uint8_t c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }
    void SkipBlanks()
    {
        while (m_at < m_size && (IsBlank(m_data[m_at]) || m_data[m_at] == '#')) {
            if (m_data[m_at] == '#') SkipLine();
            else ++m_at;
        }
    }

    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at;
};

void ReadPamHeader(Scanner& scan, PnmHeader& h)
{
    scan.SkipLine();
    for (;;) {
        std::string key = scan.Word();
        if (key.empty()) Fail(texts::kCorrupt);
        if (key == "ENDHDR") break;
        if (key == "WIDTH") h.width = scan.Number();
        else if (key == "HEIGHT") h.height = scan.Number();
        else if (key == "DEPTH") h.channels = static_cast<int>(scan.Number());
        else if (key == "MAXVAL") h.maxValue = scan.Number();
        else scan.SkipLine();
    }
    scan.SkipLine();
    if (h.channels < 1 || h.channels > 4) Fail(texts::kUnsupportedFormat);
}

PnmHeader ReadPnm(const std::uint8_t* data, std::size_t size)
{
    PnmHeader h;
    h.kind = data[1] - '0';
    Scanner scan(data, size, 2);
    if (h.kind == 7) {
        ReadPamHeader(scan, h);
    } else {
        h.width = scan.Number();
        h.height = scan.Number();
        if (h.kind != 1 && h.kind != 4) h.maxValue = scan.Number();
        h.channels = (h.kind == 3 || h.kind == 6) ? 3 : 1;
        scan.SkipOneBlank();
    }
    if (h.maxValue == 0 || h.maxValue > 65535) Fail(texts::kCorrupt);
    h.dataStart = scan.At();
    return h;
}

std::uint32_t Scale(std::uint32_t v, std::uint32_t maxValue, int depth)
{
    std::uint32_t target = depth == 16 ? 65535 : 255;
    if (v > maxValue) v = maxValue;
    return maxValue == target ? v : (v * target + maxValue / 2) / maxValue;
}

void Put(std::uint8_t* row, std::size_t i, std::uint32_t v, int depth)
{
    if (depth == 16) { auto s = static_cast<std::uint16_t>(v); std::memcpy(row + i * 2, &s, 2); }
    else row[i] = static_cast<std::uint8_t>(v);
}

// One row of samples from binary (P4-P7) or text (P1-P3) data.
void ReadRow(const PnmHeader& h, const std::uint8_t* data, Scanner& text, std::size_t& at, PixelImage& image, std::uint32_t y)
{
    std::uint8_t* row = image.Row(y);
    std::size_t samples = static_cast<std::size_t>(image.width) * image.channels;
    if (h.kind == 1 || h.kind == 4) {
        for (std::uint32_t x = 0; x < image.width; ++x) {
            int bit = h.kind == 1 ? text.Bit() : data[at + x / 8] >> (7 - x % 8) & 1;
            row[x] = bit ? 0 : 255;   // 1 is black
        }
        if (h.kind == 4) at += (image.width + 7) / 8;
        return;
    }
    bool wide = h.maxValue > 255;
    for (std::size_t i = 0; i < samples; ++i) {
        std::uint32_t v;
        if (h.kind <= 3) v = text.Number();
        else if (wide) { v = static_cast<std::uint32_t>(data[at] << 8 | data[at + 1]); at += 2; }
        else v = data[at++];
        Put(row, i, Scale(v, h.maxValue, image.depth), image.depth);
    }
}

}  // namespace

HeaderInfo ReadPnmHeader(const std::uint8_t* data, std::size_t size)
{
    PnmHeader h = ReadPnm(data, size);
    return {h.width, h.height, 1};
}

PixelImage DecodePnm(const std::uint8_t* data, std::size_t size, ProgressSink& progress)
{
    PnmHeader h = ReadPnm(data, size);
    CheckPixelBudget(h.width, h.height);
    bool binary = h.kind >= 4;
    if (binary) {
        std::uint64_t rowBytes = h.kind == 4 ? (h.width + 7) / 8
                                             : static_cast<std::uint64_t>(h.width) * h.channels * (h.maxValue > 255 ? 2 : 1);
        if (h.dataStart > size || rowBytes * h.height > size - h.dataStart) Fail(texts::kCorrupt);
    }
    PixelImage image;
    image.Allocate(h.width, h.height, h.channels, h.maxValue > 255 ? 16 : 8);
    Scanner text(data, size, h.dataStart);
    std::size_t at = h.dataStart;
    std::uint32_t band = RowsPerBand(h.width);
    for (std::uint32_t y = 0; y < h.height; ++y) {
        if (y % band == 0) progress.Report(kImageStageLoad, kLoadTag, y, h.height);
        ReadRow(h, data, text, at, image, y);
    }
    progress.Report(kImageStageLoad, kLoadTag, h.height, h.height);
    return image;
}

}  // namespace pelmora
