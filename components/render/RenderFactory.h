#pragma once
// The render component's factory, handed out by SCreateInstance.
#include "dui/core/base/IImgDecoder.h"
#include "dui/core/base/IRender.h"
#include "dui/core/base/SRefPtr.h"
#include "dui/core/base/TObjRefImpl.h"

namespace vrender {

class RenderFactory : public DUI::TObjRefImpl<DUI::IPaintFactory>
{
public:
    HRESULT CreateSurface(int cx, int cy, DUI::IPaintSurface** out) override;
    HRESULT CreateFont(const LOGFONTW* lf, DUI::IFont** out) override;
    HRESULT CreateBitmap(DUI::IPaintBitmap** out) override;
    HRESULT CreateRegion(DUI::IPaintRegion** out) override;
    HRESULT CreatePen(int style, COLORREF color, int width, DUI::IPen** out) override;
    HRESULT CreateSolidBrush(COLORREF color, DUI::IBrush** out) override;
    void SetPictureDecoderFactory(DUI::IPictureDecoderFactory* decoder) override;
    DUI::IPictureDecoderFactory* GetPictureDecoderFactory() override { return m_decoder.Get(); }

private:
    DUI::SRefPtr<DUI::IPictureDecoderFactory> m_decoder;
};

} // namespace vrender
