#include "xml/xmldom.h"

#include "xml/MemWrapper.h"
#include "xml/SFile.h"
#include "xml/XmlEncoding.h"
#include "xml/XmlParser.h"

#include <cstdio>
#include <cstring>

namespace xmldom {

const char* xml_parse_result::description() const
{
    static const char* const kTexts[] = {
        "No error",
        "File was not found",
        "Error reading from file/stream",
        "Could not allocate memory",
        "Internal error occurred",
        "Could not determine tag type",
        "Error parsing document declaration/processing instruction",
        "Error parsing comment",
        "Error parsing CDATA section",
        "Error parsing document type declaration",
        "Error parsing PCDATA section",
        "Error parsing start element tag",
        "Error parsing element attribute",
        "Error parsing end element tag",
        "Start-end tags mismatch",
    };
    unsigned s = static_cast<unsigned>(status);
    return s < sizeof(kTexts) / sizeof(kTexts[0]) ? kTexts[s] : "Unknown error";
}

xml_document::xml_document()
{
    m_rootPage.owner = &m_memory;
    m_docNode.page = &m_rootPage;
    m_docNode.type = node_document;
    m_node = &m_docNode;
}

xml_document::~xml_document()
{
    FreeBuffer();
}

void xml_document::FreeBuffer()
{
    DUI::MemFree(m_buffer);
    m_buffer = nullptr;
}

void xml_document::reset()
{
    FreeBuffer();
    m_memory.Release();
    m_docNode.firstChild = nullptr;
    m_docNode.firstAttribute = nullptr;
}

xml_node xml_document::document_element() const
{
    for (impl::XmlNodeRecord* c = m_docNode.firstChild; c; c = c->next)
        if (c->type == node_element)
            return xml_node(c);
    return xml_node();
}

xml_parse_result xml_document::load_buffer(const void* data, size_t bytes, unsigned options, xml_encoding encoding)
{
    return Load(const_cast<void*>(data), bytes, options, encoding, false, false);
}

xml_parse_result xml_document::load_buffer_inplace(void* data, size_t bytes, unsigned options, xml_encoding encoding)
{
    return Load(data, bytes, options, encoding, true, false);
}

// ownsData: data came from MemMalloc with two zero bytes after it, and the
// document takes it over.
xml_parse_result xml_document::Load(void* data, size_t bytes, unsigned options, xml_encoding encoding, bool inPlace,
                                    bool ownsData)
{
    reset();
    xml_parse_result result;
    // No data counts as no bytes: automatic detection must not read through null.
    if (!data)
        bytes = 0;
    result.encoding = impl::ResolveInputEncoding(data, bytes, encoding);
    if (bytes == 0) {
        if (ownsData)
            DUI::MemFree(data);
        result.status = status_ok;
        return result;
    }
    wchar_t* text = nullptr;
    size_t length = 0;
    bool terminated = true;
    if (result.encoding == encoding_utf16_le && (inPlace || ownsData)) {
        text = static_cast<wchar_t*>(data);
        length = bytes / 2;
        if (ownsData) {
            m_buffer = text;
            text[length] = 0;
        } else {
            terminated = false;
        }
    } else {
        bool ok = impl::DecodeToUtf16(data, bytes, result.encoding, text, length);
        if (ownsData)
            DUI::MemFree(data);
        if (!ok) {
            result.status = status_out_of_memory;
            return result;
        }
        m_buffer = text;
    }
    xml_parse_result parsed = impl::XmlParser::Parse(&m_docNode, m_memory, text, length, options, terminated);
    result.status = parsed.status;
    result.offset = parsed.offset;
    return result;
}

namespace {

// Reads the whole file into a MemMalloc buffer with four zero bytes after it.
xml_parse_status ReadWholeFile(const wchar_t* path, unsigned char*& data, size_t& bytes)
{
    data = nullptr;
    bool tooLarge = false;
    const DUI::SFileRead read = DUI::ReadWholeFile(path, [&](unsigned long long size) -> void* {
        tooLarge = size > SIZE_MAX - 4;
        if (tooLarge)
            return nullptr;
        data = static_cast<unsigned char*>(DUI::MemMalloc(static_cast<size_t>(size) + 4));
        return data;
    });
    switch (read.result) {
    case DUI::SFileRead::Ok:
        bytes = read.bytes;
        std::memset(data + bytes, 0, 4);
        return status_ok;
    case DUI::SFileRead::OpenFailed:
        return status_file_not_found;
    case DUI::SFileRead::NoPlace:
        return tooLarge ? status_io_error : status_out_of_memory;
    default:
        DUI::MemFree(data);
        return status_io_error;
    }
}

} // namespace

xml_parse_result xml_document::load_file(const wchar_t* path, unsigned options, xml_encoding encoding)
{
    reset();
    unsigned char* data = nullptr;
    size_t bytes = 0;
    xml_parse_result result;
    result.status = ReadWholeFile(path, data, bytes);
    if (result.status != status_ok)
        return result;
    return Load(data, bytes, options, encoding, false, true);
}

// ---- the bounded buffer writer

xml_writer_buff::xml_writer_buff() : m_buffer(std::make_unique<wchar_t[]>(kCapacity))
{
}

void xml_writer_buff::write(const void* data, size_t size)
{
    size_t n = size / sizeof(wchar_t);
    if (m_truncated || static_cast<size_t>(m_length) + n > static_cast<size_t>(kMaxChars)) {
        m_truncated = true; // the buffer never grows
        return;
    }
    std::memcpy(m_buffer.get() + m_length, data, n * sizeof(wchar_t));
    m_length += static_cast<int>(n);
    m_buffer[m_length] = 0;
}

} // namespace xmldom
