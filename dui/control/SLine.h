#pragma once
// Line ("hr"): a pen line along the window's top edge, its left edge, or
// corner to corner.
#include "dui/core/SWindow.h"

namespace DUI {

class SLine : public SWindow
{
    DUI_CLASS_NAME(SLine, SWindow, L"hr", Window_Kind)
public:
    enum Direction : int
    {
        Horizontal = 0,
        Vertical = 1,
        Tilt = 2,
    };

    SLine() = default;
    ~SLine() override = default;

    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;

    int GetLineStyle() const { return m_lineStyle; }
    int GetLineSize() const { return m_lineSize; }
    COLORREF GetLineColor() const { return m_color; }
    int GetDirection() const { return m_direction; }

protected:
    void OnPaint(IPaintSurface* rt) override;

private:
    struct AttrRows;

    BYTE m_lineStyle = PS_SOLID;
    int m_lineSize = 1;
    COLORREF m_color = 0xFF000000;
    int m_direction = Horizontal;
};

} // namespace DUI
