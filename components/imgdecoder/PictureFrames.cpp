#include "components/imgdecoder/PictureFrames.h"

#include <objidl.h>
#include <shlwapi.h>
#include <gdiplus.h>
#include <cstdarg>
#include <cstdio>
#include <memory>

#include "dui/core/base/SHandle.h"
#include "dui/core/base/SRefPtr.h"

namespace vdecoder {

namespace {

using namespace Gdiplus::DllExports;
using Gdiplus::GpBitmap;
using Gdiplus::GpImage;

constexpr PROPID kFrameDelayTag = 0x5100;   // PropertyTagFrameDelay, in 1/100 s

void Log(const wchar_t* format, ...)
{
    wchar_t line[256];
    va_list args;
    va_start(args, format);
    _vsnwprintf_s(line, _countof(line), _TRUNCATE, format, args);
    va_end(args);
    ::OutputDebugStringW(line);
}

struct BitmapDeleter
{
    void operator()(GpBitmap* b) const { GdipDisposeImage(b); }
};
using BitmapPtr = std::unique_ptr<GpBitmap, BitmapDeleter>;

std::vector<UINT> FrameDelays(GpImage* image, UINT frames)
{
    std::vector<UINT> delays(frames, 0);
    UINT size = 0;
    if (GdipGetPropertyItemSize(image, kFrameDelayTag, &size) != Gdiplus::Ok || size < sizeof(Gdiplus::PropertyItem))
        return delays;
    std::vector<BYTE> buf(size);
    auto* item = reinterpret_cast<Gdiplus::PropertyItem*>(buf.data());
    if (GdipGetPropertyItem(image, kFrameDelayTag, size, item) != Gdiplus::Ok) return delays;
    const auto* values = static_cast<const LONG*>(item->value);
    const UINT count = item->length / sizeof(LONG);
    for (UINT i = 0; i < frames && i < count; ++i) delays[i] = static_cast<UINT>(values[i]) * 10;
    return delays;
}

bool ReadPixels(GpBitmap* bmp, int cx, int cy, std::vector<uint32_t>& out)
{
    out.assign(static_cast<size_t>(cx) * cy, 0);
    Gdiplus::BitmapData data = {};
    data.Width = cx;
    data.Height = cy;
    data.Stride = cx * 4;
    data.PixelFormat = PixelFormat32bppPARGB;
    data.Scan0 = out.data();
    const Gdiplus::GpRect all(0, 0, cx, cy);
    // ImageLockModeUserInputBuf: GDI+ converts straight into our buffer.
    if (GdipBitmapLockBits(bmp, &all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                           PixelFormat32bppPARGB, &data) != Gdiplus::Ok)
        return false;
    GdipBitmapUnlockBits(bmp, &data);
    return true;
}

} // namespace

void PictureFrames::Clear()
{
    m_frames.clear();
    m_cx = m_cy = 0;
}

UINT PictureFrames::LoadFromFile(LPCWSTR path)
{
    Clear();
    // Read the file ourselves: GDI+ would keep it open while the image lives.
    const DUI::SFileHandle file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return 0;
    LARGE_INTEGER size = {};
    std::vector<BYTE> bytes;
    DWORD got = 0;
    const bool ok = GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart < 0x7FFFFFFF &&
                    (bytes.resize(static_cast<size_t>(size.QuadPart)), true) &&
                    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) &&
                    got == bytes.size();
    return ok ? LoadFromMemory(bytes.data(), bytes.size()) : 0;
}

UINT PictureFrames::LoadFromMemory(const void* bytes, size_t size)
{
    Clear();
    if (!bytes || size == 0 || size > 0x7FFFFFFF) return 0;
    const auto stream = DUI::SComPtr<IStream>::Adopt(SHCreateMemStream(static_cast<const BYTE*>(bytes), static_cast<UINT>(size)));
    if (!stream) return 0;
    GpBitmap* raw = nullptr;
    const Gdiplus::GpStatus status = GdipCreateBitmapFromStream(stream.Get(), &raw);
    if (status != Gdiplus::Ok || !raw) return 0;
    BitmapPtr bmp(raw);
    UINT cx = 0, cy = 0, dims = 0, frames = 1;
    GdipGetImageWidth(bmp.get(), &cx);
    GdipGetImageHeight(bmp.get(), &cy);
    if (cx == 0 || cy == 0 || cx > 32767 || cy > 32767) return 0;
    GUID dim = {};
    if (GdipImageGetFrameDimensionsCount(bmp.get(), &dims) == Gdiplus::Ok && dims > 0 &&
        GdipImageGetFrameDimensionsList(bmp.get(), &dim, 1) == Gdiplus::Ok)
        GdipImageGetFrameCount(bmp.get(), &dim, &frames);
    const std::vector<UINT> delays = FrameDelays(bmp.get(), frames);
    const size_t frameBytes = static_cast<size_t>(cx) * cy * 4;
    for (UINT i = 0; i < frames; ++i) {
        // Frames past the cap, or from the first one that cannot be read
        // (a truncated animation), are dropped; the picture keeps the ones
        // before. A first frame that cannot be read is no picture at all.
        if (i > 0 && frameBytes * (i + 1) > kMaxPictureBytes) {
            Log(L"imgdecoder: %u of %u frames kept, the rest is past %u MB of pixels\n", i, frames,
                static_cast<UINT>(kMaxPictureBytes >> 20));
            break;
        }
        Frame frame;
        if ((frames > 1 && GdipImageSelectActiveFrame(bmp.get(), &dim, i) != Gdiplus::Ok) ||
            !ReadPixels(bmp.get(), static_cast<int>(cx), static_cast<int>(cy), frame.pixels)) {
            if (i == 0) {
                m_frames.clear();
                return 0;
            }
            Log(L"imgdecoder: %u of %u frames kept, frame %u cannot be read\n", i, frames, i);
            break;
        }
        frame.delay = delays[i];
        m_frames.push_back(std::move(frame));
    }
    if (m_frames.empty()) return 0;
    m_cx = static_cast<int>(cx);
    m_cy = static_cast<int>(cy);
    return GetFrameCount();
}

const void* PictureFrames::GetFramePixels(UINT index) const
{
    return index < m_frames.size() ? m_frames[index].pixels.data() : nullptr;
}

UINT PictureFrames::GetFrameDelay(UINT index) const
{
    return index < m_frames.size() ? m_frames[index].delay : 0;
}

} // namespace vdecoder
