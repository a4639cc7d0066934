// The framework's system resources as the program links them: they all load,
// every built-in skin the controls ask for exists with the states they draw,
// and each state paints something of its own.
#include <gtest/gtest.h>

#include <winsock2.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "dui/SObjectDefaultRegister.h"
#include "dui/core/SApplication.h"
#include "dui/core/SRicheditMenuDef.h"
#include "dui/res.mgr/SSkinObjBase.h"
#include "dui/res.mgr/SSkinPoolMgr.h"
#include "tests/dui/core/HostTestEnv.h"
#include "tests/dui/core/PaintHost.h"
#include "tests/support/ComponentLoader.h"

using namespace DUI;

namespace {

struct SystemSkin
{
    int index;
    const wchar_t* name;
    int states;
    bool image;   // drawn from a picture, so it has a size of its own
};

// What the controls draw with each skin: check and radio boxes add 4 for
// checked, tree toggles 3 for expanded, tree check boxes 3 per check state,
// tree lines 0-8, menu checks check / radio on / radio off.
const SystemSkin kSkins[] = {
    {0, L"_skin.sys.checkbox", 8, true},       {1, L"_skin.sys.radio", 8, true},
    {2, L"_skin.sys.focuscheckbox", 1, true},  {3, L"_skin.sys.focusradio", 1, true},
    {4, L"_skin.sys.btn.normal", 4, false},    {5, L"_skin.sys.scrollbar", 1, true},
    {6, L"_skin.sys.border", 4, true},         {7, L"_skin.sys.dropbtn", 4, true},
    {8, L"_skin.sys.tree.toggle", 6, true},    {9, L"_skin.sys.tree.checkbox", 9, true},
    {10, L"_skin.sys.tree.lines", 9, true},    {11, L"_skin.sys.tab.page", 4, true},
    {12, L"_skin.sys.header", 4, true},        {13, L"_skin.sys.split.vert", 3, false},
    {14, L"_skin.sys.split.horz", 3, false},   {15, L"_skin.sys.prog.bkgnd", 1, true},
    {16, L"_skin.sys.prog.bar", 1, true},      {17, L"_skin.sys.vert.prog.bkgnd", 1, true},
    {18, L"_skin.sys.vert.prog.bar", 1, true}, {19, L"_skin.sys.slider.thumb", 4, true},
    {20, L"_skin.sys.btn.close", 4, true},     {21, L"_skin.sys.btn.minimize", 4, true},
    {23, L"_skin.sys.btn.restore", 4, true},   {24, L"_skin.sys.menu.check", 3, true},
    {25, L"_skin.sys.menu.sep", 1, true},      {26, L"_skin.sys.menu.arrow", 2, true},
    {27, L"_skin.sys.menu.border", 1, true},   {28, L"_skin.sys.menu.skin", 3, true},
    {29, L"_skin.sys.icons", 8, true},         {30, L"_skin.sys.wnd.bkgnd", 1, false},
    {31, L"_skin.sys.btn.prev", 4, true},      {32, L"_skin.sys.btn.next", 4, true},
    {33, L"_skin.sys.spin.down", 4, true},     {34, L"_skin.sys.spin.up", 4, true},
};

constexpr int kCell = 52; // sheet cell: room for the largest skin at 150 %

bool IsScrollBar(ISkinObj* skin)
{
    return static_cast<SSkinObjBase*>(skin)->IsKindOf(L"scrollbar");
}

class SystemResourcesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_factory && m_decoder);
        m_factory->SetPictureDecoderFactory(m_decoder.Get());
        m_app = std::make_unique<SApplication>(m_factory.Get(), ::GetModuleHandleW(nullptr), L"VeskSysResTest",
                                               &m_builtIns);
        IResProvider* p = nullptr;
        CreateResProvider(RES_PE, &p);
        m_module = SRefPtr<IResProvider>::Adopt(p);
        ASSERT_TRUE(m_module->Init(reinterpret_cast<WPARAM>(::GetModuleHandleW(nullptr))));
        m_loaded = m_app->LoadSystemNamedResource(m_module.Get());
    }
    void TearDown() override
    {
        m_module.Reset();
        m_app.reset();
        m_factory->SetPictureDecoderFactory(nullptr);
    }

    SRefPtr<IPaintSurface> Surface(int cx, int cy)
    {
        IPaintSurface* s = nullptr;
        m_factory->CreateSurface(cx, cy, &s);
        auto surface = SRefPtr<IPaintSurface>::Adopt(s);
        const RECT all = {0, 0, cx, cy};
        surface->ClearRect(&all, 0);
        return surface;
    }
    static std::vector<uint32_t> Pixels(IPaintSurface* s, const RECT& rc)
    {
        auto* bmp = static_cast<IPaintBitmap*>(s->GetSelectedObject(OT_BITMAP));
        const auto* bits = static_cast<const uint32_t*>(bmp->LockPixels());
        std::vector<uint32_t> out;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x) out.push_back(bits[static_cast<size_t>(y) * bmp->Width() + x]);
        bmp->UnlockPixels(const_cast<uint32_t*>(bits));
        return out;
    }
    // Where a skin is drawn: its own size (a scroll-bar skin a thumb of 16
    // by 30), or a 30 x 20 box for skins that stretch to any size.
    static SIZE DrawSize(ISkinObj* skin, int scale)
    {
        SIZE sz = skin->GetSkinSize();
        if (IsScrollBar(skin))
            return {MulDiv(16, scale, 100), MulDiv(30, scale, 100)};
        if (sz.cx <= 0 || sz.cy <= 0)
            return {30, 20};
        return sz;
    }
    static void DrawState(IPaintSurface* s, ISkinObj* skin, const RECT& rc, int state)
    {
        // A scroll bar's state word: the vertical thumb in that state.
        const int index = IsScrollBar(skin) ? (5 | (state << 16) | (1 << 24)) : state;
        skin->DrawByIndex(s, &rc, index, 0xFF);
    }
    testcomp::ComponentLoader m_render{L"render.dll"}, m_imgdecoder{L"imgdecoder.dll"};
    SRefPtr<IPaintFactory> m_factory = SRefPtr<IPaintFactory>::Adopt(m_render.Create<IPaintFactory>());
    SRefPtr<IPictureDecoderFactory> m_decoder =
        SRefPtr<IPictureDecoderFactory>::Adopt(m_imgdecoder.Create<IPictureDecoderFactory>());
    SObjectDefaultRegister m_builtIns;
    std::unique_ptr<SApplication> m_app;
    SRefPtr<IResProvider> m_module;
    int m_loaded = -1;
};

TEST_F(SystemResourcesTest, AllThreeLoad)
{
    EXPECT_EQ(m_loaded, 0);
    const xmldom::xml_node menu = SRicheditMenuDef::GetInstance()->GetMenuNode();
    ASSERT_STREQ(menu.name(), L"editmenu");
    EXPECT_STREQ(menu.attribute(L"iconSkin").value(), L"_skin.sys.icons");
    std::vector<std::wstring> texts;
    for (xmldom::xml_node item = menu.child(L"item"); item; item = item.next_sibling(L"item"))
        texts.push_back(std::to_wstring(item.attribute(L"id").as_int()) + L":" + item.text().get());
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"1:cut", L"2:copy", L"3:paste", L"4:delete", L"5:select all"}));
    EXPECT_STREQ(m_app->GetMsgBoxTemplate().attribute(L"minSize").value(), L"300,132");
}

TEST_F(SystemResourcesTest, EverySystemSkinResolvesWithTheStatesItsControlsDraw)
{
    SSkinPoolMgr* pools = SSkinPoolMgr::GetInstance();
    for (const SystemSkin& s : kSkins) {
        SCOPED_TRACE(s.name);
        ISkinObj* at100 = pools->GetSystemSkin(s.index, 100);
        ASSERT_NE(at100, nullptr);
        EXPECT_EQ(at100->GetStates(), s.states);
        ISkinObj* at150 = pools->GetSystemSkin(s.index, 150);
        ASSERT_NE(at150, nullptr);
        EXPECT_EQ(at150->GetScale(), 150);
        EXPECT_EQ(at150->GetStates(), s.states);
        const SIZE small = at100->GetSkinSize(), big = at150->GetSkinSize();
        if (s.image) {
            EXPECT_GT(small.cx, 0);
            EXPECT_GT(small.cy, 0);
        }
        EXPECT_EQ(big.cx, MulDiv(small.cx, 150, 100));
        EXPECT_EQ(big.cy, MulDiv(small.cy, 150, 100));
    }
    // The resource spells this one "maximize": its slot in the table finds nothing.
    EXPECT_EQ(pools->GetSystemSkin(22, 100), nullptr);
    EXPECT_NE(pools->GetSkin(L"_skin.sys.btn.maximize", 100), nullptr);
}

// Draws every state of every skin at 100 and 150 % into one sheet (saved
// when VESK_SAVE_PNG names a folder): each state paints visible pixels, and
// the states a control tells apart look different.
TEST_F(SystemResourcesTest, EveryStatePaintsItsOwnPixels)
{
    const int columns = 10, rows = static_cast<int>(std::size(kSkins)) * 2;
    auto sheet = Surface(columns * kCell, rows * kCell);
    SSkinPoolMgr* pools = SSkinPoolMgr::GetInstance();
    int row = 0;
    for (int scale : {100, 150}) {
        for (const SystemSkin& s : kSkins) {
            SCOPED_TRACE(testing::Message() << s.name << " at " << scale);
            ISkinObj* skin = pools->GetSystemSkin(s.index, scale);
            ASSERT_NE(skin, nullptr);
            const SIZE sz = DrawSize(skin, scale);
            ASSERT_LE(sz.cx, kCell - 2);
            ASSERT_LE(sz.cy, kCell - 2);
            std::set<std::vector<uint32_t>> looks;
            for (int state = 0; state < s.states; ++state) {
                const RECT rc = {state * kCell + 1, row * kCell + 1, state * kCell + 1 + sz.cx,
                                 row * kCell + 1 + sz.cy};
                DrawState(sheet.Get(), skin, rc, state);
                const std::vector<uint32_t> px = Pixels(sheet.Get(), rc);
                int opaque = 0;
                for (uint32_t p : px) opaque += (p >> 24) >= 0x80;
                // Transparent states (an unselected tab or menu item) still
                // tell their neighbours apart by difference below.
                if (s.index != 11 && s.index != 28) {
                    EXPECT_GT(opaque, 0) << "state " << state;
                }
                looks.insert(px);
            }
            // Focus marks, bars, separators and borders have one look; menu
            // item and tab skins repeat "empty" for normal and disabled.
            const size_t distinct = (s.index == 11 || s.index == 28) ? static_cast<size_t>(s.states - 1)
                                                                     : static_cast<size_t>(s.states);
            EXPECT_EQ(looks.size(), distinct);
            ++row;
        }
    }
    hosttest::MaybeSavePng(sheet.Get(), L"system_skins.png");
}

// The scroll bar's grid: arrows, rail and thumb of both bars in every state
// and the corner all draw, and a thumb looks different when hovered and pushed.
TEST_F(SystemResourcesTest, ScrollBarPartsDrawInEveryState)
{
    ISkinObj* skin = SSkinPoolMgr::GetInstance()->GetSystemSkin(5, 100);
    ASSERT_NE(skin, nullptr);
    auto surface = Surface(kCell * 4, kCell);
    for (int part : {0, 1, 2, 5, 10}) {
        for (int vertical : {0, 1}) {
            std::set<std::vector<uint32_t>> thumbs;
            for (int state = 0; state < 4; ++state) {
                SCOPED_TRACE(testing::Message() << "part " << part << " vertical " << vertical << " state " << state);
                const RECT rc = {state * kCell, 0, state * kCell + 20, 20};
                skin->DrawByIndex(surface.Get(), &rc, part | (state << 16) | (vertical << 24), 0xFF);
                const std::vector<uint32_t> px = Pixels(surface.Get(), rc);
                int opaque = 0;
                for (uint32_t p : px) opaque += (p >> 24) == 0xFF;
                EXPECT_EQ(opaque, 20 * 20);
                if (part == 5 && state < 3)
                    thumbs.insert(px);
            }
            if (part == 5) {
                EXPECT_EQ(thumbs.size(), 3u);
            }
        }
    }
}

// The accent blue that checked and filled parts are drawn in.
bool IsAccent(uint32_t argb)
{
    const int r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
    return (argb >> 24) == 0xFF && b > 200 && r < 120 && g < 170;
}

// The grey of scroll-bar thumbs, glyphs and frames: darker than any rail.
bool IsShade(uint32_t argb)
{
    const int r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
    return (argb >> 24) == 0xFF && std::max({r, g, b}) < 215;
}

// Anything drawn on the white background.
bool IsInk(uint32_t argb)
{
    return (argb >> 24) == 0xFF && (argb & 0xFFFFFF) != 0xFFFFFF;
}

std::vector<uint32_t> HostPixels(const wndtest::PaintHost& host, const RECT& rc)
{
    std::vector<uint32_t> out;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x) out.push_back(host.At(x, y));
    return out;
}

int Count(const std::vector<uint32_t>& pixels, bool (*test)(uint32_t))
{
    return static_cast<int>(std::count_if(pixels.begin(), pixels.end(), test));
}

// Real controls that name no skin of their own, drawn into a white host:
// each draws with its system skin, and the accent and the thumbs show only
// where the control's state puts them.
TEST_F(SystemResourcesTest, ControlsDrawWithTheSystemSkins)
{
    ASSERT_EQ(m_loaded, 0);
    wndtest::PaintHost host(260, 150);
    SWindow* root = new SWindow();
    root->CreateChildrenFromXmlText(
        L"<root>"
        L"<check pos=\"10,4,@50,@20\"/><check pos=\"70,4,@50,@20\" checked=\"1\"/>"
        L"<radio pos=\"130,4,@50,@20\"/><radio pos=\"190,4,@50,@20\" checked=\"1\"/>"
        L"<button pos=\"10,30,@80,@24\">OK</button><toggle pos=\"100,32,@20,@20\"/>"
        L"<toggle pos=\"130,32,@20,@20\" toggled=\"1\"/>"
        L"<progress pos=\"10,62,@180,@12\" value=\"50\"/>"
        L"<sliderbar pos=\"10,80,@180,@24\" value=\"50\"/>"
        L"<scrollbar pos=\"10,112,@180,@16\" vertical=\"0\" max=\"100\" page=\"20\" value=\"0\"/>"
        L"<progress pos=\"200,30,@12,@100\" vertical=\"1\" value=\"50\"/>"
        L"<scrollbar pos=\"230,30,@16,@100\" max=\"100\" page=\"20\" value=\"80\"/>"
        L"</root>");
    root->SetAttribute(L"colorBkgnd", L"#ffffff", TRUE);
    host.Attach(root);
    host.Paint();
    hosttest::MaybeSavePng(host.Image(), L"system_controls.png");

    // Filled: at least n accent pixels. Plain: at least n drawn, no accent.
    // Thumb: at least n shade pixels. Rail: at least n drawn, neither accent
    // nor shade (an empty track, or a scroll bar's rail without its thumb).
    enum Look { Filled, Plain, Thumb, Rail };
    struct Region
    {
        const char* name;
        RECT rc;
        Look look;
        int least;
    };
    const Region regions[] = {
        {"unchecked check box", {10, 4, 60, 24}, Plain, 60},
        {"checked check box", {70, 4, 120, 24}, Filled, 100},
        {"unchecked radio box", {130, 4, 180, 24}, Plain, 60},
        {"checked radio box", {190, 4, 240, 24}, Filled, 40},
        {"button", {10, 30, 90, 54}, Plain, 1000},
        {"collapsed toggle", {100, 32, 120, 52}, Plain, 30},
        {"expanded toggle", {130, 32, 150, 52}, Plain, 30},
        {"progress: the filled half", {10, 62, 100, 74}, Filled, 800},
        {"progress: the empty half", {100, 62, 190, 74}, Rail, 800},
        {"slider: left of the thumb", {10, 80, 100, 104}, Filled, 700},
        {"slider: right of the thumb", {110, 80, 190, 104}, Rail, 600},
        {"horizontal scroll bar: the first arrow", {10, 112, 26, 128}, Thumb, 8},
        {"horizontal scroll bar: the thumb at its start", {26, 112, 60, 128}, Thumb, 100},
        {"horizontal scroll bar: the rail after the thumb", {60, 112, 174, 128}, Rail, 1500},
        {"vertical progress: filled from the top", {200, 30, 212, 80}, Filled, 400},
        {"vertical progress: the empty lower half", {200, 80, 212, 130}, Rail, 400},
        {"vertical scroll bar: the rail above the thumb", {230, 46, 246, 90}, Rail, 500},
        {"vertical scroll bar: the thumb near its end", {230, 90, 246, 114}, Thumb, 60},
    };
    for (const Region& r : regions) {
        SCOPED_TRACE(r.name);
        const std::vector<uint32_t> px = HostPixels(host, r.rc);
        const int accent = Count(px, IsAccent), shade = Count(px, IsShade), ink = Count(px, IsInk);
        switch (r.look) {
        case Filled: EXPECT_GE(accent, r.least); break;
        case Plain: EXPECT_GE(ink, r.least); EXPECT_EQ(accent, 0); break;
        case Thumb: EXPECT_GE(shade, r.least); break;
        case Rail: EXPECT_GE(ink, r.least); EXPECT_EQ(accent + shade, 0); break;
        }
    }
    EXPECT_NE(HostPixels(host, {100, 32, 120, 52}), HostPixels(host, {130, 32, 150, 52}))
        << "the toggle looks the same collapsed and expanded";

    root->SetContainer(nullptr);
    root->Destroy();
}

} // namespace
