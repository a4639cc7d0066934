#include "app/modules/pdf2image/PdfRenderer.h"

#include <winsock2.h>
#include <windows.h>
#include <gdiplus.h>

#include <poppler-document.h>
#include <poppler-global.h>
#include <poppler-image.h>
#include <poppler-page-renderer.h>
#include <poppler-page.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>

#include "app/modules/pdf2image/BmpFile.h"
#include "app/modules/pdf2image/JpegFile.h"
#include "xml/SFile.h"

namespace {

long long PixelBytes(const poppler::page& page, int resolution)
{
    poppler::rectf box = page.page_rect(poppler::crop_box);
    return PixelBytesAt(box.width(), box.height(), resolution);
}

bool PageFitsInMemory(const poppler::page& page, int resolution)
{
    long long bytes = PixelBytes(page, resolution);
    return bytes > 0 && bytes <= kMaxPageBytes;
}

std::unique_ptr<PdfPageImage> KeepPixels(const poppler::image& img)
{
    if (!img.is_valid() || img.format() != poppler::image::format_argb32) return nullptr;
    auto kept = std::make_shared<const poppler::image>(img);  // shares the pixels, no copy
    auto out = std::make_unique<PdfPageImage>();
    out->pixels = reinterpret_cast<const unsigned char*>(kept->const_data());
    out->width = kept->width();
    out->height = kept->height();
    out->bytesPerRow = kept->bytes_per_row();
    out->owner = std::move(kept);
    return out;
}

// The installed encoders never change while the program runs.
const std::vector<Gdiplus::ImageCodecInfo>& Encoders()
{
    static const std::vector<Gdiplus::ImageCodecInfo> encoders = [] {
        static std::vector<BYTE> storage;  // the infos point into it
        UINT count = 0, size = 0;
        if (Gdiplus::DllExports::GdipGetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0) return std::vector<Gdiplus::ImageCodecInfo>();
        storage.resize(size);
        auto* infos = reinterpret_cast<Gdiplus::ImageCodecInfo*>(storage.data());
        if (Gdiplus::DllExports::GdipGetImageEncoders(count, size, infos) != Gdiplus::Ok) return std::vector<Gdiplus::ImageCodecInfo>();
        return std::vector<Gdiplus::ImageCodecInfo>(infos, infos + count);
    }();
    return encoders;
}

using PixelFileWriter = CallStatus (*)(const std::wstring& path, const unsigned char* pixels, int width, int height,
                                 int stride, int dpi);

// Read access to a bitmap's pixels as 32-bit ARGB, released on every way out.
class LockedPixels {
public:
    explicit LockedPixels(Gdiplus::Bitmap& bitmap) : m_bitmap(bitmap)
    {
        Gdiplus::Rect whole(0, 0, static_cast<INT>(bitmap.GetWidth()), static_cast<INT>(bitmap.GetHeight()));
        m_status = bitmap.LockBits(&whole, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &m_data);
        m_locked = m_status == Gdiplus::Ok;
    }
    ~LockedPixels()
    {
        if (m_locked) m_bitmap.UnlockBits(&m_data);
    }
    LockedPixels(const LockedPixels&) = delete;
    LockedPixels& operator=(const LockedPixels&) = delete;

    bool IsLocked() const { return m_locked; }
    Gdiplus::Status Status() const { return m_status; }
    const Gdiplus::BitmapData& Data() const { return m_data; }

private:
    Gdiplus::Bitmap& m_bitmap;
    Gdiplus::BitmapData m_data{};
    Gdiplus::Status m_status = Gdiplus::GenericError;
    bool m_locked = false;
};

CallStatus SaveThrough(PixelFileWriter write, Gdiplus::Bitmap& bitmap, const std::wstring& path)
{
    LockedPixels pixels(bitmap);
    if (!pixels.IsLocked()) return CallStatus(L"GdipBitmapLockBits", pixels.Status(), path);
    const Gdiplus::BitmapData& data = pixels.Data();
    int dpi = static_cast<int>(std::lround(bitmap.GetHorizontalResolution()));
    return write(path, static_cast<const unsigned char*>(data.Scan0), static_cast<int>(data.Width),
                 static_cast<int>(data.Height), data.Stride, dpi);
}

}  // namespace

long long PixelBytesAt(double widthPoints, double heightPoints, int resolution)
{
    double width = std::ceil(std::fabs(widthPoints) * resolution / 72.0);
    double height = std::ceil(std::fabs(heightPoints) * resolution / 72.0);
    if (!(width >= 1 && height >= 1)) return 0;
    double bytes = width * 4 * height;
    return bytes <= static_cast<double>(kMaxPageBytes) ? static_cast<long long>(bytes) : kMaxPageBytes + 1;
}

CallStatus ReadFileBytes(const std::wstring& path, std::vector<char>& bytes)
{
    bytes.clear();
    const DUI::SFileRead read = DUI::ReadWholeFile(path.c_str(), [&bytes](unsigned long long size) -> void* {
        try {
            bytes.resize(static_cast<size_t>(size) + 1);  // never empty: data() is a place to read to
        } catch (const std::exception&) {
            LogCaughtException(L"ReadFileBytes");
            return nullptr;
        }
        return bytes.data();
    });
    bytes.resize(read.bytes);
    if (read.result != DUI::SFileRead::Ok) {
        bytes.clear();
        return CallStatus(read.call, read.code, path);
    }
    return CallStatus();
}

std::vector<char> ReadFileBytes(const std::wstring& path)
{
    std::vector<char> bytes;
    if (!LogFailure(L"ReadFileBytes", ReadFileBytes(path, bytes)))
        return {};
    return bytes;
}

int PageCountOf(const poppler::document& doc)
{
    return doc.is_locked() ? 0 : doc.pages();
}

long long PageRenderBytes(poppler::document& doc, int index, int resolution)
{
    if (index < 0 || index >= PageCountOf(doc) || resolution < 1) return 0;
    try {
        std::unique_ptr<poppler::page> page(doc.create_page(index));
        return page ? PixelBytes(*page, resolution) : 0;
    } catch (...) {
        LogCaughtException(L"PageRenderBytes");
        return 0;
    }
}

std::unique_ptr<PdfPageImage> RenderPage(poppler::document& doc, int index, int resolution)
{
    if (index < 0 || index >= PageCountOf(doc) || resolution < 1) return nullptr;
    try {
        std::unique_ptr<poppler::page> page(doc.create_page(index));
        if (!page || !PageFitsInMemory(*page, resolution)) return nullptr;
        poppler::page_renderer renderer;
        renderer.set_render_hints(poppler::page_renderer::antialiasing | poppler::page_renderer::text_antialiasing |
                                  poppler::page_renderer::text_hinting);
        poppler::image img =
            renderer.render_page(page.get(), resolution, resolution, -1, -1, -1, -1, poppler::rotate_0);
        return KeepPixels(img);
    } catch (...) {
        LogCaughtException(L"RenderPage");
        return nullptr;
    }
}

CallStatus SaveBitmap(Gdiplus::Bitmap& bitmap, const std::wstring& path, const std::wstring& extension)
{
    // Runs on an encoding thread: a failed allocation is a failed save, not an escape.
    try {
        // JPEG and BMP go straight from the pixels to the file: the same files as
        // the GDI+ encoders write, in a fraction of their time under Wine.
        if (extension == L"jpg") return SaveThrough(&WriteJpegFile, bitmap, path);
        if (extension != L"png") return SaveThrough(&WriteBmpFile, bitmap, path);
        for (const auto& encoder : Encoders()) {
            if (std::wcscmp(encoder.MimeType, L"image/png") == 0) {
                const Gdiplus::Status saved = bitmap.Save(path.c_str(), &encoder.Clsid, nullptr);
                return saved == Gdiplus::Ok ? CallStatus() : CallStatus(L"GdipSaveImageToFile", saved, path);
            }
        }
        return CallStatus(L"GdipGetImageEncoders", Gdiplus::UnknownImageFormat, path);
    } catch (...) {
        LogCaughtException(L"SaveBitmap", path);
        return CallStatus(L"SaveBitmap", ERROR_NOT_ENOUGH_MEMORY, path);
    }
}
