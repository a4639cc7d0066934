// Skins drawn without images, checked by pixels.
#include <gtest/gtest.h>

#include "dui/core/base/SRefPtr.h"
#include "dui/res.mgr/SSkinButton.h"
#include "dui/res.mgr/SSkinColorRect.h"
#include "dui/res.mgr/SSkinGradation.h"
#include "dui/res.mgr/SSkinGroup.h"
#include "dui/res.mgr/SSkinPoolMgr.h"
#include "dui/res.mgr/SSkinShape.h"
#include "dui/SObjectDefaultRegister.h"
#include "dui/core/base/SObjectFactoryMgr.h"
#include "tests/support/ComponentLoader.h"

using namespace DUI;

namespace {

class DrawnSkinTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_factory = SRefPtr<IPaintFactory>::Adopt(m_render.Create<IPaintFactory>());
        ASSERT_TRUE(m_factory);
    }

    SRefPtr<IPaintSurface> Draw(ISkinObj* skin, int cx, int cy, int state)
    {
        IPaintSurface* s = nullptr;
        m_factory->CreateSurface(cx, cy, &s);
        const RECT rc = {0, 0, cx, cy};
        skin->DrawByState(s, &rc, state);
        return SRefPtr<IPaintSurface>::Adopt(s);
    }

    static uint32_t At(IPaintSurface* s, int x, int y)
    {
        auto* bmp = static_cast<IPaintBitmap*>(s->GetSelectedObject(OT_BITMAP));
        return static_cast<const uint32_t*>(bmp->LockPixels())[y * bmp->Width() + x];
    }

    template <class T>
    static SRefPtr<T> Skin(const wchar_t* xml)
    {
        xmldom::xml_document doc;
        EXPECT_TRUE(doc.load_buffer(xml, wcslen(xml) * sizeof(wchar_t), xmldom::parse_default, xmldom::encoding_wchar));
        auto skin = SRefPtr<T>::Adopt(new T());
        skin->ApplyXmlNode(doc.first_child());
        return skin;
    }

    testcomp::ComponentLoader m_render{L"render.dll"};
    SRefPtr<IPaintFactory> m_factory;
};

} // namespace

TEST_F(DrawnSkinTest, ColorRectStatesFallBackToNormal)
{
    auto skin = Skin<SSkinColorRect>(L"<colorrect normal=\"#FF0000\" hover=\"#00FF00\" borderWidth=\"1\"/>");
    EXPECT_EQ(skin->GetStates(), 2);
    EXPECT_FALSE(skin->IgnoreState());
    struct Case { int state; uint32_t want; };
    const Case cases[] = {{0, 0xFFFF0000}, {1, 0xFF00FF00}, {2, 0xFFFF0000}, {3, 0xFFFF0000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.state);
        auto s = Draw(skin.Get(), 10, 6, c.state);
        EXPECT_EQ(At(s.Get(), 5, 3), c.want);
        EXPECT_EQ(At(s.Get(), 0, 0), c.want);   // no border without a border colour
    }
    auto bordered = Skin<SSkinColorRect>(L"<colorrect normal=\"#FFFFFF\" normalBorder=\"#0000FF\" borderWidth=\"1\"/>");
    EXPECT_EQ(bordered->GetStates(), 1);
    EXPECT_TRUE(bordered->IgnoreState());
    auto s = Draw(bordered.Get(), 10, 6, 2);
    EXPECT_EQ(At(s.Get(), 0, 3), 0xFF0000FFu);
    EXPECT_EQ(At(s.Get(), 9, 5), 0xFF0000FFu);
    EXPECT_EQ(At(s.Get(), 5, 3), 0xFFFFFFFFu);
    EXPECT_EQ(Skin<SSkinColorRect>(L"<colorrect/>")->SetAttribute(L"normal", L"", TRUE), E_FAIL);
}

TEST_F(DrawnSkinTest, ColorRectCornersAndSkinAlpha)
{
    auto round = Skin<SSkinColorRect>(L"<colorrect normal=\"#FF0000\" cornerPercent=\"0.5\"/>");
    auto s = Draw(round.Get(), 40, 20, 0);   // radius 10: the ends are half circles
    EXPECT_EQ(At(s.Get(), 0, 0), 0u);
    EXPECT_EQ(At(s.Get(), 1, 3), 0u);
    EXPECT_EQ(At(s.Get(), 20, 0), 0xFFFF0000u);
    EXPECT_EQ(At(s.Get(), 20, 10), 0xFFFF0000u);
    EXPECT_EQ(At(s.Get(), 39, 19), 0u);

    auto faded = Skin<SSkinColorRect>(L"<colorrect normal=\"#FF0000\" alpha=\"128\"/>");
    EXPECT_EQ(SSkinColorRect::FillColor(0xFF0000FF, 128), 0x7F0000FFu);
    auto f = Draw(faded.Get(), 4, 4, 0);
    EXPECT_EQ(At(f.Get(), 2, 2), 0x7F7F0000u);   // alpha 127, red kept
}

TEST_F(DrawnSkinTest, GradationDrawsAndColourisesFromItsOwnColours)
{
    auto skin = Skin<SSkinGradation>(L"<gradation colorFrom=\"#000000\" colorTo=\"#FFFFFF\" vertical=\"1\"/>");
    auto s = Draw(skin.Get(), 3, 11, 0);
    EXPECT_EQ(At(s.Get(), 1, 0), 0xFF000000u);
    EXPECT_EQ(At(s.Get(), 1, 10), 0xFFFFFFFFu);
    EXPECT_EQ(At(s.Get(), 1, 5), 0xFF808080u);
    auto grey = Skin<SSkinGradation>(L"<gradation colorFrom=\"#808080\" colorTo=\"#808080\"/>");
    grey->OnColorize(0xFF0000FF);
    EXPECT_GE(grey->ColorFrom() & 0xFF, 0xFEu);
    grey->OnColorize(0xFFFF0000);   // from the grey again, not from the red
    EXPECT_LE(grey->ColorFrom() & 0xFF, 1u);
    grey->OnColorize(0);
    EXPECT_EQ(grey->ColorFrom(), 0xFF808080u);
    EXPECT_EQ(grey->ColorTo(), 0xFF808080u);
}

TEST_F(DrawnSkinTest, ButtonGradientClipsOnlyWithLargerCorners)
{
    const wchar_t* two = L"<button colorUp=\"#FFFFFF\" colorDown=\"#000000\" colorBorder=\"#0000FF\" cornerRadius=\"2\"/>";
    const wchar_t* eight = L"<button colorUp=\"#FFFFFF\" colorDown=\"#000000\" colorBorder=\"#0000FF\" cornerRadius=\"8\"/>";
    auto small = Draw(Skin<SSkinButton>(two).Get(), 40, 21, 0);
    auto large = Draw(Skin<SSkinButton>(eight).Get(), 40, 21, 0);
    EXPECT_EQ(At(small.Get(), 1, 1) >> 24, 255u);   // filled up to the corner
    EXPECT_EQ(At(large.Get(), 1, 1), 0u);           // outside the rounded clip
    for (auto* s : {small.Get(), large.Get()}) {
        EXPECT_EQ(At(s, 20, 0), 0xFF0000FFu);   // blue border
        EXPECT_GT(At(s, 20, 1) & 0xFF, 0xE0u);    // light at the top
        EXPECT_LT(At(s, 20, 19) & 0xFF, 0x20u);   // dark at the bottom
    }
    auto flat = Skin<SSkinButton>(L"<button colorUp=\"#00FF00\" colorDown=\"#00FF00\" colorBorder=\"#0000FF\"/>");
    auto f = Draw(flat.Get(), 10, 10, 0);
    EXPECT_EQ(At(f.Get(), 5, 5), 0xFF00FF00u);
    // The default colours carry no alpha: a bare button draws no face.
    auto bare = Draw(Skin<SSkinButton>(L"<button/>").Get(), 10, 10, 1);
    EXPECT_EQ(At(bare.Get(), 5, 5), 0u);
    EXPECT_EQ(Skin<SSkinButton>(L"<button/>")->SetAttribute(L"colorUp", L"", TRUE), E_FAIL);
}

TEST_F(DrawnSkinTest, ButtonColourisingRestores)
{
    auto skin = Skin<SSkinButton>(L"<button colorUp=\"#808080\" colorDown=\"#808080\"/>");
    skin->OnColorize(0xFF0000FF);
    EXPECT_GE(skin->GetColor(SSkinButton::Up, 0) & 0xFF, 0xFEu);
    EXPECT_EQ(skin->GetColor(SSkinButton::Up, 1), 0x00EEEEEEu);   // alpha 0 stays untouched
    skin->OnColorize(0);
    EXPECT_EQ(skin->GetColor(SSkinButton::Up, 0), 0xFF808080u);
}

namespace {

bool Drawn(uint32_t p) { return (p >> 24) != 0; }

} // namespace

TEST_F(DrawnSkinTest, ShapeFillsAndOutlines)
{
    auto oval = Draw(Skin<SSkinShape>(L"<shape shape=\"oval\"><solid color=\"#FF0000\"/></shape>").Get(), 20, 20, 0);
    EXPECT_EQ(At(oval.Get(), 10, 10), 0xFFFF0000u);
    EXPECT_EQ(At(oval.Get(), 0, 0), 0u);

    auto rounded = Draw(Skin<SSkinShape>(L"<shape><solid color=\"#00FF00\"/><corners radius=\"5\"/>"
                                         L"<stroke width=\"2\" color=\"#0000FF\"/></shape>").Get(), 20, 20, 0);
    EXPECT_EQ(At(rounded.Get(), 0, 0), 0u);
    EXPECT_EQ(At(rounded.Get(), 10, 10), 0xFF00FF00u);
    EXPECT_EQ(At(rounded.Get(), 10, 1), 0xFF0000FFu);   // outline inside the rectangle shrunk by 1
    EXPECT_EQ(At(rounded.Get(), 10, 3), 0xFF00FF00u);

    // A ring without its "ring" element draws nothing; with one, only its arc.
    auto bare = Draw(Skin<SSkinShape>(L"<shape shape=\"ring\"><stroke width=\"3\" color=\"#0000FF\"/>"
                                      L"<solid color=\"#FF0000\"/></shape>").Get(), 20, 20, 0);
    int any = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) any += Drawn(At(bare.Get(), x, y));
    EXPECT_EQ(any, 0);
    auto quarter = Draw(Skin<SSkinShape>(L"<shape shape=\"ring\"><stroke width=\"3\" color=\"#0000FF\"/>"
                                         L"<ring startAngle=\"0\" sweepAngle=\"90\"/></shape>").Get(), 20, 20, 0);
    EXPECT_TRUE(Drawn(At(quarter.Get(), 10, 18)));   // bottom of the ring
    EXPECT_FALSE(Drawn(At(quarter.Get(), 10, 1)));   // top is outside the sweep
    EXPECT_FALSE(Drawn(At(quarter.Get(), 1, 10)));
}

TEST_F(DrawnSkinTest, ShapeGradientClipsToItsShape)
{
    auto skin = Skin<SSkinShape>(L"<shape shape=\"oval\"><gradient type=\"linear\" angle=\"0\" "
                                 L"startColor=\"#000000\" centerColor=\"#808080\" endColor=\"#FFFFFF\"/></shape>");
    auto s = Draw(skin.Get(), 40, 20, 0);
    EXPECT_EQ(At(s.Get(), 0, 0), 0u);
    EXPECT_LT(At(s.Get(), 2, 10) & 0xFF, 0x30u);
    EXPECT_GT(At(s.Get(), 37, 10) & 0xFF, 0xD0u);
    EXPECT_EQ(At(s.Get(), 20, 10) >> 24, 0xFFu);
}

TEST_F(DrawnSkinTest, ShapePartAttributes)
{
    SSkinShape::SStroke stroke;
    EXPECT_EQ(stroke.SetAttribute(L"style", L"dot", TRUE), E_FAIL);
    EXPECT_EQ(stroke.SetAttribute(L"style", L"dashDot", TRUE), S_OK);
    EXPECT_EQ(stroke.style, PS_DASHDOT);
    EXPECT_EQ(stroke.SetAttribute(L"color", L"", TRUE), E_FAIL);
    SSkinShape::SCornerSize corners;
    EXPECT_EQ(corners.SetAttribute(L"radius", L"1,2,3", TRUE), E_INVALIDARG);
    EXPECT_EQ(corners.SetAttribute(L"radius", L"4,6", TRUE), S_OK);
    EXPECT_EQ(corners.radiusX.ToPixel(100), 4);
    EXPECT_EQ(corners.radiusY.ToPixel(100), 6);
    SSkinShape::SGradient gradient;
    EXPECT_EQ(gradient.SetAttribute(L"type", L"Radial", TRUE), E_FAIL);
    EXPECT_EQ(Skin<SSkinShape>(L"<shape/>")->SetAttribute(L"shape", L"circle", TRUE), E_FAIL);
    auto sized = Skin<SSkinShape>(L"<shape scale=\"150\"><size width=\"10dp\" height=\"4\"/></shape>");
    EXPECT_EQ(sized->GetSkinSize().cx, 15);
    EXPECT_EQ(sized->GetSkinSize().cy, 4);
}

TEST_F(DrawnSkinTest, GroupDrawsTheSkinNamedForEachState)
{
    SObjectFactoryMgr registry;
    SObjectDefaultRegister().RegisterSkins(&registry);
    SSkinPoolMgr skins(&registry);
    const wchar_t* xml = L"<skin><colorrect name=\"red\" normal=\"#FF0000\"/>"
                         L"<colorrect name=\"green\" normal=\"#00FF00\"/>"
                         L"<group name=\"g\" normal=\"red\" hover=\"green\" pushDown=\"missing\"/></skin>";
    xmldom::xml_document doc;
    ASSERT_TRUE(doc.load_buffer(xml, wcslen(xml) * sizeof(wchar_t), xmldom::parse_default, xmldom::encoding_wchar));
    auto pool = SRefPtr<SSkinPool>::Adopt(new SSkinPool());
    ASSERT_EQ(pool->LoadSkins(doc.first_child()), 3);
    ISkinObj* group = pool->GetSkin(L"g", 100);
    ASSERT_NE(group, nullptr);
    const uint32_t want[4] = {0xFFFF0000, 0xFF00FF00, 0, 0};
    for (int state = 0; state < 4; ++state) {
        SCOPED_TRACE(state);
        EXPECT_EQ(At(Draw(group, 4, 4, state).Get(), 2, 2), want[state]);
    }
    // A copy at another scale holds copies of its skins.
    auto* scaled = dynamic_cast<SSKinGroup*>(pool->GetSkin(L"g", 200));
    ASSERT_NE(scaled, nullptr);
    ASSERT_NE(scaled->GetStateSkin(1), nullptr);
    EXPECT_EQ(scaled->GetStateSkin(1)->GetScale(), 200);
    EXPECT_EQ(At(Draw(scaled, 4, 4, 1).Get(), 2, 2), 0xFF00FF00u);
}
