// Sliders: where rail, filled part and thumb lie, what they draw, and how
// clicks and drags move the value.
#include "ControlTestEnv.h"

#include "dui/control/SSliderBar.h"

using namespace DUI;
using namespace ctltest;

namespace {

constexpr uint32_t kRail = kCellPixels[0], kFill = kCellPixels[5];
// Thumb states 0-3 from colour 1.
constexpr uint32_t kThumb = kCellPixels[1], kThumbHot = kCellPixels[2], kThumbDragged = kCellPixels[3],
                   kThumbDisabled = kCellPixels[4];

// Across (0,10)-(200,30) with a 10 x 16 thumb: rail 5-195, thumb offset
// 190 * value / 100; the rail band 17-23, the thumb's 12-28.
constexpr wchar_t kAcross[] = L"<root><sliderbar name=\"s\" pos=\"0,10,@200,@20\" thumbSkin=\"thumb\" "
                              L"bkgndSkin=\"rail\" posSkin=\"fill\"/></root>";

class SliderTest : public ControlTest
{
protected:
    SSliderBar* S() const { return Named<SSliderBar>(L"s"); }
    static std::wstring Text(const RECT& rc)
    {
        return std::to_wstring(rc.left) + L"," + std::to_wstring(rc.top) + L"," + std::to_wstring(rc.right) + L"," +
               std::to_wstring(rc.bottom);
    }
};

TEST_F(SliderTest, PartsAlongAndAcrossTheAxis)
{
    struct Case
    {
        const char* name;
        const wchar_t* xml;
        std::wstring rail, filled, thumb, bkgnd;
    };
    const Case cases[] = {
        {"across at 50", kAcross, L"5,17,195,23", L"5,17,100,23", L"95,12,105,28", L"5,17,195,23"},
        {"thumb in rail",
         L"<root><sliderbar name=\"s\" pos=\"0,10,@200,@20\" thumbSkin=\"thumb\" bkgndSkin=\"rail\" thumbInRail=\"1\"/></root>",
         L"5,17,195,23", L"0,17,100,23", L"95,12,105,28", L"0,17,200,23"},
        {"down at 50",
         L"<root><sliderbar name=\"s\" pos=\"10,0,@20,@100\" vertical=\"1\" thumbSkin=\"vthumb\" bkgndSkin=\"vrail\"/></root>",
         L"17,5,23,95", L"17,5,23,50", L"12,45,28,55", L"17,5,23,95"},
        {"a thin client: the band sticks out evenly",
         L"<root><sliderbar name=\"s\" pos=\"0,10,@200,@10\" thumbSkin=\"thumb\" bkgndSkin=\"rail\"/></root>",
         L"5,12,195,18", L"5,12,100,18", L"95,7,105,23", L"5,12,195,18"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Tree(k.xml);
        S()->SetValue(50);
        EXPECT_EQ(Text(S()->GetPartRect(SSliderBar::Part_Rail)), k.rail);
        EXPECT_EQ(Text(S()->GetPartRect(SSliderBar::Part_Filled)), k.filled);
        EXPECT_EQ(Text(S()->GetPartRect(SSliderBar::Part_Thumb)), k.thumb);
        EXPECT_EQ(Text(S()->GetPartRect(SSliderBar::Part_RailBkgnd)), k.bkgnd);
    }
}

TEST_F(SliderTest, HitTestFindsThumbBeforeFilledPartBeforeRail)
{
    Tree(kAcross);
    S()->SetValue(50);
    const std::pair<POINT, SSliderBar::Part> probes[] = {
        {{100, 20}, SSliderBar::Part_Thumb}, {{96, 13}, SSliderBar::Part_Thumb},
        {{50, 20}, SSliderBar::Part_Filled}, {{150, 20}, SSliderBar::Part_Rail},
        {{150, 13}, SSliderBar::Part_None},  {{2, 20}, SSliderBar::Part_None},
    };
    for (const auto& [pt, part] : probes) {
        SCOPED_TRACE(std::to_string(pt.x) + "," + std::to_string(pt.y));
        EXPECT_EQ(S()->HitTest(pt), part);
    }
}

TEST_F(SliderTest, PaintsRailFillAndTheThumbInItsState)
{
    Tree(kAcross);
    auto* s = S();
    s->SetValue(50);
    Repaint();
    EXPECT_EQ(At(50, 20), kFill);
    EXPECT_EQ(At(150, 20), kRail);
    EXPECT_EQ(At(100, 13), kThumb);
    EXPECT_EQ(At(50, 14), kWhite) << "outside the rail band";
    EXPECT_EQ(At(2, 20), kWhite) << "the rail stops half a thumb short";
    hosttest::MaybeSavePng(m_host.Image(), L"slider_normal.png");

    s->DeliverSwndMessage(WM_MOUSEMOVE, 0, wndtest::PointParam(100, 20));
    Repaint();
    EXPECT_EQ(At(100, 13), kThumbHot);
    s->DeliverSwndMessage(WM_LBUTTONDOWN, 0, wndtest::PointParam(100, 20));
    Repaint();
    EXPECT_EQ(At(100, 13), kThumbDragged);
    s->DeliverSwndMessage(WM_LBUTTONUP, 0, wndtest::PointParam(100, 20));
    s->EnableWindow(FALSE);
    Repaint();
    EXPECT_EQ(At(100, 13), kThumbDisabled);

    s->EnableWindow(TRUE);
    s->DeliverSwndMessage(WM_MOUSELEAVE);
    s->SetValue(0);
    Repaint();
    EXPECT_EQ(At(6, 20), kThumb);
    EXPECT_EQ(At(12, 20), kRail) << "nothing filled at the minimum";
}

TEST_F(SliderTest, AClickOnTheRailJumpsThereAndReports)
{
    struct Case
    {
        const char* name;
        int x;
        int value;
    };
    const Case cases[] = {
        {"the middle", 100, 50},      // 101 * 95 / 190
        {"the far end computes 101", 195, 100},
        {"before the rail", 1, 0},    // 101 * -4 / 190 = -2, clamped
        {"near the start", 24, 10},   // 101 * 19 / 190
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        InputTree(kAcross);
        S()->SetValue(k.x < 50 ? 100 : 0);   // the thumb away from the click
        int reported = -1, events = 0;
        S()->SubscribeEvent(EventSliderPos::EventID, StdFunctionSlot([&](EventArgs* e) {
            reported = static_cast<EventSliderPos*>(e)->nPos;
            ++events;
            return false;
        }));
        Input().Mouse(WM_LBUTTONDOWN, k.x, 20);
        EXPECT_EQ(S()->GetValue(), k.value);
        EXPECT_EQ(events, 1);
        EXPECT_EQ(reported, k.value);
        EXPECT_TRUE(S()->IsDragging()) << "a drag goes on from the click";
        EXPECT_EQ(Input().capture, S()->GetSwnd());
        Input().Mouse(WM_LBUTTONUP, k.x, 20);
        EXPECT_EQ(Input().capture, 0u);
    }
}

TEST_F(SliderTest, DraggingTheThumbReportsEachNewValueOnce)
{
    InputTree(kAcross);
    auto* s = S();
    s->SetValue(50);
    std::vector<int> reported;
    s->SubscribeEvent(EventSliderPos::EventID, StdFunctionSlot([&](EventArgs* e) {
        reported.push_back(static_cast<EventSliderPos*>(e)->nPos);
        return false;
    }));
    EventCounter ups(s, EventLButtonUp::EventID);
    EventCounter commands(s, EventCmd::EventID);
    Input().Mouse(WM_MOUSEMOVE, 100, 20);
    Input().Mouse(WM_LBUTTONDOWN, 100, 20);
    EXPECT_TRUE(reported.empty()) << "a press on the thumb moves nothing";
    const std::pair<int, int> moves[] = {
        {119, 60},   // 101 * 19 / 190 = 10
        {120, 60},   // still 10: no event
        {119, 60},
        {100, 50},
        {60, 29},    // 101 * -40 / 190 = -21
        {-300, 0},   // clamped
        {-310, 0},
        {900, 100},
    };
    for (const auto& [x, value] : moves) {
        Input().Mouse(WM_MOUSEMOVE, x, 25);
        EXPECT_EQ(s->GetValue(), value) << "x " << x;
    }
    EXPECT_EQ(reported, (std::vector<int>{60, 50, 29, 0, 100}));
    Input().Mouse(WM_MOUSEMOVE, 100, 20);
    Input().Mouse(WM_LBUTTONUP, 100, 20);
    EXPECT_EQ(s->GetValue(), 50);
    EXPECT_FALSE(s->IsDragging());
    EXPECT_EQ(s->GetHotPart(), SSliderBar::Part_Thumb) << "released over the thumb, it stays hot";
    EXPECT_EQ(ups.count, 1);
    EXPECT_EQ(commands.count, 0);
    Input().Mouse(WM_MOUSEMOVE, 150, 80);
    EXPECT_EQ(s->GetHotPart(), SSliderBar::Part_None) << "leaving the slider";
    EXPECT_EQ(s->GetState() & (WndState_Hover | WndState_PushDown), 0u);
}

TEST_F(SliderTest, VerticalSliderDragsDownTheAxis)
{
    InputTree(L"<root><sliderbar name=\"s\" pos=\"10,0,@20,@100\" vertical=\"1\" thumbSkin=\"vthumb\" "
              L"bkgndSkin=\"vrail\" min=\"-10\" max=\"10\"/></root>");
    auto* s = S();
    EventCounter pos(s, EventSliderPos::EventID);
    Input().Mouse(WM_LBUTTONDOWN, 20, 20);   // -10 + 21 * 15 / 90 = -7
    EXPECT_EQ(s->GetValue(), -7);
    Input().Mouse(WM_MOUSEMOVE, 90, 29);     // across does not count: 21 * 9 / 90 = 2
    EXPECT_EQ(s->GetValue(), -5);
    Input().Mouse(WM_LBUTTONUP, 90, 29);
    EXPECT_EQ(pos.count, 2);
}

TEST_F(SliderTest, DegenerateRangesAndRailsDoNotBreakIt)
{
    struct Case
    {
        const char* name;
        const wchar_t* attrs;
        int value;   // after a click at (3, 20) and a drag to (150, 20)
    };
    const Case cases[] = {
        {"a rail shorter than the thumb", L"pos=\"0,10,@6,@20\" value=\"3\"", 3},
        {"an empty range", L"pos=\"0,10,@200,@20\" min=\"5\" max=\"5\"", 5},
        {"a reversed range", L"pos=\"0,10,@200,@20\" min=\"100\" max=\"0\"", 0},
        {"the widest range", L"pos=\"0,10,@200,@20\" min=\"-2147483648\" max=\"2147483647\" value=\"0\"", 2147483647},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        const std::wstring xml = L"<root><sliderbar name=\"s\" thumbSkin=\"thumb\" bkgndSkin=\"rail\" posSkin=\"fill\" " +
                                 std::wstring(k.attrs) + L"/></root>";
        Tree(xml.c_str());
        S()->DeliverSwndMessage(WM_LBUTTONDOWN, 0, wndtest::PointParam(3, 20));
        S()->DeliverSwndMessage(WM_MOUSEMOVE, 0, wndtest::PointParam(199, 20));
        S()->DeliverSwndMessage(WM_LBUTTONUP, 0, wndtest::PointParam(199, 20));
        Repaint();
        EXPECT_EQ(S()->GetValue(), k.value);
        const RECT thumb = S()->GetPartRect(SSliderBar::Part_Thumb);
        const RECT client = S()->GetClientRect();
        EXPECT_GE(thumb.left, client.left);
    }
}

TEST_F(SliderTest, SliderMeasuresAHundredAlongTheThickerSkinAcross)
{
    Tree(L"<root><sliderbar name=\"s\" thumbSkin=\"thumb\" bkgndSkin=\"rail\"/>"
         L"<sliderbar name=\"v\" vertical=\"1\" thumbSkin=\"vthumb\" bkgndSkin=\"vrail\"/></root>");
    const SIZE across = S()->MeasureContent(-1, -1);
    const SIZE down = Named<SWindow>(L"v")->MeasureContent(-1, -1);
    EXPECT_EQ(across.cx, 100);
    EXPECT_EQ(across.cy, 16);
    EXPECT_EQ(down.cx, 16);
    EXPECT_EQ(down.cy, 100);
}

} // namespace
