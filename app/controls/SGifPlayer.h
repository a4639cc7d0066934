#pragma once
// "gifplayer": plays an animated skin while it is shown and the skin has
// two frames or more, each frame for its own display time, on the host's
// timeline.
#include "dui/core/SWindow.h"
#include "dui/res.mgr/SSkinAni.h"

namespace DUI {

class SGifPlayer : public SWindow, public ITimelineHandler
{
    DUI_CLASS_NAME(SGifPlayer, SWindow, L"gifplayer", Window_Kind)
public:
    // A frame whose stored time is 0 stays this long, as browsers show it.
    static constexpr int kZeroDelayMs = 90;

    SGifPlayer() = default;
    ~SGifPlayer() override = default;

    int GetFrame() const { return m_frame; }
    int GetCountdown() const { return m_countdown; }
    BOOL IsPlaying() const { return m_playing; }
    SSkinAni* GetAniSkin() const { return m_skin.Get(); }

    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    SIZE MeasureContent(int parentWidth, int parentHeight) override;
    BOOL OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void OnTimelineTick() override { OnNextFrame(); }
    void OnNextFrame();

protected:
    void OnPaint(IPaintSurface* rt) override;

private:
    // How long the player's own frame stays; -10 when nothing animates.
    int FrameTime() const;
    void Play(BOOL on);

    SRefPtr<SSkinAni> m_skin;
    int m_frame = 0;
    int m_countdown = 0;
    BOOL m_playing = FALSE;
};

} // namespace DUI
