#include "dui/res.mgr/SSkinScrollbar.h"

#include "dui/core/base/SDpiScale.h"
#include "dui/res.mgr/SSkinAttr.h"

namespace DUI {

struct SSkinScrollbar::AttrRows
{
    using Row = SAttrRow<SSkinScrollbar>;

    template <auto field>
    static constexpr auto Int = skinattr::Int<SSkinScrollbar, field>;

    static constexpr Row kRows[] = {
        {L"margin", Int<&SSkinScrollbar::m_margin>, AttrEffect::None},
        {L"hasGripper", Int<&SSkinScrollbar::m_hasGripper>, AttrEffect::None},
        {L"hasInactive", Int<&SSkinScrollbar::m_hasInactive>, AttrEffect::None},
    };
    static constexpr SAttrTable kTable{kRows};
};

HRESULT SSkinScrollbar::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    return AttrRows::kTable.Dispatch(*this, name, value, loading,
                                     [&] { return SSkinImgList::SetAttribute(name, value, loading); });
}

RECT SSkinScrollbar::GetPartRect(int part, int state, BOOL vertical) const
{
    const int c = GetPartSize();
    int col = -1, row = 0;
    if (part == Corner) {
        col = 8;
    } else if (part == Gripper) {
        col = 8;
        row = vertical ? 1 : 2;
    } else {
        row = state == 4 && !m_hasInactive ? 0 : state;
        static const int kColumns[] = {0, 1, 3, 3, -1, 2};
        if (part >= 0 && part <= Thumb && kColumns[part] >= 0) col = kColumns[part] + (vertical ? 0 : 4);
    }
    if (col < 0) return {0, 0, 0, 0};
    return {col * c, row * c, (col + 1) * c, (row + 1) * c};
}

void SSkinScrollbar::DrawImpl(IPaintSurface* rt, const RECT* rc, int index, BYTE alpha)
{
    if (!m_image) return;
    const int part = index & 0xFFFF, state = (index >> 16) & 0xFF;
    const BOOL vertical = (index >> 24) & 0xFF;
    const RECT margins = vertical ? RECT{0, m_margin, 0, m_margin} : RECT{m_margin, 0, m_margin, 0};
    const UINT mode = MakeExpandMode(m_tile ? EM_TILE : EM_STRETCH, m_filter);
    const RECT src = GetPartRect(part, state, vertical);
    rt->DrawBitmapNinePatch(rc, m_image.Get(), &src, &margins, mode, alpha);
    if (part != Thumb || !m_hasGripper) return;
    // The gripper keeps its size along the bar and fills the thumb across it.
    const int c = GetPartSize();
    RECT grip = *rc;
    if (vertical) {
        grip.top = rc->top + (rc->bottom - rc->top - c) / 2;
        grip.bottom = grip.top + c;
    } else {
        grip.left = rc->left + (rc->right - rc->left - c) / 2;
        grip.right = grip.left + c;
    }
    const RECT gripSrc = GetPartRect(Gripper, 0, vertical);
    rt->DrawBitmapNinePatch(&grip, m_image.Get(), &gripSrc, &margins, mode, alpha);
}

// Every cell of the grid is scaled on its own, all state rows included, so a
// scaled bar keeps its disabled and inactive looks.
void SSkinScrollbar::CopyTo(ISkinObj* target, int scale) const
{
    SSkinObjBase::CopyTo(target, scale);
    auto* to = dynamic_cast<SSkinScrollbar*>(target);
    if (!to) return;
    CopyListFields(to);
    to->m_margin = ScaleMulDiv(m_margin, scale);
    to->m_hasGripper = m_hasGripper;
    to->m_hasInactive = m_hasInactive;
    const int c = GetPartSize();
    IPaintBitmap* source = ScaleSource();
    const int side = ScaleMulDiv(c, scale);
    if (!source || c <= 0 || side <= 0) return;
    to->AdoptImage(ScaleCells(source, 9, source->Height() / c, {side, side}).Detach());
}

} // namespace DUI
