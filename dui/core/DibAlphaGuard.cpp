#include "dui/core/DibAlphaGuard.h"

#include <algorithm>

namespace DUI {

namespace {

BYTE g_sharedAlpha[DibAlphaGuard::kSharedPixels];

} // namespace

// The framework's surfaces are top-down DIB sections: row y starts y rows
// after the bits.
BYTE* DibAlphaGuard::AlphaOf(int x, int y) const
{
    return m_bits + (static_cast<size_t>(y) * m_width + x) * 4 + 3;
}

BOOL DibAlphaGuard::Save(HDC dc, const RECT& rc)
{
    Restore();
    DIBSECTION dib = {};
    if (!::GetObjectW(::GetCurrentObject(dc, OBJ_BITMAP), sizeof(BITMAP), &dib.dsBm) || dib.dsBm.bmBitsPixel != 32)
        return FALSE;
    POINT origin = {};
    ::GetViewportOrgEx(dc, &origin);
    RECT r = {rc.left + origin.x, rc.top + origin.y, rc.right + 1 + origin.x, rc.bottom + 1 + origin.y};
    r.left = std::max<LONG>(r.left, 0);
    r.top = std::max<LONG>(r.top, 0);
    r.right = std::min<LONG>(r.right, dib.dsBm.bmWidth);
    r.bottom = std::min<LONG>(r.bottom, dib.dsBm.bmHeight);
    if (!dib.dsBm.bmBits || r.right < r.left || r.bottom < r.top)
        return TRUE;
    m_bits = static_cast<BYTE*>(dib.dsBm.bmBits);
    m_width = dib.dsBm.bmWidth;
    m_rc = r;
    const size_t count = static_cast<size_t>(r.right - r.left) * (r.bottom - r.top);
    if (count > kSharedPixels) {
        m_heap = std::make_unique<BYTE[]>(count);
        m_saved = m_heap.get();
    } else {
        m_saved = g_sharedAlpha;
    }
    BYTE* out = m_saved;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x)
            *out++ = *AlphaOf(x, y);
    }
    return TRUE;
}

void DibAlphaGuard::Restore()
{
    if (!m_saved)
        return;
    const BYTE* in = m_saved;
    for (int y = m_rc.top; y < m_rc.bottom; ++y) {
        for (int x = m_rc.left; x < m_rc.right; ++x)
            *AlphaOf(x, y) = *in++;
    }
    m_saved = nullptr;
    m_heap.reset();
}

} // namespace DUI
