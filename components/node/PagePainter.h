#pragma once
// Paints a laid-out page into the view's premultiplied 32-bit DIB section;
// text goes through a GDI coverage mask so that its alpha is right on a
// transparent page.
#include "components/node/PageLayout.h"

#include <winsock2.h>
#include <windows.h>

#include <functional>
#include <string>

namespace node {

struct DecodedImage;

struct PaintState {
    int scrollX = 0, scrollY = 0;
    unsigned canvas = 0;                // 0xAARRGGBB under everything
    const DomNode* focused = nullptr;   // gets the caret and selection
    std::function<const DecodedImage*(const std::string& src)> image;
};

class PagePainter {
public:
    explicit PagePainter(FontCache& fonts) : m_fonts(fonts) {}
    ~PagePainter();
    PagePainter(const PagePainter&) = delete;
    PagePainter& operator=(const PagePainter&) = delete;

    void Resize(int width, int height);
    HDC DC() const { return m_dc; }
    int Width() const { return m_w; }
    int Height() const { return m_h; }
    // Repaints `dirty` (view coordinates) from the display list.
    void Paint(const LayoutResult& page, RECT dirty, const PaintState& state);
    // Where the caret of a focused text field is drawn, in view coordinates.
    RECT CaretRect(const DisplayItem& control, const PaintState& state);

private:
    void Fill(RECT r, unsigned argb, const RECT& clip);
    void PaintBox(const DisplayItem& it, RECT r, const RECT& clip);
    void PaintText(const std::wstring& text, HFONT font, int x, int y, unsigned argb, RECT clip);
    void PaintImage(const DisplayItem& it, RECT r, const RECT& clip, const PaintState& state);
    void PaintControl(const DisplayItem& it, RECT r, const RECT& clip, const PaintState& state);
    void PaintField(const DomNode* n, RECT content, const RECT& clip, bool focused);
    void EnsureMask();

    FontCache& m_fonts;
    int m_w = 0, m_h = 0;
    HDC m_dc = nullptr;
    HBITMAP m_bmp = nullptr;
    HGDIOBJ m_old = nullptr;
    unsigned* m_bits = nullptr;
    HDC m_maskDC = nullptr;
    HBITMAP m_maskBmp = nullptr;
    HGDIOBJ m_maskOld = nullptr;
    unsigned* m_mask = nullptr;
};

} // namespace node
