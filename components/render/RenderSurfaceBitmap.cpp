// Bitmaps and icons drawn on RenderSurface: natural size, stretched, tiled and nine-patch.
#include "components/render/RenderSurface.h"

#include <algorithm>
#include <new>

namespace vrender {

namespace {

ConstPixelView SubView(const RenderBitmap& bmp, const RECT& part)
{
    const ConstPixelView all = bmp.ConstView();
    return {all.Row(part.top) + part.left, part.right - part.left, part.bottom - part.top, all.stride};
}

// Splits [first, last) of the source and the target into three parts each:
// the margins keep their size, shrunk in proportion when the target is
// smaller than both margins together.
void SplitAxis(LONG srcFirst, LONG srcLast, LONG m0, LONG m1, LONG dstFirst, LONG dstLast, LONG src[4], LONG dst[4])
{
    const LONG srcLen = srcLast - srcFirst, dstLen = dstLast - dstFirst;
    m0 = std::clamp<LONG>(m0, 0, srcLen);
    m1 = std::clamp<LONG>(m1, 0, srcLen - m0);
    LONG d0 = m0, d1 = m1;
    if (d0 + d1 > dstLen) {
        d0 = m0 + m1 > 0 ? dstLen * m0 / (m0 + m1) : 0;
        d1 = dstLen - d0;
    }
    src[0] = srcFirst; src[1] = srcFirst + m0; src[2] = srcLast - m1; src[3] = srcLast;
    dst[0] = dstFirst; dst[1] = dstFirst + d0; dst[2] = dstLast - d1; dst[3] = dstLast;
}

} // namespace

void RenderSurface::DrawPart(const RECT& d, const RenderBitmap& bmp, const RECT& s, UINT mode, BYTE alpha)
{
    const int sw = s.right - s.left, sh = s.bottom - s.top;
    const int dw = d.right - d.left, dh = d.bottom - d.top;
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
    const ConstPixelView part = SubView(bmp, s);
    switch (mode & 0xFFFF) {
    case DUI::EM_NULL:
        BlendImage(d, part, {d.left, d.top}, alpha);
        return;
    case DUI::EM_TILE:
        for (LONG y = d.top; y < d.bottom; y += sh)
            for (LONG x = d.left; x < d.right; x += sw) {
                RECT cell = {x, y, x + sw, y + sh};
                if (IntersectRects(cell, cell, d)) BlendImage(cell, part, {x, y}, alpha);
            }
        return;
    default:
        if (sw == dw && sh == dh) {
            BlendImage(d, part, {d.left, d.top}, alpha);
            return;
        }
        const std::vector<uint32_t> scaled = ScalePixels(bmp.ConstView(), s, dw, dh, mode >> 16);
        BlendImage(d, {scaled.data(), dw, dh, dw}, {d.left, d.top}, alpha);
    }
}

HRESULT RenderSurface::DrawBitmapScaled(const RECT* dst, DUI::IPaintBitmap* bmp, const RECT* src, UINT mode, BYTE alpha)
{
    if (!dst || !bmp) return E_INVALIDARG;
    const auto* b = static_cast<RenderBitmap*>(bmp);
    const RECT all = {0, 0, b->Width(), b->Height()};
    RECT s = src ? *src : all;
    if (!IntersectRects(s, s, all)) return S_FALSE;
    DrawPart(ToDevice(*dst), *b, s, mode, alpha);
    return S_OK;
}

HRESULT RenderSurface::DrawBitmapNinePatch(const RECT* dst, DUI::IPaintBitmap* bmp, const RECT* src,
                                           const RECT* margins, UINT mode, BYTE alpha)
{
    if (!dst || !bmp || !margins) return E_INVALIDARG;
    const auto* b = static_cast<RenderBitmap*>(bmp);
    const RECT all = {0, 0, b->Width(), b->Height()};
    RECT s = src ? *src : all;
    if (!IntersectRects(s, s, all)) return S_FALSE;
    const RECT d = ToDevice(*dst);
    LONG sx[4], dx[4], sy[4], dy[4];
    SplitAxis(s.left, s.right, margins->left, margins->right, d.left, d.right, sx, dx);
    SplitAxis(s.top, s.bottom, margins->top, margins->bottom, d.top, d.bottom, sy, dy);
    const UINT edgeMode = (mode & 0xFFFF) == DUI::EM_TILE ? mode : ((mode & 0xFFFF0000u) | DUI::EM_STRETCH);
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 3; ++i) {
            const bool corner = i != 1 && j != 1;
            DrawPart({dx[i], dy[j], dx[i + 1], dy[j + 1]}, *b, {sx[i], sy[j], sx[i + 1], sy[j + 1]},
                     corner ? ((mode & 0xFFFF0000u) | DUI::EM_STRETCH) : edgeMode, alpha);
        }
    return S_OK;
}

// GDI draws icons without usable alpha on 32-bit pixels, so the icon is drawn
// once on black and once on white: the difference is its transparency.
HRESULT RenderSurface::DrawIcon(int x, int y, HICON icon, int cx, int cy, UINT flags)
{
    if (!icon) return E_INVALIDARG;
    if (cx <= 0 || cy <= 0) {
        ICONINFO info = {};
        if (!GetIconInfo(icon, &info)) return E_FAIL;
        BITMAP bm = {};
        GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bm), &bm);
        if (cx <= 0) cx = bm.bmWidth;
        if (cy <= 0) cy = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
        // GetIconInfo hands out copies of the icon's bitmaps.
        const DUI::SGdiObject<HBITMAP> color(info.hbmColor), mask(info.hbmMask);
    }
    auto onBlack = DUI::SRefPtr<RenderBitmap>::Adopt(new (std::nothrow) RenderBitmap(m_factory.Get()));
    auto onWhite = DUI::SRefPtr<RenderBitmap>::Adopt(new (std::nothrow) RenderBitmap(m_factory.Get()));
    if (!onBlack || !onWhite || FAILED(onBlack->InitPixels(cx, cy, nullptr)) ||
        FAILED(onWhite->InitPixels(cx, cy, nullptr)))
        return E_OUTOFMEMORY;
    const PixelView white = onWhite->View();
    for (int row = 0; row < cy; ++row) std::fill(white.Row(row), white.Row(row) + cx, 0xFFFFFFFFu);
    const DUI::SMemDC dc(CreateCompatibleDC(nullptr));
    if (!dc) return E_OUTOFMEMORY;
    for (RenderBitmap* target : {onBlack.Get(), onWhite.Get()}) {
        const DUI::SSelectObject select(dc, target->Handle());
        DrawIconEx(dc, 0, 0, icon, cx, cy, 0, nullptr, flags ? flags : DI_NORMAL);
    }
    GdiFlush();
    const PixelView black = onBlack->View();
    for (int row = 0; row < cy; ++row)
        for (int col = 0; col < cx; ++col) {
            const uint32_t b = black.Row(row)[col], w = white.Row(row)[col];
            const uint32_t a = 255 - std::min<uint32_t>(255, ((w >> 8) & 0xFF) - std::min((w >> 8) & 0xFF, (b >> 8) & 0xFF));
            black.Row(row)[col] = (a << 24) | (b & 0x00FFFFFFu);
        }
    const RECT device = ToDevice({x, y, x + cx, y + cy});
    BlendImage(device, onBlack->ConstView(), {device.left, device.top}, 255);
    return S_OK;
}

} // namespace vrender
