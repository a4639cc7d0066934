#include "dui/control/SLink.h"

#include <shellapi.h>

#include "dui/core/base/SMsgPoint.h"
#include "dui/res.mgr/SResProviderMgr.h"
#include "dui/control/SControlAttr.h"

namespace DUI {

SLink::SLink()
{
    SetAttribute(L"align", L"left", FALSE);
}

struct SLink::AttrRows
{
    using Row = SAttrRow<SLink>;

    static constexpr Row kRows[] = {
        {L"href", &AttrStore<SLink, &SLink::m_href, &ResolveNamedString>, AttrEffect::None},
    };
    static constexpr SAttrTable kTable{kRows};
};

HRESULT SLink::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    return AttrRows::kTable.Dispatch(*this, name, value, loading,
                                     [&] { return SWindow::SetAttribute(name, value, loading); });
}

void SLink::OnInitFinished(xmldom::xml_node element)
{
    SWindow::OnInitFinished(element);
    if (GetWindowText(TRUE).IsEmpty())
        SetWindowText(m_href);
}

BOOL SLink::OnSetCursor(POINT pt)
{
    if (!::PtInRect(&m_linkRect, pt))
        return FALSE;
    return SWindow::OnSetCursor(pt);
}

void SLink::DrawText(IPaintSurface* rt, LPCWSTR text, int len, RECT* rc, UINT format)
{
    if (!(format & DT_CALCRECT)) {
        SIZE size = {};
        rt->MeasureText(text, len, &size);
        m_linkRect = PlaceText(*rc, size);
    }
    SWindow::DrawText(rt, text, len, rc, format);
}

RECT SLink::PlaceText(const RECT& rc, SIZE size) const
{
    const UINT align = GetStyle().GetTextAlign();
    RECT box = {};
    if (align & DT_CENTER)
        box.left = rc.left + (rc.right - rc.left - size.cx) / 2;
    else if (align & DT_RIGHT)
        box.left = rc.right - size.cx;
    else
        box.left = rc.left;
    box.right = box.left + size.cx;
    if (align & DT_VCENTER)
        box.top = rc.top + (rc.bottom - rc.top - size.cy) / 2;
    else if (align & DT_BOTTOM)
        box.top = rc.bottom - size.cy;
    else
        box.top = rc.top;
    box.bottom = box.top + size.cy;
    return box;
}

BOOL SLink::IsOverText(LPARAM lp) const
{
    const POINT pt = PointFromLParam(lp);
    return ::PtInRect(&m_linkRect, pt);
}

BOOL SLink::OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_LBUTTONDOWN:
        if (IsOverText(lp))
            OnLButtonDown(static_cast<UINT>(wp), PointFromLParam(lp));
        return TRUE;
    case WM_LBUTTONUP:
        OnLinkButtonUp(wp, lp);
        return TRUE;
    case WM_MOUSEMOVE:
        OnLinkMouseMove(wp, lp);
        return TRUE;
    case WM_MOUSEHOVER:
        if (IsOverText(lp))
            OnMouseHover(static_cast<UINT>(wp), PointFromLParam(lp));
        return TRUE;
    default:
        return SWindow::OnSwndMessage(msg, wp, lp, result);
    }
}

void SLink::OnLinkButtonUp(WPARAM wp, LPARAM lp)
{
    if (!IsOverText(lp)) {
        ReleaseCapture();
        return;
    }
    // A command handler may close the window that holds the link.
    const SRefPtr<SWindow> keep = SRefPtr<SWindow>::Share(this);
    const SStringW href = m_href;
    OnLButtonUp(static_cast<UINT>(wp), PointFromLParam(lp));
    if (!href.IsEmpty())
        ::ShellExecuteW(nullptr, L"open", href.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void SLink::OnLinkMouseMove(WPARAM wp, LPARAM lp)
{
    const BOOL over = IsOverText(lp);
    const BOOL hovered = (GetState() & WndState_Hover) != 0;
    if (over && !hovered)
        OnMouseHover(static_cast<UINT>(wp), PointFromLParam(lp));
    else if (!over && hovered)
        OnMouseLeave();
}

} // namespace DUI
