// SHeaderCtrl: painting, and the mouse: hot tracking, presses, resizing by
// a divider and dragging an item to another place.
#include "dui/control/SHeaderCtrl.h"

#include <algorithm>
#include <cstring>

#include "dui/control/HeaderEvents.h"
#include "dui/control/SControlSkin.h"
#include "dui/core/CDragWnd.h"
#include "dui/core/SPaintObjects.h"
#include "dui/core/base/SMsgPoint.h"

namespace DUI {

namespace {

constexpr BYTE kDragAlpha = 128;
constexpr int kSkinStateBeyond = 3;

} // namespace

BOOL SHeaderCtrl::OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    const POINT pt = PointFromLParam(lp);
    result = 0;
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        OnPress(pt);
        return TRUE;
    case WM_LBUTTONUP:
        OnRelease(pt);
        return TRUE;
    case WM_MOUSEMOVE:
        OnMouseMove(static_cast<UINT>(wp), pt);
        return TRUE;
    case WM_MOUSELEAVE:
        if (!m_dragging) {
            if (IsInside(m_hit) && m_sortHeader)
                SetItemState(LOWORD(m_hit), 0, TRUE);
            m_hit = kNoHit;
        }
        return SWindow::OnSwndMessage(msg, wp, lp, result);
    case WM_ACTIVATEAPP:
        if (m_dragging)
            CancelDrag();
        return TRUE;
    case WM_DESTROY: {
        if (m_dragging)
            CancelDrag();
        SEventSet* events = GetEventSet();
        const BOOL muted = events->IsMuted();
        events->SetMutedState(TRUE);
        DeleteAllItems();
        events->SetMutedState(muted);
        return SWindow::OnSwndMessage(msg, wp, lp, result);
    }
    default:
        return SWindow::OnSwndMessage(msg, wp, lp, result);
    }
}

void SHeaderCtrl::SetItemState(int index, DWORD state, BOOL redraw)
{
    if (index < 0 || index >= GetItemCount())
        return;
    m_items[static_cast<size_t>(index)].state = state;
    if (redraw)
        RedrawItem(index);
}

void SHeaderCtrl::RedrawItem(int index)
{
    const RECT rc = GetItemRect(index);
    if (::IsRectEmpty(&rc) || !IsVisible(TRUE))
        return;
    IPaintSurface* rt = GetRenderTarget(&rc, PaintFlag_Background, TRUE);
    if (!rt)
        return;
    DrawItem(rt, rc, m_items[static_cast<size_t>(index)]);
    ReleaseRenderTarget(rt);
}

void SHeaderCtrl::OnPress(POINT pt)
{
    SetCapture();
    m_ptClick = pt;
    m_hit = HitTestItem(pt);
    if (IsInside(m_hit) && m_sortHeader)
        SetItemState(LOWORD(m_hit), 2, TRUE);
    else if (IsDivider(m_hit))
        m_widthBefore = GetItemWidth(LOWORD(m_hit));
}

void SHeaderCtrl::OnMouseMove(UINT flags, POINT pt)
{
    if (!m_dragging) {
        if (!(flags & MK_LBUTTON)) {
            HotTrack(pt);
            return;
        }
        if (IsInside(m_hit) && m_itemSwap && GetCapture() == GetSwnd())
            StartDrag();
    }
    if (!(flags & MK_LBUTTON) || m_hit == kNoHit)
        return;
    if (IsInside(m_hit) && m_dragging)
        DragTo(pt);
    else if (IsDivider(m_hit) && !m_fixWidth)
        ResizeTo(pt);
}

void SHeaderCtrl::HotTrack(POINT pt)
{
    const DWORD r = HitTestItem(pt);
    if (r == m_hit)
        return;
    if (m_sortHeader) {
        if (IsInside(m_hit))
            SetItemState(LOWORD(m_hit), 0, TRUE);
        if (IsInside(r))
            SetItemState(LOWORD(r), 1, TRUE);
    }
    m_hit = r;
}

// The drag starts at the first move with the button down: no threshold.
void SHeaderCtrl::StartDrag()
{
    const int index = LOWORD(m_hit);
    m_dragTarget = index;
    m_dragging = true;
    InvalidateClient();
    UpdateWindow();
    m_dragBitmap = MakeDragBitmap(index);
    const RECT rc = GetItemRect(index);
    if (m_dragBitmap)
        CDragWnd::BeginDrag(m_dragBitmap.Get(), POINT{m_ptClick.x - rc.left, m_ptClick.y - rc.top}, 0, kDragAlpha,
                            LWA_ALPHA);
}

// The picture moves along the header only: its height stays at the press.
void SHeaderCtrl::DragTo(POINT pt)
{
    POINT screen = {pt.x, m_ptClick.y};
    if (HWND host = GetContainer() ? GetContainer()->GetHostHwnd() : nullptr) {
        RECT onHost = {screen.x, screen.y, screen.x, screen.y};
        GetContainer()->MapRectToHost(&onHost);
        screen = POINT{onHost.left, onHost.top};
        ::ClientToScreen(host, &screen);
    }
    CDragWnd::DragMove(screen);
    const DWORD r = HitTestItem(pt);
    if (IsInside(r) && LOWORD(r) != m_dragTarget) {
        m_dragTarget = LOWORD(r);
        InvalidateClient();
        UpdateWindow();
    }
}

void SHeaderCtrl::ResizeTo(POINT pt)
{
    const int index = LOWORD(m_hit);
    if (index >= GetItemCount())
        return;
    const long long wanted = static_cast<long long>(m_widthBefore) + (pt.x - m_ptClick.x);
    const int width = static_cast<int>(std::clamp<long long>(wanted, 0, INT_MAX));
    SetItemPixelWidth(index, width);
    InvalidateClient();
    UpdateWindow();
    const SRefPtr<SWindow> keep = SRefPtr<SWindow>::Share(this);
    EventHeaderItemChanging e(this);
    e.iItem = index;
    e.nWidth = width;
    FireEvent(e);
    if (!IsDestroyed())
        FireRelayout();
}

void SHeaderCtrl::OnRelease(POINT pt)
{
    const SRefPtr<SWindow> keep = SRefPtr<SWindow>::Share(this);
    const DWORD press = m_hit;
    if (IsInside(press) && m_dragging) {
        Drop(pt);
    } else if (IsInside(press) && m_sortHeader) {
        SetItemState(LOWORD(press), 1, TRUE);
        EventHeaderClick e(this);
        e.iItem = LOWORD(press);
        FireEvent(e);
    } else if (IsDivider(press) && LOWORD(press) < GetItemCount()) {
        EventHeaderItemChanged e(this);
        e.iItem = LOWORD(press);
        e.nWidth = GetItemWidth(LOWORD(press));
        FireEvent(e);
        if (!IsDestroyed())
            FireRelayout();
    }
    m_dragging = false;
    ReleaseCapture();
}

void SHeaderCtrl::EndDrag()
{
    CDragWnd::EndDrag();
    m_dragBitmap.Reset();
    m_dragging = false;
}

// Removed first, then inserted at the target's index, so the item ends
// where the target stood; its order goes with it.
void SHeaderCtrl::Drop(POINT pt)
{
    const int from = LOWORD(m_hit);
    const int to = m_dragTarget;
    EndDrag();
    SetItemState(from, 0, FALSE);
    if (to >= 0 && to < GetItemCount() && to != from) {
        SHDITEM moved = m_items[static_cast<size_t>(from)];
        m_items.erase(m_items.begin() + from);
        m_items.insert(m_items.begin() + to, std::move(moved));
        EventHeaderItemSwap e(this);
        e.iOldIndex = from;
        e.iNewIndex = to < from ? to : to - 1;
        FireEvent(e);
        if (IsDestroyed())
            return;
        FireRelayout();
        if (IsDestroyed())
            return;
    }
    m_hit = HitTestItem(pt);
    m_dragTarget = -1;
    InvalidateClient();
}

void SHeaderCtrl::CancelDrag()
{
    if (m_sortHeader && IsInside(m_hit))
        SetItemState(LOWORD(m_hit), 0, FALSE);
    m_hit = kNoHit;
    m_dragTarget = -1;
    EndDrag();
    ReleaseCapture();
    InvalidateClient();
}

std::vector<int> SHeaderCtrl::DrawOrder() const
{
    std::vector<int> order;
    for (int i = 0; i < GetItemCount(); ++i)
        order.push_back(i);
    const int from = LOWORD(m_hit);
    if (m_dragging && from < GetItemCount() && m_dragTarget >= 0 && m_dragTarget < GetItemCount()) {
        order.erase(order.begin() + from);
        order.insert(order.begin() + m_dragTarget, from);
    }
    return order;
}

void SHeaderCtrl::OnPaint(IPaintSurface* rt)
{
    SPaintState state;
    BeforePaint(rt, state);
    const RECT client = GetClientRect();
    long long x = client.left;
    bool all = true;
    const int dragged = m_dragging ? LOWORD(m_hit) : -1;
    for (int index : DrawOrder()) {
        const int w = GetItemWidth(index);
        if (!IsItemVisible(index))
            continue;
        const RECT rc = {static_cast<LONG>(std::min<long long>(x, INT_MAX)), client.top,
                         static_cast<LONG>(std::min<long long>(x + w, INT_MAX)), client.bottom};
        if (index != dragged)
            DrawItem(rt, rc, m_items[static_cast<size_t>(index)]);
        x += w;
        if (rc.right >= client.right) {
            all = false;
            break;
        }
    }
    if (all && x < client.right && m_itemSkin) {
        const RECT rest = {static_cast<LONG>(x), client.top, client.right, client.bottom};
        m_itemSkin->DrawByState(rt, &rest, kSkinStateBeyond);
    }
    AfterPaint(rt, state);
}

void SHeaderCtrl::DrawItem(IPaintSurface* rt, const RECT& rc, const SHDITEM& item)
{
    if (!item.bVisible)
        return;
    if (m_itemSkin)
        m_itemSkin->DrawByState(rt, &rc, static_cast<int>(item.state));
    const SStringW text = TranslateText(item.text);
    RECT textRect = rc;
    const UINT format = GetStyle().GetTextAlign();
    DrawText(rt, text.c_str(), text.GetLength(), &textRect, format);
    if (!item.sortFlag || !m_sortSkin)
        return;
    const SIZE mark = SkinSizeOf(m_sortSkin.Get());
    const int top = rc.top + (rc.bottom - rc.top - mark.cy) / 2;
    const int left = (format & DT_RIGHT) ? rc.left + 2 : rc.right - 2 - mark.cx;
    const RECT at = {left, top, left + mark.cx, top + mark.cy};
    m_sortSkin->DrawByState(rt, &at, item.sortFlag == 1 ? 0 : 1);
}

// A 32-bit picture of the item with its own alpha, for the drag window.
SGdiObject<HBITMAP> SHeaderCtrl::MakeDragBitmap(int index)
{
    const RECT rc = GetItemRect(index);
    const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    const SRefPtr<IPaintSurface> surface = NewPaintSurface(cx, cy);
    if (!surface || cx <= 0 || cy <= 0)
        return SGdiObject<HBITMAP>();
    surface->SetViewOrigin(-rc.left, -rc.top, nullptr);
    ApplyInheritedPaintState(surface.Get());
    DrawItem(surface.Get(), rc, m_items[static_cast<size_t>(index)]);
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), cx, -cy, 1, 32, BI_RGB};
    void* bits = nullptr;
    SGdiObject<HBITMAP> bitmap(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    auto* pixels = static_cast<IPaintBitmap*>(surface->GetSelectedObject(OT_BITMAP));
    if (!bitmap || !pixels)
        return SGdiObject<HBITMAP>();
    void* from = pixels->LockPixels();
    std::memcpy(bits, from, static_cast<size_t>(cx) * cy * 4);
    pixels->UnlockPixels(from);
    return bitmap;
}

} // namespace DUI
