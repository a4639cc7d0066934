#include "components/node/CssStyle.h"

namespace node {

namespace {
bool SameEdges(const Edges& a, const Edges& b)
{
    return a.top == b.top && a.right == b.right && a.bottom == b.bottom && a.left == b.left;
}
bool SameLength(const CssLength& a, const CssLength& b)
{
    return a.unit == b.unit && a.value == b.value;
}
} // namespace

bool ComputedStyle::SameLayout(const ComputedStyle& o) const
{
    return fontFamily == o.fontFamily && fontSize == o.fontSize && fontWeight == o.fontWeight && italic == o.italic &&
        textAlign == o.textAlign && lineHeight == o.lineHeight && display == o.display && SameEdges(margin, o.margin) &&
        SameEdges(padding, o.padding) && SameEdges(border, o.border) && marginLeftAuto == o.marginLeftAuto &&
        marginRightAuto == o.marginRightAuto && SameLength(width, o.width) && SameLength(height, o.height) &&
        underline == o.underline;
}

void ComputedStyle::InheritFrom(const ComputedStyle& p)
{
    color = p.color;
    fontFamily = p.fontFamily;
    fontSize = p.fontSize;
    fontWeight = p.fontWeight;
    italic = p.italic;
    textAlign = p.textAlign;
    lineHeight = p.lineHeight;
    cursor = p.cursor;
    underline = p.underline;
}

} // namespace node
