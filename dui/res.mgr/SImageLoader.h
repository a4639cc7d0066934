#pragma once
// Bitmaps and pictures made from files or bytes through the render factory
// and its picture decoder. The application hands its render factory over
// with SetLoaderPaintFactory when it gets one.
#include "dui/core/base/IImgDecoder.h"
#include "dui/core/base/IRender.h"

namespace DUI {

void SetLoaderPaintFactory(IPaintFactory* factory);
IPaintFactory* GetLoaderPaintFactory();

// Each returns a new object holding one reference, or NULL.
IPaintBitmap* LoadBitmapFromFile(LPCWSTR path);
IPaintBitmap* LoadBitmapFromMemory(const void* bytes, size_t size);
IPictureFrames* LoadPictureFromFile(LPCWSTR path);
IPictureFrames* LoadPictureFromMemory(const void* bytes, size_t size);

} // namespace DUI
