// The web view's messages: creation, size, focus, mouse, wheel, keys, the
// input method, the cursor and the content size.
#include "app/online/SWkeWebkit.h"
#include "app/online/WkeBinding.h"
#include "dui/core/ISwndContainer.h"

#include <imm.h>
#include <windowsx.h>

namespace DUI {

POINT SWkeWebkit::ToView(LPARAM lp) const
{
    const RECT client = GetClientRect();
    const double r = Ratio();
    return POINT{int((GET_X_LPARAM(lp) - client.left) * r), int((GET_Y_LPARAM(lp) - client.top) * r)};
}

// The view's size in engine pixels: the client size times the ratio.
void SWkeWebkit::ResizeView()
{
    if (!m_view) return;
    const RECT client = GetClientRect();
    const double r = Ratio();
    WkeCall(g_wke.wkeResize, m_view, int((client.right - client.left) * r), int((client.bottom - client.top) * r));
}

// A new scale changes the ratio even where the client keeps its size (a
// layout in plain pixels): the view is sized again and painted anew, or its
// picture would stay at the old ratio.
void SWkeWebkit::OnScaleChanged(int scale)
{
    SWindow::OnScaleChanged(scale);
    ResizeView();
    InvalidateClient();
}

BOOL SWkeWebkit::OnMouseEvent(UINT msg, WPARAM wp, LPARAM lp)
{
    const POINT at = ToView(lp);
    const unsigned flags = unsigned(wp) & (MK_LBUTTON | MK_RBUTTON | MK_SHIFT | MK_CONTROL | MK_MBUTTON);
    auto forward = [&] { WkeCall(g_wke.wkeFireMouseEvent, false, m_view, msg, at.x, at.y, flags); };
    if (msg == WM_LBUTTONDOWN && at.y <= m_captionHeight.ToPixel(GetScale())) {
        m_captionDrag = TRUE;
        forward();
        ISwndContainer* c = GetContainer();
        if (HWND host = c ? c->GetHostHwnd() : nullptr) ::SendMessageW(host, WM_SYSCOMMAND, 0xF012, 0);
        SetFocus();
        m_captionDrag = FALSE;
        return TRUE;
    }
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        SetFocus();
        SetCapture();
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        if (m_captionDrag) return TRUE;
        ReleaseCapture();
        break;
    default:
        break;
    }
    forward();
    return TRUE;
}

void SWkeWebkit::OnImeStart()
{
    wkeRect caret = WkeCall(g_wke.wkeGetCaret, wkeRect{0, 0, 0, 0}, m_view);
    const RECT client = GetClientRect();
    ISwndContainer* c = GetContainer();
    HWND host = c ? c->GetHostHwnd() : nullptr;
    HIMC imc = host ? ImmGetContext(host) : nullptr;
    if (!imc) return;
    const POINT at{client.left + caret.x, client.top + caret.y + caret.h};
    CANDIDATEFORM cand{};
    cand.dwIndex = 0;
    cand.dwStyle = CFS_EXCLUDE;
    cand.ptCurrentPos = at;
    cand.rcArea = RECT{client.left + caret.x, client.top + caret.y, client.left + caret.x + caret.w,
        client.top + caret.y + caret.h};
    ImmSetCandidateWindow(imc, &cand);
    COMPOSITIONFORM comp{};
    comp.dwStyle = CFS_POINT;
    comp.ptCurrentPos = at;
    ImmSetCompositionWindow(imc, &comp);
    ImmReleaseContext(host, imc);
}

BOOL SWkeWebkit::OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_CREATE:
        SWindow::OnSwndMessage(msg, wp, lp, result);
        result = CreateView();
        return TRUE;
    case WM_DESTROY:
        DestroyView();
        return SWindow::OnSwndMessage(msg, wp, lp, result);
    case WM_SIZE: {
        BOOL handled = SWindow::OnSwndMessage(msg, wp, lp, result);
        ResizeView();
        return handled;
    }
    case WM_SETFOCUS: {
        BOOL handled = SWindow::OnSwndMessage(msg, wp, lp, result);
        if (m_view) WkeCall(g_wke.wkeSetFocus, m_view);
        return handled;
    }
    case WM_KILLFOCUS:
        if (m_view) WkeCall(g_wke.wkeKillFocus, m_view);
        return SWindow::OnSwndMessage(msg, wp, lp, result);
    case WM_MOUSELEAVE:
        if (m_view) WkeCall(g_wke.wkeMouseEvent, false, m_view, UINT(WM_MOUSELEAVE), 0, 0, 0u);
        return SWindow::OnSwndMessage(msg, wp, lp, result);
    case WM_MOUSEWHEEL: {
        if (!m_view) break;
        const RECT wnd = GetWindowRect();
        const double r = Ratio();
        result = 0;
        return WkeCall(g_wke.wkeFireMouseWheelEvent, false, m_view, int((GET_X_LPARAM(lp) - wnd.left) * r),
            int((GET_Y_LPARAM(lp) - wnd.top) * r), int(short(HIWORD(wp))), unsigned(LOWORD(wp)));
    }
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR: {
        if (!m_view) break;
        PFN_wkeFireKeyEvent fn = msg == WM_KEYDOWN ? g_wke.wkeFireKeyDownEvent
            : msg == WM_KEYUP                      ? g_wke.wkeFireKeyUpEvent
                                                   : g_wke.wkeFireKeyPressEvent;
        result = 0;
        return WkeCall(fn, false, m_view, unsigned(wp), KeyFlagsOf(lp), false);
    }
    case WM_IME_STARTCOMPOSITION:
        if (m_view) OnImeStart();
        break;
    default:
        if (msg >= WM_MOUSEMOVE && msg <= WM_MBUTTONDBLCLK) {
            if (!m_view) break;
            result = 0;
            return OnMouseEvent(msg, wp, lp);
        }
        break;
    }
    return SWindow::OnSwndMessage(msg, wp, lp, result);
}

BOOL SWkeWebkit::OnSetCursor(POINT)
{
    int kind = m_view ? WkeCall(g_wke.wkeGetCursorInfoType, 0, m_view) : 0;
    ::SetCursor(::LoadCursorW(nullptr, SystemCursorOf(kind)));
    return TRUE;
}

SIZE SWkeWebkit::MeasureContent(int, int)
{
    if (!m_view) return SIZE{0, 0};
    const double r = Ratio();
    return SIZE{int(WkeCall(g_wke.wkeContentsWidth, 0, m_view) / r), int(WkeCall(g_wke.wkeContentsHeight, 0, m_view) / r)};
}

} // namespace DUI
