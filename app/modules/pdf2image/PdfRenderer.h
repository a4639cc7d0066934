#pragma once
// PDF pages to image files: poppler-cpp renders from memory; GDI+ holds the
// pictures and writes PNG, JPEG and BMP are written straight from the pixels.
// One process-wide lock lets only one page be rasterised at a time.
#include <memory>
#include <string>
#include <vector>

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

// The page (index from 0) at the resolution, or null when it cannot be rendered.
std::unique_ptr<PdfPageImage> RenderPage(poppler::document& doc, int index, int resolution);

// Writes by extension ("jpg", "png", anything else BMP) with the bitmap's
// resolution; true when written.
[[nodiscard]] bool SaveBitmap(Gdiplus::Bitmap& bitmap, const std::wstring& path, const std::wstring& extension);

// Writes the pages named by the options; `written` lists the files, and is
// empty again (with the files deleted) after a failure or a stop.
void RenderPdfToImages(PdfRenderJob& job, std::vector<std::wstring>& written, const PdfRenderOptions& options);
