#include "app/controls/SCtrlHeaderCtrl.h"

#include <cwchar>
#include <numeric>

#include "dui/core/base/SAttrTable.h"

namespace DUI {

struct SCtrlHeaderCtrl::AttrRows
{
    using Row = SAttrRow<SCtrlHeaderCtrl>;

    static HRESULT WeightEx(SCtrlHeaderCtrl& h, const SStringW& value, BOOL)
    {
        h.m_weightEx = !(value == L"0" || value.CompareNoCase(L"false") == 0);
        return S_OK;
    }

    static constexpr Row kRows[] = {
        {L"weightEx", &WeightEx, AttrEffect::None},
    };
    static constexpr SAttrTable kTable{kRows};
};

HRESULT SCtrlHeaderCtrl::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    HRESULT result = S_FALSE;
    if (!AttrRows::kTable.Apply(*this, name, value, loading, result))
        return SDividedHeader::SetAttribute(name, value, loading);
    return AfterSetAttribute(name, value, loading, result);
}

void SCtrlHeaderCtrl::AddItem(xmldom::xml_node node, SHDITEM item, int width)
{
    xmldom::xml_attribute weight = node.attribute(L"weight");
    if (MatchesParent()) {
        m_baseWidths.push_back(width);
        m_weights.push_back(weight.empty() ? 0 : static_cast<int>(std::wcstol(weight.value(), nullptr, 10)));
    }
    item.cx = SLayoutSize(static_cast<float>(width), SLayoutSize::GetDefaultUnit());
    m_items.push_back(std::move(item));
}

void SCtrlHeaderCtrl::OnScaleChanged(int scale)
{
    SDividedHeader::OnScaleChanged(scale);
    if (MatchesParent())
        Relayout();
}

// The base widths are unscaled units, so the window's width is taken back
// to them before the free width is shared. Runtime items beyond those of
// the layout keep their widths.
void SCtrlHeaderCtrl::Relayout()
{
    const size_t n = std::min(m_baseWidths.size(), m_items.size());
    long long base = 0, weights = 0;
    for (size_t i = 0; i < n; ++i) {
        base += m_baseWidths[i];
        weights += m_weights[i];
    }
    const RECT rc = GetWindowRect();
    const long long free = static_cast<long long>(rc.right - rc.left) * 100 / std::max(GetScale(), 1) - base;
    size_t first = 0;
    while (first < n && m_weights[first] == 0)
        ++first;
    if (first == n || weights == 0)
        return;
    const SLayoutSize::Unit unit = SLayoutSize::GetDefaultUnit();
    long long rest = free;
    for (size_t j = n - 1; j > first; --j) {
        if (m_weights[j] == 0)
            continue;
        const long long share = m_weights[j] * free / weights;
        m_items[j].cx = SLayoutSize(static_cast<float>(m_baseWidths[j] + share), unit);
        rest -= share;
    }
    if (m_weightEx && rest < 0)
        rest = 0;
    m_items[first].cx = SLayoutSize(static_cast<float>(m_baseWidths[first] + rest), unit);
    InvalidateClient();
}

BOOL SCtrlHeaderCtrl::SetHeaderText(LPCWSTR text)
{
    if (m_items.empty())
        return FALSE;
    m_items.front().text = text ? text : L"";
    return TRUE;
}

} // namespace DUI
