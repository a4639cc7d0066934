#include "dui/control/SMenuExRoot.h"

#include <algorithm>
#include <cwchar>

#include "dui/control/MenuXml.h"
#include "dui/control/SMenuEx.h"
#include "dui/control/SMenuExItem.h"
#include "dui/control/SMenuExSep.h"
#include "dui/core/base/DuiLog.h"
#include "dui/core/base/SObjectFactoryMgr.h"
#include "dui/core/base/StringSplit.h"
#include "dui/res.mgr/SResProviderMgr.h"
#include "dui/res.mgr/SSkinPoolMgr.h"
#include "dui/control/SControlAttr.h"

namespace DUI {

namespace {

// Separators claim this width so that they never decide the menu's.
constexpr int kWidestItem = 2000;

} // namespace

SMenuExRoot::SMenuExRoot(SMenuEx* menu)
    : m_menu(menu),
      m_itemSkin(SystemMenuSkinAt100(kSysMenuItem)),
      m_checkSkin(SystemMenuSkinAt100(kSysMenuCheck)),
      m_sepSkin(SystemMenuSkinAt100(kSysMenuSep)),
      m_arrowSkin(SystemMenuSkinAt100(kSysMenuArrow))
{
    SetAttribute(L"layout", L"vbox", TRUE);
}

int SMenuExRoot::GetIconY() const
{
    if (m_iconY.GetUnit() == SLayoutSize::px && m_iconY.GetValue() == static_cast<float>(kCentred))
        return kCentred;
    return m_iconY.ToPixel(GetScale());
}

int SMenuExRoot::GetArrowWidth() const
{
    return m_arrowSkin ? m_arrowSkin->GetSkinSize().cx : 0;
}

struct SMenuExRoot::AttrRows
{
    using Row = SAttrRow<SMenuExRoot>;

    static constexpr char kWhere[] = "SMenuExRoot::SetAttribute";
    static constexpr wchar_t kItemSkin[] = L"itemSkin";
    static constexpr wchar_t kIconSkin[] = L"iconSkin";
    static constexpr wchar_t kCheckSkin[] = L"checkSkin";
    static constexpr wchar_t kSepSkin[] = L"sepSkin";
    static constexpr wchar_t kArrowSkin[] = L"arrowSkin";
    template <auto field, const wchar_t* attr>
    static constexpr auto Skin = &ctrlattr::KeptSkin<SMenuExRoot, field, attr, kWhere>;
    template <auto field>
    static constexpr auto Size = ctrlattr::LayoutDim<SMenuExRoot, field>;

    static HRESULT IconPos(SMenuExRoot& root, const SStringW& value, BOOL) { return root.SetIconPos(value); }
    static HRESULT HelpId(SMenuExRoot& root, const SStringW& value, BOOL)
    {
        root.m_contextHelpId = ParseMenuInt(value);
        return S_OK;
    }
    // The host window takes a top menu's translation context.
    static HRESULT Ignored(SMenuExRoot&, const SStringW&, BOOL) { return S_OK; }

    static constexpr Row kRows[] = {
        {kItemSkin, Skin<&SMenuExRoot::m_itemSkin, kItemSkin>, AttrEffect::None},
        {kIconSkin, Skin<&SMenuExRoot::m_iconSkin, kIconSkin>, AttrEffect::None},
        {kCheckSkin, Skin<&SMenuExRoot::m_checkSkin, kCheckSkin>, AttrEffect::None},
        {kSepSkin, Skin<&SMenuExRoot::m_sepSkin, kSepSkin>, AttrEffect::None},
        {kArrowSkin, Skin<&SMenuExRoot::m_arrowSkin, kArrowSkin>, AttrEffect::None},
        {L"itemHeight", Size<&SMenuExRoot::m_itemHeight>, AttrEffect::None},
        {L"iconBarWidth", Size<&SMenuExRoot::m_iconBarWidth>, AttrEffect::None},
        {L"textOffset", Size<&SMenuExRoot::m_textOffset>, AttrEffect::None},
        {L"minWidth", Size<&SMenuExRoot::m_minWidth>, AttrEffect::None},
        {L"subMenuOffset", Size<&SMenuExRoot::m_subMenuOffset>, AttrEffect::None},
        {L"iconPos", &IconPos, AttrEffect::None},
        {L"itemAlign", &AttrStore<SMenuExRoot, &SMenuExRoot::m_itemAlign, &ResolveNamedString>, AttrEffect::None},
        {L"contextHelpId", &HelpId, AttrEffect::None},
        {L"trCtx", &Ignored, AttrEffect::None},
    };
    static constexpr SAttrTable kTable{kRows};
};

// The root's own attributes need no redraw hook: the menu lays itself out
// when it shows.
HRESULT SMenuExRoot::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    return AttrRows::kTable.Dispatch(*this, name, value, loading,
                                     [&] { return SWindow::SetAttribute(name, value, loading); });
}

HRESULT SMenuExRoot::SetIconPos(const SStringW& value)
{
    SStringWList parts;
    const size_t count = SplitString(value, L',', parts);
    if (count < 1 || count > 2)
        return E_INVALIDARG;
    m_iconX = ResolveLayoutDim(parts[0].c_str());
    if (count == 2)
        m_iconY = ResolveLayoutDim(parts[1].c_str());
    else
        m_iconY = SLayoutSize(static_cast<float>(kCentred), SLayoutSize::px);
    return S_FALSE;
}

BOOL SMenuExRoot::ApplyXmlNode(xmldom::xml_node element)
{
    // A sub-menu looks like the menu it belongs to: the top element's
    // attributes first, its own over them.
    const xmldom::xml_node top = FirstMenuElement(element.root());
    const bool subMenu = top && top != element;
    if (subMenu) {
        for (xmldom::xml_attribute a = top.first_attribute(); a; a = a.next_attribute())
            SetAttribute(SStringW(a.name()), SStringW(a.value()), TRUE);
    }
    const BOOL applied = SWindow::ApplyXmlNode(element);
    // The element of a sub-menu is its item, whose caption is no title.
    if (subMenu)
        SetWindowText(L"");
    if (ILayoutParam* param = GetLayoutParam())
        param->SetWrapContent(Both);
    return applied;
}

BOOL SMenuExRoot::CreateChildren(xmldom::xml_node element)
{
    SObjectFactoryMgr* registry = SObjectFactoryMgr::GetInstance();
    for (xmldom::xml_node child = FirstMenuElement(element); child; child = child.next_sibling()) {
        if (child.type() != xmldom::node_element)
            continue;
        SMenuExItem* item = nullptr;
        if (_wcsicmp(child.name(), L"menuItem") == 0)
            item = new SMenuExItem(m_menu, this);
        else if (_wcsicmp(child.name(), L"sep") == 0)
            item = new SMenuExSep(m_menu, this);
        if (!item)
            continue;
        if (registry)
            registry->ApplyDefaultAttributes(item);
        InsertChild(item);
        item->ApplyXmlNode(child);
    }
    return TRUE;
}

void SMenuExRoot::GetChildArea(RECT* out) const
{
    *out = GetClientRect();
}

SIZE SMenuExRoot::MeasureContent(int parentWidth, int parentHeight)
{
    SIZE size = {0, 0};
    for (SWindow* child = GetNthChild(1); child; child = child->GetRelatedWindow(GSW_NEXTSIBLING)) {
        const SIZE c = child->MeasureDesiredSize(parentWidth, parentHeight);
        if (c.cx < kWidestItem)
            size.cx = std::max(size.cx, static_cast<LONG>(c.cx));
        size.cy += c.cy;
    }
    const RECT margin = GetStyle().GetMargin();
    size.cx += margin.left + margin.right;
    size.cy += margin.top + margin.bottom;
    const SLayoutSize& maxWidth = GetMaxWidth();
    if (maxWidth.IsValid()) {
        const int most = maxWidth.ToPixel(GetScale());
        if (most < size.cx)
            size.cx = most;
    }
    size.cx = std::max(size.cx, static_cast<LONG>(GetMinWidth()));
    return size;
}

void SMenuExRoot::ArrangeChildren()
{
    const RECT client = GetClientRect();
    int top = client.top;
    for (SWindow* child = GetNthChild(1); child; child = child->GetRelatedWindow(GSW_NEXTSIBLING)) {
        const SIZE c = child->MeasureDesiredSize(client.right - client.left, -1);
        child->OnRectChanged(RECT{client.left, top, client.right, top + c.cy});
        top += c.cy;
    }
}

void SMenuExRoot::OnScaleChanged(int scale)
{
    SWindow::OnScaleChanged(scale);
    RescaleSkin(m_itemSkin, scale);
    RescaleSkin(m_iconSkin, scale);
    RescaleSkin(m_checkSkin, scale);
    RescaleSkin(m_sepSkin, scale);
    RescaleSkin(m_arrowSkin, scale);
}

} // namespace DUI
