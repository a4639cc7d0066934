#pragma once
// A decoded picture: every frame as 32-bit premultiplied pixels, with the
// frame delays of animated GIFs.
#include <cstdint>
#include <vector>
#include "dui/core/base/IImgDecoder.h"
#include "dui/core/base/SRefPtr.h"
#include "dui/core/base/TObjRefImpl.h"

namespace vdecoder {

class PictureFrames : public DUI::TObjRefImpl<DUI::IPictureFrames>
{
public:
    // Decoded pixels one picture may hold: frames past it are dropped (and
    // logged), so a long animation cannot take all memory.
    static constexpr size_t kMaxPictureBytes = size_t{256} << 20;

    explicit PictureFrames(DUI::IPictureDecoderFactory* factory)
        : m_factory(DUI::SRefPtr<DUI::IPictureDecoderFactory>::Share(factory)) {}

    UINT LoadFromFile(LPCWSTR path) override;
    UINT LoadFromMemory(const void* bytes, size_t size) override;
    UINT GetFrameCount() const override { return static_cast<UINT>(m_frames.size()); }
    int Width() const override { return m_cx; }
    int Height() const override { return m_cy; }
    const void* GetFramePixels(UINT index) const override;
    UINT GetFrameDelay(UINT index) const override;

private:
    struct Frame
    {
        std::vector<uint32_t> pixels;
        UINT delay = 0;
    };

    void Clear();

    DUI::SRefPtr<DUI::IPictureDecoderFactory> m_factory;
    std::vector<Frame> m_frames;
    int m_cx = 0;
    int m_cy = 0;
};

} // namespace vdecoder
