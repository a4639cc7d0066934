#pragma once
// Prints a node and its subtree through a fixed buffer of 1706 characters,
// encoding each full buffer once for the writer; nothing is allocated per node.
#include "xml/xmldom.h"

#include <cstddef>

namespace xmldom {
namespace impl {

class XmlPrinter
{
public:
    static void Print(const XmlNodeRecord* node, xml_writer& writer, const wchar_t* indent, unsigned flags,
                      xml_encoding encoding, unsigned depth);

private:
    static const size_t kBufferChars = 1706;

    XmlPrinter(xml_writer& writer, const wchar_t* indent, unsigned flags, xml_encoding encoding);

    void PrintTree(const XmlNodeRecord* start, unsigned depth);
    bool PrintElementStart(const XmlNodeRecord* n);
    void PrintElementEnd(const XmlNodeRecord* n, unsigned depth);
    void PrintLeaf(const XmlNodeRecord* n);
    void PrintAttributes(const XmlNodeRecord* n);
    void PrintCdata(const wchar_t* text);
    void PrintEscaped(const wchar_t* text, bool attribute);
    void Indent(unsigned depth);
    void LineBreak();

    void Put(wchar_t c);
    void Put(const wchar_t* s);
    void Put(const wchar_t* s, size_t n);
    void WriteDirect(const wchar_t* s, size_t n);
    void Flush();
    void Emit(const wchar_t* s, size_t n);

    xml_writer& m_writer;
    const wchar_t* m_indent;
    size_t m_indentLength;
    bool m_raw;
    bool m_indentOn;
    bool m_escapes;
    xml_encoding m_encoding;
    size_t m_count = 0;
    wchar_t m_buffer[kBufferChars];
    unsigned char m_scratch[kBufferChars * 4];
};

} // namespace impl
} // namespace xmldom
