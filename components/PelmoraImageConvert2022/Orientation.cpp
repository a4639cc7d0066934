#include "components/PelmoraImageConvert2022/Orientation.h"

#include "components/PelmoraImageConvert2022/Codecs.h"
#include "components/PelmoraImageConvert2022/ProgressSink.h"

#include <cstring>
#include <utility>

namespace pelmora {

namespace {

std::uint32_t Read(const std::uint8_t* p, int bytes, bool bigEndian)
{
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) v |= static_cast<std::uint32_t>(p[bigEndian ? i : bytes - 1 - i]) << (8 * (bytes - 1 - i));
    return v;
}

// Where source pixel (x, y) lands in the upright image of size w x h (upright size).
std::pair<std::uint32_t, std::uint32_t> Target(int orientation, std::uint32_t x, std::uint32_t y, std::uint32_t sw, std::uint32_t sh)
{
    switch (orientation) {
    case 2: return {sw - 1 - x, y};
    case 3: return {sw - 1 - x, sh - 1 - y};
    case 4: return {x, sh - 1 - y};
    case 5: return {y, x};
    case 6: return {sh - 1 - y, x};
    case 7: return {sh - 1 - y, sw - 1 - x};
    case 8: return {y, sw - 1 - x};
    default: return {x, y};
    }
}

}  // namespace

int ExifOrientation(const std::uint8_t* tiff, std::size_t size)
{
    if (!tiff || size < 8) return 1;
    bool big = tiff[0] == 'M' && tiff[1] == 'M';
    if (!big && !(tiff[0] == 'I' && tiff[1] == 'I')) return 1;
    std::uint32_t ifd = Read(tiff + 4, 4, big);
    if (ifd > size - 2) return 1;
    std::uint32_t count = Read(tiff + ifd, 2, big);
    for (std::uint32_t i = 0; i < count; ++i) {
        std::size_t entry = ifd + 2 + static_cast<std::size_t>(i) * 12;
        if (entry + 12 > size) return 1;
        if (Read(tiff + entry, 2, big) == 0x0112) {
            std::uint32_t value = Read(tiff + entry + 8, 2, big);
            return value >= 1 && value <= 8 ? static_cast<int>(value) : 1;
        }
    }
    return 1;
}

bool SwapsAxes(int orientation)
{
    return orientation >= 5 && orientation <= 8;
}

void ApplyOrientation(PixelImage& image, ProgressSink& progress)
{
    int orientation = image.orientation;
    image.orientation = 1;
    if (orientation < 2 || orientation > 8 || image.Empty()) return;
    std::uint32_t sw = image.width, sh = image.height;
    PixelImage out;
    out.Allocate(SwapsAxes(orientation) ? sh : sw, SwapsAxes(orientation) ? sw : sh, image.channels, image.depth);
    std::size_t bpp = image.BytesPerPixel();
    std::uint32_t band = RowsPerBand(sw);
    for (std::uint32_t y = 0; y < sh; ++y) {
        if (y % band == 0) progress.Report(kImageStageLoad, kLoadTag, y, sh);
        const std::uint8_t* src = image.Row(y);
        for (std::uint32_t x = 0; x < sw; ++x) {
            auto [tx, ty] = Target(orientation, x, y, sw, sh);
            std::memcpy(out.Row(ty) + tx * bpp, src + x * bpp, bpp);
        }
    }
    out.dpiX = SwapsAxes(orientation) ? image.dpiY : image.dpiX;
    out.dpiY = SwapsAxes(orientation) ? image.dpiX : image.dpiY;
    out.iccProfile = std::move(image.iccProfile);
    image = std::move(out);
}

}  // namespace pelmora
