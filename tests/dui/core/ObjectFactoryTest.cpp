#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include "TestObjects.h"
#include "dui/core/base/DuiLog.h"
#include "dui/core/SInterpolators.h"
#include "dui/core/base/SObjDefAttr.h"
#include "dui/SObjectDefaultRegister.h"
#include "dui/core/base/SObjectFactoryMgr.h"
#include "xml/xmldom.h"

using namespace DUI;
using namespace testobj;

namespace {

// A registry whose current UI definition's default table the test chooses.
class TestRegistry : public SObjectFactoryMgr
{
public:
    SObjDefAttr* table = nullptr;

protected:
    SObjDefAttr* GetCurrentObjDefAttr() const override { return table; }
};

void RegisterTestWindows(SObjectFactoryMgr& reg)
{
    reg.TplRegisterFactory<TWindow>();
    reg.TplRegisterFactory<TPanel>();
    reg.TplRegisterFactory<TText>();
    reg.TplRegisterFactory<TButton>();
    reg.TplRegisterFactory<TImageButton>();
    reg.TplRegisterFactory<TRichEdit>();
    reg.TplRegisterFactory<TEdit>();
    reg.TplRegisterFactory<TSpinButton>();
    reg.TplRegisterFactory<TComboBox>();
    reg.TplRegisterFactory<TSkinButton>();
}

void RegisterBuiltIns(SObjectFactoryMgr& reg)
{
    SObjectDefaultRegister builtIns;
    builtIns.RegisterLayouts(&reg);
    builtIns.RegisterSkins(&reg);
    builtIns.RegisterWindows(&reg);
    builtIns.RegisterInterpolators(&reg);
}

// Catches what the framework writes to the debugger: OutputDebugStringA
// raises a continuable exception that a vectored handler sees first.
class DebugOutputCapture
{
public:
    DebugOutputCapture() { m_handler = AddVectoredExceptionHandler(1, &DebugOutputCapture::OnException); s_lines.clear(); }
    ~DebugOutputCapture() { RemoveVectoredExceptionHandler(m_handler); }
    const std::vector<std::string>& Lines() const { return s_lines; }

private:
    static LONG CALLBACK OnException(EXCEPTION_POINTERS* info)
    {
        const EXCEPTION_RECORD* rec = info->ExceptionRecord;
        if (rec->ExceptionCode != DBG_PRINTEXCEPTION_C || rec->NumberParameters < 2)
            return EXCEPTION_CONTINUE_SEARCH;
        s_lines.emplace_back(reinterpret_cast<const char*>(rec->ExceptionInformation[1]));
        return EXCEPTION_CONTINUE_EXECUTION;
    }

    void* m_handler = nullptr;
    inline static std::vector<std::string> s_lines;
};

// Releases whatever kind of framework object a test made.
void Free(IObject* obj)
{
    if (auto* ref = dynamic_cast<IObjRef*>(obj))
        ref->Release();
    else
        delete obj;
}

std::vector<std::wstring> Applied(IObject* obj)
{
    auto* rec = dynamic_cast<Recorder*>(obj);
    return rec ? rec->applied : std::vector<std::wstring>{};
}

} // namespace

TEST(ObjectFactory, LookupByTagAndKind)
{
    TestRegistry reg;
    RegisterBuiltIns(reg);
    RegisterTestWindows(reg);
    struct Case { const char* name; const wchar_t* tag; int kind; const wchar_t* wantTag; int wantKind; };
    const Case cases[] = {
        {"window button", L"button", 1, L"button", 1},
        {"tag ignores case", L"BUTTON", 1, L"button", 1},
        {"skin of the same tag", L"button", 2, L"button", 2},
        {"mixed-case tag", L"spinbutton", 1, L"spinButton", 1},
        {"interpolator", L"linear", 4, L"Linear", 4},
        {"interpolator upper", L"ANTICIPATEOVERSHOOT", 4, L"AnticipateOvershoot", 4},
        {"no such kind", L"button", 4, nullptr, 0},
        {"base name only", L"combobase", 1, nullptr, 0},
        {"pseudo base", L"object", 1, nullptr, 0},
        {"interpolator base", L"interpolator_base", 4, nullptr, 0},
        {"empty tag", L"", 1, nullptr, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        IObject* obj = reg.CreateObject(SObjectInfo(c.tag, c.kind));
        if (!c.wantTag) {
            EXPECT_EQ(obj, nullptr);
            continue;
        }
        ASSERT_NE(obj, nullptr);
        EXPECT_STREQ(obj->GetClassTag(), c.wantTag);
        EXPECT_EQ(obj->GetObjectKind(), c.wantKind);
        Free(obj);
    }
}

// The built-in windows go in in the order of the framework's class table;
// classes not yet in the framework leave gaps, never a change of order.
TEST(ObjectFactory, BuiltInWindowsRegisterInTableOrder)
{
    class OrderRegistry : public TestRegistry
    {
    public:
        std::vector<std::wstring> windows;
        BOOL RegisterFactory(const SObjectFactory& factory, BOOL replace) override
        {
            const SObjectInfo info = factory.GetObjectInfo();
            if (info.Kind() == Window_Kind)
                windows.emplace_back(info.Name());
            return TestRegistry::RegisterFactory(factory, replace);
        }
    };
    OrderRegistry reg;
    SObjectDefaultRegister().RegisterWindows(&reg);
    const std::vector<std::wstring> table = {
        L"window", L"div", L"text", L"button", L"img", L"progress", L"imgbtn", L"hr", L"check", L"icon",
        L"radio", L"link", L"group", L"animateimg", L"scrollview", L"realwnd", L"toggle", L"caption",
        L"tabctrl", L"page", L"activex", L"flash", L"pane", L"splitwnd", L"splitcol", L"splitrow",
        L"sliderbar", L"treectrl", L"scrollbar", L"header", L"listctrl", L"listbox", L"richedit", L"edit",
        L"hotkey", L"combobox", L"calendar", L"spinButton", L"listview", L"comboview", L"mclistview",
        L"tileview", L"treeview", L"menubar", L"calendarex", L"dateTimePicker"};
    size_t at = 0;
    for (const std::wstring& tag : reg.windows) {
        SCOPED_TRACE(std::string(tag.begin(), tag.end()));
        while (at < table.size() && table[at] != tag)
            ++at;
        ASSERT_LT(at, table.size()) << "registered out of the table's order, or not in it";
    }
    for (const wchar_t* tag : {L"header", L"listview", L"mclistview"}) {
        SCOPED_TRACE(std::string(tag, tag + wcslen(tag)));
        EXPECT_NE(std::find(reg.windows.begin(), reg.windows.end(), tag), reg.windows.end());
        IObject* obj = reg.CreateObject(SObjectInfo(tag, Window_Kind));
        ASSERT_NE(obj, nullptr);
        EXPECT_STREQ(obj->GetClassTag(), tag);
        Free(obj);
    }
    EXPECT_STREQ(reg.GetBaseObjectInfo(SObjectInfo(L"mclistview", Window_Kind)).Name(), L"div");
    EXPECT_STREQ(reg.GetBaseObjectInfo(SObjectInfo(L"listview", Window_Kind)).Name(), L"div");
    EXPECT_STREQ(reg.GetBaseObjectInfo(SObjectInfo(L"header", Window_Kind)).Name(), L"window");
}

TEST(ObjectFactory, MissingClassLogsOneWarning)
{
    TestRegistry reg;
    RegisterTestWindows(reg);
    DebugOutputCapture capture;
    EXPECT_EQ(reg.CreateObject(SObjectInfo(L"Button", 4)), nullptr);
    ASSERT_EQ(capture.Lines().size(), 1u);
    EXPECT_EQ(capture.Lines()[0],
              "Warning: no object button of type:4 in DUI!! DUI::SObjectFactoryMgr::CreateObject "
              "dui\\src\\core\\sobjectfactory:61\n");
}

TEST(ObjectFactory, InterpolatorsByTag)
{
    TestRegistry reg;
    RegisterBuiltIns(reg);
    const wchar_t* tags[] = {L"Linear", L"Accelerate", L"Decelerate", L"AccelerateDecelerate", L"Anticipate",
                             L"AnticipateOvershoot", L"Bounce", L"Cycle", L"Overshoot"};
    for (const wchar_t* tag : tags) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(tag)));
        IInterpolator* curve = reg.NewInterpolatorByTag(tag);
        ASSERT_NE(curve, nullptr);
        EXPECT_STREQ(curve->GetClassTag(), tag);
        EXPECT_TRUE(curve->IsKindOf(L"interpolator_base"));
        EXPECT_EQ(curve->Release(), 0);
    }
    IInterpolator* accel = reg.NewInterpolatorByTag(L"accelerate");
    ASSERT_NE(accel, nullptr);
    EXPECT_FLOAT_EQ(accel->GetInterpolation(0.5f), 0.25f);
    accel->Release();
    EXPECT_EQ(reg.NewInterpolatorByTag(L"Spring"), nullptr);
    EXPECT_EQ(reg.NewInterpolatorByTag(nullptr), nullptr);
}

TEST(ObjectFactory, RegistrationAndReplacement)
{
    TestRegistry reg;
    EXPECT_TRUE(reg.TplRegisterFactory<TWindow>());
    // Another class under {"window", 1}: refused without replace.
    class OtherWindow : public TWindow
    {
    public:
        static LPCWSTR GetClassTagStatic() { return L"WINDOW"; }
        static LPCWSTR GetBaseTagStatic() { return L"object"; }
        static int GetObjectKindStatic() { return Window_Kind; }
        LPCWSTR GetName() const override { return L"other"; }
    };
    EXPECT_FALSE(reg.TplRegisterFactory<OtherWindow>());
    IObject* first = reg.CreateObject(SObjectInfo(L"window", 1));
    EXPECT_EQ(first->GetName(), nullptr);
    Free(first);

    EXPECT_TRUE(reg.TplRegisterFactory<OtherWindow>(TRUE));
    IObject* second = reg.CreateObject(SObjectInfo(L"window", 1));
    EXPECT_STREQ(second->GetName(), L"other");
    Free(second);

    class Untagged : public TWindow
    {
    public:
        static LPCWSTR GetClassTagStatic() { return L""; }
    };
    EXPECT_FALSE(reg.TplRegisterFactory<Untagged>());
    EXPECT_EQ(reg.CreateObject(SObjectInfo(L"", 1)), nullptr);

    EXPECT_TRUE(reg.UnregisterFactory(SObjectInfo(L"Window", 1)));
    EXPECT_FALSE(reg.UnregisterFactory(SObjectInfo(L"window", 1)));
    EXPECT_EQ(reg.CreateObject(SObjectInfo(L"window", 1)), nullptr);
}

TEST(ObjectFactory, BaseObjectInfo)
{
    TestRegistry reg;
    RegisterBuiltIns(reg);
    RegisterTestWindows(reg);
    struct Case { const char* name; const wchar_t* tag; int kind; const wchar_t* wantName; int wantKind; };
    const Case cases[] = {
        {"window", L"window", 1, L"object", 1},
        {"pseudo base", L"object", 1, L"", -1},
        {"lower-cased", L"SPINBUTTON", 1, L"edit", 1},
        {"combo", L"combobox", 1, L"combobase", 1},
        {"unregistered", L"nothing", 1, L"", -1},
        {"interpolator", L"Bounce", 4, L"interpolator_base", 4},
        {"skin", L"button", 2, L"skinobjbase", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SObjectInfo base = reg.GetBaseObjectInfo(SObjectInfo(c.tag, c.kind));
        EXPECT_STREQ(base.Name(), c.wantName);
        EXPECT_EQ(base.Kind(), c.wantKind);
    }
}

TEST(ObjectFactory, DottedWindowTags)
{
    TestRegistry reg;
    RegisterTestWindows(reg);
    IObject* btn = reg.NewWindowObjectByTag(L"imgbtn.close");
    ASSERT_NE(btn, nullptr);
    EXPECT_STREQ(btn->GetClassTag(), L"imgbtn");
    EXPECT_EQ(Applied(btn), std::vector<std::wstring>{L"class=imgbtn.close"});
    Free(btn);

    IObject* plain = reg.NewWindowObjectByTag(L"imgbtn");
    ASSERT_NE(plain, nullptr);
    EXPECT_TRUE(Applied(plain).empty());
    Free(plain);

    EXPECT_EQ(reg.NewWindowObjectByTag(L"imgbtn.close.big"), nullptr);  // looks up "imgbtn.close"
    EXPECT_EQ(reg.NewWindowObjectByTag(nullptr), nullptr);
    EXPECT_EQ(reg.NewWindowObjectByTag(L"Linear"), nullptr);  // not a window
}

namespace {

class DefaultAttrTest : public testing::Test
{
protected:
    void SetUp() override
    {
        // The recording stand-ins go first, so they keep the window tags
        // that the built-in classes would take.
        RegisterTestWindows(m_reg);
        RegisterBuiltIns(m_reg);
        xmldom::xml_node objattr = m_src.append_child(L"objattr");
        Add(objattr, L"window", {{L"colorText", L"@color/font_nm"}, {L"cursor", L"arrow"}});
        Add(objattr, L"div", {{L"sbSkin", L"gs_scrollbar"}});
        Add(objattr, L"button", {{L"focusable", L"0"}, {L"cursor", L"hand"}});
        Add(objattr, L"imgbtn", {{L"cursor", L"hand"}, {L"animate", L"1"}});
        Add(objattr, L"text", {});
        Add(objattr, L"combobox", {{L"dropDown", L"1"}});
        Add(objattr, L"unknownclass", {{L"x", L"1"}});
        Add(objattr, L"richedit", {{L"COLORTEXT", L"@color/edit"}});
        m_table = new SObjDefAttr(m_reg);
        ASSERT_TRUE(m_table->Init(objattr));
        m_reg.table = m_table;
    }
    void TearDown() override { m_table->Release(); }

    static void Add(xmldom::xml_node parent, const wchar_t* tag,
                    std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> attrs)
    {
        xmldom::xml_node el = parent.append_child(tag);
        for (const auto& [name, value] : attrs)
            el.append_attribute(name).set_value(value);
    }

    std::vector<std::wstring> DefaultsOf(const wchar_t* tag)
    {
        IObject* obj = m_reg.NewWindowObjectByTag(tag);
        EXPECT_NE(obj, nullptr);
        auto applied = Applied(obj);
        Free(obj);
        return applied;
    }

    TestRegistry m_reg;
    xmldom::xml_document m_src;
    SObjDefAttr* m_table = nullptr;
};

} // namespace

TEST_F(DefaultAttrTest, NearestClassWinsUpTheChain)
{
    struct Case { const char* name; const wchar_t* tag; std::vector<std::wstring> want; };
    const Case cases[] = {
        {"own, base and root", L"imgbtn",
         {L"cursor=hand", L"animate=1", L"focusable=0", L"colorText=@color/font_nm"}},
        {"through a class without entry", L"edit",
         {L"COLORTEXT=@color/edit", L"sbSkin=gs_scrollbar", L"cursor=arrow"}},
        {"nearest ancestor with an entry", L"spinButton",
         {L"COLORTEXT=@color/edit", L"sbSkin=gs_scrollbar", L"cursor=arrow"}},
        {"empty entry completed from window", L"text", {L"colorText=@color/font_nm", L"cursor=arrow"}},
        {"walk stops at a base without factory", L"combobox", {L"dropDown=1"}},
        {"root itself", L"window", {L"colorText=@color/font_nm", L"cursor=arrow"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DefaultsOf(c.tag), c.want);
    }
}

TEST_F(DefaultAttrTest, ClassGoesFirstAndOwnTagClassLast)
{
    xmldom::xml_document doc;
    xmldom::xml_node objattr = doc.append_child(L"objattr");
    Add(objattr, L"button", {{L"focusable", L"0"}, {L"CLASS", L"cls_btn"}, {L"cursor", L"hand"}});
    SObjDefAttr* table = new SObjDefAttr(m_reg);
    ASSERT_TRUE(table->Init(objattr));
    m_reg.table = table;
    EXPECT_EQ(DefaultsOf(L"button"),
              (std::vector<std::wstring>{L"class=cls_btn", L"focusable=0", L"cursor=hand"}));
    // The dotted tag's own class comes after every default.
    EXPECT_EQ(DefaultsOf(L"button.big"),
              (std::vector<std::wstring>{L"class=cls_btn", L"focusable=0", L"cursor=hand", L"class=button.big"}));
    // The mark is cleared again: the element reads as before.
    EXPECT_EQ(table->GetDefAttribute(L"button").attribute(L"class").skip_mark(), 0);
    m_reg.table = m_table;
    table->Release();
}

TEST_F(DefaultAttrTest, TableLookupsAndOnlyWindowsGetDefaults)
{
    EXPECT_TRUE(m_table->GetDefAttribute(L"unknownclass"));
    // The table's tags are exact; a miss climbs through the registry, which
    // ignores case, so "IMGBTN" lands on the entry of its base class.
    EXPECT_EQ(m_table->GetDefAttribute(L"IMGBTN"), m_table->GetDefAttribute(L"button"));
    EXPECT_FALSE(m_table->GetDefAttribute(L"nothing"));
    EXPECT_FALSE(m_table->GetDefAttribute(nullptr));
    // A built-in class without an entry climbs to its base's.
    EXPECT_EQ(m_table->GetDefAttribute(L"scrollview"), m_table->GetDefAttribute(L"div"));

    // A skin of tag "button" gets nothing from the window defaults.
    IObject* skin = m_reg.CreateObject(SObjectInfo(L"button", 2));
    EXPECT_TRUE(Applied(skin).empty());
    Free(skin);

    SObjDefAttr empty(m_reg);
    EXPECT_FALSE(empty.Init(xmldom::xml_node()));
}

TEST_F(DefaultAttrTest, LaterEntryOfTheSameTagReplacesTheEarlier)
{
    xmldom::xml_document doc;
    xmldom::xml_node objattr = doc.append_child(L"ObjAttr");
    Add(objattr, L"div", {{L"a", L"1"}});
    Add(objattr, L"div", {{L"b", L"2"}});
    SObjDefAttr* table = new SObjDefAttr(m_reg);
    ASSERT_TRUE(table->Init(objattr));
    xmldom::xml_node div = table->GetDefAttribute(L"div");
    EXPECT_FALSE(div.attribute(L"a"));
    EXPECT_STREQ(div.attribute(L"b").value(), L"2");
    // The table works on its own copy.
    EXPECT_NE(div, objattr.last_child());
    table->Release();
}

TEST(DuiLog, LineFormat)
{
    struct Case { const char* name; std::wstring message; std::string want; };
    const Case cases[] = {
        {"plain", L"Warning: x", "Warning: x F src\\a:12\n"},
        {"empty message", L"", " F src\\a:12\n"},
        {"ansi text", L"caf\u00e9", std::string("caf") + StringW2A(SStringW(L"\u00e9"), CP_ACP).c_str() + " F src\\a:12\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FormatLogLine(c.message.c_str(), "F", "src\\a", 12), c.want);
    }
    // An overlong message is cut, never lost or overrun.
    const std::string longLine = FormatLogLine(std::wstring(20000, L'x').c_str(), "F", "src", 1);
    EXPECT_EQ(longLine.size(), 10239u);
    EXPECT_EQ(longLine.find_first_not_of('x'), std::string::npos);
}

TEST(DuiLog, WriteFormatsWithWideStrings)
{
    DebugOutputCapture capture;
    WriteLog("dui\\src\\core\\x", 7, "DUI::X", L"%s=%d", L"name", 5);
    WriteLog("s", 1, "f", L"%s", std::wstring(12000, L'y').c_str());
    ASSERT_EQ(capture.Lines().size(), 2u);
    EXPECT_EQ(capture.Lines()[0], "name=5 DUI::X dui\\src\\core\\x:7\n");
    EXPECT_EQ(capture.Lines()[1].size(), 10239u);
}
