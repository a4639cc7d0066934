#pragma once
// "div": a window that draws its own vertical and horizontal scroll bars
// inside its rectangle, outside its client area, and turns presses, thumb
// drags, held arrows and the wheel into scroll steps. What a step moves is
// left to derived classes through GetScrollLineSize and OnScroll.
#include "dui/control/ScrollBarGeometry.h"
#include "dui/core/SWindow.h"

namespace DUI {

class SPanel : public SWindow
{
    DUI_CLASS_NAME(SPanel, SWindow, L"div", Window_Kind)
public:
    // Bits of a bar mask.
    enum Bar : int
    {
        Bar_Horz = 1,
        Bar_Vert = 2,
    };
    // The hot-part word: the part code in the low word, 1 in the high word
    // for the vertical bar.
    static constexpr DWORD kNoPart = 0xFFFF;
    static DWORD MakeHotPart(int part, BOOL vertical) { return (part & 0xFFFF) | (vertical ? 0x10000u : 0u); }
    static int PartOf(DWORD hot) { return static_cast<int>(hot & 0xFFFF); }
    static BOOL IsVertOf(DWORD hot) { return (hot >> 16) != 0; }

    // Timers of the auto-repeat: the first delay, then the repeats.
    enum Timer : char
    {
        Timer_Delay = 1,
        Timer_Repeat = 2,
    };

    SPanel();
    ~SPanel() override;

    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    RECT GetClientRect() const override;
    void SetColorize(COLORREF color) override;
    BOOL IsPointOutsideClient(POINT pt) const override;
    BOOL OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void OnScaleChanged(int scale) override;

    virtual int GetScrollLineSize(BOOL vertical);
    // One scroll action; TRUE when the position changed.
    virtual BOOL OnScroll(BOOL vertical, UINT code, int pos);

    BOOL SetScrollPos(BOOL vertical, int pos, BOOL redraw);
    int GetScrollPos(BOOL vertical) const;
    BOOL SetScrollRange(BOOL vertical, int min, int max, BOOL redraw);
    BOOL ShowScrollBar(int barMask, BOOL show);
    BOOL EnableScrollBar(int barMask, BOOL enable);
    BOOL HasScrollBar(BOOL vertical) const;
    int GetScrollBarWidth() const;
    int GetSbArrowSize() const;
    // In container coordinates; empty when the bar is not shown.
    RECT GetScrollBarRect(BOOL vertical) const;
    RECT GetSbRailRect(BOOL vertical) const;
    RECT GetSbPartRect(BOOL vertical, int part) const;
    DWORD HitTestScrollBar(POINT pt) const;
    // Repaints at once when the update interval has passed since the last time.
    void UpdateThrottled();

    ISkinObj* GetScrollBarSkin() const { return m_sbSkin.Get(); }
    int GetDragMode() const { return m_dragMode; }
    DWORD GetHotPart() const { return m_hotPart; }

protected:
    SCROLLINFO& InfoOf(BOOL vertical) { return vertical ? m_siVer : m_siHoz; }
    const SCROLLINFO& InfoOf(BOOL vertical) const { return vertical ? m_siVer : m_siHoz; }
    BOOL IsBarEnabled(BOOL vertical) const { return (m_barEnabled & BarBit(vertical)) != 0; }
    static int BarBit(BOOL vertical) { return vertical ? Bar_Vert : Bar_Horz; }

    SCROLLINFO m_siVer = NewScrollInfo();
    SCROLLINFO m_siHoz = NewScrollInfo();
    // Bar_Horz | Bar_Vert: the bars present now.
    int m_barShown = 0;
    int m_barEnabled = Bar_Horz | Bar_Vert;
    RECT m_rcClient = {};

private:
    struct AttrRows;

    static SCROLLINFO NewScrollInfo();
    ScrollBarGeometry GeometryOf(BOOL vertical) const;
    HRESULT SetSkinAttribute(const SStringW& value);
    void SetSizeAttribute(SLayoutSize& size, const SStringW& value);
    int ToPixel(const SLayoutSize& size) const;

    // Drawing the bars.
    void OnNcPaintBars(IPaintSurface* rt);
    void DrawPart(IPaintSurface* rt, BOOL vertical, int part, int state);
    void DrawPartAt(IPaintSurface* rt, const RECT& rc, BOOL vertical, int part, int state);
    // Draws through a render target limited to `rc`.
    template <class Fn>
    void DrawWithin(const RECT& rc, Fn draw);
    void DrawRailAndThumb(BOOL vertical, int railState, int thumbState);
    void DrawWholeBar(BOOL vertical, int arrowState, int railState, int thumbState, int hotPart);
    void DrawHoverChange(BOOL vertical, int part, BOOL hot);

    // The mouse on the bars.
    void OnNcLButtonDown(POINT pt);
    void OnNcLButtonUp(POINT pt);
    void OnNcMouseMove(POINT pt);
    void OnNcMouseLeave();
    void DragThumb(POINT pt);
    void TrackHover(POINT pt);
    void OnRepeatTimer(char id);
    LRESULT OnWheel(WPARAM wp, LPARAM lp);

    SRefPtr<ISkinObj> m_sbSkin;
    SLayoutSize m_arrowSize{SLayoutSize::kNotSet, SLayoutSize::px};
    SLayoutSize m_barWidth{SLayoutSize::kNotSet, SLayoutSize::px};
    SLayoutSize m_sbLeft, m_sbRight, m_sbTop, m_sbBottom;
    POINT m_dragStart = {};
    // 0 none, 1 the vertical thumb, 2 the horizontal one.
    int m_dragMode = 0;
    DWORD m_hotPart = kNoPart;
    int m_dragStartPos = 0;
    DWORD m_lastRepaint = 0;
    int m_updateInterval = 0;
    short m_wheelRemainder = 0;
    int m_lineSize = 10;
};

} // namespace DUI
