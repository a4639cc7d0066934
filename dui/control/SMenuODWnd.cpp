#include "dui/control/SMenuODWnd.h"

#include <algorithm>
#include <cwctype>

#include "dui/control/SMenuItemData.h"
#include "dui/core/SPaintObjects.h"

namespace DUI {

namespace {

// A separator without a skin of its own is a thin gap.
constexpr int kBareSeparatorHeight = 3;

void SelectFont(IPaintSurface* rt, IFont* font)
{
    if (font)
        rt->SelectObject(font, nullptr);
}

} // namespace

SMenuODWnd::SMenuODWnd(HWND owner, SMenuAttr* attr) : m_owner(owner), m_attr(SRefPtr<SMenuAttr>::Share(attr)) {}

SMenuODWnd::~SMenuODWnd()
{
    if (GetHwnd() && ::IsWindow(GetHwnd()))
        ::DestroyWindow(GetHwnd());
}

HWND SMenuODWnd::Create()
{
    return CreateWindow(L"", WS_POPUP, WS_EX_NOACTIVATE, 0, 0, 0, 0, nullptr, nullptr);
}

BOOL SMenuODWnd::ProcessWindowMessage(HWND, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result, DWORD mapId)
{
    if (mapId != 0)
        return FALSE;
    switch (msg) {
    case WM_INITMENU:
    case WM_INITMENUPOPUP:
    case WM_MENUSELECT:
        if (m_owner && ::IsWindow(m_owner))
            ::SendMessageW(m_owner, msg, wp, lp);
        result = 0;
        return TRUE;
    default:
        break;
    }
    if (msg == WM_MENUCHAR) {
        result = OnMenuChar(static_cast<wchar_t>(LOWORD(wp)), reinterpret_cast<HMENU>(lp));
        return TRUE;
    }
    return ProcessOwnerDraw(msg, wp, lp, result);
}

LRESULT SMenuODWnd::OnMenuChar(wchar_t ch, HMENU menu)
{
    const wchar_t key = static_cast<wchar_t>(std::towlower(ch));
    const int count = menu ? ::GetMenuItemCount(menu) : 0;
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW mii = {sizeof(mii)};
        mii.fMask = MIIM_DATA | MIIM_STATE | MIIM_FTYPE;
        if (!::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mii) || (mii.fType & MFT_SEPARATOR))
            continue;
        const auto* data = reinterpret_cast<const SMenuItemData*>(mii.dwItemData);
        // A grayed item is out of reach of its key as of the mouse.
        if (data && data->key == key && !(mii.fState & MFS_DISABLED))
            return MAKELRESULT(i, MNC_EXECUTE);
    }
    return 0;
}

void SMenuODWnd::MeasureItem(MEASUREITEMSTRUCT* mis)
{
    if (!mis || mis->CtlType != ODT_MENU || !m_attr)
        return;
    const auto* data = reinterpret_cast<const SMenuItemData*>(mis->itemData);
    if (!data) {
        ISkinObj* sep = m_attr->GetSepSkin();
        mis->itemHeight = sep ? static_cast<UINT>(sep->GetSkinSize().cy) : kBareSeparatorHeight;
        mis->itemWidth = 0;
        return;
    }
    int width = m_attr->GetIconSize().cx + 2 * m_attr->GetIconMargin() + MeasureCaption(data->text) +
                2 * m_attr->GetTextMargin();
    const int most = m_attr->GetMaxWidth();
    if (most >= 0 && most < width)
        width = most;
    mis->itemWidth = static_cast<UINT>(std::max(width, 0));
    mis->itemHeight = static_cast<UINT>(std::max(m_attr->GetItemHeight(), 0));
}

int SMenuODWnd::MeasureCaption(const SStringW& text) const
{
    SRefPtr<IPaintSurface> rt = NewPaintSurface(1, 1);
    if (!rt || text.IsEmpty())
        return 0;
    SelectFont(rt.Get(), m_attr->GetFont());
    RECT rc = {0, 0, 0, 0};
    rt->DrawTextBox(text.c_str(), text.GetLength(), &rc, DT_SINGLELINE | DT_CALCRECT);
    return rc.right - rc.left;
}

void SMenuODWnd::DrawItem(DRAWITEMSTRUCT* dis)
{
    if (!dis || dis->CtlType != ODT_MENU || !m_attr)
        return;
    const int width = dis->rcItem.right - dis->rcItem.left;
    const int height = dis->rcItem.bottom - dis->rcItem.top;
    SRefPtr<IPaintSurface> rt = width > 0 && height > 0 ? NewPaintSurface(width, height) : SRefPtr<IPaintSurface>();
    if (!rt)
        return;
    const RECT rc = {0, 0, width, height};
    if (const auto* data = reinterpret_cast<const SMenuItemData*>(dis->itemData))
        DrawMenuItem(rt.Get(), rc, dis, *data);
    else
        DrawSeparator(rt.Get(), rc);
    HDC src = rt->GetDC(0);
    ::BitBlt(dis->hDC, dis->rcItem.left, dis->rcItem.top, width, height, src, 0, 0, SRCCOPY);
    rt->ReleaseDC(src);
}

void SMenuODWnd::DrawSeparator(IPaintSurface* rt, const RECT& rc)
{
    if (ISkinObj* sep = m_attr->GetSepSkin())
        sep->DrawByState(rt, &rc, 0);
}

BOOL SMenuODWnd::IsRadioItem(const DRAWITEMSTRUCT* dis)
{
    MENUITEMINFOW mii = {sizeof(mii)};
    mii.fMask = MIIM_FTYPE;
    return ::GetMenuItemInfoW(reinterpret_cast<HMENU>(dis->hwndItem), dis->itemID, FALSE, &mii) &&
           (mii.fType & MFT_RADIOCHECK);
}

void SMenuODWnd::DrawMenuItem(IPaintSurface* rt, const RECT& rc, const DRAWITEMSTRUCT* dis,
                              const SMenuItemData& data)
{
    const BOOL selected = (dis->itemState & ODS_SELECTED) != 0;
    ISkinObj* item = m_attr->GetItemSkin();
    if (item)
        item->DrawByState(rt, &rc, selected && item->GetStates() > 1 ? 1 : 0);
    const SIZE iconSize = m_attr->GetIconSize();
    const int margin = m_attr->GetIconMargin();
    const int top = (rc.bottom - rc.top - iconSize.cy) / 2;
    const RECT icon = {rc.left + margin, top, rc.left + margin + iconSize.cx, top + iconSize.cy};
    ISkinObj* check = m_attr->GetCheckSkin();
    if ((dis->itemState & ODS_CHECKED) && check)
        check->DrawByState(rt, &icon, IsRadioItem(dis) ? 1 : 0);
    else if (data.icon >= 0 && m_attr->GetIconSkin())
        m_attr->GetIconSkin()->DrawByState(rt, &icon, data.icon);

    const int textMargin = m_attr->GetTextMargin();
    RECT text = {icon.right + margin + textMargin, rc.top, rc.right - textMargin, rc.bottom};
    SelectFont(rt, m_attr->GetFont());
    rt->SetTextColor((dis->itemState & ODS_GRAYED) ? m_attr->GetGrayTextColor()
                     : selected                    ? m_attr->GetSelTextColor()
                                                   : m_attr->GetTextColor());
    rt->DrawTextBox(data.text.c_str(), data.text.GetLength(), &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    if (selected && item && item->GetStates() > 2)
        item->DrawByState(rt, &rc, 2);
}

} // namespace DUI
