#pragma once
// Computed style of one element: the CSS subset the engine lays out and
// paints, in device pixels (CSS pixels already multiplied by the zoom).
#include <string>

namespace node {

enum class Display { Block, Inline, InlineBlock, None };
enum class TextAlign { Left, Center, Right };

struct Edges {
    int top = 0, right = 0, bottom = 0, left = 0;
};

// A length before layout: fixed pixels, a percentage of the containing
// width, or auto.
struct CssLength {
    enum Unit { Auto, Px, Percent } unit = Auto;
    double value = 0;
    int Resolve(int base, int fallback) const
    {
        if (unit == Px) return int(value);
        if (unit == Percent) return int(value * base / 100.0);
        return fallback;
    }
};

struct ComputedStyle {
    // Inherited.
    unsigned color = 0xFF000000;          // 0xAARRGGBB
    std::wstring fontFamily = L"Microsoft YaHei";
    int fontSize = 16;
    int fontWeight = 400;
    bool italic = false;
    TextAlign textAlign = TextAlign::Left;
    int lineHeight = 0;                   // 0: normal
    std::string cursor = "auto";
    bool underline = false;
    // Not inherited.
    Display display = Display::Inline;
    Edges margin, padding, border;
    bool marginLeftAuto = false, marginRightAuto = false;
    unsigned borderColor = 0xFF000000;
    unsigned background = 0;              // transparent
    CssLength width, height;

    // Whether another style differs from this one only in what painting reads.
    bool SameLayout(const ComputedStyle& o) const;
    // Whether the element's box shows: a background or a border.
    bool PaintsBox() const
    {
        return (background >> 24) != 0 || border.top || border.right || border.bottom || border.left;
    }
    void InheritFrom(const ComputedStyle& parent);
};

} // namespace node
