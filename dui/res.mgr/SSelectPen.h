#pragma once
// A pen made on a render target and selected for one scope: at its end the
// previous pen is selected back and both references are dropped.
#include "dui/core/base/IRender.h"
#include "dui/core/base/SRefPtr.h"
#include "dui/core/base/SSelectObject.h"

namespace DUI {

class SSelectPen
{
public:
    SSelectPen(IPaintSurface* rt, int style, COLORREF color, int width)
        : m_pen(MakePen(rt, style, color, width)), m_select(rt, m_pen.Get())
    {
    }

    // False when the pen could not be made or selected: draw nothing then.
    explicit operator bool() const { return static_cast<bool>(m_select); }

private:
    static SRefPtr<IPen> MakePen(IPaintSurface* rt, int style, COLORREF color, int width)
    {
        SRefPtr<IPen> pen;
        if (FAILED(rt->CreatePen(style, color, width, pen.Put())))
            pen.Detach();   // a failed call hands out nothing
        return pen;
    }

    SRefPtr<IPen> m_pen;
    SSelectPaintObject m_select;
};

} // namespace DUI
