// The application object of a program with its own resource pack (app.rc):
// what it makes, wires and loads, and what it leaves behind when it goes.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dui/SObjectDefaultRegister.h"
#include "dui/core/CSimpleWndHelper.h"
#include "dui/core/IToolTip.h"
#include "dui/res.mgr/SAppTranslator.h"
#include "dui/core/SApplication.h"
#include "dui/core/SMessageLoop.h"
#include "dui/core/SRicheditMenuDef.h"
#include "dui/core/SScriptTimer.h"
#include "dui/core/STextServiceHelper.h"
#include "dui/core/STimer2.h"
#include "dui/core/SWindow.h"
#include "dui/core/SWindowFinder.h"
#include "dui/core/SWindowMgr.h"
#include "dui/res.mgr/SFontPool.h"
#include "dui/res.mgr/SImageLoader.h"
#include "dui/res.mgr/SSkinPoolMgr.h"
#include "dui/res.mgr/SStylePoolMgr.h"
#include "dui/res.mgr/SUiDefInfo.h"
#include "tests/support/ComponentLoader.h"
#include "tests/support/TempFolder.h"

using namespace DUI;

namespace {

SRefPtr<IResProvider> NewProvider(int kind, WPARAM param)
{
    IResProvider* p = nullptr;
    CreateResProvider(kind, &p);
    auto provider = SRefPtr<IResProvider>::Adopt(p);
    EXPECT_TRUE(provider && provider->Init(param));
    return provider;
}

// The resources compiled into this program.
SRefPtr<IResProvider> ModuleProvider()
{
    return NewProvider(RES_PE, reinterpret_cast<WPARAM>(GetModuleHandleW(nullptr)));
}

// Remembers every tag the framework asks it to make.
class RecordingApp : public SApplication
{
public:
    using SApplication::SApplication;
    SWindow* NewWindowByTag(LPCWSTR tag) override
    {
        windowTags.push_back(tag);
        return SApplication::NewWindowByTag(tag);
    }
    ISkinObj* NewSkinByTag(LPCWSTR tag) override
    {
        skinTags.push_back(tag);
        return SApplication::NewSkinByTag(tag);
    }
    std::vector<std::wstring> windowTags, skinTags;
};

// Answers one text with a fixed translation and notes the fonts it is asked about.
class FakeTranslator : public TObjRefImpl<ITranslatorMgr>
{
public:
    void SetLanguage(LPCWSTR) override {}
    int GetLanguage(wchar_t*, int) const override { return 0; }
    BOOL CreateLang(ILang**) override { return FALSE; }
    BOOL InstallLang(ILang*) override { return FALSE; }
    BOOL UninstallLang(LPCWSTR) override { return FALSE; }
    int Translate(LPCWSTR text, LPCWSTR context, wchar_t* buf, int size) override
    {
        if (wcscmp(text, L"hi") != 0 || wcscmp(context, L"dlg") != 0)
            return 0;
        if (buf && size >= 6)
            wcscpy(buf, L"Hello");
        return 6;
    }
    BOOL TranslateFont(LPCWSTR key, LOGFONTW*) override
    {
        fontKeys.push_back(key);
        return FALSE;
    }
    std::vector<std::wstring> fontKeys;
};

class ApplicationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_factory);
        m_app = std::make_unique<RecordingApp>(m_factory.Get(), GetModuleHandleW(nullptr), L"VeskTestHost", &m_builtIns);
    }

    // The render library outlives the application that holds its factory.
    testcomp::ComponentLoader m_render{L"render.dll"};
    SRefPtr<IPaintFactory> m_factory = SRefPtr<IPaintFactory>::Adopt(m_render.Create<IPaintFactory>());
    SObjectDefaultRegister m_builtIns;
    std::unique_ptr<RecordingApp> m_app;
};

} // namespace

TEST_F(ApplicationTest, MakesEverySingletonAndTakesAllDownAgain)
{
    struct Case { int index; SSingleton2Base* want; };
    const Case cases[] = {
        {SINGLETON_UIDEF, SUiDef::GetInstance()},
        {SINGLETON_WINDOWMGR, SWindowMgr::GetInstance()},
        {SINGLETON_TIMER, STimer2::GetInstance()},
        {SINGLETON_SCRIPTTIMER, SScriptTimer::GetInstance()},
        {SINGLETON_FONTPOOL, SFontPool::GetInstance()},
        {SINGLETON_STYLEPOOLMGR, SStylePoolMgr::GetInstance()},
        {SINGLETON_TEMPLATEPOOLMGR, STemplatePoolMgr::GetInstance()},
        {SINGLETON_SKINPOOLMGR, SSkinPoolMgr::GetInstance()},
        {SINGLETON_WINDOWFINDER, SWindowFinder::GetInstance()},
        {SINGLETON_TEXTSERVICEHELPER, STextServiceHelper::GetInstance()},
        {SINGLETON_RICHEDITMENUDEF, SRicheditMenuDef::GetInstance()},
        {SINGLETON_SIMPLEWNDHELPER, CSimpleWndHelper::GetInstance()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_NE(c.want, nullptr);
        EXPECT_EQ(m_app->GetSingletonByIndex(c.index), c.want);
    }
    EXPECT_EQ(m_app->GetSingletonByIndex(SINGLETON_COUNT), nullptr);
    EXPECT_EQ(m_app->GetSingletonByIndex(-1), nullptr);
    EXPECT_NE(STextServiceHelper::GetInstance()->GetCreateTextServices(), nullptr);

    // The application is the registry and the provider manager the framework finds.
    EXPECT_EQ(SApplication::GetInstance(), m_app.get());
    EXPECT_EQ(SObjectFactoryMgr::GetInstance(), static_cast<SObjectFactoryMgr*>(m_app.get()));
    EXPECT_EQ(SResProviderMgr::GetInstance(), static_cast<SResProviderMgr*>(m_app.get()));
    EXPECT_EQ(m_app->GetPaintFactory(), m_factory.Get());
    EXPECT_EQ(GetLoaderPaintFactory(), m_factory.Get());
    EXPECT_NE(m_app->GetTranslator(), nullptr);
    EXPECT_NE(m_app->GetMsgLoopFactory(), nullptr);
    // The native windows share the class named by the program.
    WNDCLASSEXW cls = {sizeof(cls)};
    EXPECT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), L"VeskTestHost", &cls));
    ASSERT_NE(m_app->GetToolTipFactory(), nullptr);
    IToolTip* tip = m_app->GetToolTipFactory()->CreateToolTip(nullptr);
    EXPECT_NE(tip, nullptr);
    m_app->GetToolTipFactory()->DestroyToolTip(tip);
    ASSERT_NE(m_app->GetMsgLoop(), nullptr);
    EXPECT_FALSE(m_app->GetMsgLoop()->IsRunning());
    EXPECT_EQ(m_app->GetMainWnd(), nullptr);
    // The program installs no logger, real-window handler, attribute stores
    // or scripts: each is asked for and found missing.
    EXPECT_EQ(m_app->GetLogger(), nullptr);
    EXPECT_EQ(m_app->GetRealWndHandler(), nullptr);
    EXPECT_EQ(m_app->GetAttrStorageFactory(), nullptr);
    IScriptModule* script = nullptr;
    EXPECT_EQ(m_app->CreateScriptModule(&script), E_FAIL);
    EXPECT_EQ(script, nullptr);
    // The folder of this program, without the backslash.
    const SStringW exe = m_app->GetAppDir() + L"\\test_dui_app.exe";
    EXPECT_NE(GetFileAttributesW(exe.c_str()), INVALID_FILE_ATTRIBUTES) << exe.c_str();

    m_app.reset();
    EXPECT_EQ(SApplication::GetInstance(), nullptr);
    EXPECT_EQ(SObjectFactoryMgr::GetInstance(), nullptr);
    EXPECT_EQ(SUiDef::GetInstance(), nullptr);
    EXPECT_EQ(SFontPool::GetInstance(), nullptr);
    EXPECT_EQ(SNamedID::GetInstance(), nullptr);
    EXPECT_EQ(CSimpleWndHelper::GetInstance(), nullptr);
    EXPECT_FALSE(GetClassInfoExW(GetModuleHandleW(nullptr), L"VeskTestHost", &cls));
    EXPECT_EQ(GetLoaderPaintFactory(), nullptr);
    EXPECT_EQ(GetAppTranslator(), nullptr);
    // Every reference the application took on the render factory is back.
    EXPECT_EQ(m_factory->AddRef(), 2);
    m_factory->Release();
}

TEST_F(ApplicationTest, LoadsTheSystemResourcesOfTheProgram)
{
    auto module = ModuleProvider();
    EXPECT_EQ(m_app->LoadSystemNamedResource(module.Get()), 0);

    EXPECT_NE(SSkinPoolMgr::GetInstance()->GetBuiltinPool()->GetSkin(L"_skin.sys.border", 100), nullptr);
    EXPECT_NE(SSkinPoolMgr::GetInstance()->GetSystemSkin(30, 100), nullptr);   // "_skin.sys.wnd.bkgnd"
    EXPECT_EQ(m_app->skinTags, (std::vector<std::wstring>{L"colorrect", L"colorrect"}));
    const xmldom::xml_node menu = SRicheditMenuDef::GetInstance()->GetMenuNode();
    EXPECT_STREQ(menu.name(), L"editmenu");
    EXPECT_STREQ(menu.last_child().text().get(), L"paste");
    EXPECT_STREQ(SApplication::GetMsgBoxTemplate().attribute(L"minSize").value(), L"300,132");
    // The provider served this call only.
    EXPECT_EQ(m_app->FindResProvider(L"XML", L"SYS_XML_SKIN"), nullptr);
}

TEST_F(ApplicationTest, ReportsEachMissingSystemResourceByItsBit)
{
    const std::string skin = "<skin><colorrect name=\"_skin.sys.border\" normal=\"#DDDDDD\"/></skin>";
    const std::string menu = "<editmenu/>";
    struct Case { const char* name; std::vector<std::pair<std::string, std::string>> files; int want; };
    const Case cases[] = {
        {"skins only", {{"SYS_XML_SKIN", skin}}, 6},
        {"none", {}, 7},
        {"message box without minSize", {{"SYS_XML_SKIN", skin}, {"SYS_XML_EDITMENU", menu}, {"SYS_XML_MSGBOX", "<DUI/>"}}, 4},
        {"message box not XML", {{"SYS_XML_MSGBOX", "<DUI minSize=\"1,1\">"}}, 7},
        {"menu without its element", {{"SYS_XML_EDITMENU", "<other/>"}}, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::TempFolder dir(L"vesk_app");
        std::string index = "<resource><XML>";
        for (const auto& [name, text] : c.files) {
            dir.Write(std::wstring(name.begin(), name.end()) + L".xml", text);
            index += "<file name=\"" + name + "\" path=\"" + name + ".xml\"/>";
        }
        dir.Write(L"uires.idx", index + "</XML></resource>");
        const std::wstring folder = dir.Folder().substr(0, dir.Folder().size() - 1);
        auto files = NewProvider(RES_FILE, reinterpret_cast<WPARAM>(folder.c_str()));
        EXPECT_EQ(m_app->LoadSystemNamedResource(files.Get()), c.want);
        EXPECT_EQ(m_app->FindResProvider(L"XML", L"SYS_XML_SKIN"), nullptr);
    }
}

TEST_F(ApplicationTest, MessageBoxTemplateMustBeADuiElementWithMinSize)
{
    struct Case { const char* name; std::string xml; BOOL taken; };
    const Case cases[] = {
        {"the program's own", "<DUI minSize=\"300,132\"/>", TRUE},
        {"lower-case name", "<dui minSize=\"300,132\"/>", FALSE},
        {"no minSize", "<DUI title=\"x\"/>", FALSE},
        {"empty minSize", "<DUI minSize=\"\"/>", FALSE},
        {"attribute name in capitals", "<DUI MINSIZE=\"200,100\"/>", TRUE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        xmldom::xml_document doc;
        ASSERT_TRUE(doc.load_buffer(c.xml.data(), c.xml.size(), xmldom::parse_default, xmldom::encoding_utf8));
        const std::wstring before = SApplication::GetMsgBoxTemplate().attribute(L"minSize").value();
        EXPECT_EQ(m_app->SetMsgBoxTemplate(doc.first_child()), c.taken);
        const std::wstring after = SApplication::GetMsgBoxTemplate().attribute(L"minSize").value();
        EXPECT_EQ(after, c.taken ? std::wstring(doc.first_child().attribute(L"minSize").value()) : before);
    }
    EXPECT_FALSE(m_app->SetMsgBoxTemplate(xmldom::xml_node()));
}

TEST_F(ApplicationTest, WindowsGetTheDefaultsOfTheCurrentUiDefinition)
{
    auto check = [&](int wantId) {
        SWindow* w = m_app->NewWindowByTag(L"window");
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->GetID(), wantId);
        w->Release();
    };
    check(0);
    auto module = ModuleProvider();
    m_app->AddResProvider(module.Get(), L"uidef:xml_init");
    check(77);
    EXPECT_STREQ(m_app->GetString(L"@string/caption").c_str(), L"Vesk");
}

TEST_F(ApplicationTest, WindowTreesAreMadeThroughTheApplicationsCreationSlot)
{
    const NamedIdRecord ids[] = {{L"btn_close", 8}, {L"btn_ok", 1}};
    m_app->LoadNamedIdTable(ids, 2, TRUE);
    SWindow* root = new SWindow();
    root->CreateChildrenFromXmlText(L"<root><window name=\"btn_close\"><window name=\"inner\"/></window>"
                                    L"<nosuchclass/></root>");
    EXPECT_EQ(m_app->windowTags, (std::vector<std::wstring>{L"window", L"window", L"nosuchclass"}));
    SWindow* closeBox = root->GetRelatedWindow(GSW_FIRSTCHILD);
    ASSERT_NE(closeBox, nullptr);
    EXPECT_EQ(closeBox->GetID(), 8);
    EXPECT_EQ(root->GetRelatedWindow(GSW_LASTCHILD), closeBox);   // the unknown tag was skipped
    root->Destroy();
}

TEST_F(ApplicationTest, NamedIdTableIsReplacedAndSearchedByExactName)
{
    // Given in reverse order: sorted FALSE sorts them first.
    const NamedIdRecord reversed[] = {
        {L"moudle_pdf2image", 109}, {L"btn_close", 8}, {L"btnOk", 65767}, {L"_name_start", 65535}};
    m_app->LoadNamedIdTable(reversed, 4, FALSE);
    const std::wstring tooLong(50, L'a');
    struct Case { const wchar_t* name; int id; };
    const Case cases[] = {
        {L"btn_close", 8}, {L"moudle_pdf2image", 109}, {L"btnOk", 65767}, {L"_name_start", 65535},
        {L"BTN_CLOSE", 0}, {L"", 0}, {L"btn_closed", 0}, {tooLong.c_str(), 0}, {nullptr, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.name ? std::wstring(c.name) : L"(null)").c_str());
        EXPECT_EQ(m_app->GetIdByName(c.name), c.id);
    }
    // A new table replaces the old one whole.
    const NamedIdRecord one[] = {{L"btn_help", 9}};
    m_app->LoadNamedIdTable(one, 1, TRUE);
    EXPECT_EQ(m_app->GetIdByName(L"btn_help"), 9);
    EXPECT_EQ(m_app->GetIdByName(L"btn_close"), 0);
}

TEST_F(ApplicationTest, TextsAndFontsGoThroughTheTranslatorUntilItIsTakenAway)
{
    const SStringW text(L"hi"), context(L"dlg");
    // The default translator knows nothing: the very same text comes back.
    EXPECT_EQ(m_app->TranslateText(text, context).c_str(), text.c_str());

    auto fake = SRefPtr<FakeTranslator>::Adopt(new FakeTranslator());
    m_app->SetTranslator(fake.Get());
    EXPECT_EQ(m_app->GetTranslator(), fake.Get());
    const SStringW done = m_app->TranslateText(text, context);
    EXPECT_STREQ(done.c_str(), L"Hello");
    EXPECT_EQ(done.GetLength(), 5);
    EXPECT_EQ(m_app->TranslateText(text, SStringW(L"other")).c_str(), text.c_str());
    ASSERT_NE(SFontPool::GetInstance()->GetFont(L"size:13", 100), nullptr);
    EXPECT_EQ(fake->fontKeys, (std::vector<std::wstring>{L"default"}));

    m_app->SetTranslator(nullptr);
    EXPECT_EQ(m_app->GetTranslator(), nullptr);
    EXPECT_EQ(m_app->TranslateText(text, context).c_str(), text.c_str());
    SFontPool::GetInstance()->GetFont(L"size:15", 100);
    EXPECT_EQ(fake->fontKeys.size(), 1u);
    EXPECT_EQ(fake->GetRefCount(), 1);   // neither texts nor fonts keep it
}

TEST_F(ApplicationTest, RunReturnsTheLoopsCodeAndLeavesNoMainWindow)
{
    HWND main = CreateWindowExW(0, L"STATIC", L"main", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(main, nullptr);
    PostQuitMessage(5);
    EXPECT_EQ(m_app->Run(main), 5);
    EXPECT_EQ(m_app->GetMainWnd(), main);
    EXPECT_FALSE(IsWindow(main));
}

TEST_F(ApplicationTest, LayeredWindowUpdateReachesTheSystem)
{
    HWND layered = CreateWindowExW(WS_EX_LAYERED, L"STATIC", L"", WS_POPUP, 0, 0, 8, 8, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(layered, nullptr);
    BITMAPINFO bmi = {};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), 8, -8, 1, 32, BI_RGB};
    void* bits = nullptr;
    SMemDC dc(CreateCompatibleDC(nullptr));
    SGdiObject<HBITMAP> bitmap(CreateDIBSection(dc, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_TRUE(bitmap);
    HGDIOBJ old = SelectObject(dc, bitmap);
    POINT origin = {0, 0};
    SIZE size = {8, 8};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    RECT dirty = {0, 0, 4, 4};
    UPDATELAYEREDWINDOWINFO info = {sizeof(info), nullptr, nullptr, &size, dc, &origin, 0, &blend, ULW_ALPHA, &dirty};
    EXPECT_TRUE(UpdateLayeredWindowByInfo(layered, &info));
    EXPECT_FALSE(UpdateLayeredWindowByInfo(layered, nullptr));
    SelectObject(dc, old);
    DestroyWindow(layered);
}
