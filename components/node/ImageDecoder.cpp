#include "components/node/ImageDecoder.h"

#include <winsock2.h>
#include <windows.h>
#include <wincodec.h>

namespace node {

namespace {

template <class T>
struct ComRef {
    T* p = nullptr;
    ~ComRef()
    {
        if (p) p->Release();
    }
    T** operator&() { return &p; }
    T* operator->() const { return p; }
};

} // namespace

std::shared_ptr<DecodedImage> DecodeImage(const std::string& bytes)
{
    if (bytes.empty() || bytes.size() > 0x7FFFFFFF) return nullptr;
    ComRef<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
            reinterpret_cast<void**>(&factory))))
        return nullptr;
    ComRef<IWICStream> stream;
    if (FAILED(factory->CreateStream(&stream)) ||
        FAILED(stream->InitializeFromMemory(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())), DWORD(bytes.size()))))
        return nullptr;
    ComRef<IWICBitmapDecoder> decoder;
    ComRef<IWICBitmapFrameDecode> frame;
    ComRef<IWICFormatConverter> converter;
    if (FAILED(factory->CreateDecoderFromStream(stream.p, nullptr, WICDecodeMetadataCacheOnDemand, &decoder)) ||
        FAILED(decoder->GetFrame(0, &frame)) || FAILED(factory->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(frame.p, GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0,
            WICBitmapPaletteTypeCustom)))
        return nullptr;
    UINT w = 0, h = 0;
    if (FAILED(converter->GetSize(&w, &h)) || !w || !h || w > 16384 || h > 16384) return nullptr;
    auto img = std::make_shared<DecodedImage>();
    img->width = int(w);
    img->height = int(h);
    img->pixels.resize(size_t(w) * h);
    if (FAILED(converter->CopyPixels(nullptr, w * 4, w * h * 4, reinterpret_cast<BYTE*>(img->pixels.data()))))
        return nullptr;
    return img;
}

} // namespace node
