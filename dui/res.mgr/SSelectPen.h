#pragma once
// A pen made on a render target and selected for one scope: at its end the
// previous pen is selected back and both references are dropped.
#include "dui/core/IRender.h"

namespace DUI {

class SSelectPen
{
public:
    SSelectPen(IPaintSurface* rt, int style, COLORREF color, int width) : m_rt(rt)
    {
        if (SUCCEEDED(rt->CreatePen(style, color, width, &m_pen)) && m_pen) rt->SelectObject(m_pen, &m_old);
    }
    ~SSelectPen()
    {
        if (m_old) {
            m_rt->SelectObject(m_old, nullptr);
            m_old->Release();
        }
        if (m_pen) m_pen->Release();
    }
    SSelectPen(const SSelectPen&) = delete;
    SSelectPen& operator=(const SSelectPen&) = delete;

    // False when the pen could not be made or selected: draw nothing then.
    explicit operator bool() const { return m_old != nullptr; }

private:
    IPaintSurface* m_rt;
    IPen* m_pen = nullptr;
    IPaintObject* m_old = nullptr;
};

} // namespace DUI
