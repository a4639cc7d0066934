#include "components/PelmoraImageConvert2022/PixelRows.h"

#include <cstring>

namespace pelmora {

namespace {

struct Rgba16 {
    std::uint32_t r, g, b, a;
};

Rgba16 ReadPixel(const std::uint8_t* p, int channels, int depth)
{
    auto sample = [&](int i) -> std::uint32_t {
        if (depth == 16) {
            std::uint16_t v;
            std::memcpy(&v, p + i * 2, 2);
            return v;
        }
        return p[i] * 257u;
    };
    switch (channels) {
    case 1: { std::uint32_t v = sample(0); return {v, v, v, 65535}; }
    case 2: { std::uint32_t v = sample(0); return {v, v, v, sample(1)}; }
    case 3: return {sample(0), sample(1), sample(2), 65535};
    default: return {sample(0), sample(1), sample(2), sample(3)};
    }
}

std::uint32_t OntoWhite(std::uint32_t c, std::uint32_t a)
{
    return (c * a + 65535u * (65535u - a) + 32767u) / 65535u;
}

void WritePixel(std::uint8_t* p, int channels, int depth, Rgba16 px, bool sourceHasAlpha)
{
    bool hasAlpha = channels == 2 || channels == 4;
    if (!hasAlpha && sourceHasAlpha) {
        px.r = OntoWhite(px.r, px.a);
        px.g = OntoWhite(px.g, px.a);
        px.b = OntoWhite(px.b, px.a);
    }
    std::uint32_t out[4];
    int n = 0;
    if (channels <= 2) {
        out[n++] = (px.r * 299u + px.g * 587u + px.b * 114u + 500u) / 1000u;
    } else {
        out[n++] = px.r;
        out[n++] = px.g;
        out[n++] = px.b;
    }
    if (hasAlpha) out[n++] = px.a;
    for (int i = 0; i < n; ++i) {
        if (depth == 16) {
            std::uint16_t v = static_cast<std::uint16_t>(out[i]);
            std::memcpy(p + i * 2, &v, 2);
        } else {
            p[i] = static_cast<std::uint8_t>((out[i] + 128u) / 257u);
        }
    }
}

void ConvertRow(const PixelImage& image, std::uint32_t y, int channels, int depth, std::uint8_t* out)
{
    const std::uint8_t* in = image.Row(y);
    std::size_t inStep = image.BytesPerPixel(), outStep = static_cast<std::size_t>(channels) * (depth / 8);
    bool sourceAlpha = image.HasAlpha();
    for (std::uint32_t x = 0; x < image.width; ++x)
        WritePixel(out + x * outStep, channels, depth, ReadPixel(in + x * inStep, image.channels, image.depth), sourceAlpha);
}

}  // namespace

PixelRows::PixelRows(const PixelImage& image, int channels, int depth)
    : m_image(image), m_channels(channels), m_depth(depth),
      m_stride(static_cast<std::size_t>(channels) * (depth / 8) * image.width)
{
    if (channels != image.channels || depth != image.depth) m_scratch.resize(m_stride);
}

const std::uint8_t* PixelRows::Row(std::uint32_t y)
{
    if (m_scratch.empty()) return m_image.Row(y);
    ConvertRow(m_image, y, m_channels, m_depth, m_scratch.data());
    return m_scratch.data();
}

PixelImage ConvertLayout(const PixelImage& image, int channels, int depth)
{
    PixelImage out;
    out.Allocate(image.width, image.height, channels, depth);
    out.dpiX = image.dpiX;
    out.dpiY = image.dpiY;
    out.iccProfile = image.iccProfile;
    out.orientation = image.orientation;
    PixelRows rows(image, channels, depth);
    for (std::uint32_t y = 0; y < image.height; ++y) std::memcpy(out.Row(y), rows.Row(y), out.Stride());
    return out;
}

}  // namespace pelmora
