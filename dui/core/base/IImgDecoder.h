#pragma once
// The image decoder component (imgdecoder.dll): pictures of one or more
// frames, each frame 32-bit premultiplied pixels (blue, green, red, alpha).
#include <winsock2.h>
#include <windows.h>
#include "dui/core/base/IObjRef.h"

namespace DUI {

struct IPictureFrames : IObjRef
{
    // Both return the number of frames, 0 when the data is not a known image.
    virtual UINT LoadFromFile(LPCWSTR path) = 0;
    virtual UINT LoadFromMemory(const void* bytes, size_t size) = 0;
    virtual UINT GetFrameCount() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // Pixels of frame `index`, rows of Width() * 4 bytes; null past the end.
    virtual const void* GetFramePixels(UINT index) const = 0;
    // Display time of frame `index` in milliseconds (0 for still images).
    virtual UINT GetFrameDelay(UINT index) const = 0;
};

struct IPictureDecoderFactory : IObjRef
{
    virtual HRESULT CreatePicture(IPictureFrames** out) = 0;
    virtual LPCWSTR GetDescription() const = 0;
};

} // namespace DUI
