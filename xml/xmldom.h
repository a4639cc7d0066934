#pragma once
// The framework's XML DOM: wide-character nodes and attributes held by one
// document, parsed destructively from a private UTF-16 copy of the input.
// Handles are one pointer; a null handle is harmless to use. Lookups by name
// take a case flag: false (the framework's usual choice) ignores case.
#include "xml/XmlMemory.h"
#include "xml/XmlStructs.h"

#include <memory>
#include <cstddef>
#include <cstdint>
#include <iterator>

namespace xmldom {

enum xml_node_type
{
    node_null = 0,
    node_document,
    node_element,
    node_pcdata,
    node_cdata,
    node_comment,
    node_pi,
    node_declaration,
    node_doctype,
};

enum xml_encoding
{
    encoding_auto = 0,
    encoding_utf8,
    encoding_utf16_le,
    encoding_utf16_be,
    encoding_utf16,
    encoding_utf32_le,
    encoding_utf32_be,
    encoding_utf32,
    encoding_wchar,
    encoding_latin1,
};

enum xml_parse_status
{
    status_ok = 0,
    status_file_not_found,
    status_io_error,
    status_out_of_memory,
    status_internal_error,
    status_unrecognized_tag,
    status_bad_pi,
    status_bad_comment,
    status_bad_cdata,
    status_bad_doctype,
    status_bad_pcdata,
    status_bad_start_element,
    status_bad_attribute,
    status_bad_end_element,
    status_end_element_mismatch,
};

const unsigned parse_pi = 0x0001;
const unsigned parse_comments = 0x0002;
const unsigned parse_cdata = 0x0004;
const unsigned parse_ws_pcdata = 0x0008;
const unsigned parse_escapes = 0x0010;
const unsigned parse_eol = 0x0020;
const unsigned parse_wconv_attribute = 0x0040;
const unsigned parse_wnorm_attribute = 0x0080;
const unsigned parse_declaration = 0x0100;
const unsigned parse_doctype = 0x0200;
const unsigned parse_ws_pcdata_single = 0x0400;
// What every load of the program passes (116).
const unsigned parse_default = parse_cdata | parse_escapes | parse_eol | parse_wconv_attribute;

const unsigned format_indent = 0x01;
const unsigned format_raw = 0x04;
const unsigned format_no_escapes = 0x10;

struct xml_parse_result
{
    xml_parse_status status = status_internal_error;
    long long offset = 0; // in characters of the UTF-16 text
    xml_encoding encoding = encoding_auto;

    explicit operator bool() const { return status == status_ok; }
    const char* description() const;
};

// Output sink of print: receives encoded bytes in chunks.
class xml_writer
{
public:
    virtual ~xml_writer() = default;
    virtual void write(const void* data, size_t size) = 0;
};

// Prints into one fixed wide buffer of 0x5001 characters. A chunk that would
// take the text past 0x4FFF characters is dropped, and so is everything after
// it, so the text is cut short rather than missing pieces in the middle.
class xml_writer_buff : public xml_writer
{
public:
    static const int kCapacity = 0x5001;
    static const int kMaxChars = 0x4FFF;

    xml_writer_buff();
    xml_writer_buff(const xml_writer_buff&) = delete;
    xml_writer_buff& operator=(const xml_writer_buff&) = delete;

    void write(const void* data, size_t size) override;
    const wchar_t* buffer() const { return m_buffer.get(); }
    int size() const { return m_length; }
    bool truncated() const { return m_truncated; }

private:
    std::unique_ptr<wchar_t[]> m_buffer;
    int m_length = 0;
    bool m_truncated = false;
};

class xml_attribute
{
public:
    xml_attribute() = default;
    explicit xml_attribute(impl::XmlAttributeRecord* a) : m_attr(a) {}

    bool empty() const { return !m_attr; }
    explicit operator bool() const { return m_attr != nullptr; }
    bool operator==(const xml_attribute& o) const { return m_attr == o.m_attr; }
    bool operator!=(const xml_attribute& o) const { return m_attr != o.m_attr; }

    const wchar_t* name() const;
    const wchar_t* value() const;
    xml_attribute next_attribute() const;
    xml_attribute previous_attribute() const;

    bool set_value(const wchar_t* text);
    bool set_value(int number);
    bool set_name(const wchar_t* text);
    void set_skip_mark(int mark);
    int skip_mark() const;

    const wchar_t* as_string(const wchar_t* def = L"") const;
    int as_int(int def = 0) const;
    unsigned as_uint(unsigned def = 0) const;
    bool as_bool(bool def = false) const;

    impl::XmlAttributeRecord* internal_object() const { return m_attr; }

private:
    impl::XmlAttributeRecord* m_attr = nullptr;
};

class xml_node;

class xml_text
{
public:
    explicit xml_text(impl::XmlNodeRecord* data) : m_data(data) {}
    const wchar_t* get() const;
    explicit operator bool() const { return m_data != nullptr; }

private:
    impl::XmlNodeRecord* m_data; // the PCDATA/CDATA node, or null
};

class xml_node_iterator;
class xml_attribute_iterator;

template <class It>
struct xml_range
{
    It b, e;
    It begin() const { return b; }
    It end() const { return e; }
};

class xml_node
{
public:
    xml_node() = default;
    explicit xml_node(impl::XmlNodeRecord* n) : m_node(n) {}

    bool empty() const { return !m_node; }
    explicit operator bool() const { return m_node != nullptr; }
    bool operator==(const xml_node& o) const { return m_node == o.m_node; }
    bool operator!=(const xml_node& o) const { return m_node != o.m_node; }

    xml_node_type type() const;
    const wchar_t* name() const;
    const wchar_t* value() const;

    xml_node parent() const;
    xml_node first_child() const;
    xml_node last_child() const;
    xml_node next_sibling() const;
    xml_node previous_sibling() const;
    xml_node root() const;
    xml_attribute first_attribute() const;
    xml_attribute last_attribute() const;

    xml_node child(const wchar_t* name, bool caseSensitive = false) const;
    xml_node next_sibling(const wchar_t* name, bool caseSensitive = false) const;
    xml_attribute attribute(const wchar_t* name, bool caseSensitive = false) const;
    const wchar_t* child_value() const;
    xml_text text() const;

    bool set_name(const wchar_t* text);
    bool set_value(const wchar_t* text);
    xml_attribute append_attribute(const wchar_t* name);
    xml_node append_child(xml_node_type type = node_element);
    xml_node append_child(const wchar_t* name);
    xml_node append_copy(const xml_node& proto);
    bool remove_attribute(const xml_attribute& a);
    bool remove_attribute(const wchar_t* name);

    void set_skip_mark(int mark);
    int skip_mark() const;

    void print(xml_writer& writer, const wchar_t* indent = L"\t", unsigned flags = format_indent,
               xml_encoding encoding = encoding_auto, unsigned depth = 0) const;

    xml_node_iterator begin() const;
    xml_node_iterator end() const;
    xml_attribute_iterator attributes_begin() const;
    xml_attribute_iterator attributes_end() const;
    xml_range<xml_node_iterator> children() const;
    xml_range<xml_attribute_iterator> attributes() const;

    impl::XmlNodeRecord* internal_object() const { return m_node; }

protected:
    impl::XmlNodeRecord* m_node = nullptr;
};

class xml_node_iterator
{
public:
    using iterator_category = std::bidirectional_iterator_tag;
    using value_type = xml_node;
    using difference_type = std::ptrdiff_t;
    using pointer = xml_node*;
    using reference = xml_node&;

    xml_node_iterator() = default;
    xml_node_iterator(impl::XmlNodeRecord* node, impl::XmlNodeRecord* parent) : m_node(node), m_parent(parent) {}

    bool operator==(const xml_node_iterator& o) const { return m_node == o.m_node && m_parent == o.m_parent; }
    bool operator!=(const xml_node_iterator& o) const { return !(*this == o); }
    xml_node& operator*() const { return m_node; }
    xml_node* operator->() const { return &m_node; }
    xml_node_iterator& operator++();
    xml_node_iterator& operator--();

private:
    mutable xml_node m_node;
    impl::XmlNodeRecord* m_parent = nullptr;
};

class xml_attribute_iterator
{
public:
    using iterator_category = std::bidirectional_iterator_tag;
    using value_type = xml_attribute;
    using difference_type = std::ptrdiff_t;
    using pointer = xml_attribute*;
    using reference = xml_attribute&;

    xml_attribute_iterator() = default;
    xml_attribute_iterator(impl::XmlAttributeRecord* a, impl::XmlNodeRecord* parent) : m_attr(a), m_parent(parent) {}

    bool operator==(const xml_attribute_iterator& o) const { return m_attr == o.m_attr && m_parent == o.m_parent; }
    bool operator!=(const xml_attribute_iterator& o) const { return !(*this == o); }
    xml_attribute& operator*() const { return m_attr; }
    xml_attribute* operator->() const { return &m_attr; }
    xml_attribute_iterator& operator++();
    xml_attribute_iterator& operator--();

private:
    mutable xml_attribute m_attr;
    impl::XmlNodeRecord* m_parent = nullptr;
};

class xml_document : public xml_node
{
public:
    xml_document();
    xml_document(const xml_document&) = delete;
    xml_document& operator=(const xml_document&) = delete;
    ~xml_document();

    void reset();
    xml_parse_result load_buffer(const void* data, size_t bytes, unsigned options = parse_default,
                                 xml_encoding encoding = encoding_auto);
    // UTF-16 input is parsed in the caller's buffer, which must outlive the
    // document and gets changed; other encodings are converted to a copy.
    xml_parse_result load_buffer_inplace(void* data, size_t bytes, unsigned options = parse_default,
                                         xml_encoding encoding = encoding_auto);
    xml_parse_result load_file(const wchar_t* path, unsigned options = parse_default,
                               xml_encoding encoding = encoding_auto);

    xml_node document_element() const;

private:
    xml_parse_result Load(void* data, size_t bytes, unsigned options, xml_encoding encoding, bool inPlace,
                          bool ownsData);
    void FreeBuffer();

    // The document node and its pseudo page (capacity 0) live here, so that
    // a node always finds the memory of its tree through its page.
    impl::XmlMemory m_memory;
    impl::XmlPage m_rootPage{};
    impl::XmlNodeRecord m_docNode{};
    wchar_t* m_buffer = nullptr; // the text the tree points into, when ours
};

} // namespace xmldom
