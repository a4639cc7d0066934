#include "components/render/RenderFactory.h"

#include <new>

#include "components/render/RenderBitmap.h"
#include "components/render/RenderSurface.h"

namespace vrender {

namespace {

// Hands a new object's one reference to the caller; no exception may leave
// the component, so a failed allocation is an error code.
template <class I, class T>
HRESULT HandOut(T* made, I** out)
{
    *out = made;
    return made ? S_OK : E_OUTOFMEMORY;
}

} // namespace

HRESULT RenderFactory::CreateSurface(int cx, int cy, DUI::IPaintSurface** out)
{
    if (!out) return E_POINTER;
    *out = nullptr;
    auto surface = DUI::SRefPtr<RenderSurface>::Adopt(new (std::nothrow) RenderSurface(this));
    if (!surface || !surface->IsValid()) return E_OUTOFMEMORY;
    const HRESULT hr = surface->Resize({cx, cy});
    if (FAILED(hr)) return hr;
    *out = surface.Detach();
    return S_OK;
}

HRESULT RenderFactory::CreateFont(const LOGFONTW* lf, DUI::IFont** out)
{
    if (!lf || !out) return E_POINTER;
    *out = nullptr;
    auto font = DUI::SRefPtr<RenderFont>::Adopt(new (std::nothrow) RenderFont(this, *lf));
    if (!font) return E_OUTOFMEMORY;
    if (!font->Handle()) return E_FAIL;
    *out = font.Detach();
    return S_OK;
}

HRESULT RenderFactory::CreateBitmap(DUI::IPaintBitmap** out)
{
    if (!out) return E_POINTER;
    return HandOut(new (std::nothrow) RenderBitmap(this), out);
}

HRESULT RenderFactory::CreateRegion(DUI::IPaintRegion** out)
{
    if (!out) return E_POINTER;
    return HandOut(new (std::nothrow) RenderRegion(this), out);
}

HRESULT RenderFactory::CreatePen(int style, COLORREF color, int width, DUI::IPen** out)
{
    if (!out) return E_POINTER;
    return HandOut(new (std::nothrow) RenderPen(this, style, color, width), out);
}

HRESULT RenderFactory::CreateSolidBrush(COLORREF color, DUI::IBrush** out)
{
    if (!out) return E_POINTER;
    return HandOut(new (std::nothrow) RenderBrush(this, color), out);
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
    *out = static_cast<DUI::IPaintFactory*>(new (std::nothrow) vrender::RenderFactory());
    return *out != nullptr;
}
