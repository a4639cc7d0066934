// SWindow: drawing outside the host's paint cycle. A window borrows a
// surface for part of itself, draws, and gives it back; the windows below
// and above it are drawn around its own drawing so translucency holds, and
// a window inside a layered ancestor draws into that ancestor's layer.
#include "dui/core/SWindow.h"

#include "dui/core/SPaintObjects.h"

namespace DUI {

namespace {

// The paint order where the windows above `w`'s subtree start, or -1.
int NextSubtreeZorder(const SWindow* w)
{
    for (; w; w = w->GetParent()) {
        if (const SWindow* next = w->GetRelatedWindow(GSW_NEXTSIBLING))
            return next->GetZorder();
    }
    return -1;
}

} // namespace

IPaintSurface* SWindow::GetRenderTarget(const RECT* rc, DWORD flags, BOOL clientOnly)
{
    RECT area = clientOnly ? GetClientRect() : m_rcWindow;
    if (rc && !::IntersectRect(&area, &area, rc))
        ::SetRectEmpty(&area);
    const SRefPtr<IPaintRegion> region = NewPaintRegion(area);
    return region ? GetRenderTarget(flags, region.Get()) : nullptr;
}

IPaintSurface* SWindow::GetRenderTarget(DWORD flags, IPaintRegion* rgn)
{
    // Whatever is drawn while updates are locked must never reach the host.
    if (IsUpdateLocked())
        return NewPaintSurface(0, 0).Detach();
    auto state = std::make_unique<SwndRenderCache::Lent>();
    state->flags = flags;
    rgn->GetRgnBox(&state->box);
    for (const SWindow* p = m_parent; p; p = p->m_parent) {
        const RECT client = p->GetClientRect();
        if (!::IntersectRect(&state->box, &state->box, &client))
            ::SetRectEmpty(&state->box);
    }
    state->region = NewPaintRegion(state->box);
    if (!state->region)
        return nullptr;
    state->region->CombineRegion(rgn, RGN_OP_AND);
    if (m_container)
        m_container->UpdateZorder();

    SWindow* layered = GetLayeredAncestor();
    IPaintSurface* rt = nullptr;
    if (layered) {
        rt = layered->GetLayerRenderTarget();
        rt->AddRef();
    } else if (m_container) {
        rt = m_container->OnGetRenderTarget(state->box, flags);
    }
    if (!rt)
        return nullptr;
    rt->PushClipRegion(state->region.Get(), RGN_OP_COPY);
    if (flags & PaintFlag_Background) {
        rt->ClearRect(&state->box, 0);
        (layered ? layered : GetRoot())->DispatchPaint(rt, state->region.Get(), 0, m_zorder);
    }
    ApplyInheritedPaintState(rt);
    m_surfaces.Lend(std::move(state));
    return rt;
}

void SWindow::ReleaseRenderTarget(IPaintSurface* rt)
{
    if (!rt)
        return;
    const std::unique_ptr<SwndRenderCache::Lent> state = m_surfaces.TakeLent();
    if (IsUpdateLocked() || !state) {
        rt->Release();
        return;
    }
    SWindow* layered = GetLayeredAncestor();
    if (state->flags & PaintFlag_Background)
        (layered ? layered : GetRoot())->DispatchPaint(rt, state->region.Get(), m_zorder + 1, -1);
    rt->PopClip();
    if (!layered) {
        if (m_container)
            m_container->OnReleaseRenderTarget(rt, state->box, state->flags);
        else
            rt->Release();
        return;
    }
    rt->Release();
    if (!(state->flags & PaintFlag_NoDraw))
        ComposeLayer(layered, *state);
}

// The host image of the box: the tree below the layered window, its layer
// at its alpha, and the tree above it.
void SWindow::ComposeLayer(SWindow* layered, const SwndRenderCache::Lent& state)
{
    IPaintSurface* out = m_container ? m_container->OnGetRenderTarget(state.box, PaintFlag_Plain) : nullptr;
    if (!out)
        return;
    SWindow* root = GetRoot();
    out->PushClipRegion(state.region.Get(), RGN_OP_COPY);
    out->ClearRect(&state.box, 0);
    root->DispatchPaint(out, state.region.Get(), 0, layered->m_zorder);
    out->AlphaBlendFromSurface(&state.box, layered->GetLayerRenderTarget(), &state.box, layered->GetAlpha());
    const int above = NextSubtreeZorder(layered);
    if (above != -1)
        root->DispatchPaint(out, state.region.Get(), above, -1);
    out->PopClip();
    m_container->OnReleaseRenderTarget(out, state.box, PaintFlag_Plain);
}

void SWindow::PaintTreeRange(IPaintSurface* rt, const RECT* rc, SWindow* from, int firstZ, int endZ, BOOL clear)
{
    RECT area = m_rcWindow;
    if (rc && !::IntersectRect(&area, &area, rc))
        return;
    const SRefPtr<IPaintRegion> region = NewPaintRegion(area);
    if (!region || FAILED(rt->PushClipRect(&area, RGN_OP_AND)))
        return;
    if (clear)
        rt->ClearRect(&area, 0);
    if (m_container)
        m_container->UpdateZorder();
    from->DispatchPaint(rt, region.Get(), firstZ, endZ);
    rt->PopClip();
}

void SWindow::PaintBackground(IPaintSurface* rt, const RECT* rc)
{
    PaintTreeRange(rt, rc, GetRoot(), 0, m_zorder, TRUE);
}

void SWindow::PaintForeground(IPaintSurface* rt, const RECT* rc)
{
    PaintTreeRange(rt, rc, m_parent ? m_parent : this, m_zorder + 1, -1, FALSE);
}

void SWindow::PaintForegroundFromRoot(IPaintSurface* rt, const RECT* rc)
{
    PaintTreeRange(rt, rc, GetRoot(), m_zorder + 1, -1, FALSE);
}

void SWindow::RedrawNonClient()
{
    const RECT rcClient = GetClientRect();
    SRefPtr<IPaintRegion> region = NewPaintRegion(m_rcWindow);
    if (!region)
        return;
    region->CombineRect(&rcClient, RGN_OP_DIFF);
    if (m_shapeRegion) {
        m_shapeRegion->Offset({m_rcWindow.left, m_rcWindow.top});
        region->CombineRegion(m_shapeRegion.Get(), RGN_OP_AND);
        m_shapeRegion->Offset({-m_rcWindow.left, -m_rcWindow.top});
    }
    if (region->IsEmpty())
        return;
    IPaintSurface* rt = GetRenderTarget(PaintFlag_Plain, region.Get());
    if (!rt)
        return;
    PaintBackground(rt, &m_rcWindow);
    DeliverSwndMessage(WM_NCPAINT, reinterpret_cast<WPARAM>(rt));
    PaintForegroundFromRoot(rt, &m_rcWindow);
    if (IsUpdateLocked())
        rt->Release();
    else
        ReleaseRenderTarget(rt);
}

} // namespace DUI
