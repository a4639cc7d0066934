// A window's part in its parent's layout: which children take part, how
// dirty marks travel up, when children are arranged, the rectangles a window
// answers, and how it measures its text and children.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WindowTestEnv.h"
#include "dui/res.mgr/SFontPool.h"
#include "dui/res.mgr/SImageLoader.h"
#include "tests/support/ComponentLoader.h"

using namespace DUI;
using namespace wndtest;

namespace {

// Counts the size notices it gets.
class SizeCounter : public SWindow
{
    DUI_CLASS_NAME(SizeCounter, SWindow, L"sizeCounter", Window_Kind)
public:
    int sizes = 0;

protected:
    void OnSize(UINT type, SIZE size) override
    {
        ++sizes;
        SWindow::OnSize(type, size);
    }
};

class WindowLayoutTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_env.Registry().TplRegisterFactory<SizeCounter>();
        RowLayout::placed.clear();
    }

    static RECT Rect(const SWindow* w) { return w->GetWindowRect(); }

    WindowEnv m_env;
};

std::wstring Text(const RECT& rc)
{
    return std::to_wstring(rc.left) + L"," + std::to_wstring(rc.top) + L"," + std::to_wstring(rc.right) + L"," +
           std::to_wstring(rc.bottom);
}

} // namespace

TEST_F(WindowLayoutTest, WhoTakesPartInTheLayout)
{
    SWindow* root = m_env.Build(L"<root><window layout=\"testRow\">"
                                L"<window name=\"a\" width=\"10\"/>"
                                L"<window name=\"hiddenKeepsPlace\" width=\"20\" visible=\"0\"/>"
                                L"<window name=\"hiddenGone\" width=\"40\" visible=\"0\" display=\"0\"/>"
                                L"<window name=\"floating\" width=\"80\" float=\"1\"/>"
                                L"<window name=\"b\" width=\"5\"/></window></root>");
    root->GetNthChild(1)->OnRectChanged(RECT{0, 0, 200, 50});
    EXPECT_EQ(Text(Rect(root->FindChildByName(L"b"))), L"30,0,35,50");
    EXPECT_EQ(Text(Rect(root->FindChildByName(L"hiddenKeepsPlace"))), L"10,0,30,50");
    const std::vector<std::wstring> want = {L"a", L"hiddenKeepsPlace", L"b"};
    EXPECT_EQ(RowLayout::placed, want);

    // Showing the child that gave up its place gives it one again.
    RowLayout::placed.clear();
    root->FindChildByName(L"hiddenGone")->SetVisible(TRUE);
    root->GetNthChild(1)->UpdateLayout();
    EXPECT_EQ(Text(Rect(root->FindChildByName(L"b"))), L"70,0,75,50");
}

TEST_F(WindowLayoutTest, DirtyMarksTravelUpToTheFirstHiddenParent)
{
    SWindow* root = m_env.Build(L"<root><window name=\"shown\" width=\"50\"><window name=\"hidden\" visible=\"0\">"
                                L"<window name=\"leaf\"/></window></window></root>");
    root->SetAttribute(SStringW(L"layout"), SStringW(L"testRow"), TRUE);
    root->OnRectChanged(RECT{0, 0, 100, 100});
    SWindow* shown = root->FindChildByName(L"shown");
    SWindow* hidden = root->FindChildByName(L"hidden");
    SWindow* leaf = root->FindChildByName(L"leaf");
    EXPECT_EQ(root->GetLayoutDirty(), 0);
    EXPECT_EQ(shown->GetLayoutDirty(), 0);
    EXPECT_EQ(hidden->GetLayoutDirty(), 1);   // never arranged while hidden

    leaf->MarkForRelayout();
    EXPECT_EQ(leaf->GetLayoutDirty(), 1);
    EXPECT_EQ(shown->GetLayoutDirty(), 0);    // the hidden parent stopped the mark

    // A match-parent child with "display" set marks its parents only for
    // the dirty children, not for a full pass.
    SWindow* other = root->CreateChildrenFromXmlText(
        L"<x><window name=\"other\" width=\"matchParent\" height=\"matchParent\"/></x>");
    root->OnRectChanged(RECT{0, 0, 100, 100});
    ASSERT_EQ(root->GetLayoutDirty(), 0);
    other->MarkLayoutDirty(other->GetSwnd(), FALSE);
    EXPECT_EQ(other->GetLayoutDirty(), 1);
    EXPECT_EQ(root->GetLayoutDirty(), 2);
    other->SetAttribute(SStringW(L"width"), SStringW(L"wrapContent"), TRUE);
    other->MarkLayoutDirty(other->GetSwnd(), FALSE);
    EXPECT_EQ(root->GetLayoutDirty(), 1);     // a wrap-content child changes its parent
}

TEST_F(WindowLayoutTest, TakingANewRectangle)
{
    SWindow* root = m_env.Build(L"<root><sizeCounter name=\"w\" layout=\"testRow\" margin=\"2px\" padding=\"3px,4px,5px,6px\">"
                                L"<window name=\"child\" width=\"88\"/></sizeCounter></root>");
    auto* w = static_cast<SizeCounter*>(root->FindChildByName(L"w"));
    EXPECT_TRUE(w->OnRectChanged(RECT{10, 10, 110, 60}));
    EXPECT_EQ(w->sizes, 1);
    EXPECT_EQ(w->GetLayoutDirty(), 0);
    EXPECT_FALSE(w->OnRectChanged(RECT{10, 10, 110, 60}));   // same rectangle, clean: nothing
    EXPECT_EQ(w->sizes, 1);
    w->MarkForRelayout();
    EXPECT_TRUE(w->OnRectChanged(RECT{10, 10, 110, 60}));    // same rectangle, dirty: arranged
    EXPECT_EQ(w->sizes, 2);

    EXPECT_EQ(Text(w->GetClientRect()), L"12,12,108,58");
    RECT text;
    w->GetTextRect(&text);
    EXPECT_EQ(Text(text), L"15,16,103,52");
    EXPECT_EQ(Text(Rect(root->FindChildByName(L"child"))), L"15,16,103,52");

    w->OnRectChanged(RECT{50, 50, 40, 30});                 // inside out
    EXPECT_EQ(Text(Rect(w)), L"50,50,50,50");
}

TEST_F(WindowLayoutTest, MoveFloatsAndNullReturnsToTheLayout)
{
    SWindow* root = m_env.Build(L"<root layout=\"testRow\"><window name=\"a\" width=\"10\"/>"
                                L"<window name=\"b\" width=\"10\"/></root>");
    root->SetAttribute(SStringW(L"layout"), SStringW(L"testRow"), TRUE);
    root->OnRectChanged(RECT{0, 0, 100, 20});
    SWindow* a = root->FindChildByName(L"a");
    const RECT there = {60, 5, 70, 15};
    a->Move(&there);
    EXPECT_TRUE(a->IsFloat());
    root->MarkForRelayout();
    root->UpdateLayout();
    EXPECT_EQ(Text(Rect(a)), L"60,5,70,15");
    EXPECT_EQ(Text(Rect(root->FindChildByName(L"b"))), L"0,0,10,20");
    a->Move(nullptr);
    root->UpdateLayout();
    EXPECT_FALSE(a->IsFloat());
    EXPECT_EQ(Text(Rect(a)), L"0,0,10,20");
}

TEST_F(WindowLayoutTest, MeasuringTextAndChildren)
{
    testcomp::ComponentLoader render(L"render.dll");
    auto factory = SRefPtr<IPaintFactory>::Adopt(render.Create<IPaintFactory>());
    ASSERT_TRUE(factory);
    SFontPool fonts(factory.Get());
    // One line of this text is far wider than 80 pixels at this font.
    const wchar_t* kText = L"several words that need more than one line";
    auto measure = [&](std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> attrs, int w, int h) {
        const SRefPtr<SWindow> win = SRefPtr<SWindow>::Adopt(new SWindow());
        win->SetAttribute(SStringW(L"font"), SStringW(L"face:Arial,size:12px"), TRUE);
        for (const auto& [name, value] : attrs)
            win->SetAttribute(SStringW(name), SStringW(value), TRUE);
        win->SetWindowText(kText);
        return win->MeasureDesiredSize(w, h);
    };
    const SIZE oneLine = measure({{L"size", L"wrapContent,wrapContent"}}, -1, -1);
    EXPECT_GT(oneLine.cx, 150);
    EXPECT_LT(oneLine.cy, 20);

    // With "maxWidth" 100 and 10 pixels of padding each side, multi-line
    // text wraps within 80 pixels; one-line text would not wrap at all.
    const SIZE wrapped = measure({{L"size", L"wrapContent,wrapContent"}, {L"maxWidth", L"100"}, {L"multiLines", L"1"},
                                  {L"padding", L"10px,0,10px,0"}},
                                 -1, -1);
    EXPECT_LE(wrapped.cx, 100);
    EXPECT_GT(wrapped.cx, 20);
    EXPECT_GE(wrapped.cy, 3 * oneLine.cy);

    // A given width wraps the text at that width less the padding; the
    // width itself is the one given.
    const SIZE fixed = measure({{L"width", L"60"}, {L"height", L"wrapContent"}, {L"padding", L"5px"}, {L"multiLines", L"1"}},
                               300, 300);
    EXPECT_EQ(fixed.cx, 60);
    EXPECT_GT(fixed.cy, wrapped.cy);

    // A measurement is kept until what it depends on changes: the text, or
    // the font of an ancestor it inherits.
    const SRefPtr<SWindow> parent = SRefPtr<SWindow>::Adopt(new SWindow());
    parent->SetAttribute(SStringW(L"font"), SStringW(L"face:Arial,size:12px"), TRUE);
    auto* label = new SWindow();
    parent->InsertChild(label);
    label->SetAttribute(SStringW(L"size"), SStringW(L"wrapContent,wrapContent"), TRUE);
    label->SetWindowText(L"short");
    const SIZE before = label->MeasureDesiredSize(-1, -1);
    EXPECT_EQ(label->MeasureDesiredSize(-1, -1).cx, before.cx);
    label->SetWindowText(kText);
    const SIZE longer = label->MeasureDesiredSize(-1, -1);
    EXPECT_GT(longer.cx, before.cx);
    parent->SetAttribute(SStringW(L"font"), SStringW(L"face:Arial,size:24px"), FALSE);
    EXPECT_GT(label->MeasureDesiredSize(-1, -1).cx, longer.cx);
    parent->DeliverSwndMessage(WM_DESTROY);

    // Match parent with a free extent measures the content, and stays
    // match parent afterwards.
    const SRefPtr<SWindow> box = SRefPtr<SWindow>::Adopt(new SWindow());
    box->SetAttribute(SStringW(L"layout"), SStringW(L"testRow"), TRUE);
    box->SetAttribute(SStringW(L"margin"), SStringW(L"1px"), TRUE);
    for (const wchar_t* width : {L"30", L"12"}) {
        auto* c = new SWindow();
        box->InsertChild(c);
        c->SetAttribute(SStringW(L"width"), SStringW(width), TRUE);
    }
    EXPECT_EQ(box->MeasureDesiredSize(-1, 40).cx, 44);
    EXPECT_EQ(box->MeasureDesiredSize(200, 40).cx, 200);
    EXPECT_TRUE(box->GetLayoutParam()->IsMatchParent(Horz));
    box->DeliverSwndMessage(WM_DESTROY);
}
