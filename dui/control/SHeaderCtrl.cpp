#include "dui/control/SHeaderCtrl.h"

#include <algorithm>
#include <climits>
#include <cwchar>
#include <cwctype>

#include "dui/control/HeaderEvents.h"
#include "dui/control/SControlSkin.h"
#include "dui/core/SLayoutParamAttr.h"
#include "dui/core/base/SAttrTable.h"
#include "dui/core/base/SMsgPoint.h"
#include "dui/res.mgr/SResProviderMgr.h"

namespace DUI {

namespace {

int ClampToInt(long long v)
{
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

SStringW Trimmed(LPCWSTR text)
{
    if (!text)
        return SStringW();
    const wchar_t* begin = text;
    while (*begin == L' ' || *begin == L'\t' || *begin == L'\r' || *begin == L'\n')
        ++begin;
    const wchar_t* end = begin + std::wcslen(begin);
    while (end > begin && (end[-1] == L' ' || end[-1] == L'\t' || end[-1] == L'\r' || end[-1] == L'\n'))
        --end;
    return SStringW(begin, static_cast<int>(end - begin));
}

} // namespace

SStringW SHeaderCtrl::ItemCaption(xmldom::xml_node item)
{
    return ResolveNamedString(Trimmed(item.child_value()));
}

ULONGLONG SHeaderCtrl::ItemNumber(xmldom::xml_attribute a, ULONGLONG def)
{
    return a.empty() ? def : std::wcstoull(a.value(), nullptr, 0);
}

struct SHeaderCtrl::AttrRows
{
    using Row = SAttrRow<SHeaderCtrl>;

    template <SRefPtr<ISkinObj> SHeaderCtrl::*skin>
    static HRESULT Skin(SHeaderCtrl& h, const SStringW& value, BOOL)
    {
        SRefPtr<ISkinObj> found = FindNamedSkin(value, h.GetScale());
        if (!found)
            return E_FAIL;
        h.*skin = found;
        return S_OK;
    }
    template <int SHeaderCtrl::*field>
    static HRESULT Int(SHeaderCtrl& h, const SStringW& value, BOOL)
    {
        h.*field = static_cast<int>(std::wcstol(value.c_str(), nullptr, 0));
        return S_OK;
    }

    static constexpr Row kRows[] = {
        {L"itemSkin", &Skin<&SHeaderCtrl::m_itemSkin>, AttrEffect::RedrawLater},
        {L"sortSkin", &Skin<&SHeaderCtrl::m_sortSkin>, AttrEffect::RedrawLater},
        {L"fixWidth", &Int<&SHeaderCtrl::m_fixWidth>, AttrEffect::None},
        {L"itemSwapEnable", &Int<&SHeaderCtrl::m_itemSwap>, AttrEffect::None},
        {L"sortHeader", &Int<&SHeaderCtrl::m_sortHeader>, AttrEffect::RedrawLater},
    };
    static constexpr SAttrTable kTable{kRows};
};

SHeaderCtrl::SHeaderCtrl()
{
    m_itemSkin = FindSystemSkin(SysSkin_Header);
    SWindow::SetAttribute(L"clipClient", L"1", TRUE);
    SEventSet* events = GetEventSet();
    events->AddEvent(EventHeaderClick::EventID, EventHeaderClick::EventName());
    events->AddEvent(EventHeaderItemChanging::EventID, EventHeaderItemChanging::EventName());
    events->AddEvent(EventHeaderItemChanged::EventID, EventHeaderItemChanged::EventName());
    events->AddEvent(EventHeaderItemSwap::EventID, EventHeaderItemSwap::EventName());
    events->AddEvent(EventHeaderRelayout::EventID, EventHeaderRelayout::EventName());
}

SHeaderCtrl::~SHeaderCtrl() = default;

HRESULT SHeaderCtrl::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    HRESULT result = S_FALSE;
    if (!AttrRows::kTable.Apply(*this, name, value, loading, result))
        return SWindow::SetAttribute(name, value, loading);
    return AfterSetAttribute(name, value, loading, result);
}

// The "items" element is the header's own: the window's child creation
// skips it.
BOOL SHeaderCtrl::CreateChildren(xmldom::xml_node element)
{
    xmldom::xml_node items = element.child(L"items");
    if (!items.empty()) {
        ReadItems(items);
        items.set_skip_mark(1);
    }
    const BOOL created = SWindow::CreateChildren(element);
    if (!items.empty())
        items.set_skip_mark(0);
    return created;
}

void SHeaderCtrl::ReadItems(xmldom::xml_node items)
{
    for (xmldom::xml_node node = items.child(L"item"); node; node = node.next_sibling(L"item")) {
        SHDITEM item;
        item.text = ItemCaption(node);
        xmldom::xml_attribute width = node.attribute(L"width");
        item.cx = ResolveLayoutDim(width.empty() ? L"50" : width.value());
        item.lParam = ItemNumber(node.attribute(L"userData"), 0);
        item.sortFlag = static_cast<UINT>(ItemNumber(node.attribute(L"sortFlag"), 0));
        xmldom::xml_attribute visible = node.attribute(L"visible");
        item.bVisible = visible.empty() || ReadBool(visible.value());
        item.iOrder = static_cast<int>(m_items.size());
        m_items.push_back(std::move(item));
    }
}

int SHeaderCtrl::InsertItem(int index, LPCWSTR text, float width, SLayoutSize::Unit unit, UINT sortFlag,
                            ULONGLONG data)
{
    const int count = GetItemCount();
    if (index < 0 || index > count)
        index = count;
    for (SHDITEM& other : m_items) {
        if (other.iOrder >= index)
            ++other.iOrder;
    }
    SHDITEM item;
    item.cx = SLayoutSize(width, unit);
    item.text = text ? text : L"";
    item.sortFlag = sortFlag;
    item.lParam = data;
    item.iOrder = index;
    m_items.insert(m_items.begin() + index, std::move(item));
    FireRelayout();
    InvalidateClient();
    return index;
}

int SHeaderCtrl::InsertItemPx(int index, LPCWSTR text, int width, UINT sortFlag, ULONGLONG data)
{
    return InsertItem(index, text, static_cast<float>(width), SLayoutSize::px, sortFlag, data);
}

BOOL SHeaderCtrl::GetItem(int index, SHDITEM* item) const
{
    if (!item || index < 0 || index >= GetItemCount())
        return FALSE;
    const SHDITEM& from = m_items[static_cast<size_t>(index)];
    if (item->mask & HDI_WIDTH)
        item->cx = from.cx;
    if (item->mask & HDI_TEXT)
        item->text = TranslateText(from.text);
    if (item->mask & HDI_SORTFLAG)
        item->sortFlag = from.sortFlag;
    if (item->mask & HDI_LPARAM)
        item->lParam = from.lParam;
    if (item->mask & HDI_ORDER)
        item->iOrder = from.iOrder;
    item->state = from.state;
    item->bVisible = from.bVisible;
    return TRUE;
}

int SHeaderCtrl::GetItemWidth(int index) const
{
    if (index < 0 || index >= GetItemCount())
        return -1;
    const SHDITEM& item = m_items[static_cast<size_t>(index)];
    return item.bVisible ? std::max(item.cx.ToPixel(GetScale()), 0) : 0;
}

int SHeaderCtrl::GetTotalWidth() const
{
    long long total = 0;
    for (int i = 0; i < GetItemCount(); ++i)
        total += GetItemWidth(i);
    return ClampToInt(total);
}

RECT SHeaderCtrl::GetItemRect(int index) const
{
    if (!IsItemVisible(index))
        return RECT{0, 0, 0, 0};
    const RECT client = GetClientRect();
    long long left = client.left;
    for (int i = 0; i < index; ++i)
        left += GetItemWidth(i);
    return RECT{ClampToInt(left), client.top, ClampToInt(left + GetItemWidth(index)), client.bottom};
}

BOOL SHeaderCtrl::IsItemVisible(int index) const
{
    return index >= 0 && index < GetItemCount() && m_items[static_cast<size_t>(index)].bVisible;
}

void SHeaderCtrl::SetItemVisible(int index, BOOL visible)
{
    if (index < 0 || index >= GetItemCount())
        return;
    m_items[static_cast<size_t>(index)].bVisible = visible != FALSE;
    InvalidateClient();
    EventHeaderItemChanged e(this);
    e.iItem = index;
    e.nWidth = GetItemWidth(index);
    FireEvent(e);
}

void SHeaderCtrl::SetItemSort(int index, UINT flag)
{
    if (index < 0 || index >= GetItemCount() || m_items[static_cast<size_t>(index)].sortFlag == flag)
        return;
    m_items[static_cast<size_t>(index)].sortFlag = flag;
    const RECT rc = GetItemRect(index);
    InvalidateRect(&rc);
}

void SHeaderCtrl::DeleteAllItems()
{
    m_items.clear();
    m_hit = kNoHit;
    m_dragTarget = -1;
    FireRelayout();
    InvalidateClient();
}

void SHeaderCtrl::FireRelayout()
{
    EventHeaderRelayout e(this);
    FireEvent(e);
}

// Zones of z pixels at each edge of an item are dividers: 4 with sorting
// headers (whose items are pressed), 2 without.
DWORD SHeaderCtrl::HitTestItem(POINT pt) const
{
    const RECT client = GetClientRect();
    if (!::PtInRect(&client, pt))
        return kNoHit;
    const int z = m_sortHeader ? 4 : 2;
    long long left = client.left;
    const int count = GetItemCount();
    for (int i = 0; i < count; ++i) {
        const int w = GetItemWidth(i);
        if (w <= 0)
            continue;
        if (pt.x < left + z)
            return i == 0 ? MakeHit(0, 0) : MakeHit(i - 1, i);
        if (pt.x < left + w - z)
            return MakeHit(i, i);
        if (pt.x < left + w)
            return MakeHit(i, i + 1 < count ? i + 1 : kAfterLast);
        left += w;
    }
    return kNoHit;
}

void SHeaderCtrl::SetItemPixelWidth(int index, int pixels)
{
    SLayoutSize& cx = m_items[static_cast<size_t>(index)].cx;
    if (cx.GetUnit() == SLayoutSize::px)
        cx.Set(static_cast<float>(pixels), SLayoutSize::px);
    else if (cx.GetUnit() == SLayoutSize::dp)
        cx.Set(static_cast<float>(static_cast<long long>(pixels) * 100 / std::max(GetScale(), 1)), SLayoutSize::dp);
}

BOOL SHeaderCtrl::OnRectChanged(const RECT& rc)
{
    const RECT old = GetWindowRect();
    const BOOL result = SWindow::OnRectChanged(rc);
    const RECT now = GetWindowRect();
    if (!::EqualRect(&old, &now))
        FireRelayout();
    return result;
}

void SHeaderCtrl::SetColorize(COLORREF color)
{
    SWindow::SetColorize(color);
    ColorizeSkin(m_itemSkin.Get(), color);
    ColorizeSkin(m_sortSkin.Get(), color);
}

void SHeaderCtrl::OnScaleChanged(int scale)
{
    SWindow::OnScaleChanged(scale);
    RescaleSkin(m_itemSkin, scale);
    RescaleSkin(m_sortSkin, scale);
}

BOOL SHeaderCtrl::OnSetCursor(POINT pt)
{
    if (m_fixWidth || !IsDivider(HitTestItem(pt)))
        return FALSE;
    SResProviderMgr* res = SResProviderMgr::GetInstance();
    HCURSOR cursor = res ? res->LoadCursor(IDC_SIZEWE, FALSE) : ::LoadCursorW(nullptr, IDC_SIZEWE);
    ::SetCursor(cursor);
    return TRUE;
}

} // namespace DUI
