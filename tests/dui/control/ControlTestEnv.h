#pragma once
// The fixture of the control tests: controls built from XML into a painting
// host, or into one that routes input, with colour-cell skins in a pool of
// their own.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "dui/res.mgr/SSkinPool.h"
#include "dui/res.mgr/SSkinPoolMgr.h"
#include "TestCellSkin.h"
#include "tests/dui/core/HostTestEnv.h"
#include "tests/dui/core/InputTestHost.h"
#include "tests/dui/core/PaintHost.h"

namespace ctltest {

using namespace DUI;

// Controls drawn into a 200 x 100 host. Skins: "box" 12 x 10 (8 states),
// "mark" 12 x 10 (1 state, colour 7), "toggle" 9 x 9 (6 states), "rail"
// 8 x 6 (colour 0), "fill" 8 x 6 (colour 5), "thumb" 10 x 16 (4 states from colour 1),
// "vrail" 6 x 8, "vthumb" 16 x 10 (as "thumb").
class ControlTest : public ::testing::Test
{
protected:
    static constexpr uint32_t kWhite = 0xFFFFFFFF;
    static constexpr int kWidth = 200, kHeight = 100;

    void SetUp() override
    {
        ASSERT_TRUE(m_render.Loaded());
        m_env.Registry().TplRegisterFactory<TestCellSkin>();
        xmldom::xml_document doc;
        static const char kSkins[] =
            "<skin><testCells name=\"box\" width=\"12\" height=\"10\" states=\"8\"/>"
            "<testCells name=\"mark\" width=\"12\" height=\"10\" first=\"7\"/>"
            "<testCells name=\"toggle\" width=\"9\" height=\"9\" states=\"6\"/>"
            "<testCells name=\"rail\" width=\"8\" height=\"6\"/>"
            "<testCells name=\"fill\" width=\"8\" height=\"6\" first=\"5\"/>"
            "<testCells name=\"thumb\" width=\"10\" height=\"16\" states=\"4\" first=\"1\"/>"
            "<testCells name=\"vrail\" width=\"6\" height=\"8\"/>"
            "<testCells name=\"vthumb\" width=\"16\" height=\"10\" states=\"4\" first=\"1\"/></skin>";
        ASSERT_TRUE(doc.load_buffer(kSkins, sizeof(kSkins) - 1));
        m_pool = SRefPtr<SSkinPool>::Adopt(new SSkinPool());
        ASSERT_EQ(m_pool->LoadSkins(doc.first_child()), 8);
        SSkinPoolMgr::GetInstance()->PushSkinPool(m_pool.Get());
    }
    void TearDown() override
    {
        if (m_root)
            m_root->SetContainer(nullptr);
        SSkinPoolMgr::GetInstance()->PopSkinPool(m_pool.Get());
    }

    // A white root holding the XML's children, laid out and painted.
    SWindow* Tree(const wchar_t* xml)
    {
        if (m_root)
            m_root->SetContainer(nullptr);
        m_root = m_env.Build(xml);
        m_root->SetAttribute(L"colorBkgnd", L"#ffffff", TRUE);
        m_host.Attach(m_root);
        m_host.Paint();
        return m_root;
    }
    template <class T>
    T* Named(const wchar_t* name) const
    {
        return static_cast<T*>(m_root->FindChildByName(name));
    }
    // 0 outside the host.
    uint32_t At(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < kWidth && y < kHeight ? m_host.At(x, y) : 0;
    }
    void Repaint() { m_host.Paint(); }
    // The XML's children under a root of 200 x 100 whose host routes input
    // and keeps the focus as a host does.
    SWindow* InputTree(const wchar_t* xml)
    {
        if (m_root)
            m_root->SetContainer(nullptr);
        m_root = m_env.Build(xml);
        m_input = std::make_unique<wndtest::InputHost>(m_root);
        const RECT all = {0, 0, kWidth, kHeight};
        m_root->Move(&all);
        m_root->UpdateLayout();
        return m_root;
    }
    wndtest::InputHost& Input() { return *m_input; }
    // The first row of column x holding the pixel, -1 for none.
    int FirstRowWith(int x, uint32_t pixel) const
    {
        for (int y = 0; y < kHeight; ++y)
            if (At(x, y) == pixel)
                return y;
        return -1;
    }
    // Pixels darker than mid-grey within the rectangle.
    int CountDark(const RECT& rc) const
    {
        int n = 0;
        for (int y = rc.top; y < rc.bottom; ++y) {
            for (int x = rc.left; x < rc.right; ++x) {
                const uint32_t p = At(x, y);
                n += ((p >> 16) & 0xFF) < 0x80 && ((p >> 8) & 0xFF) < 0x80 && (p & 0xFF) < 0x80;
            }
        }
        return n;
    }

    wndtest::RenderFactoryScope m_render;
    wndtest::WindowEnv m_env;
    wndtest::PaintHost m_host{kWidth, kHeight};
    SRefPtr<SSkinPool> m_pool;
    SWindow* m_root = nullptr;
    std::unique_ptr<wndtest::InputHost> m_input;
};

// Counts the events of one id a window fires.
class EventCounter
{
public:
    EventCounter(SWindow* w, int id)
    {
        w->GetEventSet()->SubscribeEvent(id, StdFunctionSlot([this](EventArgs* e) {
            ++count;
            last = e;
            return false;
        }));
    }
    int count = 0;
    EventArgs* last = nullptr;   // valid only inside the firing call
};

} // namespace ctltest
