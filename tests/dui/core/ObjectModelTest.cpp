#include <gtest/gtest.h>

#include "TestObjects.h"
#include "xml/xmldom.h"

using namespace DUI;
using namespace testobj;

namespace {

// A class with its own attribute table over a base that has one too.
class Gauge : public TWindow
{
    DUI_CLASS_NAME(Gauge, TWindow, L"gauge", Window_Kind)
public:
    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override
    {
        if (_wcsicmp(name, L"alpha") == 0)
            return Take(name, value, loading, S_OK);
        if (_wcsicmp(name, L"orientation") == 0) {
            if (wcscmp(value, L"horizontal") != 0 && wcscmp(value, L"vertical") != 0)
                return E_FAIL;
            return Take(name, value, loading, S_FALSE);
        }
        return TWindow::SetAttribute(name, value, loading);
    }
};

// No table at all: every name ends at the root's unhandled-attribute answer.
class Bare : public Recorder
{
    DUI_CLASS_NAME(Bare, SObjectImpl<IObject>, L"bare", Undef_Kind)
};

} // namespace

TEST(ObjectModel, AttributeTableDispatch)
{
    struct Case
    {
        const char* name;
        const wchar_t *attr, *value;
        HRESULT want;
        const wchar_t* applied;  // null: nothing recorded
    };
    const Case cases[] = {
        {"own handler", L"alpha", L"128", S_OK, L"alpha=128"},
        {"name ignores case", L"ALPHA", L"7", S_OK, L"ALPHA=7"},
        {"word value", L"orientation", L"vertical", S_FALSE, L"orientation=vertical"},
        {"word values are exact", L"orientation", L"Horizontal", E_FAIL, nullptr},
        {"base handles the rest", L"cursor", L"hand", S_FALSE, L"cursor=hand"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Gauge g;
        EXPECT_EQ(g.SetAttribute(c.attr, c.value, FALSE), c.want);
        if (c.applied) {
            ASSERT_EQ(g.applied.size(), 1u);
            EXPECT_EQ(g.applied[0], c.applied);
            EXPECT_EQ(g.after.size(), 1u);  // once, in the class that took it
        } else {
            EXPECT_TRUE(g.applied.empty());
            EXPECT_TRUE(g.after.empty());
        }
    }
}

TEST(ObjectModel, UnknownNameEndsUnhandledWithoutAfterHook)
{
    Bare b;
    EXPECT_EQ(b.SetAttribute(L"nothing", L"1", TRUE), E_FAIL);
    EXPECT_EQ(b.SetAttributeRawA("nothing", "1", TRUE), E_FAIL);
    EXPECT_TRUE(b.after.empty());
    EXPECT_EQ(b.GetID(), 0);
    EXPECT_EQ(b.GetName(), nullptr);
    EXPECT_TRUE(b.GetAttribute(L"nothing").IsEmpty());
}

TEST(ObjectModel, NarrowAttributesGoThroughTheAnsiCodePage)
{
    const char* narrow[] = {"plain", "caf\xE9", "\xC4\xD6"};
    for (const char* text : narrow) {
        SCOPED_TRACE(text);
        const std::wstring wide = StringA2W(SStringA(text), CP_ACP).c_str();
        Gauge a, b;
        EXPECT_EQ(a.SetAttributeA(SStringA("Cursor"), SStringA(text), FALSE), S_FALSE);
        EXPECT_EQ(b.SetAttributeRawA("Cursor", text, FALSE), S_FALSE);
        EXPECT_EQ(a.applied, std::vector<std::wstring>{L"Cursor=" + wide});
        EXPECT_EQ(b.applied, a.applied);
    }
}

TEST(ObjectModel, ApplyXmlNode)
{
    Gauge onEmpty;
    EXPECT_FALSE(onEmpty.ApplyXmlNode(xmldom::xml_node()));
    EXPECT_EQ(onEmpty.initFinished, 0);

    xmldom::xml_document doc;
    xmldom::xml_node bare = doc.append_child(L"gauge");
    Gauge noAttrs;
    EXPECT_TRUE(noAttrs.ApplyXmlNode(bare));
    EXPECT_TRUE(noAttrs.applied.empty());
    EXPECT_EQ(noAttrs.initFinished, 1);

    xmldom::xml_node el = doc.append_child(L"gauge");
    el.append_attribute(L"orientation").set_value(L"sideways");  // refused, the rest still applied
    el.append_attribute(L"alpha").set_value(L"3");
    el.append_attribute(L"layout").set_value(L"vbox");
    el.append_attribute(L"cursor").set_value(L"arrow");
    el.attribute(L"layout").set_skip_mark(1);
    Gauge g;
    EXPECT_TRUE(g.ApplyXmlNode(el));
    EXPECT_EQ(g.applied, (std::vector<std::wstring>{L"alpha=3", L"cursor=arrow"}));
    EXPECT_EQ(g.initFinished, 1);
    EXPECT_EQ(g.GetAttribute(L"cursor"), L"arrow");
}

TEST(ObjectModel, KindOfFollowsTheClassChainExactly)
{
    struct Case { const char* name; const wchar_t* tag; BOOL want; };
    const Case cases[] = {
        {"own tag", L"imgbtn", TRUE},
        {"base", L"button", TRUE},
        {"root", L"window", TRUE},
        {"case differs", L"Window", FALSE},
        {"pseudo base", L"object", FALSE},
        {"unrelated", L"div", FALSE},
        {"null", nullptr, FALSE},
    };
    TImageButton btn;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(btn.IsKindOf(c.tag), c.want);
    }
    TSpinButton spin;
    for (const wchar_t* tag : {L"spinButton", L"edit", L"richedit", L"div", L"window"})
        EXPECT_TRUE(spin.IsKindOf(tag)) << testing::PrintToString(std::wstring(tag));
    EXPECT_STREQ(spin.GetClassTag(), L"spinButton");
    EXPECT_EQ(spin.GetObjectKind(), 1);
    EXPECT_STREQ(TSpinButton::GetBaseTagStatic(), L"edit");
    EXPECT_STREQ(TWindow::GetBaseTagStatic(), L"object");
}
