// Animated show and hide of hosts: a translucent host draws its own frames
// onto its layered window; an ordinary one leaves it to the system.
#include "HostTestEnv.h"

#include <algorithm>

#include "GuiResourceCount.h"

using namespace hosttest;

namespace {

// Pixels of a presented image that are not fully transparent.
int Covered(IPaintSurface* surface)
{
    auto* bmp = static_cast<IPaintBitmap*>(surface->GetSelectedObject(OT_BITMAP));
    const auto* bits = static_cast<const uint32_t*>(bmp->LockPixels());
    const int n = bmp->Width() * bmp->Height();
    const int covered = static_cast<int>(std::count_if(bits, bits + n, [](uint32_t p) { return (p >> 24) != 0; }));
    bmp->UnlockPixels(const_cast<uint32_t*>(bits));
    return covered;
}

// Notes how much of each presented image shows, and whether the window
// was visible then; then presents as the default presenter does.
class FramePresenter : public SHostPresenter
{
public:
    struct Frame
    {
        int covered;
        BYTE alpha;
        bool visible;
        int Amount() const { return covered * alpha; }
    };

    FramePresenter(SHostWnd* host) : SHostPresenter(host), m_host(host) {}
    void OnHostPresent(HDC dc, IPaintSurface* surface, const RECT& rc, BYTE alpha) override
    {
        frames.push_back({Covered(surface), alpha, ::IsWindowVisible(m_host->GetHwnd()) != FALSE});
        SHostPresenter::OnHostPresent(dc, surface, rc, alpha);
    }
    std::vector<Frame> frames;

private:
    SHostWnd* m_host;
};

// The translucent layout is 160 x 100 and every pixel of it shows.
constexpr int kWholeImage = 160 * 100;

class HostAnimateTest : public HostTest
{
protected:
    SHostWnd* TranslucentHost(bool shown)
    {
        auto* host = new SHostWnd(L"LAYOUT:XML_HOST_TRANSLUCENT");
        m_hosts.push_back(host);
        m_presenter = SRefPtr<FramePresenter>::Adopt(new FramePresenter(host));
        host->SetPresenter(m_presenter.Get());
        EXPECT_NE(host->CreateEx(nullptr, WS_POPUP, 0, 40, 40, 0, 0), nullptr);
        if (shown && host->GetHwnd()) {
            ::ShowWindow(host->GetHwnd(), SW_SHOWNOACTIVATE);
            Flush(host);
        }
        m_presenter->frames.clear();
        return host;
    }

    SRefPtr<FramePresenter> m_presenter;
};

// Whether the amounts shown never fall (rising) or never rise, and differ
// between the first and the last frame.
bool Moves(const std::vector<FramePresenter::Frame>& frames, bool rising)
{
    for (size_t i = 1; i < frames.size(); ++i) {
        const int step = frames[i].Amount() - frames[i - 1].Amount();
        if (rising ? step < 0 : step > 0)
            return false;
    }
    return frames.size() > 1 && frames.front().Amount() != frames.back().Amount();
}

} // namespace

TEST_F(HostAnimateTest, TranslucentHostAnimatesToTheEndState)
{
    struct Case { const char* name; DWORD flags; DWORD time; BOOL want; };
    const Case cases[] = {
        {"fade in", AW_BLEND, 100, TRUE},
        {"fade out", AW_HIDE | AW_BLEND, 100, TRUE},
        {"slide in from the left", AW_SLIDE | AW_HOR_POSITIVE, 100, TRUE},
        {"slide out upwards", AW_HIDE | AW_SLIDE | AW_VER_NEGATIVE, 100, TRUE},
        {"grow from the centre", AW_CENTER, 100, TRUE},
        {"shrink to the centre", AW_HIDE | AW_CENTER, 100, TRUE},
        {"too short to animate", AW_SLIDE | AW_HOR_POSITIVE, 5, TRUE},
        {"show without an effect", AW_HOR_POSITIVE, 100, FALSE},
        {"hide without an effect", AW_HIDE | AW_HOR_POSITIVE, 100, FALSE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const bool hide = (c.flags & AW_HIDE) != 0;
        SHostWnd* host = TranslucentHost(hide);
        ASSERT_NE(host->GetHwnd(), nullptr);
        const ULONGLONG start = ::GetTickCount64();
        EXPECT_EQ(host->AnimateHostWindow(c.time, c.flags), c.want);
        EXPECT_LT(::GetTickCount64() - start, 5000u);
        const bool hides = hide && c.want;
        EXPECT_EQ(::IsWindowVisible(host->GetHwnd()) != FALSE, !hides);

        std::vector<FramePresenter::Frame> frames = m_presenter->frames;
        ASSERT_FALSE(frames.empty());
        // Whatever happened, the window holds the whole image at the end:
        // shown now, or shown later without a repaint.
        EXPECT_EQ(frames.back().covered, kWholeImage);
        EXPECT_EQ(frames.back().alpha, 255);
        if (c.time < 10 || !c.want)
            continue;
        if (hide) {
            frames.pop_back();   // the image put back on the hidden window
            EXPECT_EQ(frames.back().Amount(), 0);
        } else {
            // From the cleared image shown first on.
            const auto cleared = std::find_if(frames.begin(), frames.end(),
                                              [](const FramePresenter::Frame& f) { return f.Amount() == 0; });
            ASSERT_NE(cleared, frames.end());
            frames.erase(frames.begin(), cleared + 1);
        }
        EXPECT_GE(frames.size(), c.time / 10);
        EXPECT_TRUE(Moves(frames, !hide));
        for (const FramePresenter::Frame& f : frames)
            EXPECT_TRUE(f.visible);
    }
}

TEST_F(HostAnimateTest, RepeatedAnimationsLeaveNoGdiObjects)
{
    SHostWnd* host = TranslucentHost(false);
    ASSERT_NE(host->GetHwnd(), nullptr);
    auto cycle = [host] {
        EXPECT_TRUE(host->AnimateHostWindow(20, AW_BLEND));
        EXPECT_TRUE(host->AnimateHostWindow(20, AW_HIDE | AW_SLIDE | AW_HOR_NEGATIVE));
    };
    cycle();   // caches settle first
    nativetest::PumpFor(20);
    const DWORD gdiBefore = guicount::GdiObjects();
    for (int i = 0; i < 20; ++i) cycle();
    nativetest::PumpFor(20);
    EXPECT_LE(guicount::GdiObjects(), gdiBefore + 4);
}

// An ordinary host animates as any window does, with the system's answer.
TEST_F(HostAnimateTest, OrdinaryHostAnswersAsTheSystem)
{
    SHostWnd* host = NewHost(L"LAYOUT:XML_HOST_BASIC");
    SHostWnd* twin = NewHost(L"LAYOUT:XML_HOST_BASIC");
    ASSERT_NE(Shown(host), nullptr);
    ASSERT_NE(Shown(twin), nullptr);
    for (DWORD flags : {DWORD(AW_HIDE | AW_BLEND), DWORD(AW_SLIDE | AW_VER_POSITIVE)}) {
        SCOPED_TRACE(flags);
        EXPECT_EQ(host->AnimateHostWindow(50, flags), ::AnimateWindow(twin->GetHwnd(), 50, flags));
        EXPECT_EQ(::IsWindowVisible(host->GetHwnd()), ::IsWindowVisible(twin->GetHwnd()));
        EXPECT_EQ(::IsWindowVisible(host->GetHwnd()) != FALSE, (flags & AW_HIDE) == 0);
    }
}
