#pragma once
// Named styles of one "style" section: XML elements whose attributes a
// window takes over when its "class" names them. The pool keeps copies of
// the elements in a document of its own.
#include "dui/core/base/SCmnMap.h"
#include "dui/core/base/TObjRefImpl.h"
#include "xml/xmldom.h"

namespace DUI {

class SStylePool : public TObjRefImpl<IObjRef>
{
public:
    BOOL Init(xmldom::xml_node section);
    // A null element when the pool has no such style.
    xmldom::xml_node GetStyle(const SStringW& name) const;
    size_t GetCount() const { return static_cast<size_t>(m_styles.GetCount()); }
    // Forgets every style, so that the pool can be filled anew.
    void RemoveAll();

private:
    xmldom::xml_document m_doc;
    SCmnMap<xmldom::xml_node, SStringW> m_styles;
};

// Named layout pieces of one "template" section, kept as XML text.
class STemplatePool : public TObjRefImpl<IObjRef>
{
public:
    BOOL Init(xmldom::xml_node section);
    // The empty string when the pool has no such template.
    SStringW GetTemplateString(const SStringW& name) const;

private:
    SCmnMap<SStringW, SStringW> m_templates;
};

} // namespace DUI
