#include "components/render/RenderFactory.h"

#include "components/render/RenderBitmap.h"
#include "components/render/RenderSurface.h"

namespace vrender {

HRESULT RenderFactory::CreateSurface(int cx, int cy, DUI::IPaintSurface** out)
{
    if (!out) return E_POINTER;
    auto* surface = new RenderSurface(this);
    const HRESULT hr = surface->Resize({cx, cy});
    if (FAILED(hr)) {
        surface->Release();
        return hr;
    }
    *out = surface;
    return S_OK;
}

HRESULT RenderFactory::CreateFont(const LOGFONTW* lf, DUI::IFont** out)
{
    if (!lf || !out) return E_POINTER;
    auto* font = new RenderFont(this, *lf);
    if (!font->Handle()) {
        font->Release();
        return E_FAIL;
    }
    *out = font;
    return S_OK;
}

HRESULT RenderFactory::CreateBitmap(DUI::IPaintBitmap** out)
{
    if (!out) return E_POINTER;
    *out = new RenderBitmap(this);
    return S_OK;
}

HRESULT RenderFactory::CreateRegion(DUI::IPaintRegion** out)
{
    if (!out) return E_POINTER;
    *out = new RenderRegion(this);
    return S_OK;
}

HRESULT RenderFactory::CreatePen(int style, COLORREF color, int width, DUI::IPen** out)
{
    if (!out) return E_POINTER;
    *out = new RenderPen(this, style, color, width);
    return S_OK;
}

HRESULT RenderFactory::CreateSolidBrush(COLORREF color, DUI::IBrush** out)
{
    if (!out) return E_POINTER;
    *out = new RenderBrush(this, color);
    return S_OK;
}

void RenderFactory::SetPictureDecoderFactory(DUI::IPictureDecoderFactory* decoder)
{
    m_decoder.Reset(decoder);
}

} // namespace vrender

// The component's one export: a new factory holding one reference.
extern "C" __declspec(dllexport) BOOL SCreateInstance(void** out)
{
    if (!out) return FALSE;
    *out = static_cast<DUI::IPaintFactory*>(new vrender::RenderFactory());
    return TRUE;
}
