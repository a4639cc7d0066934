#include "xml/XmlParser.h"

#include <cstdint>

namespace xmldom {
namespace impl {

namespace {

enum : unsigned char
{
    kSpace = 1,        // space, tab, CR, LF
    kNameStart = 2,    // letters, '_', ':' (and every unit from U+0080)
    kName = 4,         // also digits, '-', '.'
    kTextStop = 8,     // '<', '&', CR, NUL: where plain text copying must look closer
    kAttrStop = 16,    // quotes, '&', white space, NUL: where attribute copying must look closer
};

struct CharTable
{
    unsigned char c[128] = {};
    constexpr CharTable()
    {
        c[' '] = c['\t'] = c['\r'] = c['\n'] = kSpace;
        for (int i = 'a'; i <= 'z'; ++i)
            c[i] = kNameStart | kName;
        for (int i = 'A'; i <= 'Z'; ++i)
            c[i] = kNameStart | kName;
        c['_'] = c[':'] = kNameStart | kName;
        for (int i = '0'; i <= '9'; ++i)
            c[i] = kName;
        c['-'] = c['.'] = kName;
        c['<'] |= kTextStop;
        c['&'] |= kTextStop;
        c['\r'] |= kTextStop;
        c[0] |= kTextStop;
        for (char ch : {'"', '\'', '&', ' ', '\t', '\r', '\n', '\0'})
            c[static_cast<unsigned char>(ch)] |= kAttrStop;
    }
};
constexpr CharTable kChars;

inline bool Is(wchar_t ch, unsigned char mask)
{
    auto u = static_cast<uint16_t>(ch);
    return u < 128 ? (kChars.c[u] & mask) != 0 : (mask & (kNameStart | kName)) != 0;
}
inline bool IsSpace(wchar_t ch) { return Is(ch, kSpace); }
inline bool IsNameStart(wchar_t ch) { return Is(ch, kNameStart); }
inline bool IsName(wchar_t ch) { return Is(ch, kName); }

// Moves over characters that need no conversion, copying them only once a
// conversion has opened a gap between the read and write positions.
inline void CopyPlain(wchar_t*& r, wchar_t*& w, unsigned char stopMask)
{
    if (w == r) {
        while (!Is(*r, stopMask))
            ++r;
        w = r;
    } else {
        while (!Is(*r, stopMask))
            *w++ = *r++;
    }
}

int HexValue(wchar_t ch)
{
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    return -1;
}

// "&#...;" or "&#x...;" at r: the code point and the character after ';', or
// null when the form does not match exactly.
wchar_t* ParseCharRef(wchar_t* r, uint32_t& cp)
{
    bool hex = r[2] == 'x';
    wchar_t* p = r + (hex ? 3 : 2);
    cp = 0;
    int digits = 0;
    for (;; ++p, ++digits) {
        int v = hex ? HexValue(*p) : (*p >= '0' && *p <= '9' ? *p - '0' : -1);
        if (v < 0)
            break;
        cp = cp * (hex ? 16 : 10) + static_cast<uint32_t>(v);
        if (cp > 0x10FFFF)
            return nullptr;
    }
    if (digits == 0 || *p != ';')
        return nullptr;
    // NUL would cut the text short, and a lone surrogate is no character.
    if (cp == 0 || (cp >= 0xD800 && cp <= 0xDFFF))
        return nullptr;
    return p + 1;
}

bool Matches(const wchar_t* p, const wchar_t* word)
{
    for (; *word; ++p, ++word)
        if (*p != *word)
            return false;
    return true;
}

// Decodes the reference at r ('&') into w; an unknown form stays as written.
wchar_t* DecodeReference(wchar_t* r, wchar_t*& w)
{
    if (r[1] == '#') {
        uint32_t cp;
        if (wchar_t* next = ParseCharRef(r, cp)) {
            if (cp >= 0x10000) {
                cp -= 0x10000;
                *w++ = static_cast<wchar_t>(0xD800 + (cp >> 10));
                *w++ = static_cast<wchar_t>(0xDC00 + (cp & 0x3FF));
            } else {
                *w++ = static_cast<wchar_t>(cp);
            }
            return next;
        }
    } else {
        static const struct { const wchar_t* name; int length; wchar_t ch; } kEntities[] = {
            {L"lt;", 3, '<'}, {L"gt;", 3, '>'}, {L"amp;", 4, '&'}, {L"apos;", 5, '\''}, {L"quot;", 5, '"'},
        };
        for (const auto& e : kEntities) {
            if (Matches(r + 1, e.name)) {
                *w++ = e.ch;
                return r + 1 + e.length;
            }
        }
    }
    *w++ = '&';
    return r + 1;
}

// Converts text in place up to '<' or the end; returns where it stopped and
// sets textEnd to the end of the converted text.
wchar_t* ConvertText(wchar_t* r, bool eol, bool escapes, wchar_t*& textEnd)
{
    wchar_t* w = r;
    for (;;) {
        CopyPlain(r, w, kTextStop);
        wchar_t c = *r;
        if (c == '<' || c == 0)
            break;
        if (c == '\r' && eol) {
            *w++ = '\n';
            if (*++r == '\n')
                ++r;
        } else if (c == '&' && escapes) {
            r = DecodeReference(r, w);
        } else {
            *w++ = *r++;
        }
    }
    textEnd = w;
    return r;
}

// Converts an attribute value in place up to its closing quote; returns the
// character after the quote, or null (with r at the end) when it is missing.
wchar_t* ConvertAttribute(wchar_t*& r, wchar_t quote, unsigned options)
{
    const bool norm = (options & parse_wnorm_attribute) != 0;
    const bool conv = (options & parse_wconv_attribute) != 0;
    const bool eol = (options & parse_eol) != 0;
    const bool escapes = (options & parse_escapes) != 0;
    wchar_t* start = r;
    wchar_t* w = r;
    if (norm)
        while (IsSpace(*r))
            ++r;
    for (;;) {
        CopyPlain(r, w, kAttrStop);
        wchar_t c = *r;
        if (c == 0)
            return nullptr;
        if (c == quote)
            break;
        if (norm && IsSpace(c)) {
            while (IsSpace(*r))
                ++r;
            *w++ = ' ';
        } else if ((conv || eol) && c == '\r') {
            *w++ = conv ? ' ' : '\n';
            if (*++r == '\n')
                ++r;
        } else if (conv && (c == '\n' || c == '\t')) {
            *w++ = ' ';
            ++r;
        } else if (escapes && c == '&') {
            r = DecodeReference(r, w);
        } else {
            *w++ = *r++;
        }
    }
    if (norm)
        while (w > start && w[-1] == ' ')
            --w;
    *w = 0;
    return r + 1;
}

// CR LF and lone CR become LF in [begin, end); returns the new end.
wchar_t* NormalizeEol(wchar_t* begin, wchar_t* end)
{
    wchar_t* w = begin;
    for (wchar_t* r = begin; r < end; ++r) {
        if (*r == '\r') {
            *w++ = '\n';
            if (r + 1 < end && r[1] == '\n')
                ++r;
        } else {
            *w++ = *r;
        }
    }
    return w;
}

} // namespace

xml_parse_result XmlParser::Parse(XmlNodeRecord* doc, XmlMemory& memory, wchar_t* text, size_t length,
                                  unsigned options, bool terminated)
{
    xml_parse_result result;
    result.status = status_ok;
    if (length == 0)
        return result;
    XmlParser parser(memory, options);
    parser.m_doc = doc;
    if (terminated) {
        parser.m_sentinel = text + length;
    } else {
        // A caller's buffer: its last character becomes the end mark.
        parser.m_sentinel = text + length - 1;
        parser.m_endChar = text[length - 1];
        text[length - 1] = 0;
    }
    wchar_t* s = text;
    result.status = parser.Run(doc, s);
    if (result.status == status_ok && parser.m_endChar == '<') {
        s = const_cast<wchar_t*>(parser.m_sentinel);
        result.status = status_unrecognized_tag;
    }
    result.offset = s - text;
    return result;
}

xml_parse_status XmlParser::Run(XmlNodeRecord* doc, wchar_t*& s)
{
    m_cursor = doc;
    while (*s) {
        xml_parse_status st;
        if (*s == '<') {
            ++s;
            st = ParseTag(s);
        } else {
            st = ParseText(s);
        }
        if (st != status_ok)
            return st;
    }
    return m_cursor == doc ? status_ok : status_end_element_mismatch;
}

xml_parse_status XmlParser::ParseText(wchar_t*& s)
{
    if (m_cursor == m_doc) {
        while (*s && *s != '<')
            ++s;
        return status_ok;
    }
    wchar_t* p = s;
    while (IsSpace(*p))
        ++p;
    if (*p == '<' || *p == 0) {
        bool keep = (m_options & parse_ws_pcdata) ||
            ((m_options & parse_ws_pcdata_single) && *p == '<' && p[1] == '/' && !m_cursor->firstChild);
        if (!keep) {
            s = p;
            return status_ok;
        }
    }
    XmlNodeRecord* node = Append(node_pcdata);
    if (!node)
        return status_out_of_memory;
    node->value = s;
    wchar_t* textEnd;
    wchar_t* stop = ConvertText(s, (m_options & parse_eol) != 0, (m_options & parse_escapes) != 0, textEnd);
    bool tag = *stop == '<';
    *textEnd = 0; // may overwrite the '<' itself
    s = stop;
    if (!tag)
        return status_ok;
    ++s;
    return ParseTag(s);
}

xml_parse_status XmlParser::ParseTag(wchar_t*& s)
{
    wchar_t c = *s;
    if (IsNameStart(c))
        return ParseStartTag(s);
    if (c == '/')
        return ParseEndTag(s);
    if (c == '?')
        return ParseQuestion(s);
    if (c == '!')
        return ParseExclamation(s);
    return status_unrecognized_tag;
}

bool XmlParser::IsGreater(const wchar_t* s) const
{
    return *s == '>' || (s == m_sentinel && m_endChar == '>');
}

// Takes a '>' at s; the end mark standing for a '>' is taken without moving
// past it, so the parse ends there.
bool XmlParser::ConsumeGreater(wchar_t*& s)
{
    if (*s == '>') {
        ++s;
        return true;
    }
    return s == m_sentinel && m_endChar == '>';
}

xml_parse_status XmlParser::ParseStartTag(wchar_t*& s)
{
    XmlNodeRecord* node = Append(node_element);
    if (!node)
        return status_out_of_memory;
    node->name = s;
    while (IsName(*s))
        ++s;
    wchar_t c = *s;
    if (c == '>') {
        *s++ = 0;
        m_cursor = node;
        return status_ok;
    }
    if (IsSpace(c)) {
        *s++ = 0;
        return ParseAttributes(node, s, false);
    }
    if (c == '/') {
        *s++ = 0;
        return ConsumeGreater(s) ? status_ok : status_bad_start_element;
    }
    if (c == 0 && IsGreater(s)) {
        m_cursor = node;
        return status_ok;
    }
    return status_bad_start_element;
}

xml_parse_status XmlParser::ParseAttributes(XmlNodeRecord* node, wchar_t*& s, bool declaration)
{
    for (;;) {
        while (IsSpace(*s))
            ++s;
        wchar_t c = *s;
        if (IsNameStart(c)) {
            xml_parse_status st = ParseAttribute(node, s);
            if (st != status_ok)
                return st;
            continue;
        }
        if (declaration) {
            if (c != '?')
                return status_bad_pi;
            ++s;
            return ConsumeGreater(s) ? status_ok : status_bad_pi;
        }
        if (c == '/') {
            ++s;
            return ConsumeGreater(s) ? status_ok : status_bad_start_element;
        }
        if (ConsumeGreater(s)) {
            m_cursor = node;
            return status_ok;
        }
        return status_bad_start_element;
    }
}

// name = "value" or name = 'value', with the value converted in place.
xml_parse_status XmlParser::ParseAttribute(XmlNodeRecord* node, wchar_t*& s)
{
    XmlAttributeRecord* a = AppendAttribute(node);
    if (!a)
        return status_out_of_memory;
    a->name = s;
    while (IsName(*s))
        ++s;
    if (IsSpace(*s)) {
        *s++ = 0;
        while (IsSpace(*s))
            ++s;
    }
    if (*s != '=')
        return status_bad_attribute;
    *s++ = 0;
    while (IsSpace(*s))
        ++s;
    wchar_t quote = *s;
    if (quote != '"' && quote != '\'')
        return status_bad_attribute;
    a->value = ++s;
    wchar_t* after = ConvertAttribute(s, quote, m_options);
    if (!after)
        return status_bad_attribute;
    s = after;
    // The next attribute needs white space before it.
    return IsNameStart(*s) ? status_bad_attribute : status_ok;
}

xml_parse_status XmlParser::ParseEndTag(wchar_t*& s)
{
    ++s;
    if (m_cursor == m_doc)
        return status_end_element_mismatch;
    const wchar_t* n = m_cursor->name ? m_cursor->name : L"";
    while (IsName(*s)) {
        if (*s != *n)
            return status_end_element_mismatch;
        ++s;
        ++n;
    }
    if (*n)
        return status_end_element_mismatch;
    while (IsSpace(*s))
        ++s;
    if (!ConsumeGreater(s))
        return status_bad_end_element;
    m_cursor = m_cursor->parent;
    return status_ok;
}

xml_parse_status XmlParser::ParseQuestion(wchar_t*& s)
{
    ++s;
    if (!IsNameStart(*s))
        return status_bad_pi;
    wchar_t* target = s;
    while (IsName(*s))
        ++s;
    bool isDecl = s - target == 3 && (target[0] | 0x20) == 'x' && (target[1] | 0x20) == 'm' &&
        (target[2] | 0x20) == 'l';
    if (!IsSpace(*s) && *s != '?')
        return status_bad_pi;
    if (isDecl && (m_options & parse_declaration))
        return ParseDeclaration(target, s);
    return ParseInstruction(target, isDecl, s);
}

// The declaration's pseudo-attributes are read as attributes.
xml_parse_status XmlParser::ParseDeclaration(wchar_t* target, wchar_t*& s)
{
    if (m_cursor != m_doc)
        return status_bad_pi;
    XmlNodeRecord* node = Append(node_declaration);
    if (!node)
        return status_out_of_memory;
    node->name = target;
    if (*s == '?') {
        *s++ = 0;
        return ConsumeGreater(s) ? status_ok : status_bad_pi;
    }
    *s++ = 0;
    return ParseAttributes(node, s, true);
}

// A processing instruction, or a declaration that is not kept: a node only
// when instructions are wanted, else skipped up to "?>".
xml_parse_status XmlParser::ParseInstruction(wchar_t* target, bool isDecl, wchar_t*& s)
{
    XmlNodeRecord* node = nullptr;
    if (!isDecl && (m_options & parse_pi)) {
        node = Append(node_pi);
        if (!node)
            return status_out_of_memory;
        node->name = target;
        if (IsSpace(*s)) {
            *s++ = 0;
            while (IsSpace(*s))
                ++s;
        }
        node->value = s;
    }
    while (*s && !(*s == '?' && IsGreater(s + 1)))
        ++s;
    if (!*s)
        return status_bad_pi;
    *s++ = 0; // ends the value (or the target when there is none)
    ConsumeGreater(s);
    return status_ok;
}

xml_parse_status XmlParser::ParseExclamation(wchar_t*& s)
{
    if (s[1] == '-')
        return ParseComment(s);
    if (s[1] == '[')
        return ParseCdata(s);
    if (s[1] == 'D')
        return ParseDoctype(s);
    return status_unrecognized_tag;
}

xml_parse_status XmlParser::ParseComment(wchar_t*& s)
{
    if (s[2] != '-')
        return status_bad_comment;
    s += 3;
    return ParseSection(s, '-', node_comment, parse_comments, status_bad_comment);
}

xml_parse_status XmlParser::ParseCdata(wchar_t*& s)
{
    if (!Matches(s + 2, L"CDATA["))
        return status_bad_cdata;
    s += 8;
    return ParseSection(s, ']', node_cdata, parse_cdata, status_bad_cdata);
}

// The body of a comment ("-->") or CDATA section ("]]>") starting at s.
xml_parse_status XmlParser::ParseSection(wchar_t*& s, wchar_t closer, unsigned type, unsigned option,
                                         xml_parse_status bad)
{
    wchar_t* value = s;
    while (*s && !(s[0] == closer && s[1] == closer && IsGreater(s + 2)))
        ++s;
    if (!*s)
        return bad;
    if (m_options & option) {
        XmlNodeRecord* node = Append(type);
        if (!node)
            return status_out_of_memory;
        node->value = value;
        *((m_options & parse_eol) ? NormalizeEol(value, s) : s) = 0;
    }
    s += 2;
    ConsumeGreater(s);
    return status_ok;
}

xml_parse_status XmlParser::ParseDoctype(wchar_t*& s)
{
    if (!Matches(s + 1, L"DOCTYPE"))
        return status_bad_doctype;
    if (m_cursor != m_doc)
        return status_bad_doctype;
    s += 8;
    while (IsSpace(*s))
        ++s;
    wchar_t* value = s;
    if (!SkipDoctypeBody(s))
        return status_bad_doctype;
    bool atEndMark = *s == 0;
    if (m_options & parse_doctype) {
        XmlNodeRecord* node = Append(node_doctype);
        if (!node)
            return status_out_of_memory;
        node->value = value;
        *s = 0;
    }
    if (!atEndMark)
        ++s;
    return status_ok;
}

// Leaves s at the '>' that closes the doctype (or at the end mark standing
// for it); nested brackets, quotes, comments and instructions are respected.
bool XmlParser::SkipDoctypeBody(wchar_t*& s)
{
    int depth = 0;
    for (;;) {
        wchar_t c = *s;
        if (c == 0)
            return depth == 0 && IsGreater(s);
        if (c == '"' || c == '\'') {
            ++s;
            while (*s && *s != c)
                ++s;
            if (!*s)
                return false;
        } else if (c == '<' && s[1] == '?') {
            s += 2;
            while (*s && !(s[0] == '?' && s[1] == '>'))
                ++s;
            if (!*s)
                return false;
            ++s;
        } else if (c == '<' && s[1] == '!' && s[2] == '-' && s[3] == '-') {
            s += 4;
            while (*s && !(s[0] == '-' && s[1] == '-' && s[2] == '>'))
                ++s;
            if (!*s)
                return false;
            s += 2;
        } else if (c == '[') {
            ++depth;
        } else if (c == ']') {
            if (depth > 0)
                --depth;
        } else if (c == '>' && depth == 0) {
            return true;
        }
        ++s;
    }
}

XmlNodeRecord* XmlParser::Append(unsigned type)
{
    XmlNodeRecord* node = m_memory.NewNode(type);
    if (node)
        LinkChild(m_cursor, node);
    return node;
}

XmlAttributeRecord* XmlParser::AppendAttribute(XmlNodeRecord* node)
{
    XmlAttributeRecord* a = m_memory.NewAttribute();
    if (a)
        LinkAttribute(node, a);
    return a;
}

} // namespace impl
} // namespace xmldom
