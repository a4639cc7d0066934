// SWindow: the paint walk. A host asks its root to draw a region; each
// window draws its client area, then its children in paint order, then its
// non-client area, through its cache or layer surface when it has one.
#include "dui/core/SWindow.h"

#include "dui/core/SPaintObjects.h"

namespace DUI {

namespace {

BOOL InRange(int z, int firstZ, int endZ)
{
    return z >= firstZ && (endZ == -1 || z < endZ);
}

// The region to draw with its box taken once: a walk asks every window.
// An empty region, like none, draws everything.
struct PaintArea
{
    explicit PaintArea(IPaintRegion* region)
    {
        if (region)
            region->GetRgnBox(&box);
        rgn = ::IsRectEmpty(&box) ? nullptr : region;
    }
    // The box is tested first: most windows of a partial repaint miss it.
    BOOL Touches(const RECT& rc) const
    {
        RECT common;
        return !rgn || (::IntersectRect(&common, &box, &rc) && rgn->RectInRegion(&rc));
    }

    IPaintRegion* rgn = nullptr;
    RECT box = {};
};

// The window drawn last in the subtree: the paint order is a pre-order walk.
const SWindow* LastDescendant(const SWindow* w)
{
    while (const SWindow* last = w->GetRelatedWindow(GSW_LASTCHILD))
        w = last;
    return w;
}

} // namespace

void SWindow::RedrawRegion(IPaintSurface* rt, IPaintRegion* rgn)
{
    DispatchPaint(rt, rgn, 0, -1);
}

void SWindow::DispatchPaint(IPaintSurface* rt, IPaintRegion* rgn, int firstZ, int endZ)
{
    // An empty range draws nothing, not even a layered window's own layer.
    if (!rt || !IsVisible(TRUE) || (endZ != -1 && firstZ >= endZ))
        return;
    const RECT rcWnd = m_rcWindow;
    const RECT rcClient = GetClientRect();
    const PaintArea area(rgn);
    const RECT target = area.rgn ? area.box : rcWnd;
    RECT both;
    ::UnionRect(&both, &rcClient, &target);
    const BOOL insideClient = ::EqualRect(&both, &rcClient);
    const BOOL mine = InRange(m_zorder, firstZ, endZ);

    IPaintSurface* kept = rt;
    const BOOL layered = IsLayered() && rt != m_surfaces.Get(SwndRenderCache::Kind::Layer);
    const BOOL layerClipped = layered && area.rgn;
    if (layered) {
        rt = GetLayerRenderTarget();
        rt->SelectObject(kept->GetSelectedObject(OT_FONT), nullptr);
        rt->SetTextColor(kept->GetTextColor());
        if (layerClipped)
            rt->PushClipRegion(rgn, RGN_OP_COPY);
        rt->ClearRect(&rcWnd, 0);
    }
    const BOOL shaped = PushShapeClip(rt, RGN_OP_AND);
    const BOOL clipped = ClipsToClient() && SUCCEEDED(rt->PushClipRect(&rcClient, RGN_OP_AND));
    if (mine && area.Touches(rcClient))
        PaintClient(rt);
    if (m_firstChild) {
        // The state's font and colour are only for the children.
        SPaintState state;
        BeforePaint(rt, state);
        PaintChildren(rt, rgn, firstZ, endZ);
        AfterPaint(rt, state);
    }
    if (clipped)
        rt->PopClip();
    if (shaped)
        rt->PopClip();
    if (mine && !insideClient && area.Touches(rcWnd))
        PaintNonClient(rt);
    if (layered)
        EndLayer(kept, rt, layerClipped, rcWnd);
}

void SWindow::PaintChildren(IPaintSurface* rt, IPaintRegion* rgn, int firstZ, int endZ)
{
    for (SWindow* child = m_firstChild; child;) {
        SWindow* next = child->m_nextSibling;
        if (endZ != -1 && child->m_zorder >= endZ)
            break;
        if (child->m_zorder < firstZ) {
            if (next && next->m_zorder <= firstZ) {
                child = next;
                continue;
            }
            if (!next && LastDescendant(child)->m_zorder < firstZ)
                break;
        }
        child->DispatchPaint(rt, rgn, firstZ, endZ);
        child = next;
    }
}

void SWindow::EndLayer(IPaintSurface* kept, IPaintSurface* layer, BOOL clipped, const RECT& rcWnd)
{
    if (clipped)
        layer->PopClip();
    kept->AlphaBlendFromSurface(&rcWnd, layer, &rcWnd, GetAlpha());
    kept->SelectObject(layer->GetSelectedObject(OT_FONT), nullptr);
}

IPaintSurface* SWindow::GetLayerRenderTarget()
{
    return m_surfaces.Layer();
}

SWindow* SWindow::GetLayeredAncestor() const
{
    for (const SWindow* w = this; w; w = w->m_parent) {
        if (w->IsLayered())
            return const_cast<SWindow*>(w);
    }
    return nullptr;
}

BOOL SWindow::PushShapeClip(IPaintSurface* rt, int mode) const
{
    if (!m_shapeRegion)
        return FALSE;
    m_shapeRegion->Offset({m_rcWindow.left, m_rcWindow.top});
    const HRESULT hr = rt->PushClipRegion(m_shapeRegion.Get(), mode);
    m_shapeRegion->Offset({-m_rcWindow.left, -m_rcWindow.top});
    return SUCCEEDED(hr);
}

void SWindow::PaintClient(IPaintSurface* rt)
{
    if (!IsCached()) {
        DeliverSwndMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(rt));
        DeliverSwndMessage(WM_PAINT, reinterpret_cast<WPARAM>(rt));
        return;
    }
    IPaintSurface* cache = m_surfaces.Get(SwndRenderCache::Kind::Cache);
    if (!cache)
        return;
    if (m_flags & Flag_CacheDirty)
        PaintCache(rt, cache);
    RECT clip, area;
    rt->GetClipBox(&clip);
    if (!::IntersectRect(&area, &m_rcWindow, &clip))
        return;
    rt->AlphaBlendFromSurface(&area, cache, &area, IsLayered() ? 255 : GetAlpha());
}

// The cache is drawn with the font and colour the caller has in force, as
// the window would be drawn straight onto the caller's surface.
void SWindow::PaintCache(IPaintSurface* rt, IPaintSurface* cache)
{
    cache->ClearRect(&m_rcWindow, 0);
    SRefPtr<IPaintObject> oldFont;
    cache->SelectObject(rt->GetSelectedObject(OT_FONT), oldFont.Put());
    cache->SetTextColor(rt->GetTextColor());
    DeliverSwndMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(cache));
    DeliverSwndMessage(WM_PAINT, reinterpret_cast<WPARAM>(cache));
    if (oldFont)
        cache->SelectObject(oldFont.Get(), nullptr);
    m_flags &= ~Flag_CacheDirty;
}

void SWindow::PaintNonClient(IPaintSurface* rt)
{
    const RECT rcClient = GetClientRect();
    if (::EqualRect(&m_rcWindow, &rcClient))
        return;
    IPaintSurface* cache = IsCached() ? m_surfaces.Get(SwndRenderCache::Kind::Cache) : nullptr;
    if (cache) {
        DeliverSwndMessage(WM_NCPAINT, reinterpret_cast<WPARAM>(cache));
        int cookie = 0;
        rt->SaveClip(&cookie);
        rt->PushClipRect(&rcClient, RGN_OP_DIFF);
        PushShapeClip(rt, RGN_OP_AND);
        rt->AlphaBlendFromSurface(&m_rcWindow, cache, &m_rcWindow, IsLayered() ? 255 : GetAlpha());
        rt->RestoreClip(cookie);
        return;
    }
    const BOOL shaped = PushShapeClip(rt, RGN_OP_AND);
    DeliverSwndMessage(WM_NCPAINT, reinterpret_cast<WPARAM>(rt));
    if (shaped)
        rt->PopClip();
}

void SWindow::RedrawDirtyRegion()
{
    if (m_style.HasFlag(SwndStyle::Flag_BkgndBlend) || !m_dirtyRegion || m_dirtyRegion->IsEmpty())
        return;
    const SRefPtr<IPaintRegion> region = std::move(m_dirtyRegion);
    RECT box;
    region->GetRgnBox(&box);
    if (!IsVisible(TRUE))
        return;
    IPaintSurface* rt = GetRenderTarget(&box, PaintFlag_Plain, TRUE);
    if (!rt)
        return;
    rt->PushClipRegion(region.Get(), RGN_OP_AND);
    DeliverSwndMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(rt));
    DeliverSwndMessage(WM_PAINT, reinterpret_cast<WPARAM>(rt));
    PaintForegroundFromRoot(rt, &box);
    rt->PopClip();
    if (IsUpdateLocked())
        rt->Release();
    else
        ReleaseRenderTarget(rt);
}

} // namespace DUI
