#pragma once
// Block and inline flow of a styled document into a display list: boxes,
// text runs, images and form controls at page coordinates (device pixels).
#include "components/node/FontCache.h"

#include <functional>
#include <string>
#include <vector>

namespace node {

struct DomNode;
struct ComputedStyle;

struct DisplayItem {
    enum Kind { Box, Text, Image, Control };
    Kind kind = Box;
    DomNode* node = nullptr;    // the element painted (for text: the text node)
    RECT rect{};
    std::wstring text;
    FontInfo* font = nullptr;
    int baseline = 0;           // text: y of the baseline
};

struct LayoutResult {
    std::vector<DisplayItem> items;
    int width = 0;
    int height = 0;
};

class PageLayout {
public:
    // `imageSize` gives an image's natural size in device pixels, or false
    // while it is unknown.
    using ImageSizeFn = std::function<bool(const std::string& src, SIZE& size)>;
    PageLayout(FontCache& fonts, ImageSizeFn imageSize, double zoom) : m_fonts(fonts), m_imageSize(std::move(imageSize)), m_zoom(zoom) {}

    // Lays out `root` (the document) at `width`; width 0 takes the page's
    // preferred width.
    LayoutResult Run(DomNode* root, int width);

private:
    struct Unit;
    struct Line;
    int Block(DomNode* n, int x, int y, int availWidth, bool shrink);
    int BlockChildren(DomNode* n, int x, int y, int width);
    int Inline(const std::vector<DomNode*>& nodes, const ComputedStyle& container, int x, int y, int width);
    void CollectUnits(DomNode* n, std::vector<Unit>& out);
    void AddText(DomNode* text, std::vector<Unit>& out);
    Unit Atomic(DomNode* n, int availWidth);
    SIZE ControlSize(DomNode* n);
    SIZE ImageSize(DomNode* n, int availWidth);
    int PlaceLine(Line& line, const ComputedStyle& container, int x, int y, int width);
    void EmitLine(Line& line, int x, int baseline);
    void EmitAtomic(const Unit& u, int x, int baseline);
    void EmitInlineBoxes(DomNode* from, const RECT& r);

    FontCache& m_fonts;
    ImageSizeFn m_imageSize;
    double m_zoom;
    std::vector<DisplayItem> m_items;
    int m_extent = 0;   // right edge of what was laid out, for preferred widths
};

// The text a control shows: a button's label, a field's value (masked for
// passwords).
std::wstring ControlText(const DomNode* n);
bool IsTextField(const DomNode* n);

} // namespace node
