#include "components/PelmoraImageConvert2022/IconCodec.h"

#include "components/PelmoraImageConvert2022/ByteReader.h"
#include "components/PelmoraImageConvert2022/ProgressSink.h"

#include <winsock2.h>
#include <windows.h>
#include <shlwapi.h>
#include <wincodec.h>

#include <vector>

namespace pelmora {

namespace {

// COM for this thread for the length of one decode; a thread that already
// runs COM in another mode keeps it.
class ComScope {
public:
    ComScope() : m_result(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
    ~ComScope() { if (SUCCEEDED(m_result)) CoUninitialize(); }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    HRESULT m_result;
};

template <typename T>
class Com {
public:
    Com() = default;
    ~Com() { if (m_p) m_p->Release(); }
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;
    T** Out() { return &m_p; }
    T* operator->() const { return m_p; }
    T* Get() const { return m_p; }

private:
    T* m_p = nullptr;
};

void Check(HRESULT hr)
{
    if (FAILED(hr)) Fail(hr == E_OUTOFMEMORY ? texts::kOutOfMemory : texts::kCorrupt);
}

// The directory entry with the most pixels (0 in a size byte means 256).
std::pair<std::uint32_t, std::uint32_t> LargestEntry(const std::uint8_t* data, std::size_t size, UINT* index)
{
    ByteReader in(data, size);
    std::uint32_t count = in.Le16(4), bestW = 0, bestH = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t w = in.U8(6 + i * 16), h = in.U8(7 + i * 16);
        w = w ? w : 256; h = h ? h : 256;
        if (w * h > bestW * bestH) { bestW = w; bestH = h; *index = i; }
    }
    return {bestW, bestH};
}

void CopyFrame(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame, PixelImage& image, ProgressSink& progress)
{
    Com<IWICFormatConverter> converter;
    Check(factory->CreateFormatConverter(converter.Out()));
    Check(converter->Initialize(frame, GUID_WICPixelFormat32bppRGBA, WICBitmapDitherTypeNone, nullptr, 0, WICBitmapPaletteTypeCustom));
    UINT width = 0, height = 0;
    Check(converter->GetSize(&width, &height));
    CheckPixelBudget(width, height);
    image.Allocate(width, height, 4, 8);
    std::uint32_t band = RowsPerBand(width);
    for (UINT y = 0; y < height; y += band) {
        progress.Report(kImageStageLoad, kLoadTag, y, height);
        UINT rows = std::min<UINT>(band, height - y);
        WICRect rect{0, static_cast<INT>(y), static_cast<INT>(width), static_cast<INT>(rows)};
        Check(converter->CopyPixels(&rect, static_cast<UINT>(image.Stride()), static_cast<UINT>(image.Stride() * rows), image.Row(y)));
    }
    progress.Report(kImageStageLoad, kLoadTag, height, height);
}

}  // namespace

HeaderInfo ReadIconHeader(const std::uint8_t* data, std::size_t size)
{
    UINT index = 0;
    auto [w, h] = LargestEntry(data, size, &index);
    return {w, h, 1};
}

PixelImage DecodeIcon(const std::uint8_t* data, std::size_t size, ProgressSink& progress)
{
    UINT index = 0;
    LargestEntry(data, size, &index);
    if (size > 0xFFFFFFFFu) Fail(texts::kTooLarge);
    std::vector<std::uint8_t> bytes(data, data + size);
    bytes[2] = 1;   // read a cursor as an icon
    ComScope com;
    Com<IWICImagingFactory> factory;
    Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                           reinterpret_cast<void**>(factory.Out())));
    Com<IWICStream> stream;
    Check(factory->CreateStream(stream.Out()));
    Check(stream->InitializeFromMemory(bytes.data(), static_cast<DWORD>(bytes.size())));
    Com<IWICBitmapDecoder> decoder;
    Check(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.Out()));
    UINT frames = 0;
    Check(decoder->GetFrameCount(&frames));
    if (index >= frames) index = 0;
    Com<IWICBitmapFrameDecode> frame;
    Check(decoder->GetFrame(index, frame.Out()));
    PixelImage image;
    CopyFrame(factory.Get(), frame.Get(), image, progress);
    return image;
}

}  // namespace pelmora
