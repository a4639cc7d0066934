#pragma once
// Records behind the xmldom handles. Names and values point into the parse
// buffer, or into page memory when set after parsing (the allocated flags).
#include <cstddef>
#include <cstdint>

namespace xmldom {
namespace impl {

struct XmlPage;

enum : unsigned
{
    kNameAllocated = 0x1,
    kValueAllocated = 0x2,
};

struct XmlAttributeRecord
{
    XmlPage* page;
    unsigned flags;
    wchar_t* name;
    wchar_t* value;
    int skip;
    XmlAttributeRecord* prevCyclic; // the first one's is the last attribute
    XmlAttributeRecord* next;
};

struct XmlNodeRecord
{
    XmlPage* page;
    unsigned type;
    unsigned flags;
    XmlNodeRecord* parent;
    wchar_t* name;
    wchar_t* value;
    XmlNodeRecord* firstChild;
    XmlNodeRecord* prevCyclic; // the first child's is the last child
    XmlNodeRecord* next;
    XmlAttributeRecord* firstAttribute;
    int skip;
};

// Appends as the last child / attribute; the cyclic previous link of the
// first one always names the last, so this takes one step.
inline void LinkChild(XmlNodeRecord* parent, XmlNodeRecord* node)
{
    node->parent = parent;
    if (XmlNodeRecord* first = parent->firstChild) {
        XmlNodeRecord* last = first->prevCyclic;
        last->next = node;
        node->prevCyclic = last;
        first->prevCyclic = node;
    } else {
        parent->firstChild = node;
        node->prevCyclic = node;
    }
}

inline void LinkAttribute(XmlNodeRecord* node, XmlAttributeRecord* a)
{
    if (XmlAttributeRecord* first = node->firstAttribute) {
        XmlAttributeRecord* last = first->prevCyclic;
        last->next = a;
        a->prevCyclic = last;
        first->prevCyclic = a;
    } else {
        node->firstAttribute = a;
        a->prevCyclic = a;
    }
}

} // namespace impl
} // namespace xmldom
