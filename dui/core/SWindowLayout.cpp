// SWindow: its part in its parent's layout: the rectangles it answers, how a
// change marks layouts dirty up the tree, how it takes a new rectangle and
// arranges its children, and how it measures its text and children.
#include "dui/core/SWindow.h"

#include <algorithm>

#include "dui/res.mgr/SFontPool.h"
#include "dui/res.mgr/SImageLoader.h"

namespace DUI {

namespace {

// An extent with no bound, in both measurements and limits.
constexpr int kUnbounded = 10000;

RECT Deflate(const RECT& rc, const RECT& by)
{
    return RECT{rc.left + by.left, rc.top + by.top, rc.right - by.right, rc.bottom - by.bottom};
}

// Moves in each side whose extent is still positive, never inside out.
void DeflateKeepingOrder(RECT& rc, const RECT& by)
{
    if (rc.right - rc.left > 0) {
        rc.left += by.left;
        rc.right = std::max(rc.left, rc.right - by.right);
    }
    if (rc.bottom - rc.top > 0) {
        rc.top += by.top;
        rc.bottom = std::max(rc.top, rc.bottom - by.bottom);
    }
}

// The font pool's measuring surface, or a surface of its own from the
// font's or the loader's render factory when there is no pool.
SRefPtr<IPaintSurface> MeasureSurface(IFont* font)
{
    if (SFontPool* pool = SFontPool::GetInstance())
        return SRefPtr<IPaintSurface>::Share(pool->GetMeasureSurface());
    IPaintFactory* factory = font ? font->GetFactory() : GetLoaderPaintFactory();
    IPaintSurface* made = nullptr;
    if (!factory || FAILED(factory->CreateSurface(1, 1, &made)))
        return SRefPtr<IPaintSurface>();
    return SRefPtr<IPaintSurface>::Adopt(made);
}

} // namespace

BOOL SWindow::WrapsContent() const
{
    return m_layoutParam && m_layoutParam->IsWrapContent(Any);
}

BOOL SWindow::MatchesParent() const
{
    return m_layoutParam && m_layoutParam->IsMatchParent(Any);
}

BOOL SWindow::SetLayoutParam(ILayoutParam* param)
{
    if (!param)
        return FALSE;
    if (m_parent && m_parent->m_layout && !m_parent->m_layout->IsParamAcceptable(param))
        return FALSE;
    m_layoutParam.Reset(param);
    InvalidateMeasure();
    return TRUE;
}

SWindow* SWindow::GetNextLayoutChild(const SWindow* after) const
{
    SWindow* child = after ? after->m_nextSibling : m_firstChild;
    while (child && (child->m_float || !(child->m_flags & (Flag_Visible | Flag_Display))))
        child = child->m_nextSibling;
    return child;
}

RECT SWindow::GetClientRect() const
{
    return Deflate(m_rcWindow, m_style.GetMargin());
}

void SWindow::GetTextRect(RECT* out) const
{
    *out = Deflate(GetClientRect(), m_style.GetPadding());
}

void SWindow::GetChildArea(RECT* out) const
{
    GetTextRect(out);
}

void SWindow::MarkLayoutDirty(SWND changed, BOOL full)
{
    m_measure.valid = false;
    if (full)
        m_layoutDirty = 1;
    else if (m_layoutDirty != 1)
        m_layoutDirty = (changed == m_swnd || WrapsContent()) ? 1 : 2;
    if (m_parent && (m_parent->m_flags & Flag_Visible))
        m_parent->MarkLayoutDirty(changed, WrapsContent() || !(m_flags & Flag_Display));
    else if (m_parent)
        m_parent->InvalidateMeasure();
}

void SWindow::InvalidateMeasure(MeasureScope scope)
{
    for (SWindow* w = this; w; w = w->m_parent)
        w->m_measure.valid = false;
    if (scope == MeasureScope::Self)
        return;
    // Pre-order without recursion: the tree may be deep.
    for (SWindow* w = m_firstChild; w;) {
        w->m_measure.valid = false;
        if (w->m_firstChild) {
            w = w->m_firstChild;
            continue;
        }
        while (w != this && !w->m_nextSibling)
            w = w->m_parent;
        w = w == this ? nullptr : w->m_nextSibling;
    }
}

int SWindow::SizingKey(int orientation, int scale) const
{
    if (!m_layoutParam || m_layoutParam->IsWrapContent(orientation))
        return -1;
    if (m_layoutParam->IsMatchParent(orientation))
        return -2;
    return m_layoutParam->IsSpecifiedSize(orientation) ? m_layoutParam->GetSpecifiedSize(orientation).ToPixel(scale)
                                                       : -3;
}

void SWindow::UpdateLayout()
{
    if (m_layoutDirty == 0)
        return;
    if (m_childCount > 0)
        ArrangeChildren();
    m_layoutDirty = 0;
}

void SWindow::ArrangeChildren()
{
    if (m_layoutDirty == 2) {
        for (SWindow* child = GetNextLayoutChild(nullptr); child; child = GetNextLayoutChild(child)) {
            if (child->m_layoutDirty != 0) {
                child->ArrangeChildren();
                child->m_layoutDirty = 0;
            }
        }
        return;
    }
    if (m_layout)
        m_layout->LayoutChildren(this);
    RECT area;
    GetChildArea(&area);
    for (SWindow* child = m_firstChild; child; child = child->m_nextSibling) {
        if (!child->m_float)
            continue;
        child->OnFloatAreaChanged(area);
        if (child->m_layoutDirty != 0) {
            child->ArrangeChildren();
            child->m_layoutDirty = 0;
        }
    }
}

BOOL SWindow::OnRectChanged(const RECT& rc)
{
    if (::EqualRect(&rc, &m_rcWindow) && m_layoutDirty == 0)
        return FALSE;
    if (!::EqualRect(&rc, &m_rcWindow)) {
        m_layoutDirty = 1;
        InvalidateRect(nullptr);
        m_rcWindow = rc;
        m_rcWindow.right = std::max(m_rcWindow.left, m_rcWindow.right);
        m_rcWindow.bottom = std::max(m_rcWindow.top, m_rcWindow.bottom);
        InvalidateRect(nullptr);
        DeliverSwndMessage(WM_NCCALCSIZE);
    }
    if (m_flags & Flag_Visible) {
        if (m_layoutDirty != 0 && m_childCount > 0)
            ArrangeChildren();
        m_layoutDirty = 0;
    }
    const RECT client = GetClientRect();
    DeliverSwndMessage(WM_SIZE, 0,
                       MAKELPARAM(client.right - client.left, client.bottom - client.top));
    return TRUE;
}

void SWindow::Move(const RECT* rc)
{
    InvalidateMeasure();
    if (rc) {
        m_float = TRUE;
        const RECT copy = *rc;
        OnRectChanged(copy);
    } else if (m_parent) {
        m_float = FALSE;
        MarkLayoutDirty(m_swnd, TRUE);
    }
}

void SWindow::OnContentChanged()
{
    InvalidateMeasure();
    const BOOL shown = IsVisible(TRUE);
    if (shown)
        InvalidateClient();
    if (WrapsContent()) {
        MarkLayoutDirty(m_swnd, TRUE);
        if (shown)
            InvalidateClient();
    } else if (MatchesParent() && m_parent) {
        m_parent->OnContentChanged();
    }
}

SIZE SWindow::MeasureDesiredSize(int width, int height)
{
    // Layouts ask the same questions again while they place and while their
    // parents measure; a laid-out tree must not measure all its text anew
    // when one leaf changes.
    const int scale = GetScale();
    const MeasureCache key = {true, width, height, scale, SizingKey(Horz, scale), SizingKey(Vert, scale), {}};
    if (m_measure.valid && m_measure.width == key.width && m_measure.height == key.height &&
        m_measure.scale == key.scale && m_measure.horz == key.horz && m_measure.vert == key.vert)
        return m_measure.size;
    // A free extent measures a match-parent window by its content.
    const BOOL freeWidth = width < 0 && m_layoutParam && m_layoutParam->IsMatchParent(Horz);
    const BOOL freeHeight = height < 0 && m_layoutParam && m_layoutParam->IsMatchParent(Vert);
    if (freeWidth) m_layoutParam->SetWrapContent(Horz);
    if (freeHeight) m_layoutParam->SetWrapContent(Vert);
    const SIZE size = MeasureContent(width, height);
    if (freeWidth) m_layoutParam->SetMatchParent(Horz);
    if (freeHeight) m_layoutParam->SetMatchParent(Vert);
    m_measure = key;
    m_measure.size = size;
    return size;
}

SIZE SWindow::MeasureContent(int parentWidth, int parentHeight)
{
    const RECT available = {0, 0, parentWidth >= 0 ? parentWidth : kUnbounded,
                            parentHeight >= 0 ? parentHeight : kUnbounded};
    const int scale = GetScale();
    ILayoutParam* param = m_layoutParam.Get();
    auto extent = [&](int o, int avail) {
        if (!param)
            return kUnbounded;
        if (param->IsSpecifiedSize(o))
            return param->GetSpecifiedSize(o).ToPixel(scale);
        return param->IsMatchParent(o) ? avail : kUnbounded;
    };
    SIZE size = {extent(Horz, available.right), extent(Vert, available.bottom)};
    if (size.cx != kUnbounded && size.cy != kUnbounded)
        return size;

    const RECT padding = m_style.GetPadding();
    const RECT margin = m_style.GetMargin();
    UINT format = m_style.GetTextAlign() & ~0x0Fu;
    int limit = size.cx;
    if (param && param->IsWrapContent(Horz))
        limit = m_maxWidth.IsWrapContent() ? -1 : m_maxWidth.ToPixel(scale);
    if (limit == -1) {
        limit = kUnbounded;
    } else {
        limit -= padding.left + padding.right;
        format |= DT_WORDBREAK;
    }
    const SIZE text = MeasureText(RECT{0, 0, std::max(limit, 10), size.cy}, format);

    RECT inner = available;
    DeflateKeepingOrder(inner, padding);
    DeflateKeepingOrder(inner, margin);
    const SIZE children = m_layout ? m_layout->MeasureChildren(this, inner.right - inner.left, inner.bottom - inner.top)
                                   : SIZE{0, 0};
    if (param && param->IsWrapContent(Horz))
        size.cx = std::max(text.cx, children.cx) + margin.left + margin.right + padding.left + padding.right;
    if (param && param->IsWrapContent(Vert))
        size.cy = std::max(text.cy, children.cy) + margin.top + margin.bottom + padding.top + padding.bottom;
    return size;
}

SIZE SWindow::MeasureText(const RECT& box, UINT format)
{
    const SStringW text = GetWindowText(FALSE);
    if (text.IsEmpty())
        return SIZE{0, 0};
    // The font the window would paint with: its own, else the nearest
    // ancestor's, as painting selects them from the root down.
    IFont* font = nullptr;
    for (const SWindow* w = this; w && !font; w = w->m_parent)
        font = w->m_style.GetTextFont(0);
    SRefPtr<IPaintSurface> surface = MeasureSurface(font);
    if (!surface)
        return SIZE{0, 0};
    IPaintObject* old = nullptr;
    if (font)
        surface->SelectObject(font, &old);
    const SRefPtr<IPaintObject> previous = SRefPtr<IPaintObject>::Adopt(old);
    RECT rc = box;
    surface->DrawTextBox(text, text.GetLength(), &rc, format | DT_CALCRECT);
    if (previous)
        surface->SelectObject(previous.Get(), nullptr);
    return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

} // namespace DUI
