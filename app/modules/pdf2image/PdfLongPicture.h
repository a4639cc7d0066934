#pragma once
// Geometry of a long picture: pages scaled to one common width (stacked) or
// height (side by side), and the sizes each image format can hold.
#include <string>
#include <vector>

struct PageSize {
    long long width = 0;
    long long height = 0;
};

struct PagePlace {
    long long x = 0;
    long long y = 0;
    long long width = 0;
    long long height = 0;
    bool operator==(const PagePlace&) const = default;
};

struct LongPictureLayout {
    long long width = 0;
    long long height = 0;
    std::vector<PagePlace> places;  // one per page, in order, without gaps
};

LongPictureLayout LayOutLongPicture(const std::vector<PageSize>& pages, bool horizontal);

// Whether a 32-bit picture of this size can be built in memory and written
// in the format ("jpg", "png", anything else BMP).
bool FormatCanHold(const std::wstring& extension, long long width, long long height);
