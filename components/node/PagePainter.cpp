#include "components/node/PagePainter.h"

#include "components/node/DecodedImage.h"
#include "components/node/DomNode.h"

#include <algorithm>
#include <cstring>

namespace node {

namespace {

HBITMAP NewDib(HDC dc, int w, int h, unsigned** bits)
{
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = std::max(1, w);
    bi.bmiHeader.biHeight = -std::max(1, h);
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* p = nullptr;
    HBITMAP b = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
    *bits = static_cast<unsigned*>(p);
    return b;
}

// Source-over of a non-premultiplied colour with extra coverage (0-255).
inline void Blend(unsigned& dst, unsigned argb, unsigned cover)
{
    unsigned a = ((argb >> 24) * cover + 127) / 255;
    if (!a) return;
    unsigned r = (argb >> 16 & 0xFF) * a / 255, g = (argb >> 8 & 0xFF) * a / 255, b = (argb & 0xFF) * a / 255;
    unsigned inv = 255 - a;
    unsigned d = dst;
    unsigned da = (d >> 24) * inv / 255 + a, dr = (d >> 16 & 0xFF) * inv / 255 + r;
    unsigned dg = (d >> 8 & 0xFF) * inv / 255 + g, db = (d & 0xFF) * inv / 255 + b;
    dst = da << 24 | dr << 16 | dg << 8 | db;
}

RECT Shift(RECT r, const PaintState& s)
{
    OffsetRect(&r, -s.scrollX, -s.scrollY);
    return r;
}

bool IsButtonLike(const DomNode* n)
{
    if (n->Is("button")) return true;
    std::string t = n->AttrOr("type", "text");
    return n->Is("input") && (t == "submit" || t == "button" || t == "reset");
}

} // namespace

PagePainter::~PagePainter()
{
    if (m_dc) {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bmp);
        DeleteDC(m_dc);
    }
    if (m_maskDC) {
        SelectObject(m_maskDC, m_maskOld);
        DeleteObject(m_maskBmp);
        DeleteDC(m_maskDC);
    }
}

void PagePainter::Resize(int w, int h)
{
    w = std::max(0, w);
    h = std::max(0, h);
    if (m_dc && w == m_w && h == m_h) return;
    if (!m_dc) {
        m_dc = CreateCompatibleDC(nullptr);
        m_maskDC = CreateCompatibleDC(nullptr);
    } else {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bmp);
        SelectObject(m_maskDC, m_maskOld);
        DeleteObject(m_maskBmp);
    }
    m_w = w;
    m_h = h;
    m_bmp = NewDib(m_dc, w, h, &m_bits);
    m_old = SelectObject(m_dc, m_bmp);
    m_maskBmp = NewDib(m_maskDC, w, h, &m_mask);
    m_maskOld = SelectObject(m_maskDC, m_maskBmp);
    SetBkMode(m_maskDC, TRANSPARENT);
    SetTextColor(m_maskDC, RGB(255, 255, 255));
}

void PagePainter::Fill(RECT r, unsigned argb, const RECT& clip)
{
    RECT c;
    if (!(argb >> 24) || !IntersectRect(&c, &r, &clip)) return;
    for (int y = c.top; y < c.bottom; ++y) {
        unsigned* row = m_bits + size_t(y) * m_w;
        for (int x = c.left; x < c.right; ++x) Blend(row[x], argb, 255);
    }
}

void PagePainter::PaintText(const std::wstring& text, HFONT font, int x, int y, unsigned argb, RECT clip)
{
    RECT view{0, 0, m_w, m_h};
    if (!IntersectRect(&clip, &clip, &view) || text.empty()) return;
    for (int row = clip.top; row < clip.bottom; ++row)
        memset(m_mask + size_t(row) * m_w + clip.left, 0, size_t(clip.right - clip.left) * 4);
    HGDIOBJ old = SelectObject(m_maskDC, font);
    ExtTextOutW(m_maskDC, x, y, ETO_CLIPPED, &clip, text.c_str(), UINT(text.size()), nullptr);
    SelectObject(m_maskDC, old);
    GdiFlush();
    for (int row = clip.top; row < clip.bottom; ++row) {
        unsigned* dst = m_bits + size_t(row) * m_w;
        const unsigned* src = m_mask + size_t(row) * m_w;
        for (int col = clip.left; col < clip.right; ++col) {
            unsigned cover = src[col] >> 8 & 0xFF;
            if (cover) Blend(dst[col], argb, cover);
        }
    }
}

void PagePainter::PaintBox(const DisplayItem& it, RECT r, const RECT& clip)
{
    const ComputedStyle& s = it.node->style;
    const Edges& b = s.border;
    Fill(RECT{r.left + b.left, r.top + b.top, r.right - b.right, r.bottom - b.bottom}, s.background, clip);
    Fill(RECT{r.left, r.top, r.right, r.top + b.top}, s.borderColor, clip);
    Fill(RECT{r.left, r.bottom - b.bottom, r.right, r.bottom}, s.borderColor, clip);
    Fill(RECT{r.left, r.top + b.top, r.left + b.left, r.bottom - b.bottom}, s.borderColor, clip);
    Fill(RECT{r.right - b.right, r.top + b.top, r.right, r.bottom - b.bottom}, s.borderColor, clip);
}

void PagePainter::PaintImage(const DisplayItem& it, RECT r, const RECT& clip, const PaintState& state)
{
    const DecodedImage* img = state.image ? state.image(it.node->AttrOr("src")) : nullptr;
    const ComputedStyle& s = it.node->style;
    RECT c{r.left + s.border.left + s.padding.left, r.top + s.border.top + s.padding.top,
        r.right - s.border.right - s.padding.right, r.bottom - s.border.bottom - s.padding.bottom};
    RECT inter;
    if (!img || img->width <= 0 || !IntersectRect(&inter, &c, &clip) || c.right <= c.left || c.bottom <= c.top) return;
    int cw = c.right - c.left, ch = c.bottom - c.top;
    for (int y = inter.top; y < inter.bottom; ++y) {
        int sy = int((long long)(y - c.top) * img->height / ch);
        const unsigned* srow = img->pixels.data() + size_t(sy) * img->width;
        unsigned* drow = m_bits + size_t(y) * m_w;
        for (int x = inter.left; x < inter.right; ++x) {
            unsigned p = srow[(long long)(x - c.left) * img->width / cw];
            unsigned a = p >> 24;
            if (a == 255) drow[x] = p;
            else if (a) {
                unsigned d = drow[x], inv = 255 - a;
                unsigned out = 0;
                for (int sh = 0; sh < 32; sh += 8)
                    out |= std::min(255u, (p >> sh & 0xFF) + (d >> sh & 0xFF) * inv / 255) << sh;
                drow[x] = out;
            }
        }
    }
}

void PagePainter::PaintField(const DomNode* n, RECT content, const RECT& clip, bool focused)
{
    FontInfo& f = m_fonts.Get(n->style);
    std::wstring text = ControlText(n);
    int y = content.top + (content.bottom - content.top - f.height) / 2;
    RECT c;
    if (!IntersectRect(&c, &content, &clip)) return;
    int selFrom = std::min(n->caret, n->selAnchor), selTo = std::max(n->caret, n->selAnchor);
    selFrom = std::clamp(selFrom, 0, int(text.size()));
    selTo = std::clamp(selTo, 0, int(text.size()));
    if (focused && selTo > selFrom) {
        int x0 = content.left + m_fonts.Width(f, text.substr(0, size_t(selFrom)));
        int x1 = content.left + m_fonts.Width(f, text.substr(0, size_t(selTo)));
        Fill(RECT{x0, y, x1, y + f.height}, 0xFF99C9FF, c);
    }
    PaintText(text, f.font, content.left, y, n->style.color, c);
    if (focused) {
        int cx = content.left + m_fonts.Width(f, text.substr(0, size_t(std::clamp(n->caret, 0, int(text.size())))));
        Fill(RECT{cx, y, cx + 1, y + f.height}, 0xFF000000, c);
    }
}

void PagePainter::PaintControl(const DisplayItem& it, RECT r, const RECT& clip, const PaintState& state)
{
    const DomNode* n = it.node;
    const ComputedStyle& s = n->style;
    RECT content{r.left + s.border.left + s.padding.left, r.top + s.border.top + s.padding.top,
        r.right - s.border.right - s.padding.right, r.bottom - s.border.bottom - s.padding.bottom};
    std::string type = n->AttrOr("type", "text");
    if (n->Is("input") && (type == "checkbox" || type == "radio")) {
        Fill(r, 0xFFFFFFFF, clip);
        Fill(RECT{r.left, r.top, r.right, r.top + 1}, 0xFF767676, clip);
        Fill(RECT{r.left, r.bottom - 1, r.right, r.bottom}, 0xFF767676, clip);
        Fill(RECT{r.left, r.top, r.left + 1, r.bottom}, 0xFF767676, clip);
        Fill(RECT{r.right - 1, r.top, r.right, r.bottom}, 0xFF767676, clip);
        int inset = std::max(3, int(r.right - r.left) / 4);
        if (n->checked) Fill(RECT{r.left + inset, r.top + inset, r.right - inset, r.bottom - inset}, 0xFF0075FF, clip);
        return;
    }
    if (!IsButtonLike(n)) {
        PaintField(n, content, clip, n == state.focused);
        return;
    }
    FontInfo& f = m_fonts.Get(s);
    std::wstring text = ControlText(n);
    int x = content.left + (content.right - content.left - m_fonts.Width(f, text)) / 2;
    int y = content.top + (content.bottom - content.top - f.height) / 2;
    RECT c;
    if (IntersectRect(&c, &content, &clip)) PaintText(text, f.font, x, y, s.color, c);
}

RECT PagePainter::CaretRect(const DisplayItem& it, const PaintState& state)
{
    const DomNode* n = it.node;
    const ComputedStyle& s = n->style;
    RECT r = Shift(it.rect, state);
    FontInfo& f = m_fonts.Get(s);
    std::wstring text = ControlText(n);
    int left = r.left + s.border.left + s.padding.left;
    int top = r.top + s.border.top + s.padding.top;
    int contentH = r.bottom - s.border.bottom - s.padding.bottom - top;
    int x = left + m_fonts.Width(f, text.substr(0, size_t(std::clamp(n->caret, 0, int(text.size())))));
    int y = top + (contentH - f.height) / 2;
    return RECT{x, y, x + 1, y + f.height};
}

void PagePainter::Paint(const LayoutResult& page, RECT dirty, const PaintState& state)
{
    RECT view{0, 0, m_w, m_h};
    if (!m_bits || !IntersectRect(&dirty, &dirty, &view)) return;
    unsigned canvas = state.canvas;
    unsigned premul = 0;
    if (canvas >> 24) {
        unsigned a = canvas >> 24;
        premul = a << 24 | ((canvas >> 16 & 0xFF) * a / 255) << 16 | ((canvas >> 8 & 0xFF) * a / 255) << 8 |
            ((canvas & 0xFF) * a / 255);
    }
    for (int y = dirty.top; y < dirty.bottom; ++y)
        std::fill(m_bits + size_t(y) * m_w + dirty.left, m_bits + size_t(y) * m_w + dirty.right, premul);
    for (const DisplayItem& it : page.items) {
        RECT r = Shift(it.rect, state), clip;
        if (!IntersectRect(&clip, &r, &dirty)) continue;
        switch (it.kind) {
        case DisplayItem::Box: PaintBox(it, r, dirty); break;
        case DisplayItem::Text: PaintText(it.text, it.font->font, r.left, r.top, it.node->style.color, clip); break;
        case DisplayItem::Image: PaintImage(it, r, dirty, state); break;
        case DisplayItem::Control: PaintControl(it, r, dirty, state); break;
        }
    }
}

} // namespace node
