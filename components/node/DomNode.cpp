#include "components/node/DomNode.h"

#include <cstring>

namespace node {

const std::string* DomNode::Attr(const std::string& name) const
{
    for (const auto& a : attrs)
        if (a.first == name) return &a.second;
    return nullptr;
}

std::string DomNode::AttrOr(const std::string& name, const std::string& fallback) const
{
    const std::string* v = Attr(name);
    return v ? *v : fallback;
}

void DomNode::SetAttr(const std::string& name, const std::string& value)
{
    for (auto& a : attrs)
        if (a.first == name) {
            a.second = value;
            return;
        }
    attrs.emplace_back(name, value);
}

bool DomNode::HasClass(const std::string& cls) const
{
    const std::string* c = Attr("class");
    if (!c) return false;
    size_t pos = 0;
    while (pos < c->size()) {
        while (pos < c->size() && isspace(static_cast<unsigned char>((*c)[pos]))) ++pos;
        size_t end = pos;
        while (end < c->size() && !isspace(static_cast<unsigned char>((*c)[end]))) ++end;
        if (end > pos && c->compare(pos, end - pos, cls) == 0 && end - pos == cls.size()) return true;
        pos = end;
    }
    return false;
}

std::string DomNode::TextContent() const
{
    std::string out;
    ForEachNode(const_cast<DomNode*>(this), [&](DomNode* n) {
        if (n->kind == Text) out += n->text;
    });
    return out;
}

namespace {

void Escape(const std::string& s, bool attr, std::string& out)
{
    for (char c : s) {
        if (c == '&') out += "&amp;";
        else if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else if (attr && c == '"') out += "&quot;";
        else out += c;
    }
}

bool IsVoid(const std::string& tag)
{
    static const char* kVoid[] = {"br", "img", "input", "hr", "meta", "link", "area", "base", "col", "wbr"};
    for (const char* v : kVoid)
        if (tag == v) return true;
    return false;
}

void Serialize(const DomNode* n, std::string& out);

void SerializeChildren(const DomNode* n, std::string& out)
{
    for (const auto& c : n->children) Serialize(c.get(), out);
}

// Recursion is bounded: the parser caps nesting at 256 levels.
void Serialize(const DomNode* n, std::string& out)
{
    if (n->kind == DomNode::Text) {
        bool raw = n->parent && (n->parent->tag == "script" || n->parent->tag == "style");
        raw ? void(out += n->text) : Escape(n->text, false, out);
        return;
    }
    out += "<" + n->tag;
    for (const auto& a : n->attrs) {
        out += " " + a.first + "=\"";
        Escape(a.second, true, out);
        out += "\"";
    }
    out += ">";
    if (IsVoid(n->tag)) return;
    SerializeChildren(n, out);
    out += "</" + n->tag + ">";
}

} // namespace

std::string DomNode::InnerHtml() const
{
    std::string out;
    SerializeChildren(this, out);
    return out;
}

DomNode* DomNode::AppendChild(std::unique_ptr<DomNode> child)
{
    child->parent = this;
    children.push_back(std::move(child));
    return children.back().get();
}

DomDocument::DomDocument()
{
    m_root = NewNode(DomNode::Element);
    m_root->tag = "#document";
}

std::unique_ptr<DomNode> DomDocument::NewNode(DomNode::Kind kind)
{
    auto n = std::make_unique<DomNode>();
    n->kind = kind;
    n->id = m_next++;
    m_nodes[n->id] = n.get();
    return n;
}

DomNode* DomDocument::FindById(int id) const
{
    auto it = m_nodes.find(id);
    return it == m_nodes.end() ? nullptr : it->second;
}

DomNode* DomDocument::GetElementById(const std::string& id) const
{
    DomNode* found = nullptr;
    ForEachNode(m_root.get(), [&](DomNode* n) {
        if (!found && n->IsElement()) {
            const std::string* v = n->Attr("id");
            if (v && *v == id) found = n;
        }
    });
    return found;
}

DomNode* DomDocument::FirstByTag(const char* tag) const
{
    DomNode* found = nullptr;
    ForEachNode(m_root.get(), [&](DomNode* n) {
        if (!found && n->Is(tag)) found = n;
    });
    return found;
}

void DomDocument::Forget(DomNode* subtree)
{
    ForEachNode(subtree, [&](DomNode* n) { m_nodes.erase(n->id); });
}

void DomDocument::Register(DomNode* subtree)
{
    ForEachNode(subtree, [&](DomNode* n) { m_nodes[n->id] = n; });
}

void DomDocument::ReplaceChildren(DomNode* parent, std::vector<std::unique_ptr<DomNode>> children)
{
    for (auto& c : parent->children) Forget(c.get());
    parent->children.clear();
    for (auto& c : children) {
        Register(c.get());
        parent->AppendChild(std::move(c));
    }
}

} // namespace node
