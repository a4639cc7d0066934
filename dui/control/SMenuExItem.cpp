#include "dui/control/SMenuExItem.h"

#include <cwchar>
#include <vector>

#include "dui/control/MenuXml.h"
#include "dui/control/SMenuEx.h"
#include "dui/control/SMenuExRoot.h"
#include "dui/core/base/DuiLog.h"
#include "dui/control/SControlAttr.h"

namespace DUI {

namespace {

constexpr int kUnboundedText = 100000;

// The icon an item draws from its own handle, in dp.
constexpr int kAutoIconSize = 16;

bool IsMenuElement(xmldom::xml_node node)
{
    return node.type() == xmldom::node_element &&
           (_wcsicmp(node.name(), L"menuItem") == 0 || _wcsicmp(node.name(), L"sep") == 0);
}

} // namespace

SMenuExItem::SMenuExItem(SMenuEx* menu, SMenuExRoot* root) : m_menu(menu), m_root(root)
{
    SetAttribute(L"trackMouseEvent", L"1", TRUE);
    GetStyle().SetAttribute(L"align", L"left", TRUE);
}

SMenuExItem::~SMenuExItem()
{
    ReleaseSubMenu();
}

void SMenuExItem::SetIcon(HICON icon)
{
    m_iconHandle.Reset(icon);
    InvalidateRect(nullptr);
}

int SMenuExItem::GetMenuDepth() const
{
    int depth = 0;
    for (SMenuExItem* parent = m_menu ? m_menu->GetParentItem() : nullptr; parent;
         parent = parent->m_menu ? parent->m_menu->GetParentItem() : nullptr)
        ++depth;
    return depth;
}

struct SMenuExItem::AttrRows
{
    using Row = SAttrRow<SMenuExItem>;

    static HRESULT Icon(SMenuExItem& item, const SStringW& value, BOOL)
    {
        item.m_icon = ParseMenuInt(value, -1);
        return S_OK;
    }
    template <BOOL SMenuExItem::*field>
    static HRESULT Flag(SMenuExItem& item, const SStringW& value, BOOL)
    {
        item.*field = ParseMenuInt(value) != 0;
        return S_OK;
    }
    static HRESULT HotKey(SMenuExItem& item, const SStringW& value, BOOL)
    {
        item.m_hotKey = value.IsEmpty() ? 0 : value[0];
        return S_OK;
    }

    static constexpr Row kRows[] = {
        {L"icon", &Icon, AttrEffect::Redraw},
        {L"check", &Flag<&SMenuExItem::m_check>, AttrEffect::Redraw},
        {L"radio", &Flag<&SMenuExItem::m_radio>, AttrEffect::Redraw},
        {L"autoIcon", &Flag<&SMenuExItem::m_autoIcon>, AttrEffect::Redraw},
        {L"hotKey", &HotKey, AttrEffect::None},
    };
    static constexpr SAttrTable kTable{kRows};
};

HRESULT SMenuExItem::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    return AttrRows::kTable.Dispatch(*this, name, value, loading,
                                     [&] { return SWindow::SetAttribute(name, value, loading); });
}

BOOL SMenuExItem::CreateChildren(xmldom::xml_node element)
{
    if (element.child(L"menuItem", false))
        CreateSubMenu(element);
    // What is neither an item nor a separator is an ordinary window of
    // the item.
    std::vector<xmldom::xml_node> marked;
    for (xmldom::xml_node child = element.first_child(); child; child = child.next_sibling()) {
        if (IsMenuElement(child) && child.skip_mark() == 0) {
            child.set_skip_mark(1);
            marked.push_back(child);
        }
    }
    const BOOL created = SWindow::CreateChildren(element);
    for (xmldom::xml_node& child : marked)
        child.set_skip_mark(0);
    return created;
}

void SMenuExItem::CreateSubMenu(xmldom::xml_node element)
{
    if (GetMenuDepth() + 1 >= kMaxMenuDepth) {
        DUI_LOG_WARNING("dui", "SMenuExItem::CreateChildren", L"sub-menus nested deeper than %d levels are left out",
                        kMaxMenuDepth);
        return;
    }
    auto sub = SRefPtr<SMenuEx>::Adopt(new SMenuEx(this));
    if (sub->LoadMenu(element, m_menu ? m_menu->GetOwnerHwnd() : nullptr))
        m_subMenu = sub;
}

void SMenuExItem::ReleaseSubMenu()
{
    if (!m_subMenu)
        return;
    m_subMenu->HideMenu(SMenuEx::ParentItem::Release);
    m_subMenu->DestroyWindow();
    m_subMenu.Reset();
}

SIZE SMenuExItem::MeasureContent(int, int)
{
    if (!IsVisible(FALSE))
        return SIZE{0, 0};
    ILayoutParam* param = GetLayoutParam();
    const int scale = GetScale();
    SIZE size = {0, m_root->GetItemHeight()};
    if (param && param->IsSpecifiedSize(Horz)) {
        size.cx = param->GetSpecifiedSize(Horz).ToPixel(scale);
    } else {
        const RECT padding = GetStyle().GetPadding();
        const UINT format = GetStyle().GetTextAlign() & ~0x0Fu;
        const SIZE text = MeasureText(RECT{0, 0, kUnboundedText, kUnboundedText}, format);
        size.cx = text.cx + padding.left + padding.right + m_root->GetTextOffset() + m_root->GetIconBarWidth();
        if (m_subMenu)
            size.cx += m_root->GetArrowWidth();
    }
    if (param && param->IsSpecifiedSize(Vert))
        size.cy = param->GetSpecifiedSize(Vert).ToPixel(scale);
    return size;
}

void SMenuExItem::GetTextRect(RECT* out) const
{
    *out = GetClientRect();
    out->left += m_root->GetTextOffset() + m_root->GetIconBarWidth();
    if (m_subMenu)
        out->right -= m_root->GetArrowWidth();
}

BOOL SMenuExItem::OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    // The sub-menu goes before the item, as it hangs from it.
    if (msg == WM_DESTROY)
        ReleaseSubMenu();
    return SWindow::OnSwndMessage(msg, wp, lp, result);
}

int SMenuExItem::BackgroundState(ISkinObj* skin) const
{
    const DWORD state = GetState();
    int index = 0;
    if (state & WndState_Disable)
        index = 2;
    else if (state & (WndState_Check | WndState_PushDown | WndState_Hover))
        index = 1;
    return index < skin->GetStates() ? index : 0;
}

BOOL SMenuExItem::OnEraseBkgnd(IPaintSurface* rt)
{
    ISkinObj* skin = m_root->GetItemSkin();
    if (rt && skin) {
        const RECT client = GetClientRect();
        skin->DrawByState(rt, &client, BackgroundState(skin));
    }
    return TRUE;
}

void SMenuExItem::OnPaint(IPaintSurface* rt)
{
    SWindow::OnPaint(rt);
    if (!rt)
        return;
    const RECT client = GetClientRect();
    DrawIconColumn(rt, client);
    if (m_subMenu)
        DrawArrow(rt, client);
}

void SMenuExItem::DrawIconColumn(IPaintSurface* rt, const RECT& client)
{
    const int left = client.left + m_root->GetIconX();
    const int iconY = m_root->GetIconY();
    auto box = [&](SIZE size) {
        const int top = iconY == SMenuExRoot::kCentred ? client.top + (client.bottom - client.top - size.cy) / 2
                                                        : client.top + iconY;
        return RECT{left, top, left + size.cx, top + size.cy};
    };
    const int right = client.left + m_root->GetIconBarWidth();
    const RECT column = {left, client.top, right, client.bottom};
    rt->PushClipRect(&column, RGN_OP_AND);
    if (m_radio || m_check) {
        if (ISkinObj* mark = m_root->GetCheckSkin()) {
            const RECT rc = box(mark->GetSkinSize());
            mark->DrawByState(rt, &rc, m_radio ? (m_check ? 1 : 2) : 0);
        }
    } else if (!m_autoIcon) {
        ISkinObj* icons = m_root->GetIconSkin();
        if (icons && m_icon >= 0) {
            const RECT rc = box(icons->GetSkinSize());
            icons->DrawByState(rt, &rc, m_icon);
        }
    } else if (m_iconHandle) {
        const int side = SLayoutSize(static_cast<float>(kAutoIconSize), SLayoutSize::dp).ToPixel(GetScale());
        const RECT rc = box(SIZE{side, side});
        rt->DrawIcon(rc.left, rc.top, m_iconHandle.Get(), side, side, DI_NORMAL);
    }
    rt->PopClip();
}

void SMenuExItem::DrawArrow(IPaintSurface* rt, const RECT& client)
{
    ISkinObj* arrow = m_root->GetArrowSkin();
    if (!arrow)
        return;
    const SIZE size = arrow->GetSkinSize();
    const int top = client.top + (client.bottom - client.top - size.cy) / 2;
    const RECT rc = {client.right - size.cx, top, client.right, top + size.cy};
    arrow->DrawByState(rt, &rc, (GetState() & WndState_Hover) && arrow->GetStates() > 1 ? 1 : 0);
}

} // namespace DUI
