#pragma once
// A source of UI resources addressed by (type, name): the resources of a
// module, or a folder described by "uires.idx". Names may also be integer
// resource ids (below 0x10000, passed in the pointer).
#include <winsock2.h>
#include <windows.h>
#include "dui/core/base/IImgDecoder.h"
#include "dui/core/base/IObjRef.h"
#include "dui/core/base/IRender.h"

namespace DUI {

struct IResProvider : IObjRef
{
    virtual BOOL Init(WPARAM param) = 0;
    virtual BOOL HasResource(LPCWSTR type, LPCWSTR name) = 0;
    virtual HICON LoadIcon(LPCWSTR name, int cx, int cy) = 0;
    virtual HBITMAP LoadBitmap(LPCWSTR name) = 0;
    virtual HCURSOR LoadCursor(LPCWSTR name) = 0;
    // Both return an object holding one reference (the caller's), or NULL.
    virtual IPaintBitmap* LoadImage(LPCWSTR type, LPCWSTR name) = 0;
    virtual IPictureFrames* LoadImgX(LPCWSTR type, LPCWSTR name) = 0;
    virtual size_t GetRawBufferSize(LPCWSTR type, LPCWSTR name) = 0;
    // FALSE with ERROR_INSUFFICIENT_BUFFER when `size` is below the resource's size.
    virtual BOOL GetRawBuffer(LPCWSTR type, LPCWSTR name, LPVOID buffer, size_t size) = 0;

protected:
    virtual ~IResProvider() = default;
};

enum ResProviderKind { RES_PE = 0, RES_FILE = 1 };

// kind 0: module resources, kind 1: a resource folder; the new provider has
// one reference and still needs Init. Other kinds store NULL and give FALSE.
BOOL CreateResProvider(int kind, IResProvider** out);

} // namespace DUI
