#include "dui/res.mgr/SSkinImgCenter.h"

namespace DUI {

void SSkinImgCenter::DrawImpl(IPaintSurface* rt, const RECT* rc, int index, BYTE alpha)
{
    if (!m_image) return;
    const SIZE sz = GetSkinSize();
    const LONG left = rc->left + (rc->right - rc->left - sz.cx) / 2;
    const LONG top = rc->top + (rc->bottom - rc->top - sz.cy) / 2;
    const RECT dst = {left, top, left + sz.cx, top + sz.cy};
    const RECT cell = CellRect(index);
    rt->DrawBitmapScaled(&dst, m_image.Get(), &cell, GetExpandMode(), alpha);
}

} // namespace DUI
