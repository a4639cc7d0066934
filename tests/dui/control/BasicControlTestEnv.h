#pragma once
// What the tests of texts, links, buttons and pictures share: the window environment with the built-in
// classes and a few skins, hosts that also keep the timeline handlers that
// register with them (a test ticks them as the host's 10 ms timeline does),
// a log of the events a window fires, and pictures made from pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/dui/core/InputTestHost.h"
#include "tests/dui/core/PaintHost.h"
#include "tests/dui/core/HostTestEnv.h"
#include "dui/core/base/SlotFunctor.h"
#include "dui/res.mgr/SImageLoader.h"
#include "dui/res.mgr/SSkinImgList.h"
#include "dui/res.mgr/SSkinPoolMgr.h"

namespace basictest {

using namespace DUI;
using namespace wndtest;
using hosttest::MaybeSavePng;

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kYellow = 0xFFFFFF00;
constexpr uint32_t kWhite = 0xFFFFFFFF, kBlack = 0xFF000000, kCyan = 0xFF00FFFF, kNone = 0;

// The handlers registered with a host, called in registration order; one
// that leaves during a tick is not called.
class Timeline
{
public:
    BOOL Add(ITimelineHandler* h)
    {
        if (Has(h))
            return FALSE;
        m_handlers.push_back(h);
        return TRUE;
    }
    BOOL Remove(ITimelineHandler* h)
    {
        const auto it = std::find(m_handlers.begin(), m_handlers.end(), h);
        if (it == m_handlers.end())
            return FALSE;
        m_handlers.erase(it);
        return TRUE;
    }
    bool Has(const void* h) const
    {
        return std::find_if(m_handlers.begin(), m_handlers.end(),
                            [h](ITimelineHandler* x) { return static_cast<const void*>(x) == h; }) !=
               m_handlers.end();
    }
    size_t Count() const { return m_handlers.size(); }
    void Tick()
    {
        const std::vector<ITimelineHandler*> now = m_handlers;
        for (ITimelineHandler* h : now) {
            if (std::find(m_handlers.begin(), m_handlers.end(), h) != m_handlers.end())
                h->OnTimelineTick();
        }
    }

private:
    std::vector<ITimelineHandler*> m_handlers;
};

// Input routing, focus and accelerators (InputHost) plus a timeline.
class ControlHost : public InputHost
{
public:
    using InputHost::InputHost;
    BOOL RegisterTimelineHandler(ITimelineHandler* h) override { return timeline.Add(h); }
    BOOL UnregisterTimelineHandler(ITimelineHandler* h) override { return timeline.Remove(h); }
    Timeline timeline;
};

// One image of the tree (PaintHost) plus a timeline.
class ControlPaintHost : public PaintHost
{
public:
    using PaintHost::PaintHost;
    BOOL RegisterTimelineHandler(ITimelineHandler* h) override { return timeline.Add(h); }
    BOOL UnregisterTimelineHandler(ITimelineHandler* h) override { return timeline.Remove(h); }
    Timeline timeline;
};

// "name:event" for every event of `ids` that `w` fires.
inline void LogEvents(SWindow* w, std::vector<std::wstring>& log, std::initializer_list<int> ids)
{
    for (int id : ids) {
        w->GetEventSet()->SubscribeEvent(id, StdFunctionSlot([w, &log](EventArgs* e) {
            log.push_back(std::wstring(w->GetName()) + L":" + e->GetName());
            return false;
        }));
    }
}

inline size_t CountOf(const std::vector<std::wstring>& log, const std::wstring& entry)
{
    return static_cast<size_t>(std::count(log.begin(), log.end(), entry));
}

// A bitmap of cx x cy opaque pixels, each column band of `colors` as wide
// as cx / colors.size() (so an image list of that many states shows one
// colour per state).
inline SRefPtr<IPaintBitmap> StripBitmap(int cx, int cy, const std::vector<uint32_t>& colors)
{
    std::vector<uint32_t> pixels(static_cast<size_t>(cx) * cy);
    const int band = cx / static_cast<int>(colors.size());
    for (int y = 0; y < cy; ++y) {
        for (int x = 0; x < cx; ++x)
            pixels[static_cast<size_t>(y) * cx + x] = colors[std::min<size_t>(x / band, colors.size() - 1)];
    }
    IPaintBitmap* bmp = nullptr;
    GetLoaderPaintFactory()->CreateBitmap(&bmp);
    auto owned = SRefPtr<IPaintBitmap>::Adopt(bmp);
    if (owned)
        owned->InitPixels(cx, cy, pixels.data());
    return owned;
}

// An image list skin of one state per colour, each state cx x cy.
inline void AddStripSkin(const wchar_t* name, int cx, int cy, const std::vector<uint32_t>& colors)
{
    auto skin = SRefPtr<SSkinImgList>::Adopt(new SSkinImgList());
    skin->SetStates(static_cast<int>(colors.size()));
    skin->SetAttribute(L"name", name, TRUE);
    skin->SetImage(StripBitmap(cx * static_cast<int>(colors.size()), cy, colors).Get());
    SSkinPoolMgr::GetInstance()->GetBuiltinPool()->AddSkin({name, 100}, skin.Detach());
}

// Skins: "four" a colour per state (red, green hover, blue pushed, yellow
// disabled), no size of its own; "frames" four 20 x 10 states in those
// colours; "wide" one 20 x 10 cyan state; the system button skin in white,
// green, blue and yellow.
class BasicControlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_render.Loaded());
        AddStripSkin(L"frames", 20, 10, {kRed, kGreen, kBlue, kYellow});
        AddStripSkin(L"wide", 20, 10, {kCyan});
        xmldom::xml_document doc;
        const std::string text = "<skin><colorrect name=\"_skin.sys.btn.normal\" normal=\"#ffffff\" "
                                 "hover=\"#00ff00\" pushdown=\"#0000ff\" disable=\"#ffff00\"/></skin>";
        doc.load_buffer(text.data(), text.size());
        SSkinPoolMgr::GetInstance()->GetBuiltinPool()->LoadSkins(doc.child(L"skin"));
    }

    // The hosts go before the environment destroys the trees.
    void TearDown() override
    {
        for (SWindow* root : m_roots)
            root->SetContainer(nullptr);
    }

    // A tree in a 200 x 100 host that routes input. As in a host, the
    // windows know their container while they are made.
    SWindow* InputTree(const wchar_t* xml)
    {
        SWindow* root = m_env.NewRoot();
        m_roots.push_back(root);
        m_input = std::make_unique<ControlHost>(root);
        root->CreateChildrenFromXmlText(xml);
        const RECT all = {0, 0, 200, 100};
        root->Move(&all);
        return root;
    }
    // A tree in the 200 x 100 painting host.
    SWindow* PaintTree(const wchar_t* xml)
    {
        SWindow* root = m_env.NewRoot();
        m_roots.push_back(root);
        root->SetContainer(&m_paint);
        root->CreateChildrenFromXmlText(xml);
        m_paint.Attach(root);
        return root;
    }
    template <class T = SWindow>
    static T* Named(SWindow* root, const wchar_t* name)
    {
        return static_cast<T*>(root->FindChildByName(name));
    }
    // The pixel of the painted host, alpha included.
    uint32_t At(int x, int y) const { return m_paint.At(x, y); }
    void ExpectAt(int x, int y, uint32_t want) const
    {
        const uint32_t got = At(x, y);
        EXPECT_TRUE(NearPixel(got, want)) << "at " << x << "," << y << ": " << std::hex << got << " want " << want;
    }

    // Kept until the trees are gone: their last events (a stop, a leave) still log.
    std::vector<std::wstring> m_log;
    RenderFactoryScope m_render;
    WindowEnv m_env{{{L"uidef.xml", "<uidef><skin>"
                                    "<colorrect name=\"four\" normal=\"#ff0000\" hover=\"#00ff00\" "
                                    "pushdown=\"#0000ff\" disable=\"#ffff00\"/>"
                                    "</skin></uidef>"}}};
    ControlPaintHost m_paint{200, 100};
    std::unique_ptr<ControlHost> m_input;
    std::vector<SWindow*> m_roots;
};

} // namespace basictest
