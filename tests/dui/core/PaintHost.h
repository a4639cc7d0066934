#pragma once
// A host for painting tests. It keeps one image of the whole tree, lends
// surfaces that start as a copy of it and copies them back when they return,
// as a host window does; it numbers the paint order as the container does,
// and a message-only window collects the requests of opaque windows.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "FakeSwndContainer.h"
#include "WindowTestEnv.h"
#include "dui/core/SPaintObjects.h"
#include "dui/core/SWindow.h"
#include "dui/res.mgr/SImageLoader.h"
#include "tests/support/ComponentLoader.h"
#include "tests/support/MessageWindow.h"

namespace wndtest {

// Pre-order numbering from `w`, which gets `next`; the number after the subtree.
inline int NumberPaintOrder(DUI::SWindow* w, int next = 0)
{
    w->SetZorder(next++);
    for (DUI::SWindow* c = w->GetRelatedWindow(DUI::GSW_FIRSTCHILD); c; c = c->GetRelatedWindow(DUI::GSW_NEXTSIBLING))
        next = NumberPaintOrder(c, next);
    return next;
}

// Loads render.dll and makes it the factory windows draw with.
class RenderFactoryScope
{
public:
    RenderFactoryScope()
    {
        m_factory = DUI::SRefPtr<DUI::IPaintFactory>::Adopt(m_dll.Create<DUI::IPaintFactory>());
        DUI::SetLoaderPaintFactory(m_factory.Get());
    }
    ~RenderFactoryScope() { DUI::SetLoaderPaintFactory(nullptr); }
    RenderFactoryScope(const RenderFactoryScope&) = delete;
    RenderFactoryScope& operator=(const RenderFactoryScope&) = delete;

    bool Loaded() const { return static_cast<bool>(m_factory); }

private:
    testcomp::ComponentLoader m_dll{L"render.dll"};
    DUI::SRefPtr<DUI::IPaintFactory> m_factory;
};

inline uint32_t PixelAt(DUI::IPaintSurface* s, int x, int y)
{
    auto* bmp = static_cast<DUI::IPaintBitmap*>(s->GetSelectedObject(DUI::OT_BITMAP));
    const auto* bits = static_cast<const uint32_t*>(bmp->LockPixels());
    const uint32_t p = bits[static_cast<size_t>(y) * bmp->Width() + x];
    bmp->UnlockPixels(const_cast<uint32_t*>(bits));
    return p;
}

class PaintHost : public FakeSwndContainer
{
public:
    PaintHost(int cx, int cy) : m_image(DUI::NewPaintSurface(cx, cy)), m_size{cx, cy} {}
    PaintHost(const PaintHost&) = delete;
    PaintHost& operator=(const PaintHost&) = delete;

    // The tree whose paint order this host numbers.
    void Attach(DUI::SWindow* root)
    {
        m_root = root;
        root->SetContainer(this);
        root->OnRectChanged(RECT{0, 0, m_size.cx, m_size.cy});
        UpdateZorder();
    }

    DUI::IPaintSurface* Image() const { return m_image.Get(); }
    uint32_t At(int x, int y) const { return PixelAt(m_image.Get(), x, y); }
    void Fill(COLORREF color)
    {
        const RECT all = {0, 0, m_size.cx, m_size.cy};
        m_image->ClearRect(&all, color);
    }

    // The host's paint cycle over `rc` (NULL: all of it), as the host clips it.
    void Paint(const RECT* rc = nullptr)
    {
        const RECT all = {0, 0, m_size.cx, m_size.cy};
        const RECT area = rc ? *rc : all;
        DUI::SRefPtr<DUI::IPaintRegion> rgn = DUI::NewPaintRegion(area);
        m_image->PushClipRect(&area, DUI::RGN_OP_AND);
        m_image->ClearRect(&area, 0);
        UpdateZorder();
        m_root->RedrawRegion(m_image.Get(), rgn.Get());
        m_image->PopClip();
    }

    HWND GetHostHwnd() override { return m_window.Hwnd(); }
    void UpdateZorder() override
    {
        if (m_root)
            NumberPaintOrder(m_root);
    }
    DUI::IPaintSurface* OnGetRenderTarget(const RECT& rc, DWORD flags) override
    {
        DUI::SRefPtr<DUI::IPaintSurface> s = DUI::NewPaintSurface(rc.right - rc.left, rc.bottom - rc.top);
        s->SetViewOrigin(-rc.left, -rc.top, nullptr);
        if (flags != DUI::PaintFlag_NoDraw)
            s->BlitFromSurface(&rc, m_image.Get(), rc.left, rc.top);
        lent.push_back(rc);
        return s.Detach();
    }
    void OnReleaseRenderTarget(DUI::IPaintSurface* s, const RECT& rc, DWORD flags) override
    {
        if (flags != DUI::PaintFlag_NoDraw)
            m_image->BlitFromSurface(&rc, s, rc.left, rc.top);
        returned.push_back(rc);
        s->Release();
    }

    std::vector<RECT> lent;
    std::vector<RECT> returned;
    std::vector<DUI::SWND> updates;   // UM_UPDATESWND, in arrival order

private:
    DUI::SRefPtr<DUI::IPaintSurface> m_image;
    SIZE m_size;
    DUI::SWindow* m_root = nullptr;
    testsupport::MessageWindow m_window{[this](UINT msg, WPARAM wp, LPARAM, LRESULT&) {
        if (msg != DUI::UM_UPDATESWND)
            return false;
        updates.push_back(static_cast<DUI::SWND>(wp));
        return true;
    }};
};

struct Probe
{
    int x, y;
    uint32_t want;
};

// Channels may differ by one: blending rounds.
inline bool NearPixel(uint32_t got, uint32_t want)
{
    for (int shift = 0; shift < 32; shift += 8) {
        if (std::abs(static_cast<int>((got >> shift) & 0xFF) - static_cast<int>((want >> shift) & 0xFF)) > 1)
            return false;
    }
    return true;
}

// Trees drawn into a 100 x 60 host; the skin "four" has a colour per state:
// red, green (hover), blue (pushed), yellow (disabled).
class PaintTreeTest : public ::testing::Test
{
protected:
    static constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kYellow = 0xFFFFFF00;
    static constexpr uint32_t kBlack = 0xFF000000, kWhite = 0xFFFFFFFF, kGrey = 0xFF7F7F7F;
    static constexpr COLORREF kMarker = 0xFF563412;   // pixel 0xFF123456
    static constexpr uint32_t kMarkerPixel = 0xFF123456;

    void SetUp() override { ASSERT_TRUE(m_render.Loaded()); }

    DUI::SWindow* Tree(const wchar_t* xml)
    {
        DUI::SWindow* root = m_env.Build(xml);
        m_host.Attach(root);
        return root;
    }

    static void ExpectPixels(DUI::IPaintSurface* s, const std::vector<Probe>& probes, POINT origin = {0, 0})
    {
        for (const Probe& p : probes) {
            const uint32_t got = PixelAt(s, p.x - origin.x, p.y - origin.y);
            EXPECT_TRUE(NearPixel(got, p.want))
                << "at " << p.x << "," << p.y << ": " << std::hex << got << " want " << p.want;
        }
    }
    void ExpectPixels(const std::vector<Probe>& probes) { ExpectPixels(m_host.Image(), probes); }

    static DUI::SWindow* Named(DUI::SWindow* root, const wchar_t* name) { return root->FindChildByName(name); }

    RenderFactoryScope m_render;
    PaintHost m_host{100, 60};
    WindowEnv m_env{{{L"uidef.xml", "<uidef><skin>"
                                    "<colorrect name=\"four\" normal=\"#ff0000\" hover=\"#00ff00\" "
                                    "pushdown=\"#0000ff\" disable=\"#ffff00\"/>"
                                    "</skin></uidef>"}}};
};

} // namespace wndtest
