// The layouts at work on window trees built from XML: the rectangles the
// children get at scales 100 and 150, measuring through the children's own
// layouts, the layout classes in the class table, and their attributes.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "WindowTestEnv.h"
#include "dui/core/AnchorLayout.h"
#include "FakeSwndContainer.h"
#include "dui/core/SGridLayout.h"
#include "dui/core/SLinearLayout.h"
#include "tests/app/core/DebugCapture.h"

using namespace DUI;
using namespace wndtest;

namespace {

// A host that answers only its scale.
using ScaledContainer = FakeSwndContainer;

std::wstring Text(const RECT& rc)
{
    return std::to_wstring(rc.left) + L"," + std::to_wstring(rc.top) + L"," + std::to_wstring(rc.right) + L"," +
           std::to_wstring(rc.bottom);
}

// Bare numbers are dp, so that every size shows the scale.
class LayoutWindowTest : public ::testing::Test
{
protected:
    void SetUp() override { SLayoutSize::SetDefaultUnit(L"dp"); }
    void TearDown() override { SLayoutSize::SetDefaultUnit(L"px"); }

    // A 200 × 100 root holding the XML's children, made and laid out at `scale`.
    SWindow* Lay(const wchar_t* xml, int scale)
    {
        m_host.scale = scale;
        SWindow* root = m_env.NewRoot();
        root->SetContainer(&m_host);
        root->CreateChildrenFromXmlText(xml);
        root->OnRectChanged(RECT{0, 0, 200, 100});
        return root;
    }

    ScaledContainer m_host;
    WindowEnv m_env;
};

struct TreeCase
{
    const char* name;
    const wchar_t* xml;
    std::map<std::wstring, std::wstring> at100;
    std::map<std::wstring, std::wstring> at150;
};

} // namespace

TEST_F(LayoutWindowTest, TreesGetTheRectanglesTheirLayoutsGive)
{
    const TreeCase cases[] = {
        {"a column with an interval, margins and a gravity",
         L"<root><window pos=\"0,0,-0,-0\" layout=\"vbox\" interval=\"5\">"
         L"<window name=\"a\" size=\"30,20\"/>"
         L"<window name=\"b\" width=\"matchParent\" height=\"10\" extend=\"2\"/>"
         L"<window name=\"c\" size=\"40,10\" layout_gravity=\"right\"/></window></root>",
         {{L"a", L"0,0,30,20"}, {L"b", L"2,27,198,37"}, {L"c", L"160,44,200,54"}},
         {{L"a", L"0,0,45,30"}, {L"b", L"3,41,197,56"}, {L"c", L"140,67,200,82"}}},
        {"a wrap-content row is as large as its children",
         L"<root><window name=\"box\" pos=\"10,10\" layout=\"hbox\" interval=\"5\">"
         L"<window name=\"p\" size=\"30,20\"/><window name=\"q\" size=\"40,10\"/></window></root>",
         {{L"box", L"10,10,85,30"}, {L"p", L"10,10,40,30"}, {L"q", L"45,10,85,20"}},
         {{L"box", L"15,15,128,45"}, {L"p", L"15,15,60,45"}, {L"q", L"68,15,128,30"}}},
        {"a grid with a span, a weighted column and fill",
         L"<root><window pos=\"0,0,-0,-0\" layout=\"gridLayout\" columnCount=\"2\" xInterval=\"4\" gravity=\"fill\">"
         L"<window name=\"g1\" size=\"30,20\" columnWeight=\"1\"/><window name=\"g2\" size=\"30,20\"/>"
         L"<window name=\"g3\" size=\"20,10\" columnSpan=\"2\"/></window></root>",
         {{L"g1", L"0,0,166,20"}, {L"g2", L"170,0,200,20"}, {L"g3", L"0,20,200,30"}},
         {{L"g1", L"0,0,149,30"}, {L"g2", L"155,0,200,30"}, {L"g3", L"0,30,200,45"}}},
        {"anchored to a sibling by id and to the parent's far edge",
         L"<root><window name=\"s\" id=\"5\" pos=\"20,10,@40,@30\"/>"
         L"<window name=\"t\" pos=\"sib.right@5:10,sib.top@5:0,-10,@20\"/></root>",
         {{L"s", L"20,10,60,40"}, {L"t", L"70,10,190,30"}},
         {{L"s", L"30,15,90,60"}, {L"t", L"105,15,185,45"}}},
        {"a row inside its parent's padding, the weighted child taking the rest",
         L"<root><window pos=\"0,0,-0,-0\" layout=\"hbox\" padding=\"10,5,10,5\" interval=\"4\">"
         L"<window name=\"h1\" size=\"30,20\"/>"
         L"<window name=\"h2\" width=\"10\" height=\"matchParent\" weight=\"1\"/></window></root>",
         {{L"h1", L"10,5,40,25"}, {L"h2", L"44,5,190,95"}},
         {{L"h1", L"15,8,60,38"}, {L"h2", L"66,8,185,92"}}},
        {"a wrap-content anchor parent measures its children",
         L"<root><window name=\"frame\" pos=\"5,5\"><window name=\"in\" pos=\"10,10,@20,@20\"/></window></root>",
         {{L"frame", L"5,5,35,35"}, {L"in", L"15,15,35,35"}},
         {{L"frame", L"8,8,53,53"}, {L"in", L"23,23,53,53"}}},
    };
    for (const TreeCase& c : cases) {
        for (int scale : {100, 150}) {
            SCOPED_TRACE(std::string(c.name) + " at " + std::to_string(scale));
            SWindow* root = Lay(c.xml, scale);
            for (const auto& [name, want] : scale == 100 ? c.at100 : c.at150) {
                SWindow* w = root->FindChildByName(name.c_str());
                ASSERT_NE(w, nullptr) << testing::PrintToString(name);
                EXPECT_EQ(Text(w->GetWindowRect()), want) << testing::PrintToString(name);
            }
        }
    }
}

TEST_F(LayoutWindowTest, AWeightedChildIsMeasuredAgainAndKeepsItsParameter)
{
    SWindow* root = Lay(L"<root><window pos=\"0,0,-0,-0\" layout=\"hbox\">"
                        L"<window name=\"fixed\" size=\"50,20\"/>"
                        L"<window name=\"grows\" width=\"10\" weight=\"1\" layout=\"vbox\">"
                        L"<window size=\"5,7\"/><window size=\"5,8\"/></window></window></root>",
                        100);
    SWindow* grows = root->FindChildByName(L"grows");
    EXPECT_EQ(Text(grows->GetWindowRect()), L"50,0,200,15");
    const ILayoutParam* param = grows->GetLayoutParam();
    EXPECT_TRUE(param->IsWrapContent(Vert));
    EXPECT_EQ(param->GetSpecifiedSize(Horz).ToPixel(100), 10);
    EXPECT_EQ(param->GetSpecifiedSize(Horz).GetUnit(), SLayoutSize::dp);
}

TEST_F(LayoutWindowTest, LayoutsAreMadeByTagWithTheirBaseChains)
{
    struct Case { const wchar_t* tag; const wchar_t* classTag; const wchar_t* base; };
    const Case cases[] = {
        {L"AnchorLayout", L"AnchorLayout", L"object"},
        {L"linearLayout", L"linearLayout", L"object"},
        {L"HBOX", L"hbox", L"linearLayout"},
        {L"vbox", L"vbox", L"linearLayout"},
        {L"gridlayout", L"gridLayout", L"object"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.tag)));
        IObject* object = m_env.Registry().CreateObject(SObjectInfo(c.tag, Layout_Kind));
        ASSERT_NE(object, nullptr);
        auto* layout = dynamic_cast<ILayout*>(object);
        ASSERT_NE(layout, nullptr);
        EXPECT_STREQ(object->GetClassTag(), c.classTag);
        EXPECT_EQ(object->GetObjectKind(), Layout_Kind);
        EXPECT_TRUE(object->IsKindOf(c.base) || wcscmp(c.base, L"object") == 0);
        EXPECT_FALSE(object->IsKindOf(L"object"));
        ILayoutParam* param = layout->CreateLayoutParam();
        EXPECT_TRUE(layout->IsParamAcceptable(param));
        param->Release();
        layout->Release();
    }
    // A window's parameters are refused by a layout of another kind.
    SRefPtr<ILayout> grid = SRefPtr<ILayout>::Adopt(new SGridLayout());
    SRefPtr<ILayoutParam> anchor = SRefPtr<ILayoutParam>::Adopt(new AnchorLayoutParam());
    EXPECT_FALSE(grid->IsParamAcceptable(anchor.Get()));
    EXPECT_FALSE(grid->IsParamAcceptable(nullptr));
}

TEST_F(LayoutWindowTest, LayoutAttributes)
{
    struct Case { const char* name; const wchar_t* tag; const wchar_t* attr; const wchar_t* value; HRESULT result; };
    const Case cases[] = {
        {"orientation", L"linearLayout", L"Orientation", L"vertical", S_OK},
        {"orientation words are exact", L"linearLayout", L"orientation", L"Vertical", E_FAIL},
        {"gravity", L"hbox", L"gravity", L"bottom", S_OK},
        {"an unknown gravity", L"vbox", L"gravity", L"middle", E_FAIL},
        {"interval", L"vbox", L"interval", L"4dp", S_OK},
        {"a name of another layout", L"hbox", L"columnCount", L"2", E_NOTIMPL},
        {"grid counts", L"gridLayout", L"ROWCOUNT", L"0x3", S_OK},
        {"a grid gravity of any text", L"gridLayout", L"gravity", L"nowhere", S_OK},
        {"a grid does not know orientation", L"gridLayout", L"orientation", L"vertical", E_NOTIMPL},
        {"the anchor layout has no attributes", L"AnchorLayout", L"interval", L"4", E_FAIL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        IObject* object = m_env.Registry().CreateObject(SObjectInfo(c.tag, Layout_Kind));
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(object->SetAttribute(c.attr, c.value, TRUE), c.result);
        dynamic_cast<ILayout*>(object)->Release();
    }
    SRefPtr<SLinearLayout> row = SRefPtr<SLinearLayout>::Adopt(new SLinearLayout());
    EXPECT_EQ(row->GetOrientation(), Horz);   // a linear layout without orientation is a row
    row->SetAttribute(L"orientation", L"vertical", TRUE);
    EXPECT_EQ(row->GetOrientation(), Vert);
    EXPECT_EQ(SRefPtr<SVBox>::Adopt(new SVBox())->GetOrientation(), Vert);
}

namespace {

// Notes whether it is placed after it was destroyed.
class Victim : public SWindow
{
    DUI_CLASS_NAME(Victim, SWindow, L"victim", Window_Kind)
public:
    static inline std::vector<const void*> dead;
    static inline int placedWhileDead = 0;

    ~Victim() override { dead.push_back(this); }
    BOOL OnRectChanged(const RECT& rc) override
    {
        for (const void* d : dead)
            if (d == this) ++placedWhileDead;
        return SWindow::OnRectChanged(rc);
    }
};

// Its size handler destroys the sibling named "victim".
class Destroyer : public SWindow
{
    DUI_CLASS_NAME(Destroyer, SWindow, L"destroyer", Window_Kind)

protected:
    void OnSize(UINT type, SIZE size) override
    {
        SWindow::OnSize(type, size);
        if (SWindow* victim = GetParent()->FindChildByName(L"victim")) victim->Destroy();
    }
};

} // namespace

TEST_F(LayoutWindowTest, ASiblingDestroyedByASizeHandlerIsNotPlaced)
{
    m_env.Registry().TplRegisterFactory<Victim>();
    m_env.Registry().TplRegisterFactory<Destroyer>();
    for (const wchar_t* layout : {L"vbox", L"gridLayout\" columnCount=\"1", L"AnchorLayout"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(layout)));
        Victim::dead.clear();
        Victim::placedWhileDead = 0;
        const std::wstring xml = std::wstring(L"<root><window pos=\"0,0,-0,-0\" layout=\"") + layout +
                                 L"\"><destroyer name=\"d\" size=\"10,10\"/>"
                                 L"<victim name=\"victim\" size=\"10,10\"/><window name=\"z\" size=\"10,10\"/>"
                                 L"</window></root>";
        SWindow* root = Lay(xml.c_str(), 100);
        EXPECT_EQ(root->FindChildByName(L"victim"), nullptr);
        EXPECT_EQ(Victim::dead.size(), 1u);
        EXPECT_EQ(Victim::placedWhileDead, 0);
        EXPECT_NE(root->FindChildByName(L"z")->GetWindowRect().bottom, 0);
    }
}

TEST_F(LayoutWindowTest, BadLayoutValuesGiveALogLineAndAUsableTree)
{
    DebugCapture capture;
    SWindow* root = Lay(L"<root><window pos=\"0,0,-0,-0\" layout=\"hbox\">"
                        L"<window name=\"w\" size=\"30,20\" weight=\"abc\"/>"
                        L"<window name=\"v\" size=\"30,20\" weight=\"1\"/></window>"
                        L"<window name=\"p\" pos=\"1o,5\" size=\"10,10\"/></root>",
                        100);
    EXPECT_EQ(Text(root->FindChildByName(L"w")->GetWindowRect()), L"0,0,30,20");
    EXPECT_EQ(Text(root->FindChildByName(L"v")->GetWindowRect()), L"30,0,200,20");
    EXPECT_EQ(Text(root->FindChildByName(L"p")->GetWindowRect()), L"1,5,11,15");
    size_t logged = 0;
    for (const std::wstring& line : capture.Lines())
        if (line.find(L"\"abc\"") != std::wstring::npos || line.find(L"\"1o\"") != std::wstring::npos) ++logged;
    EXPECT_EQ(logged, 2u);
}
