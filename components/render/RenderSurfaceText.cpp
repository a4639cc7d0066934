// Text of RenderSurface, drawn through a grey mask so that glyphs keep alpha.
#include "components/render/RenderSurface.h"

#include <algorithm>
#include <cwchar>
#include <utility>

namespace vrender {

bool RenderSurface::EnsureMask()
{
    if (m_maskDc) return true;
    auto mask = DUI::SRefPtr<RenderBitmap>::Adopt(new RenderBitmap(m_factory.Get()));
    if (FAILED(mask->InitPixels(m_bitmap->Width(), m_bitmap->Height(), nullptr))) return false;
    m_maskDc.Reset(CreateCompatibleDC(nullptr));
    if (!m_maskDc) return false;
    m_mask = mask;
    m_maskBitmap.emplace(m_maskDc, m_mask->Handle());
    m_maskFont.emplace(m_maskDc, m_font->Handle());
    SetBkMode(m_maskDc, TRANSPARENT);
    ::SetTextColor(m_maskDc, RGB(255, 255, 255));
    SetViewportOrgEx(m_maskDc, m_offset.x, m_offset.y, nullptr);
    SelectClipRgn(m_maskDc, CurrentClip());
    return true;
}

// The mask holds white text on black: its grey level is the text's coverage.
void RenderSurface::CompositeMask(const RECT& area, uint32_t pixel) const
{
    const PixelView view = m_bitmap->View();
    const ConstPixelView mask = m_mask->ConstView();
    ForEachClip(area, [&](const RECT& part) {
        for (int y = part.top; y < part.bottom; ++y) {
            const uint32_t* m = mask.Row(y);
            uint32_t* row = view.Row(y);
            for (int x = part.left; x < part.right; ++x) {
                const uint32_t v = m[x] & 0x00FFFFFFu;
                if (!v) continue;
                const uint32_t cov = std::max({v & 0xFF, (v >> 8) & 0xFF, v >> 16});
                row[x] = Over(MulAlpha(pixel, cov), row[x]);
            }
        }
    });
}

HRESULT RenderSurface::DrawTextBox(LPCWSTR text, int len, RECT* rect, UINT format, BYTE alpha)
{
    if (!text || !rect) return E_INVALIDARG;
    if (format & DT_CALCRECT) {
        ::DrawTextW(m_dc, text, len, rect, format);
        return S_OK;
    }
    const COLORREF color = ColorWithAlpha(m_textColor, alpha);
    if ((color >> 24) == 0) return S_OK;
    if (!EnsureMask()) return E_OUTOFMEMORY;
    RECT area = ToDevice(*rect);
    if (format & DT_NOCLIP) {
        RECT calc = *rect;
        ::DrawTextW(m_dc, text, len, &calc, format | DT_CALCRECT);
        InflateRect(&area, calc.right - calc.left, calc.bottom - calc.top);
    }
    RECT box = {0, 0, 0, 0};
    for (const RECT& r : m_clipRects) UnionRect(&box, &box, &r);
    if (!IntersectRects(area, area, box)) return S_OK;
    const PixelView mask = m_mask->View();
    for (int y = area.top; y < area.bottom; ++y) std::fill(mask.Row(y) + area.left, mask.Row(y) + area.right, 0u);
    RECT r = *rect;
    ::DrawTextW(m_maskDc, text, len, &r, format);
    GdiFlush();
    CompositeMask(area, PixelFromColor(color));
    return S_OK;
}

HRESULT RenderSurface::MeasureText(LPCWSTR text, int len, SIZE* size)
{
    if (!text || !size) return E_INVALIDARG;
    if (len < 0) len = static_cast<int>(wcslen(text));
    return GetTextExtentPoint32W(m_dc, text, len, size) ? S_OK : E_FAIL;
}

COLORREF RenderSurface::SetTextColor(COLORREF color)
{
    return std::exchange(m_textColor, color);
}

} // namespace vrender
