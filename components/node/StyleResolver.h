#pragma once
// The cascade: the engine's defaults for each tag, the page's style sheets
// and style attributes, into each element's computed style.
#include "components/node/CssSheet.h"

namespace node {

struct DomNode;

class StyleResolver {
public:
    StyleResolver(const CssSheet& sheet, double zoom) : m_sheet(sheet), m_zoom(zoom) {}
    // Computes `root` and everything below it; `root`'s parent must be computed.
    void Resolve(DomNode* root) const;

private:
    void ResolveOne(DomNode* n) const;
    const CssSheet& m_sheet;
    double m_zoom;
};

} // namespace node
