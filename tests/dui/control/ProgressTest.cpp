// Progress bars: the value kept within the range, and how much of the bar
// it fills, across and down.
#include "ControlTestEnv.h"

#include "dui/control/SProgress.h"

using namespace DUI;
using namespace ctltest;

namespace {

constexpr uint32_t kRail = kCellPixels[0], kFill = kCellPixels[5];

TEST_F(ControlTest, ProgressSettersKeepTheValueInTheRange)
{
    struct Case
    {
        const char* name;
        int start;
        std::function<void(SProgress*)> act;
        int value;
    };
    const Case cases[] = {
        {"above the maximum", 50, [](SProgress* p) { p->SetValue(150); }, 100},
        {"below the minimum", 50, [](SProgress* p) { p->SetValue(-5); }, 0},
        {"inside", 50, [](SProgress* p) { p->SetValue(37); }, 37},
        {"a range below the value", 50, [](SProgress* p) { p->SetRange(10, 20); }, 20},
        {"a range above the value", 50, [](SProgress* p) { p->SetRange(60, 80); }, 60},
        {"a reversed range: the minimum is applied last", 30, [](SProgress* p) { p->SetRange(50, 10); }, 50},
        {"a value into a reversed range takes the maximum", 30,
         [](SProgress* p) { p->SetRange(50, 10); p->SetValue(30); }, 10},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Tree(L"<root><progress name=\"p\" pos=\"10,10,@100,@20\"/></root>");
        auto* p = Named<SProgress>(L"p");
        p->SetValue(k.start);
        k.act(p);
        EXPECT_EQ(p->GetValue(), k.value);
    }
}

TEST_F(ControlTest, ProgressFillsItsShareOfTheClient)
{
    struct Case
    {
        const char* name;
        const wchar_t* attrs;
        std::vector<wndtest::Probe> probes;
    };
    // Horizontal bars at (10,10)-(110,30); vertical ones at (10,10)-(30,70).
    const Case cases[] = {
        {"37 of 0-100", L"pos=\"10,10,@100,@20\" value=\"37\"", {{46, 20, kFill}, {47, 20, kRail}, {109, 29, kRail}}},
        {"at the minimum nothing is filled", L"pos=\"10,10,@100,@20\" value=\"0\"", {{10, 20, kRail}}},
        {"a range of 200-300", L"pos=\"10,10,@100,@20\" min=\"200\" max=\"300\" value=\"250\"",
         {{59, 20, kFill}, {60, 20, kRail}}},
        {"a margin leaves the client smaller", L"pos=\"10,10,@100,@40\" margin=\"10\" value=\"50\"",
         {{20, 30, kFill}, {59, 30, kFill}, {60, 30, kRail}, {15, 30, kWhite}}},
        {"vertical: half fills the upper half", L"pos=\"10,10,@20,@60\" vertical=\"1\" value=\"50\"",
         {{20, 10, kFill}, {20, 39, kFill}, {20, 40, kRail}, {20, 69, kRail}}},
        {"a value set beyond the maximum fills no more than the bar",
         L"pos=\"10,10,@100,@20\" value=\"150\"", {{109, 20, kFill}, {110, 20, kWhite}, {150, 20, kWhite}}},
        {"an empty range fills nothing", L"pos=\"10,10,@100,@20\" min=\"5\" max=\"5\" value=\"9\"", {{50, 20, kRail}}},
        {"a reversed range fills nothing", L"pos=\"10,10,@100,@20\" min=\"100\" max=\"0\" value=\"50\"",
         {{50, 20, kRail}}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        const std::wstring xml =
            L"<root><progress name=\"p\" bkgndSkin=\"rail\" posSkin=\"fill\" " + std::wstring(k.attrs) + L"/></root>";
        Tree(xml.c_str());
        for (const auto& p : k.probes)
            EXPECT_EQ(At(p.x, p.y), p.want) << "at " << p.x << "," << p.y;
    }
}

TEST_F(ControlTest, ProgressWritesThePercentOnlyAcross)
{
    Tree(L"<root><progress name=\"h\" pos=\"10,10,@180,@30\" value=\"37\" showPercent=\"1\" colorText=\"#000000\"/>"
         L"<progress name=\"v\" pos=\"10,50,@30,@45\" vertical=\"1\" value=\"37\" showPercent=\"1\" colorText=\"#000000\"/>"
         L"</root>");
    SIZE text = {};
    ASSERT_TRUE(SUCCEEDED(m_host.Image()->MeasureText(L"37%", 3, &text)));
    const int left = 10 + (180 - text.cx) / 2;
    EXPECT_GT(CountDark(RECT{left, 10, left + text.cx, 40}), 0);
    EXPECT_EQ(CountDark(RECT{10, 10, left - 1, 40}), 0) << "centred on the window";
    EXPECT_EQ(CountDark(RECT{left + text.cx + 1, 10, 190, 40}), 0);
    EXPECT_EQ(CountDark(RECT{10, 50, 40, 95}), 0) << "a vertical bar writes nothing";
    hosttest::MaybeSavePng(m_host.Image(), L"progress_percent.png");
}

TEST_F(ControlTest, ProgressWithoutSkinsTakesTheSystemOnesOfItsDirection)
{
    xmldom::xml_document doc;
    static const char kSystem[] =
        "<skin><testCells name=\"_skin.sys.prog.bkgnd\" width=\"8\" height=\"6\"/>"
        "<testCells name=\"_skin.sys.prog.bar\" width=\"8\" height=\"6\" first=\"5\"/>"
        "<testCells name=\"_skin.sys.vert.prog.bkgnd\" width=\"6\" height=\"8\" first=\"1\"/>"
        "<testCells name=\"_skin.sys.vert.prog.bar\" width=\"6\" height=\"8\" first=\"2\"/></skin>";
    ASSERT_TRUE(doc.load_buffer(kSystem, sizeof(kSystem) - 1));
    ASSERT_EQ(SSkinPoolMgr::GetInstance()->GetBuiltinPool()->LoadSkins(doc.first_child()), 4);
    Tree(L"<root><progress name=\"h\" pos=\"10,10,@100,@20\" value=\"50\"/>"
         L"<progress name=\"v\" pos=\"150,10,@20,@60\" vertical=\"1\" value=\"50\"/>"
         L"<progress name=\"own\" pos=\"10,40,@100,@20\" value=\"50\" posSkin=\"box\"/></root>");
    EXPECT_EQ(At(20, 20), kFill);
    EXPECT_EQ(At(100, 20), kRail);
    EXPECT_EQ(At(160, 20), kCellPixels[2]);
    EXPECT_EQ(At(160, 60), kCellPixels[1]);
    EXPECT_EQ(At(20, 50), kCellPixels[0]) << "a given skin stays";
    EXPECT_EQ(At(100, 50), kRail);
    EXPECT_EQ(Named<SWindow>(L"h")->MeasureContent(-1, -1).cy, 6);
    EXPECT_EQ(Named<SWindow>(L"h")->MeasureContent(-1, -1).cx, 100) << "the given width";
    EXPECT_EQ(Named<SWindow>(L"v")->MeasureContent(-1, -1).cx, 6);
}

} // namespace
