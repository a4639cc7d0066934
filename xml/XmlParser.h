#pragma once
// One pass over a NUL-terminated UTF-16 text that builds the tree in place:
// names and values stay in the text, terminated by NULs written over markup.
#include "xml/xmldom.h"

namespace xmldom {
namespace impl {

class XmlParser
{
public:
    // terminated: text[length] is a NUL we own. Otherwise (a caller's buffer
    // parsed in place) the last character is replaced by the end mark.
    static xml_parse_result Parse(XmlNodeRecord* doc, XmlMemory& memory, wchar_t* text, size_t length,
                                  unsigned options, bool terminated);

private:
    XmlParser(XmlMemory& memory, unsigned options) : m_memory(memory), m_options(options) {}

    xml_parse_status Run(XmlNodeRecord* doc, wchar_t*& s);
    xml_parse_status ParseText(wchar_t*& s);
    xml_parse_status ParseTag(wchar_t*& s);
    xml_parse_status ParseStartTag(wchar_t*& s);
    xml_parse_status ParseAttributes(XmlNodeRecord* node, wchar_t*& s, bool declaration);
    xml_parse_status ParseAttribute(XmlNodeRecord* node, wchar_t*& s);
    xml_parse_status ParseEndTag(wchar_t*& s);
    xml_parse_status ParseQuestion(wchar_t*& s);
    xml_parse_status ParseDeclaration(wchar_t* target, wchar_t*& s);
    xml_parse_status ParseInstruction(wchar_t* target, bool isDecl, wchar_t*& s);
    xml_parse_status ParseExclamation(wchar_t*& s);
    xml_parse_status ParseComment(wchar_t*& s);
    xml_parse_status ParseCdata(wchar_t*& s);
    xml_parse_status ParseSection(wchar_t*& s, wchar_t closer, unsigned type, unsigned option,
                                  xml_parse_status bad);
    xml_parse_status ParseDoctype(wchar_t*& s);
    bool SkipDoctypeBody(wchar_t*& s);
    bool ConsumeGreater(wchar_t*& s);
    bool IsGreater(const wchar_t* s) const;
    XmlNodeRecord* Append(unsigned type);
    XmlAttributeRecord* AppendAttribute(XmlNodeRecord* node);

    XmlMemory& m_memory;
    unsigned m_options;
    XmlNodeRecord* m_cursor = nullptr;
    XmlNodeRecord* m_doc = nullptr;
    const wchar_t* m_sentinel = nullptr; // where the end NUL stands
    wchar_t m_endChar = 0;               // what stood there before (in-place text)
};

} // namespace impl
} // namespace xmldom
