#pragma once
// A titled frame around a group of windows: an etched rounded rectangle
// that the title interrupts, and a header band kept free of children.
#include "dui/core/SWindow.h"

namespace DUI {

class SGroup : public SWindow
{
    DUI_CLASS_NAME(SGroup, SWindow, L"group", Window_Kind)
public:
    SGroup();
    ~SGroup() override;

    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    void GetChildArea(RECT* out) const override;
    SIZE MeasureDesiredSize(int width, int height) override;

protected:
    void OnPaint(IPaintSurface* rt) override;

private:
    struct AttrRows;

    // The title's box over the top edge of `frame`, narrowed to the text.
    RECT TitleRect(const RECT& frame, SIZE text) const;
    void PaintFrame(IPaintSurface* rt, const RECT& frame);

    COLORREF m_line1 = 0xFFF0F0F0;
    COLORREF m_line2 = 0xFFA0A0A0;
    SLayoutSize m_round{4.0f, SLayoutSize::dp};
    SLayoutSize m_headerHeight{20.0f, SLayoutSize::dp};
};

} // namespace DUI
