#pragma once
// A bitmap of the render component: 32-bit premultiplied pixels in a
// top-down DIB section, so a surface can select it into a memory DC.
#include "components/render/PixelOps.h"
#include "components/render/RenderObjects.h"
#include "dui/core/base/IImgDecoder.h"
#include "dui/core/base/SHandle.h"

namespace vrender {

class RenderBitmap : public TPaintObject<DUI::IPaintBitmap, DUI::OT_BITMAP>
{
public:
    explicit RenderBitmap(DUI::IPaintFactory* f) : TPaintObject(f) {}
    ~RenderBitmap() override;

    HRESULT InitPixels(int cx, int cy, const void* pixels) override;
    HRESULT LoadFromFile(LPCWSTR path) override;
    HRESULT LoadFromMemory(const void* bytes, size_t size) override;
    int Width() const override { return m_cx; }
    int Height() const override { return m_cy; }
    SIZE GetSize() const override { return {m_cx, m_cy}; }
    void* LockPixels() override { return m_bits; }
    void UnlockPixels(void*) override {}
    HRESULT Clone(DUI::IPaintBitmap** out) const override;
    HRESULT Scale(DUI::IPaintBitmap** out, int cx, int cy, UINT filter) const override;

    HBITMAP Handle() const { return m_bmp; }
    PixelView View() const { return {m_bits, m_cx, m_cy, m_cx}; }
    ConstPixelView ConstView() const { return {m_bits, m_cx, m_cy, m_cx}; }

private:
    DUI::SRefPtr<DUI::IPictureFrames> NewPicture();
    HRESULT LoadFrames(DUI::IPictureFrames& picture, UINT frames);
    void Free();

    DUI::SGdiObject<HBITMAP> m_bmp;
    uint32_t* m_bits = nullptr;
    int m_cx = 0;
    int m_cy = 0;
};

} // namespace vrender
