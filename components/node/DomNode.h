#pragma once
// The engine's document tree: elements and text, with the style and the
// boxes that layout gives them. Nodes are owned by their parent.
#include "components/node/CssStyle.h"

#include <winsock2.h>
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace node {

struct DomNode {
    enum Kind { Element, Text };
    Kind kind = Element;
    std::string tag;    // lower case; empty for text
    std::string text;   // UTF-8, for text nodes
    std::vector<std::pair<std::string, std::string>> attrs;
    std::vector<std::unique_ptr<DomNode>> children;
    DomNode* parent = nullptr;
    int id = 0;         // unique within the document, for script wrappers

    // Form-control state.
    std::wstring value;
    bool checked = false;
    int caret = 0;
    int selAnchor = 0;

    ComputedStyle style;
    RECT box{};         // border box, page coordinates (device pixels)
    bool hovered = false;
    bool hoverBox = false;   // a :hover rule may give it a box: laid out with one

    bool IsElement() const { return kind == Element; }
    bool Is(const char* t) const { return kind == Element && tag == t; }
    const std::string* Attr(const std::string& name) const;
    std::string AttrOr(const std::string& name, const std::string& fallback = {}) const;
    void SetAttr(const std::string& name, const std::string& value);
    bool HasClass(const std::string& cls) const;
    std::string TextContent() const;
    std::string InnerHtml() const;
    DomNode* AppendChild(std::unique_ptr<DomNode> child);
};

// The document: the root and a map from node ids to live nodes, so that a
// script's reference to a removed node finds nothing instead of freed memory.
class DomDocument {
public:
    DomDocument();
    DomNode* Root() { return m_root.get(); }
    std::unique_ptr<DomNode> NewNode(DomNode::Kind kind);
    DomNode* FindById(int id) const;
    DomNode* GetElementById(const std::string& id) const;
    DomNode* FirstByTag(const char* tag) const;
    // Replaces the children of `parent`; removed nodes leave the id map.
    void ReplaceChildren(DomNode* parent, std::vector<std::unique_ptr<DomNode>> children);
    void Register(DomNode* subtree);
    std::wstring title;

private:
    void Forget(DomNode* subtree);
    std::unique_ptr<DomNode> m_root;
    std::map<int, DomNode*> m_nodes;
    int m_next = 1;
};

// Calls fn(node) for every node below `root` (root included), in document
// order, without recursion (pages may nest deeply).
template <class Fn>
void ForEachNode(DomNode* root, Fn&& fn)
{
    std::vector<DomNode*> stack{root};
    while (!stack.empty()) {
        DomNode* n = stack.back();
        stack.pop_back();
        fn(n);
        for (auto it = n->children.rbegin(); it != n->children.rend(); ++it)
            stack.push_back(it->get());
    }
}

} // namespace node
