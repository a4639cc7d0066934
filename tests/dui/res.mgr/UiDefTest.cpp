// UI definitions loaded from a resource folder through the provider manager:
// fonts, named strings and colours, and the pools they push.
#include <gtest/gtest.h>

#include <string>

#include "dui/SObjectDefaultRegister.h"
#include "dui/core/base/SObjectFactoryMgr.h"
#include "dui/core/base/SLayoutSize.h"
#include "dui/res.mgr/SResProviderMgr.h"
#include "dui/res.mgr/SSkinPoolMgr.h"
#include "dui/res.mgr/SStylePoolMgr.h"
#include "dui/res.mgr/SUiDefInfo.h"
#include "tests/support/TempFolder.h"

using namespace DUI;

TEST(ColorParser, FormsOfColourText)
{
    struct Case { const char* name; const wchar_t* text; bool ok; COLORREF want; };
    const Case cases[] = {
        {"six digits", L"#DDDDDD", true, 0xFFDDDDDD},
        {"eight digits", L"#000000CC", true, 0xCC000000},
        {"rgb is blue high", L"rgb(0,0,255)", true, 0xFFFF0000},
        {"rgba in capitals", L"RGBA(1,2,3,4)", true, 0x04030201},
        {"components cut to a byte", L"rgb(256,0,0)", true, 0xFF000000},
        {"three digits", L"#fff", false, 0},
        {"name", L"blue", false, 0},
        {"leading blank", L" #DDDDDD", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        COLORREF got = 0;
        EXPECT_EQ(ParseColor(c.text, got), c.ok);
        if (c.ok) {
            EXPECT_EQ(got, c.want);
        }
    }
}

namespace {

class UiDefTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const auto& [name, text] : m_files) m_dir.Write(name, text);
        SObjectDefaultRegister().RegisterSkins(&m_registry);
        IResProvider* p = nullptr;
        CreateResProvider(RES_FILE, &p);
        m_provider = SRefPtr<IResProvider>::Adopt(p);
        ASSERT_TRUE(m_provider->Init(reinterpret_cast<WPARAM>(m_path.c_str())));
    }

    void TearDown() override { SLayoutSize::SetDefaultUnit(L"px"); }

    const std::vector<std::pair<std::wstring, std::string>> m_files = {
        {L"uires.idx", "<resource><uidef><file name=\"xml_init\" path=\"init.xml\"/>"
                       "<file name=\"plain\" path=\"plain.xml\"/><file name=\"notxml\" path=\"color.xml\"/></uidef>"
                       "<values><file name=\"color\" path=\"color.xml\"/></values></resource>"},
        {L"init.xml", "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
                      "<UIDEF><font face=\"NoSuchFontFace\" size=\"14\" weight=\"700\" bold=\"1\"/>"
                      "<unit defUnit=\"dp\"/>"
                      "<string><title value=\"VeskPDF\"/></string>"
                      "<dim><radius value=\"4\"/><wide value=\"10px\"/><bad value=\"x\"/></dim>"
                      "<color src=\"values:color\"><ignored value=\"#010203\"/></color>"
                      "<skin><imglist name=\"btn\" states=\"2\"/></skin>"
                      "<style><class name=\"dlg_root\" colorText=\"@color/border\"/></style>"
                      "<template><item><window/></item></template></UIDEF>"},
        {L"color.xml", "<color><border value=\"#DDDDDD\"/><bad value=\"#fff\"/>"
                       "<half value=\"rgba(0,0,255,128)\"/></color>"},
        {L"plain.xml", "<uidef><color src=\"values:missing\"><own value=\"#010203\"/></color></uidef>"},
    };

    testsupport::TempFolder m_dir{L"vesk_uidef"};
    const std::wstring m_path = m_dir.Folder().substr(0, m_dir.Folder().size() - 1);   // no trailing backslash
    SObjectFactoryMgr m_registry;
    SUiDef m_uidef{&m_registry};
    SSkinPoolMgr m_skins{&m_registry};
    SStylePoolMgr m_styles;
    STemplatePoolMgr m_templates;
    SResProviderMgr m_res;
    SRefPtr<IResProvider> m_provider;
};

} // namespace

TEST_F(UiDefTest, AddingTheProviderInstallsItsDefinition)
{
    m_res.AddResProvider(m_provider.Get(), L"uidef:xml_init");
    IUiDefInfo* def = m_uidef.GetUiDef();
    ASSERT_NE(def, nullptr);
    struct Colour { const wchar_t* text; COLORREF want; };
    const Colour colours[] = {
        {L"@color/border", 0xFFDDDDDD}, {L"@color/Border", 0x00FFFFFF}, {L"@color/bad", 0x00FFFFFF},
        {L"@color/half", 0x80FF0000},   {L"@color/ignored", 0x00FFFFFF}, {L"#102030", 0xFF302010},
        {L"nonsense", 0x00FFFFFF},
    };
    for (const auto& c : colours) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
        EXPECT_EQ(m_res.GetColor(c.text), c.want);
    }
    EXPECT_STREQ(m_res.GetString(L"@string/title").c_str(), L"VeskPDF");
    EXPECT_STREQ(m_res.GetString(L"@string/none").c_str(), L"");
    EXPECT_STREQ(m_res.GetString(L"title").c_str(), L"title");

    // The definition's unit makes bare numbers dp, named ones included.
    EXPECT_EQ(SLayoutSize::GetDefaultUnit(), SLayoutSize::dp);
    struct Dim { const wchar_t* text; int scale; int want; };
    const Dim dims[] = {{L"@dim/radius", 150, 6}, {L"@dim/wide", 150, 10}, {L"@dim/bad", 150, 0},
                        {L"@dim/none", 150, 0},   {L"3", 200, 6},           {L"3px", 200, 3}};
    for (const auto& d : dims) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(d.text)));
        EXPECT_EQ(m_res.GetLayoutDim(d.text).ToPixel(d.scale), d.want);
    }

    const FontInfo& font = def->GetDefFontInfo();
    EXPECT_STREQ(font.face.c_str(), L"\u5b8b\u4f53");   // the face is not installed
    EXPECT_STREQ(font.name.c_str(), L"default");
    EXPECT_EQ(font.Height(), 14);
    EXPECT_EQ(font.WeightField(), 175);
    EXPECT_EQ(font.Charset(), 1);
    EXPECT_NE(font.style & (1u << 18), 0u);   // bold

    ISkinObj* btn = m_skins.GetSkin(L"btn", 100);
    ASSERT_NE(btn, nullptr);
    EXPECT_EQ(btn->GetStates(), 2);
    EXPECT_STREQ(m_styles.GetStyle(L"dlg_root").attribute(L"colorText").value(), L"@color/border");
    EXPECT_FALSE(m_templates.GetTemplateString(L"item").IsEmpty());
    EXPECT_EQ(def->GetObjDefAttr(), nullptr);   // no "objattr" section
}

TEST_F(UiDefTest, MissingPartsFallBack)
{
    // A redirected section whose resource is missing keeps its own children;
    // no "font" element gives height 12, character set 1 and the default face.
    m_res.AddResProvider(m_provider.Get(), L"uidef:plain");
    IUiDefInfo* plain = m_uidef.GetUiDef();
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(m_res.GetColor(L"@color/own"), 0xFF030201u);
    EXPECT_EQ(plain->GetDefFontInfo().style, 0x00C00001u);
    EXPECT_STREQ(plain->GetDefFontInfo().face.c_str(), L"\u5b8b\u4f53");
    EXPECT_EQ(plain->GetSkinPool(), nullptr);
    EXPECT_EQ(m_skins.GetCount(), 1u);   // nothing pushed for a definition without skins

    // A definition that cannot be read is still installed, empty.
    m_res.AddResProvider(m_provider.Get(), L"uidef:nowhere");
    ASSERT_NE(m_uidef.GetUiDef(), plain);
    EXPECT_EQ(m_res.GetColor(L"@color/own"), 0x00FFFFFFu);
    m_res.AddResProvider(m_provider.Get(), L"uidef:notxml");   // parses, but has no "uidef"
    EXPECT_EQ(m_res.GetColor(L"@color/border"), 0x00FFFFFFu);

    // While a definition loads it is the current one; afterwards the old one is back.
    SRefPtr<IUiDefInfo> before = SRefPtr<IUiDefInfo>::Share(m_uidef.GetUiDef());
    auto made = SRefPtr<IUiDefInfo>::Adopt(m_uidef.CreateUiDefInfo(m_provider.Get(), L"uidef:xml_init"));
    EXPECT_EQ(m_uidef.GetUiDef(), before.Get());
    EXPECT_EQ(made->GetNamedColor().Get(L"@color/border"), 0xFFDDDDDDu);
}
