#pragma once
// Style sheets: rules of the CSS subset (selectors by tag, class, id,
// descendant and child, with :hover) and their declarations.
#include <string>
#include <utility>
#include <vector>

namespace node {

struct DomNode;

struct CssCompound {
    std::string tag;    // empty or "*": any
    std::vector<std::string> ids, classes;
    bool hover = false;
    bool childOf = false;   // joined to the compound before it by ">"
};

struct CssSelector {
    std::vector<CssCompound> parts;   // left to right
    int specificity = 0;
    bool Matches(const DomNode* n) const;
    bool UsesHover() const;
};

using CssDeclarations = std::vector<std::pair<std::string, std::string>>;

struct CssRule {
    CssSelector selector;
    CssDeclarations declarations;
    int order = 0;
};

class CssSheet {
public:
    void Parse(const std::string& text);
    const std::vector<CssRule>& Rules() const { return m_rules; }
    bool HasHoverRules() const { return m_hover; }
    // Whether a :hover compound of some rule would match `n` while hovered.
    bool HoverSensitive(const DomNode* n) const;
    static CssDeclarations ParseDeclarations(const std::string& text);

private:
    std::vector<CssRule> m_rules;
    bool m_hover = false;
};

} // namespace node
