#pragma once
// "switchcontrol": an on/off switch drawn as a rail with a thumb. The value
// range of the slider it is built on is the thumb's travel; a click toggles
// the switch, and with "changeTime" the thumb slides to the other end.
#include "dui/control/SSliderBar.h"

namespace DUI {

class EventWBSelChanging : public EventArgs
{
    DUI_EVENT_CLASS(EventWBSelChanging, 10001234, L"on_switch_select_change")
public:
    BYTE bState = 0;   // the new state: 1 on, 0 off
};

class SWitchControl : public SSliderBar
{
    DUI_CLASS_NAME(SWitchControl, SSliderBar, L"switchcontrol", Window_Kind)
public:
    // Host timer 38 slides the thumb; 39 is the switch's second timer.
    static constexpr char kSlideTimer = 38;
    static constexpr char kSpareTimer = 39;

    SWitchControl();
    ~SWitchControl() override;

    BOOL GetState() const { return m_state; }
    BOOL IsAnimating() const { return m_animating; }
    // What a click does; ignored while the thumb slides.
    void Toggle();

    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    BOOL OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void OnScaleChanged(int scale) override;

    // The rail band and the thumb as painted, in container coordinates.
    RECT GetRailRect() const;
    RECT GetThumbRect() const;

protected:
    void OnPaint(IPaintSurface* rt) override;
    void OnDestroy() override;

private:
    void OnTimerTick(char id);
    void FinishToggle();
    void FireChange();
    // Extents of the thumb and rail skins, and the thumb's place along the
    // axis, swapped for a vertical switch.
    int ThumbOffset(int travel) const;

    SRefPtr<ISkinObj> m_bkgndSelect;
    int m_leftMargin = 0;
    int m_rightMargin = 0;
    int m_topMargin = 0;
    int m_bottomMargin = 0;
    BOOL m_state = FALSE;
    int m_changeTime = 0;
    int m_step = 10;
    BOOL m_pressed = FALSE;
    BOOL m_animating = FALSE;
};

} // namespace DUI
