#include "dui/control/SStatic.h"

#include <cwchar>

#include "dui/core/SLayoutParamAttr.h"
#include "dui/control/SControlAttr.h"

namespace DUI {

namespace {

constexpr char kSetAttribute[] = "DUI::SStatic::SetAttribute";

// Where the walk over a text stands: the current line's first character and
// the pen, which moves right as characters join and down as lines end.
struct LineWalk
{
    LPCWSTR lineStart;
    int x;
    int y;
};

// A line break at `p`: a literal backslash-n, or a line feed whose line does
// not show the carriage return before it. The characters the break takes,
// 0 for none; `lineEnd` is where the shown line ends.
int LineBreakAt(LPCWSTR p, LPCWSTR end, LPCWSTR lineStart, LPCWSTR& lineEnd)
{
    if (p[0] == L'\\' && p + 1 < end && p[1] == L'n') {
        lineEnd = p;
        return 2;
    }
    if (*p == L'\n') {
        lineEnd = p > lineStart && p[-1] == L'\r' ? p - 1 : p;
        return 1;
    }
    return 0;
}

// One character further; one unit where CharNextW stands still or runs past
// the end.
LPCWSTR NextGlyph(LPCWSTR p, LPCWSTR end)
{
    const LPCWSTR next = ::CharNextW(p);
    return next <= p || next > end ? p + 1 : next;
}

} // namespace

SStatic::SStatic()
{
    SetAttribute(L"align", L"left", FALSE);
    SetAttribute(L"msgTransparent", L"1", TRUE);
}

struct SStatic::AttrRows
{
    using Row = SAttrRow<SStatic>;

    static constexpr Row kRows[] = {
        {L"multiLines", &layoutattr::Int<SStatic, kSetAttribute, &SStatic::m_multiLines>, AttrEffect::None},
        {L"interHeight", &layoutattr::Int<SStatic, kSetAttribute, &SStatic::m_lineGap>, AttrEffect::None},
    };
    static constexpr SAttrTable kTable{kRows};
};

HRESULT SStatic::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    return AttrRows::kTable.Dispatch(*this, name, value, loading,
                                     [&] { return SWindow::SetAttribute(name, value, loading); });
}

void SStatic::DrawLine(IPaintSurface* rt, LPCWSTR text, int first, int count, RECT* rc, UINT format)
{
    rt->DrawTextBox(text + first, count, rc, format);
}

void SStatic::DrawText(IPaintSurface* rt, LPCWSTR text, int len, RECT* rc, UINT format)
{
    if (!m_multiLines) {
        DrawLine(rt, text, 0, len, rc, format);
        return;
    }
    if ((format & DT_CALCRECT) || !(format & (DT_VCENTER | DT_BOTTOM))) {
        DrawMultiLine(rt, text, len, rc, format);
        return;
    }
    RECT box = AlignVertically(rt, text, len, *rc, format);
    DrawMultiLine(rt, text, len, &box, format);
}

RECT SStatic::AlignVertically(IPaintSurface* rt, LPCWSTR text, int len, const RECT& rc, UINT format)
{
    RECT measured = rc;
    DrawMultiLine(rt, text, len, &measured, format | DT_CALCRECT);
    const int textHeight = measured.bottom - measured.top;
    RECT box = rc;
    const UINT align = GetStyle().GetTextAlign();
    if (align & DT_VCENTER) {
        const int shrink = (rc.bottom - rc.top - textHeight) / 2;
        box.top += shrink;
        box.bottom -= shrink;
    } else if (align & DT_BOTTOM) {
        box.top = box.bottom - textHeight;
    }
    return box;
}

void SStatic::DrawMultiLine(IPaintSurface* rt, LPCWSTR text, int len, RECT* rc, UINT format)
{
    if (!text)
        return;
    const LPCWSTR end = text + (len < 0 ? static_cast<int>(std::wcslen(text)) : len);
    const bool measuring = (format & DT_CALCRECT) != 0;
    SIZE letter = {};
    rt->MeasureText(L"A", 1, &letter);
    const int lineHeight = letter.cy;
    const int limit = rc->right;
    if (measuring)
        rc->right = rc->left;
    LineWalk walk = {text, rc->left, rc->top};
    auto emit = [&](LPCWSTR lineEnd) {
        // An empty line takes its height but draws nothing.
        if (measuring || lineEnd <= walk.lineStart)
            return;
        RECT line = {rc->left, walk.y, limit, walk.y + lineHeight};
        DrawLine(rt, text, static_cast<int>(walk.lineStart - text), static_cast<int>(lineEnd - walk.lineStart),
                 &line, format);
    };
    auto newLine = [&](LPCWSTR nextStart) {
        walk.lineStart = nextStart;
        walk.x = rc->left;
        walk.y += lineHeight + m_lineGap;
    };
    for (LPCWSTR p = walk.lineStart; p < end;) {
        LPCWSTR lineEnd = p;
        if (const int taken = LineBreakAt(p, end, walk.lineStart, lineEnd)) {
            emit(lineEnd);
            newLine(p + taken);
            p += taken;
            continue;
        }
        const LPCWSTR next = NextGlyph(p, end);
        SIZE glyph = {};
        rt->MeasureText(p, static_cast<int>(next - p), &glyph);
        if (walk.x + glyph.cx > limit && p > walk.lineStart) {
            emit(p);
            newLine(p);
            // The rest would only be clipped: a wrapped line below the box ends the text.
            if (walk.y > rc->bottom)
                return;
            continue;
        }
        walk.x += glyph.cx;
        if (measuring && walk.x > rc->right)
            rc->right = walk.x;
        p = next;
    }
    emit(end);
    if (measuring && walk.y + lineHeight < rc->bottom)
        rc->bottom = walk.y + lineHeight;
}

} // namespace DUI
