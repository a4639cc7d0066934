#include "components/PelmoraImageConvert2022/PaletteQuantizer.h"

#include "components/PelmoraImageConvert2022/Codecs.h"
#include "components/PelmoraImageConvert2022/PixelRows.h"
#include "components/PelmoraImageConvert2022/ProgressSink.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace pelmora {

namespace {

constexpr int kHistogramBits = 18;   // 5 bits of each colour, 3 of alpha

std::uint32_t Pack(const std::uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24; }

std::uint32_t HistogramKey(int r, int g, int b, int a)
{
    return static_cast<std::uint32_t>((r >> 3) << 13 | (g >> 3) << 8 | (b >> 3) << 3 | (a >> 5));
}

struct Bin {
    std::uint64_t count = 0;
    std::uint64_t sum[4] = {};
};

struct Box {
    std::vector<std::uint32_t> keys;   // non-empty histogram bins
    std::uint64_t population = 0;
};

int Component(std::uint32_t key, int c)
{
    static const int shifts[4] = {13, 8, 3, 0};
    static const int masks[4] = {31, 31, 31, 7};
    return static_cast<int>(key >> shifts[c] & masks[c]) * (c == 3 ? 4 : 1);
}

// Splits the box at the median of its population along its widest component.
std::pair<Box, Box> Split(Box& box, const std::vector<Bin>& bins)
{
    int widest = 0, widestRange = -1;
    for (int c = 0; c < 4; ++c) {
        int lo = 255, hi = 0;
        for (std::uint32_t k : box.keys) { lo = std::min(lo, Component(k, c)); hi = std::max(hi, Component(k, c)); }
        if (hi - lo > widestRange) { widestRange = hi - lo; widest = c; }
    }
    std::sort(box.keys.begin(), box.keys.end(), [&](std::uint32_t a, std::uint32_t b) { return Component(a, widest) < Component(b, widest); });
    Box left, right;
    std::uint64_t half = box.population / 2, running = 0;
    for (std::size_t i = 0; i < box.keys.size(); ++i) {
        bool toLeft = i == 0 || (running < half && i + 1 < box.keys.size());
        Box& side = toLeft ? left : right;
        side.keys.push_back(box.keys[i]);
        side.population += bins[box.keys[i]].count;
        running += bins[box.keys[i]].count;
    }
    return {std::move(left), std::move(right)};
}

std::vector<std::array<std::uint8_t, 4>> MedianCut(const std::vector<Bin>& bins, int maxColors)
{
    std::vector<Box> boxes(1);
    for (std::uint32_t k = 0; k < bins.size(); ++k)
        if (bins[k].count) { boxes[0].keys.push_back(k); boxes[0].population += bins[k].count; }
    while (static_cast<int>(boxes.size()) < maxColors) {
        auto it = std::max_element(boxes.begin(), boxes.end(), [](const Box& a, const Box& b) {
            return (a.keys.size() > 1 ? a.population : 0) < (b.keys.size() > 1 ? b.population : 0);
        });
        if (it->keys.size() < 2) break;
        auto [left, right] = Split(*it, bins);
        *it = std::move(left);
        boxes.push_back(std::move(right));
    }
    std::vector<std::array<std::uint8_t, 4>> palette;
    for (const Box& box : boxes) {
        std::uint64_t sum[4] = {}, count = 0;
        for (std::uint32_t k : box.keys) {
            for (int c = 0; c < 4; ++c) sum[c] += bins[k].sum[c];
            count += bins[k].count;
        }
        if (count == 0) continue;
        std::array<std::uint8_t, 4> entry{};
        for (int c = 0; c < 4; ++c) entry[c] = static_cast<std::uint8_t>((sum[c] + count / 2) / count);
        palette.push_back(entry);
    }
    return palette;
}

class Quantizer {
public:
    Quantizer(const PixelImage& image, int maxColors, AlphaMode alpha, ProgressSink& progress)
        : m_image(image), m_maxColors(maxColors), m_alpha(alpha), m_progress(progress) {}

    PalettedImage Run();

private:
    bool Clear(const std::uint8_t* p) const { return m_alpha == AlphaMode::Binary && p[3] < 128; }
    bool TryExact(PalettedImage& out);
    std::vector<Bin> Histogram();
    int Nearest(int r, int g, int b, int a);
    void Dither(PalettedImage& out);

    const PixelImage& m_image;
    int m_maxColors;
    AlphaMode m_alpha;
    ProgressSink& m_progress;
    std::vector<std::array<std::uint8_t, 4>> m_palette;
    std::vector<std::int16_t> m_nearestCache;
};

bool Quantizer::TryExact(PalettedImage& out)
{
    std::unordered_map<std::uint32_t, std::uint8_t> colours;
    PixelRows rows(m_image, 4, 8);
    int limit = m_maxColors - (m_alpha == AlphaMode::Binary ? 1 : 0);
    for (std::uint32_t y = 0; y < m_image.height; ++y) {
        const std::uint8_t* row = rows.Row(y);
        for (std::uint32_t x = 0; x < m_image.width; ++x) {
            const std::uint8_t* p = row + x * 4;
            if (Clear(p)) continue;
            std::uint32_t key = Pack(p) | (m_alpha == AlphaMode::Binary ? 0xFF000000u : 0);
            if (colours.emplace(key, 0).second && static_cast<int>(colours.size()) > limit) return false;
        }
    }
    for (auto& [key, index] : colours) {
        index = static_cast<std::uint8_t>(m_palette.size());
        m_palette.push_back({static_cast<std::uint8_t>(key), static_cast<std::uint8_t>(key >> 8),
                             static_cast<std::uint8_t>(key >> 16), static_cast<std::uint8_t>(key >> 24)});
    }
    if (m_alpha == AlphaMode::Binary) { out.transparentIndex = static_cast<int>(m_palette.size()); m_palette.push_back({255, 255, 255, 0}); }
    for (std::uint32_t y = 0; y < m_image.height; ++y) {
        if (y % RowsPerBand(m_image.width) == 0) m_progress.Report(kImageStageDitherMap, kDitherTag, y, m_image.height);
        const std::uint8_t* row = rows.Row(y);
        std::uint8_t* dst = out.indices.data() + static_cast<std::size_t>(y) * m_image.width;
        for (std::uint32_t x = 0; x < m_image.width; ++x) {
            const std::uint8_t* p = row + x * 4;
            dst[x] = Clear(p) ? static_cast<std::uint8_t>(out.transparentIndex)
                              : colours[Pack(p) | (m_alpha == AlphaMode::Binary ? 0xFF000000u : 0)];
        }
    }
    return true;
}

std::vector<Bin> Quantizer::Histogram()
{
    std::vector<Bin> bins(std::size_t{1} << kHistogramBits);
    PixelRows rows(m_image, 4, 8);
    std::uint32_t band = RowsPerBand(m_image.width);
    for (std::uint32_t y = 0; y < m_image.height; ++y) {
        if (y % band == 0) m_progress.Report(kImageStageDither, kClassifyTag, y, m_image.height);
        const std::uint8_t* row = rows.Row(y);
        for (std::uint32_t x = 0; x < m_image.width; ++x) {
            const std::uint8_t* p = row + x * 4;
            if (Clear(p)) continue;
            int a = m_alpha == AlphaMode::Binary ? 255 : p[3];
            Bin& bin = bins[HistogramKey(p[0], p[1], p[2], a)];
            ++bin.count;
            bin.sum[0] += p[0]; bin.sum[1] += p[1]; bin.sum[2] += p[2]; bin.sum[3] += static_cast<std::uint64_t>(a);
        }
    }
    m_progress.Report(kImageStageDither, kClassifyTag, m_image.height, m_image.height);
    return bins;
}

int Quantizer::Nearest(int r, int g, int b, int a)
{
    std::uint32_t key = HistogramKey(r, g, b, a);
    std::int16_t& cached = m_nearestCache[key];
    if (cached >= 0) return cached;
    // The cache holds the nearest entry to the bin's centre.
    int cr = (r & ~7) + 4, cg = (g & ~7) + 4, cb = (b & ~7) + 4, ca = (a & ~31) + 16;
    int best = 0;
    long bestDistance = -1;
    for (std::size_t i = 0; i < m_palette.size(); ++i) {
        const auto& e = m_palette[i];
        long dr = e[0] - cr, dg = e[1] - cg, db = e[2] - cb, da = e[3] - ca;
        long d = dr * dr * 3 + dg * dg * 4 + db * db * 2 + da * da * 3;
        if (bestDistance < 0 || d < bestDistance) { bestDistance = d; best = static_cast<int>(i); }
    }
    cached = static_cast<std::int16_t>(best);
    return best;
}

void Quantizer::Dither(PalettedImage& out)
{
    m_nearestCache.assign(std::size_t{1} << kHistogramBits, -1);
    std::uint32_t w = m_image.width;
    std::vector<int> errors(static_cast<std::size_t>(w + 2) * 4 * 2, 0);
    int* current = errors.data();
    int* next = errors.data() + static_cast<std::size_t>(w + 2) * 4;
    PixelRows rows(m_image, 4, 8);
    std::uint32_t band = RowsPerBand(w);
    for (std::uint32_t y = 0; y < m_image.height; ++y) {
        if (y % band == 0) m_progress.Report(kImageStageDitherMap, kDitherTag, y, m_image.height);
        const std::uint8_t* row = rows.Row(y);
        std::uint8_t* dst = out.indices.data() + static_cast<std::size_t>(y) * w;
        std::fill(next, next + static_cast<std::size_t>(w + 2) * 4, 0);
        for (std::uint32_t x = 0; x < w; ++x) {
            const std::uint8_t* p = row + x * 4;
            if (Clear(p)) { dst[x] = static_cast<std::uint8_t>(out.transparentIndex); continue; }
            int want[4];
            for (int c = 0; c < 4; ++c) want[c] = std::clamp(p[c] + current[(x + 1) * 4 + c] / 16, 0, 255);
            if (m_alpha == AlphaMode::Binary) want[3] = 255;
            int index = Nearest(want[0], want[1], want[2], want[3]);
            dst[x] = static_cast<std::uint8_t>(index);
            for (int c = 0; c < 4; ++c) {
                int e = want[c] - m_palette[static_cast<std::size_t>(index)][c];
                current[(x + 2) * 4 + c] += e * 7;
                next[x * 4 + c] += e * 3;
                next[(x + 1) * 4 + c] += e * 5;
                next[(x + 2) * 4 + c] += e;
            }
        }
        std::swap(current, next);
    }
    m_progress.Report(kImageStageDitherMap, kDitherTag, m_image.height, m_image.height);
}

PalettedImage Quantizer::Run()
{
    PalettedImage out;
    out.width = m_image.width;
    out.height = m_image.height;
    out.indices.resize(static_cast<std::size_t>(m_image.width) * m_image.height);
    if (TryExact(out)) { out.palette = m_palette; return out; }
    m_palette.clear();
    out.transparentIndex = -1;
    int colours = m_maxColors - (m_alpha == AlphaMode::Binary ? 1 : 0);
    m_palette = MedianCut(Histogram(), colours);
    if (m_palette.empty()) m_palette.push_back({255, 255, 255, 255});
    if (m_alpha == AlphaMode::Binary) {
        // The clear entry comes last, so the dither never picks it.
        out.transparentIndex = static_cast<int>(m_palette.size());
        Dither(out);
        m_palette.push_back({255, 255, 255, 0});
    } else {
        Dither(out);
    }
    out.palette = m_palette;
    return out;
}

}  // namespace

PalettedImage QuantizeImage(const PixelImage& image, int maxColors, AlphaMode alpha, ProgressSink& progress)
{
    return Quantizer(image, std::clamp(maxColors, 2, 256), alpha, progress).Run();
}

}  // namespace pelmora
