// Image skins drawn into render.dll surfaces, the skin pool and its stack.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "dui/SObjectDefaultRegister.h"
#include "dui/core/base/SObjectFactoryMgr.h"
#include "dui/core/base/SRefPtr.h"
#include "dui/res.mgr/SImageLoader.h"
#include "dui/res.mgr/SResProviderMgr.h"
#include "dui/res.mgr/SSkinAni.h"
#include "dui/res.mgr/SSkinImgCenter.h"
#include "dui/res.mgr/SSkinImgFrame.h"
#include "dui/res.mgr/SSkinPoolMgr.h"
#include "dui/res.mgr/SSkinScrollbar.h"
#include "tests/support/ComponentLoader.h"

using namespace DUI;

namespace {

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF;
constexpr uint32_t kCells[4] = {kRed, kGreen, kBlue, kWhite};

class SkinTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_factory = SRefPtr<IPaintFactory>::Adopt(m_render.Create<IPaintFactory>());
        m_decoder = SRefPtr<IPictureDecoderFactory>::Adopt(m_imgdecoder.Create<IPictureDecoderFactory>());
        ASSERT_TRUE(m_factory && m_decoder);
        m_factory->SetPictureDecoderFactory(m_decoder.Get());
        SetLoaderPaintFactory(m_factory.Get());
        SObjectDefaultRegister().RegisterSkins(&m_registry);
    }

    void TearDown() override
    {
        SetLoaderPaintFactory(nullptr);
        m_factory->SetPictureDecoderFactory(nullptr);
    }

    SRefPtr<IPaintBitmap> Bitmap(int cx, int cy, const std::function<uint32_t(int, int)>& pixel)
    {
        std::vector<uint32_t> px(static_cast<size_t>(cx) * cy);
        for (int y = 0; y < cy; ++y)
            for (int x = 0; x < cx; ++x) px[y * cx + x] = pixel(x, y);
        IPaintBitmap* b = nullptr;
        m_factory->CreateBitmap(&b);
        b->InitPixels(cx, cy, px.data());
        return SRefPtr<IPaintBitmap>::Adopt(b);
    }

    SRefPtr<IPaintSurface> Surface(int cx, int cy)
    {
        IPaintSurface* s = nullptr;
        m_factory->CreateSurface(cx, cy, &s);
        return SRefPtr<IPaintSurface>::Adopt(s);
    }

    static uint32_t At(IPaintSurface* s, int x, int y)
    {
        auto* bmp = static_cast<IPaintBitmap*>(s->GetSelectedObject(OT_BITMAP));
        return static_cast<const uint32_t*>(bmp->LockPixels())[y * bmp->Width() + x];
    }

    // A skin of class `T` set up from the attributes of `xml`'s root element.
    template <class T>
    SRefPtr<T> Skin(const wchar_t* xml)
    {
        xmldom::xml_document doc;
        EXPECT_TRUE(doc.load_buffer(xml, wcslen(xml) * sizeof(wchar_t), xmldom::parse_default, xmldom::encoding_wchar));
        auto skin = SRefPtr<T>::Adopt(new T());
        skin->ApplyXmlNode(doc.first_child());
        return skin;
    }

    // A vertical or horizontal strip of 20 x 20 cells in the four colours.
    SRefPtr<IPaintBitmap> Strip(bool vertical)
    {
        return Bitmap(vertical ? 20 : 80, vertical ? 80 : 20,
                      [=](int x, int y) { return kCells[(vertical ? y : x) / 20]; });
    }

    static std::wstring DataPath(const char* name)
    {
        const std::string p = std::string(VESK_TESTS_DIR "/dui/res.mgr/data/") + name;
        return std::wstring(p.begin(), p.end());
    }

    testcomp::ComponentLoader m_render{L"render.dll"};
    testcomp::ComponentLoader m_imgdecoder{L"imgdecoder.dll"};
    SRefPtr<IPaintFactory> m_factory;
    SRefPtr<IPictureDecoderFactory> m_decoder;
    SObjectFactoryMgr m_registry;
    SResProviderMgr m_res;
    SSkinPoolMgr m_skins{&m_registry};
};

} // namespace

TEST_F(SkinTest, ImgListDrawsTheCellOfTheState)
{
    auto skin = Skin<SSkinImgList>(L"<imglist name=\"btn\" states=\"4\" vertical=\"1\"/>");
    skin->SetImage(Strip(true).Get());
    EXPECT_EQ(skin->GetSkinSize().cx, 20);
    EXPECT_EQ(skin->GetSkinSize().cy, 20);
    EXPECT_EQ(skin->GetStates(), 4);
    EXPECT_FALSE(skin->IgnoreState());
    for (int state = 0; state < 4; ++state) {
        SCOPED_TRACE(state);
        auto s = Surface(12, 12);
        const RECT rc = {1, 1, 11, 11};
        skin->DrawByState(s.Get(), &rc, state);
        EXPECT_EQ(At(s.Get(), 1, 1), kCells[state]);
        EXPECT_EQ(At(s.Get(), 10, 10), kCells[state]);
        EXPECT_EQ(At(s.Get(), 0, 0), 0u);
    }
}

TEST_F(SkinTest, StateMapAndNaturalSize)
{
    auto mapped = Skin<SSkinImgList>(L"<imglist states=\"4\" stateMap=\"0-0--1-2\"/>");
    mapped->SetImage(Strip(false).Get());
    EXPECT_EQ(mapped->GetStates(), 4);
    const uint32_t want[4] = {kRed, kRed, kGreen, kBlue};
    for (int state = 0; state < 4; ++state) {
        SCOPED_TRACE(state);
        auto s = Surface(8, 8);
        const RECT rc = {0, 0, 8, 8};
        mapped->DrawByState(s.Get(), &rc, state);
        EXPECT_EQ(At(s.Get(), 4, 4), want[state]);
    }

    auto natural = Skin<SSkinImgList>(L"<imglist states=\"4\" autoFit=\"0\"/>");
    natural->SetImage(Strip(false).Get());
    auto s = Surface(40, 40);
    const RECT rc = {0, 0, 40, 40};
    natural->DrawByState(s.Get(), &rc, 2);
    EXPECT_EQ(At(s.Get(), 19, 19), kBlue);
    EXPECT_EQ(At(s.Get(), 25, 25), 0u);   // the image keeps its own size
    EXPECT_EQ(natural->GetExpandMode(), static_cast<UINT>(EM_NULL));
}

namespace {

struct AfterHookCounter : SSkinImgList
{
    HRESULT AfterSetAttribute(const SStringW& name, const SStringW& value, BOOL loading, HRESULT result) override
    {
        ++calls;
        return SSkinImgList::AfterSetAttribute(name, value, loading, result);
    }
    int calls = 0;
};

} // namespace

TEST_F(SkinTest, AttributesOfTheSkinBase)
{
    // Handled names pass the after-hook once; a name no class takes does not.
    auto counted = SRefPtr<AfterHookCounter>::Adopt(new AfterHookCounter());
    struct Case { const wchar_t* name; const wchar_t* value; HRESULT result; int hooks; };
    const Case cases[] = {
        {L"ALPHA", L"7", S_OK, 1}, {L"states", L"2", S_FALSE, 1}, {L"scale", L"125", S_FALSE, 1},
        {L"filterLevel", L"odd", E_FAIL, 1}, {L"noSuchThing", L"1", E_FAIL, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.name)));
        counted->calls = 0;
        EXPECT_EQ(counted->SetAttribute(c.name, c.value, TRUE), c.result);
        EXPECT_EQ(counted->calls, c.hooks);
    }

    auto skin = Skin<SSkinImgList>(L"<imglist name=\"@string/none\" alpha=\"0x80\" scale=\"150\" filterLevel=\"high\"/>");
    EXPECT_EQ(skin->GetAlpha(), 0x80);
    EXPECT_EQ(skin->GetScale(), 150);
    EXPECT_STREQ(skin->GetName(), L"");   // an unresolved reference
    EXPECT_EQ(skin->GetExpandMode(), MakeExpandMode(EM_STRETCH, 3));
    EXPECT_EQ(skin->SetAttribute(L"filterLevel", L"High", TRUE), E_FAIL);
    EXPECT_EQ(skin->SetAttribute(L"noSuchThing", L"1", TRUE), E_FAIL);
    EXPECT_EQ(skin->SetAttribute(L"src", L"file:C:\\missing.png", TRUE), E_FAIL);
    EXPECT_TRUE(skin->IsKindOf(L"imglist"));
    EXPECT_TRUE(skin->IsKindOf(L"skinObjBase"));
    EXPECT_FALSE(skin->IsKindOf(L"imgframe"));
    // Drawn with the skin's own alpha by state.
    skin->SetImage(Bitmap(2, 2, [](int, int) { return kWhite; }).Get());
    auto s = Surface(2, 2);
    const RECT rc = {0, 0, 2, 2};
    skin->DrawByState(s.Get(), &rc, 0);
    EXPECT_EQ(At(s.Get(), 0, 0), 0x80808080u);
}

TEST_F(SkinTest, ImgFrameMarginsAndNineGrid)
{
    struct Case { const char* name; const wchar_t* xml; RECT want; };
    const Case cases[] = {
        {"one number sets left", L"<imgframe margin=\"5\"/>", {5, 0, 0, 0}},
        {"four numbers", L"<imgframe margin=\"1,2,3,4\"/>", {1, 2, 3, 4}},
        {"x and y", L"<imgframe margin-x=\"3\" margin-y=\"2\"/>", {3, 2, 3, 2}},
        {"sides", L"<imgframe left=\"1\" bottom=\"0x10\"/>", {1, 0, 0, 16}},
        {"four sizes", L"<imgframe margin2=\"1,2dp,3px,4\"/>", {1, 2, 3, 4}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const RECT m = Skin<SSkinImgFrame>(c.xml)->GetMargins();
        EXPECT_EQ(m.left, c.want.left);
        EXPECT_EQ(m.top, c.want.top);
        EXPECT_EQ(m.right, c.want.right);
        EXPECT_EQ(m.bottom, c.want.bottom);
    }
    EXPECT_EQ(Skin<SSkinImgFrame>(L"<imgframe/>")->SetAttribute(L"margin2", L"1,2,3", TRUE), E_INVALIDARG);

    // A 6 x 6 image: 2-pixel red border, green inside; drawn into 20 x 10.
    auto frame = Skin<SSkinImgFrame>(L"<imgframe margin=\"2,2,2,2\"/>");
    frame->SetImage(Bitmap(6, 6, [](int x, int y) { return x < 2 || y < 2 || x > 3 || y > 3 ? kRed : kGreen; }).Get());
    auto s = Surface(20, 10);
    const RECT rc = {0, 0, 20, 10};
    frame->DrawByState(s.Get(), &rc, 0);
    EXPECT_EQ(At(s.Get(), 1, 1), kRed);
    EXPECT_EQ(At(s.Get(), 10, 1), kRed);   // top edge stretched, still border
    EXPECT_EQ(At(s.Get(), 18, 5), kRed);
    EXPECT_EQ(At(s.Get(), 2, 2), kGreen);   // the border stays 2 pixels wide
    EXPECT_EQ(At(s.Get(), 17, 7), kGreen);
    EXPECT_EQ(At(s.Get(), 10, 5), kGreen);
}

TEST_F(SkinTest, ImgFrame2ReadsMarkersAndDropsTheBorder)
{
    auto skin = Skin<SSkinImgFrame2>(L"<imgframe2/>");
    ASSERT_EQ(skin->SetImageSource(SStringW(L"file:") + DataPath("marked.png").c_str()), S_OK);
    const RECT m = skin->GetMargins();
    EXPECT_EQ(m.left, 4);
    EXPECT_EQ(m.right, 8);
    EXPECT_EQ(m.top, 2);
    EXPECT_EQ(m.bottom, 4);
    ASSERT_TRUE(skin->GetImage());
    EXPECT_EQ(skin->GetImage()->Width(), 18);
    EXPECT_EQ(skin->GetImage()->Height(), 10);
    EXPECT_EQ(static_cast<const uint32_t*>(skin->GetImage()->LockPixels())[0], kRed);
    EXPECT_TRUE(skin->IsKindOf(L"imgframe"));
    EXPECT_TRUE(skin->IsKindOf(L"imglist"));
    auto tiny = Bitmap(1, 5, [](int, int) { return kRed; });
    IPaintBitmap* inner = nullptr;
    RECT margins = {};
    EXPECT_EQ(SSkinImgFrame2::ReadMarkedImage(tiny.Get(), margins, &inner), E_INVALIDARG);
}

TEST_F(SkinTest, ImgCenterDrawsAtItsOwnSizeInTheMiddle)
{
    auto skin = Skin<SSkinImgCenter>(L"<imgCenter/>");
    skin->SetImage(Bitmap(4, 4, [](int, int) { return kBlue; }).Get());
    auto s = Surface(12, 12);
    const RECT rc = {1, 1, 11, 11};   // 10 x 10: the image lands at 4..7
    skin->DrawByState(s.Get(), &rc, 0);
    EXPECT_EQ(At(s.Get(), 4, 4), kBlue);
    EXPECT_EQ(At(s.Get(), 7, 7), kBlue);
    EXPECT_EQ(At(s.Get(), 3, 3), 0u);
    EXPECT_EQ(At(s.Get(), 8, 8), 0u);
}

TEST_F(SkinTest, ColourisingStartsFromTheLoadedPixelsEachTime)
{
    auto skin = Skin<SSkinImgList>(L"<imglist/>");
    skin->SetImage(Bitmap(2, 1, [](int, int) { return 0xFF808080u; }).Get());
    auto pixel = [&] { return static_cast<const uint32_t*>(skin->GetImage()->LockPixels())[0]; };
    skin->OnColorize(0xFF0000FF);   // red
    const uint32_t red = pixel();
    EXPECT_GT((red >> 16) & 0xFF, 0xF0u);
    skin->OnColorize(0xFFFF0000);   // blue, from the grey again
    const uint32_t blue = pixel();
    EXPECT_GT(blue & 0xFF, 0xF0u);
    EXPECT_LT((blue >> 16) & 0xFF, 0x10u);
    skin->OnColorize(0);
    EXPECT_EQ(pixel(), 0xFF808080u);
    auto fixed = Skin<SSkinImgList>(L"<imglist enableColorize=\"0\"/>");
    fixed->SetImage(Bitmap(1, 1, [](int, int) { return 0xFF808080u; }).Get());
    fixed->OnColorize(0xFF0000FF);
    EXPECT_EQ(static_cast<const uint32_t*>(fixed->GetImage()->LockPixels())[0], 0xFF808080u);
}

TEST_F(SkinTest, PoolLoadsByTagAndScalesOnDemand)
{
    const wchar_t* xml = L"<skin>"
                         L"<imglist name=\"btn\" states=\"4\"/>"
                         L"<imglist name=\"btn\" states=\"2\"/>"
                         L"<imgframe name=\"frame\" margin=\"2,2,2,2\" scale=\"200\"/>"
                         L"<nosuchskin name=\"bad\"/>"
                         L"<imglist states=\"1\"/>"
                         L"</skin>";
    xmldom::xml_document doc;
    ASSERT_TRUE(doc.load_buffer(xml, wcslen(xml) * sizeof(wchar_t), xmldom::parse_default, xmldom::encoding_wchar));
    auto pool = SRefPtr<SSkinPool>::Adopt(new SSkinPool());
    EXPECT_EQ(pool->LoadSkins(doc.first_child()), 3);
    EXPECT_EQ(m_skins.GetCount(), 1u);   // only the built-in pool stays pushed
    ISkinObj* btn = pool->GetSkin(L"btn", 100);
    ASSERT_NE(btn, nullptr);
    EXPECT_EQ(btn->GetStates(), 4);   // the first definition stays
    EXPECT_EQ(pool->GetSkin(L"BTN", 100), nullptr);
    EXPECT_EQ(pool->GetSkin(L"frame", 200)->GetScale(), 200);

    // Scaled copies: cells cut and scaled on their own, cached per level.
    dynamic_cast<SSkinImgList*>(btn)->SetImage(Strip(false).Get());
    ISkinObj* at150 = pool->GetSkin(L"btn", 150);
    ASSERT_NE(at150, nullptr);
    EXPECT_NE(at150, btn);
    EXPECT_EQ(at150->GetScale(), 150);
    EXPECT_EQ(at150->GetSkinSize().cx, 30);
    EXPECT_EQ(pool->GetSkin(L"btn", 150), at150);
    EXPECT_EQ(pool->GetSkin(L"btn", 160), at150);
    const auto* px = static_cast<const uint32_t*>(dynamic_cast<SSkinImgList*>(at150)->GetImage()->LockPixels());
    for (int x = 0; x < 30; ++x) EXPECT_EQ(px[x], kRed) << x;   // no green from the next cell
    EXPECT_EQ(px[30], kGreen);
    // Copies take the source's sizes as sizes at scale 100, whatever scale
    // it was defined for: the frame defined at 200 keeps its margins at 100.
    auto* frame100 = dynamic_cast<SSkinImgFrame*>(pool->GetSkin(L"frame", 100));
    ASSERT_NE(frame100, nullptr);
    EXPECT_EQ(frame100->GetScale(), 100);
    EXPECT_EQ(frame100->GetMargins().left, 2);
    auto* frame250 = dynamic_cast<SSkinImgFrame*>(pool->GetSkin(L"frame", 250));
    ASSERT_NE(frame250, nullptr);
    EXPECT_EQ(frame250->GetMargins().left, 5);
}

TEST_F(SkinTest, ManagerAsksTheNewestPoolFirst)
{
    auto older = SRefPtr<SSkinPool>::Adopt(new SSkinPool());
    auto newer = SRefPtr<SSkinPool>::Adopt(new SSkinPool());
    auto a = Skin<SSkinImgList>(L"<imglist states=\"1\"/>");
    auto b = Skin<SSkinImgList>(L"<imglist states=\"2\"/>");
    older->AddSkin({L"shared", 100}, SRefPtr<SSkinImgList>(a).Detach());
    newer->AddSkin({L"shared", 100}, SRefPtr<SSkinImgList>(b).Detach());
    EXPECT_FALSE(newer->AddSkin({L"shared", 100}, a.Get()));
    m_skins.PushSkinPool(older.Get());
    m_skins.PushSkinPool(newer.Get());
    EXPECT_EQ(m_skins.GetSkin(L"shared", 100), b.Get());
    EXPECT_EQ(m_skins.PopSkinPool(newer.Get()), newer.Get());
    EXPECT_EQ(m_skins.GetSkin(L"shared", 100), a.Get());
    EXPECT_EQ(m_skins.PopSkinPool(m_skins.GetBuiltinPool()), nullptr);

    m_skins.GetBuiltinPool()->AddSkin({L"_skin.sys.scrollbar", 100}, SRefPtr<SSkinImgList>(a).Detach());
    EXPECT_EQ(m_skins.GetSystemSkin(5, 100), a.Get());
    EXPECT_EQ(m_skins.GetSystemSkin(22, 100), nullptr);
    EXPECT_EQ(m_skins.GetSkin(L"_skin.sys.scrollbar", 100), a.Get());
}

namespace {

// A colour per grid cell of a scroll-bar image: column in red, row in green.
uint32_t GridCell(int col, int row) { return 0xFF000000u | (col * 20u) << 16 | (row * 40u) << 8 | 0x7Fu; }

} // namespace

TEST_F(SkinTest, ScrollbarPartsComeFromTheGrid)
{
    auto skin = Skin<SSkinScrollbar>(L"<scrollbar margin=\"2\" hasGripper=\"1\"/>");
    skin->SetImage(Bitmap(90, 40, [](int x, int y) { return GridCell(x / 10, y / 10); }).Get());
    EXPECT_EQ(skin->GetPartSize(), 10);
    struct Case { const char* name; int part, state; BOOL vertical; RECT want; };
    const Case cases[] = {
        {"horizontal thumb, hover", SSkinScrollbar::Thumb, 1, FALSE, {60, 10, 70, 20}},
        {"vertical first arrow, pushed", SSkinScrollbar::Arrow1, 2, TRUE, {0, 20, 10, 30}},
        {"rail shares the page column", SSkinScrollbar::Rail, 0, TRUE, {30, 0, 40, 10}},
        {"inactive without its row", SSkinScrollbar::Arrow2, 4, FALSE, {50, 0, 60, 10}},
        {"corner", SSkinScrollbar::Corner, 3, FALSE, {80, 0, 90, 10}},
        {"vertical gripper", SSkinScrollbar::Gripper, 0, TRUE, {80, 10, 90, 20}},
        {"horizontal gripper", SSkinScrollbar::Gripper, 0, FALSE, {80, 20, 90, 30}},
        {"no such part", 4, 0, FALSE, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const RECT r = skin->GetPartRect(c.part, c.state, c.vertical);
        EXPECT_EQ(r.left, c.want.left);
        EXPECT_EQ(r.top, c.want.top);
        EXPECT_EQ(r.right, c.want.right);
        EXPECT_EQ(r.bottom, c.want.bottom);
    }
    // A vertical thumb: the thumb cell stretched, the gripper cell in the middle.
    auto s = Surface(10, 40);
    const RECT rc = {0, 0, 10, 40};
    skin->DrawByIndex(s.Get(), &rc, SSkinScrollbar::MakeIndex(SSkinScrollbar::Thumb, 1, true), 255);
    EXPECT_EQ(At(s.Get(), 5, 3), GridCell(2, 1));
    EXPECT_EQ(At(s.Get(), 5, 20), GridCell(8, 1));
    EXPECT_EQ(At(s.Get(), 5, 36), GridCell(2, 1));
}

TEST_F(SkinTest, ScaledScrollbarKeepsEveryStateRow)
{
    const wchar_t* xml = L"<skin><scrollbar name=\"sb\" margin=\"2\"/></skin>";
    xmldom::xml_document doc;
    ASSERT_TRUE(doc.load_buffer(xml, wcslen(xml) * sizeof(wchar_t), xmldom::parse_default, xmldom::encoding_wchar));
    auto pool = SRefPtr<SSkinPool>::Adopt(new SSkinPool());
    ASSERT_EQ(pool->LoadSkins(doc.first_child()), 1);
    dynamic_cast<SSkinScrollbar*>(pool->GetSkin(L"sb", 100))
        ->SetImage(Bitmap(90, 40, [](int x, int y) { return GridCell(x / 10, y / 10); }).Get());
    auto* big = dynamic_cast<SSkinScrollbar*>(pool->GetSkin(L"sb", 200));
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(big->GetPartSize(), 20);
    ASSERT_EQ(big->GetImage()->Height(), 80);
    const auto* px = static_cast<const uint32_t*>(big->GetImage()->LockPixels());
    EXPECT_EQ(px[30 * 180 + 130], GridCell(6, 1));
    EXPECT_EQ(px[70 * 180 + 10], GridCell(0, 3));   // the disabled row too
}

namespace {

// An animated skin whose frames the test hands over.
class TestAni : public SSkinAni
{
public:
    using SSkinAni::SetFrames;
};

} // namespace

TEST_F(SkinTest, AnimatedSkinDrawsTheChosenFrame)
{
    auto ani = SRefPtr<TestAni>::Adopt(new TestAni());
    auto s0 = Surface(4, 4);
    const RECT rc = {0, 0, 4, 4};
    ani->DrawByIndex(s0.Get(), &rc, 0, 255);   // no frames: nothing
    EXPECT_EQ(At(s0.Get(), 1, 1), 0u);
    EXPECT_EQ(ani->GetSkinSize().cx, 0);
    auto red = Bitmap(2, 2, [](int, int) { return kRed; });
    auto blue = Bitmap(2, 2, [](int, int) { return kBlue; });
    IPaintBitmap* frames[] = {red.Get(), blue.Get()};
    ani->SetFrames(frames, 2);
    EXPECT_EQ(ani->GetSkinSize().cx, 2);
    struct Case { int index; uint32_t want; int current; };
    const Case cases[] = {{1, kBlue, 1}, {-1, kBlue, 1}, {0, kRed, 0}, {7, kRed, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        auto s = Surface(4, 4);
        ani->DrawByIndex(s.Get(), &rc, c.index, 255);
        EXPECT_EQ(At(s.Get(), 3, 3), c.want);   // stretched over the whole rectangle
        EXPECT_EQ(ani->GetCurrentFrame(), c.current);
    }
}

namespace {

std::vector<uint32_t> PixelsOf(IPaintBitmap* bmp)
{
    const auto* px = static_cast<const uint32_t*>(bmp->LockPixels());
    std::vector<uint32_t> out(px, px + static_cast<size_t>(bmp->Width()) * bmp->Height());
    bmp->UnlockPixels(const_cast<uint32_t*>(px));
    return out;
}

} // namespace

// A copy at another scale of a colourised skin shows the same tint, tinted
// once from fresh pixels, and colourising it with 0 gives the loaded pixels back.
TEST_F(SkinTest, ScaledCopiesOfColourisedSkinsKeepTheTint)
{
    auto shades = [](int x, int y) { return 0xFF000000u | static_cast<uint32_t>(x * 13 + y * 40) * 0x010101u; };
    struct Case { const char* name; const wchar_t* xml; bool fromFile; COLORREF colour; };
    const Case cases[] = {
        {"loaded image, full tint", L"<imglist/>", true, 0xFF0000FF},
        {"loaded image, weak tint", L"<imglist/>", true, 0x000000FF},
        {"image set in code, weak tint", L"<imglist/>", false, 0x00FF0000},
        {"scroll bar, weak tint", L"<scrollbar/>", false, 0x0000FF00},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const bool bar = wcsstr(c.xml, L"scrollbar") != nullptr;
        SRefPtr<SSkinImgList> skin = bar ? SRefPtr<SSkinImgList>::Share(Skin<SSkinScrollbar>(c.xml).Get())
                                         : Skin<SSkinImgList>(c.xml);
        if (c.fromFile)
            ASSERT_EQ(skin->SetImageSource(SStringW(L"file:") + DataPath("logo.png").c_str()), S_OK);
        else
            skin->SetImage(Bitmap(18, 6, shades).Get());
        const auto loaded = PixelsOf(skin->GetImage());
        skin->OnColorize(c.colour);
        const auto tinted = PixelsOf(skin->GetImage());
        ASSERT_NE(tinted, loaded);
        auto copy = SRefPtr<ISkinObj>::Adopt(skin->Scale(100));
        auto* list = dynamic_cast<SSkinImgList*>(copy.Get());
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(PixelsOf(list->GetImage()), tinted);
        list->OnColorize(0);
        EXPECT_EQ(PixelsOf(list->GetImage()), loaded);
    }
}

// A colourised skin given a new, larger image: the tint applies to the new
// pixels, and later tints start from them, never from the old image's backup.
TEST_F(SkinTest, ReplacedImageTakesTheTintAndDropsTheOldBackup)
{
    auto shades = [](int x, int y) { return 0xFF000000u | static_cast<uint32_t>(60 + x * 9 + y * 20) * 0x010101u; };
    struct Case { const char* name; const wchar_t* tag; const char* file; };
    const Case cases[] = {
        {"image list given a bitmap", L"imglist", nullptr},
        {"image list given a source", L"imglist", "logo.png"},
        {"frame given a source", L"imgframe", "logo.png"},
        {"marked frame given a source", L"imgframe2", "marked.png"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto make = [&] { return SRefPtr<SSkinImgList>::Adopt(dynamic_cast<SSkinImgList*>(m_skins.NewSkinByTag(c.tag))); };
        auto replace = [&](SSkinImgList* s) {
            if (c.file)
                EXPECT_EQ(s->SetImageSource(SStringW(L"file:") + DataPath(c.file).c_str()), S_OK);
            else
                s->SetImage(Bitmap(12, 5, shades).Get());
        };
        auto plain = make();
        auto blue = make();
        auto skin = make();
        ASSERT_TRUE(plain && blue && skin);
        replace(plain.Get());
        replace(blue.Get());
        blue->OnColorize(0xFFFF0000);

        skin->SetImage(Bitmap(1, 1, shades).Get());
        skin->OnColorize(0xFF0000FF);
        replace(skin.Get());
        const auto fresh = PixelsOf(plain->GetImage());
        const auto tinted = PixelsOf(skin->GetImage());
        ASSERT_EQ(tinted.size(), fresh.size());
        EXPECT_NE(tinted, fresh);
        skin->OnColorize(0xFFFF0000);
        EXPECT_EQ(PixelsOf(skin->GetImage()), PixelsOf(blue->GetImage()));
        skin->OnColorize(0);
        EXPECT_EQ(PixelsOf(skin->GetImage()), fresh);
    }
}
