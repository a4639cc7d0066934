#include "XmlTestUtil.h"

#include <gtest/gtest.h>

#include <winsock2.h>
#include <windows.h>

#include "tests/support/TempFolder.h"

#include <cstdio>
#include <string>

using namespace xmldom;
using xmltest::Parse;

TEST(XmlDom, AttributeConversions)
{
    struct Case { const char* name; const char* value; int asInt; unsigned asUint; bool asBool; };
    const Case cases[] = {
        {"digits then letters", "12px", 12, 12, true},
        {"leading blanks and sign", "  -7", -7, static_cast<unsigned>(-7), false},
        {"no digits", "abc", 0, 0, false},
        {"empty", "", 0, 0, false},
        {"true", "true", 0, 0, true},
        {"True", "True", 0, 0, true},
        {"yes", "yes", 0, 0, true},
        {"Y", "Y", 0, 0, true},
        {"no", "no", 0, 0, false},
        {"zero", "0", 0, 0, false},
        {"false", "false", 0, 0, false},
        {"plus", "+5", 5, 5, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        xml_document doc;
        ASSERT_TRUE(Parse(doc, std::string("<a v='") + c.value + "'/>"));
        xml_attribute a = doc.child(L"a").attribute(L"v");
        EXPECT_EQ(a.as_int(99), c.asInt);
        EXPECT_EQ(a.as_uint(99), c.asUint);
        EXPECT_EQ(a.as_bool(!c.asBool), c.asBool);
    }
}

TEST(XmlDom, KindRulesForChanges)
{
    xml_document doc;
    xml_node root = doc.append_child(L"root");
    ASSERT_TRUE(root);
    xml_node text = root.append_child(node_pcdata);
    struct Case { const char* name; xml_node parent; xml_node_type kind; bool allowed; };
    const Case cases[] = {
        {"element under element", root, node_element, true},
        {"null kind", root, node_null, false},
        {"document kind", root, node_document, false},
        {"declaration under element", root, node_declaration, false},
        {"doctype under element", root, node_doctype, false},
        {"child of text", text, node_element, false},
        {"declaration under document", doc, node_declaration, true},
        {"doctype under document", doc, node_doctype, true},
        {"comment under element", root, node_comment, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        xml_node parent = c.parent;
        EXPECT_EQ(static_cast<bool>(parent.append_child(c.kind)), c.allowed);
    }
    EXPECT_STREQ(doc.last_child().previous_sibling().name(), L"xml");
    EXPECT_FALSE(text.set_name(L"x"));
    EXPECT_TRUE(text.set_value(L"hello"));
    EXPECT_FALSE(root.set_value(L"x"));
    EXPECT_TRUE(root.set_name(L"renamed"));
    EXPECT_FALSE(text.append_attribute(L"a"));
    EXPECT_TRUE(doc.last_child().previous_sibling().append_attribute(L"version"));
    EXPECT_STREQ(doc.child(L"RENAMED").child_value(), L"hello");
}

TEST(XmlDom, AttributesAppendSetAndRemove)
{
    xml_document doc;
    ASSERT_TRUE(Parse(doc, "<a x='1' y='2' z='3'/><b w='0'/>"));
    xml_node a = doc.child(L"a");
    xml_node b = doc.child(L"b");
    EXPECT_FALSE(a.remove_attribute(b.attribute(L"w"))); // belongs to another node
    EXPECT_TRUE(b.attribute(L"w"));
    EXPECT_FALSE(a.remove_attribute(xml_attribute()));

    EXPECT_TRUE(a.remove_attribute(L"Y"));
    EXPECT_STREQ(a.first_attribute().next_attribute().name(), L"z");
    EXPECT_TRUE(a.remove_attribute(a.last_attribute()));
    EXPECT_EQ(a.last_attribute(), a.first_attribute());
    EXPECT_TRUE(a.remove_attribute(L"x"));
    EXPECT_FALSE(a.first_attribute());

    xml_attribute n = a.append_attribute(L"n");
    EXPECT_TRUE(n.set_value(-42));
    EXPECT_STREQ(a.attribute(L"n").value(), L"-42");
    for (int i = 0; i < 5000; ++i) // replaced texts are given back to their pages
        ASSERT_TRUE(n.set_value(std::wstring(100 + i % 50, L'v').c_str()));
    a.append_attribute(L"m").set_value(L"2");
    EXPECT_STREQ(a.last_attribute().name(), L"m");
    EXPECT_EQ(a.last_attribute().previous_attribute(), n);
}

TEST(XmlDom, SkipMarksAndIteration)
{
    xml_document doc;
    ASSERT_TRUE(Parse(doc, "<a p='1' q='2'><b/><c/><d/></a>"));
    xml_node a = doc.child(L"a");
    EXPECT_EQ(a.skip_mark(), 0);
    a.child(L"c").set_skip_mark(1);
    a.attribute(L"q").set_skip_mark(2);
    std::wstring names;
    for (xml_node n : a.children())
        if (!n.skip_mark())
            names += n.name();
    EXPECT_EQ(names, L"bd");
    std::wstring attrs;
    for (xml_attribute at : a.attributes())
        if (!at.skip_mark())
            attrs += at.name();
    EXPECT_EQ(attrs, L"p");

    std::wstring backwards;
    for (auto it = a.end(); it != a.begin();) {
        --it;
        backwards += it->name();
    }
    EXPECT_EQ(backwards, L"dcb");
    auto ai = a.attributes_end();
    --ai;
    EXPECT_STREQ(ai->name(), L"q");
    EXPECT_TRUE(a.begin() != doc.child(L"a").child(L"b").begin());
}

TEST(XmlDom, AppendCopyCopiesTheSubtreeEvenIntoItself)
{
    xml_document src;
    ASSERT_TRUE(Parse(src, "<t a='1'><x k='v'>text<y/></x><z><![CDATA[c]]></z></t>"));
    xml_document dst;
    xml_node copy = dst.append_copy(src.child(L"t"));
    EXPECT_EQ(xmltest::Print(dst), xmltest::Print(src));
    src.reset(); // the copy owns its texts
    EXPECT_STREQ(copy.child(L"x").attribute(L"k").value(), L"v");
    EXPECT_STREQ(copy.child(L"x").child_value(), L"text");

    xml_node x = copy.child(L"x");
    std::wstring before = xmltest::Print(x);
    xml_node inner = x.append_copy(x);
    ASSERT_TRUE(inner);
    EXPECT_EQ(xmltest::Print(inner), before); // the new node is not copied into itself
}

namespace {

// Files in a fresh temporary folder of the test's own.
class XmlFile : public ::testing::Test
{
protected:
    std::wstring Write(const wchar_t* name, const std::string& bytes) { return m_folder.Write(name, bytes); }

    const testsupport::TempFolder m_folder{L"vesk_xml"};
    const std::wstring m_dir = m_folder.Path().wstring();
};

} // namespace

TEST_F(XmlFile, LoadsFilesInAnyEncoding)
{
    xml_document doc;
    EXPECT_EQ(doc.load_file((m_dir + L"\\missing.xml").c_str()).status, status_file_not_found);
    EXPECT_EQ(doc.load_file(nullptr).status, status_file_not_found);

    std::wstring utf8 = Write(L"\x4E2D\x6587.xml", "\xEF\xBB\xBF<a v='\xE4\xB8\xAD'><b/></a>");
    auto r = doc.load_file(utf8.c_str(), parse_default, encoding_utf8);
    ASSERT_TRUE(r) << r.description();
    EXPECT_STREQ(doc.child(L"a").attribute(L"v").value(), L"\x4E2D");

    std::string wide("\xFF\xFE<\0a\0/\0>\0", 10);
    ASSERT_TRUE(doc.load_file(Write(L"w.xml", wide).c_str()));
    EXPECT_TRUE(doc.child(L"a"));
    std::string odd("<\0a\0/\0>\0x", 9); // a stray last byte is ignored
    ASSERT_TRUE(doc.load_file(Write(L"odd.xml", odd).c_str()));

    EXPECT_TRUE(doc.load_file(Write(L"empty.xml", "").c_str()));
    EXPECT_FALSE(doc.first_child());
    EXPECT_EQ(doc.load_file(Write(L"bad.xml", "<a>").c_str()).status, status_end_element_mismatch);
    EXPECT_TRUE(doc.child(L"a")); // what was built before the error stays
}
