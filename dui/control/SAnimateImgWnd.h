#pragma once
// Frame animation ("animateimg"): shows the states of a skin one after
// another on the host's timeline, a given number of times or endlessly. It
// pauses while hidden and takes no mouse input.
#include "dui/core/SWindow.h"

namespace DUI {

class EventAnimateStart : public EventArgs
{
    DUI_EVENT_CLASS(EventAnimateStart, 22100, L"on_animate_start")
};

class EventAnimateStop : public EventArgs
{
    DUI_EVENT_CLASS(EventAnimateStop, 22101, L"EVT_ANI_STOP")
};

class SAnimateImgWnd : public SWindow, public ITimelineHandler
{
    DUI_CLASS_NAME(SAnimateImgWnd, SWindow, L"animateimg", Window_Kind)
public:
    SAnimateImgWnd();
    ~SAnimateImgWnd() override = default;

    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    void SetColorize(COLORREF color) override;
    SIZE MeasureContent(int parentWidth, int parentHeight) override;
    BOOL OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void OnTimelineTick() override;

    void Start();
    // The current frame stays on show.
    void Stop();
    BOOL IsPlaying() const { return m_playing; }
    int GetCurFrame() const { return m_curFrame; }
    ISkinObj* GetFramesSkin() const { return m_skin.Get(); }

protected:
    void OnPaint(IPaintSurface* rt) override;

private:
    struct AttrRows;

    void OnShown(BOOL shown);
    void AdvanceFrame();
    BOOL RegisterTicks();
    void UnregisterTicks();

    SRefPtr<ISkinObj> m_skin;
    int m_speed = 50;
    int m_curFrame = 0;
    int m_autoStart = 1;
    int m_playing = 0;
    int m_tick = 0;
    int m_repeat = -1;
    int m_loops = 0;
};

} // namespace DUI
