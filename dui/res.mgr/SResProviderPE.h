#pragma once
// Resources compiled into a module (the program or a loaded library).
#include "dui/core/base/TObjRefImpl.h"
#include "dui/res.mgr/IResProvider.h"

namespace DUI {

class SResProviderPE : public TObjRefImpl<IResProvider>
{
public:
    BOOL Init(WPARAM module) override;
    BOOL HasResource(LPCWSTR type, LPCWSTR name) override;
    HICON LoadIcon(LPCWSTR name, int cx, int cy) override;
    HBITMAP LoadBitmap(LPCWSTR name) override;
    HCURSOR LoadCursor(LPCWSTR name) override;
    IPaintBitmap* LoadImage(LPCWSTR type, LPCWSTR name) override;
    IPictureFrames* LoadImgX(LPCWSTR type, LPCWSTR name) override;
    size_t GetRawBufferSize(LPCWSTR type, LPCWSTR name) override;
    BOOL GetRawBuffer(LPCWSTR type, LPCWSTR name, LPVOID buffer, size_t size) override;

private:
    HRSRC Find(LPCWSTR type, LPCWSTR name) const;
    // The resource's bytes inside the module, or NULL; `size` gets their count.
    const void* Bytes(LPCWSTR type, LPCWSTR name, DWORD& size) const;

    HMODULE m_module = nullptr;
};

} // namespace DUI
