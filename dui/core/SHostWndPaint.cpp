// SHostWnd: collecting what must be drawn again, the paint cycle into the
// memory surface, the surfaces lent to windows, presentation, the caret and
// the animated show and hide of a translucent host.
#include "dui/core/SHostWnd.h"

#include "dui/core/HostGeometry.h"
#include "dui/core/SHostPresenter.h"
#include "dui/core/SPaintObjects.h"

namespace DUI {

void SHostWnd::InvalidateHost(const RECT* rc)
{
    if (IsTranslucent() && m_dummyWnd.GetHwnd())
        ::InvalidateRect(m_dummyWnd.GetHwnd(), nullptr, FALSE);
    else if (GetHwnd())
        ::InvalidateRect(GetHwnd(), rc, FALSE);
}

void SHostWnd::OnRedraw(const RECT& rc)
{
    // An empty rectangle asks for nothing; counted as pending it would turn
    // the next paint into a full one.
    if (!GetHwnd() || !m_dirtyRegion || ::IsRectEmpty(&rc))
        return;
    m_dirtyRegion->CombineRect(&rc, RGN_OP_OR);
    m_paintPending = TRUE;
    InvalidateHost(&rc);
}

void SHostWnd::InvalidateAll()
{
    m_fullRepaint = TRUE;
    m_paintPending = TRUE;
    if (m_dirtyRegion)
        m_dirtyRegion->Clear();
    InvalidateHost(nullptr);
}

LRESULT SHostWnd::OnUpdateSwnd(SWND swnd)
{
    for (SWND pending : m_pendingRedraws) {
        if (pending == swnd)
            return 0;
    }
    if (m_pendingRedraws.empty())
        InvalidateHost(nullptr);
    m_pendingRedraws.push_back(swnd);
    return 0;
}

void SHostWnd::OnNativePaint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(GetHwnd(), &ps);
    OnPrint(IsTranslucent() ? nullptr : dc, 0);
    ::EndPaint(GetHwnd(), &ps);
}

void SHostWnd::PaintDirty(RECT& painted)
{
    m_paintPending = FALSE;
    IPaintSurface* rt = m_memSurface.Get();
    SPaintState state;
    BeforePaint(rt, state);
    // Invalidations made while the tree draws wait for the next cycle.
    const SRefPtr<IPaintRegion> region = std::move(m_dirtyRegion);
    m_dirtyRegion = NewPaintRegion();
    const RECT root = SWindow::GetWindowRect();
    if (region->IsEmpty()) {
        painted = root;
        rt->PushClipRect(&painted, RGN_OP_COPY);
    } else {
        region->GetRgnBox(&painted);
        ::IntersectRect(&painted, &painted, &root);
        rt->PushClipRegion(region.Get(), RGN_OP_COPY);
    }
    rt->ClearRect(&painted, 0);
    if (m_caretDrawn)
        DrawCaret(m_caretPos);
    UpdateZorder();
    RedrawRegion(rt, region.Get());
    if (m_caretDrawn)
        DrawCaret(m_caretPos);
    rt->PopClip();
    AfterPaint(rt, state);
}

void SHostWnd::OnPrint(HDC dc, LPARAM flags)
{
    if (!m_memSurface || !m_dirtyRegion)
        return;
    // A window's handler may close the host while it draws.
    const SRefPtr<SWindow> keep = SRefPtr<SWindow>::Share(this);
    UpdateLayout();
    if (m_fullRepaint) {
        m_dirtyRegion->Clear();
        m_fullRepaint = FALSE;
        m_paintPending = TRUE;
    }
    RECT rc = {};
    if (m_paintPending) {
        PaintDirty(rc);
    } else {
        m_dirtyRegion->GetRgnBox(&rc);
        m_dirtyRegion->Clear();
    }
    if (flags != kPrintForDummy)
        rc = SWindow::GetWindowRect();
    m_painting = TRUE;
    const RECT redrawn = ProcessPendingRedraws();
    ::UnionRect(&rc, &rc, &redrawn);
    m_painting = FALSE;
    if (m_memSurface)
        Present(dc, m_memSurface.Get(), rc, 255);
}

RECT SHostWnd::ProcessPendingRedraws()
{
    std::vector<SWND> pending;
    pending.swap(m_pendingRedraws);
    SWindowMgr* mgr = SWindowMgr::GetInstance();
    for (SWND swnd : pending) {
        if (SWindow* w = mgr ? mgr->GetWindow(swnd) : nullptr)
            w->RedrawDirtyRegion();
    }
    RECT all = {};
    for (const RECT& rc : m_pendingPresents)
        ::UnionRect(&all, &all, &rc);
    m_pendingPresents.clear();
    return all;
}

void SHostWnd::Present(HDC dc, IPaintSurface* surface, const RECT& rc, BYTE alpha)
{
    if (!m_presenter || !surface)
        return;
    // Nothing beyond the image is shown: the window may be larger for a moment.
    const SIZE size = surface->GetSize();
    const RECT image = {0, 0, size.cx, size.cy};
    RECT shown = {};
    ::IntersectRect(&shown, &rc, &image);
    m_presenter->OnHostPresent(dc, surface, shown, static_cast<BYTE>(GetAlpha() * alpha / 255));
}

IPaintSurface* SHostWnd::OnGetRenderTarget(const RECT& rc, DWORD flags)
{
    SRefPtr<IPaintSurface> surface = NewPaintSurface(rc.right - rc.left, rc.bottom - rc.top);
    if (!surface)
        return nullptr;
    surface->SetViewOrigin(-rc.left, -rc.top, nullptr);
    if (flags == PaintFlag_NoDraw || !m_memSurface)
        return surface.Detach();
    if (m_caretDrawn)
        DrawCaret(m_caretPos);
    surface->BlitFromSurface(&rc, m_memSurface.Get(), rc.left, rc.top);
    return surface.Detach();
}

void SHostWnd::OnReleaseRenderTarget(IPaintSurface* surface, const RECT& rc, DWORD flags)
{
    const SRefPtr<IPaintSurface> lent = SRefPtr<IPaintSurface>::Adopt(surface);
    if (!m_memSurface)
        return;
    if (flags != PaintFlag_NoDraw)
        m_memSurface->BlitFromSurface(&rc, surface, rc.left, rc.top);
    if (m_caretDrawn)
        DrawCaret(m_caretPos);
    if (m_painting) {
        m_pendingPresents.push_back(rc);
        return;
    }
    SWindowDC dc(GetHwnd());
    Present(dc.Get(), m_memSurface.Get(), rc, 255);
}

BOOL SHostWnd::UpdateWindow()
{
    if (m_resizing)
        return FALSE;
    HWND target = IsTranslucent() && m_dummyWnd.GetHwnd() ? m_dummyWnd.GetHwnd() : GetHwnd();
    ::UpdateWindow(target);
    return TRUE;
}

void SHostWnd::DrawCaret(POINT pos)
{
    if (!m_caret || !m_memSurface)
        return;
    const RECT drawn = m_caret->Draw(m_memSurface.Get(), pos.x, pos.y);
    if (IsTranslucent() && m_dummyWnd.GetHwnd()) {
        if (m_dirtyRegion)
            m_dirtyRegion->CombineRect(&drawn, RGN_OP_OR);
        ::InvalidateRect(m_dummyWnd.GetHwnd(), nullptr, FALSE);
    } else if (GetHwnd()) {
        ::InvalidateRect(GetHwnd(), &drawn, FALSE);
    }
}

BOOL SHostWnd::CreateCaret(SWND owner, HBITMAP bitmap, int width, int height)
{
    if (GetHwnd()) {
        ::CreateCaret(GetHwnd(), bitmap, width, height);
        ::HideCaret(GetHwnd());
    }
    if (m_caretDrawn)
        DrawCaret(m_caretPos);   // the old caret must not stay in the image
    m_caretDrawn = FALSE;
    if (bitmap) {
        BITMAP bm = {};
        if (::GetObjectW(bitmap, sizeof(bm), &bm) && (width <= 0 || height <= 0)) {
            width = bm.bmWidth;
            height = bm.bmHeight;
        }
    }
    // As for the system's caret, no size means the width and height of a
    // window border (the text services ask for a caret of width 0).
    if (width <= 0)
        width = ::GetSystemMetrics(SM_CXBORDER);
    if (height <= 0)
        height = ::GetSystemMetrics(SM_CYBORDER);
    m_caret = SRefPtr<SCaret>::Adopt(new SCaret(owner, width, height));
    return TRUE;
}

BOOL SHostWnd::ShowCaret(BOOL show)
{
    m_caretVisible = show;
    if (show) {
        SWindow::SetTimer(kCaretTimer, ::GetCaretBlinkTime());
        if (!m_caretDrawn) {
            DrawCaret(m_caretPos);
            m_caretDrawn = TRUE;
        }
    } else {
        SWindow::KillTimer(kCaretTimer);
        if (m_caretDrawn) {
            DrawCaret(m_caretPos);
            m_caretDrawn = FALSE;
        }
    }
    return TRUE;
}

BOOL SHostWnd::SetCaretPos(int x, int y)
{
    if (!m_caret)
        return FALSE;
    if (GetHwnd())
        ::SetCaretPos(x, y);
    const bool shown = m_caretVisible && m_caretDrawn;
    if (shown)
        DrawCaret(m_caretPos);
    m_caretPos = POINT{x, y};
    if (shown)
        DrawCaret(m_caretPos);
    return TRUE;
}

BOOL SHostWnd::UpdateLayeredFromRenderTarget(IPaintSurface* surface, BYTE alpha, const RECT* rc)
{
    return UpdateLayeredFromSurface(GetHwnd(), surface, alpha, rc);
}

BOOL SHostWnd::AnimateHostWindow(DWORD time, DWORD flags)
{
    if (!IsTranslucent())
        return ::AnimateWindow(GetHwnd(), time, flags);
    return AnimateLayered(time, flags);
}

BOOL SHostWnd::AnimateLayered(DWORD time, DWORD flags)
{
    const RECT client = CSimpleWnd::GetClientRect();
    const SIZE size = {client.right - client.left, client.bottom - client.top};
    SRefPtr<IPaintSurface> frame = NewPaintSurface(size.cx, size.cy);
    if (!frame || !m_memSurface)
        return FALSE;
    InvalidateAll();
    OnPrint(nullptr, kPrintForDummy);   // the whole tree into the memory surface
    const BOOL hide = (flags & AW_HIDE) != 0;
    const bool moves = (flags & (AW_SLIDE | AW_CENTER)) != 0;
    // Below 10 ms there are no frames to divide the way into.
    const int steps = static_cast<int>(time / 10);
    const BYTE alpha = m_attr.GetAlpha();
    const auto present = [&] {
        Present(nullptr, frame.Get(), client, alpha);
        ::Sleep(10);
    };
    if (!hide) {
        frame->ClearRect(&client, 0);
        Present(nullptr, frame.Get(), client, alpha);
        ::SetWindowPos(GetHwnd(), nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW | ((flags & AW_ACTIVATE) ? 0 : SWP_NOACTIVATE));
    }
    if (!moves && !(flags & AW_BLEND)) {
        // Shown already: it must not stay on the cleared image.
        if (!hide)
            Present(nullptr, m_memSurface.Get(), client, 255);
        return FALSE;
    }
    if (moves && steps > 0) {
        for (const AnimationFrame& f : AnimationFrames(client, flags, steps)) {
            frame->ClearRect(&client, 0);
            frame->BlitFromSurface(&f.visible, m_memSurface.Get(), f.source.x, f.source.y);
            present();
        }
    } else if (flags & AW_BLEND) {
        for (int i = 1; i <= steps; ++i) {
            frame->BlitFromSurface(&client, m_memSurface.Get(), 0, 0);
            const int step = hide ? 255 - 255 * i / steps : 255 * i / steps;
            Present(nullptr, frame.Get(), client, static_cast<BYTE>(alpha * step / 255));
            ::Sleep(10);
        }
    }
    if (hide) {
        ::ShowWindow(GetHwnd(), SW_HIDE);
        // The last frame is empty or faded out; showing the window again
        // must not bring that back instead of the image.
        Present(nullptr, m_memSurface.Get(), client, 255);
        return TRUE;
    }
    Present(nullptr, m_memSurface.Get(), client, 255);
    return TRUE;
}

} // namespace DUI
