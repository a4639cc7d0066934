#include "dui/res.mgr/SStylePool.h"

namespace DUI {

BOOL SStylePool::Init(xmldom::xml_node section)
{
    if (!section) return FALSE;
    const xmldom::xml_node copy = m_doc.append_copy(section);
    for (xmldom::xml_node child = copy.first_child(); child; child = child.next_sibling()) {
        if (child.type() != xmldom::node_element) continue;
        SStringW name;
        if (_wcsicmp(child.name(), L"class") == 0) {
            name = child.attribute(L"name").value();
            if (name.IsEmpty()) continue;
            // The name only addresses the style; it is no attribute to hand on.
            child.remove_attribute(L"name");
        } else {
            name = child.name();
        }
        if (!m_styles.HasKey(name)) m_styles.SetAt(name, child);   // the first definition wins
    }
    return TRUE;
}

xmldom::xml_node SStylePool::GetStyle(const SStringW& name) const
{
    xmldom::xml_node found;
    m_styles.Lookup(name, found);
    return found;
}

void SStylePool::RemoveAll()
{
    m_styles.RemoveAll();
    m_doc.reset();
}

BOOL STemplatePool::Init(xmldom::xml_node section)
{
    if (!section) return FALSE;
    for (xmldom::xml_node child = section.first_child(); child; child = child.next_sibling()) {
        if (child.type() != xmldom::node_element) continue;
        const SStringW name(child.name());
        if (m_templates.HasKey(name)) continue;
        xmldom::xml_writer_buff writer;
        if (xmldom::xml_node body = child.first_child())
            body.print(writer, L"", xmldom::format_indent, xmldom::encoding_wchar);
        m_templates.SetAt(name, SStringW(writer.buffer(), writer.size()));
    }
    return TRUE;
}

SStringW STemplatePool::GetTemplateString(const SStringW& name) const
{
    SStringW text;
    m_templates.Lookup(name, text);
    return text;
}

} // namespace DUI
