#include "dui/res.mgr/SImageLoader.h"

#include "dui/core/base/SRefPtr.h"

namespace DUI {

namespace {

SRefPtr<IPaintFactory>& LoaderFactory()
{
    static SRefPtr<IPaintFactory> s_factory;
    return s_factory;
}

template <class Load>
IPaintBitmap* LoadBitmapWith(Load load)
{
    IPaintFactory* factory = GetLoaderPaintFactory();
    IPaintBitmap* bmp = nullptr;
    if (!factory || FAILED(factory->CreateBitmap(&bmp)) || !bmp) return nullptr;
    if (load(bmp) < 0) {
        bmp->Release();
        return nullptr;
    }
    return bmp;
}

template <class Load>
IPictureFrames* LoadPictureWith(Load load)
{
    IPaintFactory* factory = GetLoaderPaintFactory();
    IPictureDecoderFactory* decoder = factory ? factory->GetPictureDecoderFactory() : nullptr;
    IPictureFrames* picture = nullptr;
    if (!decoder || FAILED(decoder->CreatePicture(&picture)) || !picture) return nullptr;
    if (load(picture) == 0) {
        picture->Release();
        return nullptr;
    }
    return picture;
}

} // namespace

void SetLoaderPaintFactory(IPaintFactory* factory)
{
    LoaderFactory().Reset(factory);
}

IPaintFactory* GetLoaderPaintFactory()
{
    return LoaderFactory().Get();
}

IPaintBitmap* LoadBitmapFromFile(LPCWSTR path)
{
    return LoadBitmapWith([&](IPaintBitmap* b) { return b->LoadFromFile(path); });
}

IPaintBitmap* LoadBitmapFromMemory(const void* bytes, size_t size)
{
    return LoadBitmapWith([&](IPaintBitmap* b) { return b->LoadFromMemory(bytes, size); });
}

IPictureFrames* LoadPictureFromFile(LPCWSTR path)
{
    return LoadPictureWith([&](IPictureFrames* p) { return p->LoadFromFile(path); });
}

IPictureFrames* LoadPictureFromMemory(const void* bytes, size_t size)
{
    return LoadPictureWith([&](IPictureFrames* p) { return p->LoadFromMemory(bytes, size); });
}

} // namespace DUI
