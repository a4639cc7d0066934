#include "XmlTestUtil.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

using namespace xmldom;
using xmltest::Parse;

TEST(XmlParse, BuildsTheTreeWithCaseInsensitiveLookups)
{
    xml_document doc;
    auto r = Parse(doc, "<?xml version=\"1.0\"?>\n<DUI title='Main' Width=\"600\">\n"
                        "  <root>\n    <button Name=\"btn_ok\" pos=\"10,10\">OK</button>\n"
                        "    <text>a &amp; b</text>\n  </root>\n</DUI>\n");
    ASSERT_TRUE(r) << r.description();
    EXPECT_EQ(r.encoding, encoding_utf8);
    xml_node top = doc.document_element();
    EXPECT_STREQ(top.name(), L"DUI");
    EXPECT_EQ(top.attribute(L"width").as_int(), 600);
    EXPECT_FALSE(top.attribute(L"width", true));
    EXPECT_TRUE(top.child(L"ROOT"));
    EXPECT_FALSE(top.child(L"ROOT", true));
    xml_node button = top.child(L"root").child(L"Button");
    EXPECT_STREQ(button.attribute(L"name").value(), L"btn_ok");
    EXPECT_STREQ(button.child_value(), L"OK");
    EXPECT_STREQ(button.text().get(), L"OK");
    EXPECT_STREQ(button.next_sibling(L"TEXT").text().get(), L"a & b");
    EXPECT_EQ(button.root(), static_cast<xml_node>(doc));
    EXPECT_EQ(doc.first_child().type(), node_element); // the declaration is skipped with 116
    // No text nodes for the white space between tags.
    EXPECT_EQ(top.first_child(), top.last_child());
}

TEST(XmlParse, NullHandlesAreHarmless)
{
    xml_node none;
    EXPECT_EQ(none.type(), node_null);
    EXPECT_STREQ(none.name(), L"");
    EXPECT_STREQ(none.child_value(), L"");
    EXPECT_FALSE(none.child(L"x"));
    EXPECT_FALSE(none.append_child(L"x"));
    EXPECT_FALSE(none.set_name(L"x"));
    EXPECT_FALSE(none.remove_attribute(L"x"));
    xml_attribute noAttr;
    EXPECT_STREQ(noAttr.as_string(L"dflt"), L"dflt");
    EXPECT_EQ(noAttr.as_int(7), 7);
    EXPECT_TRUE(noAttr.as_bool(true));
    EXPECT_FALSE(noAttr.set_value(L"v"));
    EXPECT_STREQ(none.text().get(), L"");

    // No data with a byte count: nothing to read, however many bytes are claimed.
    const xml_encoding encodings[] = {encoding_auto, encoding_utf8, encoding_utf16_le, encoding_utf32_be};
    for (xml_encoding e : encodings) {
        SCOPED_TRACE(e);
        xml_document doc;
        EXPECT_TRUE(doc.load_buffer(nullptr, 64, parse_default, e));
        EXPECT_TRUE(doc.load_buffer_inplace(nullptr, 64, parse_default, e));
        EXPECT_FALSE(doc.first_child());
    }
}

TEST(XmlParse, BadInputGivesStatusAndOffset)
{
    struct Case { const char* name; std::string in; unsigned options; xml_parse_status status; long long offset; };
    const Case cases[] = {
        {"unclosed element", "<a>", parse_default, status_end_element_mismatch, 3},
        {"unclosed nested", "<a><b></b>", parse_default, status_end_element_mismatch, 10},
        {"wrong end tag", "<a></b>", parse_default, status_end_element_mismatch, 5},
        {"end tag of the parent", "<a><b></a>", parse_default, status_end_element_mismatch, 8},
        {"longer end name", "<a></ab>", parse_default, status_end_element_mismatch, 6},
        {"end tag case differs", "<a></A>", parse_default, status_end_element_mismatch, 5},
        {"end tag at top", "</a>", parse_default, status_end_element_mismatch, 2},
        {"end tag not closed", "<a></a", parse_default, status_bad_end_element, 6},
        {"end tag with junk", "<a></a x>", parse_default, status_bad_end_element, 7},
        {"attribute without value", "<a b></a>", parse_default, status_bad_attribute, 4},
        {"unquoted value", "<a b=1></a>", parse_default, status_bad_attribute, 5},
        {"unterminated value", "<a b='1></a>", parse_default, status_bad_attribute, 12},
        {"name right after quote", "<a b='1'c='2'/>", parse_default, status_bad_attribute, 8},
        {"bad char in tag", "<a $>", parse_default, status_bad_start_element, 3},
        {"slash without >", "<a/ >", parse_default, status_bad_start_element, 3},
        {"cut after name", "<a", parse_default, status_bad_start_element, 2},
        {"cut in attributes", "<a b='1' ", parse_default, status_bad_start_element, 9},
        {"digit starts name", "<1a/>", parse_default, status_unrecognized_tag, 1},
        {"stray < at the end", "<a/><", parse_default, status_unrecognized_tag, 5},
        {"lone <", "<", parse_default, status_unrecognized_tag, 1},
        {"unknown <!", "<!x>", parse_default, status_unrecognized_tag, 1},
        {"comment not closed", "<a><!-- x</a>", parse_default, status_bad_comment, 13},
        {"comment with one dash", "<!-x-->", parse_default, status_bad_comment, 1},
        {"cdata not closed", "<a><![CDATA[x</a>", parse_default, status_bad_cdata, 17},
        {"cdata misspelt", "<a><![CDAT[x]]></a>", parse_default, status_bad_cdata, 4},
        {"doctype inside element", "<a><!DOCTYPE x></a>", parse_default, status_bad_doctype, 4},
        {"doctype not closed", "<!DOCTYPE x [ <!ELEMENT a> ", parse_default, status_bad_doctype, 27},
        {"doctype misspelt", "<!DOCTYP x>", parse_default, status_bad_doctype, 1},
        {"pi not closed", "<?xml version='1.0'", parse_default, status_bad_pi, 19},
        {"pi without target", "<? x?><a/>", parse_default, status_bad_pi, 2},
        {"declaration below the top", "<a><?xml v='1'?></a>", parse_default | parse_declaration, status_bad_pi, 8},
        {"declaration below the top skipped", "<a><?xml v='1'?></a>", parse_default, status_ok, 20},
        {"empty", "", parse_default, status_ok, 0},
        {"white space only", "  \r\n\t", parse_default, status_ok, 5},
        {"text only", "just text", parse_default, status_ok, 9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        xml_document doc;
        auto r = Parse(doc, c.in, c.options);
        EXPECT_EQ(r.status, c.status) << r.description();
        EXPECT_EQ(r.offset, c.offset);
        EXPECT_GE(r.offset, 0);
        EXPECT_LE(r.offset, static_cast<long long>(c.in.size()));
    }
}

TEST(XmlParse, StatusTexts)
{
    struct Case { int status; const char* text; };
    const Case cases[] = {
        {0, "No error"}, {1, "File was not found"}, {3, "Could not allocate memory"},
        {5, "Could not determine tag type"}, {6, "Error parsing document declaration/processing instruction"},
        {12, "Error parsing element attribute"}, {14, "Start-end tags mismatch"}, {15, "Unknown error"},
        {-1, "Unknown error"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.status);
        xml_parse_result r;
        r.status = static_cast<xml_parse_status>(c.status);
        EXPECT_STREQ(r.description(), c.text);
        EXPECT_EQ(static_cast<bool>(r), c.status == 0);
    }
}

TEST(XmlParse, KeptBeforeDeepNestingAndHugeValues)
{
    const int depth = 200000;
    std::string deep;
    for (int i = 0; i < depth; ++i)
        deep += "<d>";
    for (int i = 0; i < depth; ++i)
        deep += "</d>";
    xml_document doc;
    ASSERT_TRUE(Parse(doc, deep));
    int levels = 0;
    for (xml_node n = doc.first_child(); n; n = n.first_child())
        ++levels;
    EXPECT_EQ(levels, depth);

    xml_document unclosed;
    EXPECT_EQ(Parse(unclosed, deep.substr(0, deep.size() - 4)).status, status_end_element_mismatch);

    std::string huge = "<a v='" + std::string(4 << 20, 'x') + "'/>";
    xml_document big;
    ASSERT_TRUE(Parse(big, huge));
    EXPECT_EQ(wcslen(big.first_child().attribute(L"v").value()), 4u << 20);
}

TEST(XmlParse, MalformedUtf8IsSkippedNotReadPast)
{
    struct Case { const char* name; std::string in; std::wstring text; };
    const Case cases[] = {
        {"bad lead bytes", "<a>x\xFF\xFEy</a>", L"xy"},
        {"cut sequence", "<a>x\xE4\xB8</a>", L"x"},
        {"continuation missing", "<a>\xE4(\xB8\xAD</a>", L"("},
        {"overlong", "<a>\xC0\xBCz</a>", L"z"},
        {"four bytes", "<a>\xF0\x9F\x98\x80</a>", L"\xD83D\xDE00"},
        {"beyond U+10FFFF", "<a>\xF4\x90\x80\x80!</a>", L"!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        xml_document doc;
        ASSERT_TRUE(Parse(doc, c.in));
        EXPECT_EQ(std::wstring(doc.child(L"a").text().get()), c.text);
    }
    // Cut at the very end of the input: the last bytes begin a sequence.
    std::string cut = "<a/>\xE4";
    xml_document doc;
    EXPECT_TRUE(Parse(doc, cut));
}

namespace {

std::string Utf16Le(const std::wstring& w, bool bom)
{
    std::string out;
    if (bom)
        out += "\xFF\xFE";
    for (wchar_t c : w) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
    }
    return out;
}

std::string Utf16Be(const std::wstring& w)
{
    std::string out;
    for (wchar_t c : w) {
        out += static_cast<char>(c >> 8);
        out += static_cast<char>(c & 0xFF);
    }
    return out;
}

std::string Utf32(const std::u32string& s, bool bigEndian)
{
    std::string out;
    for (char32_t c : s)
        for (int i = 0; i < 4; ++i)
            out += static_cast<char>(c >> (8 * (bigEndian ? 3 - i : i)));
    return out;
}

} // namespace

TEST(XmlParse, DetectsAndConvertsEncodings)
{
    const std::wstring wide = L"<r a='\x00E9\x4E2D'>\xD83D\xDE00</r>";
    const std::u32string u32 = U"<r a='\x00E9\x4E2D'>\U0001F600</r>";
    const std::string utf8 = "<r a='\xC3\xA9\xE4\xB8\xAD'>\xF0\x9F\x98\x80</r>";
    struct Case { const char* name; std::string bytes; xml_encoding given; xml_encoding used; };
    const Case cases[] = {
        {"utf8", utf8, encoding_auto, encoding_utf8},
        {"utf8 bom", "\xEF\xBB\xBF" + utf8, encoding_auto, encoding_utf8},
        {"utf16le bom", Utf16Le(wide, true), encoding_auto, encoding_utf16_le},
        {"utf16le", Utf16Le(wide, false), encoding_auto, encoding_utf16_le},
        {"utf16be", Utf16Be(wide), encoding_auto, encoding_utf16_be},
        {"utf32le", Utf32(u32, false), encoding_auto, encoding_utf32_le},
        {"utf32be", Utf32(u32, true), encoding_auto, encoding_utf32_be},
        {"wchar", Utf16Le(wide, false), encoding_wchar, encoding_utf16_le},
        {"utf32 native", Utf32(u32, false), encoding_utf32, encoding_utf32_le},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        xml_document doc;
        auto r = doc.load_buffer(c.bytes.data(), c.bytes.size(), parse_default, c.given);
        ASSERT_TRUE(r) << r.description();
        EXPECT_EQ(r.encoding, c.used);
        EXPECT_STREQ(doc.child(L"r").attribute(L"a").value(), L"\x00E9\x4E2D");
        EXPECT_STREQ(doc.child(L"r").child_value(), L"\xD83D\xDE00");
    }
    std::string latin1 = "<r a='\xE9'/>";
    xml_document doc;
    ASSERT_TRUE(doc.load_buffer(latin1.data(), latin1.size(), parse_default, encoding_latin1));
    EXPECT_STREQ(doc.child(L"r").attribute(L"a").value(), L"\x00E9");
}

TEST(XmlParse, WhiteSpaceTextOptions)
{
    const std::string in = "<a> <b> </b><c>x</c> </a>";
    struct Case { const char* name; unsigned options; int childrenOfA; bool bHasText; };
    const Case cases[] = {
        {"dropped", parse_default, 2, false},
        {"all kept", parse_default | parse_ws_pcdata, 4, true},
        {"sole content kept", parse_default | parse_ws_pcdata_single, 2, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        xml_document doc;
        ASSERT_TRUE(Parse(doc, in, c.options));
        int n = 0;
        for (xml_node child : doc.child(L"a").children()) {
            (void)child;
            ++n;
        }
        EXPECT_EQ(n, c.childrenOfA);
        EXPECT_EQ(doc.child(L"a").child(L"b").first_child().type() == node_pcdata, c.bHasText);
    }
}

TEST(XmlParse, TextAndAttributeConversions)
{
    struct Case { const char* name; unsigned options; std::string value; std::wstring want; };
    const Case cases[] = {
        {"entities", parse_escapes, "&lt;&gt;&amp;&apos;&quot;", L"<>&'\""},
        {"hex and decimal", parse_escapes, "&#x4E2D;&#X41;&#20013;&#x1F600;", L"\x4E2D&#X41;\x4E2D\xD83D\xDE00"},
        {"unknown kept", parse_escapes, "&foo; &#; &#x; &amp &#12a;", L"&foo; &#; &#x; &amp &#12a;"},
        {"zero and too big kept", parse_escapes, "&#0;&#x110000;&#xD800;", L"&#0;&#x110000;&#xD800;"},
        {"escapes off", 0, "&lt;", L"&lt;"},
        {"crlf to space", parse_default, "a\r\nb\tc\nd\re", L"a b c d e"},
        {"eol only", parse_eol, "a\r\nb\rc", L"a\nb\nc"},
        {"nothing", 0, "a\r\nb", L"a\r\nb"},
        {"normalised", parse_wnorm_attribute | parse_wconv_attribute, "  a \r\n\t b  ", L"a b"},
        {"normalised blanks only", parse_wnorm_attribute, " \t ", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        xml_document doc;
        ASSERT_TRUE(Parse(doc, "<a v=\"" + c.value + "\"/>", c.options));
        EXPECT_EQ(std::wstring(doc.child(L"a").attribute(L"v").value()), c.want);
    }
    xml_document doc;
    ASSERT_TRUE(Parse(doc, "<a>x\r\ny&lt;\rz</a>"));
    EXPECT_STREQ(doc.child(L"a").child_value(), L"x\ny<\nz");
}

TEST(XmlParse, OptionalNodeKinds)
{
    const std::string in = "<?xml version='1.0' encoding=\"utf-8\"?><!DOCTYPE r [ <!ENTITY e \"]>\"> ]>"
                           "<r><?app do it?><!-- note\r\n --><![CDATA[<x>\r\n]]></r>";
    xml_document all;
    auto r = Parse(all, in, 0x7FF);
    ASSERT_TRUE(r) << r.description() << " at " << r.offset;
    xml_node n = all.first_child();
    EXPECT_EQ(n.type(), node_declaration);
    EXPECT_STREQ(n.attribute(L"encoding").value(), L"utf-8");
    n = n.next_sibling();
    EXPECT_EQ(n.type(), node_doctype);
    EXPECT_STREQ(n.value(), L"r [ <!ENTITY e \"]>\"> ]");
    xml_node root = n.next_sibling();
    xml_node pi = root.first_child();
    EXPECT_EQ(pi.type(), node_pi);
    EXPECT_STREQ(pi.name(), L"app");
    EXPECT_STREQ(pi.value(), L"do it");
    EXPECT_EQ(pi.next_sibling().type(), node_comment);
    EXPECT_STREQ(pi.next_sibling().value(), L" note\n ");
    EXPECT_EQ(root.last_child().type(), node_cdata);
    EXPECT_STREQ(root.child_value(), L"<x>\n");

    xml_document framework;
    ASSERT_TRUE(Parse(framework, in));
    EXPECT_STREQ(framework.first_child().name(), L"r");
    EXPECT_EQ(framework.first_child().first_child().type(), node_cdata);
    EXPECT_EQ(framework.first_child().first_child().next_sibling().type(), node_null);
}

TEST(XmlParse, ByteOrderMarkGivesTheSameTree)
{
    const std::string plain = "<a x='1'><b/></a>";
    xml_document withMark, without;
    ASSERT_TRUE(Parse(withMark, "\xEF\xBB\xBF" + plain));
    ASSERT_TRUE(Parse(without, plain));
    EXPECT_EQ(xmltest::Print(withMark), xmltest::Print(without));
}

TEST(XmlParse, InPlaceUtf16UsesTheCallersBuffer)
{
    struct Case { const char* name; std::wstring text; xml_parse_status status; };
    const Case cases[] = {
        {"ends with >", L"<a><b x='1'/></a>", status_ok},
        {"ends with NUL", std::wstring(L"<a><b x='1'/></a>") + L'\0', status_ok},
        {"ends with />", L"<a/>", status_ok},
        {"ends with ?>", L"<a/><?pi x?>", status_ok},
        {"ends with -->", L"<a/><!--c-->", status_ok},
        {"ends with ]]>", L"<a><![CDATA[c]]>", status_end_element_mismatch},
        {"ends with <", L"<a/><", status_unrecognized_tag},
        {"last character lost to the end mark", L"<a", status_unrecognized_tag},
        {"doctype at end", L"<!DOCTYPE a><a/><!DOCTYPE b>", status_ok},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<wchar_t> buffer(c.text.begin(), c.text.end());
        xml_document doc;
        auto r = doc.load_buffer_inplace(buffer.data(), buffer.size() * 2, 0x7FF, encoding_wchar);
        EXPECT_EQ(r.status, c.status) << r.description();
        EXPECT_LE(r.offset, static_cast<long long>(buffer.size()));
        if (r && doc.child(L"a").first_child()) {
            const wchar_t* name = doc.child(L"a").first_child().name();
            EXPECT_TRUE(name >= buffer.data() && name < buffer.data() + buffer.size());
        }
    }
}

TEST(XmlParse, SurvivesRandomMutations)
{
    const std::string seeds[] = {
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<DUI name=\"main\" width='600' height=\"400\">"
        "<root><button name=\"btn_ok\" pos=\"|-10,|-10\" skin=\"_skin.sys.btn\">&#x786E;&#23450;</button>"
        "<text>a &amp; b &lt; c</text><!-- comment --><![CDATA[raw <data>]]>"
        "<edit value='x&quot;y'/></root></DUI>",
        "<!DOCTYPE x [<!ELEMENT x (#PCDATA)> <!-- [ --> <?pi ]?>]><x a='1'>\xE4\xB8\xAD\xE6\x96\x87 text</x>",
    };
    std::mt19937 rng(20261210);
    const char alphabet[] = "<>/?!-[]='\"&#;x \r\n\t\xC3\xA9\xFF\0a";
    int parsed = 0, refused = 0;
    for (int iter = 0; iter < 30000; ++iter) {
        std::string s = seeds[iter % 2];
        int edits = 1 + rng() % 6;
        for (int e = 0; e < edits && !s.empty(); ++e) {
            size_t at = rng() % s.size();
            char ch = alphabet[rng() % (sizeof(alphabet) - 1)];
            switch (rng() % 4) {
            case 0: s[at] = ch; break;
            case 1: s.insert(s.begin() + at, ch); break;
            case 2: s.erase(at, 1 + rng() % 8); break;
            default: s.resize(at); break;
            }
        }
        unsigned options = (iter & 1) ? parse_default : 0x7FF;
        xml_document doc;
        auto r = doc.load_buffer(s.data(), s.size(), options, encoding_utf8);
        (r ? parsed : refused)++;
        ASSERT_GE(r.offset, 0) << s;
        ASSERT_LE(r.offset, static_cast<long long>(s.size())) << s;
        size_t nodes = 0;
        for (xml_node n = doc.first_child(); n && nodes < 100000; ++nodes) {
            (void)n.name();
            (void)n.value();
            for (xml_attribute a = n.first_attribute(); a; a = a.next_attribute())
                (void)a.value();
            if (n.first_child()) {
                n = n.first_child();
                continue;
            }
            while (n && !n.next_sibling())
                n = n.parent();
            if (n)
                n = n.next_sibling();
        }
        // The same text parsed in place, without a terminator after it.
        std::vector<wchar_t> wide(s.begin(), s.end());
        xml_document inPlace;
        inPlace.load_buffer_inplace(wide.data(), wide.size() * 2, options, encoding_utf16_le);
    }
    // Both outcomes must be well represented, or the mutations test nothing.
    EXPECT_GT(parsed, 1000);
    EXPECT_GT(refused, 1000);
}
