#include "components/imgdecoder/DecoderFactory.h"

#include <new>

#include <objidl.h>
#include <gdiplus.h>
#include "components/imgdecoder/PictureFrames.h"
#include "dui/core/base/SRefPtr.h"

namespace vdecoder {

DecoderFactory::DecoderFactory()
{
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&m_token, &input, nullptr) != Gdiplus::Ok) m_token = 0;
}

DecoderFactory::~DecoderFactory()
{
    if (m_token) Gdiplus::GdiplusShutdown(m_token);
}

HRESULT DecoderFactory::CreatePicture(DUI::IPictureFrames** out)
{
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!m_token) return E_FAIL;
    *out = new (std::nothrow) PictureFrames(this);
    return *out ? S_OK : E_OUTOFMEMORY;
}

} // namespace vdecoder

// The component's one export: a new decoder factory holding one reference.
extern "C" __declspec(dllexport) BOOL SCreateInstance(void** out)
{
    if (!out) return FALSE;
    *out = nullptr;
    auto factory = DUI::SRefPtr<vdecoder::DecoderFactory>::Adopt(new (std::nothrow) vdecoder::DecoderFactory());
    if (!factory || !factory->Started()) return FALSE;
    *out = static_cast<DUI::IPictureDecoderFactory*>(factory.Detach());
    return TRUE;
}
