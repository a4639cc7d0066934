#include "app/controls/SDividedHeader.h"

#include <cwchar>

#include "dui/control/SControlSkin.h"
#include "dui/core/SLayoutParamAttr.h"
#include "dui/core/base/SAttrTable.h"
#include "dui/core/base/DuiLog.h"

namespace DUI {

namespace {

constexpr char kSource[] = "SDividedHeader.cpp";

// Flags are off for "0" and "false" in any case, on for every other text.
BOOL ReadFlag(const SStringW& value)
{
    return !(value == L"0" || value.CompareNoCase(L"false") == 0);
}

} // namespace

struct SDividedHeader::AttrRows
{
    using Row = SAttrRow<SDividedHeader>;

    static HRESULT MatchParent(SDividedHeader& h, const SStringW& value, BOOL)
    {
        h.m_matchParent = static_cast<int>(std::wcstol(value.c_str(), nullptr, 0));
        return S_OK;
    }
    static HRESULT DividerSkin(SDividedHeader& h, const SStringW& value, BOOL)
    {
        h.m_dividerSkin = FindNamedSkin(value, h.GetScale());
        return S_OK;
    }
    static HRESULT DividerRight(SDividedHeader& h, const SStringW& value, BOOL)
    {
        h.m_dividerRight = ReadFlag(value);
        return S_OK;
    }

    static constexpr Row kRows[] = {
        {L"matchParent", &MatchParent, AttrEffect::None},
        {L"dividerSkin", &DividerSkin, AttrEffect::Redraw},
        {L"dividerRight", &DividerRight, AttrEffect::Redraw},
    };
    static constexpr SAttrTable kTable{kRows};
};

HRESULT SDividedHeader::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    HRESULT result = S_FALSE;
    if (!AttrRows::kTable.Apply(*this, name, value, loading, result))
        return SHeaderCtrl::SetAttribute(name, value, loading);
    return AfterSetAttribute(name, value, loading, result);
}

BOOL SDividedHeader::CreateChildren(xmldom::xml_node element)
{
    xmldom::xml_node items = element.child(L"items");
    if (items.empty()) {
        WriteLog(kSource, __LINE__, __func__, L"[%s] has no \"items\": no columns", GetName());
        return FALSE;
    }
    LockUpdate();
    for (xmldom::xml_node node = items.child(L"item"); node; node = node.next_sibling(L"item")) {
        SHDITEM item;
        item.text = TranslateText(ItemCaption(node));
        item.lParam = ItemNumber(node.attribute(L"userData"), 0);
        item.sortFlag = static_cast<UINT>(ItemNumber(node.attribute(L"sortFlag"), 0));
        item.iOrder = GetItemCount();
        xmldom::xml_attribute width = node.attribute(L"width");
        AddItem(node, std::move(item), width.empty() ? 50 : static_cast<int>(std::wcstol(width.value(), nullptr, 10)));
    }
    UnlockUpdate();
    if (MatchesParent())
        m_fixWidth = 1;
    FireRelayout();
    return TRUE;
}

BOOL SDividedHeader::OnSetCursor(POINT pt)
{
    return SWindow::OnSetCursor(pt);
}

// The window's own size handling is left out: the columns follow the new
// width and that is all.
BOOL SDividedHeader::OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (msg != WM_SIZE)
        return SHeaderCtrl::OnSwndMessage(msg, wp, lp, result);
    if (MatchesParent())
        Relayout();
    result = 0;
    return TRUE;
}

void SDividedHeader::DrawItem(IPaintSurface* rt, const RECT& rc, const SHDITEM& item)
{
    RECT inner = rc;
    if (m_dividerSkin && item.bVisible) {
        const int state = static_cast<int>(item.state);
        if (item.iOrder > 0) {
            const RECT strip = {inner.left, inner.top, inner.left + 1, inner.bottom};
            m_dividerSkin->DrawByState(rt, &strip, state);
            ++inner.left;
        }
        if (m_dividerRight && item.iOrder == GetItemCount() - 1) {
            const RECT strip = {inner.right - 1, inner.top, inner.right, inner.bottom};
            m_dividerSkin->DrawByState(rt, &strip, state);
            --inner.right;
        }
    }
    SHeaderCtrl::DrawItem(rt, inner, item);
}

} // namespace DUI
