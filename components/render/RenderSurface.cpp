#include "components/render/RenderSurface.h"

#include <algorithm>

namespace vrender {

namespace {

LOGFONTW DefaultLogFont()
{
    LOGFONTW lf = {};
    lf.lfHeight = -12;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lf.lfFaceName, L"Microsoft YaHei", LF_FACESIZE);
    return lf;
}

template <class T>
DUI::SRefPtr<T> Held(DUI::IPaintObject* obj)
{
    return DUI::SRefPtr<T>::Share(static_cast<T*>(obj));
}

} // namespace

RenderSurface::RenderSurface(DUI::IPaintFactory* factory)
    : m_factory(DUI::SRefPtr<DUI::IPaintFactory>::Share(factory)),
      m_bitmap(DUI::SRefPtr<RenderBitmap>::Adopt(new RenderBitmap(factory))),
      m_pen(DUI::SRefPtr<RenderPen>::Adopt(new RenderPen(factory, PS_SOLID, 0xFF000000, 1))),
      m_brush(DUI::SRefPtr<RenderBrush>::Adopt(new RenderBrush(factory, 0xFF000000))),
      m_font(DUI::SRefPtr<RenderFont>::Adopt(new RenderFont(factory, DefaultLogFont()))),
      m_dc(CreateCompatibleDC(nullptr))
{
    m_clipRects.push_back({0, 0, 0, 0});
    if (!m_dc) return;
    SetBkMode(m_dc, TRANSPARENT);
    m_dcFont.emplace(m_dc, m_font->Handle());
}

RenderSurface::~RenderSurface() = default;

HRESULT RenderSurface::Resize(SIZE size)
{
    if (!m_dc) return E_OUTOFMEMORY;
    if (size.cx == m_bitmap->Width() && size.cy == m_bitmap->Height()) return S_OK;
    m_dcBitmap.reset();
    const HRESULT hr = m_bitmap->InitPixels(std::max<LONG>(size.cx, 1), std::max<LONG>(size.cy, 1), nullptr);
    if (FAILED(hr)) return hr;
    m_dcBitmap.emplace(m_dc, m_bitmap->Handle());
    if (m_maskDc) {
        m_maskFont.reset();
        m_maskBitmap.reset();
        m_maskDc.Reset();
        m_mask.Reset();
    }
    ApplyClip();
    return S_OK;
}

SIZE RenderSurface::GetSize() const
{
    return m_bitmap->GetSize();
}

void RenderSurface::SetViewportOffset(POINT offset)
{
    m_offset = offset;
    SetViewportOrgEx(m_dc, offset.x, offset.y, nullptr);
    if (m_maskDc) SetViewportOrgEx(m_maskDc, offset.x, offset.y, nullptr);
}

void RenderSurface::SetViewOrigin(int x, int y, POINT* previous)
{
    if (previous) *previous = m_offset;
    SetViewportOffset({x, y});
}

void RenderSurface::OffsetViewOrigin(int dx, int dy, POINT* previous)
{
    SetViewOrigin(m_offset.x + dx, m_offset.y + dy, previous);
}

HDC RenderSurface::GetDC(UINT)
{
    return m_dc;
}

void RenderSurface::ReleaseDC(HDC)
{
    GdiFlush();
}

RECT RenderSurface::ToDevice(const RECT& r) const
{
    return {r.left + m_offset.x, r.top + m_offset.y, r.right + m_offset.x, r.bottom + m_offset.y};
}

RenderSurface::Region RenderSurface::CurrentClipCopy() const
{
    Region copy(CreateRectRgn(0, 0, m_bitmap->Width(), m_bitmap->Height()));
    if (copy && CurrentClip()) CombineRgn(copy, CurrentClip(), nullptr, RGN_COPY);
    return copy;
}

HRESULT RenderSurface::PushClip(Region with, int mode)
{
    if (mode < RGN_AND || mode > RGN_COPY) return E_INVALIDARG;
    Region next = CurrentClipCopy();
    if (!with || !next) return E_OUTOFMEMORY;
    if (mode == RGN_COPY)
        CombineRgn(next, with, nullptr, RGN_COPY);
    else
        CombineRgn(next, next, with, mode);
    m_clipStack.push_back(std::move(next));
    ApplyClip();
    return S_OK;
}

// Our own drawing walks the clip's rectangles; GDI text and callers of GetDC
// get the same region selected.
void RenderSurface::ApplyClip()
{
    const RECT all = {0, 0, m_bitmap->Width(), m_bitmap->Height()};
    m_clipRects.clear();
    HRGN clip = CurrentClip();
    SelectClipRgn(m_dc, clip);
    if (m_maskDc) SelectClipRgn(m_maskDc, clip);
    if (!clip) {
        m_clipRects.push_back(all);
        return;
    }
    const DWORD bytes = GetRegionData(clip, 0, nullptr);
    std::vector<BYTE> buf(bytes);
    auto* data = reinterpret_cast<RGNDATA*>(buf.data());
    if (!bytes || !GetRegionData(clip, bytes, data)) return;
    const RECT* rects = reinterpret_cast<const RECT*>(data->Buffer);
    RECT part;
    for (DWORD i = 0; i < data->rdh.nCount; ++i)
        if (IntersectRects(part, rects[i], all)) m_clipRects.push_back(part);
}

HRESULT RenderSurface::PushClipRect(const RECT* rect, int mode)
{
    if (!rect) return E_INVALIDARG;
    const RECT device = ToDevice(*rect);
    return PushClip(Region(CreateRectRgnIndirect(&device)), mode);
}

HRESULT RenderSurface::PushClipRegion(DUI::IPaintRegion* region, int mode)
{
    if (!region) return E_INVALIDARG;
    Region copy(CreateRectRgn(0, 0, 0, 0));
    if (copy) {
        CombineRgn(copy, static_cast<RenderRegion*>(region)->Handle(), nullptr, RGN_COPY);
        OffsetRgn(copy, m_offset.x, m_offset.y);
    }
    return PushClip(std::move(copy), mode);
}

HRESULT RenderSurface::PopClip()
{
    if (m_clipStack.empty()) return E_FAIL;
    m_clipStack.pop_back();
    ApplyClip();
    return S_OK;
}

HRESULT RenderSurface::SaveClip(int* cookie)
{
    *cookie = static_cast<int>(m_clipStack.size());
    return S_OK;
}

HRESULT RenderSurface::RestoreClip(int cookie)
{
    if (cookie < 0 || static_cast<size_t>(cookie) > m_clipStack.size()) return E_INVALIDARG;
    m_clipStack.resize(static_cast<size_t>(cookie));
    ApplyClip();
    return S_OK;
}

HRESULT RenderSurface::GetClipBox(RECT* rect)
{
    RECT box = {0, 0, 0, 0};
    for (const RECT& r : m_clipRects) UnionRect(&box, &box, &r);
    OffsetRect(&box, -m_offset.x, -m_offset.y);
    *rect = box;
    return S_OK;
}

DUI::IPaintObject* RenderSurface::GetSelectedObject(int type)
{
    switch (type) {
    case DUI::OT_BITMAP: return m_bitmap.Get();
    case DUI::OT_PEN: return m_pen.Get();
    case DUI::OT_BRUSH: return m_brush.Get();
    case DUI::OT_FONT: return m_font.Get();
    default: return nullptr;
    }
}

HRESULT RenderSurface::SelectObject(DUI::IPaintObject* obj, DUI::IPaintObject** old)
{
    if (!obj) return E_INVALIDARG;
    DUI::IPaintObject* prev = nullptr;
    switch (obj->ObjectType()) {
    case DUI::OT_PEN: prev = m_pen.Detach(); m_pen = Held<RenderPen>(obj); break;
    case DUI::OT_BRUSH: prev = m_brush.Detach(); m_brush = Held<RenderBrush>(obj); break;
    case DUI::OT_FONT:
        prev = m_font.Detach();
        m_font = Held<RenderFont>(obj);
        ::SelectObject(m_dc, m_font->Handle());
        if (m_maskDc) ::SelectObject(m_maskDc, m_font->Handle());
        break;
    default: return E_INVALIDARG;
    }
    if (old)
        *old = prev;
    else
        prev->Release();
    return S_OK;
}

HRESULT RenderSurface::CreatePen(int style, COLORREF color, int width, DUI::IPen** out)
{
    return m_factory->CreatePen(style, color, width, out);
}

HRESULT RenderSurface::CreateSolidBrush(COLORREF color, DUI::IBrush** out)
{
    return m_factory->CreateSolidBrush(color, out);
}

HRESULT RenderSurface::CreateRegion(DUI::IPaintRegion** out)
{
    return m_factory->CreateRegion(out);
}

HRESULT RenderSurface::BlitFromSurface(const RECT* dst, DUI::IPaintSurface* src, int xSrc, int ySrc)
{
    if (!dst || !src) return E_INVALIDARG;
    auto* from = static_cast<RenderSurface*>(src);
    const ConstPixelView pixels = from->Pixels();
    const RECT device = ToDevice(*dst);
    // Source pixel (xSrc, ySrc) in the source's own coordinates lands on dst's top-left.
    const POINT origin = {device.left - (xSrc + from->m_offset.x), device.top - (ySrc + from->m_offset.y)};
    const RECT srcBounds = {origin.x, origin.y, origin.x + pixels.width, origin.y + pixels.height};
    RECT bounded;
    if (!IntersectRects(bounded, device, srcBounds)) return S_OK;
    const PixelView view = m_bitmap->View();
    ForEachClip(bounded, [&](const RECT& area) { CopyArea(view, area, pixels, origin); });
    return S_OK;
}

HRESULT RenderSurface::AlphaBlendFromSurface(const RECT* dst, DUI::IPaintSurface* src, const RECT* srcRect, BYTE alpha)
{
    if (!dst || !src || !srcRect) return E_INVALIDARG;
    auto* from = static_cast<RenderSurface*>(src);
    RECT s = {srcRect->left + from->m_offset.x, srcRect->top + from->m_offset.y,
              srcRect->right + from->m_offset.x, srcRect->bottom + from->m_offset.y};
    const RECT all = {0, 0, from->Pixels().width, from->Pixels().height};
    if (!IntersectRects(s, s, all)) return S_OK;
    const RECT device = ToDevice(*dst);
    const int cx = device.right - device.left, cy = device.bottom - device.top;
    if (cx <= 0 || cy <= 0) return S_OK;
    const std::vector<uint32_t> scaled = ScalePixels(from->Pixels(), s, cx, cy, 1);
    BlendImage(device, {scaled.data(), cx, cy, cx}, {device.left, device.top}, alpha);
    return S_OK;
}

void RenderSurface::BlendImage(const RECT& device, const ConstPixelView& img, POINT origin, BYTE alpha) const
{
    const RECT imgBounds = {origin.x, origin.y, origin.x + img.width, origin.y + img.height};
    RECT bounded;
    if (!IntersectRects(bounded, device, imgBounds)) return;
    const PixelView view = m_bitmap->View();
    ForEachClip(bounded, [&](const RECT& area) { BlendArea(view, area, img, origin, alpha); });
}

} // namespace vrender
