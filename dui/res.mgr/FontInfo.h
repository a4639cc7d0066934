#pragma once
// The description of a font: a name, a packed style word, a face and extra
// properties (XML text). Style word: bits 0-7 character set, 8-15 weight / 4,
// bit 16 italic, 17 underline, 18 bold, 19 strike-out, 20-31 height in pixels.
#include <cstdint>
#include "dui/core/base/TStringT.h"

namespace DUI {

struct FontInfo
{
    SStringW name;
    uint32_t style = 0;
    SStringW face;
    SStringW properties;

    static uint32_t MakeStyle(int height, int charset, int weight, bool italic, bool underline, bool bold, bool strike)
    {
        return (static_cast<uint32_t>(height) << 20) | (strike ? 1u << 19 : 0) | (bold ? 1u << 18 : 0) |
               (underline ? 1u << 17 : 0) | (italic ? 1u << 16 : 0) |
               ((static_cast<uint32_t>((weight + 2) / 4) & 0xFF) << 8) | (static_cast<uint32_t>(charset) & 0xFF);
    }
    int Height() const { return static_cast<int>(style >> 20); }
    int Charset() const { return static_cast<int>(style & 0xFF); }
    int WeightField() const { return static_cast<int>((style >> 8) & 0xFF); }
};

} // namespace DUI
