#include "xml/xmldom.h"

#include "xml/XmlPrinter.h"

#include <cstdlib>
#include <cwchar>

namespace xmldom {

using impl::XmlAttributeRecord;
using impl::XmlMemory;
using impl::XmlNodeRecord;

namespace {

const wchar_t* OrEmpty(const wchar_t* s)
{
    return s ? s : L"";
}

bool NameMatches(const wchar_t* have, const wchar_t* want, bool caseSensitive)
{
    have = OrEmpty(have);
    want = OrEmpty(want);
    return caseSensitive ? wcscmp(have, want) == 0 : _wcsicmp(have, want) == 0;
}

XmlMemory& MemoryOf(impl::XmlPage* page)
{
    return *page->owner;
}

// Replaces a record's text by a copy in page memory, freeing an earlier copy.
bool SetText(impl::XmlPage* page, wchar_t*& field, unsigned& flags, unsigned allocatedFlag, const wchar_t* text)
{
    text = OrEmpty(text);
    wchar_t* copy = MemoryOf(page).NewString(text, wcslen(text));
    if (!copy)
        return false;
    if (flags & allocatedFlag)
        XmlMemory::DeleteString(field);
    field = copy;
    flags |= allocatedFlag;
    return true;
}

bool IsText(const XmlNodeRecord* n)
{
    return n->type == node_pcdata || n->type == node_cdata;
}

} // namespace

// ---- attributes

const wchar_t* xml_attribute::name() const
{
    return m_attr ? OrEmpty(m_attr->name) : L"";
}

const wchar_t* xml_attribute::value() const
{
    return m_attr ? OrEmpty(m_attr->value) : L"";
}

xml_attribute xml_attribute::next_attribute() const
{
    return xml_attribute(m_attr ? m_attr->next : nullptr);
}

xml_attribute xml_attribute::previous_attribute() const
{
    return xml_attribute(m_attr && m_attr->prevCyclic->next ? m_attr->prevCyclic : nullptr);
}

bool xml_attribute::set_value(const wchar_t* text)
{
    return m_attr && SetText(m_attr->page, m_attr->value, m_attr->flags, impl::kValueAllocated, text);
}

bool xml_attribute::set_value(int number)
{
    wchar_t text[16];
    swprintf(text, 16, L"%d", number);
    return set_value(text);
}

bool xml_attribute::set_name(const wchar_t* text)
{
    return m_attr && SetText(m_attr->page, m_attr->name, m_attr->flags, impl::kNameAllocated, text);
}

void xml_attribute::set_skip_mark(int mark)
{
    if (m_attr)
        m_attr->skip = mark;
}

int xml_attribute::skip_mark() const
{
    return m_attr ? m_attr->skip : 0;
}

const wchar_t* xml_attribute::as_string(const wchar_t* def) const
{
    return m_attr ? value() : def;
}

int xml_attribute::as_int(int def) const
{
    return m_attr ? static_cast<int>(wcstol(value(), nullptr, 10)) : def;
}

unsigned xml_attribute::as_uint(unsigned def) const
{
    return m_attr ? static_cast<unsigned>(wcstoul(value(), nullptr, 10)) : def;
}

bool xml_attribute::as_bool(bool def) const
{
    if (!m_attr)
        return def;
    wchar_t c = value()[0];
    return c == '1' || c == 't' || c == 'T' || c == 'y' || c == 'Y';
}

// ---- text

const wchar_t* xml_text::get() const
{
    return m_data ? OrEmpty(m_data->value) : L"";
}

// ---- nodes: reading

xml_node_type xml_node::type() const
{
    return m_node ? static_cast<xml_node_type>(m_node->type) : node_null;
}

const wchar_t* xml_node::name() const
{
    return m_node ? OrEmpty(m_node->name) : L"";
}

const wchar_t* xml_node::value() const
{
    return m_node ? OrEmpty(m_node->value) : L"";
}

xml_node xml_node::parent() const
{
    return xml_node(m_node ? m_node->parent : nullptr);
}

xml_node xml_node::first_child() const
{
    return xml_node(m_node ? m_node->firstChild : nullptr);
}

xml_node xml_node::last_child() const
{
    return xml_node(m_node && m_node->firstChild ? m_node->firstChild->prevCyclic : nullptr);
}

xml_node xml_node::next_sibling() const
{
    return xml_node(m_node ? m_node->next : nullptr);
}

xml_node xml_node::previous_sibling() const
{
    return xml_node(m_node && m_node->prevCyclic && m_node->prevCyclic->next ? m_node->prevCyclic : nullptr);
}

xml_node xml_node::root() const
{
    XmlNodeRecord* n = m_node;
    while (n && n->parent)
        n = n->parent;
    return xml_node(n);
}

xml_attribute xml_node::first_attribute() const
{
    return xml_attribute(m_node ? m_node->firstAttribute : nullptr);
}

xml_attribute xml_node::last_attribute() const
{
    return xml_attribute(m_node && m_node->firstAttribute ? m_node->firstAttribute->prevCyclic : nullptr);
}

xml_node xml_node::child(const wchar_t* name, bool caseSensitive) const
{
    for (XmlNodeRecord* c = m_node ? m_node->firstChild : nullptr; c; c = c->next)
        if (c->name && NameMatches(c->name, name, caseSensitive))
            return xml_node(c);
    return xml_node();
}

xml_node xml_node::next_sibling(const wchar_t* name, bool caseSensitive) const
{
    for (XmlNodeRecord* c = m_node ? m_node->next : nullptr; c; c = c->next)
        if (c->name && NameMatches(c->name, name, caseSensitive))
            return xml_node(c);
    return xml_node();
}

xml_attribute xml_node::attribute(const wchar_t* name, bool caseSensitive) const
{
    for (XmlAttributeRecord* a = m_node ? m_node->firstAttribute : nullptr; a; a = a->next)
        if (NameMatches(a->name, name, caseSensitive))
            return xml_attribute(a);
    return xml_attribute();
}

const wchar_t* xml_node::child_value() const
{
    for (XmlNodeRecord* c = m_node ? m_node->firstChild : nullptr; c; c = c->next)
        if (IsText(c))
            return OrEmpty(c->value);
    return L"";
}

xml_text xml_node::text() const
{
    if (!m_node || IsText(m_node))
        return xml_text(m_node);
    for (XmlNodeRecord* c = m_node->firstChild; c; c = c->next)
        if (IsText(c))
            return xml_text(c);
    return xml_text(nullptr);
}

void xml_node::set_skip_mark(int mark)
{
    if (m_node)
        m_node->skip = mark;
}

int xml_node::skip_mark() const
{
    return m_node ? m_node->skip : 0;
}

// ---- nodes: changing

bool xml_node::set_name(const wchar_t* text)
{
    xml_node_type t = type();
    if (t != node_element && t != node_pi && t != node_declaration)
        return false;
    return SetText(m_node->page, m_node->name, m_node->flags, impl::kNameAllocated, text);
}

bool xml_node::set_value(const wchar_t* text)
{
    xml_node_type t = type();
    if (t != node_pcdata && t != node_cdata && t != node_comment && t != node_pi && t != node_doctype)
        return false;
    return SetText(m_node->page, m_node->value, m_node->flags, impl::kValueAllocated, text);
}

xml_attribute xml_node::append_attribute(const wchar_t* name)
{
    xml_node_type t = type();
    if (t != node_element && t != node_declaration)
        return xml_attribute();
    XmlMemory& memory = MemoryOf(m_node->page);
    XmlAttributeRecord* a = memory.NewAttribute();
    if (!a)
        return xml_attribute();
    if (!SetText(a->page, a->name, a->flags, impl::kNameAllocated, name)) {
        memory.DeleteAttribute(a);
        return xml_attribute();
    }
    impl::LinkAttribute(m_node, a);
    return xml_attribute(a);
}

xml_node xml_node::append_child(xml_node_type t)
{
    xml_node_type here = type();
    if (here != node_document && here != node_element)
        return xml_node();
    if (t == node_null || t == node_document)
        return xml_node();
    if ((t == node_declaration || t == node_doctype) && here != node_document)
        return xml_node();
    XmlNodeRecord* n = MemoryOf(m_node->page).NewNode(t);
    if (!n)
        return xml_node();
    impl::LinkChild(m_node, n);
    xml_node added(n);
    if (t == node_declaration)
        added.set_name(L"xml");
    return added;
}

xml_node xml_node::append_child(const wchar_t* name)
{
    xml_node added = append_child(node_element);
    added.set_name(name);
    return added;
}

bool xml_node::remove_attribute(const xml_attribute& attr)
{
    XmlAttributeRecord* a = attr.internal_object();
    if (!m_node || !a)
        return false;
    // Walk back to the head of the attribute's own list: it must be ours.
    XmlAttributeRecord* head = a;
    while (head->prevCyclic->next)
        head = head->prevCyclic;
    if (head != m_node->firstAttribute)
        return false;
    XmlAttributeRecord* next = a->next;
    XmlAttributeRecord* prev = a->prevCyclic;
    if (a == head) {
        m_node->firstAttribute = next;
        if (next)
            next->prevCyclic = prev;
    } else {
        prev->next = next;
        (next ? next : head)->prevCyclic = prev;
    }
    MemoryOf(m_node->page).DeleteAttribute(a);
    return true;
}

bool xml_node::remove_attribute(const wchar_t* name)
{
    return remove_attribute(attribute(name, false));
}

namespace {

// Copies one node's own content (not its children) onto a fresh node.
bool CopyContent(xml_node to, const XmlNodeRecord* from)
{
    XmlNodeRecord* n = to.internal_object();
    if (from->name && !SetText(n->page, n->name, n->flags, impl::kNameAllocated, from->name))
        return false;
    if (from->value && !SetText(n->page, n->value, n->flags, impl::kValueAllocated, from->value))
        return false;
    for (const XmlAttributeRecord* a = from->firstAttribute; a; a = a->next) {
        xml_attribute copy = to.append_attribute(OrEmpty(a->name));
        if (!copy || (a->value && !copy.set_value(a->value)))
            return false;
    }
    return true;
}

} // namespace

xml_node xml_node::append_copy(const xml_node& proto)
{
    const XmlNodeRecord* src = proto.internal_object();
    if (!src)
        return xml_node();
    xml_node top = append_child(static_cast<xml_node_type>(src->type));
    if (!top || !CopyContent(top, src))
        return top;
    // Depth-first walk without recursion; the copy itself is never copied
    // again when it lands inside the prototype's subtree.
    const XmlNodeRecord* s = src->firstChild;
    xml_node parent = top;
    while (s && s != src) {
        xml_node made;
        if (s != top.internal_object()) {
            made = parent.append_child(static_cast<xml_node_type>(s->type));
            if (made)
                CopyContent(made, s);
        }
        if (s->firstChild && made) {
            parent = made;
            s = s->firstChild;
            continue;
        }
        while (s != src && !s->next) {
            s = s->parent;
            parent = parent.parent();
        }
        if (s != src)
            s = s->next;
    }
    return top;
}

void xml_node::print(xml_writer& writer, const wchar_t* indent, unsigned flags, xml_encoding encoding,
                     unsigned depth) const
{
    if (m_node)
        impl::XmlPrinter::Print(m_node, writer, OrEmpty(indent), flags, encoding, depth);
}

// ---- iteration

xml_node_iterator xml_node::begin() const
{
    return xml_node_iterator(m_node ? m_node->firstChild : nullptr, m_node);
}

xml_node_iterator xml_node::end() const
{
    return xml_node_iterator(nullptr, m_node);
}

xml_attribute_iterator xml_node::attributes_begin() const
{
    return xml_attribute_iterator(m_node ? m_node->firstAttribute : nullptr, m_node);
}

xml_attribute_iterator xml_node::attributes_end() const
{
    return xml_attribute_iterator(nullptr, m_node);
}

xml_range<xml_node_iterator> xml_node::children() const
{
    return {begin(), end()};
}

xml_range<xml_attribute_iterator> xml_node::attributes() const
{
    return {attributes_begin(), attributes_end()};
}

xml_node_iterator& xml_node_iterator::operator++()
{
    m_node = m_node.next_sibling();
    return *this;
}

xml_node_iterator& xml_node_iterator::operator--()
{
    m_node = m_node ? m_node.previous_sibling() : xml_node(m_parent).last_child();
    return *this;
}

xml_attribute_iterator& xml_attribute_iterator::operator++()
{
    m_attr = m_attr.next_attribute();
    return *this;
}

xml_attribute_iterator& xml_attribute_iterator::operator--()
{
    m_attr = m_attr ? m_attr.previous_attribute() : xml_node(m_parent).last_attribute();
    return *this;
}

} // namespace xmldom
