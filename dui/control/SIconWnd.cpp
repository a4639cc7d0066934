#include "dui/control/SIconWnd.h"

#include "dui/res.mgr/SResProviderMgr.h"
#include "dui/control/SControlAttr.h"

namespace DUI {

struct SIconWnd::AttrRows
{
    using Row = SAttrRow<SIconWnd>;

    // The icon shown so far goes before the new one loads.
    static HRESULT Source(SIconWnd& wnd, const SStringW& value, BOOL)
    {
        wnd.SetIcon(nullptr);
        SResProviderMgr* res = SResProviderMgr::GetInstance();
        wnd.SetIcon(res ? res->LoadIconFromText(value.c_str()) : nullptr);
        return S_OK;
    }

    static constexpr Row kRows[] = {
        {L"src", &Source, AttrEffect::None},
    };
    static constexpr SAttrTable kTable{kRows};
};

HRESULT SIconWnd::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    return AttrRows::kTable.Dispatch(*this, name, value, loading,
                                     [&] { return SWindow::SetAttribute(name, value, loading); });
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
