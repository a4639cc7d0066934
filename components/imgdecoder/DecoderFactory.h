#pragma once
// The image decoder component over GDI+: starts GDI+ for as long as the
// factory or one of its pictures lives (the program never starts it itself).
#include <winsock2.h>
#include <windows.h>
#include "dui/core/base/IImgDecoder.h"
#include "dui/core/base/TObjRefImpl.h"

namespace vdecoder {

class DecoderFactory : public DUI::TObjRefImpl<DUI::IPictureDecoderFactory>
{
public:
    DecoderFactory();
    ~DecoderFactory() override;
    bool Started() const { return m_token != 0; }

    HRESULT CreatePicture(DUI::IPictureFrames** out) override;
    LPCWSTR GetDescription() const override { return L"gdiplus"; }

private:
    ULONG_PTR m_token = 0;
};

} // namespace vdecoder
