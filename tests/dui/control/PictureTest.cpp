// Image windows, icon windows, frame animations and lines: what they draw
// where, their sizes, and how an animation plays, pauses and stops.
#include <gtest/gtest.h>

#include "BasicControlTestEnv.h"
#include "dui/control/SAnimateImgWnd.h"
#include "dui/control/SIconWnd.h"
#include "dui/control/SImageWnd.h"
#include "dui/control/SLine.h"

using namespace basictest;

namespace {

// A 16 x 16 icon of one opaque colour (0xRRGGBB), drawn here.
HICON SolidIcon(uint32_t rgb)
{
    std::vector<uint32_t> color(16 * 16, 0xFF000000u | rgb);
    std::vector<BYTE> mask(16 * 16 / 8, 0);
    HBITMAP colorBmp = ::CreateBitmap(16, 16, 1, 32, color.data());
    HBITMAP maskBmp = ::CreateBitmap(16, 16, 1, 1, mask.data());
    ICONINFO info = {TRUE, 8, 8, maskBmp, colorBmp};
    HICON icon = ::CreateIconIndirect(&info);
    ::DeleteObject(colorBmp);
    ::DeleteObject(maskBmp);
    return icon;
}

using PictureTest = BasicControlTest;

TEST_F(PictureTest, KeepingTheAspectCentresThePictureBetweenEqualBands)
{
    struct Case
    {
        const char* name;
        const wchar_t* pos;
        std::vector<Probe> probes;
    };
    // "wide" is 20 x 10; the window starts at (10, 10).
    const Case cases[] = {
        {"wider window", L"10,10,@60,@20", {{15, 20, kNone}, {20, 11, kCyan}, {59, 28, kCyan}, {65, 20, kNone}}},
        {"taller window", L"10,10,@40,@60", {{30, 14, kNone}, {11, 30, kCyan}, {49, 49, kCyan}, {30, 55, kNone}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PaintTree((L"<root><img pos=\"" + std::wstring(c.pos) + L"\" skin=\"wide\" keepAspect=\"1\"/></root>").c_str());
        m_paint.Paint();
        for (const Probe& p : c.probes)
            ExpectAt(p.x, p.y, p.want);
    }
    MaybeSavePng(m_paint.Image(), L"img_keep_aspect.png");
}

TEST_F(PictureTest, TheImageWindowShowsTheSkinStateOfItsIconIndex)
{
    SWindow* root = PaintTree(L"<root><img name=\"i\" pos=\"0,0,@40,@20\" skin=\"frames\" iconIndex=\"2\"/>"
                              L"<img name=\"k\" pos=\"50,0,@40,@20\" skin=\"four\" keepAspect=\"True\"/>"
                              L"<img name=\"n\" pos=\"100,0,@40,@20\" skin=\"no.such.skin\"/></root>");
    m_paint.Paint();
    ExpectAt(20, 10, kBlue);
    ExpectAt(70, 10, kNone);   // a skin without a size has no aspect to keep
    auto* i = Named<SImageWnd>(root, L"i");
    EXPECT_TRUE(i->IsMsgTransparent());
    EXPECT_EQ(i->MeasureContent(-1, -1).cx, 20);
    EXPECT_EQ(Named<SImageWnd>(root, L"n")->MeasureContent(-1, -1).cx, 0);
    i->SetAttribute(L"keepAspect", L"false", FALSE);
    i->SetAttribute(L"iconIndex", L"1", FALSE);
    m_paint.Paint();
    ExpectAt(20, 10, kGreen);
}

TEST_F(PictureTest, AnImageStretchesStaysOrTilesByTheTileMode)
{
    struct Case
    {
        const char* name;
        int tile;
        std::vector<Probe> probes;
    };
    // A 4 x 4 picture, left half red and right half blue, in a 40 x 20 window at (0, 0).
    const Case cases[] = {
        {"stretch", 0, {{5, 15, kRed}, {35, 15, kBlue}}},
        {"as it is", 1, {{1, 1, kRed}, {3, 3, kBlue}, {6, 1, kNone}, {1, 6, kNone}}},
        {"tiled", 2, {{1, 1, kRed}, {3, 1, kBlue}, {5, 5, kRed}, {39, 19, kBlue}}},
        {"unknown mode draws nothing", 3, {{1, 1, kNone}, {20, 10, kNone}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SWindow* root = PaintTree(L"<root><img name=\"i\" pos=\"0,0,@40,@20\" skin=\"wide\"/></root>");
        auto* img = Named<SImageWnd>(root, L"i");
        img->SetAttribute(L"tile", std::to_wstring(c.tile).c_str(), FALSE);
        img->SetImage(StripBitmap(4, 4, {kRed, kBlue}).Get());
        EXPECT_EQ(img->MeasureContent(-1, -1).cx, 4);
        m_paint.Paint();
        for (const Probe& p : c.probes)
            ExpectAt(p.x, p.y, p.want);
    }
}

TEST_F(PictureTest, TheIconWindowOwnsOneIconAndDrawsItOverItsClientArea)
{
    SWindow* root = PaintTree(L"<root><icon name=\"i\" pos=\"10,10,@32,@32\"/></root>");
    auto* icon = Named<SIconWnd>(root, L"i");
    EXPECT_EQ(icon->MeasureContent(-1, -1).cx, 0);
    icon->SetIcon(SolidIcon(0x00FF00));
    HICON first = icon->GetIcon();
    ASSERT_NE(first, nullptr);
    const SIZE size = icon->MeasureContent(-1, -1);
    EXPECT_EQ(size.cx, 16);
    EXPECT_EQ(size.cy, 16);
    m_paint.Paint();
    ExpectAt(12, 12, kGreen);
    ExpectAt(40, 40, kGreen);   // stretched to 32 x 32
    ExpectAt(43, 43, kNone);

    icon->SetAttribute(L"src", L"no_such_icon", FALSE);
    EXPECT_EQ(icon->GetIcon(), nullptr);
    ICONINFO info = {};
    EXPECT_FALSE(::GetIconInfo(first, &info));   // the old one is destroyed
    EXPECT_EQ(icon->MeasureContent(-1, -1).cx, 0);
}

class AnimationTest : public BasicControlTest
{
protected:
    SAnimateImgWnd* Animation(const wchar_t* attrs)
    {
        const std::wstring xml =
            L"<root><animateimg name=\"a\" pos=\"0,0,@20,@10\" skin=\"frames\" " + std::wstring(attrs) + L"/></root>";
        auto* a = Named<SAnimateImgWnd>(PaintTree(xml.c_str()), L"a");
        LogEvents(a, m_log, {EventAnimateStart::EventID, EventAnimateStop::EventID});
        return a;
    }
    // The frames shown, each once, over `ticks` ticks.
    std::vector<int> Play(SAnimateImgWnd* a, int ticks)
    {
        std::vector<int> shown = {a->GetCurFrame()};
        for (int i = 0; i < ticks; ++i) {
            m_paint.timeline.Tick();
            if (a->GetCurFrame() != shown.back())
                shown.push_back(a->GetCurFrame());
        }
        return shown;
    }
};

TEST_F(AnimationTest, TwoRepeatsOfFourFramesStopOnTheFirstFrame)
{
    SAnimateImgWnd* a = Animation(L"repeat=\"2\"");
    EXPECT_TRUE(a->IsPlaying());   // started when shown at creation
    EXPECT_EQ(Play(a, 200), (std::vector<int>{0, 1, 2, 3, 0, 1, 2, 3, 0}));
    EXPECT_FALSE(a->IsPlaying());
    EXPECT_EQ(m_paint.timeline.Count(), 0u);
    EXPECT_EQ(CountOf(m_log, L"a:EVT_ANI_STOP"), 1u);
    m_paint.Paint();
    ExpectAt(10, 5, kRed);
}

TEST_F(AnimationTest, AFrameLastsSpeedOverTenPlusOneTicks)
{
    SAnimateImgWnd* a = Animation(L"speed=\"100\"");
    m_paint.timeline.Tick();
    ASSERT_EQ(a->GetCurFrame(), 1);
    for (int tick = 1; tick <= 10; ++tick) {
        m_paint.timeline.Tick();
        EXPECT_EQ(a->GetCurFrame(), 1) << tick;
    }
    m_paint.timeline.Tick();
    EXPECT_EQ(a->GetCurFrame(), 2);
    m_paint.Paint();
    ExpectAt(10, 5, kBlue);
}

TEST_F(AnimationTest, HiddenItPausesAndShownAgainItGoesOnWithoutANewStart)
{
    SAnimateImgWnd* a = Animation(L"");
    Play(a, 8);
    const int frame = a->GetCurFrame();
    ASSERT_EQ(frame, 2);
    a->SetVisible(FALSE);
    EXPECT_EQ(m_paint.timeline.Count(), 0u);
    EXPECT_TRUE(a->IsPlaying());
    a->SetVisible(TRUE);
    EXPECT_EQ(m_paint.timeline.Count(), 1u);
    EXPECT_EQ(a->GetCurFrame(), frame);
    EXPECT_EQ(CountOf(m_log, L"a:on_animate_start"), 0u);   // the one start was at creation
    a->Stop();
    a->Stop();
    EXPECT_EQ(CountOf(m_log, L"a:EVT_ANI_STOP"), 1u);
    EXPECT_EQ(a->GetCurFrame(), frame);
    EXPECT_EQ(m_paint.timeline.Count(), 0u);
}

TEST_F(AnimationTest, WithoutAutoStartItWaitsOnTheFirstFrame)
{
    SAnimateImgWnd* a = Animation(L"autoStart=\"0\"");
    EXPECT_FALSE(a->IsPlaying());
    EXPECT_EQ(m_paint.timeline.Count(), 0u);
    a->SetVisible(FALSE);
    a->SetVisible(TRUE);
    EXPECT_FALSE(a->IsPlaying());
    a->Start();
    a->Start();
    EXPECT_EQ(CountOf(m_log, L"a:on_animate_start"), 1u);
    EXPECT_EQ(Play(a, 7), (std::vector<int>{0, 1, 2}));
}

TEST_F(AnimationTest, DestroyingOrLosingTheSkinLeavesNoTimelineHandler)
{
    SAnimateImgWnd* a = Animation(L"");
    a->SetAttribute(L"skin", L"no.such.skin", FALSE);
    EXPECT_EQ(a->MeasureContent(-1, -1).cx, 0);
    m_paint.timeline.Tick();
    EXPECT_EQ(m_paint.timeline.Count(), 0u);
    EXPECT_TRUE(a->IsPlaying());

    SAnimateImgWnd* b = Animation(L"");
    EXPECT_EQ(b->MeasureContent(-1, -1).cx, 20);
    ASSERT_EQ(m_paint.timeline.Count(), 1u);
    b->GetParent()->DestroyChild(b);
    EXPECT_EQ(m_paint.timeline.Count(), 0u);
    EXPECT_EQ(CountOf(m_log, L"a:EVT_ANI_STOP"), 1u);
}

TEST_F(PictureTest, LinesRunAlongTheTopTheLeftOrCornerToCorner)
{
    struct Case
    {
        const char* name;
        const wchar_t* attrs;
        std::vector<Probe> probes;
    };
    // The line window is (20, 20)-(60, 60).
    const Case cases[] = {
        {"horizontal by default", L"", {{40, 20, kBlack}, {20, 40, kNone}, {40, 40, kNone}}},
        {"vertical", L"mode=\"vertical\"", {{20, 40, kBlack}, {40, 20, kNone}}},
        {"tilt", L"mode=\"tilt\" lineColor=\"#ff0000\"", {{40, 40, kRed}, {40, 20, kNone}, {20, 40, kNone}}},
        {"wide and coloured", L"colorLine=\"#0000ff\" lineSize=\"5\"", {{40, 21, kBlue}, {40, 30, kNone}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PaintTree((L"<root><hr pos=\"20,20,@40,@40\" " + std::wstring(c.attrs) + L"/></root>").c_str());
        m_paint.Paint();
        for (const Probe& p : c.probes)
            ExpectAt(p.x, p.y, p.want);
    }
}

TEST_F(PictureTest, LineWordsMatchExactlyAndBadValuesKeepTheOldOne)
{
    SWindow* root = PaintTree(L"<root><hr name=\"l\" pos=\"0,0,@40,@40\"/></root>");
    auto* line = Named<SLine>(root, L"l");
    struct Case
    {
        const char* name;
        const wchar_t* attr;
        const wchar_t* value;
        HRESULT want;
    };
    const Case cases[] = {
        {"capital mode", L"mode", L"Vertical", E_FAIL},
        {"unknown style", L"lineStyle", L"dotted", E_FAIL},
        {"capital style", L"lineStyle", L"Dash", E_FAIL},
        {"empty colour", L"lineColor", L"", E_FAIL},
        {"empty colour, other name", L"colorLine", L"", E_FAIL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(line->SetAttribute(c.attr, c.value, FALSE), c.want);
    }
    EXPECT_EQ(line->GetDirection(), SLine::Horizontal);
    EXPECT_EQ(line->GetLineStyle(), PS_SOLID);
    EXPECT_EQ(line->GetLineColor(), 0xFF000000u);
    const std::pair<const wchar_t*, int> styles[] = {
        {L"solid", PS_SOLID}, {L"dash", PS_DASH}, {L"dot", PS_DOT}, {L"dashdot", PS_DASHDOT}, {L"dashdotdot", PS_DASHDOTDOT}};
    for (const auto& [word, style] : styles) {
        EXPECT_EQ(line->SetAttribute(L"LINESTYLE", word, FALSE), S_FALSE);
        EXPECT_EQ(line->GetLineStyle(), style);
    }
    EXPECT_EQ(line->SetAttribute(L"mode", L"vertical", FALSE), S_FALSE);
    EXPECT_EQ(line->GetDirection(), SLine::Vertical);
}

} // namespace
