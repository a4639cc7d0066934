#include "dui/core/base/SObjDefAttr.h"

#include "dui/core/base/SObjectFactoryMgr.h"

namespace DUI {

namespace {

// Registered classes never name each other in a circle, but a table must not
// hang the program if a wrongly registered pair ever did.
constexpr int kMaxBaseDepth = 64;

} // namespace

SObjDefAttr::SObjDefAttr(const SObjectFactoryMgr& registry) : m_registry(registry) {}

BOOL SObjDefAttr::Init(xmldom::xml_node element)
{
    if (!element)
        return FALSE;
    m_doc.append_copy(element);
    xmldom::xml_node objattr = m_doc.child(L"objattr", false);
    for (xmldom::xml_node cls = objattr.first_child(); cls; cls = cls.next_sibling()) {
        if (cls.type() == xmldom::node_element)
            SetAt(SStringW(cls.name()), cls);
    }
    for (Position pos = GetStartPosition(); pos; pos = GetNext(pos))
        BuildClassAttribute(pos->m_value, pos->m_key);
    return TRUE;
}

void SObjDefAttr::BuildClassAttribute(xmldom::xml_node element, const SStringW& classTag)
{
    SObjectInfo base = m_registry.GetBaseObjectInfo(SObjectInfo(classTag, Window_Kind));
    for (int depth = 0; base.IsValid() && depth < kMaxBaseDepth; ++depth) {
        if (const xmldom::xml_node* baseElement = Lookup(base.Name())) {
            for (xmldom::xml_attribute attr = baseElement->first_attribute(); attr;
                 attr = attr.next_attribute()) {
                if (!element.attribute(attr.name(), false))
                    element.append_attribute(attr.name()).set_value(attr.value());
            }
        }
        base = m_registry.GetBaseObjectInfo(base);
    }
}

xmldom::xml_node SObjDefAttr::GetDefAttribute(LPCWSTR classTag) const
{
    SStringW tag(classTag);
    for (int depth = 0; !tag.IsEmpty() && depth < kMaxBaseDepth; ++depth) {
        if (const xmldom::xml_node* element = Lookup(tag))
            return *element;
        tag = m_registry.GetBaseObjectInfo(SObjectInfo(tag, Window_Kind)).Name();
    }
    return xmldom::xml_node();
}

} // namespace DUI
