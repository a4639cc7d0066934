#include "dui/core/CDragWnd.h"

#include "dui/core/base/DuiLog.h"
#include "dui/core/base/SHandle.h"
#include "dui/core/base/SSelectObject.h"

namespace DUI {

namespace {

constexpr DWORD kDragExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT;
constexpr UINT kMoveFlags = SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING;

// A memory DC compatible with another, holding a bitmap for its lifetime.
struct MemoryDC
{
    MemoryDC(HDC dc, HBITMAP bitmap) : mem(::CreateCompatibleDC(dc)), pick(mem, bitmap)
    {
        ::SetViewportOrgEx(mem, 0, 0, nullptr);
    }

    SMemDC mem;
    SSelectObject pick;   // declared after the DC: deselects before it is deleted
};

} // namespace

std::unique_ptr<CDragWnd> CDragWnd::s_drag;

CDragWnd::~CDragWnd()
{
    if (GetHwnd())
        ::DestroyWindow(GetHwnd());
}

BOOL CDragWnd::BeginDrag(HBITMAP bitmap, POINT hotSpot, COLORREF colorKey, BYTE alpha, DWORD layeredFlags)
{
    if (s_drag)
        return FALSE;
    std::unique_ptr<CDragWnd> drag(new CDragWnd());
    if (!drag->Show(bitmap, colorKey, alpha, layeredFlags))
        return FALSE;
    drag->m_hotSpot = hotSpot;
    s_drag = std::move(drag);
    return TRUE;
}

BOOL CDragWnd::Show(HBITMAP bitmap, COLORREF colorKey, BYTE alpha, DWORD layeredFlags)
{
    BITMAP info = {};
    if (::GetObjectType(bitmap) != OBJ_BITMAP || !::GetObjectW(bitmap, sizeof(info), &info)) {
        DUI_LOG_WARNING("dui", "CDragWnd::BeginDrag", L"not a bitmap");
        return FALSE;
    }
    if (!CreateWindow(L"", WS_POPUP, kDragExStyle, 0, 0, info.bmWidth, info.bmHeight, nullptr, nullptr))
        return FALSE;
    ModifyStyleEx(0, WS_EX_LAYERED);
    if (info.bmBitsPixel == 32)
        return ShowPerPixelAlpha(bitmap, SIZE{info.bmWidth, info.bmHeight}, colorKey, alpha);
    if (!::SetLayeredWindowAttributes(GetHwnd(), colorKey, alpha, layeredFlags))
        DUI_LOG_WARNING("dui", "CDragWnd::BeginDrag", L"SetLayeredWindowAttributes failed (%lu)", ::GetLastError());
    m_bitmap = bitmap;
    ::InvalidateRect(GetHwnd(), nullptr, TRUE);
    return TRUE;
}

BOOL CDragWnd::ShowPerPixelAlpha(HBITMAP bitmap, SIZE size, COLORREF colorKey, BYTE alpha)
{
    SWindowDC screen(GetHwnd());
    MemoryDC source(screen, bitmap);
    POINT origin = {0, 0};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
    if (!::UpdateLayeredWindow(GetHwnd(), screen, &origin, &size, source.mem, &origin, colorKey, &blend, ULW_ALPHA))
        DUI_LOG_WARNING("dui", "CDragWnd::BeginDrag", L"UpdateLayeredWindow failed (%lu)", ::GetLastError());
    return TRUE;
}

void CDragWnd::DragMove(POINT screen)
{
    if (!s_drag)
        return;
    ::SetWindowPos(s_drag->GetHwnd(), HWND_TOPMOST, screen.x - s_drag->m_hotSpot.x, screen.y - s_drag->m_hotSpot.y, 0,
                   0, kMoveFlags);
}

void CDragWnd::EndDrag()
{
    s_drag.reset();
}

HWND CDragWnd::GetDragHwnd()
{
    return s_drag ? s_drag->GetHwnd() : nullptr;
}

BOOL CDragWnd::ProcessWindowMessage(HWND, UINT msg, WPARAM, LPARAM, LRESULT& result, DWORD mapId)
{
    if (mapId != 0 || msg != WM_PAINT)
        return FALSE;
    OnPaint();
    result = 0;
    return TRUE;
}

void CDragWnd::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(GetHwnd(), &ps);
    if (m_bitmap) {
        MemoryDC source(dc, m_bitmap);
        const RECT client = GetClientRect();
        ::BitBlt(dc, 0, 0, client.right - client.left, client.bottom - client.top, source.mem, 0, 0, SRCCOPY);
    }
    ::EndPaint(GetHwnd(), &ps);
}

} // namespace DUI
