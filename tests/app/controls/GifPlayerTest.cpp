// GIF skins and their players on a real host window: frames decoded through
// the picture decoder, each frame shown for its own time, one-frame and
// broken pictures, and many or huge frames.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControlsTestEnv.h"
#include "app/controls/SGifPlayer.h"
#include "app/controls/SSkinGif.h"
#include "dui/res.mgr/SImageLoader.h"

namespace {

using namespace ctltest;

std::wstring GifPath(const char* name)
{
    const std::string p = std::string(VESK_TESTS_DIR "/app/controls/gifs/") + name;
    return std::wstring(p.begin(), p.end());
}

class GifPlayerTest : public ControlsTest
{
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        m_app->TplRegisterFactory<SSkinGif>();
        m_app->TplRegisterFactory<SGifPlayer>();
        m_host = NewHost(L"LAYOUT:XML_GIFS");
        ASSERT_NE(Shown(m_host), nullptr);
    }
    // How many ticks each frame stayed, over `frames` frame changes, with
    // the player's ticks given by the test.
    static std::vector<int> TicksPerFrame(SGifPlayer* player, int frames)
    {
        std::vector<int> ticks;
        int n = 0, frame = player->GetFrame();
        while (static_cast<int>(ticks.size()) < frames && n < 1000) {
            player->OnNextFrame();
            ++n;
            if (player->GetFrame() != frame) {
                ticks.push_back(n);
                n = 0;
                frame = player->GetFrame();
            }
        }
        return ticks;
    }

    SHostWnd* m_host = nullptr;
};

// Delays of 10, 20 and 0 hundredths: 100, 200 and 90 ms, each frame its own,
// also for a second player on the same skin.
TEST_F(GifPlayerTest, EachFrameStaysForItsOwnTime)
{
    auto* one = Child<SGifPlayer>(m_host, L"one");
    auto* two = Child<SGifPlayer>(m_host, L"two");
    ASSERT_TRUE(one && two && one->GetAniSkin());
    EXPECT_EQ(one->GetAniSkin()->GetFrameCount(), 3);
    EXPECT_EQ(one->GetAniSkin()->GetFrameDelay(1), 20);
    EXPECT_TRUE(one->IsPlaying());
    m_host->UnregisterTimelineHandler(one);
    m_host->UnregisterTimelineHandler(two);
    // Setting the skin again starts both from frame 0.
    ASSERT_EQ(one->SetAttribute(L"skin", L"delays", FALSE), S_OK);
    ASSERT_EQ(two->SetAttribute(L"skin", L"delays", FALSE), S_OK);
    two->OnNextFrame();   // the two players stand a tick apart on one skin
    EXPECT_EQ(TicksPerFrame(one, 5), (std::vector<int>{10, 20, 9, 10, 20}));
    EXPECT_EQ(TicksPerFrame(two, 4), (std::vector<int>{9, 20, 9, 10}));
    struct Case { int frame; uint32_t pixel; };
    const Case cases[] = {{0, 0xFFFF0000}, {1, 0xFF00FF00}, {2, 0xFF0000FF}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.frame);
        while (one->GetFrame() != c.frame) one->OnNextFrame();
        Flush(m_host);
        EXPECT_EQ(hosttest::SurfacePixel(m_host->GetMemSurface(), 20, 20) | 0xFF000000u, c.pixel);
    }
}

TEST_F(GifPlayerTest, StillAndBrokenPicturesDoNotPlay)
{
    auto* still = Child<SGifPlayer>(m_host, L"still");
    ASSERT_TRUE(still && still->GetAniSkin());
    EXPECT_EQ(still->GetAniSkin()->GetFrameCount(), 1);
    EXPECT_FALSE(still->IsPlaying());
    Flush(m_host);
    EXPECT_EQ(hosttest::SurfacePixel(m_host->GetMemSurface(), 80, 20) | 0xFF000000u, 0xFFFFFFFFu);
    auto* empty = Child<SGifPlayer>(m_host, L"empty");
    ASSERT_TRUE(empty && empty->GetAniSkin());
    EXPECT_EQ(empty->GetAniSkin()->GetFrameCount(), 0);
    EXPECT_FALSE(empty->IsPlaying());
    // A skin that is no animation leaves the player as it was; no skin fails.
    EXPECT_EQ(still->SetAttribute(L"skin", L"plain", FALSE), S_FALSE);
    EXPECT_EQ(still->GetAniSkin()->GetFrameCount(), 1);
    EXPECT_EQ(still->SetAttribute(L"skin", L"nosuch", FALSE), E_FAIL);
    ASSERT_EQ(still->SetAttribute(L"skin", L"delays", FALSE), S_OK);
    EXPECT_TRUE(still->IsPlaying());
    EXPECT_EQ(still->GetCountdown(), 100);
    still->SetVisible(FALSE, TRUE);
    EXPECT_FALSE(still->IsPlaying());
}

TEST_F(GifPlayerTest, WrapContentSizeFollowsTheScale)
{
    auto* look = Child<SGifPlayer>(m_host, L"look");
    ASSERT_NE(look, nullptr);
    // The program measures in dp, as start-up sets it.
    const SLayoutSize::Unit unit = SLayoutSize::GetDefaultUnit();
    SLayoutSize::SetDefaultUnit(L"dp");
    look->SetAttribute(L"skin", L"look", FALSE);
    for (int scale : {100, 150}) {
        SCOPED_TRACE(scale);
        if (scale != 100)
            m_host->OnScaleChanged(scale);
        Flush(m_host);
        const RECT rc = look->GetWindowRect();
        EXPECT_EQ(rc.right - rc.left, 48 * scale / 100);
        EXPECT_EQ(rc.bottom - rc.top, 48 * scale / 100);
        MaybeSavePng(m_host->GetMemSurface(), scale == 100 ? L"gif_100.png" : L"gif_150.png");
    }
    SLayoutSize::SetDefaultUnit(SLayoutSize::GetUnitName(unit));
}

// Ten thousand frames all load; frames past the decoder's cap are dropped,
// the ones before kept; a truncated file keeps what it holds.
TEST_F(GifPlayerTest, ManyHugeAndTruncatedPictures)
{
    auto skin = SRefPtr<SSkinGif>::Adopt(new SSkinGif());
    EXPECT_EQ(skin->LoadFromFile(GifPath("many.gif").c_str()), 10000);
    EXPECT_EQ(skin->GetFrameDelay(9999), 1);
    const auto huge = SRefPtr<IPictureFrames>::Adopt(LoadPictureFromFile(GifPath("huge.gif").c_str()));
    ASSERT_TRUE(huge);
    EXPECT_EQ(huge->GetFrameCount(), 4u);
    EXPECT_EQ(huge->Width(), 4096);

    std::vector<char> bytes;
    {
        FILE* f = _wfopen(GifPath("delays.gif").c_str(), L"rb");
        ASSERT_NE(f, nullptr);
        char buf[512];
        size_t got = 0;
        while ((got = fread(buf, 1, sizeof buf, f)) > 0) bytes.insert(bytes.end(), buf, buf + got);
        fclose(f);
    }
    const size_t whole = skin->LoadFromMemory(bytes.data(), bytes.size());
    EXPECT_EQ(whole, 3u);
    EXPECT_EQ(skin->LoadFromMemory(bytes.data(), 20), 0) << "no frame at all";
    EXPECT_EQ(skin->LoadFromMemory(nullptr, 0), 0);
}

} // namespace
