#include <gtest/gtest.h>

#include "dui/core/base/SRefPtr.h"
#include "dui/res.mgr/SStylePoolMgr.h"

using namespace DUI;

namespace {

xmldom::xml_node Load(xmldom::xml_document& doc, const wchar_t* text)
{
    EXPECT_TRUE(doc.load_buffer(text, wcslen(text) * sizeof(wchar_t), xmldom::parse_default, xmldom::encoding_wchar));
    return doc.first_child();
}

SRefPtr<SStylePool> StylesOf(const wchar_t* text)
{
    xmldom::xml_document doc;
    auto pool = SRefPtr<SStylePool>::Adopt(new SStylePool());
    EXPECT_TRUE(pool->Init(Load(doc, text)));
    return pool;   // the pool keeps copies: the document may go
}

} // namespace

TEST(StylePool, ClassElementsAndTagsNameStyles)
{
    auto pool = StylesOf(L"<style>"
                         L"<class name=\"dlg_error_root\" colorText=\"#FF0000\" font=\"size:14\"/>"
                         L"<edit_frame colorText=\"#00FF00\"/>"
                         L"<class colorText=\"#nameless\"/>"
                         L"<edit_frame colorText=\"#second\"/>"
                         L"</style>");
    xmldom::xml_node root = pool->GetStyle(L"dlg_error_root");
    ASSERT_TRUE(root);
    EXPECT_STREQ(root.attribute(L"colorText").value(), L"#FF0000");
    EXPECT_FALSE(root.attribute(L"name"));   // the naming attribute is not handed on
    EXPECT_STREQ(pool->GetStyle(L"edit_frame").attribute(L"colorText").value(), L"#00FF00");
    EXPECT_FALSE(pool->GetStyle(L"EDIT_FRAME"));   // exact names
    EXPECT_FALSE(pool->GetStyle(L"class"));
    EXPECT_FALSE(SStylePool().Init(xmldom::xml_node()));
}

TEST(StylePool, NewestPoolAnswersUntilPopped)
{
    auto app = StylesOf(L"<style><root colorText=\"app\"/><only_app x=\"1\"/></style>");
    auto host = StylesOf(L"<style><class name=\"root\" colorText=\"host\"/></style>");
    SStylePoolMgr mgr;
    mgr.PushPool(app.Get());
    mgr.PushPool(host.Get());
    EXPECT_STREQ(mgr.GetStyle(L"root").attribute(L"colorText").value(), L"host");
    EXPECT_TRUE(mgr.GetStyle(L"only_app"));
    EXPECT_EQ(mgr.PopPool(host.Get()), host.Get());
    EXPECT_STREQ(mgr.GetStyle(L"root").attribute(L"colorText").value(), L"app");
    EXPECT_EQ(mgr.PopPool(host.Get()), nullptr);
    EXPECT_EQ(mgr.PopPool(nullptr), app.Get());
    EXPECT_FALSE(mgr.GetStyle(L"root"));
    EXPECT_EQ(mgr.PopPool(nullptr), nullptr);
}

TEST(TemplatePool, KeepsTheFirstChildOfTheFirstDefinition)
{
    xmldom::xml_document doc;
    auto pool = SRefPtr<STemplatePool>::Adopt(new STemplatePool());
    ASSERT_TRUE(pool->Init(Load(doc, L"<template>"
                                      L"<item><window name=\"w\"><text>{{%s}}</text></window><second/></item>"
                                      L"<item><other/></item>"
                                      L"<empty/>"
                                      L"</template>")));
    const SStringW item = pool->GetTemplateString(L"item");
    EXPECT_NE(wcsstr(item.c_str(), L"<window name=\"w\">"), nullptr);
    EXPECT_NE(wcsstr(item.c_str(), L"{{%s}}"), nullptr);
    EXPECT_EQ(wcsstr(item.c_str(), L"second"), nullptr);
    EXPECT_EQ(wcsstr(item.c_str(), L"other"), nullptr);
    EXPECT_TRUE(pool->GetTemplateString(L"empty").IsEmpty());
    EXPECT_TRUE(pool->GetTemplateString(L"missing").IsEmpty());

    xmldom::xml_document doc2;
    auto newer = SRefPtr<STemplatePool>::Adopt(new STemplatePool());
    newer->Init(Load(doc2, L"<template><item><newer/></item><empty/></template>"));
    STemplatePoolMgr mgr;
    mgr.PushPool(pool.Get());
    mgr.PushPool(newer.Get());
    EXPECT_NE(wcsstr(mgr.GetTemplateString(L"item").c_str(), L"newer"), nullptr);
    EXPECT_TRUE(mgr.GetTemplateString(L"empty").IsEmpty());
}

TEST(StylePool, EmptiedPoolForgetsItsStylesAndFillsAnew)
{
    auto pool = StylesOf(L"<style><class name=\"a\" x=\"1\"/><b y=\"2\"/></style>");
    EXPECT_EQ(pool->GetCount(), 2u);
    pool->RemoveAll();
    EXPECT_EQ(pool->GetCount(), 0u);
    EXPECT_FALSE(pool->GetStyle(L"a"));
    xmldom::xml_document doc;
    EXPECT_TRUE(pool->Init(Load(doc, L"<style><class name=\"c\" z=\"3\"/></style>")));
    EXPECT_EQ(pool->GetCount(), 1u);
    EXPECT_FALSE(pool->GetStyle(L"b"));
    EXPECT_STREQ(pool->GetStyle(L"c").attribute(L"z").value(), L"3");
}
