#pragma once
// The rich edit's context menu, as the system resources describe it: one
// "editmenu" element that the application copies in when it loads them.
#include "dui/core/base/SSingleton2.h"
#include "xml/xmldom.h"

namespace DUI {

class SRicheditMenuDef : public SSingleton2<SRicheditMenuDef>
{
public:
    // The held document; empty until the application loads its resources.
    xmldom::xml_document& GetMenuDoc() { return m_doc; }
    // The held "editmenu" element, or an empty node.
    xmldom::xml_node GetMenuNode() const { return m_doc.first_child(); }

private:
    xmldom::xml_document m_doc;
};

} // namespace DUI
