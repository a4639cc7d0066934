#include "components/node/StyleResolver.h"

#include "components/node/CssValues.h"
#include "components/node/DomNode.h"

#include <algorithm>
#include <cstring>

namespace node {

namespace {

bool OneOf(const std::string& tag, std::initializer_list<const char*> list)
{
    for (const char* t : list)
        if (tag == t) return true;
    return false;
}

// The engine's own style sheet, as declarations per tag.
const char* DefaultDeclarations(const std::string& t)
{
    if (OneOf(t, {"head", "script", "style", "title", "meta", "link", "noscript", "template", "option"}))
        return "display:none";
    if (t == "body") return "display:block;margin:8px";
    if (t == "p") return "display:block;margin:1em 0";
    if (t == "h1") return "display:block;font-size:2em;font-weight:bold;margin:0.67em 0";
    if (t == "h2") return "display:block;font-size:1.5em;font-weight:bold;margin:0.83em 0";
    if (t == "h3") return "display:block;font-size:1.17em;font-weight:bold;margin:1em 0";
    if (OneOf(t, {"h4", "h5", "h6"})) return "display:block;font-weight:bold;margin:1.33em 0";
    if (OneOf(t, {"ul", "ol"})) return "display:block;margin:1em 0;padding-left:40px";
    if (t == "a") return "color:#0000ee;text-decoration:underline;cursor:pointer";
    if (OneOf(t, {"b", "strong", "th"})) return "font-weight:bold";
    if (OneOf(t, {"i", "em"})) return "font-style:italic";
    if (t == "hr") return "display:block;margin:8px 0;border:1px solid #c0c0c0";
    if (t == "img") return "display:inline-block";
    if (t == "td" || t == "th") return "display:inline-block;padding:1px";
    if (OneOf(t, {"input", "textarea", "select"}))
        return "display:inline-block;border:1px solid #767676;padding:1px 2px;font-size:13.33px;background:#ffffff";
    if (t == "button")
        return "display:inline-block;border:1px solid #767676;padding:1px 6px;font-size:13.33px;background:#efefef";
    if (OneOf(t, {"html", "div", "form", "li", "table", "tbody", "thead", "tr", "center", "section", "header",
            "footer", "nav", "article", "main", "aside", "dl", "dt", "dd", "blockquote", "pre", "fieldset",
            "address", "figure", "caption"}))
        return "display:block";
    return "";
}

void ApplyAll(ComputedStyle& st, const ComputedStyle& parent, const CssDeclarations& decls, double zoom)
{
    // font-size first: em lengths in the same block refer to it.
    for (const auto& d : decls)
        if (d.first == "font-size") ApplyCssProperty(st, parent, d.first, d.second, zoom);
    for (const auto& d : decls)
        if (d.first != "font-size") ApplyCssProperty(st, parent, d.first, d.second, zoom);
}

} // namespace

void StyleResolver::ResolveOne(DomNode* n) const
{
    static const ComputedStyle kInitial;
    const ComputedStyle& parent = n->parent ? n->parent->style : kInitial;
    ComputedStyle st;
    st.fontSize = std::max(1, int(16 * m_zoom + 0.5));
    if (n->parent) st.InheritFrom(parent);
    if (n->kind == DomNode::Text) {
        st.display = Display::Inline;
        n->style = st;
        return;
    }
    if (n->tag == "#document") st.display = Display::Block;
    ApplyAll(st, parent, CssSheet::ParseDeclarations(DefaultDeclarations(n->tag)), m_zoom);
    if (n->Is("center")) st.textAlign = TextAlign::Center;
    if (n->Is("input") && n->AttrOr("type") == "hidden") st.display = Display::None;
    std::vector<const CssRule*> matched;
    for (const CssRule& r : m_sheet.Rules())
        if (r.selector.Matches(n)) matched.push_back(&r);
    std::stable_sort(matched.begin(), matched.end(), [](const CssRule* a, const CssRule* b) {
        return a->selector.specificity != b->selector.specificity ? a->selector.specificity < b->selector.specificity
                                                                   : a->order < b->order;
    });
    for (const CssRule* r : matched) ApplyAll(st, parent, r->declarations, m_zoom);
    if (const std::string* inl = n->Attr("style")) ApplyAll(st, parent, CssSheet::ParseDeclarations(*inl), m_zoom);
    n->style = st;
}

void StyleResolver::Resolve(DomNode* root) const
{
    ForEachNode(root, [&](DomNode* n) { ResolveOne(n); });
}

} // namespace node
