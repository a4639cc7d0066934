#include "components/node/HtmlParser.h"

#include <winsock2.h>
#include <windows.h>

#include <libxml/HTMLparser.h>
#include <libxml/tree.h>

#include <cctype>
#include <cstring>

namespace node {

namespace {

struct XmlDocFree {
    void operator()(xmlDoc* d) const { xmlFreeDoc(d); }
};

std::string LowerName(const xmlChar* n)
{
    std::string s = n ? reinterpret_cast<const char*>(n) : "";
    for (char& c : s) c = char(tolower(static_cast<unsigned char>(c)));
    return s;
}

std::unique_ptr<DomNode> Convert(xmlNode* x, DomDocument& doc)
{
    if (x->type == XML_TEXT_NODE || x->type == XML_CDATA_SECTION_NODE) {
        auto t = doc.NewNode(DomNode::Text);
        if (x->content) t->text = reinterpret_cast<const char*>(x->content);
        return t;
    }
    if (x->type != XML_ELEMENT_NODE) return nullptr;
    auto e = doc.NewNode(DomNode::Element);
    e->tag = LowerName(x->name);
    for (xmlAttr* a = x->properties; a; a = a->next) {
        xmlChar* v = xmlNodeListGetString(x->doc, a->children, 1);
        e->attrs.emplace_back(LowerName(a->name), v ? reinterpret_cast<const char*>(v) : "");
        xmlFree(v);
    }
    return e;
}

// Copies the children of `from` below `to`, walking without recursion.
void CopyTree(xmlNode* from, DomNode* to, DomDocument& doc)
{
    std::vector<std::pair<xmlNode*, DomNode*>> stack{{from, to}};
    while (!stack.empty()) {
        auto [x, d] = stack.back();
        stack.pop_back();
        for (xmlNode* c = x->children; c; c = c->next) {
            std::unique_ptr<DomNode> n = Convert(c, doc);
            if (!n) continue;
            DomNode* added = d->AppendChild(std::move(n));
            if (added->IsElement()) stack.emplace_back(c, added);
        }
    }
}

std::unique_ptr<xmlDoc, XmlDocFree> Read(const std::string& utf8)
{
    int options = HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET;
    int size = utf8.size() > 0x7FFFFFFF ? 0x7FFFFFFF : int(utf8.size());
    return std::unique_ptr<xmlDoc, XmlDocFree>(htmlReadMemory(utf8.data(), size, nullptr, "UTF-8", options));
}

} // namespace

void ParseHtmlPage(const std::string& utf8, DomDocument& doc)
{
    auto x = Read(utf8.empty() ? std::string("<html></html>") : utf8);
    if (x) CopyTree(reinterpret_cast<xmlNode*>(x.get()), doc.Root(), doc);
    if (DomNode* t = doc.FirstByTag("title")) {
        std::string s = t->TextContent();
        int n = MultiByteToWideChar(CP_UTF8, 0, s.c_str(), int(s.size()), nullptr, 0);
        doc.title.assign(size_t(n), L'\0');
        MultiByteToWideChar(CP_UTF8, 0, s.c_str(), int(s.size()), doc.title.data(), n);
    }
}

std::vector<std::unique_ptr<DomNode>> ParseHtmlFragment(const std::string& utf8, DomDocument& doc)
{
    std::vector<std::unique_ptr<DomNode>> out;
    auto x = Read("<html><body>" + utf8 + "</body></html>");
    if (!x) return out;
    xmlNode* body = nullptr;
    for (xmlNode* h = xmlDocGetRootElement(x.get()); h && !body; h = h->next)
        for (xmlNode* c = h->children; c; c = c->next)
            if (c->type == XML_ELEMENT_NODE && LowerName(c->name) == "body") body = c;
    if (!body) return out;
    DomNode holder;
    CopyTree(body, &holder, doc);
    for (auto& c : holder.children) {
        c->parent = nullptr;
        out.push_back(std::move(c));
    }
    return out;
}

} // namespace node
