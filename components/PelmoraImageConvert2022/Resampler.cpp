#include "components/PelmoraImageConvert2022/Resampler.h"

#include "components/PelmoraImageConvert2022/Codecs.h"
#include "components/PelmoraImageConvert2022/ProgressSink.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <deque>
#include <vector>

namespace pelmora {

namespace {

double CatmullRom(double x)
{
    x = std::fabs(x);
    if (x < 1) return 1.5 * x * x * x - 2.5 * x * x + 1;
    if (x < 2) return -0.5 * x * x * x + 2.5 * x * x - 4 * x + 2;
    return 0;
}

// For each output position, the first source index and the weights of the
// source samples it draws on.
struct Contributions {
    std::vector<std::uint32_t> first;
    std::vector<std::uint32_t> count;
    std::vector<float> weights;   // count[i] weights from offset[i]
    std::vector<std::size_t> offset;
};

Contributions Weigh(std::uint32_t sourceSize, std::uint32_t targetSize)
{
    Contributions c;
    double scale = static_cast<double>(targetSize) / sourceSize;
    double widen = scale < 1 ? 1 / scale : 1;
    double support = 2 * widen;
    for (std::uint32_t i = 0; i < targetSize; ++i) {
        double center = (i + 0.5) / scale - 0.5;
        auto lo = static_cast<std::int64_t>(std::floor(center - support)) + 1;
        auto hi = static_cast<std::int64_t>(std::floor(center + support));
        lo = std::max<std::int64_t>(lo, 0);
        hi = std::min<std::int64_t>(hi, sourceSize - 1);
        c.first.push_back(static_cast<std::uint32_t>(lo));
        c.offset.push_back(c.weights.size());
        double sum = 0;
        for (std::int64_t s = lo; s <= hi; ++s) sum += CatmullRom((s - center) / widen);
        for (std::int64_t s = lo; s <= hi; ++s) {
            double w = CatmullRom((s - center) / widen);
            c.weights.push_back(static_cast<float>(sum != 0 ? w / sum : 1.0 / (hi - lo + 1)));
        }
        c.count.push_back(static_cast<std::uint32_t>(hi - lo + 1));
    }
    return c;
}

void LoadRow(const PixelImage& image, std::uint32_t y, std::vector<float>& out)
{
    int ch = image.channels;
    std::size_t n = static_cast<std::size_t>(image.width) * ch;
    out.resize(n);
    const std::uint8_t* row = image.Row(y);
    if (image.depth == 16) {
        for (std::size_t i = 0; i < n; ++i) { std::uint16_t v; std::memcpy(&v, row + i * 2, 2); out[i] = v / 65535.f; }
    } else {
        for (std::size_t i = 0; i < n; ++i) out[i] = row[i] / 255.f;
    }
    if (image.HasAlpha()) {
        for (std::uint32_t x = 0; x < image.width; ++x) {
            float a = out[x * ch + ch - 1];
            for (int k = 0; k < ch - 1; ++k) out[x * ch + k] *= a;
        }
    }
}

void FilterAcross(const std::vector<float>& in, const Contributions& c, int ch, std::vector<float>& out)
{
    std::size_t width = c.first.size();
    out.assign(width * ch, 0.f);
    for (std::size_t x = 0; x < width; ++x) {
        const float* w = c.weights.data() + c.offset[x];
        const float* src = in.data() + static_cast<std::size_t>(c.first[x]) * ch;
        float* dst = out.data() + x * ch;
        for (std::uint32_t k = 0; k < c.count[x]; ++k)
            for (int j = 0; j < ch; ++j) dst[j] += w[k] * src[k * ch + j];
    }
}

void StoreRow(const std::vector<float>& in, PixelImage& image, std::uint32_t y)
{
    int ch = image.channels;
    std::uint8_t* row = image.Row(y);
    float maxValue = image.depth == 16 ? 65535.f : 255.f;
    for (std::uint32_t x = 0; x < image.width; ++x) {
        float a = image.HasAlpha() ? std::clamp(in[x * ch + ch - 1], 0.f, 1.f) : 1.f;
        for (int k = 0; k < ch; ++k) {
            float v = in[x * ch + k];
            if (image.HasAlpha() && k < ch - 1) v = a > 0 ? v / a : 0;
            v = std::clamp(v, 0.f, 1.f) * maxValue + 0.5f;
            std::size_t i = static_cast<std::size_t>(x) * ch + k;
            if (image.depth == 16) { auto s = static_cast<std::uint16_t>(v); std::memcpy(row + i * 2, &s, 2); }
            else row[i] = static_cast<std::uint8_t>(v);
        }
    }
}

}  // namespace

PixelImage ResizeImage(const PixelImage& image, std::uint32_t width, std::uint32_t height, ProgressSink& progress)
{
    CheckPixelBudget(width, height);
    PixelImage out;
    out.Allocate(width, height, image.channels, image.depth);
    out.dpiX = image.dpiX;
    out.dpiY = image.dpiY;
    out.iccProfile = image.iccProfile;
    Contributions across = Weigh(image.width, width), down = Weigh(image.height, height);
    int ch = image.channels;
    std::deque<std::vector<float>> cache;   // filtered source rows from cacheFirst on
    std::uint32_t cacheFirst = 0;
    std::vector<float> raw, sum;
    // Bands count the source rows read as well, for heavy shrinking.
    std::uint64_t sourceBand = static_cast<std::uint64_t>(RowsPerBand(image.width)) * height / image.height;
    std::uint32_t band = static_cast<std::uint32_t>(std::max<std::uint64_t>(1, std::min<std::uint64_t>(RowsPerBand(width), sourceBand)));
    for (std::uint32_t y = 0; y < height; ++y) {
        if (y % band == 0) progress.Report(kImageStageResize, kResizeTag, y, height);
        std::uint32_t first = down.first[y], count = down.count[y];
        while (cacheFirst < first && !cache.empty()) { cache.pop_front(); ++cacheFirst; }
        if (cache.empty()) cacheFirst = first;
        while (cacheFirst + cache.size() < first + count) {
            LoadRow(image, cacheFirst + static_cast<std::uint32_t>(cache.size()), raw);
            cache.emplace_back();
            FilterAcross(raw, across, ch, cache.back());
        }
        sum.assign(static_cast<std::size_t>(width) * ch, 0.f);
        const float* w = down.weights.data() + down.offset[y];
        for (std::uint32_t k = 0; k < count; ++k) {
            const std::vector<float>& row = cache[first - cacheFirst + k];
            for (std::size_t i = 0; i < sum.size(); ++i) sum[i] += w[k] * row[i];
        }
        StoreRow(sum, out, y);
    }
    progress.Report(kImageStageResize, kResizeTag, height, height);
    return out;
}

}  // namespace pelmora
