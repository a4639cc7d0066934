#include "dui/core/SwndRenderCache.h"

#include "dui/core/SPaintObjects.h"

namespace DUI {

BOOL SwndRenderCache::Fit(Kind kind, const RECT& window)
{
    SRefPtr<IPaintSurface>& surface = Slot(kind);
    const SIZE size = {window.right - window.left, window.bottom - window.top};
    if (!surface)
        surface = NewPaintSurface(size.cx, size.cy);
    else
        surface->Resize(size);
    if (!surface)
        return FALSE;
    surface->SetViewOrigin(-window.left, -window.top, nullptr);
    return TRUE;
}

BOOL SwndRenderCache::Follow(Kind kind, BOOL wanted, const RECT& window)
{
    SRefPtr<IPaintSurface>& surface = Slot(kind);
    if (wanted && !surface)
        return Fit(kind, window);
    if (!wanted)
        surface.Reset();
    return FALSE;
}

IPaintSurface* SwndRenderCache::Layer()
{
    if (!m_layer)
        m_layer = NewPaintSurface(0, 0);
    return m_layer.Get();
}

} // namespace DUI
