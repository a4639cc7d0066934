#include "dui/core/SHostPresenter.h"

#include <optional>

#include "dui/core/base/IRender.h"
#include "dui/core/ISwndContainer.h"
#include "dui/core/base/SHandle.h"

namespace DUI {

namespace {

// Gives a surface's DC back at the end of the scope.
class SSurfaceDC
{
public:
    explicit SSurfaceDC(IPaintSurface* surface) : m_surface(surface), m_dc(surface->GetDC(0)) {}
    ~SSurfaceDC() { m_surface->ReleaseDC(m_dc); }
    SSurfaceDC(const SSurfaceDC&) = delete;
    SSurfaceDC& operator=(const SSurfaceDC&) = delete;
    operator HDC() const { return m_dc; }

private:
    IPaintSurface* m_surface;
    HDC m_dc;
};

} // namespace

BOOL UpdateLayeredFromSurface(HWND hwnd, IPaintSurface* surface, BYTE alpha, const RECT* dirty)
{
    RECT wnd = {};
    if (!surface || !::GetWindowRect(hwnd, &wnd))
        return FALSE;
    POINT dst = {wnd.left, wnd.top};
    SIZE size = {wnd.right - wnd.left, wnd.bottom - wnd.top};
    RECT all = {0, 0, size.cx, size.cy};
    RECT rc = all;
    if (dirty && !::IntersectRect(&rc, dirty, &all))
        return TRUE;   // nothing of the window changed
    POINT src = {0, 0};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
    SSurfaceDC srcDc(surface);
    UPDATELAYEREDWINDOWINFO info = {sizeof(info), nullptr, &dst, &size, srcDc, &src, 0, &blend, ULW_ALPHA, &rc};
    if (::UpdateLayeredWindowIndirect(hwnd, &info))
        return TRUE;
    // A system without partial updates takes the whole image.
    return ::UpdateLayeredWindow(hwnd, nullptr, &dst, &size, srcDc, &src, 0, &blend, ULW_ALPHA);
}

void SHostPresenter::OnHostPresent(HDC dc, IPaintSurface* surface, const RECT& rc, BYTE alpha)
{
    HWND hwnd = m_host->GetHostHwnd();
    if (m_host->IsTranslucent()) {
        UpdateLayeredFromSurface(hwnd, surface, alpha, &rc);
        return;
    }
    std::optional<SWindowDC> own;
    if (!dc)
        dc = own.emplace(hwnd).Get();
    HDC device = dc;
    SSurfaceDC srcDc(surface);
    ::BitBlt(device, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, srcDc, rc.left, rc.top, SRCCOPY);
}

void SHostPresenter::OnHostAlpha(BYTE alpha)
{
    ::SetLayeredWindowAttributes(m_host->GetHostHwnd(), 0, alpha, LWA_ALPHA);
}

} // namespace DUI
