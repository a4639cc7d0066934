// Static texts and links: how a multi-line text breaks and where its lines
// go, and that a link answers the mouse only over its text.
#include <gtest/gtest.h>

#include "BasicControlTestEnv.h"
#include "dui/control/SLink.h"
#include "dui/control/SStatic.h"
#include "dui/core/SPaintObjects.h"

using namespace basictest;

namespace {

// Notes every slice the text hands to DrawLine instead of drawing it.
class LineRecorder : public SStatic
{
public:
    struct Line
    {
        std::wstring text;
        RECT rc;
    };
    void DrawLine(IPaintSurface*, LPCWSTR text, int first, int count, RECT* rc, UINT) override
    {
        lines.push_back({std::wstring(text + first, count), *rc});
    }
    std::vector<Line> lines;
};

class StaticTextTest : public BasicControlTest
{
protected:
    void SetUp() override
    {
        BasicControlTest::SetUp();
        m_rt = NewPaintSurface(10, 10);
        SIZE a = {}, w = {};
        m_rt->MeasureText(L"A", 1, &a);
        m_rt->MeasureText(L"W", 1, &w);
        h = a.cy;
        wW = w.cx;
        ASSERT_GT(h, 0);
        ASSERT_GT(wW, 0);
    }
    LineRecorder* Recorder(const wchar_t* attrs = L"")
    {
        auto* s = new LineRecorder();
        m_env.NewRoot()->InsertChild(s);
        s->SetAttribute(L"multiLines", L"1", TRUE);
        std::wstring list = attrs;
        while (!list.empty()) {
            const size_t eq = list.find(L'='), end = list.find(L';');
            s->SetAttribute(list.substr(0, eq).c_str(), list.substr(eq + 1, end - eq - 1).c_str(), TRUE);
            list = end == std::wstring::npos ? L"" : list.substr(end + 1);
        }
        return s;
    }
    static std::wstring Texts(const LineRecorder* s)
    {
        std::wstring all;
        for (const auto& l : s->lines)
            all += (all.empty() ? L"" : L"|") + l.text;
        return all;
    }
    std::vector<LONG> Tops(const LineRecorder* s) const
    {
        std::vector<LONG> tops;
        for (const auto& l : s->lines)
            tops.push_back(l.rc.top);
        return tops;
    }

    SRefPtr<IPaintSurface> m_rt;
    int h = 0, wW = 0;
};

TEST_F(StaticTextTest, LinesBreakAtLineFeedsAtBackslashNAndAtTheRightEdge)
{
    struct Case
    {
        const char* name;
        const wchar_t* attrs;
        const wchar_t* text;
        int widthInW;         // box width in widths of "W", plus one pixel
        int heightInLines;    // box height in lines of h + 5, 0 for a tall box
        const wchar_t* lines;
        std::vector<int> lineSlots;   // top of each drawn line in units of (h + gap)
    };
    const Case cases[] = {
        {"literal backslash n", L"", L"WW\\nW", 20, 0, L"WW|W", {0, 1}},
        {"line feed", L"", L"WW\nW", 20, 0, L"WW|W", {0, 1}},
        {"carriage return dropped", L"", L"WW\r\nW", 20, 0, L"WW|W", {0, 1}},
        {"empty lines take their place", L"", L"\n\nW", 20, 0, L"W", {2}},
        {"wraps at characters", L"", L"WWWWWWW", 3, 0, L"WWW|WWW|W", {0, 1, 2}},
        {"a wide character stands alone", L"", L"WW", 0, 0, L"W|W", {0, 1}},
        {"a wrapped line below the box ends it", L"", L"WWWWWWWWW", 3, 2, L"WWW|WWW", {0, 1}},
        {"line breaks never end it", L"", L"W\nW\nW\nW", 3, 2, L"W|W|W|W", {0, 1, 2, 3}},
        {"gap of zero", L"interHeight=0", L"W\nW", 3, 0, L"W|W", {0, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LineRecorder* s = Recorder(c.attrs);
        const int gap = std::wstring(c.attrs).find(L"interHeight=0") != std::wstring::npos ? 0 : 5;
        const int bottom = c.heightInLines ? c.heightInLines * h + (c.heightInLines - 1) * gap : 1000;
        RECT box = {10, 20, 10 + c.widthInW * wW + 1, 20 + bottom};
        s->DrawText(m_rt.Get(), c.text, -1, &box, DT_SINGLELINE);
        EXPECT_EQ(Texts(s), c.lines);
        std::vector<LONG> want;
        for (int slot : c.lineSlots)
            want.push_back(20 + slot * (h + gap));
        EXPECT_EQ(Tops(s), want);
        for (const auto& l : s->lines) {
            EXPECT_EQ(l.rc.left, 10);
            EXPECT_EQ(l.rc.right, box.right);
            EXPECT_EQ(l.rc.bottom - l.rc.top, h);
        }
    }
}

TEST_F(StaticTextTest, MeasuringGivesTheWidestLineAndTheHeightOfAllLines)
{
    LineRecorder* s = Recorder();
    RECT box = {5, 5, 500, 500};
    s->DrawText(m_rt.Get(), L"W\\nWWW\nWW", -1, &box, DT_CALCRECT);
    EXPECT_TRUE(s->lines.empty());
    EXPECT_EQ(box.left, 5);
    EXPECT_EQ(box.right, 5 + 3 * wW);
    EXPECT_EQ(box.bottom, 5 + 3 * h + 2 * 5);
}

TEST_F(StaticTextTest, MiddleAndBottomMoveTheLinesAsOneBlock)
{
    struct Case
    {
        const char* name;
        const wchar_t* valign;
        UINT format;
        int firstTop;   // with the box 100 high from 0 and a text of two lines
    };
    const int text = 2 * h + 5;
    const Case cases[] = {
        {"top", L"valign=top", 0, 0},
        {"middle", L"valign=middle", DT_VCENTER, (100 - text) / 2},
        {"bottom", L"valign=bottom", DT_BOTTOM, 100 - text},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LineRecorder* s = Recorder(c.valign);
        RECT box = {0, 0, 300, 100};
        s->DrawText(m_rt.Get(), L"W\nW", -1, &box, c.format | DT_SINGLELINE);
        ASSERT_EQ(s->lines.size(), 2u);
        EXPECT_EQ(s->lines[0].rc.top, c.firstTop);
        EXPECT_EQ(s->lines[1].rc.top, c.firstTop + h + 5);
    }
}

TEST_F(StaticTextTest, ASingleLineTextGoesWholeToOneLine)
{
    LineRecorder* s = Recorder(L"multiLines=0");
    RECT box = {0, 0, 5, 5};
    s->DrawText(m_rt.Get(), L"W\\nW\nW", 5, &box, DT_SINGLELINE);
    ASSERT_EQ(s->lines.size(), 1u);
    EXPECT_EQ(s->lines[0].text, L"W\\nW\n");
}

TEST_F(StaticTextTest, DrawnLinesShowWhereTheyShouldAndTheTextTakesNoMouse)
{
    SWindow* root = PaintTree(L"<root><window pos=\"0,0,-0,-0\" colorBkgnd=\"#ffffff\">"
                              L"<text name=\"t\" pos=\"10,10,@150,@80\" multiLines=\"1\" interHeight=\"20\" valign=\"top\" "
                              L"colorText=\"#000000\">WWW\\nWWW</text></window></root>");
    m_paint.Paint();
    MaybeSavePng(m_paint.Image(), L"static_two_lines.png");
    auto* t = Named<SStatic>(root, L"t");
    EXPECT_TRUE(t->IsMsgTransparent());
    EXPECT_FALSE(t->IsFocusable());
    SRefPtr<IPaintSurface> rt = NewPaintSurface(10, 10);
    t->ApplyInheritedPaintState(rt.Get());
    SIZE a = {};
    rt->MeasureText(L"A", 1, &a);
    auto inkInRows = [&](int from, int to) {
        int dark = 0;
        for (int y = from; y < to; ++y) {
            for (int x = 10; x < 160; ++x)
                dark += (At(x, y) & 0xFF) < 0x80;
        }
        return dark;
    };
    EXPECT_GT(inkInRows(10, 10 + a.cy), 0);
    EXPECT_EQ(inkInRows(10 + a.cy + 2, 10 + a.cy + 18), 0);   // the gap of 20
    EXPECT_GT(inkInRows(10 + a.cy + 20, 10 + 2 * a.cy + 20), 0);
}

class LinkTest : public BasicControlTest
{
protected:
    SLink* Link(const wchar_t* attrs, const wchar_t* text = L"WW")
    {
        const std::wstring xml =
            L"<root><link name=\"l\" pos=\"0,0,200,30\" " + std::wstring(attrs) + L">" + text + L"</link></root>";
        SWindow* root = PaintTree(xml.c_str());
        m_paint.Paint();
        auto* link = Named<SLink>(root, L"l");
        m_input = std::make_unique<ControlHost>(root);   // same tree, now with input
        LogEvents(link, m_log, {EventCmd::EventID, EventSwndMouseHover::EventID, EventSwndMouseLeave::EventID});
        return link;
    }
    SIZE TextSize(SWindow* w, const wchar_t* text)
    {
        SRefPtr<IPaintSurface> rt = NewPaintSurface(10, 10);
        w->ApplyInheritedPaintState(rt.Get());
        SIZE size = {};
        rt->MeasureText(text, static_cast<int>(std::wcslen(text)), &size);
        return size;
    }
};

TEST_F(LinkTest, TheLinkRectangleFollowsTheAlignment)
{
    struct Case
    {
        const char* name;
        const wchar_t* attrs;
        char horz, vert;   // l/c/r and t/m/b
    };
    const Case cases[] = {
        {"left top", L"align=\"left\" valign=\"top\"", 'l', 't'},
        {"centre middle", L"align=\"center\" valign=\"middle\"", 'c', 'm'},
        {"right bottom", L"align=\"right\" valign=\"bottom\"", 'r', 'b'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SLink* link = Link(c.attrs);
        const SIZE t = TextSize(link, L"WW");
        const RECT rc = link->GetLinkRect();
        const LONG left = c.horz == 'l' ? 0 : c.horz == 'c' ? (200 - t.cx) / 2 : 200 - t.cx;
        const LONG top = c.vert == 't' ? 0 : c.vert == 'm' ? (30 - t.cy) / 2 : 30 - t.cy;
        EXPECT_EQ(rc.left, left);
        EXPECT_EQ(rc.right, left + t.cx);
        EXPECT_EQ(rc.top, top);
        EXPECT_EQ(rc.bottom, top + t.cy);
    }
}

TEST_F(LinkTest, ARightAlignedLinkTakesClicksAndShowsItsCursorOnlyOverTheText)
{
    SLink* link = Link(L"align=\"right\" valign=\"middle\" cursor=\"hand\"");
    const RECT rc = link->GetLinkRect();
    ASSERT_GT(rc.left, 20);
    const int y = (rc.top + rc.bottom) / 2;
    m_input->Click(5, y);
    EXPECT_EQ(CountOf(m_log, L"l:on_command"), 0u);
    EXPECT_EQ(CountOf(m_log, L"l:on_mouse_hover"), 0u);
    EXPECT_FALSE(link->OnSetCursor(POINT{5, y}));
    EXPECT_TRUE(link->OnSetCursor(POINT{rc.left + 1, y}));
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_HAND));

    m_input->Click(rc.left + 1, y);
    EXPECT_EQ(CountOf(m_log, L"l:on_command"), 1u);
    EXPECT_EQ(CountOf(m_log, L"l:on_mouse_hover"), 1u);
    m_input->Mouse(WM_MOUSEMOVE, 5, y);   // still in the window, off the text
    EXPECT_EQ(CountOf(m_log, L"l:on_mouse_leave"), 1u);
    EXPECT_EQ(link->GetState() & WndState_Hover, 0u);
}

TEST_F(LinkTest, BeforeItIsDrawnALinkIgnoresTheMouse)
{
    SWindow* root = InputTree(L"<root><link name=\"l\" pos=\"0,0,200,30\">WW</link></root>");
    auto* link = Named<SLink>(root, L"l");
    LogEvents(link, m_log, {EventCmd::EventID});
    m_input->Click(2, 10);
    EXPECT_TRUE(::IsRectEmpty(&link->GetLinkRect()));
    EXPECT_EQ(CountOf(m_log, L"l:on_command"), 0u);
}

TEST_F(LinkTest, ALinkWithoutTextShowsItsHref)
{
    SWindow* root = PaintTree(L"<root><link name=\"a\" href=\"https://example.invalid/\"/>"
                              L"<link name=\"b\" href=\"https://example.invalid/\">Home</link></root>");
    EXPECT_EQ(std::wstring(Named<SLink>(root, L"a")->GetWindowText(TRUE).c_str()), L"https://example.invalid/");
    EXPECT_EQ(std::wstring(Named<SLink>(root, L"b")->GetWindowText(TRUE).c_str()), L"Home");
    EXPECT_EQ(std::wstring(Named<SLink>(root, L"b")->GetHref().c_str()), L"https://example.invalid/");
}

} // namespace
