#pragma once
// A progress bar with a thumb the user drags or moves by clicking the rail;
// every change of the value made with the mouse is reported.
#include "dui/control/SProgress.h"

namespace DUI {

class EventSliderPos : public EventArgs
{
    DUI_EVENT_CLASS(EventSliderPos, 17000, L"on_slider_pos")
public:
    int nPos = 0;
};

class SSliderBar : public SProgress
{
    DUI_CLASS_NAME(SSliderBar, SProgress, L"sliderbar", Window_Kind)
public:
    enum Part : int
    {
        Part_None = -1,
        Part_Rail = 0,
        Part_Filled = 1,
        Part_Thumb = 2,
        Part_RailBkgnd = 3,
    };

    SSliderBar();
    ~SSliderBar() override;

    RECT GetPartRect(Part part) const;
    Part HitTest(POINT pt) const;
    BOOL IsDragging() const { return m_dragging != 0; }
    Part GetHotPart() const { return static_cast<Part>(m_hotPart); }

    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    void SetColorize(COLORREF color) override;
    SIZE MeasureContent(int parentWidth, int parentHeight) override;
    BOOL OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void OnScaleChanged(int scale) override;

protected:
    ISkinObj* ThumbSkin() const { return m_thumbSkin.Get(); }
    void OnPaint(IPaintSurface* rt) override;
    void OnLButtonDown(UINT flags, POINT pt) override;
    void OnLButtonUp(UINT flags, POINT pt) override;
    void OnMouseLeave() override;

private:
    struct AttrRows;

    void OnMouseMove(POINT pt);
    void DragTo(POINT pt);
    void TrackHotPart(POINT pt);
    // The rail click's value, or the current one when the rail has no length.
    int ValueAtRailPoint(POINT pt) const;
    int AlongAxis(POINT pt) const { return IsVertical() ? pt.y : pt.x; }
    int AxisLength(const RECT& rc) const { return IsVertical() ? rc.bottom - rc.top : rc.right - rc.left; }
    int ThumbState() const;
    void FirePos();

    int m_dragging = 0;
    POINT m_dragStart = {};
    int m_dragValue = 0;
    int m_hotPart = Part_None;
    SRefPtr<ISkinObj> m_thumbSkin;
    int m_thumbInRail = 0;
};

} // namespace DUI
