#pragma once
// Reading CSS values: colours, lengths and the properties of the subset.
#include "components/node/CssStyle.h"

#include <string>

namespace node {

// 0xAARRGGBB; false when the text is no colour.
bool ParseCssColor(const std::string& text, unsigned& out);

// Applies one declaration to `style`; `parent` gives em and inherited bases,
// `zoom` turns CSS pixels into device pixels. Unknown properties and values
// are ignored.
void ApplyCssProperty(ComputedStyle& style, const ComputedStyle& parent, const std::string& prop,
    const std::string& value, double zoom);

} // namespace node
