#include "app/modules/pdf2image/PdfPageRasterizer.h"

#include <GlobalParams.h>
#include <PDFDoc.h>
#include <SplashOutputDev.h>
#include <Stream.h>
#include <splash/SplashBitmap.h>

#include <atomic>
#include <climits>

#include "app/core/CallStatus.h"
#include "app/modules/pdf2image/PdfRenderer.h"

// Holds the pixels of a page that was still kept when the device moved on.
struct PdfPageRasterizer::Lease {
    std::unique_ptr<SplashBitmap> pixels;
};

namespace {

// poppler reports every font it substitutes; nobody reads that.
void IgnorePopplerError(ErrorCategory, Goffset, const char*) {}

// The device poppler-cpp's page renderer builds for 32-bit ARGB pages on
// white paper with antialiasing, text antialiasing and text hinting.
std::unique_ptr<SplashOutputDev> MakeDevice(PDFDoc& doc)
{
    SplashColor paper;
    for (auto& channel : paper) channel = 0xff;
    auto device = std::make_unique<SplashOutputDev>(splashModeXBGR8, 4, false, paper, true, splashThinLineDefault);
    device->setFontAntialias(true);
    device->setVectorAntialias(true);
    device->setFreeTypeHinting(true, false);
    device->startDoc(&doc);
    return device;
}

}  // namespace

PdfPageRasterizer::PdfPageRasterizer(const std::vector<char>& bytes)
{
    try {
        m_params = std::make_unique<GlobalParamsIniter>(&IgnorePopplerError);
        if (bytes.empty() || bytes.size() > static_cast<size_t>(INT_MAX)) return;
        // The stream reads the caller's bytes in place.
        auto doc = std::make_unique<PDFDoc>(new MemStream(bytes.data(), 0, static_cast<Goffset>(bytes.size()), Object(objNull)));
        if (!doc->isOk()) return;
        m_device = MakeDevice(*doc);
        m_doc = std::move(doc);
    } catch (...) {
        LogCaughtException(L"PdfPageRasterizer: opening the document");
        m_device.reset();
        m_doc.reset();
    }
}

PdfPageRasterizer::~PdfPageRasterizer()
{
    EndLease();
    m_device.reset();  // uses the document while it closes
    m_doc.reset();
}

bool PdfPageRasterizer::IsOpen() const
{
    return m_doc && m_device;
}

void PdfPageRasterizer::EndLease()
{
    if (!m_lease) return;
    if (m_lease.use_count() > 1) {
        // Someone keeps the page: its pixels go with it.
        m_lease->pixels.reset(m_device->takeBitmap());
    } else {
        // The last holder let go on another thread perhaps: its reads of the
        // pixels come before the device draws over them.
        std::atomic_thread_fence(std::memory_order_acquire);
    }
    m_lease.reset();
}

void PdfPageRasterizer::Release()
{
    EndLease();
    if (m_device) delete m_device->takeBitmap();
}

std::unique_ptr<PdfPageImage> PdfPageRasterizer::Render(int index, int resolution)
{
    EndLease();
    if (!IsOpen() || resolution < 1) return nullptr;
    try {
        if (index < 0 || index >= m_doc->getNumPages()) return nullptr;
        const int page = index + 1;
        long long bytes = PixelBytesAt(m_doc->getPageCropWidth(page), m_doc->getPageCropHeight(page), resolution);
        if (bytes <= 0 || bytes > kMaxPageBytes) return nullptr;
        // The whole page, cropped, unrotated, as poppler-cpp asks for it.
        m_doc->displayPageSlice(m_device.get(), page, resolution, resolution, 0, false, true, false, -1, -1, -1, -1,
                                nullptr, nullptr, nullptr, nullptr, true);
        SplashBitmap* bitmap = m_device->getBitmap();
        if (!bitmap || !bitmap->getDataPtr() || bitmap->getRowSize() <= 0) return nullptr;
        auto image = std::make_unique<PdfPageImage>();
        image->pixels = bitmap->getDataPtr();
        image->width = bitmap->getWidth();
        image->height = bitmap->getHeight();
        image->bytesPerRow = bitmap->getRowSize();
        m_lease = std::make_shared<Lease>();
        image->owner = m_lease;
        return image;
    } catch (...) {
        LogCaughtException(L"PdfPageRasterizer: page", std::to_wstring(index + 1));
        return nullptr;
    }
}
