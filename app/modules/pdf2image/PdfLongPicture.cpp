#include "app/modules/pdf2image/PdfLongPicture.h"

#include <algorithm>
#include <climits>

namespace {

// Axis-neutral view: "along" is the direction in which pages follow each
// other, "across" the one they share.
struct AxisSize {
    long long along = 0;
    long long across = 0;
};

AxisSize ToAxis(const PageSize& size, bool horizontal)
{
    return horizontal ? AxisSize{size.width, size.height} : AxisSize{size.height, size.width};
}

PagePlace FromAxis(long long offset, const AxisSize& size, bool horizontal)
{
    if (horizontal) return PagePlace{offset, 0, size.along, size.across};
    return PagePlace{0, offset, size.across, size.along};
}

}  // namespace

LongPictureLayout LayOutLongPicture(const std::vector<PageSize>& pages, bool horizontal)
{
    long long across = 0;
    for (const auto& page : pages) across = std::max(across, ToAxis(page, horizontal).across);
    LongPictureLayout layout;
    long long offset = 0;
    for (const auto& page : pages) {
        AxisSize size = ToAxis(page, horizontal);
        if (size.across != across && size.across > 0) size.along = size.along * across / size.across;
        size.across = across;
        layout.places.push_back(FromAxis(offset, size, horizontal));
        offset += size.along;
    }
    PagePlace whole = FromAxis(0, AxisSize{offset, across}, horizontal);
    layout.width = whole.width;
    layout.height = whole.height;
    return layout;
}

bool FormatCanHold(const std::wstring& extension, long long width, long long height)
{
    // JPEG stores 16-bit sizes and its coders stop at 65500; the PNG coder
    // refuses sides above a million pixels.
    long long maxSide = extension == L"jpg" ? 65500 : extension == L"png" ? 1000000 : INT_MAX;
    if (width < 1 || height < 1 || width > maxSide || height > maxSide) return false;
    // GDI+ addresses rows with a 32-bit stride and the whole block with an int.
    return width * 4 <= INT_MAX && width * 4 * height <= INT_MAX;
}
