#include "app/controls/SHeaderCtrlEx.h"

namespace DUI {

void SHeaderCtrlEx::AddItem(xmldom::xml_node, SHDITEM item, int width)
{
    if (MatchesParent())
        m_widths.push_back(width);
    item.cx = SLayoutSize(static_cast<float>(width), SLayoutSize::px);
    m_items.push_back(std::move(item));
}

// The first column of some width takes what the proportional shares of the
// others leave, so the columns always fill the width exactly.
void SHeaderCtrlEx::Relayout()
{
    const size_t n = std::min(m_widths.size(), m_items.size());
    if (n == 0)
        return;
    long long total = 0;
    for (size_t i = 0; i < n; ++i)
        total += m_widths[i];
    const RECT rc = GetWindowRect();
    const long long w = rc.right - rc.left;
    size_t first = 0;
    while (first < n && m_widths[first] == 0)
        ++first;
    if (first == n || total == 0)
        return;
    long long rest = w;
    for (size_t i = n - 1; i > first; --i) {
        if (m_widths[i] == 0)
            continue;
        const long long share = w * m_widths[i] / total;
        m_items[i].cx = SLayoutSize(static_cast<float>(share), SLayoutSize::px);
        rest -= share;
    }
    m_items[first].cx = SLayoutSize(static_cast<float>(rest), SLayoutSize::px);
    InvalidateClient();
}

} // namespace DUI
