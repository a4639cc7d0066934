#include "components/render/RenderBitmap.h"

#include <cstring>
#include <new>
#include "dui/core/base/IImgDecoder.h"

namespace vrender {

RenderBitmap::~RenderBitmap()
{
    Free();
}

void RenderBitmap::Free()
{
    m_bmp.Reset();
    m_bits = nullptr;
    m_cx = m_cy = 0;
}

HRESULT RenderBitmap::InitPixels(int cx, int cy, const void* pixels)
{
    if (cx <= 0 || cy <= 0 || cx > 32767 || cy > 32767) return E_INVALIDARG;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = cx;
    bi.bmiHeader.biHeight = -cy;   // top-down rows
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    DUI::SGdiObject<HBITMAP> bmp(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bmp) return E_OUTOFMEMORY;
    Free();
    m_bmp = std::move(bmp);
    m_bits = static_cast<uint32_t*>(bits);
    m_cx = cx;
    m_cy = cy;
    const size_t bytes = static_cast<size_t>(cx) * cy * 4;
    if (pixels)
        memcpy(m_bits, pixels, bytes);
    else
        memset(m_bits, 0, bytes);
    return S_OK;
}

DUI::SRefPtr<DUI::IPictureFrames> RenderBitmap::NewPicture()
{
    DUI::SRefPtr<DUI::IPictureFrames> picture;
    DUI::IPictureDecoderFactory* decoder = GetFactory()->GetPictureDecoderFactory();
    if (decoder && FAILED(decoder->CreatePicture(picture.Put()))) picture.Detach();
    return picture;
}

HRESULT RenderBitmap::LoadFrames(DUI::IPictureFrames& picture, UINT frames)
{
    return frames > 0 ? InitPixels(picture.Width(), picture.Height(), picture.GetFramePixels(0)) : E_FAIL;
}

HRESULT RenderBitmap::LoadFromFile(LPCWSTR path)
{
    const auto picture = NewPicture();
    return picture ? LoadFrames(*picture, picture->LoadFromFile(path)) : E_NOINTERFACE;
}

HRESULT RenderBitmap::LoadFromMemory(const void* bytes, size_t size)
{
    const auto picture = NewPicture();
    return picture ? LoadFrames(*picture, picture->LoadFromMemory(bytes, size)) : E_NOINTERFACE;
}

HRESULT RenderBitmap::Clone(DUI::IPaintBitmap** out) const
{
    auto copy = DUI::SRefPtr<RenderBitmap>::Adopt(
        new (std::nothrow) RenderBitmap(const_cast<RenderBitmap*>(this)->GetFactory()));
    if (!copy) return E_OUTOFMEMORY;
    const HRESULT hr = m_bits ? copy->InitPixels(m_cx, m_cy, m_bits) : S_OK;
    if (FAILED(hr)) return hr;
    *out = copy.Detach();
    return S_OK;
}

HRESULT RenderBitmap::Scale(DUI::IPaintBitmap** out, int cx, int cy, UINT filter) const
{
    if (!m_bits) return E_FAIL;
    if (cx <= 0 || cy <= 0) return E_INVALIDARG;
    const RECT all = {0, 0, m_cx, m_cy};
    const std::vector<uint32_t> pixels = ScalePixels(ConstView(), all, cx, cy, filter);
    auto scaled = DUI::SRefPtr<RenderBitmap>::Adopt(
        new (std::nothrow) RenderBitmap(const_cast<RenderBitmap*>(this)->GetFactory()));
    if (!scaled) return E_OUTOFMEMORY;
    const HRESULT hr = scaled->InitPixels(cx, cy, pixels.data());
    if (FAILED(hr)) return hr;
    *out = scaled.Detach();
    return S_OK;
}

} // namespace vrender
