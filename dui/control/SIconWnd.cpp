#include "dui/control/SIconWnd.h"

#include "dui/res.mgr/SResProviderMgr.h"

namespace DUI {

HRESULT SIconWnd::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    if (name.CompareNoCase(L"src") != 0)
        return SWindow::SetAttribute(name, value, loading);
    SetIcon(nullptr);
    SResProviderMgr* res = SResProviderMgr::GetInstance();
    SetIcon(res ? res->LoadIconFromText(value.c_str()) : nullptr);
    return AfterSetAttribute(name, value, loading, S_FALSE);
}

void SIconWnd::SetIcon(HICON icon)
{
    m_icon.Reset(icon);
}

// The hot spot of an icon is its centre.
SIZE SIconWnd::MeasureContent(int, int)
{
    ICONINFO info = {};
    if (!m_icon || !::GetIconInfo(m_icon.Get(), &info))
        return SIZE{0, 0};
    const SGdiObject<HBITMAP> mask(info.hbmMask), color(info.hbmColor);
    return SIZE{static_cast<LONG>(info.xHotspot * 2), static_cast<LONG>(info.yHotspot * 2)};
}

void SIconWnd::OnPaint(IPaintSurface* rt)
{
    if (!rt || !m_icon)
        return;
    const RECT client = GetClientRect();
    rt->DrawIcon(client.left, client.top, m_icon.Get(), client.right - client.left, client.bottom - client.top,
                DI_NORMAL);
}

} // namespace DUI
