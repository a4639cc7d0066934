#pragma once
// The picture of two tab pages side by side that slides from the old page
// to the new one over the host's timeline while both pages stay hidden.
// It lives as a child of its tab control for one switch.
#include "dui/core/SWindow.h"
#include "dui/core/base/IInterpolator.h"

namespace DUI {

class STabCtrl;

class STabSlider : public SWindow, public ITimelineHandler
{
    DUI_CLASS_NAME(STabSlider, SWindow, L"tabslider", Window_Kind)
public:
    explicit STabSlider(STabCtrl* owner);
    ~STabSlider() override;

    // Joins the control, captures both pages and starts ticking; `type` 0
    // slides the whole look of the page area above the control's other
    // children, else only the pages, below them. FALSE, with the slider out
    // of the control again, when the picture cannot be made.
    BOOL Start(int from, int to, int steps, int type, IInterpolator* interpolator);

    void OnTimelineTick() override;
    // Ends the slide: the slider leaves its control, the current page shows.
    void Finish();

    POINT GetOffset() const { return m_offset; }
    int GetStep() const { return m_step; }
    BOOL IsVerticalSlide() const { return m_vertical; }

    BOOL OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

protected:
    void OnPaint(IPaintSurface* rt) override;

private:
    void Capture(int at, int type);
    // Leaves the control without touching its pages.
    void Leave();
    void SetAxisOffset(int value);

    SRefPtr<IPaintSurface> m_surface;
    POINT m_offset = {};
    int m_from = 0;
    int m_to = 0;
    int m_steps = 0;
    int m_step = 0;
    BOOL m_vertical = FALSE;
    BOOL m_ticking = FALSE;
    SRefPtr<IInterpolator> m_interpolator;
    STabCtrl* m_owner = nullptr;
    RECT m_area = {};
};

} // namespace DUI
