#pragma once
// Selecting an object for one scope: at its end the object that was selected
// before goes back, so a DC or surface is never left holding ours.
#include <winsock2.h>
#include <windows.h>

#include "dui/core/base/IRender.h"
#include "dui/core/base/SRefPtr.h"

namespace DUI {

// A GDI object in a DC.
class SSelectObject
{
public:
    SSelectObject(HDC dc, HGDIOBJ obj) : m_dc(dc)
    {
        HGDIOBJ old = dc && obj ? ::SelectObject(dc, obj) : nullptr;
        m_old = old == HGDI_ERROR ? nullptr : old;
    }
    ~SSelectObject()
    {
        if (m_old)
            ::SelectObject(m_dc, m_old);
    }
    SSelectObject(const SSelectObject&) = delete;
    SSelectObject& operator=(const SSelectObject&) = delete;

    // False when nothing was selected: draw nothing then.
    explicit operator bool() const { return m_old != nullptr; }

private:
    HDC m_dc;
    HGDIOBJ m_old = nullptr;
};

// A paint object on a render surface; the surface's reference to the previous
// object is held meanwhile.
class SSelectPaintObject
{
public:
    SSelectPaintObject(IPaintSurface* rt, IPaintObject* obj) : m_rt(rt)
    {
        if (rt && obj && FAILED(rt->SelectObject(obj, m_old.Put())))
            m_old.Detach();   // a failed call hands out nothing
    }
    ~SSelectPaintObject()
    {
        if (m_old)
            m_rt->SelectObject(m_old.Get(), nullptr);
    }
    SSelectPaintObject(const SSelectPaintObject&) = delete;
    SSelectPaintObject& operator=(const SSelectPaintObject&) = delete;

    explicit operator bool() const { return static_cast<bool>(m_old); }

private:
    IPaintSurface* m_rt;
    SRefPtr<IPaintObject> m_old;
};

} // namespace DUI
