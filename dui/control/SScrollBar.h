#pragma once
// "scrollbar": a scroll bar placed like any other window. It moves nothing
// itself: every press is reported as EventScroll and the subscriber sets the
// position (SBM_SETSCROLLINFO); only a thumb drag moves the track position.
#include "dui/control/ScrollBarGeometry.h"
#include "dui/core/SWindow.h"

namespace DUI {

class SScrollBar : public SWindow
{
    DUI_CLASS_NAME(SScrollBar, SWindow, L"scrollbar", Window_Kind)
public:
    SScrollBar();
    ~SScrollBar() override;

    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    void OnInitFinished(xmldom::xml_node element) override;
    BOOL OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

    BOOL IsVertical() const { return m_vertical != 0; }
    int GetArrowSize() const { return m_arrowSize; }
    const SCROLLINFO& GetScrollInfo() const { return m_si; }
    // In container coordinates; empty when the range is below its min.
    RECT GetPartRect(int part) const;
    // The part under the point; -1 for none.
    int HitTest(POINT pt) const;

protected:
    void OnPaint(IPaintSurface* rt) override;

private:
    struct AttrRows;

    ScrollBarGeometry Geometry(const SCROLLINFO& si) const;
    LRESULT SetScrollInfo(BOOL redraw, const SCROLLINFO* si);
    LRESULT GetScrollInfo(SCROLLINFO* si) const;
    void OnPress(POINT pt);
    void OnRelease(POINT pt);
    void OnMove(POINT pt);
    void DragTo(POINT pt);
    void TrackHover(POINT pt);
    void OnRepeatTimer();
    // Draws now, through a render target limited to the part.
    void DrawPartNow(int part, int state);
    void FireScroll(int code, int pos);

    SRefPtr<ISkinObj> m_barSkin;
    int m_arrowSize = -1;
    SCROLLINFO m_si = {sizeof(SCROLLINFO), 0, 0, 0, 0, 0, -1};
    BOOL m_dragging = FALSE;
    POINT m_dragStart = {};
    int m_dragStartPos = 0;
    int m_pressedPart = -1;
    // The repeat timer to stop on release: 1 timer 1, 0 timer 2.
    int m_timerFlag = 0;
    int m_hoverPart = -1;
    int m_vertical = 1;
};

} // namespace DUI
