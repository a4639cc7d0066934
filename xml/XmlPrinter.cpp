#include "xml/XmlPrinter.h"

#include "xml/XmlEncoding.h"

#include <cstring>
#include <cwchar>
#include <memory>

namespace xmldom {
namespace impl {

namespace {

const wchar_t* NameOf(const wchar_t* name)
{
    return name && *name ? name : L":anonymous";
}

bool IsEscapedControl(wchar_t c, bool attribute)
{
    if (c >= 0x20 || c == 0 || c == '\t')
        return false;
    if (c == '\n' || c == '\r')
        return attribute;
    return true;
}

bool NeedsEscape(wchar_t c, bool attribute)
{
    return c == '&' || c == '<' || c == '>' || (attribute && c == '"') || IsEscapedControl(c, attribute);
}

bool IsHighSurrogate(wchar_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

} // namespace

void XmlPrinter::Print(const XmlNodeRecord* node, xml_writer& writer, const wchar_t* indent, unsigned flags,
                       xml_encoding encoding, unsigned depth)
{
    // About 10 KB of buffers: kept off the caller's stack.
    auto printer = std::unique_ptr<XmlPrinter>(new XmlPrinter(writer, indent, flags, encoding));
    printer->PrintTree(node, depth);
    printer->Flush();
}

XmlPrinter::XmlPrinter(xml_writer& writer, const wchar_t* indent, unsigned flags, xml_encoding encoding)
    : m_writer(writer),
      m_indent(indent),
      m_indentLength(wcslen(indent)),
      m_raw((flags & format_raw) != 0),
      m_indentOn((flags & format_indent) != 0 && (flags & format_raw) == 0),
      m_escapes((flags & format_no_escapes) == 0),
      m_encoding(ResolveOutputEncoding(encoding))
{
}

// Depth-first without recursion, so a deep tree cannot exhaust the stack.
void XmlPrinter::PrintTree(const XmlNodeRecord* start, unsigned depth)
{
    const XmlNodeRecord* n = start;
    for (;;) {
        bool descend = false;
        if (n->type == node_document) {
            descend = n->firstChild != nullptr;
        } else {
            Indent(depth);
            descend = n->type == node_element ? PrintElementStart(n) : (PrintLeaf(n), false);
        }
        if (descend) {
            if (n->type != node_document)
                ++depth;
            n = n->firstChild;
            continue;
        }
        while (n != start && !n->next) {
            n = n->parent;
            if (n->type != node_document) {
                --depth;
                PrintElementEnd(n, depth);
            }
        }
        if (n == start)
            return;
        n = n->next;
    }
}

// Returns true when the children follow on their own lines (or raw).
bool XmlPrinter::PrintElementStart(const XmlNodeRecord* n)
{
    Put('<');
    Put(NameOf(n->name));
    PrintAttributes(n);
    const XmlNodeRecord* c = n->firstChild;
    if (!c) {
        Put(L" />");
        LineBreak();
        return false;
    }
    if (!m_raw && !c->next && (c->type == node_pcdata || c->type == node_cdata)) {
        Put('>');
        if (c->type == node_pcdata)
            PrintEscaped(c->value ? c->value : L"", false);
        else
            PrintCdata(c->value ? c->value : L"");
        Put(L"</");
        Put(NameOf(n->name));
        Put('>');
        LineBreak();
        return false;
    }
    Put('>');
    LineBreak();
    return true;
}

void XmlPrinter::PrintElementEnd(const XmlNodeRecord* n, unsigned depth)
{
    Indent(depth);
    Put(L"</");
    Put(NameOf(n->name));
    Put('>');
    LineBreak();
}

void XmlPrinter::PrintAttributes(const XmlNodeRecord* n)
{
    for (const XmlAttributeRecord* a = n->firstAttribute; a; a = a->next) {
        Put(' ');
        Put(NameOf(a->name));
        Put(L"=\"");
        PrintEscaped(a->value ? a->value : L"", true);
        Put('"');
    }
}

void XmlPrinter::PrintLeaf(const XmlNodeRecord* n)
{
    const wchar_t* value = n->value ? n->value : L"";
    switch (n->type) {
    case node_pcdata:
        PrintEscaped(value, false);
        break;
    case node_cdata:
        PrintCdata(value);
        break;
    case node_comment:
        Put(L"<!--");
        Put(value);
        Put(L"-->");
        break;
    case node_pi:
        Put(L"<?");
        Put(n->name ? n->name : L"");
        if (*value) {
            Put(' ');
            Put(value);
        }
        Put(L"?>");
        break;
    case node_declaration:
        Put(L"<?");
        Put(n->name ? n->name : L"");
        PrintAttributes(n);
        Put(L"?>");
        break;
    case node_doctype:
        Put(L"<!DOCTYPE");
        if (*value) {
            Put(' ');
            Put(value);
        }
        Put('>');
        break;
    default:
        return;
    }
    LineBreak();
}

// A "]]>" inside the text closes the section after "]]" and opens a new one
// before ">", so the end marker never stands inside a section.
void XmlPrinter::PrintCdata(const wchar_t* text)
{
    Put(L"<![CDATA[");
    for (const wchar_t* hit = wcsstr(text, L"]]>"); hit; hit = wcsstr(text, L"]]>")) {
        Put(text, hit - text + 2);
        Put(L"]]><![CDATA[");
        text = hit + 2;
    }
    Put(text);
    Put(L"]]>");
}

void XmlPrinter::PrintEscaped(const wchar_t* text, bool attribute)
{
    if (!m_escapes) {
        Put(text);
        return;
    }
    for (;;) {
        const wchar_t* run = text;
        while (*text && !NeedsEscape(*text, attribute))
            ++text;
        if (text > run)
            Put(run, text - run);
        wchar_t c = *text;
        if (!c)
            return;
        ++text;
        switch (c) {
        case '&': Put(L"&amp;"); break;
        case '<': Put(L"&lt;"); break;
        case '>': Put(L"&gt;"); break;
        case '"': Put(L"&quot;"); break;
        default: {
            wchar_t ref[6] = {'&', '#', static_cast<wchar_t>('0' + c / 10), static_cast<wchar_t>('0' + c % 10), ';', 0};
            Put(ref, 5);
        }
        }
    }
}

void XmlPrinter::Indent(unsigned depth)
{
    if (!m_indentOn || m_indentLength == 0)
        return;
    for (unsigned i = 0; i < depth; ++i)
        Put(m_indent, m_indentLength);
}

void XmlPrinter::LineBreak()
{
    if (!m_raw)
        Put('\n');
}

void XmlPrinter::Put(wchar_t c)
{
    if (m_count + 1 > kBufferChars)
        Flush();
    m_buffer[m_count++] = c;
}

void XmlPrinter::Put(const wchar_t* s)
{
    Put(s, wcslen(s));
}

void XmlPrinter::Put(const wchar_t* s, size_t n)
{
    if (m_count + n > kBufferChars)
        Flush();
    if (n > kBufferChars) {
        WriteDirect(s, n);
        return;
    }
    std::memcpy(m_buffer + m_count, s, n * sizeof(wchar_t));
    m_count += n;
}

// A text longer than the buffer: one write for UTF-16, else encoded in slices
// that never split a surrogate pair.
void XmlPrinter::WriteDirect(const wchar_t* s, size_t n)
{
    if (m_encoding == encoding_utf16_le) {
        m_writer.write(s, n * sizeof(wchar_t));
        return;
    }
    while (n > 0) {
        size_t slice = n < kBufferChars ? n : kBufferChars;
        if (slice == kBufferChars && slice < n && IsHighSurrogate(s[slice - 1]))
            --slice;
        Emit(s, slice);
        s += slice;
        n -= slice;
    }
}

void XmlPrinter::Flush()
{
    if (m_count)
        Emit(m_buffer, m_count);
    m_count = 0;
}

void XmlPrinter::Emit(const wchar_t* s, size_t n)
{
    if (m_encoding == encoding_utf16_le) {
        m_writer.write(s, n * sizeof(wchar_t));
        return;
    }
    size_t bytes = EncodeFromUtf16(s, n, m_encoding, m_scratch);
    m_writer.write(m_scratch, bytes);
}

} // namespace impl
} // namespace xmldom
