#include "XmlTestUtil.h"

#include <gtest/gtest.h>

#include <string>

using namespace xmldom;
using xmltest::Parse;
using xmltest::Print;

TEST(XmlPrint, LayoutOfElements)
{
    xml_document doc;
    ASSERT_TRUE(Parse(doc, "<a x='1'><b/><c>text</c><d><e/></d></a>"));
    struct Case { const char* name; const wchar_t* indent; unsigned flags; std::wstring want; };
    const Case cases[] = {
        {"tab indent", L"\t", format_indent,
         L"<a x=\"1\">\n\t<b />\n\t<c>text</c>\n\t<d>\n\t\t<e />\n\t</d>\n</a>\n"},
        {"empty indent", L"", format_indent, L"<a x=\"1\">\n<b />\n<c>text</c>\n<d>\n<e />\n</d>\n</a>\n"},
        {"no indent flag", L"\t", 0, L"<a x=\"1\">\n<b />\n<c>text</c>\n<d>\n<e />\n</d>\n</a>\n"},
        {"raw", L"\t", format_raw | format_indent, L"<a x=\"1\"><b /><c>text</c><d><e /></d></a>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Print(doc, c.indent, c.flags), c.want);
    }
    EXPECT_EQ(Print(doc.child(L"a").child(L"b")), L"<b />\n");
    xmltest::RecordingWriter w;
    xml_node().print(w);
    EXPECT_TRUE(w.chunks.empty());
}

TEST(XmlPrint, DepthIndentsTheFirstLine)
{
    xml_document doc;
    ASSERT_TRUE(Parse(doc, "<d><e/></d>"));
    xmltest::RecordingWriter w;
    doc.child(L"d").print(w, L"  ", format_indent, encoding_utf16, 1);
    EXPECT_EQ(w.Wide(), L"  <d>\n    <e />\n  </d>\n");
}

TEST(XmlPrint, EscapesTextAndAttributes)
{
    xml_document doc;
    xml_node a = doc.append_child(L"a");
    a.append_attribute(L"v").set_value(L"\"q\" <&> \n\r\t\x01");
    a.append_child(node_pcdata).set_value(L"<&>\"\n\t\x01\x1F\x0B\x4E2D");
    EXPECT_EQ(Print(a), L"<a v=\"&quot;q&quot; &lt;&amp;&gt; &#10;&#13;\t&#01;\">&lt;&amp;&gt;\"\n\t&#01;&#31;&#11;\x4E2D</a>\n");
    EXPECT_EQ(Print(a, L"", format_indent | format_no_escapes), L"<a v=\"\"q\" <&> \n\r\t\x01\"><&>\"\n\t\x01\x1F\x0B\x4E2D</a>\n");
}

TEST(XmlPrint, OtherNodeKinds)
{
    xml_document doc;
    ASSERT_TRUE(Parse(doc, "<?xml version='1.0'?><!DOCTYPE r><r><?p v?><?q?><!--c--><![CDATA[x]]><x/></r>", 0x7FF));
    EXPECT_EQ(Print(doc, L""), L"<?xml version=\"1.0\"?>\n<!DOCTYPE r>\n<r>\n<?p v?>\n<?q?>\n<!--c-->\n"
                              L"<![CDATA[x]]>\n<x />\n</r>\n");
    xml_document anon;
    anon.append_child(node_element).append_attribute(L"");
    EXPECT_EQ(Print(anon), L"<:anonymous :anonymous=\"\" />\n");
}

TEST(XmlPrint, CdataWithEndMarkerRoundTrips)
{
    xml_document doc;
    xml_node a = doc.append_child(L"a");
    a.append_child(node_cdata).set_value(L"x]]>y]]>");
    std::wstring printed = Print(doc);
    EXPECT_EQ(printed, L"<a><![CDATA[x]]]]><![CDATA[>y]]]]><![CDATA[>]]></a>\n");
    xml_document again;
    ASSERT_TRUE(again.load_buffer(printed.data(), printed.size() * 2, parse_default, encoding_wchar));
    std::wstring joined;
    for (xml_node n : again.child(L"a").children())
        joined += n.value();
    EXPECT_EQ(joined, L"x]]>y]]>");
}

TEST(XmlPrint, EncodesTheTargetEncoding)
{
    xml_document doc;
    xml_node a = doc.append_child(L"a");
    a.append_child(node_pcdata).set_value(L"\x00E9\x4E2D\xD83D\xDE00\xD800z");
    struct Case { const char* name; xml_encoding enc; std::string want; };
    const Case cases[] = {
        {"auto is utf8", encoding_auto, "<a>\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80z</a>\n"},
        {"latin1", encoding_latin1, "<a>\xE9??z</a>\n"},
        {"utf16be", encoding_utf16_be, std::string("\0<\0a\0>\0\xE9\x4E\x2D\xD8\x3D\xDE\x00\xD8\x00\0z\0<\0/\0a\0>\0\n", 28)},
        {"utf32le", encoding_utf32, std::string("<\0\0\0a\0\0\0>\0\0\0\xE9\0\0\0\x2D\x4E\0\0\x00\xF6\x01\0z\0\0\0<\0\0\0/\0\0\0a\0\0\0>\0\0\0\n\0\0\0", 48)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        xmltest::RecordingWriter w;
        doc.print(w, L"", format_indent, c.enc);
        EXPECT_EQ(w.Bytes(), c.want);
    }
}

TEST(XmlPrint, ChunksStayWithinTheBuffer)
{
    xml_document doc;
    xml_node root = doc.append_child(L"root");
    for (int i = 0; i < 300; ++i)
        root.append_child(L"item").append_attribute(L"name").set_value(L"some value");
    root.append_child(L"long").append_child(node_pcdata).set_value(std::wstring(5000, L'L').c_str());
    for (xml_encoding enc : {encoding_utf16, encoding_utf8}) {
        xmltest::RecordingWriter w;
        doc.print(w, L"\t", format_indent, enc);
        size_t longChunks = 0;
        for (const auto& c : w.chunks) {
            size_t limit = enc == encoding_utf16 ? 1706 * 2 : 1706;
            if (c.size() > limit)
                ++longChunks;
        }
        // Only the one long text (UTF-16) goes out as a single larger chunk.
        EXPECT_EQ(longChunks, enc == encoding_utf16 ? 1u : 0u);
    }
}

TEST(XmlPrint, BoundedWriterDropsWhatDoesNotFit)
{
    xml_document doc;
    xml_node root = doc.append_child(L"r");
    for (int i = 0; i < 500; ++i)
        root.append_child(L"node").append_child(node_pcdata).set_value(L"0123456789012345678901234567890123456789");
    xmltest::RecordingWriter chunks;
    root.print(chunks, L"\t", format_indent, encoding_utf16);
    ASSERT_GT(chunks.Wide().size(), 25000u);

    // Whole chunks are kept up to the first one that does not fit; nothing
    // after it is appended, so the text is a clean prefix of the full print.
    std::wstring expected;
    for (const auto& c : chunks.chunks) {
        size_t n = c.size() / 2;
        if (expected.size() + n > 0x4FFF)
            break;
        expected.append(reinterpret_cast<const wchar_t*>(c.data()), n);
    }
    ASSERT_LT(expected.size(), chunks.Wide().size());

    xml_writer_buff buff;
    root.print(buff, L"\t", format_indent, encoding_utf16);
    EXPECT_LE(buff.size(), 0x4FFF);
    EXPECT_EQ(std::wstring(buff.buffer(), buff.size()), expected);
    EXPECT_EQ(chunks.Wide().compare(0, expected.size(), expected), 0);
    EXPECT_EQ(buff.buffer()[buff.size()], L'\0');
    EXPECT_TRUE(buff.truncated());

    xml_writer_buff small;
    small.write(L"ab", 4);
    small.write(L"c", 2);
    EXPECT_STREQ(small.buffer(), L"abc");
    EXPECT_FALSE(small.truncated());

    // Close to the end: a chunk that fits exactly is kept; after one that does
    // not fit, not even a character that would is appended (no hole in the middle).
    const std::wstring fill(xml_writer_buff::kMaxChars - 3, L'f');
    struct Case { const char* name; std::wstring more, then; std::wstring want; bool truncated; };
    const Case cases[] = {
        {"fits exactly", L"abc", L"", fill + L"abc", false},
        {"one too many, then one", L"abcd", L"z", fill, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        xml_writer_buff nearlyFull;
        for (const std::wstring* chunk : {&fill, &c.more, &c.then})
            if (!chunk->empty()) nearlyFull.write(chunk->data(), chunk->size() * sizeof(wchar_t));
        EXPECT_EQ(std::wstring(nearlyFull.buffer(), nearlyFull.size()), c.want);
        EXPECT_EQ(nearlyFull.buffer()[nearlyFull.size()], L'\0');
        EXPECT_EQ(nearlyFull.truncated(), c.truncated);
    }
}

TEST(XmlPrint, DeepTreesPrintWithoutRecursion)
{
    xml_document doc;
    xml_node n = doc;
    for (int i = 0; i < 100000; ++i)
        n = n.append_child(L"d");
    xmltest::RecordingWriter w;
    doc.print(w, L"", format_raw);
    std::string out = w.Bytes();
    EXPECT_EQ(out.size(), 99999u * 3 + 5 + 99999u * 4); // the innermost is "<d />"
}

TEST(XmlPrint, LongTextSlicesNeverSplitASurrogatePair)
{
    // The pair straddles the 1706-character slice boundary of the long text.
    std::wstring text(1705, L'a');
    text += L"\xD83D\xDE00";
    text += std::wstring(2000, L'b');
    xml_document doc;
    doc.append_child(L"t").append_child(node_pcdata).set_value(text.c_str());
    xmltest::RecordingWriter w;
    doc.print(w, L"", format_raw, encoding_utf8);
    std::string want = "<t>" + std::string(1705, 'a') + "\xF0\x9F\x98\x80" + std::string(2000, 'b') + "</t>";
    EXPECT_EQ(w.Bytes(), want);
}
