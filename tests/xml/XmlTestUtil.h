#pragma once
// Small helpers shared by the XML tests.
#include "xml/xmldom.h"

#include <string>
#include <vector>

namespace xmltest {

inline xmldom::xml_parse_result Parse(xmldom::xml_document& doc, const std::string& utf8,
                                      unsigned options = xmldom::parse_default)
{
    return doc.load_buffer(utf8.data(), utf8.size(), options, xmldom::encoding_utf8);
}

// Collects every chunk the printer hands to its writer.
class RecordingWriter : public xmldom::xml_writer
{
public:
    void write(const void* data, size_t size) override
    {
        const auto* p = static_cast<const char*>(data);
        chunks.emplace_back(p, p + size);
    }
    std::string Bytes() const
    {
        std::string all;
        for (const auto& c : chunks)
            all += c;
        return all;
    }
    std::wstring Wide() const
    {
        std::string b = Bytes();
        return std::wstring(reinterpret_cast<const wchar_t*>(b.data()), b.size() / 2);
    }
    std::vector<std::string> chunks;
};

inline std::wstring Print(const xmldom::xml_node& node, const wchar_t* indent = L"\t",
                          unsigned flags = xmldom::format_indent)
{
    RecordingWriter w;
    node.print(w, indent, flags, xmldom::encoding_utf16);
    return w.Wide();
}

} // namespace xmltest
