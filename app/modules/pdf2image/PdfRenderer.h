#pragma once
// PDF pages to image files: poppler-cpp opens and counts documents held in
// memory; GDI+ writes PNG, and JPEG and BMP are written straight from the
// pixels. The pages of one file render on several threads, each over its own
// document with one poppler output device kept for the whole file, so fonts
// load once and each page reuses the last page's pixel buffer: poppler needs
// no lock as long as no document is shared.
#include <memory>
#include <string>
#include <vector>

#include "app/core/CallStatus.h"
#include "app/modules/pdf2image/PdfRenderJob.h"

namespace poppler {
class document;
}
namespace Gdiplus {
class Bitmap;
}

// Points poppler at the folder of its encodings and font data; run once before any render.
void InitPopplerDataDir();

// The whole file, or an empty vector when it cannot be opened or read.
std::vector<char> ReadFileBytes(const std::wstring& path);
// The same with the reason when it cannot be read; an empty file is read.
CallStatus ReadFileBytes(const std::wstring& path, std::vector<char>& bytes);

// The number of pages, or 0 for a document that needs a password: poppler
// cannot count the pages of a locked document (it crashes when asked).
int PageCountOf(const poppler::document& doc);

// A page needs its pixels more than once at a time (poppler's bitmap and what
// is made of it); beyond this a damaged or absurd page size would only
// exhaust memory.
constexpr long long kMaxPageBytes = 1LL << 30;

// The pixel bytes of a page of this size in points at the resolution, as
// poppler sizes them; 0 for a page with no area, and just above kMaxPageBytes
// for anything beyond it.
long long PixelBytesAt(double widthPoints, double heightPoints, int resolution);

// The page (index from 0) at the resolution, or null when it cannot be
// rendered: through poppler-cpp, with a new renderer and a copy of the pixels
// for each page. The page threads render through PdfPageRasterizer instead,
// which gives the same pixels.
std::unique_ptr<PdfPageImage> RenderPage(poppler::document& doc, int index, int resolution);

// The bytes of the page's pixels (index from 0) at the resolution; 0 when
// the page cannot be rendered.
long long PageRenderBytes(poppler::document& doc, int index, int resolution);

// Writes by extension ("jpg", "png", anything else BMP) with the bitmap's
// resolution; success when written, else the call that failed.
CallStatus SaveBitmap(Gdiplus::Bitmap& bitmap, const std::wstring& path, const std::wstring& extension);

// Writes the pages named by the options; `written` lists the files, and is
// empty again (with the files deleted) after a failure or a stop. Renders on
// RenderThreadCount() threads.
void RenderPdfToImages(PdfRenderJob& job, std::vector<std::wstring>& written, const PdfRenderOptions& options);

// The same on a chosen number of render threads; 1 renders one page at a
// time. The files, their bytes, the progress and the failures are the same
// for any number.
void RenderPdfToImages(PdfRenderJob& job, std::vector<std::wstring>& written, const PdfRenderOptions& options,
                       int renderThreads);

// One render thread for each processor the process may use, up to a limit:
// more would only add documents and pages in memory.
constexpr int kMaxRenderThreads = 16;
int RenderThreadCount();
