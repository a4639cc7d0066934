#pragma once
// Renders the pages of one PDF one after another on one thread, below
// poppler-cpp: one output device serves every page, so fonts are loaded once
// per document and a page drawn at the size of the previous one reuses its
// pixels. poppler-cpp builds a new device for each page, loads the fonts
// again and hands over a fresh copy of the pixels; under Wine the first touch
// of those fresh blocks (~14 MB for an A4 page at 192 dpi) cost more than
// drawing the page. The pixels are the same as poppler-cpp's.
#include <memory>
#include <vector>

#include "app/modules/pdf2image/PdfRenderJob.h"

class GlobalParamsIniter;
class PDFDoc;
class SplashOutputDev;

class PdfPageRasterizer {
public:
    // Loads its own document over `bytes`, which must outlive the rasterizer.
    explicit PdfPageRasterizer(const std::vector<char>& bytes);
    ~PdfPageRasterizer();
    PdfPageRasterizer(const PdfPageRasterizer&) = delete;
    PdfPageRasterizer& operator=(const PdfPageRasterizer&) = delete;

    // False when the bytes are no PDF poppler can open (or it needs a password).
    bool IsOpen() const;

    // The page (index from 0) at the resolution, or null when it cannot be
    // rendered. The pixels are the device's own, drawn over by the next page
    // unless the image is still held then: a page that is kept takes its
    // pixels along and the device draws the next one into new ones.
    std::unique_ptr<PdfPageImage> Render(int index, int resolution);

    // Frees the pixels between pages (pages held elsewhere keep theirs).
    void Release();

private:
    struct Lease;

    void EndLease();

    std::unique_ptr<GlobalParamsIniter> m_params;  // poppler's globals live while any document does
    std::unique_ptr<PDFDoc> m_doc;
    std::unique_ptr<SplashOutputDev> m_device;
    std::shared_ptr<Lease> m_lease;  // shared by the images of the last page rendered
};
