#include "components/node/CssSheet.h"

#include "components/node/DomNode.h"

#include <algorithm>
#include <cctype>

namespace node {

namespace {

std::string Trim(const std::string& s)
{
    size_t b = 0, e = s.size();
    while (b < e && isspace(static_cast<unsigned char>(s[b]))) ++b;
    while (e > b && isspace(static_cast<unsigned char>(s[e - 1]))) --e;
    return s.substr(b, e - b);
}

std::string Lower(std::string s)
{
    for (char& c : s) c = char(tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string StripComments(const std::string& s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '/' && i + 1 < s.size() && s[i + 1] == '*') {
            size_t end = s.find("*/", i + 2);
            if (end == std::string::npos) break;
            i = end + 1;
            continue;
        }
        out += s[i];
    }
    return out;
}

bool IsNameChar(char c)
{
    return isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || (c & 0x80);
}

// One compound ("a.b#c:hover"); false for what the subset does not know.
bool ParseCompound(const std::string& s, CssCompound& c)
{
    size_t i = 0;
    auto name = [&]() {
        size_t b = i;
        while (i < s.size() && IsNameChar(s[i])) ++i;
        return s.substr(b, i - b);
    };
    if (i < s.size() && (s[i] == '*' || IsNameChar(s[i]))) c.tag = s[i] == '*' ? (++i, "*") : Lower(name());
    while (i < s.size()) {
        char k = s[i++];
        std::string n = name();
        if (n.empty()) return false;
        if (k == '.') c.classes.push_back(n);
        else if (k == '#') c.ids.push_back(n);
        else if (k == ':' && Lower(n) == "hover") c.hover = true;
        else return false;
    }
    return !s.empty();
}

bool ParseSelector(const std::string& text, CssSelector& sel)
{
    std::string s;
    for (char c : text) s += c == '>' ? std::string(" > ") : std::string(1, c);
    bool child = false;
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && isspace(static_cast<unsigned char>(s[i]))) ++i;
        size_t b = i;
        while (i < s.size() && !isspace(static_cast<unsigned char>(s[i]))) ++i;
        std::string tok = s.substr(b, i - b);
        if (tok.empty()) break;
        if (tok == ">") {
            child = true;
            continue;
        }
        CssCompound c;
        if (!ParseCompound(tok, c)) return false;
        c.childOf = child && !sel.parts.empty();
        child = false;
        sel.specificity += int(c.ids.size()) * 10000 + int(c.classes.size() + (c.hover ? 1 : 0)) * 100 +
            (c.tag.empty() || c.tag == "*" ? 0 : 1);
        sel.parts.push_back(c);
    }
    return !sel.parts.empty();
}

bool MatchCompound(const CssCompound& c, const DomNode* n)
{
    if (!n->IsElement()) return false;
    if (!c.tag.empty() && c.tag != "*" && c.tag != n->tag) return false;
    if (c.hover && !n->hovered) return false;
    for (const auto& id : c.ids)
        if (n->AttrOr("id") != id) return false;
    for (const auto& cls : c.classes)
        if (!n->HasClass(cls)) return false;
    return true;
}

// Matches parts[0..last] with parts[last] on n.
bool MatchFrom(const std::vector<CssCompound>& parts, int last, const DomNode* n)
{
    if (!MatchCompound(parts[last], n)) return false;
    if (last == 0) return true;
    for (const DomNode* a = n->parent; a; a = a->parent) {
        if (MatchFrom(parts, last - 1, a)) return true;
        if (parts[last].childOf) return false;
    }
    return false;
}

} // namespace

bool CssSelector::Matches(const DomNode* n) const
{
    return MatchFrom(parts, int(parts.size()) - 1, n);
}

bool CssSelector::UsesHover() const
{
    return std::any_of(parts.begin(), parts.end(), [](const CssCompound& c) { return c.hover; });
}

bool CssSheet::HoverSensitive(const DomNode* n) const
{
    for (const CssRule& r : m_rules)
        for (const CssCompound& c : r.selector.parts) {
            if (!c.hover) continue;
            CssCompound plain = c;
            plain.hover = false;
            if (MatchCompound(plain, n)) return true;
        }
    return false;
}

CssDeclarations CssSheet::ParseDeclarations(const std::string& text)
{
    CssDeclarations out;
    size_t i = 0;
    std::string body = StripComments(text);
    while (i < body.size()) {
        size_t end = body.find(';', i);
        if (end == std::string::npos) end = body.size();
        std::string d = body.substr(i, end - i);
        i = end + 1;
        size_t colon = d.find(':');
        if (colon == std::string::npos) continue;
        std::string value = Trim(d.substr(colon + 1));
        size_t imp = Lower(value).find("!important");
        if (imp != std::string::npos) value = Trim(value.substr(0, imp));
        std::string prop = Lower(Trim(d.substr(0, colon)));
        if (!prop.empty() && !value.empty()) out.emplace_back(prop, value);
    }
    return out;
}

void CssSheet::Parse(const std::string& input)
{
    std::string s = StripComments(input);
    size_t i = 0;
    while (i < s.size()) {
        size_t open = s.find('{', i);
        if (open == std::string::npos) break;
        size_t close = s.find('}', open);
        if (close == std::string::npos) close = s.size();
        std::string head = Trim(s.substr(i, open - i));
        i = close + 1;
        if (head.empty() || head[0] == '@') continue;   // at-rules are outside the subset
        CssDeclarations decls = ParseDeclarations(s.substr(open + 1, close - open - 1));
        size_t b = 0;
        while (b <= head.size()) {
            size_t comma = head.find(',', b);
            if (comma == std::string::npos) comma = head.size();
            CssRule rule;
            if (ParseSelector(head.substr(b, comma - b), rule.selector)) {
                rule.declarations = decls;
                rule.order = int(m_rules.size());
                m_hover = m_hover || rule.selector.UsesHover();
                m_rules.push_back(std::move(rule));
            }
            b = comma + 1;
        }
    }
}

} // namespace node
