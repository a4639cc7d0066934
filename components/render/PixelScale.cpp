#include "components/render/PixelOps.h"

#include <algorithm>
#include <cmath>

namespace vrender {

namespace {

struct Tap
{
    int i0, i1;      // source indices
    uint32_t w1;     // weight of i1 in 1/256
};

// Source positions of every target column (or row) for bilinear sampling,
// kept inside [first, first + srcLen).
std::vector<Tap> BilinearTaps(int first, int srcLen, int dstLen)
{
    std::vector<Tap> taps(dstLen);
    const double step = static_cast<double>(srcLen) / dstLen;
    for (int i = 0; i < dstLen; ++i) {
        double s = (i + 0.5) * step - 0.5;
        s = std::clamp(s, 0.0, static_cast<double>(srcLen - 1));
        const int i0 = static_cast<int>(s);
        const int i1 = std::min(i0 + 1, srcLen - 1);
        taps[i] = {first + i0, first + i1, static_cast<uint32_t>((s - i0) * 256.0 + 0.5)};
        if (taps[i].w1 >= 256) taps[i] = {first + i1, first + i1, 0};
    }
    return taps;
}

inline uint32_t Mix(uint32_t a, uint32_t b, uint32_t w)   // w in 0..256, weight of b
{
    if (w == 0) return a;
    const uint32_t rb = ((a & 0x00FF00FFu) * (256 - w) + (b & 0x00FF00FFu) * w) >> 8;
    const uint32_t ag = ((a >> 8) & 0x00FF00FFu) * (256 - w) + ((b >> 8) & 0x00FF00FFu) * w;
    return (rb & 0x00FF00FFu) | (ag & 0xFF00FF00u);
}

void ScaleNearest(const ConstPixelView& v, const RECT& src, int cx, int cy, uint32_t* out)
{
    const int sw = src.right - src.left, sh = src.bottom - src.top;
    std::vector<int> cols(cx);
    for (int x = 0; x < cx; ++x)
        cols[x] = src.left + static_cast<int>((static_cast<long long>(x) * 2 + 1) * sw / (2LL * cx));
    for (int y = 0; y < cy; ++y) {
        const uint32_t* row = v.Row(src.top + static_cast<int>((static_cast<long long>(y) * 2 + 1) * sh / (2LL * cy)));
        for (int x = 0; x < cx; ++x) *out++ = row[cols[x]];
    }
}

void ScaleBilinear(const ConstPixelView& v, const RECT& src, int cx, int cy, uint32_t* out)
{
    const auto cols = BilinearTaps(src.left, src.right - src.left, cx);
    const auto rows = BilinearTaps(src.top, src.bottom - src.top, cy);
    for (const Tap& ry : rows) {
        const uint32_t* r0 = v.Row(ry.i0);
        const uint32_t* r1 = v.Row(ry.i1);
        for (const Tap& cxTap : cols) {
            const uint32_t top = Mix(r0[cxTap.i0], r0[cxTap.i1], cxTap.w1);
            const uint32_t bottom = Mix(r1[cxTap.i0], r1[cxTap.i1], cxTap.w1);
            *out++ = Mix(top, bottom, ry.w1);
        }
    }
}

// Every target pixel is the mean of the source box it covers.
void ScaleBox(const ConstPixelView& v, const RECT& src, int cx, int cy, uint32_t* out)
{
    const int sw = src.right - src.left, sh = src.bottom - src.top;
    for (int y = 0; y < cy; ++y) {
        const int y0 = src.top + static_cast<int>(static_cast<long long>(y) * sh / cy);
        const int y1 = std::max<int>(y0 + 1, src.top + static_cast<int>(static_cast<long long>(y + 1) * sh / cy));
        for (int x = 0; x < cx; ++x) {
            const int x0 = src.left + static_cast<int>(static_cast<long long>(x) * sw / cx);
            const int x1 = std::max<int>(x0 + 1, src.left + static_cast<int>(static_cast<long long>(x + 1) * sw / cx));
            uint32_t sum[4] = {};
            for (int sy = y0; sy < y1; ++sy)
                for (int sx = x0; sx < x1; ++sx) {
                    const uint32_t p = v.Row(sy)[sx];
                    for (int c = 0; c < 4; ++c) sum[c] += (p >> (c * 8)) & 0xFF;
                }
            const uint32_t n = static_cast<uint32_t>((y1 - y0) * (x1 - x0));
            uint32_t p = 0;
            for (int c = 0; c < 4; ++c) p |= ((sum[c] + n / 2) / n) << (c * 8);
            *out++ = p;
        }
    }
}

} // namespace

std::vector<uint32_t> ScalePixels(const ConstPixelView& view, const RECT& src, int cx, int cy, UINT filter)
{
    std::vector<uint32_t> out;
    const int sw = src.right - src.left, sh = src.bottom - src.top;
    if (cx <= 0 || cy <= 0 || sw <= 0 || sh <= 0) return out;
    out.resize(static_cast<size_t>(cx) * cy);
    if (sw == cx && sh == cy) {
        for (int y = 0; y < cy; ++y)
            std::copy(view.Row(src.top + y) + src.left, view.Row(src.top + y) + src.right, out.data() + y * cx);
    } else if (filter == 0) {
        ScaleNearest(view, src, cx, cy, out.data());
    } else if (filter >= 2 && (cx * 2 <= sw || cy * 2 <= sh)) {
        ScaleBox(view, src, cx, cy, out.data());
    } else {
        ScaleBilinear(view, src, cx, cy, out.data());
    }
    return out;
}

} // namespace vrender
